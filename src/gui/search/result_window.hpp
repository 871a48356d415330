// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QWidget>

#include "search/flight_search.hpp"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quorvel {

struct AppState;
struct Services;
class WindowLifecycle;
class ResultWindow;

// What the result window hands on to windows of other parts of the program; a missing one makes
// its button stop after the browser check.
struct ResultWindowHooks {
    std::function<void(ResultWindow&)> open_hotel_search;  // HotelSearchWindow, after loading the hotel data
    // Writes the seat-enquiry pages for the listed direct flights and opens them in the browser.
    std::function<void(ResultWindow&)> seat_inquiry;
};

// The result window: runs the search while it loads, lists the itineraries, prints them, opens the
// fare sheet of a row and hands on to the hotel search and the seat enquiry.
class ResultWindow final : public QWidget {
    Q_OBJECT
  public:
    // A top-level window that belongs to its owner (it goes when the owner goes). It searches with
    // the run's conditions as they are when it is made, and keeps them.
    ResultWindow(AppState& app, Services& services, QWidget& owner, ResultWindowHooks hooks = {});
    ~ResultWindow() override;
    ResultWindow(const ResultWindow&) = delete;
    ResultWindow& operator=(const ResultWindow&) = delete;

    // Validates the timetable for the travel date, searches and fills the list, with the progress
    // window up. False when the window has closed itself (a seat enquiry without direct flights,
    // or a seat enquiry handed on); true when it is to be shown.
    bool run_search();

    QPushButton* caption_bar = nullptr;  // the header: route, date, order, validity warning
    QTableWidget* grid = nullptr;
    QLineEdit* no_result_line = nullptr;         // the no-result message
    QPushButton* close_button = nullptr;         // 検索終了
    QPushButton* print_button = nullptr;         // 印刷
    QPushButton* hotel_button = nullptr;         // ﾎﾃﾙ情報
    QPushButton* seat_enquiry_button = nullptr;  // 空席照会

    // The search this list shows; its fare sheets, report and seat enquiry read it.
    const FlightSearchResult& search() const { return search_; }
    // Fills the grid from the listed itineraries of the search.
    void fill_grid();
    // The fare sheet of grid row r (1-based, as the list counts).
    void open_fare_sheet(int r);
    void print_list();
    void finish();

  signals:
    // The list has closed: its owner may search again.
    void closed();
    // The program's end was asked for while the search ran; the list has closed.
    void program_end_requested();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void set_title_and_position();
    void open_hotel_search();
    void start_seat_enquiry();
    void refuse_enquiry();

    AppState& app_;
    Services& services_;
    ResultWindowHooks hooks_;
    FlightSearchResult search_;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
