// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotel/hotel_pickers.hpp"

#include <algorithm>

#include "common/format.hpp"
#include "common/text.hpp"

namespace quorvel {

namespace {

const std::string& row(const std::vector<std::string>& table, int i) {
    static const std::string none;
    return i >= 0 && static_cast<std::size_t>(i) < table.size() ? table[i] : none;
}

int row(const std::vector<int>& table, int i) {
    return i >= 0 && static_cast<std::size_t>(i) < table.size() ? table[i] : 0;
}

}  // namespace

std::array<std::string, 11> area_option_captions(const HotelData& data, AreaListKind kind) {
    const std::vector<std::string>& names =
        kind == AreaListKind::prefecture ? data.area_name : data.area_caption;
    std::array<std::string, 11> captions;
    for (int k = 1; k <= 9; ++k) captions[k] = row(names, k);
    captions[10] = row(names, 0);
    return captions;
}

int remembered_area(int flag) { return flag >= 0 && flag <= 9 ? flag : 0; }

std::string area_list_line(std::string_view name, int hotel_count) {
    std::string line(name);
    line += char_count(name) < 4 ? "\t\t" : "\t";
    // "###" writes nothing for 0: a place without hotels shows no count at all.
    const std::string count = format_number(hotel_count, "###");
    if (!count.empty()) line += count + "件";
    return line;
}

std::vector<std::string> area_list_lines(const HotelData& data, AreaListKind kind, int area) {
    std::vector<std::string> lines;
    if (kind == AreaListKind::prefecture) {
        const std::string& wanted = row(data.area_name, area);
        for (int j = 1; j <= data.pref_count; ++j)
            if (area == 0 || row(data.pref_area, j) == wanted)
                lines.push_back(area_list_line(row(data.pref_name, j), row(data.pref_hotel_count, j)));
    } else {
        for (int j = 1; j <= data.airport_count; ++j)
            if (area == 0 || row(data.airport_area, j) == area)
                lines.push_back(area_list_line(row(data.airport_name, j), row(data.airport_hotel_count, j)));
    }
    return lines;
}

std::string area_line_name(std::string_view line) { return trim(line.substr(0, line.find('\t'))); }

std::string vacancy_line_text(std::string_view name, std::string_view note) {
    const std::size_t n = char_count(name);
    const std::string gap = n <= 4 ? "\t\t" : n <= 8 ? "\t" : "   ";
    return trim(name) + gap + std::string(note);
}

std::vector<VacancyLine> vacancy_lines(const HotelData& data) {
    std::vector<VacancyLine> lines;
    for (int i = 1; i <= data.inquiry_count; ++i)
        lines.push_back({vacancy_line_text(row(data.inquiry_name, i), row(data.inquiry_note, i)),
                         row(data.inquiry_url, i)});
    return lines;
}

DistrictLists district_lists(const HotelHits& hits, const HotelSearchState& state) {
    DistrictLists lists;
    for (int f = 1; f <= state.district_filter; ++f) lists.chosen.push_back(row(state.filter_district, f));
    for (const std::string& district : hits.result_district)
        if (std::find(lists.chosen.begin(), lists.chosen.end(), district) == lists.chosen.end())
            lists.offered.push_back(district);
    return lists;
}

void set_district_refinement(HotelSearchState& state, const std::vector<std::string>& chosen) {
    state.filter_district.assign(1, std::string());
    state.filter_district.insert(state.filter_district.end(), chosen.begin(), chosen.end());
    state.district_filter = static_cast<int>(chosen.size());
}

}  // namespace quorvel
