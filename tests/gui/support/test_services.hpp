// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "common/clock.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/services.hpp"

class QWidget;

namespace quorvel::test {

// Answers questions from a script and records every question asked.
class ScriptedMessageBoxes final : public MessageBoxes {
  public:
    std::deque<MessageAnswer> answers;
    std::vector<Question> asked;
    int unanswered = 0;  // questions asked with the script empty (answered Cancel / No)

    MessageAnswer ask(const Question& question) override;
};

class RecordingLauncher final : public BrowserLauncher {
  public:
    struct Launch {
        std::string program;
        std::vector<std::string> args;
        WindowStyle style;
    };
    std::vector<Launch> launches;
    bool succeed = true;

    bool launch(const std::string& program, const std::vector<std::string>& args, WindowStyle style) override;
};

class RecordingHelp final : public HelpViewer {
  public:
    std::vector<int> commands;  // 3 index, 1 topic, 2 close
    std::vector<int> topics;

    void show_index() override { commands.push_back(3); }
    void show_topic(int topic) override {
        commands.push_back(1);
        topics.push_back(topic);
    }
    void close() override { commands.push_back(2); }
};

class RecordingPrinter final : public Printer {
  public:
    std::vector<PrintJob> jobs;
    PrintOutcome outcome = PrintOutcome::printed;  // what the next jobs end in
    PrintOutcome print(const PrintJob& job) override {
        jobs.push_back(job);
        return outcome;
    }
};

// The default browser's command as a test sets it.
class FakeKeys final : public KeyValueSource {
  public:
    std::map<std::string, std::string, std::less<>> values;
    mutable std::vector<std::string> asked;
    bool read_value(std::string_view key, std::string_view sub_key, std::string& found) const override;
};

// A run of the program in a temporary directory: settings at their defaults, a small airport table,
// today 2004/01/07 (a Wednesday), every service a recording double.
class TestApp {
  public:
    TestApp();
    TestApp(const TestApp&) = delete;
    TestApp& operator=(const TestApp&) = delete;

    std::filesystem::path dir() const;
    // Creates an executable file (and its directories) under the temporary directory.
    std::filesystem::path make_program(const std::string& relative_path);

    QTemporaryDir temp;
    AppState app;
    ScriptedMessageBoxes boxes;
    RecordingLauncher launcher;
    RecordingHelp help;
    RecordingPrinter printer;
    FixedClock clock;
    FakeKeys keys;
    Services services;
};

// The airports of TestApp's timetable.
inline const std::vector<std::string> test_airports = {"東京／羽田", "大阪／伊丹", "福岡", "札幌／千歳",
                                                       "那覇"};

// Runs `act` on the next modal window as soon as it is shown (a window's own exec() would
// otherwise wait for a user). Gives up silently after a few seconds, so a missing window makes
// the test's own checks fail instead of hanging it.
void when_modal(std::function<void(QWidget* modal)> act);

// Presses a key in a widget as the user would.
void press(QWidget* widget, int key);
// Replaces a field's text and presses Enter in it.
void type_and_enter(QWidget* line_edit, const QString& text);

}  // namespace quorvel::test
