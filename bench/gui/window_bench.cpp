// SPDX-License-Identifier: GPL-3.0-or-later
// The hotel list window searching, sorting and filling its grid for 500 and 15,000 hits of a
// 15,000-hotel directory, a re-sort of the open list, and the flight result window for the
// sample's longest list (札幌 → 沖縄 with two connections). Everything up to a grid ready to
// paint is timed; the platform is offscreen, so no pixels are drawn.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include <QApplication>
#include <QTableView>
#include <QTableWidget>

#include "common/clock.hpp"
#include "config/program_data.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/services.hpp"
#include "gui/hotel/hotel_list_window.hpp"
#include "gui/search/result_window.hpp"
#include "hotel/synthetic_hotels.hpp"
#include "search/conditions.hpp"

namespace {

using namespace quorvel;

class Silent final : public MessageBoxes,
                     public BrowserLauncher,
                     public HelpViewer,
                     public Printer,
                     public KeyValueSource {
  public:
    MessageAnswer ask(const Question&) override { return MessageAnswer::ok; }
    bool launch(const std::string&, const std::vector<std::string>&, WindowStyle) override { return true; }
    void show_index() override {}
    void show_topic(int) override {}
    void close() override {}
    PrintOutcome print(const PrintJob&) override { return PrintOutcome::cancelled; }
    bool read_value(std::string_view, std::string_view, std::string&) const override { return false; }
};

struct Run {
    Run() : services{silent, silent, silent, silent, clock, silent, {}, ""} {
        app.paths = {QUORVEL_BIN_DIR, QUORVEL_BIN_DIR};
        apply_zero_defaults(app.settings);
    }
    AppState app;
    Silent silent;
    SystemClock clock;
    Services services;
};

// The free keyword "駅" is in nearly every hotel's access: the limit decides the hits.
void BM_HotelList(benchmark::State& state) {
    Run run;
    *run.app.hotel.data = bench::full_data();
    run.app.hotel.data->user_hotel_merged = 1;
    run.app.settings.hotel_limit = static_cast<std::int16_t>(state.range(0));
    std::string key = "駅";
    if (!check_search_key(*run.app.hotel.data, run.app.hotel.search, kind_free, key))
        state.SkipWithError("key");
    for (auto _ : state) {
        HotelListWindow list(run.app, run.services, nullptr);
        if (!list.run_search()) state.SkipWithError("nothing found");
        benchmark::DoNotOptimize(list.grid->model()->rowCount());
    }
    state.counters["hits"] = run.app.hotel.hits.hotel_hit_count();
}

void BM_HotelListResort(benchmark::State& state) {
    Run run;
    *run.app.hotel.data = bench::full_data();
    run.app.hotel.data->user_hotel_merged = 1;
    run.app.settings.hotel_limit = static_cast<std::int16_t>(state.range(0));
    std::string key = "駅";
    (void)check_search_key(*run.app.hotel.data, run.app.hotel.search, kind_free, key);
    HotelListWindow list(run.app, run.services, nullptr);
    (void)list.run_search();
    bool by_name = false;
    for (auto _ : state) {
        list.sort_by((by_name = !by_name) ? "ホテル名" : "ホテル料金");
        benchmark::DoNotOptimize(list.grid->model()->rowCount());
    }
    state.counters["hits"] = run.app.hotel.hits.hotel_hit_count();
}

// As quorvel-cli search --from 札幌 --to 沖縄 --date 2027/01/15 --today 2027/01/10 --connections 2
// --dep 05:00-17:00 --wait 240.
void BM_FlightResults(benchmark::State& state) {
    Run run;
    AppState& app = run.app;
    app.today = day_number(2027, 1, 10);
    ProgramData data = load_program_data(app.paths.data(ini_file_name), app.paths.app_dir, app.today);
    if (data.timetable_error) {
        state.SkipWithError("build the sample data first");
        return;
    }
    app.settings = std::move(data.settings);
    app.timetable = std::move(data.timetable);
    SearchForm form;
    form.from_airport = "札幌";
    form.to_airport = "沖縄";
    form.departure = {"05", "00", "17", "00"};
    form.max_wait = "240";
    form.travel_year = "2027";
    form.travel_month = "01";
    form.travel_day = "15";
    form.connections = Connections::two;
    CheckSettings check;
    check.airports = airport_names(*app.timetable);
    check.today = app.today;
    app.cond.result_order = 3;
    if (!check_search_form(form, app.cond, check, [] { return true; }).accepted) {
        state.SkipWithError(form.message.c_str());
        return;
    }
    QWidget owner;
    int rows = 0;
    for (auto _ : state) {
        ResultWindow results(app, run.services, owner);
        (void)results.run_search();
        rows = results.grid->rowCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

}  // namespace

BENCHMARK(BM_HotelList)->Unit(benchmark::kMillisecond)->Arg(500)->Arg(15000);
BENCHMARK(BM_HotelListResort)->Unit(benchmark::kMillisecond)->Arg(500)->Arg(15000);
BENCHMARK(BM_FlightResults)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
