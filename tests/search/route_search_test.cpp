// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/route_search.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/day_number.hpp"
#include "search/route_search_oracle.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel {
namespace {

// Company indices of the small timetables below.
enum Co { JAL = 1, ANA = 2, JTA = 3, JAS = 4, SKY = 5 };

struct Flight {
    int from, to, dep, arr;
    int company = JAL;
    bool runs = true;
};

const DayNumber travel_day = day_number(2004, 2, 2);

std::unique_ptr<Timetable> make_timetable(const std::vector<std::string>& airports,
                                          const std::vector<Flight>& flights) {
    auto tt = std::make_unique<Timetable>();
    tt->airport_count = static_cast<std::int16_t>(airports.size());
    for (std::size_t a = 0; a < airports.size(); ++a) tt->airport_name[a + 1] = airports[a];
    const char* codes[] = {"JAL", "ANA", "JTA", "JAS", "SKY"};
    tt->company_count = 5;
    for (std::size_t m = 0; m < 5; ++m) tt->company_code[m + 1] = codes[m];
    tt->edition_valid_to[1] = travel_day + 30;
    tt->edition_valid_to[2] = travel_day + 90;
    for (std::size_t k = 1; k <= 2; ++k) {
        for (std::size_t i = 0; i < flights.size(); ++i) {
            const Flight& f = flights[i];
            tt->flight_from[k][i + 1] = static_cast<std::int16_t>(f.from);
            tt->flight_to[k][i + 1] = static_cast<std::int16_t>(f.to);
            tt->flight_number[k][i + 1] = static_cast<std::int16_t>(100 + i);
            tt->flight_departure[k][i + 1] = static_cast<std::int16_t>(f.dep);
            tt->flight_arrival[k][i + 1] = static_cast<std::int16_t>(f.arr);
            tt->flight_company[k][i + 1] = std::to_string(f.company);
            for (std::size_t w = 1; w <= 7; ++w) tt->flight_weekday_rule[k + 5 * w][i + 1] = f.runs ? 0 : 99;
        }
        tt->edition_flight_count[k] = static_cast<std::int16_t>(flights.size());
    }
    build_route_index(*tt);
    return tt;
}

SearchConditions conditions(const std::string& from, const std::string& to, int connection_count = 2,
                            int max_wait = 240) {
    SearchConditions c;
    c.from_airport = from;
    c.to_airport = to;
    c.departure_from = 500;
    c.departure_to = 2359;
    c.arrival_from = 600;
    c.arrival_to = 2359;
    c.max_wait = max_wait;
    c.connection_count = connection_count;
    c.result_order = 3;
    c.travel_date = travel_day;
    c.travel_weekday = weekday(travel_day);
    return c;
}

// The indexed engine's answer, checked against the literal search on the same input.
RouteResults search(const Timetable& tt, const SearchConditions& c) {
    RouteResults r = search_routes(tt, c);
    const RouteResults expected = oracle::search_routes_literal(tt, c);
    EXPECT_EQ(r.result_count, expected.result_count);
    for (int i = 1; i <= r.result_count && i <= expected.result_count; ++i)
        EXPECT_EQ(r.route_results[i], expected.route_results[i]) << i;
    return r;
}

// The flight indices of an itinerary's legs.
std::vector<int> flights_of(const Timetable& tt, const RouteResults& r, int slot) {
    const auto& x = r.route_results[slot];
    std::vector<int> v{tt.route_index(r.search_edition, x.leg1_dir, x.leg1_pos, x.leg1_row)};
    if (x.leg2_row != 0) v.push_back(tt.route_index(r.search_edition, x.leg2_dir, x.leg2_pos, x.leg2_row));
    if (x.leg3_row != 0) v.push_back(tt.route_index(r.search_edition, x.leg3_dir, x.leg3_pos, x.leg3_row));
    return v;
}

std::vector<std::vector<int>> all_flights(const Timetable& tt, const RouteResults& r) {
    std::vector<std::vector<int>> v;
    for (int i = 1; i <= r.result_count; ++i) v.push_back(flights_of(tt, r, i));
    return v;
}

using Itineraries = std::vector<std::vector<int>>;

TEST(RouteSearch, SearchAgainstTheAirportOrderFindsTheSameItineraries) {
    // The same network twice, airports numbered in opposite orders.
    const std::vector<Flight> forward{{1, 2, 800, 900},     {2, 4, 930, 1030},  {1, 4, 700, 830, ANA},
                                      {2, 3, 1000, 1100},   {3, 4, 1130, 1200}, {1, 3, 600, 700, SKY},
                                      {3, 4, 745, 900, SKY}};
    std::vector<Flight> backward;
    for (Flight f : forward) {
        f.from = 5 - f.from;
        f.to = 5 - f.to;
        backward.push_back(f);
    }
    const auto up = make_timetable({"A", "B", "C", "D"}, forward);
    const auto down = make_timetable({"D", "C", "B", "A"}, backward);
    const RouteResults r1 = search(*up, conditions("A", "D"));
    const RouteResults r2 = search(*down, conditions("A", "D"));
    EXPECT_EQ(r1.route_results[1].leg1_dir, 1);
    EXPECT_EQ(r2.route_results[1].leg1_dir, 2);
    EXPECT_EQ(all_flights(*up, r1), all_flights(*down, r2));
    EXPECT_EQ(all_flights(*up, r1), (Itineraries{{3}, {1, 2}, {6, 7}, {1, 4, 5}}));
    for (int i = 1; i <= r1.result_count; ++i) {
        EXPECT_EQ(r1.route_results[i].minutes, r2.route_results[i].minutes);
        EXPECT_EQ(r1.route_results[i].sort_key, r2.route_results[i].sort_key);
    }
}

TEST(RouteSearch, ConnectionMustFitBetweenMinimumAndLongestWait) {
    // Arrival at B 09:00; JAL to JAL away from the special airports needs 20 minutes; wait 20.
    const auto tt =
        make_timetable({"A", "B", "C"}, {{1, 2, 800, 900},
                                         {2, 3, 900, 1000},    // at the arrival time: under the minimum
                                         {2, 3, 919, 1000},    // one minute short
                                         {2, 3, 920, 1010},    // exactly the minimum and the longest wait
                                         {2, 3, 921, 1020}});  // one minute past the longest wait
    EXPECT_EQ(all_flights(*tt, search(*tt, conditions("A", "C", 1, 20))), (Itineraries{{1, 4}}));
    // A longer wait lets the last one in too.
    EXPECT_EQ(all_flights(*tt, search(*tt, conditions("A", "C", 1, 21))), (Itineraries{{1, 4}, {1, 5}}));
}

TEST(RouteSearch, MinimumConnectionDependsOnAirlinesAndAirport) {
    const auto tt = make_timetable({"札幌", "東京／羽田", "沖縄", "石垣"},
                                   {{1, 2, 800, 930, JAL},
                                    {2, 3, 954, 1230, JAL},   // 24 minutes at Haneda: too short
                                    {2, 3, 955, 1240, JAL},   // 25: enough
                                    {3, 4, 1309, 1400, ANA},  // JAL to ANA at Okinawa: 39 too short
                                    {3, 4, 1320, 1410, ANA}});
    // From Sapporo to Okinawa: only the 25-minute connection.
    EXPECT_EQ(all_flights(*tt, search(*tt, conditions("札幌", "沖縄", 1))), (Itineraries{{1, 3}}));
    // On to Ishigaki (JAL to ANA at Okinawa needs 40): the 12:30 arrival misses the 13:09 flight by a
    // minute and takes the 13:20; the 12:40 arrival makes the 13:20 with exactly 40.
    const RouteResults r = search(*tt, conditions("東京／羽田", "石垣", 1));
    EXPECT_EQ(all_flights(*tt, r), (Itineraries{{3, 5}, {2, 5}}));
    EXPECT_EQ(minimum_connection_minutes(11, 21, "沖縄"), 40);
    EXPECT_EQ(minimum_connection_minutes(11, 11, "東京／羽田 "), 25);
}

TEST(RouteSearch, AirlineGroupsAndMinimumTable) {
    const std::vector<std::pair<std::string, int>> groups{
        {"JAL", 11}, {"JEX", 11}, {"JTA", 12}, {"RAC", 12}, {"J- ", 13}, {"ANA", 21}, {"ANK", 21},
        {"ADK", 21}, {"JAS", 31}, {"JAC", 31}, {"HAC", 31}, {"SKY", 41}, {"", 41}};
    for (const auto& [code, group] : groups) EXPECT_EQ(airline_group(code), group) << code;
    struct Row {
        int g1, g2;
        const char* at;
        int minutes;
    };
    const Row rows[] = {{11, 11, "東京／羽田", 25}, {11, 11, "福岡", 20},       {11, 12, "東京／羽田", 25},
                        {12, 11, "沖縄", 35},       {11, 12, "福岡", 20},       {11, 13, "大阪／関西", 25},
                        {13, 11, "沖縄", 20},       {12, 12, "南大東", 20},     {12, 12, "北大東", 20},
                        {12, 12, "沖縄", 25},       {13, 13, "東京／羽田", 15}, {21, 21, "大阪／伊丹", 25},
                        {21, 21, "大阪／関西", 25}, {21, 21, "東京／羽田", 25}, {21, 21, "沖縄", 20},
                        {31, 31, "東京／羽田", 25}, {31, 31, "大阪／伊丹", 20}, {11, 21, "沖縄", 40},
                        {41, 41, "福岡", 30},       {21, 31, "東京／羽田", 30}, {41, 11, "沖縄", 40}};
    for (const Row& r : rows)
        EXPECT_EQ(minimum_connection_minutes(r.g1, r.g2, r.at), r.minutes) << r.g1 << r.g2 << r.at;
}

TEST(RouteSearch, ConnectionCountLimitsTheLegs) {
    const auto tt = make_timetable(
        {"A", "B", "C", "D"},
        {{1, 4, 700, 900}, {1, 2, 800, 900}, {2, 4, 1000, 1100}, {2, 3, 930, 1000}, {3, 4, 1030, 1100}});
    EXPECT_EQ(all_flights(*tt, search(*tt, conditions("A", "D", 0))), (Itineraries{{1}}));
    EXPECT_EQ(all_flights(*tt, search(*tt, conditions("A", "D", 1))), (Itineraries{{1}, {2, 3}}));
    EXPECT_EQ(all_flights(*tt, search(*tt, conditions("A", "D", 2))), (Itineraries{{1}, {2, 3}, {2, 4, 5}}));
}

TEST(RouteSearch, WindowsAndServiceFilterLegs) {
    const auto tt = make_timetable({"A", "B", "C"}, {{1, 3, 800, 2330},  // arrives after the window
                                                     {1, 3, 450, 600},   // leaves before the window
                                                     {1, 3, 900, 1000, JAL, false},  // no service on the day
                                                     {1, 3, 1000, 1100}});
    SearchConditions c = conditions("A", "C");
    c.arrival_to = 2300;
    EXPECT_EQ(all_flights(*tt, search(*tt, c)), (Itineraries{{4}}));
}

TEST(RouteSearch, OrderKeyAddsConnectionsToMinutes) {
    // Both leave at 08:00: a 92-minute direct flight and a 91-minute trip with two connections.
    const auto tt = make_timetable({"A", "B", "C", "D"},
                                   {{1, 4, 800, 932}, {1, 2, 800, 830}, {2, 3, 850, 910}, {3, 4, 930, 931}});
    SearchConditions c = conditions("A", "D");
    c.result_order = 1;
    RouteResults r = search(*tt, c);
    EXPECT_EQ(all_flights(*tt, r), (Itineraries{{1}, {2, 3, 4}}));  // 92 + 0 < 91 + 2
    EXPECT_EQ(r.route_results[1].sort_key, 800 * 10000 + 92);
    EXPECT_EQ(r.route_results[2].sort_key, 800 * 10000 + 91 + 2);
    EXPECT_EQ(r.route_results[2].minutes, 91);
    c.result_order = 2;
    r = search(*tt, c);
    EXPECT_EQ(all_flights(*tt, r), (Itineraries{{2, 3, 4}, {1}}));
    EXPECT_EQ(r.route_results[1].sort_key, 931 * 10000 + 93);
}

TEST(RouteSearch, EqualKeysKeepTheExchangeSortOrder) {
    // Keys 120, 60, 60, 30 minutes, all from 08:00: the exchange sort leaves the two equal keys reversed.
    const auto tt =
        make_timetable({"A", "B"}, {{1, 2, 800, 1000}, {1, 2, 800, 900}, {1, 2, 800, 900}, {1, 2, 800, 830}});
    EXPECT_EQ(all_flights(*tt, search(*tt, conditions("A", "B"))), (Itineraries{{4}, {3}, {2}, {1}}));
}

TEST(RouteSearch, FirstLegPastTheDestinationComesBack) {
    // A(1) C(2) B(3) Z(4): A to B flies over C; B to C runs against the search direction.
    const auto tt = make_timetable(
        {"A", "C", "B", "Z"}, {{1, 3, 800, 900}, {3, 2, 1000, 1100}, {1, 4, 800, 900}, {4, 2, 1000, 1100}});
    // Z is the far end of the order and is never used to turn.
    EXPECT_EQ(all_flights(*tt, search(*tt, conditions("A", "C"))), (Itineraries{{1, 2}}));
}

TEST(RouteSearch, SecondPhaseOnlyWhenTheFirstFoundNothing) {
    // X(1) B(2) A(3) C(4): from A the first leg goes back to B, then on to C.
    std::vector<Flight> flights{{3, 2, 800, 900}, {2, 4, 1000, 1200}, {3, 1, 800, 900}, {1, 4, 1000, 1200}};
    auto tt = make_timetable({"X", "B", "A", "C"}, flights);
    RouteResults r = search(*tt, conditions("A", "C"));
    EXPECT_EQ(all_flights(*tt, r), (Itineraries{{1, 2}}));  // not via X, the far end
    EXPECT_EQ(r.route_results[1].leg1_dir, 2);
    flights.push_back({3, 4, 1500, 1600});
    tt = make_timetable({"X", "B", "A", "C"}, flights);
    EXPECT_EQ(all_flights(*tt, search(*tt, conditions("A", "C"))), (Itineraries{{5}}));
}

TEST(RouteSearch, HundredCandidatesPerFirstLegAndHundredThirdLegs) {
    // 150 onward flights from B to C after each of two first legs.
    std::vector<Flight> flights{{1, 2, 600, 700}, {1, 2, 605, 705}};
    for (int i = 0; i < 150; ++i) flights.push_back({2, 4, 800 + i / 60 * 100 + i % 60, 1500});
    auto tt = make_timetable({"A", "B", "C", "D"}, flights);
    SearchConditions c = conditions("A", "D", 1, 600);
    RouteResults r = search(*tt, c);
    EXPECT_EQ(r.result_count, 200);
    // The first 100 of each, in entry order: the last kept onward flight is entry 102.
    int highest = 0;
    for (int i = 1; i <= r.result_count; ++i) highest = std::max<int>(highest, r.route_results[i].leg2_row);
    EXPECT_EQ(highest, 102);
    // The same limit on third legs: one A-B, one B-C, 150 C-D.
    flights = {{1, 2, 600, 700}, {2, 3, 730, 800}};
    for (int i = 0; i < 150; ++i) flights.push_back({3, 4, 900 + i / 60 * 100 + i % 60, 1500});
    tt = make_timetable({"A", "B", "C", "D"}, flights);
    r = search(*tt, conditions("A", "D", 2, 600));
    EXPECT_EQ(r.result_count, 100);
}

TEST(RouteSearch, ThousandResultsAreKeptAndTheNextEndsTheSearch) {
    std::vector<Flight> flights;
    for (int i = 0; i < 1000; ++i) flights.push_back({1, 2, 600 + i % 17, 800 + i % 23});
    auto tt = make_timetable({"A", "B"}, flights);
    EXPECT_EQ(search(*tt, conditions("A", "B")).result_count, 1000);
    flights.push_back({1, 2, 500, 600});  // the 1001st: never looked at
    tt = make_timetable({"A", "B"}, flights);
    const RouteResults r = search(*tt, conditions("A", "B"));
    EXPECT_EQ(r.result_count, 1000);
    for (int i = 1; i <= r.result_count; ++i) EXPECT_NE(r.route_results[i].leg1_row, 1001);
}

TEST(RouteSearch, NothingWithoutEditionOrKnownAirports) {
    const auto tt = make_timetable({"A", "B"}, {{1, 2, 800, 900}});
    SearchConditions c = conditions("A", "B");
    c.travel_date = tt->edition_valid_to[2] + 1;
    RouteResults r = search(*tt, c);
    EXPECT_EQ(r.result_count, 0);
    EXPECT_EQ(r.search_edition, 0);
    c.travel_date = tt->edition_valid_to[1] + 1;
    EXPECT_EQ(search(*tt, c).search_edition, 2);
    EXPECT_EQ(search(*tt, conditions("A", "Q")).result_count, 0);
    EXPECT_EQ(search(*tt, conditions("A", "A")).result_count, 0);
}

TEST(RouteSearch, ProgressEveryTwentyEntriesOfEachPhase) {
    class Recorder final : public Progress {
      public:
        std::vector<std::string> calls;
        void set_range(int lo, int hi) override {
            calls.push_back("range " + std::to_string(lo) + " " + std::to_string(hi));
        }
        void set_value(int v) override { calls.push_back(std::to_string(v)); }
        void yield() override { calls.push_back("yield"); }
    };
    std::vector<Flight> flights;
    for (int i = 0; i < 45; ++i) flights.push_back({1, 2, 700, 800 + i});
    for (int i = 0; i < 25; ++i) flights.push_back({2, 1, 700, 800});
    const auto tt = make_timetable({"A", "B", "C"}, flights);
    Recorder p;
    search_routes(*tt, conditions("A", "C"), &p);  // nothing found: both phases run
    EXPECT_EQ(p.calls, (std::vector<std::string>{"range 0 45", "20", "yield", "40", "yield", "range 0 25",
                                                 "20", "yield"}));
}

TEST(RouteSearch, SelectDataReadsTimesAndService) {
    const auto tt = make_timetable({"A", "B"}, {{1, 2, 805, 910}, {2, 1, 1000, 1100, JAL, false}});
    const LegTimes a = leg_times(*tt, 1, 2, 1, 1, 1);
    EXPECT_EQ(a.shifted_departure, 805);
    EXPECT_EQ(a.shifted_arrival, 910);
    EXPECT_TRUE(a.runs);
    EXPECT_FALSE(leg_times(*tt, 1, 2, 2, 1, 1).runs);
    const LegTimes none = leg_times(*tt, 1, 2, 1, 2, 5);  // an empty entry
    EXPECT_EQ(none.shifted_departure, 0);
    EXPECT_TRUE(none.runs);
    EXPECT_EQ(find_search_edition(*tt, travel_day), 1);
    EXPECT_EQ(find_search_edition(*tt, travel_day + 31), 2);
    EXPECT_EQ(find_search_edition(*tt, travel_day + 91), 0);
}

}  // namespace
}  // namespace quorvel
