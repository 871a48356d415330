// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/day_number.hpp"

namespace quorvel {

// The month shown by the calendar picker.
struct CalendarMonth {
    int cal_year = 0;
    int cal_month = 0;
    bool operator==(const CalendarMonth&) const = default;
};

// The calendar reaches the current month and the 59 that follow; the scroll bar's values 1..60.
inline constexpr int calendar_months = 60;

// button_day(1..42): the day of the month on each button, 0 where the button is hidden.
// Seven buttons a row, Sunday first.
std::array<int, 43> month_grid(const CalendarMonth& month);

// The month for scroll value v (1..60), counted from today's month.
CalendarMonth month_for_scroll(int today_year, int today_month, int v);

// The year/month field's text, e.g. "2004/1".
std::string calendar_text(const CalendarMonth& month);

// Reads a year/month typed into the field. Accepted are the months the scroll bar reaches: the
// current month and the 59 following. Nothing for anything else.
std::optional<CalendarMonth> parse_calendar_text(std::string_view text, int today_year, int today_month);

// The travel date a click on a day of the shown month gives, with the texts the search form shows
// for it: year "yyyy", month "mm", day "dd", weekday "(aaa)".
struct CalendarChoice {
    int travel_year = 0, travel_month = 0, travel_day = 0;
    DayNumber travel_date = 0;
    int travel_weekday = 0;  // 1 = Sunday .. 7 = Saturday
    std::string year_text, month_text, day_text, weekday_text;
};
// Nothing when the day is not a day of that month (a hidden button).
std::optional<CalendarChoice> calendar_choice(const CalendarMonth& month, int day);

}  // namespace quorvel
