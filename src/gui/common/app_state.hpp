// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/day_number.hpp"
#include "config/identity.hpp"
#include "config/settings.hpp"
#include "config/sites.hpp"
#include "fares/fare_engine.hpp"
#include "fares/settings_holidays.hpp"
#include "hotel/hotel_data.hpp"
#include "hotel/hotel_search.hpp"
#include "platform/browser_detect.hpp"
#include "platform/paths.hpp"
#include "search/date_validation.hpp"
#include "search/search_types.hpp"
#include "search/settings_conditions.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

// The hotel directory of the run. Its tables are read at the first hotel command the user confirms
// and kept to the end; the search state and the list's hits are shared by the hotel windows.
struct HotelDirectory {
    std::unique_ptr<HotelData> data = std::make_unique<HotelData>();
    HotelSearchState search;
    HotelHits hits;  // the list's hits, in the order shown
    std::string sort_key = sort_by_pref;
    // hotelusr.csv was read whole or did not exist, so writing it back loses nothing. When it could
    // not be read the registry shows what it has but changes nothing.
    bool user_file_whole = true;
    // The registry changed the user tables but could not write hotelusr.csv: the next registry
    // writes them even when it changes nothing itself.
    bool user_changes_unsaved = false;
};

// The state of one run, owned by the program's start and handed to every window by reference.
struct AppState {
    Identity identity;
    AppPaths paths;
    Settings settings;
    Sites sites;
    std::unique_ptr<Timetable> timetable;
    SearchConditions cond;
    HotelDirectory hotel;

    // What the validation of the timetable for a travel date leaves for the next search.
    DateValidation validation;
    // The search yields to the event loop while it runs; an end of the program asked for meanwhile
    // waits until it is done.
    bool search_running = false;
    bool end_requested = false;

    int msg_help_context = 0;  // help topic of the next question that offers help
    DayNumber today = 0;

    const BrowserValues& browser() const { return settings.browser; }
    void set_browser(const BrowserValues& b) { settings.browser = b; }
    std::filesystem::path help_file() const { return paths.data(identity.help_file_name); }
    std::filesystem::path ini_file() const { return paths.user(ini_file_name); }
};

}  // namespace quorvel
