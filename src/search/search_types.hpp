// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/day_number.hpp"

namespace quorvel {

// The condition values of a flight search, as the search form's checks leave them.
struct SearchConditions {
    std::string from_airport;
    std::string to_airport;
    int departure_from = 0;  // departure window, HHMM, inclusive
    int departure_to = 0;
    int arrival_from = 0;  // arrival window, HHMM, inclusive
    int arrival_to = 0;
    int max_wait = 0;               // longest wait at a connection, minutes
    int connection_count = 0;       // connections allowed: 0, 1 or 2
    int one_result_per_flight = 0;  // 1 = one result per first flight, 0 = all combinations
    DayNumber travel_date = 0;
    int travel_year = 0, travel_month = 0, travel_day = 0;
    int travel_weekday = 0;    // 1 = Sunday .. 7 = Saturday
    int result_order = 0;      // result order: 1 departure, 2 arrival, other = journey time
    int for_seat_enquiry = 0;  // 1 when the search serves a seat enquiry
};

// One itinerary found by the route search. A leg is (direction, position, entry) in the route index
// of the edition searched; legs 2 and 3 are 0 when the itinerary has fewer connections.
struct RouteResult {
    std::int16_t leg1_row = 0, leg1_dir = 0, leg1_pos = 0;
    std::int16_t leg2_row = 0, leg2_dir = 0, leg2_pos = 0;
    std::int16_t leg3_row = 0, leg3_dir = 0, leg3_pos = 0;
    std::int32_t sort_key = 0;
    std::int16_t minutes = 0;
    bool operator==(const RouteResult&) const = default;
};

inline constexpr int max_route_results = 1000;

// The ordered results of one search (slots 1..result_count are used).
struct RouteResults {
    std::array<RouteResult, max_route_results + 1> route_results{};
    int result_count = 0;
    int search_edition = 0;  // 0 when no edition covers the travel date
};

}  // namespace quorvel
