// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/conditions.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/text.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

namespace {

// A field is numeric when, blanks aside, it is an optional sign followed by ASCII digits.
bool is_numeric(std::string_view text) {
    const std::string t = trim(text);
    std::string_view digits = t;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
    return is_all_digits(digits);
}

// The value of a field, held in 16 bits like the condition values it feeds.
int value_of(std::string_view text) {
    const std::int64_t v = leading_number(trim(text));
    return static_cast<int>(std::clamp<std::int64_t>(v, INT16_MIN, INT16_MAX));
}

// The shared rule of the hour and minute fields: an empty field receives its default first.
int check_number_field(std::string& field, std::string_view default_text, int low, int high) {
    if (trim(field).empty()) field = std::string(default_text);
    if (!is_numeric(field)) return 1;
    const int v = value_of(field);
    return v < low || v > high ? 1 : 0;
}

int check_hour(std::string& field, std::string_view default_text) {
    return check_number_field(field, default_text, 5, 24);
}

int check_minute(std::string& field, std::string_view default_text) {
    return check_number_field(field, default_text, 0, 59);
}

// A window runs forwards when its end is not before its start (minutes compared on equal hours).
bool window_in_order(const TimeWindowTexts& w) {
    const int start_hour = value_of(w.from_hour), end_hour = value_of(w.to_hour);
    if (start_hour < end_hour) return true;
    return start_hour == end_hour && value_of(w.to_minute) >= value_of(w.from_minute);
}

bool is_airport(std::string_view name, const CheckSettings& settings) {
    return std::find(settings.airports.begin(), settings.airports.end(), name) != settings.airports.end();
}

int effective_wait_limit(const CheckSettings& settings) {
    return settings.wait_limit_minutes == 0 ? 240 : settings.wait_limit_minutes;
}

int hhmm_of(const std::string& hour, const std::string& minute) {
    return value_of(hour) * 100 + value_of(minute);
}

std::string number_text(int v) { return std::to_string(v); }

}  // namespace

std::span<const std::string> airport_names(const Timetable& tt) {
    const auto count = static_cast<std::size_t>(std::clamp<int>(tt.airport_count, 0, bounds::airports));
    return tt.airport_name.rows(static_cast<int>(count));
}

std::string msg_wait_limit(int wait_limit_minutes) {
    return "待ち合わせ時間は" + to_fullwidth_digits(number_text(wait_limit_minutes)) + "分以内としてください";
}

std::string msg_window_width(int window_limit_hours) {
    return "出発時刻の範囲は" + to_fullwidth_digits(number_text(window_limit_hours)) +
           "時間以内としてください";
}

namespace {

// Each check returns whether its field is accepted.

bool check_airport(SearchForm& form, const CheckSettings& settings) {
    form.message.clear();
    if (is_airport(trim(form.from_airport), settings)) return true;
    form.message = msg_input_error;
    return false;
}

bool check_destination(SearchForm& form, const CheckSettings& settings) {
    form.message.clear();
    const std::string to = trim(form.to_airport);
    if (trim(form.from_airport) == to) {
        form.message = msg_same_airports;
        return false;
    }
    if (is_airport(to, settings)) return true;
    form.message = msg_input_error;
    return false;
}

// The hour and minute fields of a window; the last minute also checks that the window runs forwards.
// Defaults of an empty field: departure 5:00 to 23:59, arrival 6:00 to 23:59.
bool check_window_field(TimeWindowTexts& w, int part, std::string_view first_hour) {
    switch (part) {
        case 0:
            return check_hour(w.from_hour, first_hour) == 0;
        case 1:
            return check_minute(w.from_minute, "0") == 0;
        case 2:
            return check_hour(w.to_hour, "23") == 0;
        default:
            return check_minute(w.to_minute, "59") == 0 && window_in_order(w);
    }
}

bool check_wait(SearchForm& form, const CheckSettings& settings) {
    form.message.clear();
    const int limit = effective_wait_limit(settings);
    if (trim(form.max_wait).empty()) form.max_wait = "60";
    if (!is_numeric(form.max_wait)) {
        form.message = msg_not_numeric;
        return false;
    }
    const int v = value_of(form.max_wait);
    if (v < 0 || v > limit) {
        form.message = msg_wait_limit(limit);
        return false;
    }
    return true;
}

// A search with connections may not span more than window_limit_hours of departures.
bool check_window_width(SearchForm& form, const CheckSettings& settings) {
    form.message.clear();
    if (form.connections == Connections::none) return true;
    if (value_of(form.departure.to_hour) - value_of(form.departure.from_hour) > settings.window_limit_hours) {
        form.message = msg_window_width(settings.window_limit_hours);
        return false;
    }
    return true;
}

bool check_year(const SearchForm& form, SearchConditions& cond, const CheckSettings& settings) {
    cond.travel_year = value_of(form.travel_year);
    if (!is_numeric(form.travel_year)) return false;
    // Four digits at most: the date is written "yyyy/mm/dd" to become a day number.
    return cond.travel_year >= civil_date(settings.today).year && cond.travel_year <= 9999;
}

bool check_month(const SearchForm& form, SearchConditions& cond) {
    cond.travel_month = value_of(form.travel_month);
    if (!is_numeric(form.travel_month)) return false;
    return cond.travel_month >= 1 && cond.travel_month <= 12;
}

// The year and month checks, then the day; an accepted day becomes the travel date.
FieldCheck check_day(const SearchForm& form, SearchConditions& cond, const CheckSettings& settings) {
    std::optional<Field> refused;
    if (!check_year(form, cond, settings)) refused = Field::travel_year;
    if (!check_month(form, cond) && !refused) refused = Field::travel_month;
    cond.travel_day = value_of(form.travel_day);
    // Only a real date becomes a day number; a year outside 1..9999 has no "yyyy" to write.
    if (!is_numeric(form.travel_day) || cond.travel_year < 1 || cond.travel_year > 9999 ||
        !is_valid_date(cond.travel_year, cond.travel_month, cond.travel_day))
        return {false, refused.value_or(Field::travel_day)};
    cond.travel_date = day_number(cond.travel_year, cond.travel_month, cond.travel_day);
    cond.travel_weekday = weekday(cond.travel_date);
    return {true, refused.value_or(Field::from_airport)};
}

// Enter moves on through the form; the wait hands over to the search button.
Field next_field(Field f) {
    return f == Field::max_wait ? Field::search_button : static_cast<Field>(static_cast<int>(f) + 1);
}

}  // namespace

std::string& SearchForm::text(Field field) {
    return const_cast<std::string&>(static_cast<const SearchForm&>(*this).text(field));
}

const std::string& SearchForm::text(Field field) const {
    switch (field) {
        case Field::from_airport:
            return from_airport;
        case Field::departure_from_hour:
            return departure.from_hour;
        case Field::departure_from_minute:
            return departure.from_minute;
        case Field::departure_to_hour:
            return departure.to_hour;
        case Field::departure_to_minute:
            return departure.to_minute;
        case Field::to_airport:
            return to_airport;
        case Field::arrival_from_hour:
            return arrival.from_hour;
        case Field::arrival_from_minute:
            return arrival.from_minute;
        case Field::arrival_to_hour:
            return arrival.to_hour;
        case Field::arrival_to_minute:
            return arrival.to_minute;
        case Field::max_wait:
            return max_wait;
        case Field::travel_year:
            return travel_year;
        case Field::travel_month:
            return travel_month;
        case Field::travel_day:
        case Field::search_button:
            break;
    }
    return travel_day;
}

int count_of(Connections connections) { return static_cast<int>(connections); }

Connections connections_for(int connection_count) {
    return connection_count == 1   ? Connections::one
           : connection_count == 2 ? Connections::two
                                   : Connections::none;
}

FieldCheck check_field(Field field, SearchForm& form, SearchConditions& cond, const CheckSettings& settings) {
    bool ok = false;
    switch (field) {
        case Field::from_airport:
            ok = check_airport(form, settings);
            break;
        case Field::departure_from_hour:
        case Field::departure_from_minute:
        case Field::departure_to_hour:
        case Field::departure_to_minute:
            ok = check_window_field(
                form.departure, static_cast<int>(field) - static_cast<int>(Field::departure_from_hour), "5");
            break;
        case Field::to_airport:
            ok = check_destination(form, settings);
            break;
        case Field::arrival_from_hour:
        case Field::arrival_from_minute:
        case Field::arrival_to_hour:
        case Field::arrival_to_minute:
            ok = check_window_field(
                form.arrival, static_cast<int>(field) - static_cast<int>(Field::arrival_from_hour), "6");
            break;
        case Field::max_wait:
            ok = check_wait(form, settings);
            break;
        case Field::travel_year:
            ok = check_year(form, cond, settings);
            break;
        case Field::travel_month:
            ok = check_month(form, cond);
            break;
        case Field::travel_day:
            return check_day(form, cond, settings);
        case Field::search_button:
            return {false, field};
    }
    return {ok, ok ? next_field(field) : field};
}

FullCheck check_search_form(SearchForm& form, SearchConditions& cond, const CheckSettings& settings,
                            const std::function<bool()>& confirm) {
    struct Step {
        Field focus;
        std::function<bool()> run;
    };
    const auto field = [&](Field f) {
        return Step{f, [&, f] { return check_field(f, form, cond, settings).accepted; }};
    };
    const Step steps[] = {
        field(Field::from_airport),
        field(Field::departure_from_hour),
        field(Field::departure_from_minute),
        field(Field::departure_to_hour),
        field(Field::departure_to_minute),
        field(Field::to_airport),
        field(Field::arrival_from_hour),
        field(Field::arrival_from_minute),
        field(Field::arrival_to_hour),
        field(Field::arrival_to_minute),
        // Both airports accepted: the message line is cleared.
        {Field::from_airport, [&] { return form.message.clear(), true; }},
        field(Field::max_wait),
        // A seat enquiry asks about direct flights only, whatever the option shows: the width limit
        // that keeps connection searches short does not apply to it.
        {Field::departure_from_hour,
         [&] { return cond.for_seat_enquiry == 1 || check_window_width(form, settings); }},
        field(Field::travel_year),
        field(Field::travel_month),
        {Field::travel_day, [&] { return check_day(form, cond, settings).accepted; }},
    };
    for (const Step& step : steps) {
        if (!step.run()) return {false, step.focus, false};
    }

    cond.travel_date = day_number(cond.travel_year, cond.travel_month, cond.travel_day);
    cond.travel_weekday = weekday(cond.travel_date);
    cond.from_airport = trim(form.from_airport);
    cond.to_airport = trim(form.to_airport);
    cond.departure_from = hhmm_of(form.departure.from_hour, form.departure.from_minute);
    cond.departure_to = hhmm_of(form.departure.to_hour, form.departure.to_minute);
    cond.arrival_from = hhmm_of(form.arrival.from_hour, form.arrival.from_minute);
    cond.arrival_to = hhmm_of(form.arrival.to_hour, form.arrival.to_minute);
    cond.max_wait = value_of(form.max_wait);

    if (cond.for_seat_enquiry != 1) {
        cond.connection_count = count_of(form.connections);
        if (cond.connection_count >= 1 && confirm && !confirm()) return {false, Field::from_airport, true};
    }
    cond.one_result_per_flight = form.one_per_flight ? 1 : 0;
    return {};
}

SearchForm initial_search_form(SearchConditions& cond, DayNumber today) {
    SearchForm form;
    const auto window = [](int from, int to) {
        return TimeWindowTexts{number_text(from / 100), number_text(from % 100), number_text(to / 100),
                               number_text(to % 100)};
    };
    form.from_airport = cond.from_airport;
    form.departure = window(cond.departure_from, cond.departure_to);
    form.to_airport = cond.to_airport;
    form.arrival = window(cond.arrival_from, cond.arrival_to);
    form.max_wait = number_text(cond.max_wait);
    form.connections = connections_for(cond.connection_count);
    form.one_per_flight = cond.one_result_per_flight == 1;

    const CivilDate shown = cond.travel_date != 0
                                ? CivilDate{cond.travel_year, cond.travel_month, cond.travel_day}
                                : civil_date(today);
    form.travel_year = number_text(shown.year);
    form.travel_month = number_text(shown.month);
    form.travel_day = number_text(shown.day);

    // get_today: every run starts with today as the travel date.
    const CivilDate now = civil_date(today);
    cond.travel_date = today;
    cond.travel_year = now.year;
    cond.travel_month = now.month;
    cond.travel_day = now.day;
    cond.travel_weekday = weekday(today);
    return form;
}

}  // namespace quorvel
