// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A date as a count of days with 1899-12-30 as day 0 (35000 is 1995-10-28).
using DayNumber = std::int32_t;

struct CivilDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    bool operator==(const CivilDate&) const = default;
};

bool is_leap_year(int year);
int days_in_month(int year, int month);
bool is_valid_date(int year, int month, int day);

DayNumber day_number(int year, int month, int day);  // the arguments must form a valid date
inline DayNumber day_number(const CivilDate& d) { return day_number(d.year, d.month, d.day); }
CivilDate civil_date(DayNumber day);

// 1 = Sunday .. 7 = Saturday.
int weekday(DayNumber day);
// The one-character Japanese name of weekday 1..7 ("日" .. "土"); empty outside that range.
std::string_view weekday_name(int weekday);

// "yyyy/mm/dd"
std::string format_date(DayNumber day);
// "yyyy/mm/dd (aaa)" with an ASCII blank and parentheses.
std::string format_date_weekday(DayNumber day);
// "yyyy/mm/dd（aaa）" with full-width parentheses.
std::string format_date_weekday_wide(DayNumber day);
// "(aaa)"
std::string format_weekday_paren(DayNumber day);

// Reads "yyyy/mm/dd" (one- or two-digit month and day accepted); nothing when it is not a real date.
std::optional<DayNumber> parse_date(std::string_view text);

}  // namespace quorvel
