// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "common/day_number.hpp"
#include "fares/fare_engine.hpp"
#include "timetable/timetable.hpp"

namespace quorvel::testing {

inline std::size_t ix(int i) { return static_cast<std::size_t>(i); }

// A timetable with fare, discount and period records written in code.
struct FareData {
    std::unique_ptr<Timetable> tt = std::make_unique<Timetable>();

    // Adds a fare record to table t and returns its index. Airports are stored as the reader
    // leaves them, Tokyo and Osaka already folded to the city.
    int add_fare(int t, const std::string& company, const std::string& from, const std::string& to, int a1,
                 int a2 = 0, int a3 = 0, int kind = 0) {
        const int i = ++tt->fare_count[ix(t)];
        tt->fare_company[ix(t)][ix(i)] = company;
        tt->fare_from[ix(t)][ix(i)] = from;
        tt->fare_to[ix(t)][ix(i)] = to;
        tt->fare_amount1[ix(t)][ix(i)] = a1;
        tt->fare_amount2[ix(t)][ix(i)] = a2;
        tt->fare_amount3[ix(t)][ix(i)] = a3;
        tt->fare_kind[ix(t)][ix(i)] = static_cast<std::int16_t>(kind);
        return i;
    }
    // G(j) on ordinary and peak days = 1000 j + 100 m, busy-season fare 5000.
    void standard_grid(int t, int i) {
        for (int j = 1; j <= 4; ++j)
            for (int m = 1; m <= 2; ++m) tt->fare_grid[ix(t)][ix(j)][ix(m)][ix(i)] = 1000 * j + 100 * m;
        tt->fare_grid[ix(t)][5][1][ix(i)] = 5000;
    }
    int add_toku(const std::string& company, const std::string& from, const std::string& to, int flight,
                 int cal, int cal2, DayNumber valid_from, DayNumber valid_to, int sel_c = 1, int sel_b = 1,
                 int sel_a = 1) {
        const int i = ++tt->discount_count;
        tt->discount_company[ix(i)] = company;
        tt->discount_from[ix(i)] = from;
        tt->discount_to[ix(i)] = to;
        tt->discount_flight[ix(i)] = static_cast<std::int16_t>(flight);
        tt->discount_fare[ix(i)] = cal;
        tt->discount_fare2[ix(i)] = cal2;
        tt->discount_valid_from[ix(i)] = valid_from;
        tt->discount_valid_to[ix(i)] = valid_to;
        tt->discount_rule_c[ix(i)] = static_cast<std::int16_t>(sel_c);
        tt->discount_rule_b[ix(i)] = static_cast<std::int16_t>(sel_b);
        tt->discount_rule_a[ix(i)] = static_cast<std::int16_t>(sel_a);
        return i;
    }
    void add_period(DayNumber from, DayNumber to, int season) {
        const int i = ++tt->period_count;
        tt->period_from[ix(i)] = from;
        tt->period_to[ix(i)] = to;
        tt->period_value[ix(i)] = static_cast<std::int16_t>(season);
    }
    int add_company(const std::string& code, const std::string& name) {
        const int m = ++tt->company_count;
        tt->company_code[ix(m)] = code;
        tt->company_name[ix(m)] = name;
        return m;
    }
};

inline FareRequest make_request(const std::string& company, const std::string& from, const std::string& to,
                                DayNumber date, DayNumber today, int flight = 123) {
    FareRequest r;
    r.company = company;
    r.from = from;
    r.to = to;
    r.travel_date = date;
    r.today = today;
    r.flight_no = flight;
    return r;
}

}  // namespace quorvel::testing
