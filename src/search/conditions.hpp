// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "common/day_number.hpp"
#include "search/search_types.hpp"

namespace quorvel {

struct Timetable;

// The fields of the search form, in the order Enter walks them. The focus moves from the wait
// to the search button, and from the travel day back to the departure airport.
enum class Field {
    from_airport,
    departure_from_hour,
    departure_from_minute,
    departure_to_hour,
    departure_to_minute,
    to_airport,
    arrival_from_hour,
    arrival_from_minute,
    arrival_to_hour,
    arrival_to_minute,
    max_wait,
    travel_year,
    travel_month,
    travel_day,
    search_button,  // not a text field: where the focus goes after the wait
};

enum class Connections { none, one, two };

// A time window as typed: hours and minutes of its first and last minute.
struct TimeWindowTexts {
    std::string from_hour, from_minute, to_hour, to_minute;
};

// The texts of the search form as the user left them. The checks write the default of an empty
// time or wait field back into it and write or clear the message line, so a window copies the
// texts in, runs a check and shows the texts again.
struct SearchForm {
    std::string from_airport, to_airport;
    TimeWindowTexts departure, arrival;
    std::string max_wait;
    std::string travel_year, travel_month, travel_day;
    std::string message;
    Connections connections = Connections::none;
    bool one_per_flight = false;  // "１便あたり１件"; otherwise every combination is listed

    // The text of a field (not search_button).
    std::string& text(Field field);
    const std::string& text(Field field) const;
};

// What the checks need besides the form.
struct CheckSettings {
    std::span<const std::string> airports;  // airport_name(1..airport_count)
    int window_limit_hours = 12;            // widest departure window with connections, hours
    int wait_limit_minutes = 240;           // largest wait accepted, minutes (0 reads as 240)
    DayNumber today = 0;                    // a travel year before today's year is refused
};

// The known airport names of a timetable, for CheckSettings::airports.
std::span<const std::string> airport_names(const Timetable& tt);

// The message texts of the checks.
inline constexpr std::string_view msg_input_error = "入力エラーです";
inline constexpr std::string_view msg_same_airports = "出発地と到着地が同じです";
inline constexpr std::string_view msg_not_numeric = "数字以外の文字が入力されています";
std::string msg_wait_limit(int wait_limit_minutes);  // "待ち合わせ時間は２４０分以内としてください"
std::string msg_window_width(int window_limit_hours);  // "出発時刻の範囲は１２時間以内としてください"

// The question the caller asks before a search with connections (title "確認メッセージ",
// OK/Cancel, help topic 217).
inline constexpr std::string_view connection_question =
    "乗り換え回数が１回以上の場合、検索に時間がかかります";
inline constexpr std::string_view connection_question_title = "確認メッセージ";
inline constexpr int connection_question_help = 217;

// The check of one field, as Enter in that field runs it: whether the field was accepted and where
// the focus goes (the next field when accepted, else the field itself; a refused year or month
// takes the focus back from the day). The date checks keep the entered parts in travel_year,
// travel_month and travel_day even when refused; an accepted day sets travel_date and travel_weekday.
struct [[nodiscard]] FieldCheck {
    bool accepted = true;
    Field focus = Field::from_airport;
};
FieldCheck check_field(Field field, SearchForm& form, SearchConditions& cond, const CheckSettings& settings);

// The full check before a search. On success the condition values are set from the form. With
// connections in a timetable search, `confirm` is asked (connection_question); its false ends the
// check refused, after the airports, times, wait, date and connection_count have already been taken over.
// In a seat enquiry (cond.for_seat_enquiry == 1) the options are not read and nothing is asked.
struct [[nodiscard]] FullCheck {
    bool accepted = true;
    Field focus = Field::from_airport;  // the field of the first refused check
    bool cancelled = false;             // refused because confirm answered false
};
FullCheck check_search_form(SearchForm& form, SearchConditions& cond, const CheckSettings& settings,
                            const std::function<bool()>& confirm);

// The form as the main window starts: texts from the last search's values (kept in the settings file),
// the option of connection_count and one_result_per_flight; then the travel date becomes today, in the form
// and in cond (travel_date and its parts).
SearchForm initial_search_form(SearchConditions& cond, DayNumber today);

// The connection choice as the condition values count it (connection_count 0, 1, 2) and back.
int count_of(Connections connections);
Connections connections_for(int connection_count);

}  // namespace quorvel
