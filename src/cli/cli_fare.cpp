#include <ostream>
#include <string>
#include <vector>

#include "app/settings.hpp"
#include "cli/command.hpp"
#include "common/text.hpp"
#include "fares/fare_engine.hpp"
#include "search/conditions.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel::cli {

namespace {

// The holidays of quorvel6.ini in the data folder (a missing file gives none) plus the two
// computed second Mondays for today.
std::vector<HolidayDate> holidays_of(const Invocation& inv) {
    std::vector<HolidayDate> holidays;
    const auto settings = read_settings(inv.data_dir / std::string(ini_file_name), inv.today);
    if (!settings) return holidays;
    for (int i = 1; i <= settings->holiday_count; ++i)
        holidays.push_back({settings->holiday_month[static_cast<std::size_t>(i)],
                            settings->holiday_day[static_cast<std::size_t>(i)]});
    return holidays;
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
    form.text[13] = parts[0];
    form.text[14] = parts[1];
    form.text[15] = parts[2];
    CheckSettings settings;
    settings.today = today;
    if (chk_text13(form, cond, settings) != 0 || chk_text14(form, cond) != 0) return false;
    return chk_text15(form, cond, settings).err_flg == 0;
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
        *inv.err << "quorvel-cli fare: " << (opts ? "unknown option --" + opts->unknown(known).front() : error) << '\n';
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

    FareRequest request;
    request.fare_mode = 2;
    request.pay_company = company;
    if (company == "ANK") {
        request.pay_company = "ANA";
        request.pay_company_sub = "ANK";
    }
    request.pay_flight_no = static_cast<int>(leading_number(flight));
    request.pay_from = from;
    request.pay_to = to;
    request.dep_time_in = static_cast<int>(leading_number(dep));
    request.sel_date = cond.sel_date;
    request.today_serial = inv.today;
    request.holidays = holidays_of(inv);

    FareState state;
    const FareOutcome outcome = price_flight(tt, request, state);
    if (!outcome.missing_message.empty()) *inv.err << outcome.missing_message << '\n';
    const int column = engine_company_index(company);
    for (int row = 1; row <= fare_rows; ++row)
        *inv.out << row << '\t' << (column != 0 ? state.fare_sheet[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] : 0)
                 << '\n';
    return exit_ok;
}

}  // namespace quorvel::cli
