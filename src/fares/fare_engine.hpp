// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

// A public holiday of the settings, repeated every year.
struct HolidayDate {
    int month = 0;
    int day = 0;
};

// One flight to price (the engine's inputs as the result window sets them).
struct FareRequest {
    int fare_mode = 2;       // 2 (or 0): one flight, the only request there is
    std::string company;     // designator being priced, "ANA" for an ANK flight
    std::string priced_for;  // "ANK" when an ANK flight is priced from ANA's records
    int flight_no = 0;
    std::string from;  // airport names as in the airport table
    std::string to;
    int departure_time = 0;  // departure HHMM of the leg, read by the weekend-commuter rule
    DayNumber travel_date = 0;
    DayNumber today = 0;
    std::vector<HolidayDate> holidays;  // saved holidays plus the two computed second Mondays
};

// The request for one flight of a designator. ANK flights have no fare records of their own: they
// are priced from ANA's.
FareRequest flight_fare_request(const std::string& designator, int flight_no, std::string from,
                                std::string to, int dep_time, DayNumber travel_date, DayNumber today,
                                std::vector<HolidayDate> holidays);

inline constexpr int fare_sheet_companies = 30;
inline constexpr int fare_sheet_rows = 30;
inline constexpr int fare_rows = 14;         // rows 1..14 carry fares
inline constexpr int engine_companies = 18;  // company indexes 1..18 have procedures

// fare_sheet(company index, fare row), yen; 0 = not offered.
using FareSheet = Table2<std::int32_t, fare_sheet_companies, fare_sheet_rows>;

// The request being priced and the engine's working values; fare_sheet is the output. The caller
// clears fare_sheet before a request; the engine writes only the cells its rules give.
struct FareState {
    FareRequest request;
    int travel_month = 0, travel_day = 0, travel_weekday = 0;

    std::string from_key, to_key;
    int fare_table = 1;
    int fare_record = 0;  // 0 when no record matched
    std::int32_t amount1 = 0, amount2 = 0, amount3 = 0;
    int season = 1;
    std::int32_t season_fare = 0;
    int holiday_flag = 0;
    int blackout_a = 0, blackout_b = 0, blackout_c = 0;

    FareSheet fare_sheet{};
};

// What a request reports besides the fare sheet.
struct FareOutcome {
    int company_index = 0;        // the engine column written, 0 when no procedure priced it
    std::string missing_message;  // "運賃表未登録（code）" when no fare record was found, else empty
};

// How a window asks about a missing fare record (OK goes on with zero amounts).
inline constexpr std::string_view missing_fare_title = "エラーメッセージ";
inline constexpr int missing_fare_help = 203;

// Prices one flight into state.fare_sheet (the engine's whole load): holiday flag, fare record,
// the ANK switch, then the company procedure of the designator.
FareOutcome price_flight(const Timetable& tt, const FareRequest& request, FareState& state);

void clear_fare_sheet(FareSheet& sheet);

// The engine's company index of a designator ("JAL" 1 .. "ADO" 18), 0 for any other.
int engine_company_index(std::string_view designator);
std::string_view engine_company_code(int index);  // empty outside 1..18

// Caption of fare row 1..14 and of season 1..3 ("　（通常期）" ...); empty otherwise.
std::string_view fare_row_caption(int row);
std::string_view season_caption(int season);

// The steps of a request, usable one by one once state.request and the date parts are set.
void begin_request(const FareRequest& request, FareState& state);
void mark_holidays(FareState& state);
// Finds the fare record; returns "err" when none (or one with first amount 0) was found.
std::string look_up_fare(const Timetable& tt, FareState& state);
void find_season(const Timetable& tt, FareState& state);

struct DiscountFares {
    std::int32_t lowest_discount = 0;  // lowest discount fare of pass 1
    std::int32_t last_discount = 0;    // second fare of the last record of pass 2
    std::int32_t discount_valid_from = 0, discount_valid_to = 0;
    int busy_season_rule = 0;
};
DiscountFares apply_discount_fares(const Timetable& tt, const FareState& state);

// p × x to the nearest 50 yen, halves going up, in double precision.
std::int32_t round_to_50_yen(double p, std::int32_t x);

}  // namespace quorvel
