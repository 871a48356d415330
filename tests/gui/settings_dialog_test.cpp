// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "gui/common/browser_setup_window.hpp"
#include "gui/settings_dialog.hpp"
#include "gui/support/test_services.hpp"

using namespace quorvel;
using namespace quorvel::test;

class SettingsDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void shows_and_changes_the_common_options() {
        TestApp t;
        t.app.settings.result_order = 2;
        t.app.settings.hotel_details_shown = 0;
        SettingsDialog w(t.app, t.services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("ケルバ国内線時刻表＆ホテル情報"));
        QCOMPARE(w.tabs->tabText(0), QStringLiteral("共通"));
        QCOMPARE(w.tabs->tabText(1), QStringLiteral("ブラウザ登録"));
        QVERIFY(w.order_by_arrival->isChecked());
        QVERIFY(w.hide_hotel_details->isChecked());
        QCOMPARE(w.hotel_limit->text(), QStringLiteral("500"));
        QTest::mouseClick(w.order_by_duration, Qt::LeftButton);
        QCOMPARE(t.app.settings.result_order, std::int16_t{3});
        QTest::mouseClick(w.show_hotel_details, Qt::LeftButton);
        QCOMPARE(t.app.settings.hotel_details_shown, std::int16_t{1});

        // The limit must fit the hit table: 1 to 15000.
        for (const char* refused : {"0", "-5", "15001", "99999"}) {
            type_and_enter(w.hotel_limit, refused);
            QVERIFY2(w.hotel_limit->hasFocus(), refused);
            QCOMPARE(t.app.settings.hotel_limit, std::int16_t{500});
        }
        type_and_enter(w.hotel_limit, "1200");
        QCOMPARE(t.app.settings.hotel_limit, std::int16_t{1200});
        QVERIFY(w.close_button->hasFocus());

        w.hotel_limit->setText("800");
        QTest::keyClick(w.hotel_limit, Qt::Key_Escape);  // closing takes the field without Enter
        QVERIFY(!w.isVisible());
        QCOMPARE(t.app.settings.hotel_limit, std::int16_t{800});
    }

    void a_sel_option_of_zero_shows_the_journey_time_order() {
        TestApp t;
        t.app.settings.result_order = 0;
        SettingsDialog w(t.app, t.services);
        QVERIFY(w.order_by_duration->isChecked());
        w.hotel_limit->setText("-5");
        QTest::mouseClick(w.close_button, Qt::LeftButton);
        QVERIFY2(t.app.settings.hotel_limit == std::int16_t{500}, "an unusable limit keeps the old one");
    }

    void re_registration_takes_the_desktop_browser() {
        TestApp t;
        t.app.set_browser(browser_of_digit(3, ""));
        t.keys.values[std::string(http_command_key)] = "/usr/lib/firefox-esr/firefox-esr %u";
        SettingsDialog w(t.app, t.services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.tabs->setCurrentIndex(1);
        QTest::mouseClick(w.reregister_browser_button, Qt::LeftButton);
        QCOMPARE(stored_browser_kind(t.app.settings.browser), std::string("2"));
        QCOMPARE(t.app.settings.browser.path, std::string("/usr/lib/firefox-esr/firefox-esr"));
    }

    void re_registration_without_a_desktop_browser_opens_the_search() {
        TestApp t;
        t.app.set_browser(browser_of_digit(1, "/old/chromium"));
        t.keys.values[std::string(http_command_key)] =
            "\"C:\\Program Files\\Internet Explorer\\IExplore.exe\" -nohome";
        const auto chrome = t.make_program("root1/opt/google/chrome/google-chrome");
        SettingsDialog w(t.app, t.services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        bool searched = false;
        when_modal([&](QWidget* modal) {
            auto* setup = qobject_cast<BrowserSetupWindow*>(modal);
            if (!setup) return;
            searched = true;
            QTest::mouseClick(setup->chromium_choice, Qt::LeftButton);
            QTest::mouseClick(setup->search_button, Qt::LeftButton);
        });
        QTest::mouseClick(w.reregister_browser_button, Qt::LeftButton);
        QVERIFY(searched);
        QCOMPARE(stored_browser_kind(t.app.settings.browser), std::string("1"));
        QCOMPARE(t.app.settings.browser.path, chrome.string());

        // A search that finds nothing, and 終了, keep the browser that worked.
        const BrowserValues working = t.app.browser();
        for (const bool search_first : {true, false}) {
            when_modal([&](QWidget* modal) {
                auto* setup = qobject_cast<BrowserSetupWindow*>(modal);
                if (!setup) return;
                if (search_first) {
                    QTest::mouseClick(setup->firefox_choice, Qt::LeftButton);
                    QTest::mouseClick(setup->search_button, Qt::LeftButton);
                } else {
                    QTest::mouseClick(setup->close_button, Qt::LeftButton);
                }
            });
            QTest::mouseClick(w.reregister_browser_button, Qt::LeftButton);
            QVERIFY(t.app.browser() == working);
        }
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
