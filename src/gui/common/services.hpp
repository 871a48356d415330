// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/clock.hpp"
#include "platform/browser_detect.hpp"

namespace quorvel {

// Everything a window does to the world outside it goes through one of these, so a test can
// answer the questions and record what would have been launched, shown or printed.

enum class MessageIcon { information, question, exclamation, critical };
enum class MessageButtons { ok, ok_cancel, yes_no };
enum class MessageAnswer { ok, cancel, yes, no };

struct Question {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::information;
    MessageButtons buttons = MessageButtons::ok;
    int help_topic = 0;  // not 0: a Help button opens the help file at this topic
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer ask(const Question& question) = 0;
};

// How the started browser's window should open: the seat enquiry and the main menu's links want it
// maximised, the hotel windows a normal window.
enum class WindowStyle { maximized, normal };

class BrowserLauncher {
  public:
    virtual ~BrowserLauncher() = default;
    // Starts the program without waiting for it; the arguments are passed as they are, never
    // through a shell. False when the program could not be started.
    virtual bool launch(const std::string& program, const std::vector<std::string>& args,
                        WindowStyle style) = 0;
};

// The help file viewer, with the three commands the windows give it.
class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual void show_index() = 0;           // command 3
    virtual void show_topic(int topic) = 0;  // command 1
    virtual void close() = 0;                // command 2
};

// A printed page of text lines; the result report is the first user.
struct PrintJob {
    std::string title;
    std::vector<std::string> lines;  // tabs allowed; they run to the next eighth column
    double point_size = 9;
};

enum class PrintOutcome { printed, cancelled, failed };

class Printer {
  public:
    virtual ~Printer() = default;
    // Asks for the printer (the print dialog) and prints. A cancelled dialog is the user's choice;
    // a printer that refused is a failure the user must be told of.
    virtual PrintOutcome print(const PrintJob& job) = 0;
};

// The services handed to every window. The program and the tests each own the objects.
struct Services {
    MessageBoxes& boxes;
    BrowserLauncher& launcher;
    HelpViewer& help;
    Printer& printer;
    const Clock& clock;
    const KeyValueSource& keys;                        // the default web browser's command
    std::vector<std::filesystem::path> browser_roots;  // where the browser set-up searches
    std::string path_env;                              // PATH, to complete a bare program name
};

}  // namespace quorvel
