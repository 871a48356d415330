// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>

#include <QMainWindow>

#include "config/sites.hpp"
#include "pickers/airport_list.hpp"
#include "search/conditions.hpp"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace quorvel {

struct AppState;
struct Services;
class MainWindow;
class ResultWindow;
class WindowLifecycle;

// The windows the main window opens that belong to other parts of the program. Each is plugged in
// when its window exists; a menu item or button whose window is missing stays disabled.
struct MainWindowHooks {
    // The result window, after a passed full check (app.cond holds the conditions, for_seat_enquiry
    // says which search). The hook attaches it with MainWindow::attach_result_window().
    std::function<void(MainWindow&)> open_results;
    // Hotel windows, each after loading the hotel data; the browser is already set up for the
    // first and the last.
    std::function<void(MainWindow&)> open_hotel_vacancy;   // VacancyEnquiryWindow
    std::function<void(MainWindow&)> open_hotel_registry;  // UserHotelListWindow
    std::function<void(MainWindow&)> open_hotel_search;    // HotelSearchWindow
    // The program is about to end: the other windows keep what must be kept.
    std::function<void(MainWindow&)> program_ending;
};

// The four fields of a time window: "hh 時 mm 分 ～ hh 時 mm 分".
struct TimeWindowFields {
    QLineEdit *from_hour = nullptr, *from_minute = nullptr, *to_hour = nullptr, *to_minute = nullptr;
};

// The main window with the flight search form.
class MainWindow final : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(AppState& app, Services& services, MainWindowHooks hooks = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The form's controls.
    QLineEdit *from_airport = nullptr, *to_airport = nullptr;
    TimeWindowFields departure, arrival;
    QLineEdit* max_wait = nullptr;
    QLineEdit* message_line = nullptr;  // the checks' messages
    QLineEdit *travel_year = nullptr, *travel_month = nullptr, *travel_day = nullptr;
    QLabel* travel_weekday = nullptr;
    QRadioButton *connections_none = nullptr, *connections_one = nullptr, *connections_two = nullptr;
    QRadioButton *first_per_flight = nullptr, *all_per_flight = nullptr;
    QPushButton *search_button = nullptr, *quit_button = nullptr, *calendar_button = nullptr,
                *seat_enquiry_button = nullptr;
    QMenu *file_menu = nullptr, *enquiry_menu = nullptr, *edit_menu = nullptr, *view_menu = nullptr,
          *help_menu = nullptr, *web_pages_menu = nullptr;
    QAction *quit_action = nullptr, *seat_enquiry_action = nullptr, *vacancy_enquiry_action = nullptr,
            *settings_action = nullptr, *hotel_registry_action = nullptr, *calendar_action = nullptr,
            *hotel_search_action = nullptr, *help_topics_action = nullptr, *home_page_action = nullptr,
            *timetable_page_action = nullptr, *shinkansen_page_action = nullptr,
            *business_hotels_page_action = nullptr, *download_page_action = nullptr, *about_action = nullptr;

    // The text field of a form field (none for Field::search_button).
    QLineEdit* field(Field f) const;

    // Fills the form from the settings' last search and today's date.
    void fill_form_from_last_search();
    // The search form as the user left it, and back.
    SearchForm read_form() const;
    void show_form(const SearchForm& form);
    CheckSettings check_settings() const;

    // Runs the full check (with the connection question); true when the search may start.
    bool check_search_form();
    // Follows a result window that this window's open_results hook made: its closing lets the
    // form search again, an end of the program asked for during its search ends the program.
    void attach_result_window(ResultWindow& results);
    void result_window_closed();
    // Saves the settings and the run's values, removes the generated pages and closes.
    void end_program();
    bool ended() const;

    // Plugs in a window of later work and enables what opens it.
    void set_hooks(MainWindowHooks hooks);

  signals:
    void program_ended();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_form();
    QGroupBox* build_route_side(QWidget* parent, int x, bool departure_side);
    void build_connection_conditions(QWidget* parent);
    void build_travel_date(QWidget* parent);
    void set_focus_order();
    void build_menus();
    void connect_menus();
    bool search_possible() const;
    void update_enabled();
    void open_result_window();
    void field_enter(Field field);
    void focus_field(Field field);
    void start_search();
    void start_seat_enquiry();
    void open_web_page(Site site);
    void open_airport_picker(AirportField field);
    void open_calendar();
    void airport_chosen(AirportField field, const QString& name);
    void travel_date_chosen(const QString& year, const QString& month, const QString& day,
                            const QString& weekday);
    void open_hotel(const std::function<void(MainWindow&)>& hook, bool needs_browser);

    AppState& app_;
    Services& services_;
    MainWindowHooks hooks_;
    bool result_window_open_ = false;
    WindowLifecycle* lifecycle_;
    std::array<QLineEdit*, static_cast<std::size_t>(Field::search_button)> fields_{};
};

}  // namespace quorvel
