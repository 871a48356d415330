// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QPointer>
#include <QWidget>

#include "gui/hotel/hotel_detail_window.hpp"

class QLabel;
class QPushButton;
class QTableView;

namespace quorvel {

struct AppState;
struct Services;
class WindowLifecycle;
class HotelGridModel;

// The hits of the hotel search in a seven-column grid: re-sorted by a double click on a heading,
// refined by district, and the selected hotel's pages opened in the browser. Clicking a hotel also
// shows it in the detail window, which closes with the list. It deletes itself when it closes.
class HotelListWindow final : public QWidget {
    Q_OBJECT
  public:
    HotelListWindow(AppState& app, Services& services, QWidget* parent);
    ~HotelListWindow() override;
    HotelListWindow(const HotelListWindow&) = delete;
    HotelListWindow& operator=(const HotelListWindow&) = delete;

    // Searches with the hotel search state and fills the grid, the refinement kept as the state
    // holds it. Nothing found: "ホテルデータなし", the list closes and the result is false.
    bool run_search();
    // Orders the hits by a key of the sort table and fills the grid again.
    void sort_by(const std::string& sort_key);

    QTableView* grid = nullptr;
    QPushButton* title_line = nullptr;      // the search and its count
    QPushButton* end_button = nullptr;      // 終了
    QPushButton* refine_button = nullptr;   // 地区の絞り込み
    QPushButton* info_button = nullptr;     // ホテル情報
    QPushButton* reserve_button = nullptr;  // ホテル予約
    QLabel* notice = nullptr;
    QLabel* colour_sample = nullptr;
    QLabel* colour_legend = nullptr;

    HotelDetailWindow* detail_window() const { return detail_; }
    int current_hotel() const { return current_hotel_; }

  signals:
    void refine_requested();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void fill_grid();
    void heading_double_clicked(int column);
    void hotel_clicked(int row);
    void open_pages(bool reserve);
    void end_window();
    void keep_sizes();

    AppState& app_;
    Services& services_;
    WindowLifecycle* lifecycle_;
    HotelGridModel* model_ = nullptr;
    QPointer<HotelDetailWindow> detail_;
    int current_hotel_ = 0;
    bool sorting_ = false;
    QSize reference_size_;
};

}  // namespace quorvel
