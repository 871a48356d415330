// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <optional>

#include "gui/common/browser_setup_window.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/main_window.hpp"
#include "gui/pickers/airport_picker.hpp"
#include "gui/pickers/calendar_window.hpp"
#include "gui/support/test_services.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

// The last search as the settings file hands it over.
void last_search(Settings& s) {
    s.from_airport = "東京／羽田";
    s.to_airport = "福岡";
    s.departure_from = 705;
    s.departure_to = 1200;
    s.arrival_from = 800;
    s.arrival_to = 2359;
    s.max_wait = 60;
    s.connection_count = 0;
    s.one_result_per_flight = 1;
}

struct Harness {
    Harness() {
        last_search(t.app.settings);
        window = std::make_unique<MainWindow>(t.app, t.services, hooks());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    MainWindowHooks hooks() {
        MainWindowHooks h;
        h.open_results = [this](MainWindow&) { ++results_opened; };
        return h;
    }
    TestApp t;
    std::unique_ptr<MainWindow> window;
    int results_opened = 0;
    // The field the open airport picker fills; nothing when none is open.
    std::optional<AirportField> picker_field() const {
        auto* picker = window->findChild<AirportPicker*>();
        if (picker == nullptr || !picker->isVisible()) return std::nullopt;
        return picker->field();
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void starts_with_the_last_search_and_today() {
        Harness h;
        MainWindow& w = *h.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("ケルバ国内線時刻表＆ホテル情報"));
        const std::pair<QLineEdit*, const char*> expected[] = {
            {w.from_airport, "東京／羽田"}, {w.departure.from_hour, "7"}, {w.departure.from_minute, "5"},
            {w.departure.to_hour, "12"},    {w.departure.to_minute, "0"}, {w.to_airport, "福岡"},
            {w.arrival.from_hour, "8"},     {w.arrival.from_minute, "0"}, {w.arrival.to_hour, "23"},
            {w.arrival.to_minute, "59"},    {w.max_wait, "60"},           {w.message_line, ""},
            {w.travel_year, "2004"},        {w.travel_month, "1"},        {w.travel_day, "7"}};
        for (const auto& [field, text] : expected) QCOMPARE(field->text(), QString::fromUtf8(text));
        QVERIFY(w.connections_none->isChecked());
        QVERIFY(w.first_per_flight->isChecked());
        QCOMPARE(w.travel_weekday->text(), QStringLiteral("(水)"));
        QCOMPARE(w.search_button->text(), QStringLiteral("検索開始"));
        QCOMPARE(w.quit_button->text(), QStringLiteral("終了"));
        QCOMPARE(w.calendar_button->text(), QStringLiteral("ｶﾚﾝﾀﾞｰ"));
        QCOMPARE(w.seat_enquiry_button->text(), QStringLiteral("空席照会"));
        // One access key per caption, the kana shown plainly: with two marks Qt cuts the item short.
        QCOMPARE(w.enquiry_menu->title(), QStringLiteral("照会(&Iﾆ)"));
        QCOMPARE(w.quit_action->text(), QStringLiteral("ｹﾙﾊﾞ国内線時刻表の終了(&Cｿ)"));
        QCOMPARE(caption("A&&B(&X&ﾔ)"), QStringLiteral("A&&B(&Xﾔ)"));
        QCOMPARE(w.download_page_action->text(), QStringLiteral("ﾀﾞｳﾝﾛｰﾄﾞ"));
        QCOMPARE(w.findChild<QWidget*>("connections_frame")->property("title").toString(),
                 QStringLiteral("乗り継ぎ回数"));
        // The last search's travel date is not kept: today is the date of every new run.
        QCOMPARE(h.t.app.cond.travel_date, day_number(2004, 1, 7));
    }

    void later_windows_are_disabled_until_plugged_in() {
        Harness h;
        MainWindow& w = *h.window;
        QVERIFY(!w.hotel_search_action->isEnabled());
        MainWindowHooks hooks = h.hooks();
        hooks.open_hotel_search = [](MainWindow&) {};
        w.set_hooks(hooks);
        QVERIFY(w.hotel_search_action->isEnabled());
        // The calendar is the main window's own: the button and the menu item open the one calendar.
        QTest::mouseClick(w.calendar_button, Qt::LeftButton);
        w.calendar_action->trigger();
        QCOMPARE(w.findChildren<CalendarWindow*>().size(), 1);
        QVERIFY(w.findChild<CalendarWindow*>()->isVisible());
    }

    void enter_checks_a_time_field_fills_defaults_and_moves_on() {
        Harness h;
        MainWindow& w = *h.window;
        type_and_enter(w.departure.from_hour, "");
        QCOMPARE(w.departure.from_hour->text(), QStringLiteral("5"));
        QTRY_VERIFY(w.departure.from_minute->hasFocus());
        for (const char* refused : {"4", "25", "x"}) {
            type_and_enter(w.departure.from_hour, refused);
            QVERIFY2(w.departure.from_hour->hasFocus(), refused);
            QCOMPARE(w.departure.from_hour->text(), QString::fromUtf8(refused));
        }
        type_and_enter(w.departure.from_hour, "24");
        QVERIFY(w.departure.from_minute->hasFocus());
        // A departure window that runs backwards is refused at its last minute.
        w.departure.from_hour->setText("10");
        w.departure.from_minute->setText("45");
        w.departure.to_hour->setText("10");
        type_and_enter(w.departure.to_minute, "30");
        QVERIFY(w.departure.to_minute->hasFocus());
        type_and_enter(w.departure.to_minute, "45");
        QVERIFY(w.to_airport->hasFocus());
        type_and_enter(w.max_wait, "");
        QCOMPARE(w.max_wait->text(), QStringLiteral("60"));
        QVERIFY(w.search_button->hasFocus());
    }

    void enter_walks_the_whole_form_and_starts_the_search() {
        Harness h;
        MainWindow& w = *h.window;
        w.travel_year->setFocus();
        QWidget* expected[] = {w.travel_month,
                               w.travel_day,
                               w.from_airport,
                               w.departure.from_hour,
                               w.departure.from_minute,
                               w.departure.to_hour,
                               w.departure.to_minute,
                               w.to_airport,
                               w.arrival.from_hour,
                               w.arrival.from_minute,
                               w.arrival.to_hour,
                               w.arrival.to_minute,
                               w.max_wait,
                               w.search_button};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTRY_COMPARE(QApplication::focusWidget(), next);
        }
        // Enter on the focused button presses it, keypad Enter as well.
        QTest::keyClick(w.search_button, Qt::Key_Return);
        QCOMPARE(h.results_opened, 1);
        // While that list is open nothing starts another search or a seat enquiry: the list reads
        // the timetable as its search left it.
        QVERIFY(!w.seat_enquiry_action->isEnabled() && !w.search_button->isEnabled());
        w.seat_enquiry_action->trigger();
        QCOMPARE(h.results_opened, 1);
        w.result_window_closed();
        QVERIFY(w.seat_enquiry_action->isEnabled());
        w.quit_button->setFocus();
        QTest::keyClick(w.quit_button, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(w.ended());
    }

    void enter_runs_through_the_date_and_shows_the_weekday() {
        Harness h;
        MainWindow& w = *h.window;
        type_and_enter(w.travel_year, "2004");
        QVERIFY(w.travel_month->hasFocus());
        type_and_enter(w.travel_month, "2");
        QVERIFY(w.travel_day->hasFocus());
        type_and_enter(w.travel_day, "29");
        QCOMPARE(w.travel_weekday->text(), QStringLiteral("(日)"));
        QVERIFY(w.from_airport->hasFocus());
        w.travel_year->setText("2005");
        type_and_enter(w.travel_day, "29");
        QVERIFY(w.travel_day->hasFocus());
        QCOMPARE(w.travel_weekday->text(), QStringLiteral("(日)"));
        // A year before this one sends the focus back to the year.
        w.travel_year->setText("2003");
        type_and_enter(w.travel_day, "1");
        QVERIFY(w.travel_year->hasFocus());
    }

    void airport_errors_show_their_message_and_open_the_picker() {
        Harness h;
        MainWindow& w = *h.window;
        type_and_enter(w.from_airport, "東京");
        QCOMPARE(w.message_line->text(), QStringLiteral("入力エラーです"));
        QCOMPARE(h.picker_field(), AirportField::departure);
        type_and_enter(w.from_airport, "大阪／伊丹");
        QCOMPARE(w.message_line->text(), QString());
        QVERIFY(w.departure.from_hour->hasFocus());
        type_and_enter(w.to_airport, "大阪／伊丹");
        QCOMPARE(w.message_line->text(), QStringLiteral("出発地と到着地が同じです"));
        QCOMPARE(h.picker_field(), AirportField::arrival);
        QTest::mouseDClick(w.from_airport, Qt::LeftButton);
        QCOMPARE(h.picker_field(), AirportField::departure);
        QVERIFY2(h.t.boxes.asked.size() == 0u, "field checks never raise a dialog");
    }

    void wait_and_window_width_messages() {
        Harness h;
        MainWindow& w = *h.window;
        type_and_enter(w.max_wait, "300");
        QCOMPARE(w.message_line->text(), QStringLiteral("待ち合わせ時間は２４０分以内としてください"));
        QVERIFY(w.max_wait->hasFocus());
        type_and_enter(w.max_wait, "abc");
        QCOMPARE(w.message_line->text(), QStringLiteral("数字以外の文字が入力されています"));
        w.max_wait->setText("60");
        w.departure.from_hour->setText("6");
        w.departure.from_minute->setText("0");
        w.departure.to_hour->setText("19");
        w.departure.to_minute->setText("0");
        QTest::mouseClick(w.connections_one, Qt::LeftButton);
        QTest::mouseClick(w.search_button, Qt::LeftButton);
        QCOMPARE(w.message_line->text(), QStringLiteral("出発時刻の範囲は１２時間以内としてください"));
        QVERIFY(w.departure.from_hour->hasFocus());
        QCOMPARE(h.results_opened, 0);
        QTest::mouseClick(w.connections_none, Qt::LeftButton);
        QTest::mouseClick(w.search_button, Qt::LeftButton);
        QCOMPARE(h.results_opened, 1);
    }

    void connections_ask_first_and_cancel_leaves_the_form() {
        Harness h;
        MainWindow& w = *h.window;
        QTest::mouseClick(w.connections_two, Qt::LeftButton);
        h.t.boxes.answers = {MessageAnswer::cancel};
        QTest::mouseClick(w.search_button, Qt::LeftButton);
        QCOMPARE(h.t.boxes.asked.size(), 1u);
        const Question& q = h.t.boxes.asked.front();
        QCOMPARE(q.title, std::string("確認メッセージ"));
        QCOMPARE(q.text, std::string("乗り換え回数が１回以上の場合、検索に時間がかかります"));
        QCOMPARE(q.help_topic, 217);
        QVERIFY(q.buttons == MessageButtons::ok_cancel);
        QCOMPARE(h.results_opened, 0);
        QVERIFY(w.connections_two->isChecked());
        QCOMPARE(w.from_airport->text(), QStringLiteral("東京／羽田"));
        QVERIFY(w.search_button->isEnabled());

        h.t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(w.search_button, Qt::LeftButton);
        QCOMPARE(h.results_opened, 1);
        QCOMPARE(h.t.app.cond.connection_count, 2);
        QCOMPARE(h.t.app.cond.departure_from, 705);
        QCOMPARE(h.t.app.cond.for_seat_enquiry, 0);
        QVERIFY(!w.search_button->isEnabled());
        QVERIFY(!w.seat_enquiry_button->isEnabled());
        w.result_window_closed();
        QVERIFY(w.search_button->isEnabled());
        QVERIFY(w.seat_enquiry_button->isEnabled());
    }

    void seat_enquiry_needs_a_browser() {
        Harness h;
        MainWindow& w = *h.window;
        QTest::mouseClick(w.connections_two, Qt::LeftButton);
        h.t.boxes.answers = {MessageAnswer::no};
        QTest::mouseClick(w.seat_enquiry_button, Qt::LeftButton);
        QCOMPARE(h.t.boxes.asked.size(), 1u);
        QCOMPARE(h.t.boxes.asked[0].text,
                 std::string("ブラウザ環境が登録されていません。いま登録しますか。"));
        QCOMPARE(h.t.boxes.asked[0].title, std::string("問い合わせメッセージ"));
        QCOMPARE(h.t.boxes.asked[0].help_topic, 218);
        QCOMPARE(h.results_opened, 0);

        // Yes: the set-up window finds a browser, and the enquiry runs at once, direct flights only.
        const auto firefox = h.t.make_program("root2/bin/firefox");
        h.t.boxes.answers = {MessageAnswer::yes};
        when_modal([](QWidget* modal) {
            auto* setup = qobject_cast<BrowserSetupWindow*>(modal);
            QVERIFY(setup);
            QTest::mouseClick(setup->firefox_choice, Qt::LeftButton);
            QTest::mouseClick(setup->search_button, Qt::LeftButton);
        });
        QTest::mouseClick(w.seat_enquiry_button, Qt::LeftButton);
        QCOMPARE(stored_browser_kind(h.t.app.settings.browser), std::string("2"));
        QCOMPARE(h.t.app.settings.browser.path, firefox.string());
        QCOMPARE(h.results_opened, 1);
        QCOMPARE(h.t.app.cond.for_seat_enquiry, 1);
        QCOMPARE(h.t.app.cond.connection_count, 0);
        QVERIFY2(h.t.boxes.asked.size() == 2u, "no connection question in a seat enquiry");
    }

    void web_pages_open_the_configured_address_maximised() {
        Harness h;
        MainWindow& w = *h.window;
        h.t.app.set_browser(browser_of_digit(1, "/usr/bin/chromium"));
        h.t.app.sites = read_sites_text("maker_home_url=https://www.example.com/\n");
        w.home_page_action->trigger();
        QCOMPARE(h.t.launcher.launches.size(), 1u);
        QCOMPARE(h.t.launcher.launches[0].program, std::string("/usr/bin/chromium"));
        QCOMPARE(h.t.launcher.launches[0].args, std::vector<std::string>{"https://www.example.com/"});
        QVERIFY(h.t.launcher.launches[0].style == WindowStyle::maximized);
        w.download_page_action->trigger();
        QCOMPARE(h.t.launcher.launches.size(), 1u);
        QCOMPARE(h.t.boxes.asked.size(), 1u);
        QVERIFY(h.t.boxes.asked[0].text.find("maker_download_url") != std::string::npos);
        // A browser that does not start is reported, not silently lost.
        h.t.launcher.succeed = false;
        w.home_page_action->trigger();
        QCOMPARE(h.t.boxes.asked.back().title, std::string("エラーメッセージ"));
        w.help_topics_action->trigger();
        QCOMPARE(h.t.help.commands.back(), 3);
    }

    void escape_anywhere_saves_and_ends() {
        Harness h;
        MainWindow& w = *h.window;
        // Escape in an open menu closes the menu only.
        w.file_menu->popup(w.mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(w.file_menu));
        QTest::keyClick(w.file_menu, Qt::Key_Escape);
        QTRY_VERIFY(!w.file_menu->isVisible());
        QVERIFY(!w.ended());
        std::filesystem::create_directories(h.t.app.paths.tmp_dir());
        QVERIFY(QDir().mkpath(QString::fromStdString(h.t.app.paths.tmp_dir().string())));
        w.from_airport->setText("大阪／伊丹");
        QTest::mouseClick(w.search_button, Qt::LeftButton);  // the search takes the form's values
        w.departure.from_hour->setFocus();
        QTest::keyClick(w.departure.from_hour, Qt::Key_Escape);
        QVERIFY(w.ended());
        QVERIFY(!w.isVisible());
        QVERIFY(!std::filesystem::exists(h.t.app.paths.tmp_dir()));
        QCOMPARE(h.t.help.commands.back(), 2);
        auto saved = read_settings(h.t.app.ini_file(), h.t.app.today);
        QVERIFY(saved.ok());
        QCOMPARE(saved->from_airport, std::string("大阪／伊丹"));
        QCOMPARE(saved->departure_from, std::int16_t{705});
        QCOMPARE(saved->one_result_per_flight, std::int16_t{1});

        Harness other;
        QTest::keyClick(other.window->connections_one, Qt::Key_Escape);
        QVERIFY(other.window->ended());
        QVERIFY(other.t.boxes.asked.empty());
    }

    void a_settings_file_that_cannot_be_written_is_reported() {
        Harness h;
        // A text the Shift-JIS file cannot hold: the writer refuses it rather than writing garbage.
        h.t.app.cond.from_airport = "東京\xF0\x9F\x9B\xAB";
        h.window->end_program();
        QVERIFY(h.window->ended());
        QCOMPARE(h.t.boxes.asked.size(), 1u);
        QCOMPARE(h.t.boxes.asked[0].title, std::string("エラーメッセージ"));
        QVERIFY(h.t.boxes.asked[0].text.rfind("設定ファイルを保存できませんでした。", 0) == 0);
    }

    void focus_selects_the_whole_text_and_the_size_is_fixed() {
        Harness h;
        MainWindow& w = *h.window;
        w.to_airport->setFocus();
        QTRY_COMPARE(w.to_airport->selectedText(), QStringLiteral("福岡"));
        const QSize designed = w.size();
        w.resize(designed.width() + 200, designed.height() + 100);
        QCOMPARE(w.size(), designed);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
