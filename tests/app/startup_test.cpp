// SPDX-License-Identifier: GPL-3.0-or-later
#include <fstream>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/startup.hpp"
#include "app/window_wiring.hpp"
#include "gui/common/browser_setup_window.hpp"
#include "gui/common/progress_window.hpp"
#include "gui/common/window_place.hpp"
#include "gui/search/result_window.hpp"
#include "gui/splash_screen.hpp"
#include "gui/support/test_services.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

const std::filesystem::path sample_timetable = std::filesystem::path(QUORVEL_BIN_DIR) / "timedata.dat";

// A program directory with the sample timetable and a settings file naming the browser kind.
void install_sample(TestApp& t, const std::string& browser_kind) {
    std::filesystem::copy_file(sample_timetable, t.dir() / "timedata.dat");
    Settings s = preset_settings();
    if (!browser_kind.empty()) s.browser = browser_of_digit(std::stoi(browser_kind));
    s.from_airport = "東京／羽田";
    s.to_airport = "福岡";
    s.departure_from = 500, s.departure_to = 2359, s.arrival_from = 600, s.arrival_to = 2359, s.max_wait = 60;
    QVERIFY(write_settings(t.app.ini_file(), s).ok());
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void the_splash_shows_the_version_with_two_blanks() {
        Identity id;
        SplashScreen splash(id);
        QCOMPARE(splash.version->text(), QStringLiteral("Version  3.44"));
        QCOMPARE(splash.product_name->text(), QStringLiteral("ケルバ国内線時刻表＆ホテル情報"));
    }

    void the_progress_window_follows_the_loader() {
        TestApp t;
        ProgressWindow progress(t.app);
        QCOMPARE(progress.windowTitle(), QStringLiteral("ケルバ国内線時刻表＆ホテル情報"));
        Progress& p = progress;
        p.set_range(0, 12);
        p.set_value(5);
        p.yield();
        QCOMPARE(progress.bar->maximum(), 12);
        QCOMPARE(progress.bar->value(), 5);
        // The work cannot be cancelled: neither the close button nor Escape closes the window.
        progress.show();
        QVERIFY(!progress.close());
        QTest::keyClick(&progress, Qt::Key_Escape);
        QVERIFY(progress.isVisible());
        progress.move(30, 45);
        progress.unload();
        QVERIFY(!progress.isVisible());
        QCOMPARE(t.app.settings.position("time_table99")->left, std::int16_t{30 * 15});
    }

    void a_missing_empty_or_damaged_timetable_ends_the_program_with_a_message() {
        TestApp t;
        QVERIFY(start_program(t.app, t.services) == nullptr);
        std::ofstream(t.dir() / "timedata.dat").close();
        QVERIFY(start_program(t.app, t.services) == nullptr);
        std::ofstream(t.dir() / "timedata.dat") << std::string(3000, 'x');
        QVERIFY(start_program(t.app, t.services) == nullptr);
        // Started from the desktop's menu there is no terminal: each end is said in a box.
        QCOMPARE(t.boxes.asked.size(), 3u);
        for (const Question& q : t.boxes.asked) {
            QCOMPARE(q.title, std::string("エラーメッセージ"));
            QVERIFY(q.icon == MessageIcon::critical);
            QVERIFY(
                q.text.starts_with("時刻表データを読み込めません。\n" + (t.dir() / "timedata.dat").string()));
        }
        QVERIFY2(t.keys.asked.empty(), "nothing after the missing file is done");
    }

    void starts_on_the_sample_data_and_detects_the_browser_once() {
        if (!std::filesystem::exists(sample_timetable)) QSKIP("the sample timetable has not been built");
        TestApp t;
        install_sample(t, "0");
        t.keys.values[std::string(http_command_key)] = "env GDK_BACKEND=x11 /usr/bin/chromium %U";
        auto window = start_program(t.app, t.services);
        QVERIFY(window != nullptr);
        QVERIFY(t.app.timetable->airport_count > 0);
        QCOMPARE(window->from_airport->text(), QStringLiteral("東京／羽田"));
        QCOMPARE(window->travel_year->text(), QStringLiteral("2004"));
        QCOMPARE(stored_browser_kind(t.app.settings.browser), std::string("1"));
        QCOMPARE(t.app.settings.browser.path, std::string("/usr/bin/chromium"));

        // A browser set up already is not looked for again.
        TestApp again;
        install_sample(again, "2");
        QVERIFY(start_program(again.app, again.services) != nullptr);
        QVERIFY(again.keys.asked.empty());
    }

    // The program as it is wired: every menu command and button acts, or is disabled until the
    // window it opens exists.
    void every_command_acts_or_is_disabled() {
        if (!std::filesystem::exists(sample_timetable)) QSKIP("the sample timetable has not been built");
        TestApp t;
        install_sample(t, "1");
        auto window = start_program(t.app, t.services, program_hooks(t.app, t.services));
        QVERIFY(window != nullptr);
        window->show();
        bool modal_seen = false;
        const auto effects = [&] {
            int windows = 0;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w != window.get()) ++windows;
            return t.boxes.asked.size() + t.help.commands.size() + t.launcher.launches.size() + windows +
                   (modal_seen ? 1 : 0);
        };
        for (QAction* a : window->findChildren<QAction*>()) {
            if (a->isSeparator() || a->menu() != nullptr || a == window->quit_action) continue;
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
            const auto before = effects();
            QTimer::singleShot(0, [&] {
                if (QWidget* modal = QApplication::activeModalWidget()) modal_seen = true, modal->close();
            });
            a->trigger();
            QTest::qWait(1);
            QVERIFY2(effects() > before, qPrintable(a->text()));
            modal_seen = false;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w != window.get()) w->close();
            t.boxes.asked.clear();
        }
        // The result list: its hotel button is wired too.
        t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(window->search_button, Qt::LeftButton);
        auto* list = window->findChild<ResultWindow*>();
        QVERIFY(list != nullptr);
        QVERIFY(list->hotel_button->isEnabled());
        QVERIFY(list->print_button->isEnabled() && list->close_button->isEnabled());
    }

    void a_new_installation_without_a_browser_opens_the_set_up() {
        if (!std::filesystem::exists(sample_timetable)) QSKIP("the sample timetable has not been built");
        TestApp t;
        install_sample(t, "");
        // No settings file at all: a browser has never been chosen (an empty key would read as "0").
        std::filesystem::remove(t.app.ini_file());
        bool shown = false;
        when_modal([&](QWidget* modal) {
            auto* setup = qobject_cast<BrowserSetupWindow*>(modal);
            shown = setup != nullptr;
            if (setup) QTest::mouseClick(setup->close_button, Qt::LeftButton);
        });
        QVERIFY(start_program(t.app, t.services) != nullptr);
        QVERIFY(shown);
        QCOMPARE(t.keys.asked.size(), 2u);  // the handler, then the icon key
    }

    void an_installed_copy_starts_from_the_settings_beside_it() {
        if (!std::filesystem::exists(sample_timetable)) QSKIP("the sample timetable has not been built");
        TestApp t;
        install_sample(t, "2");
        // The program's directory is not writable: the user's files go to a directory of their own,
        // which holds nothing yet.
        QTemporaryDir user;
        t.app.paths.user_dir = user.path().toStdString();
        auto window = start_program(t.app, t.services);
        QVERIFY(window != nullptr);
        QCOMPARE(stored_browser_kind(t.app.settings.browser), std::string("2"));
        QCOMPARE(window->from_airport->text(), QStringLiteral("東京／羽田"));
        window->end_program();
        QVERIFY(std::filesystem::exists(std::filesystem::path(user.path().toStdString()) / "quorvel6.ini"));
    }

    void remembered_positions_off_every_screen_come_back() {
        const QList<QRect> screens{{0, 0, 1280, 1024}};
        const QSize size(600, 450);
        QCOMPARE(on_screen_position({1230, 1500}, size, screens), QPoint(100, 82));
        // A second monitor that is gone: the window is pulled onto the first screen, wholly.
        const QPoint back = on_screen_position({300, 30000}, size, screens);
        QVERIFY(screens[0].contains(QRect(back, size)));
        QCOMPARE(back.y(), 20);
        const QPoint below = on_screen_position({20000, 0}, size, screens);
        QVERIFY(screens[0].contains(QRect(below, size)));
        QCOMPARE(on_screen_position({0, 0}, size, {}), QPoint(0, 0));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
