// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGroupBox>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "common/text.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/hotel/area_picker.hpp"
#include "gui/hotel/district_filter_window.hpp"
#include "gui/hotel/vacancy_enquiry_window.hpp"
#include "gui/support/sample_hotels.hpp"
#include "gui/support/test_services.hpp"
#include "hotel/hotel_pickers.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

// The sample hotel directory and a window that opens the area picker, as the search window does.
struct Harness {
    Harness() {
        sample_hotels(t);
        owner.show();
    }
    AreaPicker* open(AreaPickerMode mode) {
        AreaPicker* p = AreaPicker::open(t.app, owner, mode);
        return QTest::qWaitForWindowExposed(p) ? p : nullptr;
    }
    TestApp t;
    QWidget owner;
};

QListWidgetItem* line_of(QListWidget* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().section('\t', 0, 0).trimmed() == name) return list->item(i);
    return nullptr;
}

QPoint point_of(QListWidget* list, const QString& name) {
    QListWidgetItem* item = line_of(list, name);
    return item == nullptr ? QPoint(-1, -1) : list->visualItemRect(item).center();
}

void click_line(QListWidget* list, const QString& name) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point_of(list, name));
}

// A real double click reaches the list as a click followed by the double click.
void double_click_line(QListWidget* list, const QString& name) {
    click_line(list, name);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point_of(list, name));
}

QStringList texts(const QListWidget* list) {
    QStringList all;
    for (int i = 0; i < list->count(); ++i) all << list->item(i)->text();
    return all;
}

// A refinement window whose reports of its end land in `ends`.
QPointer<DistrictFilterWindow> refinement(TestApp& t, std::vector<bool>& ends) {
    auto* w = new DistrictFilterWindow(t.app, nullptr);
    QObject::connect(w, &DistrictFilterWindow::finished_refining,
                     [&ends](bool accepted) { ends.push_back(accepted); });
    w->show();
    return w;
}

int row_of(const std::vector<std::string>& table, int count, const std::string& name) {
    for (int j = 1; j <= count; ++j)
        if (table[static_cast<std::size_t>(j)] == name) return j;
    return 0;
}

}  // namespace

class HotelPickersTest : public QObject {
    Q_OBJECT
  private slots:
    void an_airport_of_kyushu_is_picked_without_its_count_and_heads_the_history() {
        Harness h;
        Settings& s = h.t.app.settings;
        s.keyword_history[1] = "那覇";
        s.keyword_history[2] = "福岡";
        const HotelData& d = *h.t.app.hotel.data;
        QPointer<AreaPicker> p = h.open(AreaPickerMode::airport);
        QVERIFY(p->area_buttons[10]->isChecked());  // a first opening shows the whole country
        QCOMPARE(p->name_list->count(), d.airport_count);

        QTest::mouseClick(p->area_buttons[8], Qt::LeftButton);
        const int fukuoka = row_of(d.airport_name, d.airport_count, "福岡");
        QListWidgetItem* line = line_of(p->name_list, "福岡");
        QVERIFY(fukuoka > 0 && line != nullptr);
        QCOMPARE(line->text(), qs(area_list_line("福岡", d.airport_hotel_count[fukuoka])));
        QVERIFY(line_of(p->name_list, "那覇") == nullptr);

        QSignalSpy picked(p.data(), &AreaPicker::picked);
        QVERIFY(!p->choose_button->isEnabled());
        click_line(p->name_list, "福岡");
        QTest::mouseClick(p->choose_button, Qt::LeftButton);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.front().front().toString(), QStringLiteral("福岡"));
        QCOMPARE(s.keyword_history[1], "福岡");
        QCOMPARE(s.keyword_history[2], "那覇");
        QCOMPARE(s.key_history[1], "");
        QTRY_VERIFY(p.isNull());

        // The next opening for airports starts in the area used last.
        p = h.open(AreaPickerMode::airport);
        QVERIFY(p->area_buttons[8]->isChecked());
    }

    void prefectures_by_keyboard_and_double_click_reset_and_no_choice() {
        Harness h;
        Settings& s = h.t.app.settings;
        s.option_flags[1] = 2;
        QPointer<AreaPicker> p = h.open(AreaPickerMode::prefecture);
        QVERIFY(p->area_buttons[2]->isChecked());
        QCOMPARE(p->name_list->count(),
                 static_cast<int>(area_list_lines(*h.t.app.hotel.data, AreaListKind::prefecture, 2).size()));

        // 取消 starts over: nothing chosen, the same area.
        click_line(p->name_list, p->name_list->item(0)->text().section('\t', 0, 0));
        QTest::mouseClick(p->reset_button, Qt::LeftButton);
        QVERIFY(p->name_list->selectedItems().isEmpty());
        QVERIFY(!p->choose_button->isEnabled());
        QVERIFY(p->area_buttons[2]->isChecked());

        // Enter picks only once a line is chosen.
        QSignalSpy picked(p.data(), &AreaPicker::picked);
        p->name_list->setFocus();
        press(p->name_list, Qt::Key_Return);
        QVERIFY(picked.isEmpty() && p->isVisible());
        press(p->name_list, Qt::Key_Down);
        const std::string line = ss(p->name_list->currentItem()->text());
        press(p->name_list, Qt::Key_Return);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(s.key_history[1], area_line_name(line));
        QTRY_VERIFY(p.isNull());

        p = h.open(AreaPickerMode::prefecture);
        QTest::mouseClick(p->area_buttons[10], Qt::LeftButton);
        QSignalSpy again(p.data(), &AreaPicker::picked);
        double_click_line(p->name_list, "沖縄県");
        QCOMPARE(again.count(), 1);
        QCOMPARE(s.key_history[1], "沖縄県");
        QTRY_VERIFY(p.isNull());

        // 取消終了 closes without a choice.
        p = h.open(AreaPickerMode::prefecture);
        QSignalSpy none(p.data(), &AreaPicker::picked);
        click_line(p->name_list, "北海道");
        QTest::mouseClick(p->cancel_button, Qt::LeftButton);
        QTRY_VERIFY(p.isNull());
        QVERIFY(none.isEmpty());
        QCOMPARE(s.key_history[1], "沖縄県");
    }

    void a_picker_opened_again_in_another_mode_answers_only_the_new_caller() {
        Harness h;
        AreaPicker* p = h.open(AreaPickerMode::airport);
        int airport_answers = 0;
        int prefecture_answers = 0;
        QObject::connect(p, &AreaPicker::picked, [&] { ++airport_answers; });
        QCOMPARE(h.open(AreaPickerMode::prefecture), p);
        QObject::connect(p, &AreaPicker::picked, [&] { ++prefecture_answers; });
        QCOMPARE(p->list_frame->title(), QStringLiteral("都道府県名の選択"));
        QTest::mouseClick(p->area_buttons[10], Qt::LeftButton);
        double_click_line(p->name_list, "北海道");
        QCOMPARE(prefecture_answers, 1);
        QCOMPARE(airport_answers, 0);
    }

    void districts_move_between_the_lists_and_ok_or_cancel_decide_the_refinement() {
        TestApp t;
        HotelSearchState& search = t.app.hotel.search;
        t.app.hotel.hits.result_district = {"博多", "天神", "中洲", "小倉"};
        std::vector<bool> ends;
        QPointer<DistrictFilterWindow> w = refinement(t, ends);
        QVERIFY(!w->choose_button->isEnabled() && !w->remove_all_button->isEnabled());
        click_line(w->district_list, "小倉");
        click_line(w->district_list, "天神");
        QTest::mouseClick(w->choose_button, Qt::LeftButton);
        // In the order of the list, not of the clicks.
        QCOMPARE(texts(w->chosen_list), (QStringList{"天神", "小倉"}));
        QCOMPARE(texts(w->district_list), (QStringList{"博多", "中洲"}));
        QVERIFY(!w->choose_button->isEnabled() && w->remove_all_button->isEnabled());
        click_line(w->chosen_list, "天神");
        QTest::mouseClick(w->remove_button, Qt::LeftButton);
        QCOMPARE(texts(w->district_list), (QStringList{"博多", "中洲", "天神"}));
        QVERIFY(!w->remove_button->isEnabled());
        QTest::mouseClick(w->choose_all_button, Qt::LeftButton);
        QCOMPARE(texts(w->chosen_list), (QStringList{"小倉", "博多", "中洲", "天神"}));
        QVERIFY(!w->choose_all_button->isEnabled());
        QTest::mouseClick(w->remove_all_button, Qt::LeftButton);
        QVERIFY(w->chosen_list->count() == 0 && !w->remove_all_button->isEnabled());
        click_line(w->district_list, "中洲");
        click_line(w->district_list, "博多");
        QTest::mouseClick(w->choose_button, Qt::LeftButton);
        QTest::mouseClick(w->ok_button, Qt::LeftButton);
        QTRY_VERIFY(w.isNull());
        QCOMPARE(search.filter_district, (std::vector<std::string>{"", "博多", "中洲"}));
        QCOMPARE(search.district_filter, 2);

        // The refinement comes back on the chosen side only. ｷｬﾝｾﾙ and the close button keep it;
        // Escape on a button is 了解, and nothing chosen ends the refinement.
        for (int way = 0; way < 3; ++way) {
            w = refinement(t, ends);
            QCOMPARE(texts(w->chosen_list), (QStringList{"博多", "中洲"}));
            QCOMPARE(texts(w->district_list), (QStringList{"天神", "小倉"}));
            QTest::mouseClick(w->remove_all_button, Qt::LeftButton);
            if (way == 0) QTest::mouseClick(w->cancel_button, Qt::LeftButton);
            if (way == 1) w->close();
            if (way == 2) press(w->ok_button, Qt::Key_Escape);
            QTRY_VERIFY(w.isNull());
            QCOMPARE(search.district_filter, way < 2 ? 2 : 0);
        }
        QCOMPARE(ends, (std::vector<bool>{true, false, false, true}));
    }

    void a_vacancy_page_opens_after_the_notice_and_only_from_a_web_address() {
        TestApp t;
        sample_hotels(t);
        t.app.settings.browser = {BrowserKind::firefox_family, "/opt/browser/firefox", 0};
        HotelData& d = *t.app.hotel.data;
        const int kyushu = row_of(d.inquiry_name, d.inquiry_count, "九州の空室照会");
        QVERIFY(kyushu > 0);

        QPointer<VacancyEnquiryWindow> w = new VacancyEnquiryWindow(t.app, t.services, nullptr);
        w->show();
        QCOMPARE(w->page_list->count(), d.inquiry_count);
        QVERIFY(!w->open_button->isEnabled());
        click_line(w->page_list, "九州の空室照会");
        // Cancel on the notice ends the command and leaves the window open.
        t.boxes.answers = {MessageAnswer::cancel};
        QTest::mouseClick(w->open_button, Qt::LeftButton);
        QCOMPARE(t.boxes.asked.size(), 1u);
        QVERIFY(t.launcher.launches.empty() && w->isVisible());

        t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(w->open_button, Qt::LeftButton);
        QCOMPARE(t.boxes.asked.size(), 2u);
        QCOMPARE(t.launcher.launches.size(), 1u);
        QCOMPARE(t.launcher.launches[0].program, "/opt/browser/firefox");
        QCOMPARE(t.launcher.launches[0].args, std::vector<std::string>{d.inquiry_url[kyushu]});
        QVERIFY(t.launcher.launches[0].style == WindowStyle::normal);
        QTRY_VERIFY(w.isNull());

        // A data file's address that is no web page reaches no browser.
        d.inquiry_url[1] = "--remote-debugging-port=9222";
        w = new VacancyEnquiryWindow(t.app, t.services, nullptr);
        w->show();
        t.boxes.answers = {MessageAnswer::ok};
        double_click_line(w->page_list, qs(trim(d.inquiry_name[1])));
        QCOMPARE(t.boxes.asked.size(), 3u);
        QCOMPARE(t.launcher.launches.size(), 1u);
        QTRY_VERIFY(w.isNull());
    }
};

QTEST_MAIN(HotelPickersTest)
#include "hotel_pickers_test.moc"
