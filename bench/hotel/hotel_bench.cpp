// Loading the hotel directory, and a free-keyword search followed by the sort by each key.
// The 15,000-hotel file is made here from the sample directory's hotels (renamed copies spread
// over its districts), so the texts have the sample's lengths and Japanese content.
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

namespace {

using namespace quorvel;

const char* const sort_keys[] = {"ホテル都道府県", "ホテル空港",   "ホテル詳細", "ホテル名",
                                 "ホテル電話",     "ホテル部屋数", "ホテル料金"};

struct Files {
    std::string sample;  // the built sample infhotel.dat
    std::string full;    // 15,000 hotels
};

const Files& files() {
    static const Files f = [] {
        Files x;
        const auto path = std::filesystem::path(QUORVEL_BIN_DIR) / hotel_file_name;
        auto bytes = read_file_bytes(path);
        if (!bytes) {
            std::fprintf(stderr, "%s: build the sample data first (target sample_data)\n",
                         path.string().c_str());
            std::exit(1);
        }
        x.sample.assign(as_chars(*bytes));
        auto data = std::make_unique<HotelData>();
        load_hotel_data(*bytes, *data);
        HotelSource source = hotel_source_from_data(*data);
        const std::size_t base = source.hotels.size();
        for (std::size_t k = 0; source.hotels.size() < hotel_bounds::file_hotels; ++k) {
            HotelSourceHotel h = source.hotels[k % base];
            h.name += "・" + std::to_string(k / base + 2) + "号館";
            h.district = 1 + static_cast<int>((k * 7) % source.districts.size());
            source.hotels.push_back(std::move(h));
        }
        x.full = write_hotel_file(source).value();
        return x;
    }();
    return f;
}

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

const HotelData& full_data() {
    static const std::unique_ptr<HotelData> d = [] {
        auto x = std::make_unique<HotelData>();
        load_hotel_data(as_bytes(files().full), *x);
        return x;
    }();
    return *d;
}

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
