#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/settings.hpp"
#include "app/sites.hpp"
#include "common/day_number.hpp"
#include "fares/fare_engine.hpp"
#include "platform/browser_detect.hpp"
#include "platform/paths.hpp"
#include "search/date_validation.hpp"
#include "search/result_list.hpp"
#include "search/search_types.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

// Who the program is; shown in captions, the splash and the version window.
struct Identity {
    std::string app_title = "ケルバ国内線時刻表＆ホテル情報";
    std::string app_version = "3.44";
    std::string data_date = "2004/01/07";
    std::string help_file_name = "quorvel6.hlp";
};

// The state of one run, owned by the program's start and handed to every window by reference.
struct AppState {
    Identity identity;
    AppPaths paths;
    Settings settings;
    Sites sites;
    std::unique_ptr<Timetable> timetable;
    SearchConditions cond;

    // The last search, read by the result list, the report, the fare sheet and the seat enquiry.
    DateValidation validation;
    RouteResults route_results;
    ResultList result_list;
    // The search yields to the event loop while it runs; an end of the program asked for meanwhile
    // waits until it is done.
    bool search_running = false;
    bool end_requested = false;

    int picker_mode = 11;      // which field the airport picker fills: 11 departure, 12 arrival
    int msg_help_context = 0;  // help topic of the next question that offers help
    DayNumber today_serial = 0;

    BrowserValues browser() const { return {settings.browser_kind, settings.browser_path}; }
    void set_browser(const BrowserValues& b) {
        settings.browser_kind = b.browser_kind;
        settings.browser_path = b.browser_path;
    }
    std::filesystem::path help_file() const { return paths.data(identity.help_file_name); }
    std::filesystem::path ini_file() const { return paths.user(ini_file_name); }
};

// The last search's values, kept in the settings file, as the search form starts from them.
inline void conditions_from_settings(const Settings& s, SearchConditions& c) {
    c.sel_from_name = s.sel_from_name;
    c.sel_to_name = s.sel_to_name;
    c.st_time1 = s.st_time1;
    c.st_time2 = s.st_time2;
    c.ed_time1 = s.ed_time1;
    c.ed_time2 = s.ed_time2;
    c.wait_time = s.wait_time;
    c.wait_count = s.wait_count;
    c.combination_number = s.combination_number;
    c.sel_option = s.sel_option;
}

// The holidays the fare engine needs: the settings' saved ones and the two computed ones.
inline std::vector<HolidayDate> fare_holidays(const Settings& s) {
    std::vector<HolidayDate> holidays;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(s.holiday_count); ++i)
        holidays.push_back({s.holiday_month[i], s.holiday_day[i]});
    return holidays;
}

// The run's search values, to be written at exit.
inline void conditions_to_settings(const SearchConditions& c, Settings& s) {
    s.sel_from_name = c.sel_from_name;
    s.sel_to_name = c.sel_to_name;
    s.st_time1 = static_cast<std::int16_t>(c.st_time1);
    s.st_time2 = static_cast<std::int16_t>(c.st_time2);
    s.ed_time1 = static_cast<std::int16_t>(c.ed_time1);
    s.ed_time2 = static_cast<std::int16_t>(c.ed_time2);
    s.wait_time = static_cast<std::int16_t>(c.wait_time);
    s.wait_count = static_cast<std::int16_t>(c.wait_count);
    s.combination_number = static_cast<std::int16_t>(c.combination_number);
}

}  // namespace quorvel
