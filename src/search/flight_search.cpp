// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/flight_search.hpp"

#include "common/progress.hpp"
#include "search/route_search.hpp"

namespace quorvel {

FlightSearchResult run_flight_search(Timetable& tt, DateValidation& validation,
                                     const SearchConditions& conditions, DayNumber today,
                                     Progress* progress) {
    FlightSearchResult result;
    result.conditions = conditions;
    prepare_validation(tt, validation, conditions);
    if (conditions.for_seat_enquiry == 1 && !validation.segment_found) {
        result.segment_found = false;
        return result;
    }
    apply_travel_date(tt, validation, conditions, today, progress);
    result.routes = search_routes(tt, conditions, progress);
    if (progress) progress->yield();
    result.list = list_results(tt, result.routes, conditions);
    return result;
}

}  // namespace quorvel
