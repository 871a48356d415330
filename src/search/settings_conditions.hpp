// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "config/settings.hpp"
#include "search/search_types.hpp"

namespace quorvel {

// The last search's values, kept in the settings file, as the search form starts from them.
inline void conditions_from_settings(const Settings& s, SearchConditions& c) {
    c.from_airport = s.from_airport;
    c.to_airport = s.to_airport;
    c.departure_from = s.departure_from;
    c.departure_to = s.departure_to;
    c.arrival_from = s.arrival_from;
    c.arrival_to = s.arrival_to;
    c.max_wait = s.max_wait;
    c.connection_count = s.connection_count;
    c.one_result_per_flight = s.one_result_per_flight;
    c.result_order = s.result_order;
}

// The run's search values, to be written at exit.
inline void conditions_to_settings(const SearchConditions& c, Settings& s) {
    s.from_airport = c.from_airport;
    s.to_airport = c.to_airport;
    s.departure_from = static_cast<std::int16_t>(c.departure_from);
    s.departure_to = static_cast<std::int16_t>(c.departure_to);
    s.arrival_from = static_cast<std::int16_t>(c.arrival_from);
    s.arrival_to = static_cast<std::int16_t>(c.arrival_to);
    s.max_wait = static_cast<std::int16_t>(c.max_wait);
    s.connection_count = static_cast<std::int16_t>(c.connection_count);
    s.one_result_per_flight = static_cast<std::int16_t>(c.one_result_per_flight);
}

}  // namespace quorvel
