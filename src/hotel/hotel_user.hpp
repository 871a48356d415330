// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/result.hpp"
#include "hotel/hotel_data.hpp"

namespace quorvel {

// The message shown when a 501st user hotel is added.
inline constexpr const char* user_hotel_full_message = "登録できるホテルは５００件までです";

// The labels of the edit window's nine fields, in the order of UserHotelFields. A refused field is
// named in its message by its label without the colon and the blanks that line the colons up.
inline constexpr std::array<const char*, 9> user_hotel_field_labels = {
    "都道府県名：", "空港名　　：", "地区名　　：", "ホテル名　：", "電話番号　：",
    "部屋数　　：", "交通　　　：", "料金　　　：", "備考　　　："};
std::string user_hotel_field_name(int field);

// hotelusr.csv as the registry writes it: per user hotel one line of nine fields in double quotes,
// separated by commas, ended by CR LF, in Shift-JIS. A double quote inside a field is doubled, which
// the reader turns back into one; a line break inside a field becomes a blank (a line is a hotel).
Result<std::string> user_hotel_csv(const HotelData& data);
// Writes the file atomically.
Status save_user_hotel(const std::filesystem::path& path, const HotelData& data);

// Writes the nine fields into user hotel n (1 <= n <= user_hotel_count + 1, n <= 500): the rows by
// exact match or 99 / 99 / 999, the price value by the user price rule and the price re-written as
// "\###,###,###". Clears user_hotel_merged. A row beyond the 500 the tables hold is refused.
Status store_user_hotel(HotelData& data, int n, const UserHotelFields& fields);
// Appends a user hotel (store_user_hotel on user_hotel_count + 1, then the count grows).
Status add_user_hotel(HotelData& data, const UserHotelFields& fields);

// Deletes the hotel shown in grid row `row` of the registry (user_order is 1-based, index 0
// unused): the later hotels move up one place, user_order keeps showing the same hotels in the
// same order, the count drops by one and user_hotel_merged is cleared.
void delete_user_hotel(HotelData& data, std::vector<int>& user_order, int row);

// user_order = 1, 2, ... user_hotel_count (index 0 unused), as when the registry opens.
std::vector<int> initial_user_order(const HotelData& data);
// The registry's sort keys for a column (0..8) and the sort texts of user hotel r.
std::string user_sort_key_for_column(int column);
std::pair<std::string, std::string> user_sort_keys(const HotelData& data, int r, std::string_view sort_key);
// Orders user_order (rows 1..count) by the exchange sort's order.
void sort_user_hotel(const HotelData& data, std::vector<int>& user_order, std::string_view sort_key);

// The edit window's price rule for the price field: a text without yen sign is rewritten as its number in
// "\###,###,###"; the value is the amount of the text as typed (0 refuses the price).
std::pair<std::string, std::int64_t> edit_price_rule(const std::string& price_text);

// The check of one field of the edit window (0-based), run by Enter in that field and, in field
// order, by saving. It may rewrite the field: the names lose the blanks the check ignored, an empty
// district takes the airport, the price gets the code page's yen sign for a typed "¥" or "￥" and is
// re-written by the price rule. Returns the message that refuses the field, empty when accepted.
// `add_update` is 追加更新, whose airport messages say "ホテル空港名".
std::string check_user_hotel_field(const HotelData& data, UserHotelFields& fields, int field,
                                   bool add_update);

// The saving checks of the edit window on its nine fields (fields[0..8]), in field order, stopping at
// the first refused field: its index and message.
struct UserHotelCheck {
    int field = -1;  // 0-based, -1 = accepted
    std::string message;
    bool ok() const { return field < 0; }
};
UserHotelCheck check_user_hotel(const HotelData& data, UserHotelFields& fields, bool add_update);

// The rooms as the registry's grid shows them ("#####"): a number without its fraction, nothing for
// 0; a text that is not a number is shown as it is.
std::string user_rooms_for_display(std::string_view rooms);
// The grid column that carries the marker of a sort key (columns without a key of their own sort by
// prefecture, so the prefecture column is marked).
int user_sort_column(std::string_view sort_key);

// The user tables as they were when the registry opened, so that 取消終了 can put them back
// without reading the file again.
struct UserHotelTables {
    int count = 0;
    std::vector<UserHotelFields> fields;               // rows 1..count at 0..count-1
    std::vector<std::array<std::int32_t, 4>> numbers;  // pref, airport, district, price value
};
UserHotelTables user_hotel_tables(const HotelData& data);
// Puts the tables back; rows beyond the restored count are emptied. The hotel table may hold the
// changed hotels, so the next search merges again.
void restore_user_hotel_tables(HotelData& data, const UserHotelTables& tables);

}  // namespace quorvel
