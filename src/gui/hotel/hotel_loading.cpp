// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/hotel_loading.hpp"

#include <string>

#include "gui/common/app_state.hpp"
#include "gui/common/progress_window.hpp"
#include "gui/common/services.hpp"
#include "hotel/hotel_reader.hpp"

namespace quorvel {

void load_hotel_directory(AppState& app, Services& services, QWidget* parent) {
    HotelData& data = *app.hotel.data;
    if (data.hotel_loaded == 1) return;
    if (services.boxes.ask({"注意メッセージ", "ホテル情報データを読み込みます。少々時間がかかります。",
                            MessageIcon::exclamation, MessageButtons::ok_cancel, 0}) != MessageAnswer::ok)
        return;

    std::string faults;
    {
        ProgressWindow progress(app, parent);
        progress.show();
        const HotelLoadReport file = load_hotel_data_file(app.paths.data(hotel_file_name), data, &progress);
        for (const Error& e : file.faults) faults += std::string(hotel_file_name) + ": " + e.message + "\n";
        const UserHotelReport users = load_user_hotel_file(app.paths.user(user_hotel_file_name), data);
        app.hotel.user_file_whole = users.whole();
        if (!users.whole()) faults += users.message() + "\n";
        progress.unload();
    }
    data.hotel_loaded = 1;
    if (!faults.empty())
        services.boxes.ask({"エラーメッセージ", "ホテル情報データを読み込めませんでした。\n" + faults,
                            MessageIcon::exclamation, MessageButtons::ok, 0});
}

}  // namespace quorvel
