// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>
#include <string>

#include "cli/command.hpp"
#include "cli/search_run.hpp"
#include "config/identity.hpp"
#include "search/report.hpp"
#include "search/result_list.hpp"

namespace quorvel::cli {

// quorvel-cli search --from NAME --to NAME --date YYYY/MM/DD [--dep HH:MM-HH:MM] [--arr HH:MM-HH:MM]
//     [--wait MIN] [--connections 0|1|2] [--combination 1|0] [--order 1|2|3] [--header]
int run_search(const Invocation& inv) {
    std::string error;
    const auto parsed = Options::parse(inv.args, {search_flags}, error);
    if (!parsed) return refuse(inv, "quorvel-cli search: " + error);
    const Options& o = *parsed;
    if (const auto unknown = o.unknown(search_option_names); !unknown.empty())
        return refuse(inv, "quorvel-cli search: unknown option --" + unknown.front());

    SearchRun run;
    if (const auto status = search_from_options(inv, o, "search", run)) return *status;
    const FlightSearchResult& search = run.search;
    if (search.routes.result_count == 0) {
        *inv.err << no_result_message << '\n';
        return exit_ok;
    }
    if (o.has("header")) {
        const Identity identity;
        for (const std::string& line :
             report_header(search.conditions, identity.app_title, identity.app_version))
            *inv.out << line << '\n';
    }
    write_lf(*inv.out, report_body(*run.timetable, search.routes, search.conditions));
    return exit_ok;
}

}  // namespace quorvel::cli
