// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.hpp"
#include "cli/search_run.hpp"
#include "config/sites.hpp"
#include "inquiry/inquiry_pages.hpp"
#include "search/result_list.hpp"

namespace quorvel::cli {

namespace {

constexpr const char* no_direct_flight = "直行便がないため、空席照会をおこなえません";

}  // namespace

// quorvel-cli inquiry <the options of quorvel-cli search> [--sites FILE] --out DIR
// Searches direct flights only, as the seat enquiry does, and writes its pages into DIR.
int run_inquiry(const Invocation& inv) {
    std::string error;
    const auto parsed = Options::parse(inv.args, {search_flags}, error);
    if (!parsed) return refuse(inv, "quorvel-cli inquiry: " + error);
    const Options& o = *parsed;
    std::vector<std::string> known = search_option_names;
    known.insert(known.end(), {"sites", "out"});
    if (const auto unknown = o.unknown(known); !unknown.empty())
        return refuse(inv, "quorvel-cli inquiry: unknown option --" + unknown.front());
    const auto out_dir = o.get("out");
    if (!out_dir || out_dir->empty()) return refuse(inv, "quorvel-cli inquiry: --out DIR is required");

    SearchRun run;
    if (const auto status = search_from_options(inv, o, "inquiry", run, /*for_enquiry=*/true)) return *status;
    if (run.search.list.enquirable_count == 0) {
        *inv.err << no_direct_flight << '\n';
        return exit_ok;
    }

    const std::filesystem::path sites_path =
        o.get("sites") ? std::filesystem::path(*o.get("sites")) : inv.data_dir / std::string(sites_file_name);
    auto sites = read_sites(sites_path);
    if (!sites) {
        *inv.err << "quorvel-cli inquiry: " << sites.error().message << '\n';
        return exit_data;
    }
    for (const std::string& warning : sites->warnings) *inv.err << "quorvel-cli inquiry: " << warning << '\n';

    auto pages = seat_enquiry_pages(*run.timetable, run.search, *sites);
    if (!pages) {
        *inv.err << "quorvel-cli inquiry: " << sites_path.string() << ": " << pages.error().message << '\n';
        return exit_data;
    }
    auto inq = write_inquiry_pages(*out_dir, *pages);
    if (!inq) {
        *inv.err << "quorvel-cli inquiry: " << inq.error().message << '\n';
        return exit_data;
    }
    *inv.out << inq->string() << '\n';
    return exit_ok;
}

}  // namespace quorvel::cli
