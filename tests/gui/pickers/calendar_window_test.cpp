// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "gui/main_window.hpp"
#include "gui/pickers/calendar_window.hpp"
#include "gui/support/test_services.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

// The main window, which opens the picker itself. Today is 2004/01/07.
struct Harness {
    Harness() {
        Settings& s = t.app.settings;
        s.from_airport = "東京／羽田";
        s.to_airport = "福岡";
        s.departure_from = 600;
        s.departure_to = 2359;
        s.arrival_from = 600;
        s.arrival_to = 2359;
        s.max_wait = 60;
        s.one_result_per_flight = 1;
        window = std::make_unique<MainWindow>(t.app, t.services);
        window->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(window.get())); }();
    }
    CalendarWindow* open() {
        QTest::mouseClick(window->calendar_button, Qt::LeftButton);
        return calendar();
    }
    // The open one: one just closed may still wait for its deletion.
    CalendarWindow* calendar() {
        for (auto* c : window->findChildren<CalendarWindow*>("calendar_window"))
            if (c->isVisible()) return QTest::qWaitForWindowExposed(c) ? c : nullptr;
        return nullptr;
    }
    TestApp t;
    std::unique_ptr<MainWindow> window;
};

QPushButton* day_button(QWidget* calendar, int n) {
    return calendar->findChild<QPushButton*>(n == 43 ? QStringLiteral("close_button")
                                                     : QStringLiteral("day_button_%1").arg(n));
}

// The captions of the 42 day buttons, "" for a hidden one.
QStringList days_shown(QWidget* calendar) {
    QStringList days;
    for (int n = 1; n <= 42; ++n) {
        QPushButton* b = day_button(calendar, n);
        days << (b->isVisible() ? b->text() : QString());
    }
    return days;
}

// The days of a month laid out from its first weekday button.
QStringList days_from(int first_button, int days) {
    QStringList expected;
    for (int n = 1; n <= 42; ++n) {
        const int d = n - first_button + 1;
        expected << (d >= 1 && d <= days ? QString::number(d) : QString());
    }
    return expected;
}

QRect scroll_part(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

// The arrows as the user sees them, whatever the style calls them.
void click_up_arrow(QScrollBar* bar) { QTest::mouseClick(bar, Qt::LeftButton, {}, {bar->width() / 2, 4}); }
void click_down_arrow(QScrollBar* bar) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, {bar->width() / 2, bar->height() - 4});
}

int thumb_y(QScrollBar* bar) { return scroll_part(bar, QStyle::SC_ScrollBarSlider).center().y(); }

}  // namespace

class CalendarWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void opens_on_the_current_month_from_the_button_and_the_menu() {
        Harness h;
        QVERIFY(h.window->calendar_button->isEnabled());
        QVERIFY(h.window->calendar_action->isEnabled());
        QPointer<CalendarWindow> c = h.open();
        QVERIFY(c);
        QCOMPARE(c->windowTitle(), QStringLiteral("ケルバ国内線時刻表＆ホテル情報"));
        QCOMPARE(c->findChild<QLineEdit*>("month_field")->text(), QStringLiteral("2004/1"));
        const char* weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        for (int i = 1; i <= 7; ++i)
            QCOMPARE(c->findChild<QLabel*>(QStringLiteral("weekday_label_%1").arg(i))->text(),
                     QString::fromLatin1(weekdays[i - 1]));
        QCOMPARE(day_button(c, 43)->text(), QStringLiteral("終了"));
        // 2004-01-01 was a Thursday.
        QCOMPARE(days_shown(c), days_from(5, 31));
        QTest::mouseClick(day_button(c, 43), Qt::LeftButton);
        QTRY_VERIFY(c.isNull());

        h.window->calendar_action->trigger();
        QVERIFY(h.calendar());
        QCOMPARE(h.calendar()->findChild<QLineEdit*>("month_field")->text(), QStringLiteral("2004/1"));
        // A second request brings the open calendar forward instead of opening another.
        QTest::mouseClick(h.window->calendar_button, Qt::LeftButton);
        QCOMPARE(h.window->findChildren<CalendarWindow*>().size(), 1);
    }

    void a_day_becomes_the_travel_date_of_the_form() {
        Harness h;
        MainWindow& w = *h.window;
        QPointer<CalendarWindow> c = h.open();
        QVERIFY(c);
        auto* bar = c->findChild<QScrollBar*>("month_scroll");
        click_up_arrow(bar);
        QCOMPARE(c->findChild<QLineEdit*>("month_field")->text(), QStringLiteral("2004/2"));
        // February of a leap year, from the Sunday button.
        QCOMPARE(days_shown(c), days_from(1, 29));
        QTest::mouseClick(day_button(c, 29), Qt::LeftButton);
        QTRY_VERIFY(c.isNull());
        QCOMPARE(w.travel_year->text(), QStringLiteral("2004"));
        QCOMPARE(w.travel_month->text(), QStringLiteral("02"));
        QCOMPARE(w.travel_day->text(), QStringLiteral("29"));
        QCOMPARE(w.travel_weekday->text(), QStringLiteral("(日)"));
        const SearchConditions& cond = h.t.app.cond;
        QCOMPARE(cond.travel_year, 2004);
        QCOMPARE(cond.travel_month, 2);
        QCOMPARE(cond.travel_day, 29);
        QCOMPARE(cond.travel_date, day_number(2004, 2, 29));
        QCOMPARE(cond.travel_weekday, 1);
        // The form accepts what the calendar wrote.
        type_and_enter(w.travel_day, w.travel_day->text());
        QVERIFY(w.from_airport->hasFocus());
        QCOMPARE(w.travel_weekday->text(), QStringLiteral("(日)"));

        // A day already past in this month may be chosen.
        c = h.open();
        QTest::mouseClick(day_button(c, 9), Qt::LeftButton);  // 2004-01-05, a Monday
        QTRY_VERIFY(c.isNull());
        QCOMPARE(w.travel_month->text(), QStringLiteral("01"));
        QCOMPARE(w.travel_day->text(), QStringLiteral("05"));
        QCOMPARE(w.travel_weekday->text(), QStringLiteral("(月)"));
        QCOMPARE(h.t.app.cond.travel_weekday, 2);
    }

    void the_scroll_bar_runs_forward_upwards_over_sixty_months() {
        Harness h;
        CalendarWindow* c = h.open();
        QVERIFY(c);
        auto* bar = c->findChild<QScrollBar*>("month_scroll");
        auto* text = c->findChild<QLineEdit*>("month_field");
        QCOMPARE(c->months_ahead(), 1);
        // This month's thumb sits at the bottom of the bar; later months are higher up.
        const int this_month = thumb_y(bar);
        QVERIFY(this_month > bar->height() / 2);
        c->set_months_ahead(13);
        QCOMPARE(text->text(), QStringLiteral("2005/1"));
        // 2005-01-01 was a Saturday: buttons 1..6 and 38..42 are hidden.
        QCOMPARE(days_shown(c), days_from(7, 31));
        for (int n : {1, 6, 38, 42}) QVERIFY(day_button(c, n)->isHidden());
        QVERIFY(thumb_y(bar) < this_month);
        c->set_months_ahead(60);
        QCOMPARE(text->text(), QStringLiteral("2008/12"));
        QCOMPARE(days_shown(c), days_from(2, 31));
        QVERIFY(thumb_y(bar) < bar->height() / 2);
        click_up_arrow(bar);  // already the last month
        QCOMPARE(text->text(), QStringLiteral("2008/12"));
        click_down_arrow(bar);
        QCOMPARE(text->text(), QStringLiteral("2008/11"));
        QCOMPARE(c->months_ahead(), 59);
        c->set_months_ahead(1);
        QCOMPARE(text->text(), QStringLiteral("2004/1"));
        click_down_arrow(bar);  // nothing before this month
        QCOMPARE(text->text(), QStringLiteral("2004/1"));
    }

    void a_typed_month_within_the_sixty_is_shown_and_others_are_refused() {
        Harness h;
        MainWindow& w = *h.window;
        QPointer<CalendarWindow> c = h.open();
        QVERIFY(c);
        // Straight after closing, the next opening is a fresh calendar.
        QTest::mouseClick(day_button(c, 43), Qt::LeftButton);
        c = h.open();
        QVERIFY(c);
        auto* text = c->findChild<QLineEdit*>("month_field");
        auto* bar = c->findChild<QScrollBar*>("month_scroll");
        // Coming back into the field selects it, ready to be typed over.
        day_button(c, 10)->setFocus();
        QTest::mouseClick(text, Qt::LeftButton);
        QTRY_COMPARE(text->selectedText(), QStringLiteral("2004/1"));

        type_and_enter(text, "2008/12");
        // Enter never presses a day.
        QVERIFY(c && c->isVisible());
        QCOMPARE(w.travel_day->text(), QStringLiteral("7"));
        QCOMPARE(days_shown(c), days_from(2, 31));
        QCOMPARE(c->months_ahead(), 60);
        QVERIFY(text->hasFocus());
        // The same range the scroll bar reaches: nothing before this month, nothing past the 60th.
        for (const char* refused : {"2009/1", "2010/12", "2003/12", "2004/0", "2004/13", "2005", "abc"}) {
            type_and_enter(text, QString::fromLatin1(refused));
            QVERIFY2(text->hasFocus(), refused);
            QCOMPARE(text->text(), QString::fromLatin1(refused));
            QVERIFY2(days_shown(c) == days_from(2, 31), refused);
        }
        type_and_enter(text, "2004/2");
        QCOMPARE(days_shown(c), days_from(1, 29));
        // The bar goes on from the typed month.
        click_up_arrow(bar);
        QCOMPARE(text->text(), QStringLiteral("2004/3"));

        // A refused entry leaves the shown month as the one a day click takes.
        type_and_enter(text, "2011/1");
        QTest::mouseClick(day_button(c, 2), Qt::LeftButton);  // 2004-03-01, a Monday
        QTRY_VERIFY(c.isNull());
        QCOMPARE(w.travel_year->text(), QStringLiteral("2004"));
        QCOMPARE(w.travel_month->text(), QStringLiteral("03"));
        QCOMPARE(w.travel_day->text(), QStringLiteral("01"));
        QCOMPARE(w.travel_weekday->text(), QStringLiteral("(月)"));
    }

    void escape_closes_without_changing_the_date_and_the_place_is_kept() {
        Harness h;
        MainWindow& w = *h.window;
        const DayNumber before = h.t.app.cond.travel_date;
        for (const char* control : {"month_field", "close_button", "day_button_20", "month_scroll"}) {
            QPointer<CalendarWindow> c = h.open();
            QVERIFY2(c, control);
            c->set_months_ahead(5);
            auto* target = c->findChild<QWidget*>(control);
            target->setFocus();
            press(target, Qt::Key_Escape);
            QTRY_VERIFY2(c.isNull(), control);
            QCOMPARE(w.travel_year->text(), QStringLiteral("2004"));
            QCOMPARE(w.travel_month->text(), QStringLiteral("1"));
            QCOMPARE(w.travel_day->text(), QStringLiteral("7"));
            QCOMPARE(w.travel_weekday->text(), QStringLiteral("(水)"));
            QCOMPARE(h.t.app.cond.travel_date, before);
        }
        QPointer<CalendarWindow> c = h.open();
        QVERIFY(!c->isModal());
        c->move(150, 90);
        QTest::mouseClick(day_button(c, 43), Qt::LeftButton);
        QTRY_VERIFY(c.isNull());
        const WindowPosition* pos = h.t.app.settings.position("time_table12");
        QCOMPARE(pos->left, 150 * 15);
        QCOMPARE(pos->top, 90 * 15);
        c = h.open();
        QCOMPARE(c->pos(), QPoint(150, 90));
        // Opened again, it is on the current month whatever was shown before.
        QCOMPARE(c->findChild<QLineEdit*>("month_field")->text(), QStringLiteral("2004/1"));
    }
};

QTEST_MAIN(CalendarWindowTest)
#include "calendar_window_test.moc"
