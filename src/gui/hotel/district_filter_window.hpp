// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace quorvel {

struct AppState;
class WindowLifecycle;

// The district refinement of the hotel list: from the districts of the last search the user moves
// some into the chosen list. 了解 stores them as the refinement of the hotel search state (none
// chosen: no refinement); ｷｬﾝｾﾙ leaves it as it was. Either way finished() asks for the list again.
// Modeless; it deletes itself when it closes.
class DistrictFilterWindow final : public QDialog {
    Q_OBJECT
  public:
    DistrictFilterWindow(AppState& app, QWidget* parent);
    ~DistrictFilterWindow() override;
    DistrictFilterWindow(const DistrictFilterWindow&) = delete;
    DistrictFilterWindow& operator=(const DistrictFilterWindow&) = delete;

    QListWidget* district_list = nullptr;      // ホテル地区名: not chosen
    QListWidget* chosen_list = nullptr;        // 選択地区名
    QPushButton* choose_button = nullptr;      // 選択>
    QPushButton* choose_all_button = nullptr;  // 全選択>>
    QPushButton* remove_button = nullptr;      // <取消
    QPushButton* remove_all_button = nullptr;  // <<全取消
    QPushButton* ok_button = nullptr;          // 了解
    QPushButton* cancel_button = nullptr;      // ｷｬﾝｾﾙ

    void reject() override;  // ｷｬﾝｾﾙ and the close button

  signals:
    void finished_refining(bool accepted);

  private:
    void build();
    void move_items(QListWidget* from, QListWidget* to, bool all);
    void update_buttons();
    void finish(bool accepted);

    AppState& app_;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
