#pragma once

#include <QWidget>

class QPushButton;
class QTableWidget;

namespace quorvel {

struct AppState;
struct Services;
class WindowLifecycle;

// The registry of the user's own hotels: lists them, adds, changes and deletes them through the
// edit window, and keeps them in hotelusr.csv. It deletes itself when it closes.
class UserHotelListWindow final : public QWidget {
    Q_OBJECT
  public:
    UserHotelListWindow(AppState& app, Services& services, QWidget* parent);
    ~UserHotelListWindow() override;
    UserHotelListWindow(const UserHotelListWindow&) = delete;
    UserHotelListWindow& operator=(const UserHotelListWindow&) = delete;

    // The program is ending while the registry is open: the changes are kept as closing keeps them.
    void end_of_program();

    QTableWidget* grid = nullptr;
    QPushButton* save_button = nullptr;     // 登録終了
    QPushButton* add_button = nullptr;      // 追加
    QPushButton* change_button = nullptr;   // 修正
    QPushButton* delete_button = nullptr;   // 削除
    QPushButton* discard_button = nullptr;  // 取消終了

  private:
    AppState& app_;
    Services& services_;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
