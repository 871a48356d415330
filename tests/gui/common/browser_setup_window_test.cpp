// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/common/browser_setup_window.hpp"
#include "gui/support/test_services.hpp"

using namespace quorvel;
using namespace quorvel::test;

class BrowserSetupWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void asks_for_a_choice_before_searching() {
        TestApp t;
        BrowserSetupWindow w(t.app, t.services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("ケルバホテル情報＆予約"));
        QCOMPARE(w.instructions->text(),
                 QStringLiteral("インストール直後のためブラウザを選択してください。"));
        QVERIFY(!w.search_button->isEnabled());
        QTest::mouseClick(w.chromium_choice, Qt::LeftButton);
        QCOMPARE(w.instructions->text(),
                 QStringLiteral(
                     "検索開始ボタンをクリックして下さい。\nブラウザの環境設定には少々時間がかかります。"));
        QVERIFY(w.search_button->isEnabled());
    }

    void no_browser_is_a_choice_after_a_warning() {
        TestApp t;
        t.app.set_browser(browser_of_digit(0, "/old"));
        BrowserSetupWindow w(t.app, t.services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        t.boxes.answers = {MessageAnswer::cancel};
        QTest::mouseClick(w.no_browser_choice, Qt::LeftButton);
        QCOMPARE(t.boxes.asked.size(), 1u);
        QCOMPARE(t.boxes.asked[0].title, std::string("確認メッセージ"));
        QCOMPARE(t.boxes.asked[0].text,
                 std::string("インターネットを利用した予約は行えません\n処理を続行しますか"));
        QVERIFY(t.boxes.asked[0].buttons == MessageButtons::ok_cancel);
        QVERIFY(w.isVisible());
        QCOMPARE(stored_browser_kind(t.app.settings.browser), std::string("0"));

        t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(w.no_browser_choice, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(stored_browser_kind(t.app.settings.browser), std::string("3"));
        QCOMPARE(t.app.settings.browser.path, std::string());
        QVERIFY(w.result() == QDialog::Rejected);
    }

    void the_search_finds_a_lower_case_program_and_saves_at_once() {
        TestApp t;
        t.make_program("root1/share/iexplore.exe.txt");
        const auto found = t.make_program("root2/Program Files/Internet Explorer/iexplore.exe");
        t.make_program("root2/zzz/firefox");  // the other family
        BrowserSetupWindow w(t.app, t.services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.chromium_choice, Qt::LeftButton);
        QTest::mouseClick(w.search_button, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(stored_browser_kind(t.app.settings.browser), std::string("1"));
        QCOMPARE(t.app.settings.browser.path, found.string());
        QCOMPARE(w.searching_label->text(), QStringLiteral("検索中..."));
        QVERIFY(w.result() == QDialog::Accepted);
        auto saved = read_settings(t.app.ini_file(), t.app.today);
        QVERIFY(saved.ok());
        QCOMPARE(stored_browser_kind(saved->browser), std::string("1"));
        QCOMPARE(saved->browser.path, found.string());
    }

    void a_search_that_finds_nothing_changes_nothing() {
        TestApp t;
        t.make_program("root1/bin/chromium");  // the other family
        t.app.set_browser(browser_of_digit(0, ""));
        BrowserSetupWindow w(t.app, t.services);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.firefox_choice, Qt::LeftButton);
        QTest::mouseClick(w.search_button, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(stored_browser_kind(t.app.settings.browser), std::string("0"));
        QVERIFY(!std::filesystem::exists(t.app.ini_file()));
    }
};

QTEST_MAIN(BrowserSetupWindowTest)
#include "browser_setup_window_test.moc"
