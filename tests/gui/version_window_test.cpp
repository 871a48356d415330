// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui/main_window.hpp"
#include "gui/support/test_services.hpp"
#include "gui/version_window.hpp"

using namespace quorvel;
using namespace quorvel::test;

class VersionWindowTest : public QObject {
    Q_OBJECT
  private slots:
    // The version window opens from the help menu, names the program, its version and data date,
    // and closes with OK or Escape, remembering where it was.
    void opens_from_the_menu_and_closes_with_ok_or_escape() {
        TestApp t;
        MainWindow main(t.app, t.services);
        main.show();
        QString title, version, data;
        when_modal([&](QWidget* modal) {
            auto* w = qobject_cast<VersionWindow*>(modal);
            if (w == nullptr) return;
            title = w->title_label->text();
            version = w->version_label->text();
            data = w->data_date_label->text();
            w->move(40, 60);
            QTest::mouseClick(w->ok_button, Qt::LeftButton);
        });
        main.about_action->trigger();
        QCOMPARE(title, QStringLiteral("ケルバ国内線時刻表＆ホテル情報"));
        QCOMPARE(version, QStringLiteral("Version  3.44"));
        QCOMPARE(data, QStringLiteral("データ 2004/01/07"));
        QCOMPARE(t.app.settings.position("time_table92")->left, std::int16_t{40 * 15});

        bool closed = false;
        when_modal([&](QWidget* modal) {
            press(modal, Qt::Key_Escape);
            closed = true;
        });
        main.about_action->trigger();
        QVERIFY(closed);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(VersionWindowTest)
#include "version_window_test.moc"
