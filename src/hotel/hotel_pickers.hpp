// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "hotel/hotel_data.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel {

// ---- the area picker ----
enum class AreaListKind { prefecture, airport };

// The captions of the picker's ten area options: [1..9] the nine areas, [10] the whole country
// (index 0 unused). Prefectures are grouped by the area names of the data file, airports by the
// fixed area captions.
std::array<std::string, 11> area_option_captions(const HotelData& data, AreaListKind kind);

// The area a remembered option value stands for: 0 (the whole country) or 1..9. A value the
// settings file got from elsewhere reads as the whole country.
int remembered_area(int flag);

// A line of the picker: the name, a tab (two when the name is shorter than four characters, so
// the counts stand in one column) and the number of hotels with "件"; nothing after the tabs
// when there are none.
std::string area_list_line(std::string_view name, int hotel_count);

// The lines of the prefectures (or airports) of an area in file order; area 0 lists all of them.
std::vector<std::string> area_list_lines(const HotelData& data, AreaListKind kind, int area);

// The name a picker line stands for: the text before its first tab, trimmed.
std::string area_line_name(std::string_view line);

// ---- the vacancy-enquiry list ----
struct VacancyLine {
    std::string text;
    std::string address;  // the page the line opens
};

// name is the page's name as the data file holds it; its length before trimming decides the gap
// before the note: two tabs up to 4 characters, one tab up to 8, three blanks beyond.
std::string vacancy_line_text(std::string_view name, std::string_view note);
std::vector<VacancyLine> vacancy_lines(const HotelData& data);

// ---- the district refinement ----
struct DistrictLists {
    std::vector<std::string> offered;  // districts of the hits not chosen yet
    std::vector<std::string> chosen;   // the current refinement
};

// Splits the districts of the last search: a district already chosen is only in `chosen`.
DistrictLists district_lists(const HotelHits& hits, const HotelSearchState& state);

// Makes `chosen` the refinement of the next search; none chosen means no refinement.
void set_district_refinement(HotelSearchState& state, const std::vector<std::string>& chosen);

}  // namespace quorvel
