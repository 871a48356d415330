// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotel/hotel_data.hpp"

#include <cmath>
#include <cstring>
#include <limits>

#include "common/text.hpp"

namespace quorvel {

namespace {

template <class T>
void size_table(std::vector<T>& v, int bound) {
    v.assign(static_cast<std::size_t>(bound) + 1, T{});
}

std::int32_t clamp_i32(std::int64_t v) {
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

}  // namespace

HotelData::HotelData() {
    using namespace hotel_bounds;
    for (auto* t : {&pref_area, &pref_name, &pref_alias}) size_table(*t, prefs);
    size_table(pref_hotel_count, prefs);
    size_table(area_name, areas);
    area_name[0] = "全国";
    area_caption = {"全国エリア", "北海道エリア", "東北エリア", "北陸・中部エリア", "東京エリア",
                    "大阪エリア", "中国エリア",   "四国エリア", "九州エリア",       "沖縄エリア"};
    for (auto& t : extra) size_table(t, extras);
    size_table(airport_name, airports);
    size_table(airport_area, airports);
    size_table(airport_hotel_count, airports);
    size_table(district_name, districts);
    for (auto* t : {&hotel_site_code, &hotel_pref, &hotel_airport, &hotel_district_no, &hotel_price_value})
        size_table(*t, hotels);
    for (auto* t : {&hotel_district, &hotel_name, &hotel_tel, &hotel_rooms, &hotel_access, &hotel_price,
                    &hotel_note, &hotel_url, &hotel_address, &hotel_reservation_query, &hotel_remark})
        size_table(*t, hotels);
    size_table(hotel_unmatched, hotels);
    for (auto* t : {&inquiry_name, &inquiry_note, &inquiry_url}) size_table(*t, inquiries);
    for (auto* t : {&user_pref_name, &user_airport_name, &user_district_name, &user_hotel_name, &user_tel,
                    &user_rooms, &user_access, &user_price, &user_note})
        size_table(*t, user_hotels);
    for (auto* t : {&user_pref, &user_airport, &user_district, &user_price_value})
        size_table(*t, user_hotels);
}

UserHotelFields HotelData::user_fields(int r) const {
    const auto i = static_cast<std::size_t>(r);
    return {user_pref_name[i], user_airport_name[i], user_district_name[i], user_hotel_name[i], user_tel[i],
            user_rooms[i],     user_access[i],       user_price[i],         user_note[i]};
}

double decode_record_number(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    // Exponents 0..23 above 1.0: the value is a whole or fractional number in [1, 2^24).
    if (bits < 0x3F800000u || bits >= 0x4B800000u) return 0.0;
    float f = 0;
    std::memcpy(&f, &bits, sizeof f);
    return static_cast<double>(f);
}

std::int32_t record_no_pattern(int n) {
    const float f = static_cast<float>(n);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return static_cast<std::int32_t>(bits);
}

std::int64_t currency_amount(std::string_view text) {
    std::string t = trim(text);
    bool negative = false;
    std::size_t i = 0;
    auto skip_blanks = [&] {
        while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    };
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-', skip_blanks();
    if (i < t.size() && t[i] == '\\') ++i, skip_blanks();
    if (i < t.size() && (t[i] == '-' || t[i] == '+') && !negative) negative = t[i++] == '-', skip_blanks();
    std::int64_t whole = 0;
    bool any = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            if (whole < 100'000'000'000'000LL) whole = whole * 10 + (c - '0');
            any = true;
        } else if (c != ',') {
            break;
        }
    }
    if (!any) return 0;
    if (i < t.size() && t[i] == '.') {
        ++i;
        const bool round_up = i < t.size() && t[i] >= '5' && t[i] <= '9';
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        if (round_up) ++whole;
    }
    skip_blanks();
    if (i != t.size()) return 0;  // trailing text: not an amount
    return negative ? -whole : whole;
}

std::int32_t file_price_value(std::string_view price) {
    if (price.find('\\') != std::string_view::npos) {
        if (char_count(trim(price)) <= 1) return 0;
        return clamp_i32(currency_amount(price));
    }
    // Only the leading digits count: "6000円" is 6000, a text without digits in front is 0.
    std::int64_t v = 0;
    std::size_t i = 0;
    for (; i < price.size() && price[i] >= '0' && price[i] <= '9'; ++i)
        if (v < 100'000'000'000LL) v = v * 10 + (price[i] - '0');
    return clamp_i32(v);
}

std::int32_t user_price_value(std::string_view price) {
    if (price.find('\\') == std::string_view::npos) return 0;
    if (char_count(trim(price)) <= 1) return 0;
    return clamp_i32(currency_amount(price));
}

void resolve_user_rows(HotelData& data, int r) {
    const auto i = static_cast<std::size_t>(r);
    auto first_row = [](const std::vector<std::string>& names, int count, const std::string& name, int none) {
        for (int j = 1; j <= count; ++j)
            if (names[j] == name) return j;
        return none;
    };
    data.user_pref[i] = first_row(data.pref_name, data.pref_count, data.user_pref_name[i], user_no_pref);
    data.user_airport[i] =
        first_row(data.airport_name, data.airport_count, data.user_airport_name[i], user_no_airport);
    data.user_district[i] =
        first_row(data.district_name, data.district_count, data.user_district_name[i], user_no_district);
}

void copy_user_hotel(HotelData& data) {
    for (int r = 1; r <= data.user_hotel_count; ++r) {
        const auto u = static_cast<std::size_t>(r);
        const auto k = static_cast<std::size_t>(data.hotel_base_count + r);
        data.hotel_site_code[k] = 0;
        data.hotel_pref[k] = data.user_pref[u];
        data.hotel_airport[k] = data.user_airport[u];
        data.hotel_district[k] = data.user_district_name[u];
        data.hotel_district_no[k] = data.user_district[u];
        data.hotel_name[k] = data.user_hotel_name[u];
        data.hotel_tel[k] = data.user_tel[u];
        data.hotel_rooms[k] = data.user_rooms[u];
        data.hotel_access[k] = data.user_access[u];
        data.hotel_price[k] = data.user_price[u];
        data.hotel_note[k] = data.user_note[u];
        data.hotel_remark[k] = data.user_note[u];
        data.hotel_price_value[k] = data.user_price_value[u];
        // A user hotel has no links of its own; clearing them keeps a row that earlier held
        // another hotel from lending it one.
        data.hotel_url[k].clear();
        data.hotel_address[k].clear();
        data.hotel_reservation_query[k].clear();
        // Row 99 is a valid airport row when the table is that long, so "no match" is decided by
        // the name, not by the sentinel value.
        std::uint8_t unmatched = 0;
        const int p = data.user_pref[u], a = data.user_airport[u];
        if (p < 1 || p > data.pref_count || data.pref_name[p] != data.user_pref_name[u])
            unmatched |= unmatched_pref;
        if (a < 1 || a > data.airport_count || data.airport_name[a] != data.user_airport_name[u])
            unmatched |= unmatched_airport;
        data.hotel_unmatched[k] = unmatched;
    }
    data.hotel_count = data.hotel_base_count + data.user_hotel_count;
    data.user_hotel_merged = 1;
}

}  // namespace quorvel
