// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "timetable/timetable.hpp"

namespace quorvel {

// The airport picker's ten region choices: the first nine are regions 1..9, the tenth is 0 (all).
struct RegionOption {
    const char* caption;
    int region;
};
const std::vector<RegionOption>& region_options();

// The airports of a region (0 = every airport) in table order.
std::vector<std::string> airports_of_region(const Timetable& tt, int region);

// Which airport field of the search form a picker fills.
enum class AirportField { departure, arrival };

// The texts that depend on which field the picker fills.
struct PickerTexts {
    const char* frame_caption;
    const char* field_caption;
    const char* instruction;
};
PickerTexts picker_texts(AirportField field);

}  // namespace quorvel
