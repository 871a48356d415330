// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.hpp"
#include "fares/fare_engine.hpp"
#include "search/flight_search.hpp"
#include "search/result_list.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

// One leg of a listed itinerary as the fare sheet prices it.
struct FareLeg {
    std::string from;  // departure airport name: the search's departure or the connection before
    std::string to;    // arrival airport name: the connection after or the search's arrival
    int company = 0;   // the timetable's company index (flight_company)
    int flight_no = 0;
    int dep_time = 0;  // HHMM as listed
};

struct FareItinerary {
    std::vector<FareLeg> legs;  // 1..3 legs, in flying order
    DayNumber travel_date = 0;
    DayNumber today = 0;
    std::vector<HolidayDate> holidays;
};

// The legs of one row of the result list: its airports, company, flight number and departure time.
FareItinerary fare_itinerary(const ListedItinerary& row, DayNumber travel_date, DayNumber today,
                             std::vector<HolidayDate> holidays);

inline constexpr int leg_fare_rows = 20;  // rows copied per leg
inline constexpr int sheet_legs = 3;      // leg columns of the sheet

struct LegFares {
    int company = 0;                                      // leg_company: the timetable's company index
    int engine_company = 0;                               // the engine column its fares were read from
    int flight_no = 0;                                    // leg_flight_no
    std::array<std::int32_t, leg_fare_rows + 1> fares{};  // leg_fares(leg, 1..20)
};

struct ItineraryFares {
    bool priced = false;                // false: some leg has no adult one-way fare, no sheet
    std::vector<std::string> messages;  // the engine's reports, in the order of the legs
    std::string reason;                 // why there is no sheet
    std::vector<LegFares> legs;         // leg_count = legs.size()
    int season = 0;                     // of the travel date, as the engine found it
};

// Prices each leg in order ("ANK" from ANA's fare records) and keeps its company's column. Stops at
// the first leg without an adult one-way fare.
ItineraryFares price_itinerary(const Timetable& tt, const FareItinerary& itinerary, FareState& state);

inline constexpr int sheet_rows = 15;  // the heading row and fare rows 1..14
inline constexpr int sheet_cols = 5;   // caption, three legs, remarks

// What the sheet window shows: the header button's caption, the grid texts, and the help topic
// behind each cell (0 = none).
struct FareSheetView {
    std::string caption;
    std::array<std::array<std::string, sheet_cols>, sheet_rows> cells{};
    std::array<std::array<int, sheet_cols>, sheet_rows> help_topic{};
    std::array<int, sheet_legs + 1> col_company{};  // timetable company index of leg column k, 0 = none
};

// The sheet window's fixed look: column widths in twips (caption, three legs, remarks) and the label.
inline constexpr std::array<int, sheet_cols> fare_sheet_col_widths{1800, 800, 800, 800, 5000};
inline constexpr std::string_view fare_sheet_label = "表をダブルクリックするとその運賃のヘルプを表示します";

// Header caption: departure → connections → arrival, the date, the season.
std::string fare_sheet_caption(const FareItinerary& itinerary, int season);
FareSheetView fare_sheet_view(const Timetable& tt, const FareItinerary& itinerary,
                              const ItineraryFares& fares);

std::string_view fare_row_remark(int row);  // the remarks column of fare row 1..14

// The fare sheet of listed row 1..R of a search, on the search's own travel date: the legs, their
// fares (with the engine's reports), and what the window shows when every leg was priced.
struct [[nodiscard]] RowFareSheet {
    FareItinerary itinerary;
    ItineraryFares fares;
    FareSheetView view;
};
RowFareSheet fare_sheet_for_row(const Timetable& tt, const FlightSearchResult& search, int row,
                                DayNumber today, std::vector<HolidayDate> holidays);

}  // namespace quorvel
