// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotel/hotel_search.hpp"

#include <algorithm>
#include <climits>
#include <numeric>
#include <unordered_set>

#include "common/exchange_sort.hpp"
#include "common/format.hpp"
#include "common/text.hpp"

namespace quorvel {

namespace {

const std::string& at(const std::vector<std::string>& v, int i) { return v[i]; }

// The prefecture and airport names of a hotel, or null where the hotel has no valid row: a user
// hotel whose name matched nothing holds only a sentinel row number.
const std::string* pref_of(const HotelData& d, int k) {
    const int p = d.hotel_pref[k];
    if ((d.hotel_unmatched[k] & unmatched_pref) != 0 || p < 0 || p > hotel_bounds::prefs) return nullptr;
    return &at(d.pref_name, p);
}
const std::string* airport_of(const HotelData& d, int k) {
    const int a = d.hotel_airport[k];
    if ((d.hotel_unmatched[k] & unmatched_airport) != 0 || a < 0 || a > hotel_bounds::airports)
        return nullptr;
    return &at(d.airport_name, a);
}

bool contains(const std::string& text, const std::string& key) { return text.find(key) != std::string::npos; }

}  // namespace

bool check_search_key(const HotelData& data, HotelSearchState& state, int kind, std::string& text1) {
    bool accepted = false;
    const std::string key = trim(text1);
    if (kind == kind_pref) {
        for (int j = 1; j <= data.pref_count && !accepted; ++j) {
            if (key == at(data.pref_name, j) || key == at(data.pref_alias, j)) {
                accepted = true;
                text1 = at(data.pref_name, j);
            }
        }
    } else if (kind == kind_airport) {
        for (int j = 1; j <= data.airport_count && !accepted; ++j) accepted = key == at(data.airport_name, j);
    } else if (kind >= kind_name && kind <= kind_free) {
        accepted = !text1.empty();
    }
    if (!accepted) return false;
    state.search_kind = kind;
    state.search_key_text = narrow_to_wide(text1);
    return true;
}

void push_history(std::array<std::string, 6>& history, const std::string& text) {
    const std::string wanted = trim(text);
    int k = 5;
    for (int j = 1; j <= 5; ++j) {
        if (trim(history[j]) == wanted) {
            k = j;
            break;
        }
    }
    if (k == 1) return;
    for (int j = k; j >= 2; --j) history[j] = history[j - 1];
    history[1] = text;
}

void remember_search_key(HotelSearchState& state, KeyHistory& prefectures, KeyHistory& airports, int kind,
                         const std::string& text1) {
    state.picked_text = text1;
    if (kind == kind_pref) push_history(prefectures, text1);
    if (kind == kind_airport) push_history(airports, text1);
}

int effective_hotel_limit(int hotel_limit) { return hotel_limit < 1 ? 500 : hotel_limit; }

std::string fold_airport(const std::string& key) {
    if (key == "東京／成田") return "東京／羽田";
    if (key == "大阪／関西") return "大阪／伊丹";
    return key;
}

namespace {

template <class Match>
HotelHits run_search(const HotelData& d, const HotelSearchState& state, int hotel_limit, Match match) {
    HotelHits hits;
    const int limit = effective_hotel_limit(hotel_limit);
    std::unordered_set<std::string> wanted;
    for (int f = 1; f <= state.district_filter && static_cast<std::size_t>(f) < state.filter_district.size();
         ++f)
        wanted.insert(trim(state.filter_district[f]));
    std::unordered_set<std::string> seen;
    for (int k = 1; k <= d.hotel_count; ++k) {
        if (!match(k)) continue;
        std::string district = trim(at(d.hotel_district, k));
        if (state.district_filter == 0 || wanted.count(district) != 0) {
            hits.hotel_hit_list.push_back(k);
            if (hits.hotel_hit_count() >= limit)
                break;  // the hit that reaches the limit is listed, nothing after it
        }
        if (seen.count(district) != 0) continue;
        if (hits.result_district_count() >= hotel_bounds::result_districts) {
            hits.result_district_truncated = true;
            continue;
        }
        seen.insert(district);
        hits.result_district.push_back(std::move(district));
    }
    return hits;
}

// The equality searches compare the key without blanks of either width: a key accepted with
// blanks around it then still finds its prefecture or airport.
std::string equality_key(const HotelSearchState& s) { return trim_wide(s.search_key_text); }
std::string containment_key(const HotelSearchState& s) { return trim(s.search_key_text); }

}  // namespace

HotelHits search_by_prefecture(const HotelData& d, const HotelSearchState& s, int hotel_limit) {
    const std::string key = equality_key(s);
    return run_search(d, s, hotel_limit, [&](int k) {
        const std::string* name = pref_of(d, k);
        return name != nullptr && *name == key;
    });
}

HotelHits search_by_airport(const HotelData& d, const HotelSearchState& s, int hotel_limit) {
    const std::string key = fold_airport(equality_key(s));
    return run_search(d, s, hotel_limit, [&](int k) {
        const std::string* name = airport_of(d, k);
        return name != nullptr && *name == key;
    });
}

HotelHits search_by_name(const HotelData& d, const HotelSearchState& s, int hotel_limit) {
    const std::string key = containment_key(s);
    return run_search(d, s, hotel_limit, [&](int k) { return contains(at(d.hotel_name, k), key); });
}

HotelHits search_by_district(const HotelData& d, const HotelSearchState& s, int hotel_limit) {
    const std::string key = containment_key(s);
    return run_search(d, s, hotel_limit, [&](int k) { return contains(at(d.hotel_district, k), key); });
}

HotelHits search_by_station(const HotelData& d, const HotelSearchState& s, int hotel_limit) {
    const std::string key = containment_key(s);
    return run_search(d, s, hotel_limit, [&](int k) { return contains(at(d.hotel_access, k), key); });
}

HotelHits search_by_keyword(const HotelData& d, const HotelSearchState& s, int hotel_limit) {
    const std::string key = containment_key(s);
    return run_search(d, s, hotel_limit, [&](int k) {
        const std::string* pref = pref_of(d, k);
        const std::string* airport = airport_of(d, k);
        if ((pref && contains(*pref, key)) || (airport && contains(*airport, key))) return true;
        if (contains(at(d.hotel_name, k), key) || contains(at(d.hotel_district, k), key) ||
            contains(at(d.hotel_access, k), key))
            return true;
        const std::string& note = at(d.hotel_note, k);
        return !note.empty() && contains(narrow_to_wide(note), key);
    });
}

HotelHits search_hotels(const HotelData& d, const HotelSearchState& s, int hotel_limit) {
    switch (s.search_kind) {
        case kind_pref:
            return search_by_prefecture(d, s, hotel_limit);
        case kind_airport:
            return search_by_airport(d, s, hotel_limit);
        case kind_name:
            return search_by_name(d, s, hotel_limit);
        case kind_district:
            return search_by_district(d, s, hotel_limit);
        case kind_station:
            return search_by_station(d, s, hotel_limit);
        case kind_free:
            return search_by_keyword(d, s, hotel_limit);
        default:
            return {};
    }
}

// ---- sorting ----

namespace {

const char* const sort_keys[] = {"ホテル都道府県", "ホテル空港",   "ホテル詳細", "ホテル名",
                                 "ホテル電話",     "ホテル部屋数", "ホテル料金"};

std::string location_text(std::int64_t p, std::int64_t a, std::int64_t dn) {
    // Districts are multiplied by 2000 although their table goes to 3000; data producers keep
    // district rows below 2000.
    return format_number((p * 100 + a) * 2000 + dn, "00000000000");
}

}  // namespace

bool is_hotel_sort_key(std::string_view key) {
    return std::find(std::begin(sort_keys), std::end(sort_keys), key) != std::end(sort_keys);
}

std::pair<std::string, std::string> hotel_sort_keys(const HotelData& d, int k, std::string_view sort_key) {
    const auto i = static_cast<std::size_t>(k);
    const std::int64_t p = d.hotel_pref[i], a = d.hotel_airport[i], dn = d.hotel_district_no[i];
    if (sort_key == "ホテル空港")
        return {format_number((a * 50 + p) * 2000 + dn, "00000000000"), d.hotel_name[i]};
    if (sort_key == "ホテル詳細")
        return {format_number((dn * 50 + p) * 100 + a, "00000000000"), d.hotel_name[i]};
    if (sort_key == "ホテル名") return {d.hotel_name[i], std::string()};
    if (sort_key == "ホテル電話")
        return {d.hotel_tel[i].empty() ? "9999999999999" : d.hotel_tel[i], std::string()};
    if (sort_key == "ホテル部屋数")
        return {d.hotel_rooms[i].empty() ? "99999" : format_number(leading_number(d.hotel_rooms[i]), "00000"),
                location_text(p, a, dn)};
    if (sort_key == "ホテル料金")
        return {d.hotel_price_value[i] == 0 ? "999999" : format_number(d.hotel_price_value[i], "000000"),
                location_text(p, a, dn)};
    return {location_text(p, a, dn), d.hotel_name[i]};
}

void exchange_sort_by_rank(std::vector<int>& items, std::vector<int>& ranks) { exchange_sort(ranks, items); }

void sort_hotel(const HotelData& data, std::vector<int>& hits, std::string_view sort_key) {
    const std::size_t n = hits.size();
    if (n < 2) return;
    std::vector<std::pair<std::string, std::string>> keys(n);
    for (std::size_t i = 0; i < n; ++i) keys[i] = hotel_sort_keys(data, hits[i], sort_key);
    // Ranks: equal key pairs share a rank, so only the order of the texts matters from here on.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<int> ranks(n);
    int rank = 0;
    for (std::size_t r = 0; r < n; ++r) {
        if (r > 0 && keys[order[r - 1]] < keys[order[r]]) ++rank;
        ranks[order[r]] = rank;
    }
    exchange_sort_by_rank(hits, ranks);
}

// ---- the grid ----

std::array<std::string, grid_columns> grid_headings(std::string_view sort_key) {
    std::array<std::string, grid_columns> h = {"地区", "ホテル名",    "電話番号",  "部屋数",
                                               "交通", "料金(ｼﾝｸﾞﾙ)", "備考(評価)"};
    int marked = -1;
    if (sort_key == "ホテル詳細") marked = 0;
    if (sort_key == "ホテル名") marked = 1;
    if (sort_key == "ホテル電話") marked = 2;
    if (sort_key == "ホテル部屋数") marked = 3;
    if (sort_key == "ホテル料金") marked = 5;
    if (marked >= 0) h[marked] = "▼ " + h[marked];
    return h;
}

std::string format_rooms(std::string_view rooms) {
    const std::string t = trim(rooms);
    if (!is_all_digits(t)) return std::string(rooms);
    const std::size_t first = t.find_first_not_of('0');
    return first == std::string::npos ? std::string() : t.substr(first);
}

std::array<std::string, grid_columns> hotel_cell_texts(const HotelData& d, int k) {
    const auto i = static_cast<std::size_t>(k);
    return {d.hotel_district[i], d.hotel_name[i],  d.hotel_tel[i], format_rooms(d.hotel_rooms[i]),
            d.hotel_access[i],   d.hotel_price[i], d.hotel_note[i]};
}

bool hotel_has_link(const HotelData& d, int k) {
    const auto i = static_cast<std::size_t>(k);
    return d.hotel_site_code[i] != 0 || !d.hotel_reservation_query[i].empty() || !d.hotel_url[i].empty();
}

Rgb hotel_row_colour(const HotelData& d, int k) { return hotel_has_link(d, k) ? link_colour : plain_colour; }

int chars_per_line(int column, int width_twips) {
    const bool half_width = column == 2 || column == 3 || column == 5;
    return width_twips / (half_width ? 90 : 180);
}

int hotel_row_height(const std::array<std::string, grid_columns>& cells,
                     const std::array<int, grid_columns>& widths) {
    std::size_t lines = 1;
    for (std::size_t c = 0; c < grid_columns; ++c) {
        // A column narrower than one character still shows one character per line.
        const auto per_line =
            static_cast<std::size_t>(std::max(1, chars_per_line(static_cast<int>(c), widths[c])));
        const std::size_t length = char_count(cells[c]);
        lines = std::max(lines, (length + per_line - 1) / per_line);
    }
    static constexpr int heights[] = {225, 405, 585, 765, 945};
    return heights[std::min<std::size_t>(lines, 5) - 1];
}

std::string hotel_title_line(int kind, const std::string& key, int count) {
    std::string t;
    switch (kind) {
        case kind_pref:
            t = "都道府県別検索：" + key + " 地区";
            break;
        case kind_airport:
            t = "空港別検索：" + key + " 空港";
            break;
        case kind_name:
            t = "ホテル名検索：" + key;
            break;
        case kind_district:
            t = "地区名検索：" + key;
            break;
        case kind_station:
            t = "最寄り駅名検索：" + key;
            break;
        case kind_free:
            t = "フリーキーワード検索：" + key;
            break;
        default:
            break;
    }
    if (count >= 0) t += " (" + std::to_string(count) + "件)";
    return t;
}

// ---- pages ----

namespace {

std::string base_address(const std::string& host) {
    std::string h = trim(host);
    while (!h.empty() && h.back() == '/') h.pop_back();
    if (h.find("://") == std::string::npos) h = "http://" + h;
    return h;
}

}  // namespace

std::array<std::string, 3> hotel_page_addresses(const HotelData& d, int k, HotelPage page,
                                                const HotelHosts& hosts) {
    const auto i = static_cast<std::size_t>(k);
    std::array<std::string, 3> a;
    // A host the deployment has not configured opens nothing rather than an address without a host.
    const auto on = [](const std::string& host, const std::string& path) {
        return trim(host).empty() ? std::string() : base_address(host) + path;
    };
    if (d.hotel_site_code[i] != 0) {
        const std::string c = trim(format_number(d.hotel_site_code[i], "#####"));
        a[0] = page == HotelPage::info ? on(hosts.madoguchi_info, "/HOTEL/" + c + "/" + c + ".html")
                                       : on(hosts.madoguchi_rsv, "/my/ry_kensaku.k1?f_no=" + c);
    }
    if (!d.hotel_reservation_query[i].empty())
        a[1] = on(hosts.best_reserve, "/best/s?" + d.hotel_reservation_query[i]);
    if (!d.hotel_url[i].empty()) a[2] = d.hotel_url[i];
    if (a[2] == a[1]) a[1].clear();
    for (std::string& address : a)
        if (!is_web_address(address)) address.clear();
    return a;
}

std::pair<bool, bool> hotel_page_buttons(const HotelData& d, int k) {
    const auto i = static_cast<std::size_t>(k);
    if (d.hotel_site_code[i] != 0) return {true, true};
    if (!d.hotel_url[i].empty()) return {true, false};
    if (!d.hotel_reservation_query[i].empty()) return {true, true};
    return {false, false};
}

bool is_web_address(std::string_view address) {
    return address.starts_with("http://") || address.starts_with("https://");
}

HotelHits run_hotel_search(const HotelData& data, const HotelSearchState& state, int hotel_limit,
                           std::string_view sort_key) {
    HotelHits hits = search_hotels(data, state, hotel_limit);
    sort_hotel(data, hits.hotel_hit_list, sort_by_pref);
    if (sort_key != sort_by_pref) sort_hotel(data, hits.hotel_hit_list, sort_key);
    return hits;
}

bool reservation_notice_due(int reservation_notices_shown) { return reservation_notices_shown < 3; }

}  // namespace quorvel
