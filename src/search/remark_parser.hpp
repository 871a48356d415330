// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

#include "common/day_number.hpp"

namespace quorvel {

// The dates a flight's remark text (flight_remark) names, with their codes: 99 = no service on that
// date, anything else = minutes the flight moves that day (0 = no move).
inline constexpr int max_remark_dates = 150;
inline constexpr int max_remark_list = 100;  // entries of one ":" group
inline constexpr int remark_no_service = 99;

struct RemarkDates {
    std::array<DayNumber, max_remark_dates + 1> remark_dates{};  // 1..remark_count
    std::array<int, max_remark_dates + 1> remark_codes{};
    int remark_count = 0;
    // False when the text would overrun the 100-entry list or the 150 dates: such a remark is not
    // used at all and the flight keeps its weekday rule (remark_count is then 0).
    bool usable = true;
};

// The next delimiter (":" "/" "," "-" "&" ";") at or after the 1-based character position pos.
// A "-" exactly at pos is the sign of the number there, not a delimiter. Only positions below 99
// count; out_chr 'e' means the rest of the text is one final number.
struct Delimiter {
    char out_chr = 'e';
    int out_i = 0;
};
Delimiter check_chr(std::u32string_view in_data, int pos);
Delimiter check_chr(std::string_view in_data, int pos);  // UTF-8, positions in characters

// Parses a remark text. Dates without a year fall in today's year when their month is not before
// today's month, else in the next year. A month/day that is not a calendar date is left out.
RemarkDates parse_remark(std::string_view in_data, DayNumber today);

// The remark applied to one travel date.
struct TableCheck {
    int in_service = 1;  // 1 = the flight runs, 0 = no service
    int time_shift = 0;  // the weekday shift, replaced by a listed date's code
};
// A list whose first code is 0 is an inclusion list (unlisted dates have no service); any other
// first code makes an exception list. A remark that yields no date is treated as no remark.
TableCheck check_table(const RemarkDates& remark, DayNumber travel_date, int time_shift);
TableCheck check_table(std::string_view in_data, DayNumber travel_date, int time_shift, DayNumber today);

}  // namespace quorvel
