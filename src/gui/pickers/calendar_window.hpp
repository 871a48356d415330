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

    QLineEdit* Text1 = nullptr;      // year/month, e.g. 2004/1
    QScrollBar* VScroll1 = nullptr;  // the current month and the 59 following
    // Command[n] holds Commandn: 1..42 the day buttons row by row, Sunday first; 43 is 終了.
    std::array<QPushButton*, 44> Command{};
    QPushButton* Command43 = nullptr;
    // Label[n] holds Labeln, the weekday captions Sun..Sat.
    std::array<QLabel*, 8> Label{};

    // The bar's position as months from this one, 1..60: 1 at the bottom, 60 at the top.
    int VScroll1_value() const;
    void set_VScroll1_value(int v);

    void reject() override;  // Escape and the close button end it like 終了

  signals:
    // A day was clicked: the new travel date (already in the run's conditions) as the search form
    // shows it.
    void date_chosen(const QString& year, const QString& month, const QString& day, const QString& weekday);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void init_set();
    void set_form1();
    void set_calendar();
    void set_return(int n);
    void VScroll1_Change(int v);
    void Text1_KeyPress_enter();
    void end_proc();

    AppState& app_;
    int today_year_ = 0;
    int today_month_ = 0;
    CalendarMonth cal_;
    std::array<int, 43> button_day_{};
    bool ended_ = false;
};

}  // namespace quorvel
