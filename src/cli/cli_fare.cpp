// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.hpp"
#include "cli/search_run.hpp"
#include "common/text.hpp"
#include "config/settings.hpp"
#include "fares/fare_engine.hpp"
#include "fares/fare_sheet.hpp"
#include "fares/settings_holidays.hpp"
#include "search/conditions.hpp"
#include "search/result_list.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel::cli {

namespace {

// The holidays of quorvel6.ini in the data folder (without the file, only the two computed second
// Mondays for today).
std::optional<std::vector<HolidayDate>> saved_holidays(const Invocation& inv) {
    const auto settings = read_settings(inv.data_dir / std::string(ini_file_name), inv.today);
    if (!settings) {
        *inv.err << "quorvel-cli: " << settings.error().message << '\n';
        return std::nullopt;
    }
    return fare_holidays(*settings);
}

// The travel date through the search form's year, month and day checks.
bool check_travel_date(const std::string& text, DayNumber today, SearchConditions& cond) {
    std::vector<std::string> parts{""};
    for (char c : text) {
        if (c == '/')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 3) return false;
    SearchForm form;
    form.travel_year = parts[0];
    form.travel_month = parts[1];
    form.travel_day = parts[2];
    CheckSettings settings;
    settings.today = today;
    const FieldCheck day = check_field(Field::travel_day, form, cond, settings);
    return day.accepted && day.focus == Field::from_airport;
}

bool small_number(const std::string& text, int digits) {
    return is_all_digits(text) && text.size() <= static_cast<std::size_t>(digits);
}

}  // namespace

// quorvel-cli fare --company CODE --flight N --from NAME --to NAME --date YYYY/MM/DD [--dep HHMM]
int run_fare(const Invocation& inv) {
    std::string error;
    const auto opts = Options::parse(inv.args, {}, error);
    const std::vector<std::string> known{"company", "flight", "from", "to", "date", "dep"};
    if (!opts || !opts->unknown(known).empty()) {
        *inv.err << "quorvel-cli fare: "
                 << (opts ? "unknown option --" + opts->unknown(known).front() : error) << '\n';
        return exit_usage;
    }
    for (const char* needed : {"company", "flight", "from", "to", "date"}) {
        if (!opts->has(needed)) {
            *inv.err << "quorvel-cli fare: --" << needed << " is needed\n";
            return exit_usage;
        }
    }
    const std::string company = trim(*opts->get("company"));
    const std::string flight = trim(*opts->get("flight"));
    const std::string dep = trim(opts->get("dep").value_or("0"));
    if (!small_number(flight, 5) || !small_number(dep, 4)) {
        *inv.err << "quorvel-cli fare: --flight and --dep take digits\n";
        return exit_usage;
    }

    auto loaded = load_timetable_file(inv.data_dir / data_file_name);
    if (!loaded) {
        *inv.err << "quorvel-cli fare: " << loaded.error().message << '\n';
        return exit_data;
    }
    const Timetable& tt = **loaded;

    const std::string from = trim(*opts->get("from"));
    const std::string to = trim(*opts->get("to"));
    if (tt.airport_index(from) == 0 || tt.airport_index(to) == 0) {
        *inv.err << msg_input_error << '\n';
        return exit_usage;
    }
    SearchConditions cond;
    if (!check_travel_date(trim(*opts->get("date")), inv.today, cond)) {
        *inv.err << "quorvel-cli fare: the travel date is not accepted\n";
        return exit_usage;
    }

    const auto holidays = saved_holidays(inv);
    if (!holidays) return exit_data;
    const FareRequest request =
        flight_fare_request(company, static_cast<int>(leading_number(flight)), from, to,
                            static_cast<int>(leading_number(dep)), cond.travel_date, inv.today, *holidays);

    FareState state;
    const FareOutcome outcome = price_flight(tt, request, state);
    if (!outcome.missing_message.empty()) *inv.err << outcome.missing_message << '\n';
    const int column = engine_company_index(company);
    for (int row = 1; row <= fare_rows; ++row)
        *inv.out << row << '\t' << (column != 0 ? state.fare_sheet[column][row] : 0) << '\n';
    return exit_ok;
}

// quorvel-cli fare-sheet <the options of quorvel-cli search> --row N
int run_fare_sheet(const Invocation& inv) {
    std::string error;
    const auto parsed = Options::parse(inv.args, {search_flags}, error);
    if (!parsed) return refuse(inv, "quorvel-cli fare-sheet: " + error);
    const Options& o = *parsed;
    std::vector<std::string> known = search_option_names;
    known.push_back("row");
    if (const auto unknown = o.unknown(known); !unknown.empty())
        return refuse(inv, "quorvel-cli fare-sheet: unknown option --" + unknown.front());
    const std::string row_text = trim(o.get("row").value_or(""));
    if (!small_number(row_text, 4) || leading_number(row_text) < 1)
        return refuse(inv, "quorvel-cli fare-sheet: --row needs a row number from 1");
    const int row = static_cast<int>(leading_number(row_text));

    SearchRun run;
    if (const auto status = search_from_options(inv, o, "fare-sheet", run)) return *status;
    const ResultList& list = run.search.list;
    if (static_cast<std::size_t>(row) > list.rows.size()) {
        if (list.rows.empty()) *inv.err << no_result_message << '\n';
        return refuse(inv, "quorvel-cli fare-sheet: --row " + row_text + " is not a listed row (" +
                               std::to_string(list.rows.size()) + " listed)");
    }

    const RowFareSheet sheet =
        fare_sheet_for_row(*run.timetable, run.search, row, inv.today, fare_holidays(run.settings));
    for (const std::string& message : sheet.fares.messages) *inv.err << message << '\n';
    if (!sheet.fares.priced) {
        *inv.err << sheet.fares.reason << '\n';
        return exit_no_sheet;
    }
    const FareSheetView& view = sheet.view;
    *inv.out << view.caption << '\n';
    for (const auto& cells : view.cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) *inv.out << (c == 0 ? "" : "\t") << cells[c];
        *inv.out << '\n';
    }
    return exit_ok;
}

}  // namespace quorvel::cli
