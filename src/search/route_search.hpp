// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "common/day_number.hpp"
#include "common/progress.hpp"
#include "search/search_types.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

// What leg_times reads for one leg: the (validated) times of its flight and whether it runs.
struct LegTimes {
    int shifted_departure = 0;  // departure HHMM
    int shifted_arrival = 0;    // arrival HHMM
    bool runs = true;
};

// The first edition 1..4 whose edition_valid_to is on or after the date; 0 when none covers it.
int find_search_edition(const Timetable& tt, DayNumber travel_date);

// The leg (dir, pos, row) of edition k on weekday 1..7 (after the date validation has rewritten the
// edition, the weekday column holds 99 exactly for the flights without service that day). Entry 0
// reads as times 0 and service.
LegTimes leg_times(const Timetable& tt, int edition, int travel_weekday, int dir, int pos, int row);

// Airline groups of the connection rules: 11 JAL/JEX, 12 JTA/RAC, 13 J-, 21 ANA/ANK/ADK,
// 31 JAS/JAC/HAC, 41 everybody else. The code is compared trimmed.
int airline_group(std::string_view company_code);
// Shortest connection in minutes from a flight of group1 to one of group2 at the named airport.
int minimum_connection_minutes(int group1, int group2, std::string_view transfer_airport);

// The flight search between two airports: direct flights, then one or two connections, inside the
// windows of the conditions, at most 1000 itineraries, ordered by the key of result_order.
// The timetable must already be validated for the travel date. Nothing is found when no edition
// covers the date, an airport name is unknown, or both names are the same airport.
// Progress: the range is the entry count of each phase; the value and a yield come every 20 entries.
RouteResults search_routes(const Timetable& tt, const SearchConditions& cond, Progress* progress = nullptr);

}  // namespace quorvel
