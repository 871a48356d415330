#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/command.hpp"
#include "common/clock.hpp"

namespace {

using namespace quorvel;
using namespace quorvel::cli;

// The command table; each command lives in a file of its own.
const std::map<std::string, CommandFunction>& commands() {
    static const std::map<std::string, CommandFunction> table{
        {"data", &run_data},     {"fare", &run_fare},       {"fare-sheet", &run_fare_sheet},
        {"hotels", &run_hotels}, {"inquiry", &run_inquiry}, {"search", &run_search},
    };
    return table;
}

std::filesystem::path executable_dir() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : p.parent_path();
}

int usage(std::ostream& err) {
    err << "usage: quorvel-cli COMMAND [--data DIR] [--today YYYY/MM/DD] [OPTIONS]\ncommands:";
    for (const auto& [name, fn] : commands()) err << ' ' << name;
    err << '\n';
    return exit_usage;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage(std::cerr);
    const auto it = commands().find(args[0]);
    if (it == commands().end()) {
        std::cerr << "quorvel-cli: unknown command: " << args[0] << '\n';
        return usage(std::cerr);
    }
    Invocation inv;
    inv.out = &std::cout;
    inv.err = &std::cerr;
    inv.data_dir = executable_dir();
    inv.today = SystemClock().today();
    for (std::size_t i = 1; i < args.size(); ++i) {
        if ((args[i] == "--data" || args[i] == "--today") && i + 1 < args.size()) {
            if (args[i] == "--data") {
                inv.data_dir = args[i + 1];
            } else {
                auto day = parse_date(args[i + 1]);
                if (!day) {
                    std::cerr << "quorvel-cli: --today needs a date YYYY/MM/DD\n";
                    return exit_usage;
                }
                inv.today = *day;
            }
            ++i;
            continue;
        }
        inv.args.push_back(args[i]);
    }
    std::ios::sync_with_stdio(false);
    return it->second(inv);
}
