#include "app/window_wiring.hpp"

#include "gui/inquiry/seat_enquiry.hpp"
#include "gui/search/result_window.hpp"

namespace quorvel {

MainWindowHooks program_hooks(AppState& app, Services& services) {
    MainWindowHooks hooks;
    hooks.open_results = [&app, &services](MainWindow& main) {
        ResultWindowHooks result_hooks;
        result_hooks.seat_inquiry = [&app, &services](ResultWindow& list) {
            open_seat_enquiry(app, services, list.search());
        };
        auto* results = new ResultWindow(app, services, main, std::move(result_hooks));
        main.attach_result_window(*results);
        if (results->run_search()) results->show();
    };
    return hooks;
}

}  // namespace quorvel
