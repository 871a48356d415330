#include "app/ui/window_hooks.hpp"

#include "inquiry/ui/time_table21.hpp"
#include "pickers/ui/time_table11.hpp"
#include "pickers/ui/time_table12.hpp"
#include "search/ui/time_table2.hpp"

namespace quorvel {

MainWindowHooks program_hooks(AppState& app, Services& services) {
    MainWindowHooks hooks;
    hooks.open_results = [&app, &services](time_table1& main) {
        ResultWindowHooks result_hooks;
        result_hooks.seat_inquiry = [&app, &services](time_table2& list) {
            time_table21::Form_Load(app, services, &list);
        };
        auto* results = new time_table2(app, services, main, std::move(result_hooks));
        if (results->Form_Load()) results->show();
    };
    hooks.open_calendar = [&app](time_table1& main) { time_table12::open(app, main); };
    hooks.open_airport_picker = [&app](time_table1& main, int picker_mode) {
        time_table11::open(app, main, picker_mode);
    };
    return hooks;
}

}  // namespace quorvel
