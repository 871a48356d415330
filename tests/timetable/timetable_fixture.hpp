// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/day_number.hpp"
#include "datatools/timetable_source.hpp"
#include "datatools/timetable_writer.hpp"
#include "timetable/timetable.hpp"

namespace quorvel::testing {

// A small timetable that touches every table: 40 airports (positions matter for the route index),
// three companies, six aircraft types, two editions, both fare tables, discounts, access, periods
// and help topics. Airport 12 is "空港12" and so on from 10 up.
inline SourceFlight flight(const std::string& from, const std::string& to, const std::string& company,
                           int number, int dep, int arr) {
    SourceFlight f;
    f.from = from;
    f.to = to;
    f.company = company;
    f.number = number;
    f.dep_time = dep;
    f.arr_time = arr;
    f.aircraft = "B767";
    return f;
}

inline std::string airport_name(int i) {
    static const char* first[] = {"",     "東京／羽田", "大阪／伊丹", "札幌", "福岡",
                                  "沖縄", "新東京",     "東京都心",   "大阪", "東京"};
    if (i >= 1 && i <= 9) return first[i];
    return "空港" + std::to_string(i);
}

inline TimetableSource small_source() {
    TimetableSource src;
    src.control.edition_valid_to = {0, day_number(2026, 3, 31), day_number(2099, 12, 31), 0, 0};
    src.control.data_valid_to = day_number(2099, 12, 31);
    src.control.fare_valid_from = {0, day_number(2025, 4, 1), day_number(2026, 4, 1)};
    src.help = {{1, 1, 301, 0}, {2, 14, 314, 0}, {21, 20, 999, 0}};
    for (int i = 1; i <= 40; ++i) {
        SourceAirport a;
        a.name = airport_name(i);
        a.group = i % 10;
        a.flag = i % 2;
        a.code1 = i % 3 == 0 ? "" : "A" + std::to_string(i);
        a.code2 = "B";
        a.code3 = "";
        a.code4 = i % 4 == 0 ? "*" : "C" + std::to_string(i);
        src.airports.push_back(a);
    }
    for (const char* name : {"B747", "B767", "B777", "A300", "MD81", "DHC8"})
        src.aircraft.push_back({name, 0});
    src.companies = {{"JAL", "日本航空", 0}, {"ANA", "全日空", 0}, {"JAS", "日本エアシステム", 0}};

    SourceEdition e1;
    e1.flights.push_back(flight("空港12", "札幌", "ANA", 315, 730, 855));
    e1.flights.back().aircraft = "MD81";
    e1.flights.back().adjust[7] = 1;
    e1.flights.push_back(flight("札幌", "空港12", "JAL", 100, 900, 1025));
    e1.flights.back().adjust = {0, 99, 0, 0, 0, 0, 0, -15};  // no Sunday service, Saturdays earlier
    e1.flights.back().remark = "  99:12/29-31;  ";
    e1.flights.push_back(flight("空港12", "札幌", "JAS", 317, 1200, 1325));
    e1.flights.back().remark = " ";
    src.editions[1] = e1;

    SourceEdition e2;
    e2.flights.push_back(flight("札幌", "空港12", "JAL", 101, 800, 925));  // 3 -> 7 of the pair below
    e2.flights.push_back(flight("札幌", "東京都心", "JAL", 103, 1000, 1120));
    e2.flights.push_back(flight("東京都心", "札幌", "ANA", 104, 1300, 1420));
    e2.flights.back().aircraft.clear();
    src.editions[2] = e2;

    SourceFareTable t1, t2;
    SourceFare fare;
    fare.from = "東京";
    fare.to = "大阪";
    fare.company = "JAL";
    fare.amount1 = 18300;
    fare.amount2 = 20100;
    fare.amount3 = 16800;
    fare.grid[1] = {0, 1000, 1100};
    fare.grid[4] = {0, 1300, 1400};
    fare.extra = 1500;
    fare.grid5 = 1600;
    fare.grid6 = 1700;
    t1.fares.push_back(fare);
    fare.from = "新東京";
    fare.to = "東京都心";
    fare.company = "ANA";
    fare.kind = 15;
    t2.fares.push_back(fare);
    src.fare_tables[1] = t1;
    src.fare_tables[2] = t2;

    SourceDiscount d;
    d.from = "東京／羽田";
    d.to = "札幌";
    d.company = "ANA";
    d.flight = 999;
    d.sel_a = 1;
    d.sel_b = 2;
    d.sel_c = 3;
    d.cal = 12000;
    d.cal2 = 23000;
    d.valid_from = day_number(2026, 4, 1);
    d.valid_to = day_number(2027, 3, 31);
    src.discounts.push_back(d);
    src.accesses.push_back({"札幌", 2, 104, "RL", "JR快速エアポート", 0});
    src.periods.push_back({day_number(2026, 7, 17), day_number(2026, 8, 31), 2, 0});
    src.periods.push_back({day_number(2027, 1, 12), day_number(2027, 2, 28), 3, 0});
    return src;
}

inline std::vector<std::byte> build_or_fail(const TimetableSource& src) {
    auto bytes = build_timetable(src);
    EXPECT_TRUE(bytes.ok()) << (bytes.ok() ? "" : bytes.error().message);
    return bytes.ok() ? *bytes : std::vector<std::byte>{};
}

// Little-endian access to a file image, for damaging it on purpose.
inline std::int32_t get_i32(const std::vector<std::byte>& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(b.at(at + i)) << (8 * i);
    return static_cast<std::int32_t>(v);
}
inline void put_i32(std::vector<std::byte>& b, std::size_t at, std::int32_t v) {
    for (std::size_t i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<std::byte>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
}
inline std::int16_t get_i16(const std::vector<std::byte>& b, std::size_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(b.at(at)) |
                                     static_cast<std::uint16_t>(b.at(at + 1)) << 8);
}
inline void put_i16(std::vector<std::byte>& b, std::size_t at, int v) {
    b.at(at) = static_cast<std::byte>(v & 0xFF);
    b.at(at + 1) = static_cast<std::byte>((v >> 8) & 0xFF);
}

// Where the control record keeps section n's block and count, and where the section starts.
inline std::size_t control_at(const std::vector<std::byte>& b) { return b.size() - control_record_size; }
inline std::size_t block_field(const std::vector<std::byte>& b, int n) { return control_at(b) + 2 * (n - 1); }
inline std::size_t count_field(const std::vector<std::byte>& b, int n) {
    return control_at(b) + 40 + 2 * (n - 1);
}
inline std::size_t section_at(const std::vector<std::byte>& b, int n) {
    return static_cast<std::size_t>(get_i16(b, block_field(b, n))) * block_size;
}

}  // namespace quorvel::testing
