// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/inquiry/seat_enquiry.hpp"

#include <QUrl>

#include "gui/common/app_state.hpp"
#include "gui/common/browser_use.hpp"
#include "gui/common/services.hpp"
#include "inquiry/inquiry_pages.hpp"

namespace quorvel {

bool open_seat_enquiry(AppState& app, Services& services, const FlightSearchResult& search) {
    const auto report = [&](const std::string& text) {
        services.boxes.ask({"エラーメッセージ", text, MessageIcon::critical, MessageButtons::ok, 0});
        return false;
    };
    const auto pages = seat_enquiry_pages(*app.timetable, search, app.sites);
    if (!pages) return report(pages.error().message);
    const auto page = write_inquiry_pages(app.paths.tmp_dir(), *pages);
    if (!page) return report(page.error().message);
    // A folder name with blanks or Japanese in it still makes one well-formed address.
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(page->string()));
    return open_in_browser(app, services, url.toString(QUrl::FullyEncoded).toStdString(),
                           WindowStyle::maximized);
}

}  // namespace quorvel
