#pragma once

#include <cstdint>

#include "config/settings.hpp"
#include "search/search_types.hpp"

namespace quorvel {

// The last search's values, kept in the settings file, as the search form starts from them.
inline void conditions_from_settings(const Settings& s, SearchConditions& c) {
    c.sel_from_name = s.sel_from_name;
    c.sel_to_name = s.sel_to_name;
    c.st_time1 = s.st_time1;
    c.st_time2 = s.st_time2;
    c.ed_time1 = s.ed_time1;
    c.ed_time2 = s.ed_time2;
    c.wait_time = s.wait_time;
    c.wait_count = s.wait_count;
    c.combination_number = s.combination_number;
    c.sel_option = s.sel_option;
}

// The run's search values, to be written at exit.
inline void conditions_to_settings(const SearchConditions& c, Settings& s) {
    s.sel_from_name = c.sel_from_name;
    s.sel_to_name = c.sel_to_name;
    s.st_time1 = static_cast<std::int16_t>(c.st_time1);
    s.st_time2 = static_cast<std::int16_t>(c.st_time2);
    s.ed_time1 = static_cast<std::int16_t>(c.ed_time1);
    s.ed_time2 = static_cast<std::int16_t>(c.ed_time2);
    s.wait_time = static_cast<std::int16_t>(c.wait_time);
    s.wait_count = static_cast<std::int16_t>(c.wait_count);
    s.combination_number = static_cast<std::int16_t>(c.combination_number);
}

}  // namespace quorvel
