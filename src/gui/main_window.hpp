#pragma once

#include <array>
#include <functional>

#include <QMainWindow>

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

// The windows the main window opens that belong to other parts of the program. Each is plugged in
// when its window exists; a menu item or button whose window is missing stays disabled.
struct MainWindowHooks {
    // The result window, after a passed full check (app.cond holds the conditions, inquiry_mode
    // says which search). The hook attaches it with MainWindow::attach_result_window().
    std::function<void(MainWindow&)> open_results;
    // Hotel windows, each after loading the hotel data; the browser is already set up for the
    // first and the last.
    std::function<void(MainWindow&)> open_hotel_vacancy;   // VacancyEnquiryWindow
    std::function<void(MainWindow&)> open_hotel_registry;  // UserHotelListWindow
    std::function<void(MainWindow&)> open_hotel_search;    // HotelSearchWindow
};

// The main window with the flight search form.
class MainWindow final : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(AppState& app, Services& services, MainWindowHooks hooks = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The form's controls; index n holds Textn (0 and gaps unused).
    std::array<QLineEdit*, 16> Text{};
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text10, *Text11,
        *Text12, *Text13, *Text14, *Text15;
    QRadioButton *Option4, *Option5, *Option6, *Option7, *Option8;
    QLabel* Label21;
    QPushButton *Command1, *Command2, *Command3, *Command4;
    QMenu *menu_1, *manu_2, *menu_3, *menu_4, *menu_5, *menu_53;
    QAction *menu_11, *menu_21, *menu_22, *menu_31, *menu_32, *menu_41, *menu_42, *menu_51, *menu_531,
        *menu_532, *menu_533, *menu_534, *menu_535, *menu_54;

    // Fills the form from the settings' last search and today's date.
    void set_form1();
    // The search form as the user left it, and back.
    SearchForm read_form() const;
    void show_form(const SearchForm& form);
    CheckSettings check_settings() const;

    // Runs the full check (with the connection question); true when the search may start.
    bool check_all();
    // Follows a result window that this window's open_results hook made: its closing lets the
    // form search again, an end of the program asked for during its search ends the program.
    void attach_result_window(ResultWindow& results);
    void result_window_closed();
    // Saves the settings and the run's values, removes the generated pages and closes.
    void end_proc();
    bool ended() const { return ended_; }

    // Plugs in a window of later work and enables what opens it.
    void set_hooks(MainWindowHooks hooks);

  signals:
    void program_ended();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_form();
    void build_menus();
    void update_enabled();
    void field_enter(int field);
    void focus_field(int field);
    void Command1_Click();
    void Command4_Click();
    void open_web_page(int menu_item);
    void open_airport_picker(int picker_mode);
    void open_calendar();
    void airport_chosen(int picker_mode, const QString& name);
    void travel_date_chosen(const QString& year, const QString& month, const QString& day,
                            const QString& weekday);
    void open_hotel(const std::function<void(MainWindow&)>& hook, bool needs_browser);

    AppState& app_;
    Services& services_;
    MainWindowHooks hooks_;
    bool result_window_open_ = false;
    bool ended_ = false;
};

}  // namespace quorvel
