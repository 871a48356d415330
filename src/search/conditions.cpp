#include "search/conditions.hpp"

#include <algorithm>
#include <cstdint>

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
bool window_in_order(const SearchForm& form, int h1, int m1, int h2, int m2) {
    const int start_hour = value_of(form.text[h1]), end_hour = value_of(form.text[h2]);
    if (start_hour < end_hour) return true;
    return start_hour == end_hour && value_of(form.text[m2]) >= value_of(form.text[m1]);
}

bool is_airport(std::string_view name, const CheckSettings& settings) {
    return std::find(settings.airports.begin(), settings.airports.end(), name) != settings.airports.end();
}

int effective_check_minite(const CheckSettings& settings) {
    return settings.check_minite == 0 ? 240 : settings.check_minite;
}

int hhmm_of(const SearchForm& form, int hour_field, int minute_field) {
    return value_of(form.text[hour_field]) * 100 + value_of(form.text[minute_field]);
}

std::string number_text(int v) { return std::to_string(v); }

}  // namespace

std::span<const std::string> airport_names(const Timetable& tt) {
    const auto count = static_cast<std::size_t>(std::clamp<int>(tt.apt_count, 0, bounds::airports));
    return std::span<const std::string>(tt.apt_name).subspan(1, count);
}

std::string msg_wait_limit(int check_minite) {
    return "待ち合わせ時間は" + to_fullwidth_digits(number_text(check_minite)) + "分以内としてください";
}

std::string msg_window_width(int check_hours) {
    return "出発時刻の範囲は" + to_fullwidth_digits(number_text(check_hours)) + "時間以内としてください";
}

int chk_text1(SearchForm& form, const CheckSettings& settings) {
    form.message().clear();
    if (is_airport(trim(form.text[1]), settings)) return 0;
    form.message() = msg_input_error;
    return 1;
}

int chk_text2(SearchForm& form) { return check_hour(form.text[2], "5"); }
int chk_text3(SearchForm& form) { return check_minute(form.text[3], "0"); }
int chk_text4(SearchForm& form) { return check_hour(form.text[4], "23"); }

int chk_text5(SearchForm& form) {
    if (check_minute(form.text[5], "59") != 0) return 1;
    return window_in_order(form, 2, 3, 4, 5) ? 0 : 1;
}

int chk_text6(SearchForm& form, const CheckSettings& settings) {
    form.message().clear();
    const std::string to = trim(form.text[6]);
    if (trim(form.text[1]) == to) {
        form.message() = msg_same_airports;
        return 1;
    }
    if (is_airport(to, settings)) return 0;
    form.message() = msg_input_error;
    return 1;
}

int chk_text7(SearchForm& form) { return check_hour(form.text[7], "6"); }
int chk_text8(SearchForm& form) { return check_minute(form.text[8], "0"); }
int chk_text9(SearchForm& form) { return check_hour(form.text[9], "23"); }

int chk_text10(SearchForm& form) {
    if (check_minute(form.text[10], "59") != 0) return 1;
    return window_in_order(form, 7, 8, 9, 10) ? 0 : 1;
}

int chk_text11(SearchForm& form, const CheckSettings& settings) {
    form.message().clear();
    const int limit = effective_check_minite(settings);
    if (trim(form.text[11]).empty()) form.text[11] = "60";
    if (!is_numeric(form.text[11])) {
        form.message() = msg_not_numeric;
        return 1;
    }
    const int v = value_of(form.text[11]);
    if (v < 0 || v > limit) {
        form.message() = msg_wait_limit(limit);
        return 1;
    }
    return 0;
}

int chk_text1_text6(SearchForm& form) {
    form.message().clear();
    return 0;
}

int chk_text2_text4(SearchForm& form, const CheckSettings& settings) {
    form.message().clear();
    if (form.connections_option == 4) return 0;
    if (value_of(form.text[4]) - value_of(form.text[2]) > settings.check_hours) {
        form.message() = msg_window_width(settings.check_hours);
        return 1;
    }
    return 0;
}

int chk_text13(const SearchForm& form, SearchConditions& cond, const CheckSettings& settings) {
    cond.sel_year = value_of(form.text[13]);
    if (!is_numeric(form.text[13])) return 1;
    // Four digits at most: the date is written "yyyy/mm/dd" to become a day number.
    return cond.sel_year < civil_date(settings.today).year || cond.sel_year > 9999 ? 1 : 0;
}

int chk_text14(const SearchForm& form, SearchConditions& cond) {
    cond.sel_month = value_of(form.text[14]);
    if (!is_numeric(form.text[14])) return 1;
    return cond.sel_month < 1 || cond.sel_month > 12 ? 1 : 0;
}

DayCheck chk_text15(const SearchForm& form, SearchConditions& cond, const CheckSettings& settings) {
    DayCheck result;
    if (chk_text13(form, cond, settings) != 0) result.focus_field = 13;
    if (chk_text14(form, cond) != 0 && result.focus_field == 0) result.focus_field = 14;
    cond.sel_day = value_of(form.text[15]);
    // Only a real date becomes a day number; a year outside 1..9999 has no "yyyy" to write.
    if (!is_numeric(form.text[15]) || cond.sel_year < 1 || cond.sel_year > 9999 ||
        !is_valid_date(cond.sel_year, cond.sel_month, cond.sel_day)) {
        result.err_flg = 1;
        return result;
    }
    cond.sel_date = day_number(cond.sel_year, cond.sel_month, cond.sel_day);
    cond.sel_weekday = weekday(cond.sel_date);
    return result;
}

FieldCheck check_field(int field, SearchForm& form, SearchConditions& cond, const CheckSettings& settings) {
    int err = 0;
    int next = field + 1;
    switch (field) {
        case 1:
            err = chk_text1(form, settings);
            break;
        case 2:
            err = chk_text2(form);
            break;
        case 3:
            err = chk_text3(form);
            break;
        case 4:
            err = chk_text4(form);
            break;
        case 5:
            err = chk_text5(form);
            break;
        case 6:
            err = chk_text6(form, settings);
            break;
        case 7:
            err = chk_text7(form);
            break;
        case 8:
            err = chk_text8(form);
            break;
        case 9:
            err = chk_text9(form);
            break;
        case 10:
            err = chk_text10(form);
            break;
        case 11:
            err = chk_text11(form, settings), next = 0;
            break;  // 0: the search button
        case 13:
            err = chk_text13(form, cond, settings);
            break;
        case 14:
            err = chk_text14(form, cond);
            break;
        case 15: {
            const DayCheck day = chk_text15(form, cond, settings);
            // A refused year or month takes the focus back even when the day itself is fine.
            if (day.focus_field != 0) return {day.err_flg, day.focus_field};
            return {day.err_flg, day.err_flg != 0 ? 15 : 1};
        }
        default:
            return {1, field};
    }
    return {err, err != 0 ? field : next};
}

FullCheck check_all(SearchForm& form, SearchConditions& cond, const CheckSettings& settings,
                    const std::function<bool()>& confirm) {
    struct Step {
        int focus;
        std::function<int()> run;
    };
    const Step steps[] = {
        {1, [&] { return chk_text1(form, settings); }},
        {2, [&] { return chk_text2(form); }},
        {3, [&] { return chk_text3(form); }},
        {4, [&] { return chk_text4(form); }},
        {5, [&] { return chk_text5(form); }},
        {6, [&] { return chk_text6(form, settings); }},
        {7, [&] { return chk_text7(form); }},
        {8, [&] { return chk_text8(form); }},
        {9, [&] { return chk_text9(form); }},
        {10, [&] { return chk_text10(form); }},
        {1, [&] { return chk_text1_text6(form); }},
        {11, [&] { return chk_text11(form, settings); }},
        // A seat enquiry asks about direct flights only, whatever the option shows: the width limit
        // that keeps connection searches short does not apply to it.
        {2, [&] { return cond.inquiry_mode == 1 ? 0 : chk_text2_text4(form, settings); }},
        {13, [&] { return chk_text13(form, cond, settings); }},
        {14, [&] { return chk_text14(form, cond); }},
        {15, [&] { return chk_text15(form, cond, settings).err_flg; }},
    };
    for (const Step& step : steps) {
        if (step.run() != 0) return {1, step.focus, false};
    }

    cond.sel_date = day_number(cond.sel_year, cond.sel_month, cond.sel_day);
    cond.sel_weekday = weekday(cond.sel_date);
    cond.sel_from_name = trim(form.text[1]);
    cond.sel_to_name = trim(form.text[6]);
    cond.st_time1 = hhmm_of(form, 2, 3);
    cond.st_time2 = hhmm_of(form, 4, 5);
    cond.ed_time1 = hhmm_of(form, 7, 8);
    cond.ed_time2 = hhmm_of(form, 9, 10);
    cond.wait_time = value_of(form.text[11]);

    if (cond.inquiry_mode != 1) {
        cond.wait_count = form.connections_option == 4 ? 0 : form.connections_option == 5 ? 1 : 2;
        if (cond.wait_count >= 1 && confirm && !confirm()) return {1, 0, true};
    }
    cond.combination_number = form.one_per_flight ? 1 : 0;
    return {};
}

SearchForm set_form1(SearchConditions& cond, DayNumber today) {
    SearchForm form;
    const auto hour_minute = [&](int hhmm, int hour_field, int minute_field) {
        form.text[hour_field] = number_text(hhmm / 100);
        form.text[minute_field] = number_text(hhmm % 100);
    };
    form.text[1] = cond.sel_from_name;
    hour_minute(cond.st_time1, 2, 3);
    hour_minute(cond.st_time2, 4, 5);
    form.text[6] = cond.sel_to_name;
    hour_minute(cond.ed_time1, 7, 8);
    hour_minute(cond.ed_time2, 9, 10);
    form.text[11] = number_text(cond.wait_time);
    form.connections_option = cond.wait_count == 1 ? 5 : cond.wait_count == 2 ? 6 : 4;
    form.one_per_flight = cond.combination_number == 1;

    const CivilDate shown =
        cond.sel_date != 0 ? CivilDate{cond.sel_year, cond.sel_month, cond.sel_day} : civil_date(today);
    form.text[13] = number_text(shown.year);
    form.text[14] = number_text(shown.month);
    form.text[15] = number_text(shown.day);

    // get_today: every run starts with today as the travel date.
    const CivilDate now = civil_date(today);
    cond.sel_date = today;
    cond.sel_year = now.year;
    cond.sel_month = now.month;
    cond.sel_day = now.day;
    cond.sel_weekday = weekday(today);
    return form;
}

}  // namespace quorvel
