// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/day_number.hpp"

#include <array>
#include <cstdio>

#include "common/text.hpp"

namespace quorvel {

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian calendar).
std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr std::int64_t unix_epoch_day = 25569;  // 1970-01-01 counted from 1899-12-30

}  // namespace

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
    static constexpr std::array<int, 13> days{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && is_leap_year(year) ? 29 : days[month];
}

bool is_valid_date(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= days_in_month(year, month);
}

DayNumber day_number(int year, int month, int day) {
    return static_cast<DayNumber>(
        days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + unix_epoch_day);
}

CivilDate civil_date(DayNumber day) {
    std::int64_t z = static_cast<std::int64_t>(day) - unix_epoch_day + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    return CivilDate{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

int weekday(DayNumber day) {
    // Day 0 (1899-12-30) was a Saturday.
    int r = static_cast<int>((static_cast<std::int64_t>(day) + 6) % 7);
    if (r < 0) r += 7;
    return r + 1;
}

std::string_view weekday_name(int weekday) {
    static constexpr std::array<std::string_view, 8> names{"", "日", "月", "火", "水", "木", "金", "土"};
    if (weekday < 1 || weekday > 7) return {};
    return names[weekday];
}

std::string format_date(DayNumber day) {
    const CivilDate c = civil_date(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", c.year, c.month, c.day);
    return buf;
}

std::string format_date_weekday(DayNumber day) {
    return format_date(day) + " (" + std::string(weekday_name(weekday(day))) + ")";
}

std::string format_date_weekday_wide(DayNumber day) {
    return format_date(day) + "（" + std::string(weekday_name(weekday(day))) + "）";
}

std::string format_weekday_paren(DayNumber day) {
    return "(" + std::string(weekday_name(weekday(day))) + ")";
}

std::optional<DayNumber> parse_date(std::string_view text) {
    const std::string t = trim(text);
    int parts[3] = {0, 0, 0};
    std::size_t digits[3] = {0, 0, 0};
    int part = 0;
    for (char ch : t) {
        if (ch == '/') {
            if (++part > 2) return std::nullopt;
        } else if (ch >= '0' && ch <= '9') {
            if (++digits[part] > 4) return std::nullopt;
            parts[part] = parts[part] * 10 + (ch - '0');
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits[0] != 4 || digits[1] == 0 || digits[1] > 2 || digits[2] == 0 || digits[2] > 2)
        return std::nullopt;
    if (!is_valid_date(parts[0], parts[1], parts[2])) return std::nullopt;
    return day_number(parts[0], parts[1], parts[2]);
}

}  // namespace quorvel
