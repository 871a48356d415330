// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "fares/fare_sheet.hpp"

class QLabel;
class QPushButton;
class QTableWidget;

namespace quorvel {

struct AppState;
struct Services;
class WindowLifecycle;

// The itinerary fare sheet: the fares of each leg side by side, one row per fare kind. It shows
// what fare_sheet_view computed; a double click on a fare opens that fare's help topic.
class FareSheetWindow final : public QWidget {
    Q_OBJECT
  public:
    // A top-level window that belongs to the result window.
    FareSheetWindow(AppState& app, Services& services, FareSheetView view, QWidget* result_window);
    ~FareSheetWindow() override;
    FareSheetWindow(const FareSheetWindow&) = delete;
    FareSheetWindow& operator=(const FareSheetWindow&) = delete;

    QPushButton* caption_bar = nullptr;  // the header: route, date, season
    QTableWidget* grid = nullptr;
    QLabel* hint_label = nullptr;
    QPushButton* close_button = nullptr;  // 終了

    // Double click on grid row r, column k (the heading row is 0).
    void show_cell_help(int r, int k);
    void finish();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    AppState& app_;
    Services& services_;
    FareSheetView view_;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
