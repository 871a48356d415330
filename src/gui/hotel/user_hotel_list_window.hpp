// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "hotel/hotel_user.hpp"

class QPushButton;
class QTableWidget;

namespace quorvel {

struct AppState;
struct Services;
class WindowLifecycle;
class UserHotelEditWindow;
enum class UserHotelEditMode;

// The registry of the user's own hotels: lists them, adds, changes and deletes them through the
// edit window, and keeps them in hotelusr.csv. 登録終了, Escape and the close button write the file
// when something changed; 取消終了 puts back the hotels as they were when it opened. A file that
// could not be read whole is never written: the registry then only shows it. It deletes itself
// when it closes.
class UserHotelListWindow final : public QWidget {
    Q_OBJECT
  public:
    UserHotelListWindow(AppState& app, Services& services, QWidget* parent);
    ~UserHotelListWindow() override;
    UserHotelListWindow(const UserHotelListWindow&) = delete;
    UserHotelListWindow& operator=(const UserHotelListWindow&) = delete;

    // The program is ending while the registry is open: the changes are kept as closing keeps them,
    // and a write that fails may be tried again.
    void end_of_program();

    // The edit window while a hotel is being added or changed, else null.
    UserHotelEditWindow* edit_window() const;

    QTableWidget* grid = nullptr;
    QPushButton* save_button = nullptr;     // 登録終了
    QPushButton* add_button = nullptr;      // 追加
    QPushButton* change_button = nullptr;   // 修正
    QPushButton* delete_button = nullptr;   // 削除
    QPushButton* discard_button = nullptr;  // 取消終了

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class Ending { save, discard, program_end };

    void build();
    void fill_grid();
    void fit_columns();
    void set_commands();
    int selected_row() const;
    void sort_by_column(int column);
    void open_editor(UserHotelEditMode mode);
    void hotel_stored(int hotel, bool added);
    void delete_selected();
    bool editable() const;
    void end_registry(Ending how);

    AppState& app_;
    Services& services_;
    WindowLifecycle* lifecycle_;
    std::vector<int> order_;  // the user hotel of each grid row, rows 1.. (index 0 unused)
    std::string sort_key_;    // empty until the user sorts
    UserHotelTables opened_;  // the user tables as they were at opening, for 取消終了
    bool changed_ = false;
    QPointer<UserHotelEditWindow> edit_;
};

// The program is ending with changes to the user's hotels that a registry could not write: writes
// them, asking whether to try again while the write fails.
void save_unsaved_user_hotels(AppState& app, Services& services);

}  // namespace quorvel
