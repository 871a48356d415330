// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.hpp"
#include "cli/help.hpp"
#include "common/clock.hpp"
#include "config/identity.hpp"

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

// --help, help [COMMAND], COMMAND --help and --version; nothing when the arguments ask for none.
std::optional<int> help(const std::vector<std::string>& args) {
    const auto asks_help = [](const std::string& a) { return a == "--help" || a == "-h"; };
    if (args[0] == "--version") {
        std::cout << "quorvel-cli " << Identity{}.app_version << '\n';
        return exit_ok;
    }
    if (asks_help(args[0]) || (args[0] == "help" && args.size() == 1)) {
        write_overall_help(std::cout);
        return exit_ok;
    }
    const std::string& command = args[0] == "help" ? args[1] : args[0];
    if (args[0] != "help" && std::none_of(args.begin() + 1, args.end(), asks_help)) return std::nullopt;
    if (write_command_help(std::cout, command)) return exit_ok;
    std::cerr << "quorvel-cli: unknown command: " << command << '\n';
    return usage(std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage(std::cerr);
    {
        // Help does not depend on where the data is.
        std::vector<std::string> words;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if ((args[i] == "--data" || args[i] == "--today") && i + 1 < args.size())
                ++i;
            else
                words.push_back(args[i]);
        }
        if (!words.empty())
            if (const auto status = help(words)) return *status;
    }
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
