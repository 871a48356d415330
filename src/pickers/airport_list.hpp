#pragma once

#include <string>
#include <vector>

#include "timetable/timetable.hpp"

namespace quorvel {

// The airport picker's ten region options: Option1..Option9 are regions 1..9, Option10 is 0 (all).
struct RegionOption {
    const char* caption;
    int region;
};
const std::vector<RegionOption>& region_options();

// set_list1: the airports of a region (0 = every airport) in table order.
std::vector<std::string> set_list1(const Timetable& tt, int indx);

// The texts that depend on which field the picker fills: 11 departure, 12 arrival.
struct PickerTexts {
    const char* frame_caption;
    const char* field_caption;
    const char* instruction;
};
PickerTexts picker_texts(int picker_mode);

}  // namespace quorvel
