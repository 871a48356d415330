// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QDialog>

#include "pickers/calendar_layout.hpp"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace quorvel {

struct AppState;
class WindowLifecycle;

// The calendar: one month of day buttons; a click on a day makes it the travel date of the search
// and reports it to the window that opened the calendar. Modeless; it deletes itself when it closes.
class CalendarWindow final : public QDialog {
    Q_OBJECT
  public:
    CalendarWindow(AppState& app, QWidget& owner);
    ~CalendarWindow() override;
    CalendarWindow(const CalendarWindow&) = delete;
    CalendarWindow& operator=(const CalendarWindow&) = delete;

    // Shows the calendar, or brings forward the one already open.
    static CalendarWindow* open(AppState& app, QWidget& owner);

    QLineEdit* month_field = nullptr;    // year/month, e.g. 2004/1
    QScrollBar* month_scroll = nullptr;  // the current month and the 59 following
    // 1..42 the day buttons row by row, Sunday first; 43 is 終了 (close_button).
    std::array<QPushButton*, 44> day_buttons{};
    QPushButton* close_button = nullptr;
    // 1..7 the weekday captions Sun..Sat.
    std::array<QLabel*, 8> weekday_labels{};

    // The bar's position as months from this one, 1..60: 1 at the bottom, 60 at the top.
    int months_ahead() const;
    void set_months_ahead(int v);

    void reject() override;  // Escape and the close button end it like 終了

  signals:
    // A day was clicked: the new travel date (already in the run's conditions) as the search form
    // shows it.
    void date_chosen(const QString& year, const QString& month, const QString& day, const QString& weekday);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    void set_title_and_position();
    void show_month();
    void choose_day(int n);
    void scroll_to_month(int v);
    void enter_month();
    void finish();

    AppState& app_;
    int today_year_ = 0;
    int today_month_ = 0;
    CalendarMonth cal_;
    std::array<int, 43> button_day_{};
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
