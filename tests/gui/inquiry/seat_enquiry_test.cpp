// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>

#include <fstream>
#include <sstream>

#include "common/sjis.hpp"
#include "config/sites.hpp"
#include "gui/inquiry/seat_enquiry.hpp"
#include "gui/support/sample_search.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

// The program's own wiring: the result window hands the seat enquiry to the page generator.
struct InquirySearch : SampleSearch {
    InquirySearch() {
        result_hooks.seat_inquiry = [this](ResultWindow& w) {
            open_seat_enquiry(t.app, services, w.search());
        };
        t.app.settings.browser = browser_of_digit(1, t.app.settings.browser.path);
        t.app.settings.browser.path = "/usr/bin/chromium";
        t.app.sites = read_sites_text(
            "jal_inquiry_host=http://127.0.0.1:9\nana_inquiry_host=http://127.0.0.1:9\n"
            "jas_inquiry_host=http://127.0.0.1:9\n");
    }
};

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

class SeatEnquiryTest : public QObject {
    Q_OBJECT
  private slots:
    void seat_enquiry_from_the_main_window_opens_the_enquiry_page() {
        InquirySearch h;
        h.form("東京／羽田", "福岡", h.window->connections_one, "7", "21");
        QTest::mouseClick(h.window->seat_enquiry_button, Qt::LeftButton);
        // A seat enquiry asks about direct flights only: no question about connections.
        QVERIFY(h.t.boxes.asked.empty());
        QCOMPARE(h.t.app.cond.connection_count, 0);
        QCOMPARE(h.t.launcher.launches.size(), 1u);
        const auto& launch = h.t.launcher.launches[0];
        QCOMPARE(launch.program, std::string("/usr/bin/chromium"));
        const auto page = h.t.app.paths.tmp_dir() / "inq.htm";
        QCOMPARE(launch.args, std::vector<std::string>{"file://" + page.string()});
        QVERIFY(launch.style == WindowStyle::maximized);
        // The page is written in Shift-JIS with CR LF and names the route.
        const std::string bytes = slurp(page);
        QVERIFY(bytes.find("\r\n") != std::string::npos);
        const auto text = sjis_to_utf8(bytes);
        QVERIFY(static_cast<bool>(text));
        QVERIFY(text->find("東京／羽田　→　福岡　空席照会") != std::string::npos);
        for (const char* relay : {"JAL_send.htm", "ANA_send.htm", "JAS_send.htm", "calender.htm"})
            QVERIFY2(std::filesystem::exists(h.t.app.paths.tmp_dir() / relay), relay);
        // The list does not stay, and the main window can search again.
        QTRY_VERIFY(h.results.isNull());
        QVERIFY(h.window->search_button->isEnabled());
        QVERIFY(h.window->seat_enquiry_button->isEnabled());
    }

    void seat_enquiry_from_the_list_and_an_unconfigured_airline() {
        InquirySearch h;
        h.form("東京／羽田", "福岡", h.window->connections_none, "7", "21");
        ResultWindow* w = h.search();
        QVERIFY(w != nullptr);
        QVERIFY(w->seat_enquiry_button->isEnabled());
        h.t.app.sites = read_sites_text("jal_inquiry_host=http://127.0.0.1:9\n");
        QTest::mouseClick(w->seat_enquiry_button, Qt::LeftButton);
        QVERIFY(h.t.launcher.launches.empty());
        QCOMPARE(h.t.boxes.asked.size(), 1u);
        QCOMPARE(h.t.boxes.asked[0].title, std::string("エラーメッセージ"));
        QVERIFY(h.t.boxes.asked[0].text.find("ana_inquiry_host") != std::string::npos);

        h.t.app.sites = read_sites_text(
            "jal_inquiry_host=http://127.0.0.1:9\nana_inquiry_host=http://127.0.0.1:9\n"
            "jas_inquiry_host=http://127.0.0.1:9\n");
        QTest::mouseClick(w->seat_enquiry_button, Qt::LeftButton);
        QCOMPARE(h.t.launcher.launches.size(), 1u);
        // The list stays open for more enquiries; a second search waits until it is closed.
        QVERIFY(!h.results.isNull());
        QVERIFY(!h.window->search_button->isEnabled());
    }
};

QTEST_MAIN(SeatEnquiryTest)
#include "seat_enquiry_test.moc"
