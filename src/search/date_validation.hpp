// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "common/day_number.hpp"
#include "search/search_types.hpp"

namespace quorvel {

struct Timetable;
class Progress;

// Remark texts parsed once per edition and "today" (the year rule depends on it); the texts never
// change after loading, so the validation of the next search reuses them.
struct RemarkCache {
    const Timetable* timetable = nullptr;
    int edition = 0;
    DayNumber today = 0;
    std::vector<std::int32_t> begin;  // per flight: first entry in dates/codes, -1 = not parsed yet
    std::vector<std::int16_t> count;
    std::vector<DayNumber> dates;
    std::vector<int> codes;
};

// What the validation of the flight tables for a travel date leaves behind for the next one.
// Keep one per Timetable for the whole run.
struct DateValidation {
    DayNumber validated_date = 0;  // 0 = column 0 holds nothing to restore
    int validated_edition = 0;
    int search_edition = 0;  // 0 = no edition covers the travel date
    int range_first = 1, range_last = 0;
    bool segment_found = false;  // a direct search found its airport pair in the segment table
    RemarkCache remarks;
};

// The first edition 1..4 whose edition_valid_to is on or after the date; 0 when there is none.
int choose_edition(const Timetable& tt, DayNumber travel_date);

// Undoes the previous validation, chooses the edition and the flights to validate.
void prepare_validation(Timetable& tt, DateValidation& v, const SearchConditions& cond);
// Saves the edition into column 0 and rewrites flights range_first..range_last for the date:
// shifted times, and all seven weekday columns 99 (no service) or 0.
void apply_travel_date(Timetable& tt, DateValidation& v, const SearchConditions& cond, DayNumber today,
                       Progress* progress = nullptr);
// Copies column 0 back into the edition last validated.
void restore_edition(Timetable& tt, DateValidation& v);
// prepare_validation and apply_travel_date; returns search_edition.
int validate_for_date(Timetable& tt, DateValidation& v, const SearchConditions& cond, DayNumber today,
                      Progress* progress = nullptr);

// One flight of edition k on the travel date (from the tables as they are, not yet rewritten).
struct FlightOnDate {
    int in_service = 1;         // 1 = runs, 0 = no service
    int shifted_departure = 0;  // departure, HHMM, possibly beyond 2359 or below 0
    int shifted_arrival = 0;
};
FlightOnDate flight_on_travel_date(const Timetable& tt, int k, int kk, const SearchConditions& cond,
                                   DayNumber today);

// A time moved by minutes, without wrapping at midnight: 0955 + 10 = 1005, 0005 - 10 = -45.
int shift_hhmm(int hhmm, int minutes);

}  // namespace quorvel
