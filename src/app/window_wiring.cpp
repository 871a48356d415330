// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_wiring.hpp"

#include "gui/hotel/hotel_windows.hpp"
#include "gui/inquiry/seat_enquiry.hpp"
#include "gui/search/result_window.hpp"

namespace quorvel {

MainWindowHooks program_hooks(AppState& app, Services& services) {
    MainWindowHooks hooks;
    const auto hotel_windows = [&app, &services](MainWindow& main) -> HotelWindows& {
        return HotelWindows::of(app, services, main);
    };
    hooks.open_results = [&app, &services, hotel_windows](MainWindow& main) {
        ResultWindowHooks result_hooks;
        result_hooks.seat_inquiry = [&app, &services](ResultWindow& list) {
            open_seat_enquiry(app, services, list.search());
        };
        result_hooks.open_hotel_search = [&main, hotel_windows](ResultWindow&) {
            hotel_windows(main).open_search();
        };
        auto* results = new ResultWindow(app, services, main, std::move(result_hooks));
        main.attach_result_window(*results);
        if (results->run_search()) results->show();
    };
    hooks.open_hotel_search = [hotel_windows](MainWindow& main) { hotel_windows(main).open_search(); };
    hooks.open_hotel_registry = [hotel_windows](MainWindow& main) { hotel_windows(main).open_registry(); };
    hooks.open_hotel_vacancy = [hotel_windows](MainWindow& main) { hotel_windows(main).open_vacancy_list(); };
    hooks.program_ending = [hotel_windows](MainWindow& main) { hotel_windows(main).end_of_program(); };
    return hooks;
}

}  // namespace quorvel
