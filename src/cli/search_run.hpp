// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.hpp"
#include "config/settings.hpp"
#include "fares/fare_engine.hpp"
#include "search/flight_search.hpp"
#include "search/search_types.hpp"
#include "timetable/timetable.hpp"

namespace quorvel::cli {

// The options every command that searches flights takes, as quorvel-cli search defines them.
extern const std::vector<std::string> search_option_names;
inline constexpr const char* search_flags = "header";

// One flight search run from the command line: the data, the settings and the search's result.
struct SearchRun {
    std::unique_ptr<Timetable> timetable;
    Settings settings;
    FlightSearchResult search;
};

// Fills the search form from the options, loads the data of --data, runs the search form's checks
// (no confirmation question) and searches as the program's result window does. `for_enquiry`
// searches as the seat enquiry does (direct flights, time windows not held to the connection
// search's width). Returns the exit status when the search cannot run (the message is on stderr),
// nothing when `run` holds the result.
std::optional<int> search_from_options(const Invocation& inv, const Options& options,
                                       const std::string& command, SearchRun& run, bool for_enquiry = false);

// Writes a text whose lines end in CR LF with LF line ends.
void write_lf(std::ostream& out, const std::string& text);

int refuse(const Invocation& inv, const std::string& message);

}  // namespace quorvel::cli
