// SPDX-License-Identifier: GPL-3.0-or-later
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
class WindowLifecycle;

// The settings dialog: result order, hotel limit and detail window, and the browser's re-registration.
class SettingsDialog final : public QDialog {
    Q_OBJECT
  public:
    SettingsDialog(AppState& app, Services& services, QWidget* parent = nullptr);

    QTabWidget* tabs = nullptr;
    QRadioButton* order_by_departure = nullptr;  // 出発時刻順
    QRadioButton* order_by_arrival = nullptr;    // 到着時刻順
    QRadioButton* order_by_duration = nullptr;   // 所要時間順
    QRadioButton* show_hotel_details = nullptr;  // 表示する
    QRadioButton* hide_hotel_details = nullptr;  // 表示しない
    QLineEdit* hotel_limit = nullptr;            // ホテル上限件数
    QLabel* browser_label = nullptr;
    QPushButton* close_button = nullptr;               // 終了
    QPushButton* reregister_browser_button = nullptr;  // ブラウザの再登録

    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    void set_title_and_position();
    void option_chosen();
    void check_hotel_limit();
    void reregister_browser();
    void finish();

    AppState& app_;
    Services& services_;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
