#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace quorvel {

struct AppState;
struct Services;

// The settings dialog: result order, hotel limit and detail window, and the browser's re-registration.
class SettingsDialog final : public QDialog {
    Q_OBJECT
  public:
    SettingsDialog(AppState& app, Services& services, QWidget* parent = nullptr);

    QTabWidget* SSTab1 = nullptr;
    QRadioButton* Option1 = nullptr;  // 出発時刻順
    QRadioButton* Option2 = nullptr;  // 到着時刻順
    QRadioButton* Option3 = nullptr;  // 所要時間順
    QRadioButton* Option4 = nullptr;  // 表示する
    QRadioButton* Option5 = nullptr;  // 表示しない
    QLineEdit* Text1 = nullptr;       // ホテル上限件数
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;  // 終了
    QPushButton* Command2 = nullptr;  // ブラウザの再登録

    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void init_set();
    void set_form1();
    void Option_Click();
    void Text1_Enter();
    void Command2_Click();
    void end_proc();

    AppState& app_;
    Services& services_;
};

}  // namespace quorvel
