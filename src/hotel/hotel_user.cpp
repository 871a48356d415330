// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotel/hotel_user.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/file_io.hpp"
#include "common/format.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel {

namespace {

std::vector<std::string>* user_text_tables(HotelData& d, std::size_t f) {
    std::vector<std::string>* t[9] = {&d.user_pref_name,  &d.user_airport_name, &d.user_district_name,
                                      &d.user_hotel_name, &d.user_tel,          &d.user_rooms,
                                      &d.user_access,     &d.user_price,        &d.user_note};
    return t[f];
}

std::string quote_field(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += "\"\"";
        else if (c == '\r' || c == '\n')
            out += ' ';
        else
            out += c;
    }
    return out + "\"";
}

bool is_number(std::string_view text) {
    const std::string t = trim(text);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    bool digits = false;
    for (; i < t.size() && ((t[i] >= '0' && t[i] <= '9') || t[i] == ','); ++i) digits = digits || t[i] != ',';
    if (i < t.size() && t[i] == '.')
        for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) digits = true;
    return digits && i == t.size();
}

bool names_a_row(const std::vector<std::string>& names, int count, const std::string& key) {
    for (int j = 1; j <= count; ++j)
        if (names[j] == key) return true;
    return false;
}

}  // namespace

Result<std::string> user_hotel_csv(const HotelData& d) {
    std::string utf8;
    for (int r = 1; r <= d.user_hotel_count; ++r) {
        const UserHotelFields f = d.user_fields(r);
        for (std::size_t i = 0; i < f.size(); ++i) {
            if (i) utf8 += ',';
            utf8 += quote_field(f[i]);
        }
        utf8 += "\r\n";
    }
    auto sjis = utf8_to_sjis(utf8);
    if (!sjis)
        return make_error(ErrorCode::encoding,
                          std::string(user_hotel_file_name) + ": " + sjis.error().message);
    return sjis;
}

Status save_user_hotel(const std::filesystem::path& path, const HotelData& data) {
    auto bytes = user_hotel_csv(data);
    if (!bytes) return bytes.error();
    return write_file_atomically(path, *bytes);
}

Status store_user_hotel(HotelData& d, int n, const UserHotelFields& fields) {
    if (n < 1 || n > d.user_hotel_count + 1)
        return make_error(ErrorCode::invalid, "no user hotel " + std::to_string(n));
    if (n > hotel_bounds::user_hotels) return make_error(ErrorCode::invalid, user_hotel_full_message);
    const auto i = static_cast<std::size_t>(n);
    for (std::size_t f = 0; f < fields.size(); ++f) (*user_text_tables(d, f))[i] = fields[f];
    resolve_user_rows(d, n);
    std::int64_t value = 0;
    if (d.user_price[i].find('\\') != std::string::npos && char_count(trim(d.user_price[i])) > 1)
        value = currency_amount(d.user_price[i]);
    d.user_price_value[i] = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::int64_t{INT32_MIN}, std::int64_t{INT32_MAX}));
    d.user_price[i] = format_number(d.user_price_value[i], "\\\\###,###,###");
    d.user_hotel_merged = 0;
    return ok_status();
}

Status add_user_hotel(HotelData& d, const UserHotelFields& fields) {
    if (d.user_hotel_count >= hotel_bounds::user_hotels)
        return make_error(ErrorCode::invalid, user_hotel_full_message);
    Status s = store_user_hotel(d, d.user_hotel_count + 1, fields);
    if (s) ++d.user_hotel_count;
    return s;
}

void delete_user_hotel(HotelData& d, std::vector<int>& user_order, int row) {
    const int count = d.user_hotel_count;
    if (row < 1 || row > count || static_cast<std::size_t>(row) >= user_order.size()) return;
    const int k = user_order[row];
    if (k < 1 || k > count) return;
    for (int j = k; j < count; ++j) {
        const auto to = static_cast<std::size_t>(j), from = to + 1;
        for (std::size_t f = 0; f < 9; ++f)
            (*user_text_tables(d, f))[to] = std::move((*user_text_tables(d, f))[from]);
        for (auto* t : {&d.user_pref, &d.user_airport, &d.user_district, &d.user_price_value})
            (*t)[to] = (*t)[from];
    }
    const auto last = static_cast<std::size_t>(count);
    for (std::size_t f = 0; f < 9; ++f) (*user_text_tables(d, f))[last].clear();
    for (auto* t : {&d.user_pref, &d.user_airport, &d.user_district, &d.user_price_value}) (*t)[last] = 0;
    user_order.erase(user_order.begin() + row);
    for (std::size_t r = 1; r < user_order.size(); ++r)
        if (user_order[r] > k) --user_order[r];
    d.user_hotel_count = count - 1;
    d.user_hotel_merged = 0;
}

std::vector<int> initial_user_order(const HotelData& d) {
    std::vector<int> order(static_cast<std::size_t>(d.user_hotel_count) + 1, 0);
    for (int r = 1; r <= d.user_hotel_count; ++r) order[r] = r;
    return order;
}

std::string user_sort_key_for_column(int column) {
    switch (column) {
        case 1:
            return "ホテル空港";
        case 2:
            return "ホテル詳細";
        case 3:
            return "ホテル名";
        case 4:
            return "ホテル電話";
        case 5:
            return "ホテル部屋数";
        case 7:
            return "ホテル料金";
        default:
            return "ホテル都道府県";
    }
}

std::pair<std::string, std::string> user_sort_keys(const HotelData& d, int r, std::string_view sort_key) {
    const auto i = static_cast<std::size_t>(r);
    const std::int64_t p = d.user_pref[i], a = d.user_airport[i], dn = d.user_district[i];
    const std::string location = format_number((p * 100 + a) * 500 + dn, "0000000000");
    if (sort_key == "ホテル空港")
        return {format_number((a * 50 + p) * 500 + dn, "0000000000"), d.user_hotel_name[i]};
    if (sort_key == "ホテル詳細")
        return {format_number((dn * 50 + p) * 100 + a, "0000000000"), d.user_hotel_name[i]};
    if (sort_key == "ホテル名") return {d.user_hotel_name[i], std::string()};
    if (sort_key == "ホテル電話")
        return {d.user_tel[i].empty() ? "999999999999" : d.user_tel[i], std::string()};
    if (sort_key == "ホテル部屋数")
        return {d.user_rooms[i].empty() ? "99999" : format_number(leading_number(d.user_rooms[i]), "00000"),
                location};
    if (sort_key == "ホテル料金")
        return {d.user_price_value[i] == 0 ? "999999" : format_number(d.user_price_value[i], "000000"),
                location};
    return {location, d.user_hotel_name[i]};
}

void sort_user_hotel(const HotelData& d, std::vector<int>& user_order, std::string_view sort_key) {
    if (user_order.size() < 3) return;
    std::vector<int> items(user_order.begin() + 1, user_order.end());
    std::vector<std::pair<std::string, std::string>> keys;
    for (int r : items) keys.push_back(user_sort_keys(d, r, sort_key));
    // Ranks by key order; equal keys share a rank.
    std::vector<int> ranks(items.size());
    for (std::size_t a = 0; a < items.size(); ++a) {
        int below = 0;
        for (std::size_t b = 0; b < items.size(); ++b) below += keys[b] < keys[a] ? 1 : 0;
        ranks[a] = below;
    }
    exchange_sort_by_rank(items, ranks);
    std::copy(items.begin(), items.end(), user_order.begin() + 1);
}

std::pair<std::string, std::int64_t> edit_price_rule(const std::string& price_text) {
    std::string text = price_text;
    if (text.find('\\') == std::string::npos)
        text = format_number(leading_number(price_text), "\\\\###,###,###");
    const std::int64_t value = char_count(trim(price_text)) > 1 ? currency_amount(price_text) : 0;
    return {text, value};
}

std::string user_hotel_field_name(int field) {
    std::string name = user_hotel_field_labels.at(static_cast<std::size_t>(field));
    constexpr std::string_view colon = "：", wide_blank = "　";
    if (ends_with(name, colon)) name.resize(name.size() - colon.size());
    while (ends_with(name, wide_blank)) name.resize(name.size() - wide_blank.size());
    return name;
}

namespace {

std::string check_field_content(const HotelData& d, UserHotelFields& f, int field, bool add_update) {
    switch (field) {
        case 0:
            if (trim(f[0]).empty()) return "都道府県名は省略できません";
            if (!names_a_row(d.pref_name, d.pref_count, trim(f[0]))) return "都道府県名の入力誤りです";
            // The rows are looked up by exact match, so the accepted name is kept without the blanks
            // the check ignored; otherwise the hotel would be stored as matching no prefecture.
            f[0] = trim(f[0]);
            return {};
        case 1:
            if (trim(f[1]).empty())
                return add_update ? "ホテル空港名は省略できません" : "空港名は省略できません";
            if (!names_a_row(d.airport_name, d.airport_count, trim(f[1])))
                return add_update ? "ホテル空港名の入力誤りです" : "空港名の入力誤りです";
            f[1] = trim(f[1]);
            return {};
        case 2:
            if (f[2].empty()) f[2] = f[1];
            return {};
        case 3:
            return f[3].empty() ? "ホテル名は省略できません" : "";
        case 4:
            return f[4].empty() ? "電話番号は省略できません" : "";
        case 5:
            return is_number(f[5]) ? "" : "部屋数の入力に誤り(数字のみ可)";
        case 7: {
            auto [price, value] = edit_price_rule(yen_for_storage(f[7]));
            f[7] = price;
            return value == 0 ? "料金は省略できません" : "";
        }
        default:
            return {};
    }
}

}  // namespace

std::string check_user_hotel_field(const HotelData& d, UserHotelFields& f, int field, bool add_update) {
    std::string message = check_field_content(d, f, field, add_update);
    // hotelusr.csv is Shift-JIS: a character it cannot hold would make the whole file unwritable.
    if (message.empty() && !sjis_can_hold(f[static_cast<std::size_t>(field)]))
        message = user_hotel_field_name(field) + "に使用できない文字があります";
    return message;
}

UserHotelCheck check_user_hotel(const HotelData& d, UserHotelFields& f, bool add_update) {
    for (int field = 0; field < static_cast<int>(f.size()); ++field) {
        std::string message = check_user_hotel_field(d, f, field, add_update);
        if (!message.empty()) return {field, std::move(message)};
    }
    return {};
}

std::string user_rooms_for_display(std::string_view rooms) {
    if (!is_number(rooms)) return std::string(rooms);
    std::string plain(rooms);
    std::erase(plain, ',');
    return format_number(std::llround(leading_decimal(plain)), "#####");
}

int user_sort_column(std::string_view sort_key) {
    for (int column : {1, 2, 3, 4, 5, 7})
        if (user_sort_key_for_column(column) == sort_key) return column;
    return 0;
}

UserHotelTables user_hotel_tables(const HotelData& d) {
    UserHotelTables t;
    t.count = d.user_hotel_count;
    for (int r = 1; r <= d.user_hotel_count; ++r) {
        const auto i = static_cast<std::size_t>(r);
        t.fields.push_back(d.user_fields(r));
        t.numbers.push_back({d.user_pref[i], d.user_airport[i], d.user_district[i], d.user_price_value[i]});
    }
    return t;
}

void restore_user_hotel_tables(HotelData& d, const UserHotelTables& t) {
    for (int r = 1; r <= std::max(t.count, d.user_hotel_count); ++r) {
        const auto i = static_cast<std::size_t>(r);
        const bool kept = r <= t.count;
        for (std::size_t f = 0; f < 9; ++f)
            (*user_text_tables(d, f))[i] = kept ? t.fields[i - 1][f] : std::string();
        const std::array<std::int32_t, 4> n = kept ? t.numbers[i - 1] : std::array<std::int32_t, 4>{};
        d.user_pref[i] = n[0];
        d.user_airport[i] = n[1];
        d.user_district[i] = n[2];
        d.user_price_value[i] = n[3];
    }
    d.user_hotel_count = t.count;
    d.user_hotel_merged = 0;
}

}  // namespace quorvel
