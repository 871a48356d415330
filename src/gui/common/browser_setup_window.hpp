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
class BrowserSearch;

// The browser set-up window: the user picks a browser family (or none) and the program searches
// the file system for its program file.
class BrowserSetupWindow final : public QDialog {
    Q_OBJECT
  public:
    BrowserSetupWindow(AppState& app, Services& services, QWidget* parent = nullptr);
    ~BrowserSetupWindow() override;

    QLabel* Label1 = nullptr;  // instructions, two lines
    QLabel* Label2 = nullptr;  // "検索中..." while searching
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QLineEdit* Text1 = nullptr;       // the file being looked at
    QPushButton* Command1 = nullptr;  // 終了
    QPushButton* Command2 = nullptr;  // 検索開始

    void reject() override;  // Escape and the window's close button end it like 終了

  private:
    void init_sec();
    void set_form1();
    void Option_Click(int option);
    void Option3_Click();
    void Command2_Click();
    void show_file(const std::filesystem::path& file);
    void end_proc();

    AppState& app_;
    Services& services_;
    BrowserSearch* search_ = nullptr;  // while a search runs
    qint64 last_repaint_ms_ = -1000;
};

}  // namespace quorvel
