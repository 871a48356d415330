// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the hotel directory, and a free-keyword search followed by the sort by each key.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "datatools/hotel_source.hpp"
#include "hotel/hotel_reader.hpp"
#include "hotel/hotel_search.hpp"
#include "synthetic_hotels.hpp"

namespace {

using namespace quorvel;
using bench::files;
using bench::full_data;

const char* const sort_keys[] = {"ホテル都道府県", "ホテル空港",   "ホテル詳細", "ホテル名",
                                 "ホテル電話",     "ホテル部屋数", "ホテル料金"};

void load(benchmark::State& state, const std::string& file) {
    for (auto _ : state) {
        state.PauseTiming();
        auto data = std::make_unique<HotelData>();
        state.ResumeTiming();
        const auto report = load_hotel_data(as_bytes(file), *data);
        benchmark::DoNotOptimize(report);
        state.PauseTiming();
        if (!report.clean()) state.SkipWithError("the file does not load cleanly");
        data.reset();
        state.ResumeTiming();
    }
}

void BM_LoadSample(benchmark::State& state) { load(state, files().sample); }
void BM_Load15000(benchmark::State& state) { load(state, files().full); }

// Free keyword "駅" matches nearly every hotel: the search stops at hotel_limit.
void BM_SearchSort(benchmark::State& state) {
    const HotelData& d = full_data();
    const char* key = sort_keys[state.range(1)];
    HotelSearchState s;
    std::string text1 = "駅";
    check_search_key(d, s, kind_free, text1);
    for (auto _ : state) {
        HotelHits hits = search_hotels(d, s, static_cast<int>(state.range(0)));
        sort_hotel(d, hits.hotel_hit_list, key);
        benchmark::DoNotOptimize(hits.hotel_hit_list.data());
    }
    state.SetLabel(key);
}

}  // namespace

BENCHMARK(BM_LoadSample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load15000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchSort)->Unit(benchmark::kMillisecond)->ArgsProduct({{500, 9999}, {0, 1, 2, 3, 4, 5, 6}});

BENCHMARK_MAIN();
