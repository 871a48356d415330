// SPDX-License-Identifier: GPL-3.0-or-later
// The indexed search engine against the literal one on random timetables and conditions.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "search/random_timetable.hpp"
#include "search/route_search.hpp"
#include "search/route_search_oracle.hpp"

namespace quorvel {
namespace {

#ifndef QUORVEL_DIFFERENTIAL_TIMETABLES
#define QUORVEL_DIFFERENTIAL_TIMETABLES 40
#endif
#ifndef QUORVEL_DIFFERENTIAL_SEED
#define QUORVEL_DIFFERENTIAL_SEED 20040107
#endif
constexpr int searches_per_timetable = 12;

class RecordingProgress final : public Progress {
  public:
    std::vector<int> calls;  // -1 before the range, then values; yields as -2
    void set_range(int minimum, int maximum) override {
        calls.push_back(-1);
        calls.push_back(minimum);
        calls.push_back(maximum);
    }
    void set_value(int value) override { calls.push_back(value); }
    void yield() override { calls.push_back(-2); }
};

std::string describe(const SearchConditions& c) {
    return c.from_airport + " -> " + c.to_airport + " dep " + std::to_string(c.departure_from) + "-" +
           std::to_string(c.departure_to) + " arr " + std::to_string(c.arrival_from) + "-" +
           std::to_string(c.arrival_to) + " wait " + std::to_string(c.max_wait) + " count " +
           std::to_string(c.connection_count) + " option " + std::to_string(c.result_order) + " date " +
           std::to_string(c.travel_date);
}

std::string listing(const Timetable& tt, const RouteResults& r) {
    std::string s;
    const auto k = static_cast<std::size_t>(r.search_edition);
    auto leg = [&](int dir, int pos, int row) {
        const auto f = static_cast<std::size_t>(tt.route_index(r.search_edition, dir, pos, row));
        return " [" + std::to_string(dir) + "/" + std::to_string(pos) + "/" + std::to_string(row) + " f" +
               std::to_string(f) + " " + std::to_string(tt.flight_from[k][f]) + ">" +
               std::to_string(tt.flight_to[k][f]) + " " + std::to_string(tt.flight_departure[k][f]) + "-" +
               std::to_string(tt.flight_arrival[k][f]) + "]";
    };
    for (int i = 1; i <= r.result_count && i <= 12; ++i) {
        const auto& x = r.route_results[i];
        s += std::to_string(i) + " key " + std::to_string(x.sort_key) +
             leg(x.leg1_dir, x.leg1_pos, x.leg1_row);
        if (x.leg2_row != 0) s += leg(x.leg2_dir, x.leg2_pos, x.leg2_row);
        if (x.leg3_row != 0) s += leg(x.leg3_dir, x.leg3_pos, x.leg3_row);
        s += "\n";
    }
    return s;
}

struct Tally {
    int searches = 0, with_results = 0, full_tables = 0, two_connections = 0, phase2 = 0, full_first_legs = 0;
};

void compare_one(const Timetable& tt, const SearchConditions& c, Tally& tally) {
    RecordingProgress p_oracle, p_engine;
    const RouteResults expected = oracle::search_routes_literal(tt, c, &p_oracle);
    const RouteResults actual = search_routes(tt, c, &p_engine);
    ++tally.searches;
    ASSERT_EQ(actual.search_edition, expected.search_edition) << describe(c);
    ASSERT_EQ(actual.result_count, expected.result_count) << describe(c);
    for (int i = 1; i <= expected.result_count; ++i) {
        const auto& e = expected.route_results[i];
        const auto& a = actual.route_results[i];
        ASSERT_EQ(a, e) << "slot " << i << " of " << describe(c) << "\nexpected\n"
                        << listing(tt, expected) << "actual\n"
                        << listing(tt, actual);
    }
    EXPECT_EQ(p_engine.calls, p_oracle.calls) << describe(c);
    if (expected.result_count > 0) ++tally.with_results;
    if (expected.result_count == max_route_results) ++tally.full_tables;
    for (int i = 1; i <= expected.result_count; ++i) {
        const auto& r = expected.route_results[i];
        if (r.leg3_row != 0) {
            ++tally.two_connections;
            break;
        }
    }
    std::map<std::tuple<int, int, int>, int> per_first_leg;
    for (int i = 1; i <= expected.result_count; ++i) {
        const auto& r = expected.route_results[i];
        if (r.leg2_row != 0 && ++per_first_leg[{r.leg1_dir, r.leg1_pos, r.leg1_row}] == 100)
            ++tally.full_first_legs;
    }
    if (expected.result_count > 0) {
        const int from = tt.airport_index(c.from_airport), to = tt.airport_index(c.to_airport);
        const int search_dir = from < to ? 1 : 2;
        if (expected.route_results[1].leg1_dir != search_dir) ++tally.phase2;
    }
}

TEST(RouteSearchDifferential, IndexedEngineMatchesLiteralSearch) {
    std::mt19937 rng(QUORVEL_DIFFERENTIAL_SEED);
    Tally tally;
    for (int t = 0; t < QUORVEL_DIFFERENTIAL_TIMETABLES; ++t) {
        const testing::NetworkShape shape = testing::random_shape(rng);
        const auto tt = testing::random_timetable(rng, shape);
        for (int s = 0; s < searches_per_timetable; ++s) {
            const SearchConditions c = testing::random_conditions(rng, *tt, shape.hubs);
            compare_one(*tt, c, tally);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    // The random inputs must actually reach the interesting parts of the search.
    EXPECT_GT(tally.with_results, tally.searches / 4);
    EXPECT_GT(tally.full_tables, 0);
    EXPECT_GT(tally.two_connections, 0);
    EXPECT_GT(tally.phase2, 0);
    EXPECT_GT(tally.full_first_legs, 0);
    std::printf(
        "%d searches, %d with results, %d full tables, %d first legs with 100 connections, "
        "%d with two connections, %d from phase 2\n",
        tally.searches, tally.with_results, tally.full_tables, tally.full_first_legs, tally.two_connections,
        tally.phase2);
}

}  // namespace
}  // namespace quorvel
