// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/main_window.hpp"
#include "gui/pickers/airport_picker.hpp"
#include "gui/support/test_services.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

// TestApp's airports with their regions, and a second Tokyo airport after the others so that
// table order and region filtering can be told apart.
struct Harness {
    Harness() {
        Timetable& tt = *t.app.timetable;
        const int groups[] = {4, 5, 8, 1, 9};
        for (std::size_t i = 0; i < 5; ++i) tt.airport_region[i + 1] = static_cast<std::int16_t>(groups[i]);
        tt.airport_name[6] = "東京／成田";
        tt.airport_region[6] = 4;
        tt.airport_count = 6;
        Settings& s = t.app.settings;
        s.from_airport = "福岡";
        s.to_airport = "那覇";
        s.departure_from = 600;
        s.departure_to = 2359;
        s.arrival_from = 600;
        s.arrival_to = 2359;
        s.max_wait = 60;
        s.one_result_per_flight = 1;
    }
    // The main window, which opens the picker itself.
    MainWindow& main() {
        if (!window) {
            window = std::make_unique<MainWindow>(t.app, t.services);
            window->show();
            [&] { QVERIFY(QTest::qWaitForWindowExposed(window.get())); }();
        }
        return *window;
    }
    // Opens the picker for a field as the user does: a double click on it.
    AirportPicker* open_for(QLineEdit* field) {
        QTest::mouseDClick(field, Qt::LeftButton);
        return picker();
    }
    // The open one: one just closed may still wait for its deletion.
    AirportPicker* picker() {
        for (auto* p : main().findChildren<AirportPicker*>("airport_picker"))
            if (p->isVisible()) return QTest::qWaitForWindowExposed(p) ? p : nullptr;
        return nullptr;
    }
    TestApp t;
    std::unique_ptr<MainWindow> window;
};

QStringList entries(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
}

QPoint entry_point(QListWidget* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? QPoint(-1, -1) : list->visualItemRect(found.front()).center();
}

void click_entry(QListWidget* list, const QString& name) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry_point(list, name));
}

// A real double click reaches the list as a click followed by the double click.
void double_click_entry(QListWidget* list, const QString& name) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry_point(list, name));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry_point(list, name));
}

template <class W>
W* child(QWidget* window, const QString& name) {
    return window == nullptr ? nullptr : window->findChild<W*>(name);
}

}  // namespace

class AirportPickerTest : public QObject {
    Q_OBJECT
  private slots:
    void opens_on_the_last_area_with_the_departure_texts() {
        Harness h;
        h.t.app.settings.option_flags[9] = 4;
        AirportPicker* p = h.open_for(h.main().from_airport);
        QVERIFY(p);
        QCOMPARE(p->windowTitle(), QStringLiteral("ケルバ国内線時刻表＆ホテル情報"));
        const char* captions[] = {"北海道エリア", "東北エリア", "北陸・中部エリア", "東京エリア",
                                  "大阪エリア",   "中国エリア", "四国エリア",       "九州エリア",
                                  "沖縄エリア",   "全国"};
        for (int n = 1; n <= 10; ++n) {
            auto* o = child<QRadioButton>(p, QStringLiteral("region_button_%1").arg(n));
            QVERIFY(o && o->isVisible());
            QCOMPARE(o->text(), QString::fromUtf8(captions[n - 1]));
            QCOMPARE(o->isChecked(), n == 4);
        }
        auto* list = child<QListWidget>(p, "airport_list");
        QCOMPARE(entries(list), (QStringList{"東京／羽田", "東京／成田"}));
        QCOMPARE(child<QGroupBox>(p, "field_frame")->title(), QStringLiteral("出発地の選択"));
        QCOMPARE(child<QPushButton>(p, "field_caption")->text(), QStringLiteral("出発地"));
        QCOMPARE(child<QLineEdit>(p, "instruction")->text(),
                 QStringLiteral("エリアの出発地より出発地を選択して下さい"));
        QCOMPARE(child<QPushButton>(p, "choose_button")->text(), QStringLiteral("選択確定"));
        QCOMPARE(child<QPushButton>(p, "cancel_button")->text(), QStringLiteral("取消終了"));
        QVERIFY(!child<QPushButton>(p, "choose_button")->isEnabled());
    }

    void regions_list_their_airports_and_all_lists_every_one_in_table_order() {
        Harness h;
        AirportPicker* p = h.open_for(h.main().from_airport);
        QVERIFY(p);
        // A new installation has no last area: every airport.
        QVERIFY(child<QRadioButton>(p, "region_button_10")->isChecked());
        auto* list = child<QListWidget>(p, "airport_list");
        const QStringList all{"東京／羽田", "大阪／伊丹", "福岡", "札幌／千歳", "那覇", "東京／成田"};
        QCOMPARE(entries(list), all);
        QTest::mouseClick(child<QRadioButton>(p, "region_button_1"), Qt::LeftButton);
        QCOMPARE(entries(list), QStringList{"札幌／千歳"});
        QCOMPARE(h.t.app.settings.option_flags[9], 1);
        QTest::mouseClick(child<QRadioButton>(p, "region_button_7"), Qt::LeftButton);
        QCOMPARE(list->count(), 0);
        QTest::mouseClick(child<QRadioButton>(p, "region_button_4"), Qt::LeftButton);
        QCOMPARE(entries(list), (QStringList{"東京／羽田", "東京／成田"}));
        QTest::mouseClick(child<QRadioButton>(p, "region_button_10"), Qt::LeftButton);
        QCOMPARE(entries(list), all);
        QCOMPARE(h.t.app.settings.option_flags[9], 0);
    }

    void confirm_waits_for_an_entry_fills_the_departure_and_moves_on() {
        Harness h;
        MainWindow& w = h.main();
        QPointer<AirportPicker> p = h.open_for(w.from_airport);
        QVERIFY(p);
        auto* list = child<QListWidget>(p, "airport_list");
        auto* confirm = child<QPushButton>(p, "choose_button");
        click_entry(list, "大阪／伊丹");
        QVERIFY(confirm->isEnabled());
        // Another region empties the choice again.
        QTest::mouseClick(child<QRadioButton>(p, "region_button_5"), Qt::LeftButton);
        QVERIFY(!confirm->isEnabled());
        QCOMPARE(entries(list), QStringList{"大阪／伊丹"});
        click_entry(list, "大阪／伊丹");
        QVERIFY(confirm->isEnabled());
        QTest::mouseClick(confirm, Qt::LeftButton);
        QCOMPARE(w.from_airport->text(), QStringLiteral("大阪／伊丹"));
        QCOMPARE(w.to_airport->text(), QStringLiteral("那覇"));
        QTRY_VERIFY(p.isNull());
        QTRY_VERIFY(w.departure.from_hour->hasFocus());

        // The region survives the closing: the next opening, for the arrival, starts there.
        QPointer<AirportPicker> again = h.open_for(w.to_airport);
        QVERIFY(again);
        QVERIFY(child<QRadioButton>(again, "region_button_5")->isChecked());
        QCOMPARE(child<QGroupBox>(again, "field_frame")->title(), QStringLiteral("到着地の選択"));
        QCOMPARE(child<QPushButton>(again, "field_caption")->text(), QStringLiteral("到着地"));
        QCOMPARE(child<QLineEdit>(again, "instruction")->text(),
                 QStringLiteral("エリアの到着地より到着地を選択して下さい"));
    }

    void a_refused_arrival_opens_the_picker_and_a_double_click_fills_it() {
        Harness h;
        MainWindow& w = h.main();
        type_and_enter(w.to_airport, "沖縄");
        QPointer<AirportPicker> p = h.picker();
        QVERIFY(p);
        QCOMPARE(p->field(), AirportField::arrival);
        auto* list = child<QListWidget>(p, "airport_list");
        double_click_entry(list, "那覇");
        QCOMPARE(w.to_airport->text(), QStringLiteral("那覇"));
        QCOMPARE(w.from_airport->text(), QStringLiteral("福岡"));
        QTRY_VERIFY(p.isNull());
        QTRY_VERIFY(w.arrival.from_hour->hasFocus());
        // What the picker wrote passes the arrival check.
        type_and_enter(w.to_airport, w.to_airport->text());
        QVERIFY(w.arrival.from_hour->hasFocus());
        QCOMPARE(w.message_line->text(), QString());
    }

    void the_keyboard_can_choose_an_entry() {
        Harness h;
        MainWindow& w = h.main();
        h.t.app.settings.option_flags[9] = 4;
        QPointer<AirportPicker> p = h.open_for(w.from_airport);
        QVERIFY(p);
        auto* list = child<QListWidget>(p, "airport_list");
        list->setFocus();
        press(list, Qt::Key_Down);
        press(list, Qt::Key_Down);
        QVERIFY(child<QPushButton>(p, "choose_button")->isEnabled());
        press(list, Qt::Key_Return);
        QCOMPARE(w.from_airport->text(), QStringLiteral("東京／成田"));
        QTRY_VERIFY(p.isNull());
    }

    void escape_in_any_control_and_cancel_close_without_touching_the_form() {
        Harness h;
        MainWindow& w = h.main();
        for (const char* control : {"airport_list", "region_button_3", "region_button_10", "cancel_button"}) {
            QPointer<AirportPicker> p = h.open_for(w.from_airport);
            QVERIFY2(p, control);
            auto* list = child<QListWidget>(p, "airport_list");
            click_entry(list, "那覇");
            auto* target = child<QWidget>(p, control);
            target->setFocus();
            press(target, Qt::Key_Escape);
            QTRY_VERIFY2(p.isNull(), control);
            QCOMPARE(w.from_airport->text(), QStringLiteral("福岡"));
            QCOMPARE(w.to_airport->text(), QStringLiteral("那覇"));
        }
        QPointer<AirportPicker> p = h.open_for(w.to_airport);
        click_entry(child<QListWidget>(p, "airport_list"), "東京／羽田");
        QTest::mouseClick(child<QPushButton>(p, "cancel_button"), Qt::LeftButton);
        QTRY_VERIFY(p.isNull());
        QCOMPARE(w.to_airport->text(), QStringLiteral("那覇"));
    }

    void stays_modeless_one_at_a_time_and_remembers_its_place() {
        Harness h;
        MainWindow& w = h.main();
        QPointer<AirportPicker> p = h.open_for(w.from_airport);
        QVERIFY(p);
        QVERIFY(!p->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        // The form goes on working beside the picker.
        w.activateWindow();
        QTRY_VERIFY(w.isActiveWindow());
        type_and_enter(w.departure.from_hour, "8");
        QVERIFY(w.departure.from_minute->hasFocus());
        QCOMPARE(w.departure.from_hour->text(), QStringLiteral("8"));
        // The other field's double click turns the open picker to it instead of opening a second.
        QCOMPARE(h.open_for(w.to_airport), p.data());
        QCOMPARE(w.findChildren<AirportPicker*>().size(), 1);
        QCOMPARE(p->field(), AirportField::arrival);
        QCOMPARE(child<QPushButton>(p, "field_caption")->text(), QStringLiteral("到着地"));
        click_entry(child<QListWidget>(p, "airport_list"), "札幌／千歳");
        QTest::mouseClick(child<QPushButton>(p, "choose_button"), Qt::LeftButton);
        QCOMPARE(w.to_airport->text(), QStringLiteral("札幌／千歳"));
        QCOMPARE(w.from_airport->text(), QStringLiteral("福岡"));
        QTRY_VERIFY(p.isNull());

        p = h.open_for(w.from_airport);
        p->move(210, 120);
        press(child<QWidget>(p, "airport_list"), Qt::Key_Escape);
        QTRY_VERIFY(p.isNull());
        const WindowPosition* pos = h.t.app.settings.position("time_table11");
        QCOMPARE(pos->left, 210 * 15);
        QCOMPARE(pos->top, 120 * 15);
        p = h.open_for(w.from_airport);
        QCOMPARE(p->pos(), QPoint(210, 120));
    }
};

QTEST_MAIN(AirportPickerTest)
#include "airport_picker_test.moc"
