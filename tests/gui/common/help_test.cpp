// SPDX-License-Identifier: GPL-3.0-or-later
#include <fstream>
#include <set>
#include <sstream>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "gui/common/qt_services.hpp"

using namespace quorvel;

namespace {

const std::filesystem::path help_file = std::filesystem::path(QUORVEL_BIN_DIR) / "quorvel6.hlp";

std::string read_all(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every topic the windows pass: the fixed ones and each fare-sheet cell's topic of the sample data.
std::set<int> topics_in_use() {
    std::set<int> topics{203, 216, 217, 218, 251, 252, 253};
    std::ifstream in(std::filesystem::path(QUORVEL_SOURCE_DIR) / "data/sample/help.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int company = 0, row = 0, topic = 0;
        if (fields >> company >> row >> topic && topic != 0) topics.insert(topic);
    }
    return topics;
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
  private slots:
    void every_topic_the_program_passes_has_a_page() {
        const std::string html = read_all(help_file);
        QVERIFY2(!html.empty(), "the help file is beside the program");
        QVERIFY(html.find("<a name=\"index\">") != std::string::npos);
        const auto topics = topics_in_use();
        QVERIFY(topics.size() > 10);
        for (int t : topics)
            QVERIFY2(html.find("<a name=\"t" + std::to_string(t) + "\">") != std::string::npos,
                     qPrintable(QStringLiteral("topic %1").arg(t)));
    }

    void the_viewer_opens_at_a_topic_and_closes() {
        HelpWindow help(help_file);
        help.show_topic(218);
        QVERIFY(help.browser() != nullptr);
        QVERIFY(help.browser()->isVisible());
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("ブラウザの登録")));
        help.close();
        QVERIFY(!help.browser()->isVisible());
        help.show_index();
        QVERIFY(help.browser()->isVisible());

        HelpWindow missing(std::filesystem::path(QUORVEL_BIN_DIR) / "no-such.hlp");
        missing.show_index();
        QVERIFY(missing.browser()->toPlainText().contains(QStringLiteral("ヘルプファイルが見つかりません")));
    }

    // The program's own message box: Help opens the topic, and the question stays open, waiting
    // for its answer, while the help window can be read.
    void help_on_a_question_leaves_the_question_waiting() {
        QWidget owner;
        owner.show();
        owner.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        HelpWindow help(help_file);
        QtMessageBoxes boxes(help);
        const Question question{"確認メッセージ", "乗り換え回数が１回以上の場合、検索に時間がかかります",
                                MessageIcon::exclamation, MessageButtons::ok_cancel, 217};
        for (const auto& [button, expected] : {std::pair{QMessageBox::Cancel, MessageAnswer::cancel},
                                               std::pair{QMessageBox::Ok, MessageAnswer::ok}}) {
            // Checked while the question waits; the question is answered whatever was found.
            bool stayed = false, shown = false, scrolled = false;
            QTimer::singleShot(0, [&, button = button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr) return;
                QTest::mouseClick(box->button(QMessageBox::Help), Qt::LeftButton);
                stayed = box->isVisible();
                QTextBrowser* viewer = help.browser();
                shown = viewer != nullptr && viewer->isVisible() &&
                        viewer->toPlainText().contains(QStringLiteral("乗り継ぎ便の検索"));
                if (shown) {
                    // A key through the window system reaches the help window: it is not blocked.
                    QScrollBar* bar = viewer->verticalScrollBar();
                    const int before = bar->value();
                    QTest::keyClick(viewer->windowHandle(),
                                    before == bar->maximum() ? Qt::Key_PageUp : Qt::Key_PageDown);
                    scrolled = QTest::qWaitFor([&] { return bar->value() != before; }, 2000);
                }
                QTest::mouseClick(box->button(button), Qt::LeftButton);
            });
            QCOMPARE(boxes.ask(question), expected);
            QVERIFY(stayed);
            QVERIFY(shown);
            QVERIFY(scrolled);
        }
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
