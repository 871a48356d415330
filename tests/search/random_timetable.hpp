// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include "search/search_types.hpp"
#include "timetable/timetable.hpp"

namespace quorvel::testing {

// Shapes of generated timetables.
struct NetworkShape {
    int airports = 20;          // 2..100
    int flights = 400;          // per edition, each direction held within the route index bound
    int hubs = 3;               // airports that take part in most flights
    int hub_share = 70;         // percent of flights touching a hub
    bool coarse_times = false;  // times on a 30-minute grid with few durations: many equal sort keys
    bool odd_times = false;     // some negative, past-midnight and arrive-before-leave times
    int no_service_share = 10;  // percent of flights with 99 on some weekday
};

// A timetable with one or two editions, airports that include the ones with connection rules of
// their own, the companies of every airline group, and a route index built as the loader builds it.
std::unique_ptr<Timetable> random_timetable(std::mt19937& rng, const NetworkShape& shape);

// A random shape: small dense hub networks that reach the candidate and result limits, up to
// large sparse ones.
NetworkShape random_shape(std::mt19937& rng);

// Conditions for a search on `tt`: random airports (often hubs), windows, wait, connections, order.
SearchConditions random_conditions(std::mt19937& rng, const Timetable& tt, int hubs);

}  // namespace quorvel::testing
