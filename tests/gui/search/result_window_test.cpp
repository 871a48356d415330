// SPDX-License-Identifier: GPL-3.0-or-later
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "gui/common/qt_services.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/fares/fare_sheet_window.hpp"
#include "gui/main_window.hpp"
#include "gui/search/result_window.hpp"
#include "gui/support/sample_search.hpp"
#include "timetable/timetable_reader.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

using Harness = SampleSearch;

QString cell(const ResultWindow& w, int row, int column) { return w.grid->item(row, column)->text(); }

}  // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void lists_two_connection_itineraries() {
        Harness h;
        h.form("釧路", "宮古", h.window->connections_two);
        ResultWindow* w = h.search();
        QVERIFY(w != nullptr && w->isVisible());
        QCOMPARE(w->caption_bar->text(),
                 QStringLiteral("釧路 → 宮古【2004/01/20(火)】 表示順序：所要時間順"));
        QCOMPARE(w->grid->columnCount(), 8);
        QCOMPARE(w->grid->horizontalHeaderItem(5)->text(), QStringLiteral("到着時刻 経由地 出発時刻"));
        QCOMPARE(w->grid->columnWidth(5), 2300 / 15);
        QVERIFY(w->grid->rowCount() >= 1);
        // The first row: three legs, one line each, and the two connections between them.
        QCOMPARE(cell(*w, 0, 0), QStringLiteral("375"));
        QCOMPARE(cell(*w, 0, 2), QStringLiteral("0952\n1264\n0111"));
        QCOMPARE(cell(*w, 0, 4), QStringLiteral("11:15"));
        QCOMPARE(cell(*w, 0, 5), QStringLiteral("11:50 札幌 12:40\n14:35 大阪／関西 15:05"));
        QCOMPARE(cell(*w, 0, 6), QStringLiteral("17:30"));
        QCOMPARE(cell(*w, 0, 7), QStringLiteral("乗継 2 回"));
        QVERIFY(w->grid->item(0, 2)->font().bold());
        QVERIFY(!w->grid->item(0, 1)->font().bold());
        QCOMPARE(w->grid->item(0, 6)->font().pointSize(), 10);
        // The row is tall enough for its three lines.
        QVERIFY(w->grid->rowHeight(0) >= 3 * QFontMetrics(w->grid->item(0, 2)->font()).height());
        // No direct flight listed: nothing to enquire about. The main window waits meanwhile.
        QVERIFY(!w->seat_enquiry_button->isEnabled());
        QVERIFY(w->print_button->isEnabled());
        QVERIFY(!h.window->search_button->isEnabled());
        QVERIFY(!h.window->seat_enquiry_button->isEnabled());

        QTest::mouseClick(w->close_button, Qt::LeftButton);
        QTRY_VERIFY(h.results.isNull());
        QVERIFY(h.window->search_button->isEnabled());
        QVERIFY(h.window->seat_enquiry_button->isEnabled());
    }

    void direct_flights_offer_the_seat_enquiry_and_escape_closes() {
        Harness h;
        h.form("東京／羽田", "福岡", h.window->connections_none, "7", "21");
        ResultWindow* w = h.search();
        QVERIFY(w != nullptr);
        QVERIFY(w->grid->rowCount() > 20);
        QCOMPARE(cell(*w, 0, 5), QStringLiteral("--------"));
        QCOMPARE(cell(*w, 0, 7), QString());
        QVERIFY(w->seat_enquiry_button->isEnabled());
        QVERIFY(w->no_result_line->text().isEmpty());
        QCOMPARE(w->search().list.rows.size(), static_cast<std::size_t>(w->grid->rowCount()));
        press(w->grid, Qt::Key_Escape);
        QTRY_VERIFY(h.results.isNull());
        // However the list was closed, the main window searches again.
        QVERIFY(h.window->search_button->isEnabled());
        QVERIFY(!h.window->ended());
    }

    void more_than_two_hundred_itineraries_are_all_listed() {
        Harness h;
        h.form("札幌", "福岡", h.window->connections_one, "6", "17");
        h.window->max_wait->setText("240");
        ResultWindow* w = h.search();
        QVERIFY(w != nullptr);
        const int kept = w->search().routes.result_count;
        QVERIFY2(kept > 200, qPrintable(QString::number(kept)));
        QCOMPARE(w->grid->rowCount(), kept);
    }

    void nothing_found_beyond_the_timetable() {
        Harness h;
        h.form("東京／羽田", "福岡", h.window->connections_none);
        h.window->travel_year->setText("2100");
        ResultWindow* w = h.search();
        QVERIFY(w != nullptr);
        QCOMPARE(w->grid->rowCount(), 0);
        QCOMPARE(w->no_result_line->text(), QStringLiteral("条件にあう航空機を検索できませんでした"));
        QVERIFY(!w->print_button->isEnabled());
        QVERIFY(!w->seat_enquiry_button->isEnabled());
        QVERIFY(
            w->caption_bar->text().endsWith(QStringLiteral("  ★時刻表の有効日付(2099/12/31)を超えています")));
    }

    void printing_asks_first_and_prints_the_report() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        PdfPrinter printer(pdf.toStdString());
        Harness h(&printer);
        Harness* hp = &h;
        hp->form("釧路", "宮古", hp->window->connections_two);
        ResultWindow* w = hp->search();
        QVERIFY(w != nullptr);

        hp->t.boxes.answers = {MessageAnswer::cancel};
        QTest::mouseClick(w->print_button, Qt::LeftButton);
        const Question& q = hp->t.boxes.asked.back();
        QCOMPARE(q.text, std::string("印刷開始します！！"));
        QCOMPARE(q.title, std::string("確認メッセージ"));
        QCOMPARE(q.help_topic, 216);
        QVERIFY(q.buttons == MessageButtons::ok_cancel);
        QCOMPARE(printer.jobs(), 0);

        hp->t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(w->print_button, Qt::LeftButton);
        QCOMPARE(printer.jobs(), 1);
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        // The text comes back with ordinary blanks for the ideographic ones and the wave dash for
        // the full-width tilde; compare with blanks collapsed.
        const auto plain = [](QString t) {
            return t.replace(QChar(0x3000), ' ').replace(QChar(0x301C), QChar(0xFF5E)).simplified();
        };
        const QString printed = plain(QString::fromUtf8(text.readAllStandardOutput()));
        QVERIFY2(printed.contains(plain(QStringLiteral("ケルバ国内線時刻表＆ホテル情報　(Version 3.44)"))),
                 qPrintable(printed));
        QVERIFY(printed.contains(plain(QStringLiteral("出発地　：釧路　到着地：宮古"))));
        QVERIFY(printed.contains(plain(QStringLiteral("乗継条件：２回乗り継ぎ"))));
        QVERIFY(printed.contains(plain(QStringLiteral("日付　　：2004/01/20（火）"))));
        QVERIFY(printed.contains(plain(QStringLiteral("[375分] JAS0952[MD90] 釧路(11:15発)→札幌(11:50着)"))));
        QVERIFY(
            printed.contains(plain(QStringLiteral("～ ANA1264[B747] 札幌(12:40発)→大阪／関西(14:35着)"))));
        QVERIFY(
            printed.contains(plain(QStringLiteral("～ JTA0111[B767] 大阪／関西(15:05発)→宮古(17:30着)"))));
    }

    void a_long_report_runs_over_several_pages() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("long.pdf");
        PdfPrinter printer(pdf.toStdString());
        Harness h(&printer);
        h.form("札幌", "福岡", h.window->connections_one, "6", "17");
        h.window->max_wait->setText("240");
        ResultWindow* w = h.search();
        QVERIFY(w != nullptr);
        h.t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(w->print_button, Qt::LeftButton);
        QCOMPARE(printer.jobs(), 1);
        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished(20000));
        const QString about = QString::fromUtf8(info.readAllStandardOutput());
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(about);
        QVERIFY2(pages.hasMatch(), qPrintable(about));
        QVERIFY2(pages.captured(1).toInt() > 5, qPrintable(about));
        // The last itinerary of the list ends the last page.
        QProcess text;
        text.start("pdftotext", {"-f", pages.captured(1), pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        const QString last_page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        const ListedItinerary& last = w->search().list.rows.back();
        const ListedLeg& leg = last.legs[last.leg_count - 1];
        const QString flight = qs(leg.company_code) +
                               QStringLiteral("%1[").arg(leg.flight_number, 4, 10, QLatin1Char('0')) +
                               qs(leg.aircraft) + QStringLiteral("]");
        QVERIFY2(last_page.contains(flight), qPrintable(flight + " / " + last_page.right(300)));
    }

    void ending_the_program_during_the_search_waits_for_it() {
        Harness h;
        h.form("釧路", "宮古", h.window->connections_two);
        // Escape reaches the main window while the search yields to the event loop.
        QTimer::singleShot(0, h.window.get(), [&h] {
            QVERIFY(h.t.app.search_running);
            press(h.window->from_airport, Qt::Key_Escape);
            QVERIFY(!h.window->ended());
        });
        h.search();
        QVERIFY(h.window->ended());
        QVERIFY(!h.t.app.search_running);
        QTRY_VERIFY(h.results.isNull());
    }

    void seat_enquiry_without_direct_flights_is_refused() {
        Harness h;
        int handed_on = 0;
        h.result_hooks.seat_inquiry = [&](ResultWindow&) { ++handed_on; };
        h.t.app.settings.browser = browser_of_digit(1, h.t.app.settings.browser.path);
        h.t.app.settings.browser.path = "/usr/bin/chromium";
        h.form("釧路", "宮古", h.window->connections_none);
        QTest::mouseClick(h.window->seat_enquiry_button, Qt::LeftButton);
        QVERIFY(!h.t.boxes.asked.empty());
        QCOMPARE(h.t.boxes.asked.back().text, std::string("直行便がないため、空席照会をおこなえません"));
        QTRY_VERIFY(h.results.isNull());
        QCOMPARE(handed_on, 0);
        QVERIFY(h.window->search_button->isEnabled());

        // With direct flights the enquiry is handed on at once and the list does not stay.
        h.form("東京／羽田", "福岡", h.window->connections_two, "7", "12");
        QTest::mouseClick(h.window->seat_enquiry_button, Qt::LeftButton);
        QCOMPARE(handed_on, 1);
        QTRY_VERIFY(h.results.isNull());
        QCOMPARE(h.t.app.cond.connection_count, 0);
        QVERIFY(h.window->seat_enquiry_button->isEnabled());
    }

    void buttons_that_need_a_browser_ask_for_one() {
        Harness h;
        int hotels = 0;
        h.result_hooks.open_hotel_search = [&](ResultWindow&) { ++hotels; };
        h.form("東京／羽田", "福岡", h.window->connections_none, "7", "21");
        ResultWindow* w = h.search();
        QVERIFY(w != nullptr);
        h.t.boxes.asked.clear();
        h.t.boxes.answers = {MessageAnswer::no};
        QTest::mouseClick(w->hotel_button, Qt::LeftButton);
        QCOMPARE(h.t.boxes.asked.size(), 1u);
        QCOMPARE(h.t.boxes.asked[0].text,
                 std::string("ブラウザ環境が登録されていません。いま登録しますか。"));
        QCOMPARE(h.t.boxes.asked[0].help_topic, 218);
        QCOMPARE(hotels, 0);
        h.t.app.settings.browser = browser_of_digit(2, h.t.app.settings.browser.path);
        QTest::mouseClick(w->hotel_button, Qt::LeftButton);
        QCOMPARE(hotels, 1);
    }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
