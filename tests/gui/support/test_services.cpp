// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/support/test_services.hpp"

#include <fstream>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace quorvel::test {

MessageAnswer ScriptedMessageBoxes::ask(const Question& question) {
    asked.push_back(question);
    if (answers.empty()) {
        ++unanswered;
        return question.buttons == MessageButtons::yes_no ? MessageAnswer::no
               : question.buttons == MessageButtons::ok   ? MessageAnswer::ok
                                                          : MessageAnswer::cancel;
    }
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
}

bool RecordingLauncher::launch(const std::string& program, const std::vector<std::string>& args,
                               WindowStyle style) {
    launches.push_back({program, args, style});
    return succeed;
}

bool FakeKeys::read_value(std::string_view key, std::string_view, std::string& found) const {
    asked.emplace_back(key);
    const auto it = values.find(key);
    found = it == values.end() ? "" : it->second;
    return it != values.end();
}

TestApp::TestApp()
    : clock(day_number(2004, 1, 7)), services{boxes, launcher, help, printer, clock, keys, {}, ""} {
    app.paths = {dir(), dir()};
    app.settings = preset_settings();
    apply_zero_defaults(app.settings);
    app.today = clock.today();
    app.timetable = std::make_unique<Timetable>();
    for (std::size_t i = 0; i < test_airports.size(); ++i)
        app.timetable->airport_name[i + 1] = test_airports[i];
    app.timetable->airport_count = static_cast<std::int16_t>(test_airports.size());
    // The browser search never leaves the test's directory.
    services.browser_roots = {dir() / "root1", dir() / "root2"};
}

std::filesystem::path TestApp::dir() const { return temp.path().toStdString(); }

std::filesystem::path TestApp::make_program(const std::string& relative_path) {
    const auto file = dir() / relative_path;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "#!/bin/sh\n";
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    return file;
}

void when_modal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && ++*tries < 300) return;
        timer->stop();
        timer->deleteLater();
        if (modal != nullptr) act(modal);
    });
    timer->start(10);
}

void press(QWidget* widget, int key) { QTest::keyClick(widget, static_cast<Qt::Key>(key)); }

void type_and_enter(QWidget* widget, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    edit->setFocus();
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace quorvel::test
