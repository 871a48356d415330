// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/common/qt_services.hpp"
#include "gui/fares/fare_sheet_window.hpp"
#include "gui/pickers/calendar_window.hpp"
#include "gui/support/sample_search.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

// A one-connection list: 札幌 → 大阪／伊丹 → 鹿児島 on JAL 614 and JAL 653 comes first.
ResultWindow* one_connection_list(SampleSearch& h) {
    h.form("札幌", "鹿児島", h.window->connections_one, "7", "12");
    return h.search();
}

// Double-clicks a row of the result list as the user does.
void double_click_row(ResultWindow& list, int row) {
    QTableWidget* grid = list.grid;
    const QRect r = grid->visualItemRect(grid->item(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}

// The user picks the 25th in the calendar and another result order while a list is open.
void pick_the_25th(SampleSearch& h) {
    QTest::mouseClick(h.window->calendar_button, Qt::LeftButton);
    auto* calendar = h.window->findChild<CalendarWindow*>();
    QVERIFY(calendar != nullptr);
    for (QPushButton* b : calendar->day_buttons)
        if (b != nullptr && b->text() == QStringLiteral("25")) QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(h.window->travel_day->text(), QStringLiteral("25"));
    h.t.app.settings.result_order = 1;
}

QString cell(const FareSheetWindow& s, int row, int column) {
    return row == 0 ? s.grid->horizontalHeaderItem(column)->text() : s.grid->item(row - 1, column)->text();
}

}  // namespace

class FareSheetWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void double_click_shows_the_fares_of_each_leg() {
        SampleSearch h;
        ResultWindow* list = one_connection_list(h);
        QVERIFY(list != nullptr);
        double_click_row(*list, 0);
        QPointer<FareSheetWindow> sheet = list->findChild<FareSheetWindow*>();
        QVERIFY(sheet != nullptr);
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->caption_bar->text(),
                 QStringLiteral("札幌 → 大阪／伊丹 → 鹿児島  2004/01/20 (火) 出発　（通常期）"));
        QCOMPARE(sheet->hint_label->text(),
                 QStringLiteral("表をダブルクリックするとその運賃のヘルプを表示します"));
        QCOMPARE(cell(*sheet, 0, 0), QStringLiteral("運賃区分"));
        QCOMPARE(cell(*sheet, 0, 1), QStringLiteral("JAL 614"));
        QCOMPARE(cell(*sheet, 0, 2), QStringLiteral("JAL 653"));
        QCOMPARE(cell(*sheet, 0, 3), QString());
        QCOMPARE(cell(*sheet, 0, 4), QStringLiteral("備考"));
        QCOMPARE(cell(*sheet, 1, 0), QStringLiteral("大人片道運賃"));
        QCOMPARE(cell(*sheet, 1, 1), QStringLiteral("28,900"));
        QCOMPARE(cell(*sheet, 1, 2), QStringLiteral("19,600"));
        // The third leg does not exist: its column shows no fares.
        for (int r = 1; r <= 14; ++r) QCOMPARE(cell(*sheet, r, 3), QStringLiteral("******"));
        QCOMPARE(cell(*sheet, 6, 4), QStringLiteral("無記名式；90日間有効"));
        QVERIFY(sheet->grid->item(0, 1)->textAlignment() & Qt::AlignRight);
        QCOMPARE(sheet->grid->columnWidth(4), 5000 / 15);
        QVERIFY(h.t.boxes.asked.size() == 1u);  // only the connection question of the search

        // Help behind a fare, nothing behind the missing third leg.
        sheet->show_cell_help(1, 3);
        QVERIFY(h.t.help.topics.empty());
        const QRect fare = sheet->grid->visualItemRect(sheet->grid->item(0, 1));
        QTest::mouseClick(sheet->grid->viewport(), Qt::LeftButton, {}, fare.center());
        QTest::mouseDClick(sheet->grid->viewport(), Qt::LeftButton, {}, fare.center());
        QCOMPARE(h.t.help.topics.size(), 1u);
        QVERIFY(h.t.help.topics[0] != 0);
        // F1 on the selected fare opens its topic too, as the help file tells the user.
        sheet->grid->setCurrentCell(0, 2);
        QTest::keyClick(sheet->grid, Qt::Key_F1);
        QCOMPARE(h.t.help.topics.size(), 2u);
        QVERIFY(h.t.help.topics[1] != 0);

        press(sheet->grid, Qt::Key_Escape);
        QTRY_VERIFY(sheet.isNull());
        QVERIFY(list->isVisible());
    }

    void a_missing_fare_record_asks_and_cancel_gives_up_the_sheet() {
        SampleSearch h;
        // Without fare tables every leg is reported and priced at nothing.
        h.t.app.timetable->fare_count = {};
        ResultWindow* list = one_connection_list(h);
        QVERIFY(list != nullptr);
        const std::size_t before = h.t.boxes.asked.size();
        h.t.boxes.answers = {MessageAnswer::cancel};
        double_click_row(*list, 0);
        QCOMPARE(h.t.boxes.asked.size(), before + 1);
        const Question& q = h.t.boxes.asked.back();
        QCOMPARE(q.text, std::string("運賃表未登録（JAL）"));
        QCOMPARE(q.title, std::string("エラーメッセージ"));
        QCOMPARE(q.help_topic, 203);
        QVERIFY(q.buttons == MessageButtons::ok_cancel);
        QVERIFY(list->findChild<FareSheetWindow*>() == nullptr);
        // The program goes on: the list is still there and the main window still runs.
        QVERIFY(list->isVisible());
        QVERIFY(!h.window->ended());

        // OK goes on with zero amounts, and a leg without an adult fare opens no sheet.
        h.t.boxes.answers = {MessageAnswer::ok};
        double_click_row(*list, 0);
        QVERIFY(list->findChild<FareSheetWindow*>() == nullptr);
    }

    void closing_the_list_closes_its_sheet() {
        SampleSearch h;
        ResultWindow* list = one_connection_list(h);
        QVERIFY(list != nullptr);
        double_click_row(*list, 0);
        QPointer<FareSheetWindow> sheet = list->findChild<FareSheetWindow*>();
        QVERIFY(sheet != nullptr);
        QTest::mouseClick(sheet->close_button, Qt::LeftButton);
        QTRY_VERIFY(sheet.isNull());
        double_click_row(*list, 0);
        sheet = list->findChild<FareSheetWindow*>();
        QVERIFY(sheet != nullptr);
        QTest::mouseClick(list->close_button, Qt::LeftButton);
        QTRY_VERIFY(sheet.isNull());
    }

    void an_open_list_keeps_its_own_date_and_order() {
        QTemporaryDir dir;
        // A printer that cannot write its output fails the way a printer out of order does.
        PdfPrinter printer((dir.path() + "/no-such-folder/report.pdf").toStdString());
        SampleSearch h(&printer);
        ResultWindow* list = one_connection_list(h);
        QVERIFY(list != nullptr);
        // Meanwhile the user picks the 25th in the calendar and another result order.
        pick_the_25th(h);

        double_click_row(*list, 0);
        auto* sheet = list->findChild<FareSheetWindow*>();
        QVERIFY(sheet != nullptr);
        QVERIFY2(sheet->caption_bar->text().contains(QStringLiteral("2004/01/20 (火) 出発")),
                 qPrintable(sheet->caption_bar->text()));

        h.t.boxes.answers = {MessageAnswer::ok, MessageAnswer::ok};
        QTest::mouseClick(list->print_button, Qt::LeftButton);
        QCOMPARE(printer.jobs(), 1);
        QCOMPARE(h.t.boxes.asked.back().title, std::string("エラーメッセージ"));
        QCOMPARE(h.t.boxes.asked.back().text,
                 std::string("印刷できませんでした。プリンタの状態を確かめてください。"));
        QVERIFY(h.t.boxes.asked.back().icon == MessageIcon::exclamation);

        // A cancelled print dialog says nothing; the report is the list's own.
        RecordingPrinter cancelled;
        cancelled.outcome = PrintOutcome::cancelled;
        SampleSearch other(&cancelled);
        ResultWindow* second = one_connection_list(other);
        QVERIFY(second != nullptr);
        pick_the_25th(other);
        other.t.boxes.answers = {MessageAnswer::ok};
        const std::size_t asked = other.t.boxes.asked.size();
        QTest::mouseClick(second->print_button, Qt::LeftButton);
        QCOMPARE(other.t.boxes.asked.size(), asked + 1);  // only the question before printing
        QCOMPARE(cancelled.jobs.size(), std::size_t{1});
        const auto& lines = cancelled.jobs[0].lines;
        QVERIFY(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
            return l.find("日付　　：2004/01/20（火）") != std::string::npos;
        }));
    }
};

QTEST_MAIN(FareSheetWindowTest)
#include "fare_sheet_window_test.moc"
