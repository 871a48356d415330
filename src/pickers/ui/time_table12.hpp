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
class time_table1;

// The calendar: one month of day buttons; a click on a day makes it the travel date of the main
// window's search form. Modeless; it deletes itself when it closes.
class time_table12 final : public QDialog {
    Q_OBJECT
  public:
    time_table12(AppState& app, time_table1& main_window);
    ~time_table12() override;
    time_table12(const time_table12&) = delete;
    time_table12& operator=(const time_table12&) = delete;

    // Shows the calendar, or brings forward the one already open.
    static time_table12* open(AppState& app, time_table1& main_window);

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
    time_table1& main_;
    int today_year_ = 0;
    int today_month_ = 0;
    CalendarMonth cal_;
    std::array<int, 43> button_day_{};
    bool ended_ = false;
};

}  // namespace quorvel
