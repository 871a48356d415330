// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/day_number.hpp"
#include "common/table.hpp"

namespace quorvel {

// Bounds of the timetable tables. Every table is indexed from 1; index 0 is unused except where
// noted (column 0 of the flight tables is the saved copy the date validation restores).
namespace bounds {
inline constexpr int airports = 100;
inline constexpr int segments = 700;
inline constexpr int aircraft = 50;
inline constexpr int companies = 30;
inline constexpr int editions = 4;
inline constexpr int flights = 2200;  // per edition
inline constexpr int fare_tables = 2;
inline constexpr int fares = 500;  // per fare table
inline constexpr int discounts = 3000;
inline constexpr int accesses = 400;
inline constexpr int periods = 10;
inline constexpr int route_entries = 1200;  // per edition and direction
inline constexpr int sections = 20;
inline constexpr int help_rows = 21;  // fare_help_topic(1..21, 1..20) in the file
inline constexpr int help_cols = 20;
}  // namespace bounds

inline constexpr int block_size = 1024;
inline constexpr int control_record_size = 1024;

// The route index: route_index(k, dir, pos, n), k = 0..4, dir = 0..2, pos = 0..100, n = 0..1200.
class RouteIndex {
  public:
    RouteIndex() : data_(static_cast<std::size_t>(5 * 3 * 101 * 1201), 0) {}
    std::int16_t& operator()(int k, int dir, int pos, int n) { return data_[offset(k, dir, pos, n)]; }
    std::int16_t operator()(int k, int dir, int pos, int n) const { return data_[offset(k, dir, pos, n)]; }

  private:
    static std::size_t offset(int k, int dir, int pos, int n) {
        return ((static_cast<std::size_t>(k) * 3 + static_cast<std::size_t>(dir)) * 101 +
                static_cast<std::size_t>(pos)) *
                   1201 +
               static_cast<std::size_t>(n);
    }
    std::vector<std::int16_t> data_;
};

// The timetable tables filled from timedata.dat at start-up. Names follow the data file's design.
// The object is large (a few megabytes): hold it by std::unique_ptr.
struct Timetable {
    // Control record.
    int data_block_count = 0;
    Table<std::int32_t, 24> section_block{};
    Table<std::int16_t, 24> section_rows{};
    Table<std::int32_t, 4> edition_valid_to{};
    std::int32_t data_valid_to = 0;
    Table<std::int32_t, 2> fare_valid_from{};
    Table2<std::int16_t, 31, 30> fare_help_topic{};

    // Section 1: airports.
    Table<std::string, bounds::airports> airport_name{};
    Table<std::int16_t, bounds::airports> airport_region{};
    Table<std::int16_t, bounds::airports> airport_flag{};
    Table<std::string, bounds::airports> airport_code1{}, airport_code2{}, airport_code3{}, airport_code4{};
    std::int16_t airport_count = 0;

    // Section 2: segments (airport pairs) and the flights of each pair per edition.
    Table<std::string, bounds::segments> segment_from{}, segment_to{};
    Table2<std::int16_t, bounds::editions, bounds::segments> segment_first{}, segment_last{};
    std::int16_t segment_count = 0;

    // Section 3: aircraft types.
    Table<std::string, bounds::aircraft> aircraft_name{};
    std::int16_t aircraft_count = 0;

    // Section 4: companies.
    Table<std::string, bounds::companies> company_code{}, company_name{};
    std::int16_t company_count = 0;

    // Sections 5-8: timetable editions 1..4, indexed (k, i).
    Table2<std::int16_t, bounds::editions, bounds::flights> flight_from{}, flight_to{}, flight_number{};
    Table2<std::int16_t, bounds::editions, bounds::flights> flight_departure{}, flight_arrival{};
    Table2<std::string, bounds::editions, bounds::flights> flight_company{}, flight_aircraft{},
        flight_remark{};
    // flight_weekday_rule(w * 5 + k, i) for weekday w = 1 (Sunday) .. 7 (Saturday); 99 = no service that day.
    Table2<std::int16_t, 39, bounds::flights> flight_weekday_rule{};
    Table<std::int16_t, bounds::editions> edition_flight_count{};

    // Built from the flight tables by build_route_index.
    RouteIndex route_index;
    // route_count(k, dir) is held at index 5 * dir + k.
    Table<std::int16_t, 14> route_count_table{};
    std::int16_t& route_count(int k, int dir) { return route_count_table[5 * dir + k]; }
    std::int16_t route_count(int k, int dir) const { return route_count_table[5 * dir + k]; }

    // Sections 9-10: fare tables 1..2, indexed (t, i).
    Table2<std::string, bounds::fare_tables, bounds::fares> fare_from{}, fare_to{}, fare_company{};
    Table2<std::int16_t, bounds::fare_tables, bounds::fares> fare_kind{};
    Table2<std::int32_t, bounds::fare_tables, bounds::fares> fare_amount1{}, fare_amount2{}, fare_amount3{},
        fare_extra{};
    // fare_grid[t][j][m][i]: j = 1..4 with m = 1 ordinary day, 2 peak day; (5, 1) busy season; (6, 1).
    std::array<std::array<std::array<Table<std::int32_t, bounds::fares>, 3>, 7>, 3> fare_grid{};
    Table<std::int16_t, bounds::fare_tables> fare_count{};

    // Section 11: special discount fares.
    Table<std::string, bounds::discounts> discount_from{}, discount_to{}, discount_company{};
    Table<std::int16_t, bounds::discounts> discount_flight{}, discount_rule_a{}, discount_rule_b{},
        discount_rule_c{};
    Table<std::int32_t, bounds::discounts> discount_fare{}, discount_fare2{}, discount_valid_from{},
        discount_valid_to{};
    std::int16_t discount_count = 0;

    // Section 12: airport access transport (kept; no search reads it).
    Table<std::string, bounds::accesses> access_airport{}, access_text{}, access_code{};
    Table<std::int16_t, bounds::accesses> access_kind{};
    Table<std::int32_t, bounds::accesses> access_value{};
    std::int16_t access_count = 0;

    // Section 13: calendar periods (season 1 ordinary, 2 busy, 3 off-peak).
    Table<std::int32_t, bounds::periods> period_from{}, period_to{};
    Table<std::int16_t, bounds::periods> period_value{};
    std::int16_t period_count = 0;

    // The position of an airport name in the airport table, or 0.
    int airport_index(const std::string& name) const;
};

}  // namespace quorvel
