// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/search_run.hpp"

#include <array>
#include <ostream>

#include "common/text.hpp"
#include "config/program_data.hpp"
#include "search/conditions.hpp"
#include "search/date_validation.hpp"
#include "search/route_search.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel::cli {

const std::vector<std::string> search_option_names = {
    "from", "to", "date", "dep", "arr", "wait", "connections", "combination", "order", "header"};

namespace {

std::vector<std::string> split(const std::string& text, char delimiter) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto at = text.find(delimiter, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

// "HH:MM-HH:MM" into the four hour and minute fields; the field checks judge the numbers.
bool put_window(const std::string& text, TimeWindowTexts& window) {
    const auto ends = split(text, '-');
    if (ends.size() != 2) return false;
    std::array<std::vector<std::string>, 2> hm;
    for (std::size_t e = 0; e < 2; ++e) {
        hm[e] = split(ends[e], ':');
        if (hm[e].size() != 2 || hm[e][0].empty() || hm[e][1].empty()) return false;
    }
    window = {hm[0][0], hm[0][1], hm[1][0], hm[1][1]};
    return true;
}

// A value that must be one of a few one-digit texts.
std::optional<int> choice(const Options& o, const std::string& name, int fallback,
                          const std::vector<std::string>& allowed) {
    const auto v = o.get(name);
    if (!v) return fallback;
    for (const auto& a : allowed)
        if (*v == a) return static_cast<int>(leading_number(a));
    return std::nullopt;
}

// The search form and the result order from the options; an empty text when they fit.
std::string fill_search_form(const Options& o, SearchForm& form, SearchConditions& cond) {
    for (const char* required : {"from", "to", "date"})
        if (!o.has(required)) return std::string("--") + required + " is required";
    form.from_airport = *o.get("from");
    form.to_airport = *o.get("to");
    if (o.has("dep") && !put_window(*o.get("dep"), form.departure)) return "--dep needs HH:MM-HH:MM";
    if (o.has("arr") && !put_window(*o.get("arr"), form.arrival)) return "--arr needs HH:MM-HH:MM";
    if (o.has("wait")) form.max_wait = *o.get("wait");
    const auto date = split(*o.get("date"), '/');
    if (date.size() != 3) return "--date needs YYYY/MM/DD";
    form.travel_year = date[0];
    form.travel_month = date[1];
    form.travel_day = date[2];
    const auto connections = choice(o, "connections", 0, {"0", "1", "2"});
    const auto combination = choice(o, "combination", 0, {"0", "1"});
    const auto order = choice(o, "order", 3, {"1", "2", "3"});
    if (!connections) return "--connections takes 0, 1 or 2";
    if (!combination) return "--combination takes 1 or 0";
    if (!order) return "--order takes 1, 2 or 3";
    form.connections = connections_for(*connections);
    form.one_per_flight = *combination == 1;
    cond.result_order = *order;
    return {};
}

// What to say for a refused field that has no message of its own (times, the date).
std::string field_complaint(Field field) {
    switch (field) {
        case Field::departure_from_hour:
        case Field::departure_from_minute:
        case Field::departure_to_hour:
        case Field::departure_to_minute:
            return "出発時刻の指定が正しくありません";
        case Field::arrival_from_hour:
        case Field::arrival_from_minute:
        case Field::arrival_to_hour:
        case Field::arrival_to_minute:
            return "到着時刻の指定が正しくありません";
        case Field::max_wait:
            return "待ち合わせ時間の指定が正しくありません";
        case Field::travel_year:
        case Field::travel_month:
        case Field::travel_day:
            return "搭乗予定日の指定が正しくありません";
        default:
            return "検索条件が正しくありません";
    }
}

}  // namespace

int refuse(const Invocation& inv, const std::string& message) {
    *inv.err << message << '\n';
    return exit_usage;
}

std::optional<int> search_from_options(const Invocation& inv, const Options& o, const std::string& command,
                                       SearchRun& run, bool for_enquiry) {
    const std::string who = "quorvel-cli " + command + ": ";
    SearchForm form;
    SearchConditions cond;
    if (const std::string bad = fill_search_form(o, form, cond); !bad.empty()) return refuse(inv, who + bad);
    if (for_enquiry) {
        form.connections = Connections::none;
        cond.for_seat_enquiry = 1;
    }

    // Of the settings only the holidays and the limits of the checks count here; the result order
    // is the option's.
    ProgramData data = load_program_data(inv.data_dir / ini_file_name, inv.data_dir, inv.today);
    for (const auto& error : {data.timetable_error, data.settings_error}) {
        if (error) {
            *inv.err << who << error->message << '\n';
            return exit_data;
        }
    }
    run.timetable = std::move(data.timetable);
    run.settings = std::move(data.settings);
    Timetable& tt = *run.timetable;

    CheckSettings check;
    check.airports = airport_names(tt);
    check.window_limit_hours = run.settings.window_limit_hours;
    check.wait_limit_minutes = run.settings.wait_limit_minutes;
    check.today = inv.today;
    const FullCheck checked = check_search_form(form, cond, check, [] { return true; });
    if (!checked.accepted)
        return refuse(inv, form.message.empty() ? field_complaint(checked.focus) : form.message);

    DateValidation validation;
    run.search = run_flight_search(tt, validation, cond, inv.today);
    return std::nullopt;
}

void write_lf(std::ostream& out, const std::string& text) {
    std::string s;
    s.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        s += text[i];
    }
    out << s;
}

}  // namespace quorvel::cli
