// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hotel/hotel_data.hpp"

namespace quorvel {

// The search kinds of the search window.
enum HotelSelKind {
    kind_pref = 1,
    kind_airport = 2,
    kind_name = 3,
    kind_district = 4,
    kind_station = 5,
    kind_free = 6
};

// Shared state of the search window, the list and the pickers.
struct HotelSearchState {
    int search_kind = kind_pref;
    std::string search_key_text;
    std::string picked_text;
    int district_filter = 0;                   // 0 = no refinement
    std::vector<std::string> filter_district;  // rows 1..district_filter (index 0 unused)
};

// The key check of the search window. text1 is the key as typed; kind 1 replaces it by the
// prefecture's name. On acceptance search_kind and search_key_text (text1 in full-width
// characters) are set and true is returned; otherwise the state is left unchanged.
bool check_search_key(const HotelData& data, HotelSearchState& state, int kind, std::string& text1);

// Records an accepted key as the picked text and, for a prefecture (kind 1) or an airport (kind 2),
// in that kind's history (rows 1..5, row 1 the most recent; the settings file keeps them).
using KeyHistory = std::array<std::string, 6>;
void remember_search_key(HotelSearchState& state, KeyHistory& prefectures, KeyHistory& airports, int kind,
                         const std::string& text1);
// The history rule itself, shared with the pickers.
void push_history(std::array<std::string, 6>& history, const std::string& text);

// hotel_limit as the settings give it: below 1 reads as 500.
int effective_hotel_limit(int hotel_limit);

struct HotelHits {
    std::vector<int> hotel_hit_list;           // hotel numbers, rows 0.. (display order after sort_hotel)
    std::vector<std::string> result_district;  // distinct districts of the matching hotels, first seen first
    // More than 500 distinct districts: the list keeps the first 500 and says so.
    bool result_district_truncated = false;
    int hotel_hit_count() const { return static_cast<int>(hotel_hit_list.size()); }
    int result_district_count() const { return static_cast<int>(result_district.size()); }
};

// The search of the state's kind over the hotel table, in table order, cut at hotel_limit hits;
// the six kinds' own searches follow.
HotelHits search_hotels(const HotelData& data, const HotelSearchState& state, int hotel_limit);
HotelHits search_by_prefecture(const HotelData& data, const HotelSearchState& state, int hotel_limit);
HotelHits search_by_airport(const HotelData& data, const HotelSearchState& state, int hotel_limit);
HotelHits search_by_name(const HotelData& data, const HotelSearchState& state, int hotel_limit);
HotelHits search_by_district(const HotelData& data, const HotelSearchState& state, int hotel_limit);
HotelHits search_by_station(const HotelData& data, const HotelSearchState& state, int hotel_limit);
HotelHits search_by_keyword(const HotelData& data, const HotelSearchState& state, int hotel_limit);

// The list's search: the hits of the state's kind in the prefecture order the list opens in, then
// re-sorted by sort_key when that is another key (as a double click on a heading does). The list
// window and quorvel-cli hotels both search through it.
HotelHits run_hotel_search(const HotelData& data, const HotelSearchState& state, int hotel_limit,
                           std::string_view sort_key);

// The airport key as the airport search compares it: Narita reads as Haneda, Kansai as Itami.
std::string fold_airport(const std::string& key);

// Sort keys: "ホテル都道府県", "ホテル空港", "ホテル詳細", "ホテル名", "ホテル電話", "ホテル部屋数",
// "ホテル料金".
inline constexpr const char* sort_by_pref = "ホテル都道府県";
bool is_hotel_sort_key(std::string_view key);
// The two sort texts of hotel k for a key.
std::pair<std::string, std::string> hotel_sort_keys(const HotelData& data, int k, std::string_view sort_key);
// Orders the hits exactly as the list's exchange sort does, equal keys included, in
// O(n log n) text comparisons.
void sort_hotel(const HotelData& data, std::vector<int>& hits, std::string_view sort_key);
// The exchange sort on precomputed ranks (rank order equals key order); exposed for the tests.
void exchange_sort_by_rank(std::vector<int>& items, std::vector<int>& ranks);

// ---- the grid ----
inline constexpr int grid_columns = 7;
std::array<std::string, grid_columns> grid_headings(std::string_view sort_key);
// A room count as the grid shows it (picture "#####").
std::string format_rooms(std::string_view rooms);
std::array<std::string, grid_columns> hotel_cell_texts(const HotelData& data, int k);
bool hotel_has_link(const HotelData& data, int k);
struct Rgb {
    int r = 255, g = 255, b = 255;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb link_colour{255, 215, 0};
inline constexpr Rgb plain_colour{255, 255, 255};
Rgb hotel_row_colour(const HotelData& data, int k);
// Characters per line of a column of the given width in twips.
int chars_per_line(int column, int width_twips);
// Row height in twips for a row's cell texts and the column widths.
int hotel_row_height(const std::array<std::string, grid_columns>& cells,
                     const std::array<int, grid_columns>& widths);
// The title line: the description of the search, and " (N件)" when count >= 0.
std::string hotel_title_line(int kind, const std::string& search_key_text, int count = -1);

// ---- pages ----
// Host names of the reservation services, from the deployment configuration. A value without
// a scheme gets "http://".
struct HotelHosts {
    std::string madoguchi_info;  // "旅の窓口" information host
    std::string madoguchi_rsv;   // "旅の窓口" reservation host
    std::string best_reserve;    // "ベストリザーブ" host
};
enum class HotelPage { info, reserve };  // "ホテル情報", "ホテル予約"
// Up to three addresses in the order they are opened; an entry is empty when it is not opened.
std::array<std::string, 3> hotel_page_addresses(const HotelData& data, int k, HotelPage page,
                                                const HotelHosts& hosts);
// Only these are handed to the browser: an address from a data file could otherwise pass the
// browser an option or open a local file.
bool is_web_address(std::string_view address);
// Which page buttons a hotel enables: {"ホテル情報", "ホテル予約"}.
std::pair<bool, bool> hotel_page_buttons(const HotelData& data, int k);
// Whether the reservation notice is shown before opening pages: the first three times. The
// remembered hotel-area option (control9_flg) has nothing to do with the notice and is not asked.
bool reservation_notice_due(int reservation_notices_shown);

}  // namespace quorvel
