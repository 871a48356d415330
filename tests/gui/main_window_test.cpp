#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

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
    s.sel_from_name = "東京／羽田";
    s.sel_to_name = "福岡";
    s.st_time1 = 705;
    s.st_time2 = 1200;
    s.ed_time1 = 800;
    s.ed_time2 = 2359;
    s.wait_time = 60;
    s.wait_count = 0;
    s.combination_number = 1;
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
    // The field the open airport picker fills (11 departure, 12 arrival); 0 when none is open.
    int picker_mode() const {
        auto* picker = window->findChild<AirportPicker*>();
        return picker && picker->isVisible() ? picker->picker_mode() : 0;
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
        const char* expected[] = {"",  "東京／羽田", "7",  "5",  "12", "0",    "福岡", "8",
                                  "0", "23",         "59", "60", "",   "2004", "1",    "7"};
        for (int n = 1; n <= 15; ++n) QCOMPARE(w.Text[n]->text(), QString::fromUtf8(expected[n]));
        QVERIFY(w.Option4->isChecked());
        QVERIFY(w.Option7->isChecked());
        QCOMPARE(w.Label21->text(), QStringLiteral("(水)"));
        QCOMPARE(w.Command1->text(), QStringLiteral("検索開始"));
        QCOMPARE(w.Command2->text(), QStringLiteral("終了"));
        QCOMPARE(w.Command3->text(), QStringLiteral("ｶﾚﾝﾀﾞｰ"));
        QCOMPARE(w.Command4->text(), QStringLiteral("空席照会"));
        QCOMPARE(w.manu_2->title(), QStringLiteral("照会(&I&ﾆ)"));
        QCOMPARE(w.menu_11->text(), QStringLiteral("ｹﾙﾊﾞ国内線時刻表の終了(&C&ｿ)"));
        QCOMPARE(w.menu_32->text(), QStringLiteral("ホテル情報の登録･修正(&H&ｸ)"));
        QCOMPARE(w.menu_535->text(), QStringLiteral("ﾀﾞｳﾝﾛｰﾄﾞ"));
        QCOMPARE(w.findChild<QWidget*>("Frame5")->property("title").toString(),
                 QStringLiteral("乗り継ぎ回数"));
        // The last search's travel date is not kept: today is the date of every new run.
        QCOMPARE(h.t.app.cond.sel_date, day_number(2004, 1, 7));
    }

    void later_windows_are_disabled_until_plugged_in() {
        Harness h;
        MainWindow& w = *h.window;
        QVERIFY(!w.menu_42->isEnabled());
        MainWindowHooks hooks = h.hooks();
        hooks.open_hotel_search = [](MainWindow&) {};
        w.set_hooks(hooks);
        QVERIFY(w.menu_42->isEnabled());
        // The calendar is the main window's own: the button and the menu item open the one calendar.
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        w.menu_41->trigger();
        QCOMPARE(w.findChildren<CalendarWindow*>().size(), 1);
        QVERIFY(w.findChild<CalendarWindow*>()->isVisible());
    }

    void enter_checks_a_time_field_fills_defaults_and_moves_on() {
        Harness h;
        MainWindow& w = *h.window;
        type_and_enter(w.Text2, "");
        QCOMPARE(w.Text2->text(), QStringLiteral("5"));
        QTRY_VERIFY(w.Text3->hasFocus());
        for (const char* refused : {"4", "25", "x"}) {
            type_and_enter(w.Text2, refused);
            QVERIFY2(w.Text2->hasFocus(), refused);
            QCOMPARE(w.Text2->text(), QString::fromUtf8(refused));
        }
        type_and_enter(w.Text2, "24");
        QVERIFY(w.Text3->hasFocus());
        // A departure window that runs backwards is refused at its last minute.
        w.Text2->setText("10");
        w.Text3->setText("45");
        w.Text4->setText("10");
        type_and_enter(w.Text5, "30");
        QVERIFY(w.Text5->hasFocus());
        type_and_enter(w.Text5, "45");
        QVERIFY(w.Text6->hasFocus());
        type_and_enter(w.Text11, "");
        QCOMPARE(w.Text11->text(), QStringLiteral("60"));
        QVERIFY(w.Command1->hasFocus());
    }

    void enter_runs_through_the_date_and_shows_the_weekday() {
        Harness h;
        MainWindow& w = *h.window;
        type_and_enter(w.Text13, "2004");
        QVERIFY(w.Text14->hasFocus());
        type_and_enter(w.Text14, "2");
        QVERIFY(w.Text15->hasFocus());
        type_and_enter(w.Text15, "29");
        QCOMPARE(w.Label21->text(), QStringLiteral("(日)"));
        QVERIFY(w.Text1->hasFocus());
        w.Text13->setText("2005");
        type_and_enter(w.Text15, "29");
        QVERIFY(w.Text15->hasFocus());
        QCOMPARE(w.Label21->text(), QStringLiteral("(日)"));
        // A year before this one sends the focus back to the year.
        w.Text13->setText("2003");
        type_and_enter(w.Text15, "1");
        QVERIFY(w.Text13->hasFocus());
    }

    void airport_errors_show_their_message_and_open_the_picker() {
        Harness h;
        MainWindow& w = *h.window;
        type_and_enter(w.Text1, "東京");
        QCOMPARE(w.Text12->text(), QStringLiteral("入力エラーです"));
        QCOMPARE(h.picker_mode(), 11);
        type_and_enter(w.Text1, "大阪／伊丹");
        QCOMPARE(w.Text12->text(), QString());
        QVERIFY(w.Text2->hasFocus());
        type_and_enter(w.Text6, "大阪／伊丹");
        QCOMPARE(w.Text12->text(), QStringLiteral("出発地と到着地が同じです"));
        QCOMPARE(h.picker_mode(), 12);
        QCOMPARE(h.t.app.picker_mode, 12);
        QTest::mouseDClick(w.Text1, Qt::LeftButton);
        QCOMPARE(h.picker_mode(), 11);
        QVERIFY2(h.t.boxes.asked.size() == 0u, "field checks never raise a dialog");
    }

    void wait_and_window_width_messages() {
        Harness h;
        MainWindow& w = *h.window;
        type_and_enter(w.Text11, "300");
        QCOMPARE(w.Text12->text(), QStringLiteral("待ち合わせ時間は２４０分以内としてください"));
        QVERIFY(w.Text11->hasFocus());
        type_and_enter(w.Text11, "abc");
        QCOMPARE(w.Text12->text(), QStringLiteral("数字以外の文字が入力されています"));
        w.Text11->setText("60");
        w.Text2->setText("6");
        w.Text3->setText("0");
        w.Text4->setText("19");
        w.Text5->setText("0");
        QTest::mouseClick(w.Option5, Qt::LeftButton);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(w.Text12->text(), QStringLiteral("出発時刻の範囲は１２時間以内としてください"));
        QVERIFY(w.Text2->hasFocus());
        QCOMPARE(h.results_opened, 0);
        QTest::mouseClick(w.Option4, Qt::LeftButton);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(h.results_opened, 1);
    }

    void connections_ask_first_and_cancel_leaves_the_form() {
        Harness h;
        MainWindow& w = *h.window;
        QTest::mouseClick(w.Option6, Qt::LeftButton);
        h.t.boxes.answers = {MessageAnswer::cancel};
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(h.t.boxes.asked.size(), 1u);
        const Question& q = h.t.boxes.asked.front();
        QCOMPARE(q.title, std::string("確認メッセージ"));
        QCOMPARE(q.text, std::string("乗り換え回数が１回以上の場合、検索に時間がかかります"));
        QCOMPARE(q.help_topic, 217);
        QVERIFY(q.buttons == MessageButtons::ok_cancel);
        QCOMPARE(h.results_opened, 0);
        QVERIFY(w.Option6->isChecked());
        QCOMPARE(w.Text1->text(), QStringLiteral("東京／羽田"));
        QVERIFY(w.Command1->isEnabled());

        h.t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(h.results_opened, 1);
        QCOMPARE(h.t.app.cond.wait_count, 2);
        QCOMPARE(h.t.app.cond.st_time1, 705);
        QCOMPARE(h.t.app.cond.inquiry_mode, 0);
        QVERIFY(!w.Command1->isEnabled());
        QVERIFY(!w.Command4->isEnabled());
        w.result_window_closed();
        QVERIFY(w.Command1->isEnabled());
        QVERIFY(w.Command4->isEnabled());
    }

    void seat_enquiry_needs_a_browser() {
        Harness h;
        MainWindow& w = *h.window;
        QTest::mouseClick(w.Option6, Qt::LeftButton);
        h.t.boxes.answers = {MessageAnswer::no};
        QTest::mouseClick(w.Command4, Qt::LeftButton);
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
            QTest::mouseClick(setup->Option2, Qt::LeftButton);
            QTest::mouseClick(setup->Command2, Qt::LeftButton);
        });
        QTest::mouseClick(w.Command4, Qt::LeftButton);
        QCOMPARE(h.t.app.settings.browser_kind, std::string("2"));
        QCOMPARE(h.t.app.settings.browser_path, firefox.string());
        QCOMPARE(h.results_opened, 1);
        QCOMPARE(h.t.app.cond.inquiry_mode, 1);
        QCOMPARE(h.t.app.cond.wait_count, 0);
        QVERIFY2(h.t.boxes.asked.size() == 2u, "no connection question in a seat enquiry");
    }

    void web_pages_open_the_configured_address_maximised() {
        Harness h;
        MainWindow& w = *h.window;
        h.t.app.set_browser({"1", "/usr/bin/chromium"});
        h.t.app.sites = read_sites_text("maker_home_url=https://www.example.com/\n");
        w.menu_531->trigger();
        QCOMPARE(h.t.launcher.launches.size(), 1u);
        QCOMPARE(h.t.launcher.launches[0].program, std::string("/usr/bin/chromium"));
        QCOMPARE(h.t.launcher.launches[0].args, std::vector<std::string>{"https://www.example.com/"});
        QVERIFY(h.t.launcher.launches[0].style == WindowStyle::maximized);
        w.menu_535->trigger();
        QCOMPARE(h.t.launcher.launches.size(), 1u);
        QCOMPARE(h.t.boxes.asked.size(), 1u);
        QVERIFY(h.t.boxes.asked[0].text.find("maker_download_url") != std::string::npos);
        // A browser that does not start is reported, not silently lost.
        h.t.launcher.succeed = false;
        w.menu_531->trigger();
        QCOMPARE(h.t.boxes.asked.back().title, std::string("エラーメッセージ"));
        w.menu_51->trigger();
        QCOMPARE(h.t.help.commands.back(), 3);
    }

    void escape_anywhere_saves_and_ends() {
        Harness h;
        MainWindow& w = *h.window;
        std::filesystem::create_directories(h.t.app.paths.tmp_dir());
        QVERIFY(QDir().mkpath(QString::fromStdString(h.t.app.paths.tmp_dir().string())));
        w.Text1->setText("大阪／伊丹");
        QTest::mouseClick(w.Command1, Qt::LeftButton);  // the search takes the form's values
        w.Text2->setFocus();
        QTest::keyClick(w.Text2, Qt::Key_Escape);
        QVERIFY(w.ended());
        QVERIFY(!w.isVisible());
        QVERIFY(!std::filesystem::exists(h.t.app.paths.tmp_dir()));
        QCOMPARE(h.t.help.commands.back(), 2);
        auto saved = read_settings(h.t.app.ini_file(), h.t.app.today_serial);
        QVERIFY(saved.ok());
        QCOMPARE(saved->sel_from_name, std::string("大阪／伊丹"));
        QCOMPARE(saved->st_time1, std::int16_t{705});
        QCOMPARE(saved->combination_number, std::int16_t{1});

        Harness other;
        QTest::keyClick(other.window->Option5, Qt::Key_Escape);
        QVERIFY(other.window->ended());
        QVERIFY(other.t.boxes.asked.empty());
    }

    void a_settings_file_that_cannot_be_written_is_reported() {
        Harness h;
        // A text the Shift-JIS file cannot hold: the writer refuses it rather than writing garbage.
        h.t.app.cond.sel_from_name = "東京\xF0\x9F\x9B\xAB";
        h.window->end_proc();
        QVERIFY(h.window->ended());
        QCOMPARE(h.t.boxes.asked.size(), 1u);
        QCOMPARE(h.t.boxes.asked[0].title, std::string("エラーメッセージ"));
        QVERIFY(h.t.boxes.asked[0].text.rfind("設定ファイルを保存できませんでした。", 0) == 0);
    }

    void focus_selects_the_whole_text_and_the_size_is_fixed() {
        Harness h;
        MainWindow& w = *h.window;
        w.Text6->setFocus();
        QTRY_COMPARE(w.Text6->selectedText(), QStringLiteral("福岡"));
        const QSize designed = w.size();
        w.resize(designed.width() + 200, designed.height() + 100);
        QCOMPARE(w.size(), designed);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
