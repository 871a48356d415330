// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "timetable/timetable.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel::testing {

// A hand-made timetable: four airports, three companies, edition 1 valid to valid_to and an
// optional edition 2 after it. Flights are added with add_flight and indexed with finish().
class SmallTimetable {
  public:
    explicit SmallTimetable(DayNumber valid_to) : tt(std::make_unique<Timetable>()) {
        const char* airports[] = {"東京／羽田", "大阪／伊丹", "福岡", "札幌／千歳"};
        for (int a = 1; a <= 4; ++a) tt->airport_name[a] = airports[a - 1];
        tt->airport_count = 4;
        const char* codes[] = {"JAL", "ANA", "JAS", "SKY"};
        const char* names[] = {"日本航空", "全日空", "日本エアシステム", "スカイ"};
        for (int m = 1; m <= 4; ++m) tt->company_code[m] = codes[m - 1], tt->company_name[m] = names[m - 1];
        tt->company_count = 4;
        tt->edition_valid_to[1] = valid_to;
        tt->data_valid_to = valid_to;
    }

    // Adds a flight to edition k with the same shift on every weekday; returns its index.
    int add_flight(int from, int to, int company, int number, int dep, int arr,
                   const std::string& remark = "", int adjust = 0, int k = 1) {
        const int f = ++tt->edition_flight_count[k];
        tt->flight_from[k][f] = static_cast<std::int16_t>(from);
        tt->flight_to[k][f] = static_cast<std::int16_t>(to);
        tt->flight_company[k][f] = std::to_string(company);
        tt->flight_number[k][f] = static_cast<std::int16_t>(number);
        tt->flight_aircraft[k][f] = "B767";
        tt->flight_departure[k][f] = static_cast<std::int16_t>(dep);
        tt->flight_arrival[k][f] = static_cast<std::int16_t>(arr);
        tt->flight_remark[k][f] = remark;
        for (int w = 1; w <= 7; ++w)
            tt->flight_weekday_rule[w * 5 + k][f] = static_cast<std::int16_t>(adjust);
        return f;
    }

    void set_adjust(int f, int weekday, int value, int k = 1) {
        tt->flight_weekday_rule[weekday * 5 + k][f] = static_cast<std::int16_t>(value);
    }

    // A segment naming flights first..last of edition 1 for the pair.
    void add_segment(int from, int to, int first, int last) {
        const int s = ++tt->segment_count;
        tt->segment_from[s] = tt->airport_name[from];
        tt->segment_to[s] = tt->airport_name[to];
        tt->segment_first[1][s] = static_cast<std::int16_t>(first);
        tt->segment_last[1][s] = static_cast<std::int16_t>(last);
    }

    Timetable& finish() {
        build_route_index(*tt);
        return *tt;
    }

    std::unique_ptr<Timetable> tt;
};

}  // namespace quorvel::testing
