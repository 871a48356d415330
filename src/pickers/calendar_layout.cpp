// SPDX-License-Identifier: GPL-3.0-or-later
#include "pickers/calendar_layout.hpp"

#include "common/format.hpp"
#include "common/text.hpp"

namespace quorvel {

std::array<int, 43> month_grid(const CalendarMonth& month) {
    std::array<int, 43> button_day{};
    if (!is_valid_date(month.cal_year, month.cal_month, 1)) return button_day;
    const int w = weekday(day_number(month.cal_year, month.cal_month, 1));
    const int days = days_in_month(month.cal_year, month.cal_month);
    for (int d = 1; d <= days; ++d) button_day[w + d - 1] = d;
    return button_day;
}

CalendarMonth month_for_scroll(int today_year, int today_month, int v) {
    const int m = today_month + v - 1;
    CalendarMonth c;
    c.cal_year = today_year + (m - 1) / 12;
    c.cal_month = m % 12 == 0 ? 12 : m % 12;
    return c;
}

std::string calendar_text(const CalendarMonth& month) {
    return format_number(month.cal_year, "0000") + "/" + format_number(month.cal_month, "#0");
}

std::optional<CalendarMonth> parse_calendar_text(std::string_view text, int today_year, int today_month) {
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::int64_t year = leading_number(text.substr(0, slash));
    const std::int64_t month = leading_number(text.substr(slash + 1));
    if (month < 1 || month > 12) return std::nullopt;
    const std::int64_t offset = (year - today_year) * 12 + (month - today_month);
    if (offset < 0 || offset >= calendar_months) return std::nullopt;
    return CalendarMonth{static_cast<int>(year), static_cast<int>(month)};
}

std::optional<CalendarChoice> calendar_choice(const CalendarMonth& month, int day) {
    if (!is_valid_date(month.cal_year, month.cal_month, day)) return std::nullopt;
    CalendarChoice c;
    c.travel_year = month.cal_year;
    c.travel_month = month.cal_month;
    c.travel_day = day;
    c.travel_date = day_number(c.travel_year, c.travel_month, c.travel_day);
    c.travel_weekday = weekday(c.travel_date);
    const CivilDate d = civil_date(c.travel_date);
    c.year_text = format_number(d.year, "0000");
    c.month_text = format_number(d.month, "00");
    c.day_text = format_number(d.day, "00");
    c.weekday_text = format_weekday_paren(c.travel_date);
    return c;
}

}  // namespace quorvel
