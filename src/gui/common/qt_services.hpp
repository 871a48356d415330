// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <filesystem>
#include <memory>

#include "gui/common/services.hpp"

class QPrinter;
class QWidget;

namespace quorvel {

// The program's message boxes: Japanese standard buttons (from Qt's translation), and a Help button
// that opens the help file at the question's topic without closing the question.
class QtMessageBoxes final : public MessageBoxes {
  public:
    explicit QtMessageBoxes(HelpViewer& help) : help_(help) {}
    MessageAnswer ask(const Question& question) override;

  private:
    HelpViewer& help_;
};

class QtBrowserLauncher final : public BrowserLauncher {
  public:
    bool launch(const std::string& program, const std::vector<std::string>& args, WindowStyle style) override;
};

// Shows the help file (one HTML page, an anchor per topic: "index", "t217" …) in a window of its own.
class HelpWindow final : public HelpViewer {
  public:
    explicit HelpWindow(std::filesystem::path help_file) : file_(std::move(help_file)) {}
    ~HelpWindow() override;
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    void show_index() override;
    void show_topic(int topic) override;
    void close() override;

    QTextBrowser* browser() const { return browser_; }

  private:
    void open_at(const QString& anchor);
    std::filesystem::path file_;
    QPointer<QTextBrowser> browser_;
};

// Prints the lines of a job on a printer that is set up already, in the job's point size of the
// Japanese monospace font, continuing on further pages; false when the printer refused.
bool print_lines(QPrinter& printer, const PrintJob& job);

// The system's printer, after the print dialog (which also offers printing to a PDF file).
class QtPrinter final : public Printer {
  public:
    PrintOutcome print(const PrintJob& job) override;
};

// Prints straight into a PDF file without asking; each job replaces the file.
class PdfPrinter final : public Printer {
  public:
    explicit PdfPrinter(std::filesystem::path file) : file_(std::move(file)) {}
    PrintOutcome print(const PrintJob& job) override;
    int jobs() const { return jobs_; }

  private:
    std::filesystem::path file_;
    int jobs_ = 0;
};

// The default web browser's command as the desktop reports it (xdg-settings, else mimeapps.list),
// read from the browser's desktop entry. There is no icon key on this platform.
class XdgKeyValueSource final : public KeyValueSource {
  public:
    bool read_value(std::string_view key, std::string_view sub_key, std::string& found) const override;
};

}  // namespace quorvel
