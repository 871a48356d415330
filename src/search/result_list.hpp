// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_types.hpp"

namespace quorvel {

struct Timetable;

inline constexpr std::string_view no_result_message = "条件にあう航空機を検索できませんでした";

// The result grid: 8 columns with their header texts and widths (twips), the columns shown bold,
// the columns at 10 point and the centred columns; each line of a row is 225 twips high.
inline constexpr std::array<std::string_view, 8> grid_headers = {
    "所要時間(分)", "航空会社", "便名", "機種", "出発時刻", "到着時刻 経由地 出発時刻", "到着時刻", "備考"};
inline constexpr std::array<int, 8> grid_column_widths = {1200, 1400, 600, 1000, 900, 2300, 900, 1100};
inline constexpr std::array<bool, 8> grid_bold = {true, false, true, true, true, false, true, false};
inline constexpr std::array<bool, 8> grid_large = {false, false, false, false, true, false, true, false};
inline constexpr std::array<bool, 8> grid_centred = {false, false, false, false, true, true, true, false};
inline constexpr int grid_line_height = 225;

// leg_text(leg 1..3, column 0..6): 0 minutes (leg 1), 1 company text (index as decimal text),
// 2 flight number, 3 aircraft, 4 departure "00:00", 5 connection airport, 6 arrival "00:00".
using LegText = std::array<std::array<std::string, 7>, 4>;

// One leg as data, for the fare sheet and the seat enquiry.
struct ListedLeg {
    int dir = 0, pos = 0, row = 0;   // the leg in the route index of the searched edition
    int flight = 0;                  // flight index in that edition
    std::string from_name, to_name;  // the search's airports at the ends, the connection airports between
    std::string company_text;        // flight_company: the company index as decimal text
    int company_index = 0;           // 0 when the text names no company
    std::string company_code, company_name;
    int flight_number = 0;
    std::string aircraft;
    int dep_time = 0, arr_time = 0;  // HHMM on the travel date
};

struct ListedItinerary {
    int slot = 0;  // the route_results slot (row_result of the grid row)
    int minutes = 0;
    int leg_count = 0;  // lines of the row: 1 direct, 2 or 3 with connections
    std::array<ListedLeg, 3> legs;
    LegText leg_text;
    std::array<std::vector<std::string>, 8> cells;  // the lines of each grid cell
    // A cell's lines joined; the grid joins them with a carriage return.
    std::string cell_text(int column, std::string_view separator = "\r") const;
    int row_height() const { return leg_count * grid_line_height; }
};

struct ResultList {
    std::vector<ListedItinerary> rows;  // grid rows 1..R are rows[0..R-1]
    int enquire_jal = 0, enquire_ana = 0, enquire_jas = 0;
    int enquirable_count = 0;
};

// The slots listed, in order: all of them, or with one_result_per_flight 1 only the first itinerary
// of each first flight (flight number and company text).
std::vector<int> listed_slots(const Timetable& tt, const RouteResults& results, int one_result_per_flight);

// leg_text for one slot.
LegText leg_texts(const Timetable& tt, const RouteResults& results, int slot);
// One listed itinerary with its legs, leg texts and grid cells.
ListedItinerary list_itinerary(const Timetable& tt, const RouteResults& results, const SearchConditions& cond,
                               int slot);
// Every listed itinerary (all the search kept, up to 1000) and the enquiry flags.
ResultList list_results(const Timetable& tt, const RouteResults& results, const SearchConditions& cond);

// The caption of the result window's header button.
std::string result_caption(const Timetable& tt, const SearchConditions& cond);

}  // namespace quorvel
