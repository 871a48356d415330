// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <vector>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quorvel {

struct AppState;
struct Services;
class WindowLifecycle;
class BrowserSearch;

// The browser set-up window: the user picks a browser family (or none) and the program searches
// the file system for its program file.
class BrowserSetupWindow final : public QDialog {
    Q_OBJECT
  public:
    BrowserSetupWindow(AppState& app, Services& services, QWidget* parent = nullptr);
    ~BrowserSetupWindow() override;

    QLabel* instructions = nullptr;     // instructions, two lines
    QLabel* searching_label = nullptr;  // "検索中..." while searching
    QRadioButton* chromium_choice = nullptr;
    QRadioButton* firefox_choice = nullptr;
    QRadioButton* no_browser_choice = nullptr;
    QLineEdit* current_file = nullptr;     // the file being looked at
    QPushButton* close_button = nullptr;   // 終了
    QPushButton* search_button = nullptr;  // 検索開始

    void reject() override;  // Escape and the window's close button end it like 終了

  private:
    void build();
    void set_title_and_position();
    void choice_clicked(int option);
    void no_browser_chosen();
    void search_for_browser();
    void show_file(const std::filesystem::path& file);
    void finish();

    AppState& app_;
    Services& services_;
    BrowserSearch* search_ = nullptr;  // while a search runs
    qint64 last_repaint_ms_ = -1000;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
