// SPDX-License-Identifier: GPL-3.0-or-later
// Date validation + route search + sort for every airport pair of the sample timetable, with two
// connections, the full windows and a 240-minute wait: the literal search and the indexed engine.
// Each benchmark case walks all pairs once per iteration and keeps every pair's time; the
// distribution over pairs (median of each pair's samples) is reported as counters and, at the end,
// as a table with the ratio between the two.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "search/date_validation.hpp"
#include "search/random_timetable.hpp"
#include "search/route_search.hpp"
#include "search/route_search_oracle.hpp"
#include "timetable/timetable_reader.hpp"

namespace {

using namespace quorvel;

struct Fixture {
    std::unique_ptr<Timetable> tt;
    std::string source;
    DateValidation validation;
    DayNumber date = 0;
};

Fixture& fixture() {
    static Fixture f = [] {
        Fixture x;
        const std::filesystem::path sample = std::filesystem::path(QUORVEL_BIN_DIR) / data_file_name;
        if (auto loaded = load_timetable_file(sample); loaded.ok()) {
            x.tt = std::move(loaded.value());
            x.source = sample.string();
        } else {
            // Until the sample data is built: a generated network of about the same size.
            std::mt19937 rng(2004);
            testing::NetworkShape shape;
            shape.airports = 60;
            shape.flights = 1800;
            shape.hubs = 6;
            shape.hub_share = 85;
            shape.no_service_share = 5;
            x.tt = testing::random_timetable(rng, shape);
            x.source = "generated: 60 airports, 1800 flights";
        }
        x.date = x.tt->edition_valid_to[1] - 7;
        return x;
    }();
    return f;
}

SearchConditions pair_conditions(const Timetable& tt, int from, int to, DayNumber date) {
    SearchConditions c;
    c.from_airport = tt.airport_name[from];
    c.to_airport = tt.airport_name[to];
    c.departure_from = 500;
    c.departure_to = 2359;
    c.arrival_from = 600;
    c.arrival_to = 2359;
    c.max_wait = 240;
    c.connection_count = 2;
    c.result_order = 3;
    c.travel_date = date;
    c.travel_weekday = weekday(date);
    return c;
}

struct Distribution {
    double median_us = 0, p90_us = 0, max_us = 0;
    std::size_t pairs = 0;
    double results_mean = 0;
    std::string slowest;  // the slowest pairs with their result counts
};

std::map<std::string, Distribution>& summary() {
    static std::map<std::string, Distribution> s;
    return s;
}

template <class Search>
void walk_all_pairs(benchmark::State& state, const std::string& name, Search search) {
    Fixture& f = fixture();
    Timetable& tt = *f.tt;
    const int n = tt.airport_count;
    std::vector<std::vector<double>> samples(static_cast<std::size_t>(n * n));
    std::vector<int> counts(static_cast<std::size_t>(n * n));
    long long results = 0, searches = 0;
    for (auto _ : state) {
        for (int from = 1; from <= n; ++from) {
            for (int to = 1; to <= n; ++to) {
                if (from == to) continue;
                const SearchConditions c = pair_conditions(tt, from, to, f.date);
                const auto t0 = std::chrono::steady_clock::now();
                validate_for_date(tt, f.validation, c, f.date - 10);
                const RouteResults r = search(tt, c);
                const auto t1 = std::chrono::steady_clock::now();
                benchmark::DoNotOptimize(r.result_count);
                results += r.result_count;
                counts[(from - 1) * n + (to - 1)] = r.result_count;
                ++searches;
                samples[(from - 1) * n + (to - 1)].push_back(
                    std::chrono::duration<double, std::micro>(t1 - t0).count());
            }
        }
    }
    std::vector<double> per_pair;
    std::vector<std::pair<double, std::size_t>> ranked;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        auto& s = samples[i];
        if (s.empty()) continue;
        std::sort(s.begin(), s.end());
        per_pair.push_back(s[s.size() / 2]);
        ranked.emplace_back(s[s.size() / 2], i);
    }
    std::sort(per_pair.begin(), per_pair.end());
    std::sort(ranked.rbegin(), ranked.rend());
    Distribution d;
    for (std::size_t i = 0; i < ranked.size() && i < 3; ++i) {
        const std::size_t at = ranked[i].second;
        d.slowest += "  " + tt.airport_name[at / static_cast<std::size_t>(n) + 1] + " -> " +
                     tt.airport_name[at % static_cast<std::size_t>(n) + 1] + ": " +
                     std::to_string(static_cast<int>(ranked[i].first)) + " us, " +
                     std::to_string(counts[at]) + " results\n";
    }
    d.pairs = per_pair.size();
    if (!per_pair.empty()) {
        d.median_us = per_pair[per_pair.size() / 2];
        d.p90_us = per_pair[std::min(per_pair.size() - 1, per_pair.size() * 9 / 10)];
        d.max_us = per_pair.back();
    }
    d.results_mean = searches > 0 ? static_cast<double>(results) / static_cast<double>(searches) : 0;
    summary()[name] = d;
    state.counters["pairs"] = static_cast<double>(d.pairs);
    state.counters["median_us"] = d.median_us;
    state.counters["p90_us"] = d.p90_us;
    state.counters["max_us"] = d.max_us;
    state.counters["results_per_pair"] = d.results_mean;
}

void BM_AllPairs_Literal(benchmark::State& state) {
    walk_all_pairs(state, "literal", [](const Timetable& tt, const SearchConditions& c) {
        return oracle::search_routes_literal(tt, c);
    });
}
void BM_AllPairs_Engine(benchmark::State& state) {
    walk_all_pairs(state, "engine",
                   [](const Timetable& tt, const SearchConditions& c) { return search_routes(tt, c); });
}

BENCHMARK(BM_AllPairs_Literal)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AllPairs_Engine)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("timetable: %s\n", fixture().source.c_str());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const auto& s = summary();
    std::printf("\nper airport pair (validation + search + sort), microseconds:\n");
    std::printf("%-8s %6s %10s %10s %10s %10s\n", "engine", "pairs", "median", "p90", "max", "results");
    for (const auto& [name, d] : s)
        std::printf("%-8s %6zu %10.1f %10.1f %10.1f %10.1f\n", name.c_str(), d.pairs, d.median_us, d.p90_us,
                    d.max_us, d.results_mean);
    for (const auto& [name, d] : s) std::printf("slowest pairs, %s:\n%s", name.c_str(), d.slowest.c_str());
    if (s.count("literal") != 0 && s.count("engine") != 0 && s.at("engine").median_us > 0) {
        const Distribution& l = s.at("literal");
        const Distribution& e = s.at("engine");
        std::printf("literal / engine: median %.1fx, p90 %.1fx, max %.1fx\n", l.median_us / e.median_us,
                    l.p90_us / e.p90_us, l.max_us / e.max_us);
    }
    return 0;
}
