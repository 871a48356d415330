// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/help.hpp"

#include <ostream>

#include "cli/command.hpp"

namespace quorvel::cli {

namespace {

std::vector<OptionHelp> search_options() {
    return {
        {"from", "NAME", "departure airport, as the timetable names it (e.g. 東京／羽田)", ""},
        {"to", "NAME", "arrival airport", ""},
        {"date", "YYYY/MM/DD", "travel date, not before this year", ""},
        {"dep", "HH:MM-HH:MM", "window of departure times", "05:00-23:59"},
        {"arr", "HH:MM-HH:MM", "window of arrival times", "06:00-23:59"},
        {"wait", "MIN", "longest wait at a connection, in minutes", "60"},
        {"connections", "0|1|2", "connections allowed", "0 (direct flights only)"},
        {"combination", "1|0", "1: one itinerary per first flight; 0: every combination", "0"},
        {"order", "1|2|3", "order of the list: 1 departure, 2 arrival, 3 journey time", "3"},
        {"header", "", "print the report's header lines before the itineraries", ""},
    };
}

std::vector<OptionHelp> with(std::vector<OptionHelp> options, const std::vector<OptionHelp>& more) {
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

void write_option(std::ostream& out, const OptionHelp& o) {
    std::string head = "  --" + o.name + (o.value.empty() ? "" : " " + o.value);
    if (head.size() < 28) head.resize(28, ' ');
    out << head << ' ' << o.description;
    if (!o.fallback.empty()) out << " (default: " << o.fallback << ')';
    out << '\n';
}

}  // namespace

const std::vector<CommandHelp>& command_help() {
    static const std::vector<CommandHelp> table{
        {"search", "--from NAME --to NAME --date YYYY/MM/DD [OPTIONS]",
         "Searches the flights between two airports on a date, direct or with one or two connections,\n"
         "and prints the itineraries as the printed report lists them.",
         search_options()},
        {"fare",
         "--company CODE --flight N --from NAME --to NAME --date YYYY/MM/DD [--dep HHMM]",
         "Prints the 14 fare rows of one flight on a date, as the fare engine prices them.",
         {{"company", "CODE", "airline designator (JAL, ANA, ANK, JAS, ...)", ""},
          {"flight", "N", "flight number, up to five digits", ""},
          {"from", "NAME", "departure airport", ""},
          {"to", "NAME", "arrival airport", ""},
          {"date", "YYYY/MM/DD", "travel date", ""},
          {"dep", "HHMM", "departure time, for the fares that depend on it", "0"}}},
        {"fare-sheet", "<the options of search> --row N",
         "Searches as search does and prints the fare sheet of one listed itinerary.",
         with(search_options(), {{"row", "N", "the listed itinerary, counted from 1", ""}})},
        {"inquiry", "<the options of search> --out DIR [--sites FILE]",
         "Searches the direct flights as the seat enquiry does and writes its pages into DIR;\n"
         "prints the path of the page to open in a browser.",
         with(search_options(),
              {{"out", "DIR", "folder for the pages (created when missing)", ""},
               {"sites", "FILE", "the airlines' addresses", "sites.ini in the data folder"}})},
        {"hotels",
         "--kind 1..6 --key TEXT [--sort NAME] [--max N] [--district NAME]...",
         "Searches the hotel directory and the user's hotels and prints the list.",
         {{"kind", "1..6", "1 prefecture, 2 airport, 3 hotel name, 4 district, 5 station, 6 keyword", ""},
          {"key", "TEXT", "what to look for", ""},
          {"sort", "NAME",
           "sort key: ホテル都道府県, ホテル空港, ホテル詳細, ホテル名, ホテル電話, ホテル部屋数, ホテル料金",
           "ホテル都道府県"},
          {"max", "N", "most hotels listed", "max_kensuu of quorvel6.ini"},
          {"district", "NAME", "keep only this district; repeat for several", "every district"}}},
        {"data",
         "build SRC_DIR OUT_DIR | dump FILE OUT_DIR",
         "Compiles the readable sources of the data files (timedata.dat, infhotel.dat) in SRC_DIR into\n"
         "OUT_DIR, or writes a data file back as readable sources.",
         {}},
    };
    return table;
}

const std::vector<OptionHelp>& common_option_help() {
    static const std::vector<OptionHelp> options{
        {"data", "DIR", "folder of timedata.dat, infhotel.dat, quorvel6.ini and sites.ini",
         "the folder of quorvel-cli"},
        {"today", "YYYY/MM/DD", "the date taken as today", "the system date"},
    };
    return options;
}

const std::vector<std::pair<int, std::string>>& exit_status_help() {
    static const std::vector<std::pair<int, std::string>> statuses{
        {exit_ok, "done (also when nothing was found)"},
        {exit_data, "a data file cannot be read"},
        {exit_usage, "wrong arguments, or conditions the search form refuses"},
        {exit_no_sheet, "fare-sheet: a leg has no adult one-way fare"},
    };
    return statuses;
}

void write_overall_help(std::ostream& out) {
    out << "usage: quorvel-cli COMMAND [--data DIR] [--today YYYY/MM/DD] [OPTIONS]\n"
           "       quorvel-cli help COMMAND | COMMAND --help | --version\n\n"
           "Runs the searches of quorvel, the Japanese domestic flights and hotels program, without a\n"
           "window.\n\ncommands:\n";
    for (const CommandHelp& c : command_help()) {
        std::string name = "  " + c.name;
        name.resize(14, ' ');
        out << name << c.summary.substr(0, c.summary.find('\n')) << '\n';
    }
    out << "\noptions of every command:\n";
    for (const OptionHelp& o : common_option_help()) write_option(out, o);
    out << "\nexit status:\n";
    for (const auto& [status, meaning] : exit_status_help()) out << "  " << status << "  " << meaning << '\n';
}

bool write_command_help(std::ostream& out, const std::string& command) {
    for (const CommandHelp& c : command_help()) {
        if (c.name != command) continue;
        out << "usage: quorvel-cli " << c.name << ' ' << c.synopsis << "\n\n" << c.summary << "\n";
        if (!c.options.empty()) {
            out << "\noptions:\n";
            for (const OptionHelp& o : c.options) write_option(out, o);
        }
        out << "\noptions of every command:\n";
        for (const OptionHelp& o : common_option_help()) write_option(out, o);
        return true;
    }
    return false;
}

}  // namespace quorvel::cli
