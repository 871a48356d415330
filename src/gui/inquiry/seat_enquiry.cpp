#include "gui/inquiry/seat_enquiry.hpp"

#include <QUrl>

#include "gui/common/app_state.hpp"
#include "gui/common/browser_use.hpp"
#include "gui/common/services.hpp"
#include "inquiry/inquiry_pages.hpp"

namespace quorvel {

bool SeatEnquiry::Form_Load(AppState& app, Services& services, QWidget*) {
    const auto report = [&](const std::string& text) {
        services.boxes.ask({"エラーメッセージ", text, MessageIcon::critical, MessageButtons::ok, 0});
        return false;
    };
    const ResultList& list = app.result_list;
    const InquiryFlags flags{list.inq_jal, list.inq_ana, list.inq_jas};
    const auto pages = crt_html(*app.timetable, app.cond, flags, app.sites);
    if (!pages) return report(pages.error().message);
    const auto page = write_inquiry_pages(app.paths.tmp_dir(), *pages);
    if (!page) return report(page.error().message);
    // A folder name with blanks or Japanese in it still makes one well-formed address.
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(page->string()));
    return open_in_browser(app, services, url.toString(QUrl::FullyEncoded).toStdString(),
                           WindowStyle::maximized);
}

}  // namespace quorvel
