// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/date_validation.hpp"

#include <algorithm>
#include <cstdint>

#include "common/progress.hpp"
#include "search/remark_parser.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

namespace {

constexpr int no_service = 99;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

int travel_weekday(const SearchConditions& cond) {
    return cond.travel_weekday >= 1 && cond.travel_weekday <= 7 ? cond.travel_weekday
                                                                : weekday(cond.travel_date);
}

std::int16_t to_int16(int v) { return static_cast<std::int16_t>(std::clamp(v, INT16_MIN, INT16_MAX)); }

int flight_count(const Timetable& tt, int k) {
    return std::clamp<int>(tt.edition_flight_count[at(k)], 0, bounds::flights);
}

// The weekday column says whether the flight runs and by how much it moves; unless it says 99,
// the remark may still take the day away or set another shift.
template <class RemarkCheck>
FlightOnDate flight_on_date(const Timetable& tt, int k, int f, int w, RemarkCheck&& remark_check) {
    FlightOnDate out;
    out.shifted_departure = tt.flight_departure[at(k)][at(f)];
    out.shifted_arrival = tt.flight_arrival[at(k)][at(f)];
    const int v = tt.flight_weekday_rule[at(k + 5 * w)][at(f)];
    if (v == no_service) {
        out.in_service = 0;
        return out;
    }
    const TableCheck check = remark_check(v);
    out.in_service = check.in_service;
    if (out.in_service == 1 && check.time_shift != 0) {
        out.shifted_departure = shift_hhmm(out.shifted_departure, check.time_shift);
        out.shifted_arrival = shift_hhmm(out.shifted_arrival, check.time_shift);
    }
    return out;
}

void prepare_cache(RemarkCache& cache, const Timetable& tt, int k, DayNumber today) {
    const auto flights = static_cast<std::size_t>(flight_count(tt, k)) + 1;
    if (cache.timetable == &tt && cache.edition == k && cache.today == today && cache.begin.size() == flights)
        return;
    cache.timetable = &tt;
    cache.edition = k;
    cache.today = today;
    cache.begin.assign(flights, -1);
    cache.count.assign(flights, 0);
    cache.dates.clear();
    cache.codes.clear();
}

TableCheck cached_check(RemarkCache& cache, const Timetable& tt, int k, int f, DayNumber travel_date,
                        int shift) {
    const std::string& text = tt.flight_remark[at(k)][at(f)];
    if (text.empty()) return {1, shift};
    if (cache.begin[at(f)] < 0) {
        const RemarkDates parsed = parse_remark(text, cache.today);
        cache.begin[at(f)] = static_cast<std::int32_t>(cache.dates.size());
        cache.count[at(f)] = static_cast<std::int16_t>(parsed.remark_count);
        for (int i = 1; i <= parsed.remark_count; ++i) {
            cache.dates.push_back(parsed.remark_dates[at(i)]);
            cache.codes.push_back(parsed.remark_codes[at(i)]);
        }
    }
    const auto first = static_cast<std::size_t>(cache.begin[at(f)]);
    const auto n = static_cast<std::size_t>(cache.count[at(f)]);
    TableCheck out{1, shift};
    if (n == 0) return out;
    for (std::size_t i = 0; i < n; ++i) {
        if (cache.dates[first + i] != travel_date) continue;
        if (cache.codes[first + i] == remark_no_service) {
            out.in_service = 0;
        } else {
            out.time_shift = cache.codes[first + i];
        }
        return out;
    }
    if (cache.codes[first] == 0) out.in_service = 0;  // an inclusion list that does not list the date
    return out;
}

}  // namespace

int shift_hhmm(int hhmm, int minutes) {
    const int hours = hhmm / 100, mins = hhmm % 100;
    const int s = mins + minutes;
    const int h = s >= 0 ? s / 60 : -((-s + 59) / 60);
    return (hours + h) * 100 + (s - 60 * h);
}

int choose_edition(const Timetable& tt, DayNumber travel_date) {
    for (int k = 1; k <= bounds::editions; ++k) {
        if (tt.edition_valid_to[at(k)] >= travel_date) return k;
    }
    return 0;
}

void restore_edition(Timetable& tt, DateValidation& v) {
    const int k = v.validated_edition;
    if (k < 1 || k > bounds::editions) return;
    for (int f = 1; f <= flight_count(tt, k); ++f) {
        tt.flight_departure[at(k)][at(f)] = tt.flight_departure[0][at(f)];
        tt.flight_arrival[at(k)][at(f)] = tt.flight_arrival[0][at(f)];
        for (int w = 1; w <= 7; ++w)
            tt.flight_weekday_rule[at(k + 5 * w)][at(f)] = tt.flight_weekday_rule[at(5 * w)][at(f)];
    }
    v.validated_date = 0;
}

void prepare_validation(Timetable& tt, DateValidation& v, const SearchConditions& cond) {
    if (v.validated_date != 0) restore_edition(tt, v);
    const int k = choose_edition(tt, cond.travel_date);
    v.search_edition = k;
    v.validated_edition = k;
    v.segment_found = false;
    v.range_first = 1;
    v.range_last = k == 0 ? 0 : flight_count(tt, k);
    if (k == 0 || cond.connection_count >= 1) return;
    for (int s = 1; s <= std::min<int>(tt.segment_count, bounds::segments); ++s) {
        if (tt.segment_from[at(s)] == cond.from_airport && tt.segment_to[at(s)] == cond.to_airport) {
            v.segment_found = true;
            v.range_first = std::max<int>(1, tt.segment_first[at(k)][at(s)]);
            v.range_last = std::min<int>(flight_count(tt, k), tt.segment_last[at(k)][at(s)]);
            return;
        }
    }
}

void apply_travel_date(Timetable& tt, DateValidation& v, const SearchConditions& cond, DayNumber today,
                       Progress* progress) {
    const int k = v.search_edition;
    if (k < 1 || k > bounds::editions) return;
    if (progress) {
        progress->set_range(0, 3000);
        progress->set_range(v.range_first, v.range_last);
    }
    const int count = flight_count(tt, k);
    for (int f = 1; f <= count; ++f) {
        tt.flight_departure[0][at(f)] = tt.flight_departure[at(k)][at(f)];
        tt.flight_arrival[0][at(f)] = tt.flight_arrival[at(k)][at(f)];
        for (int w = 1; w <= 7; ++w)
            tt.flight_weekday_rule[at(5 * w)][at(f)] = tt.flight_weekday_rule[at(k + 5 * w)][at(f)];
    }
    v.validated_edition = k;
    v.validated_date = cond.travel_date;

    prepare_cache(v.remarks, tt, k, today);
    const int w = travel_weekday(cond);
    for (int f = v.range_first; f <= v.range_last; ++f) {
        if (progress && f % 40 == 0) {
            progress->set_value(f);
            progress->yield();
        }
        const FlightOnDate day = flight_on_date(tt, k, f, w, [&](int shift) {
            return cached_check(v.remarks, tt, k, f, cond.travel_date, shift);
        });
        tt.flight_departure[at(k)][at(f)] = to_int16(day.shifted_departure);
        tt.flight_arrival[at(k)][at(f)] = to_int16(day.shifted_arrival);
        const std::int16_t mark = day.in_service == 0 ? no_service : 0;
        for (int d = 1; d <= 7; ++d) tt.flight_weekday_rule[at(k + 5 * d)][at(f)] = mark;
    }
}

int validate_for_date(Timetable& tt, DateValidation& v, const SearchConditions& cond, DayNumber today,
                      Progress* progress) {
    prepare_validation(tt, v, cond);
    apply_travel_date(tt, v, cond, today, progress);
    return v.search_edition;
}

FlightOnDate flight_on_travel_date(const Timetable& tt, int k, int kk, const SearchConditions& cond,
                                   DayNumber today) {
    if (k < 1 || k > bounds::editions || kk < 0 || kk > bounds::flights) return {0, 0, 0};
    return flight_on_date(tt, k, kk, travel_weekday(cond), [&](int shift) {
        return check_table(tt.flight_remark[at(k)][at(kk)], cond.travel_date, shift, today);
    });
}

}  // namespace quorvel
