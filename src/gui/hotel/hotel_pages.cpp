// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/hotel_pages.hpp"

#include "config/sites.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/browser_use.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel {

HotelHosts hotel_hosts(const AppState& app) {
    const auto value = [&app](Site site) { return app.sites.values[static_cast<std::size_t>(site)]; };
    return {value(Site::tabinomado_info), value(Site::tabinomado_reserve), value(Site::bestreserve)};
}

bool reservation_notice(AppState& app, Services& services) {
    if (!reservation_notice_due(app.settings.reservation_notices_shown)) return true;
    ++app.settings.reservation_notices_shown;
    return services.boxes.ask({"注意メッセージ",
                               "ホテル情報、予約は各ホテルのルールに従い、利用者の責任で行って下さい\n"
                               "予約等のトラブルが発生しても作者は一切関知しません\n"
                               "本メッセージは３回まで表示します",
                               MessageIcon::exclamation, MessageButtons::ok_cancel, 0}) == MessageAnswer::ok;
}

void open_hotel_pages(AppState& app, Services& services, const std::array<std::string, 3>& addresses) {
    for (const std::string& address : addresses)
        if (is_web_address(address)) open_in_browser(app, services, address, WindowStyle::normal);
}

}  // namespace quorvel
