// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/day_number.hpp"
#include "search/date_validation.hpp"
#include "search/result_list.hpp"
#include "search/search_types.hpp"

namespace quorvel {

struct Timetable;
class Progress;

// One flight search, end to end, and everything that the list of its results, the report, the fare
// sheets and the seat enquiry read afterwards: they use the conditions it was searched with, not
// whatever the search form holds by then.
struct [[nodiscard]] FlightSearchResult {
    SearchConditions conditions;
    // False when a seat-enquiry search found no flight between its airports at all; the
    // enquiry is then refused and nothing was searched.
    bool segment_found = true;
    RouteResults routes;
    ResultList list;
};

// Chooses the edition in force on the travel date, rewrites its flights for that date (undoing the
// previous search's rewrite first), searches the itineraries, orders and lists them. The program's
// result window and quorvel-cli both search through here.
FlightSearchResult run_flight_search(Timetable& tt, DateValidation& validation,
                                     const SearchConditions& conditions, DayNumber today,
                                     Progress* progress = nullptr);

}  // namespace quorvel
