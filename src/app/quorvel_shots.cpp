// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every window of the program with the sample data into PNG files, for the README and for
// looking at the layout without a display: quorvel-shots [output directory]
// Run it with QT_QPA_PLATFORM=offscreen; it reads the data beside itself, like the program.
#include <cstdio>
#include <filesystem>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextBrowser>

#include "app/startup.hpp"
#include "app/window_wiring.hpp"
#include "config/program_data.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/browser_setup_window.hpp"
#include "gui/common/progress_window.hpp"
#include "gui/common/qt_services.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/fares/fare_sheet_window.hpp"
#include "gui/hotel/area_picker.hpp"
#include "gui/hotel/district_filter_window.hpp"
#include "gui/hotel/hotel_list_window.hpp"
#include "gui/hotel/hotel_search_window.hpp"
#include "gui/hotel/hotel_windows.hpp"
#include "gui/hotel/user_hotel_edit_window.hpp"
#include "gui/hotel/user_hotel_list_window.hpp"
#include "gui/hotel/vacancy_enquiry_window.hpp"
#include "gui/main_window.hpp"
#include "gui/pickers/airport_picker.hpp"
#include "gui/pickers/calendar_window.hpp"
#include "gui/search/result_window.hpp"
#include "gui/settings_dialog.hpp"
#include "gui/splash_screen.hpp"
#include "gui/version_window.hpp"
#include "hotel/hotel_reader.hpp"

namespace {

using namespace quorvel;

// Nothing is asked, launched or printed while pictures are taken.
class Silent final : public MessageBoxes, public BrowserLauncher, public Printer, public KeyValueSource {
  public:
    MessageAnswer ask(const Question&) override { return MessageAnswer::cancel; }
    bool launch(const std::string&, const std::vector<std::string>&, WindowStyle) override { return true; }
    PrintOutcome print(const PrintJob&) override { return PrintOutcome::cancelled; }
    bool read_value(std::string_view, std::string_view, std::string& v) const override {
        v.clear();
        return false;
    }
};

void save(QWidget& w, const QDir& dir, const char* name) {
    w.show();
    QApplication::processEvents();
    const QString file = dir.filePath(QString::fromUtf8(name) + ".png");
    if (!w.grab().save(file)) std::fprintf(stderr, "quorvel-shots: cannot write %s\n", qPrintable(file));
    w.hide();
}

// Every menu of the main window as it opens, its submenus too.
void save_menus(QMainWindow& window, const QDir& dir) {
    window.show();
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
        if (menu->objectName().isEmpty()) continue;  // Qt's own, not one of the program's
        menu->popup(window.mapToGlobal(QPoint(0, 0)));
        QApplication::processEvents();
        const QString file = dir.filePath(QStringLiteral("menu_") + menu->objectName() + ".png");
        if (!menu->grab().save(file))
            std::fprintf(stderr, "quorvel-shots: cannot write %s\n", qPrintable(file));
        menu->hide();
    }
    window.hide();
}

// The run's state on the data beside the program; a sample search when the settings hold none.
bool load_sample_state(AppState& app) {
    const std::filesystem::path app_dir = QCoreApplication::applicationDirPath().toStdString();
    // Pictures must not touch the settings beside the program: the user files go to a scratch place.
    app.paths = {app_dir, std::filesystem::temp_directory_path() / "quorvel-shots"};
    app.today = SystemClock().today();
    ProgramData data = load_program_data(app_dir / ini_file_name, app_dir, app.today);
    if (data.timetable_error) {
        std::fprintf(stderr, "quorvel-shots: %s\n", data.timetable_error->message.c_str());
        return false;
    }
    app.settings = std::move(data.settings);
    app.sites = std::move(data.sites);
    app.timetable = std::move(data.timetable);
    if (app.settings.from_airport.empty()) {
        app.settings.from_airport = "東京／羽田";
        app.settings.to_airport = "福岡";
        app.settings.departure_from = 700;
        app.settings.departure_to = 1200;
        app.settings.arrival_from = 800;
        app.settings.arrival_to = 2359;
        app.settings.max_wait = 60;
    }
    return true;
}

// The search form, its menus, a refused airport, the airport picker and the calendar.
void shoot_search_form(AppState& app, MainWindow& main_window, const QDir& out) {
    save(main_window, out, "main_window");
    save_menus(main_window, out);
    main_window.show();
    main_window.from_airport->setText(QStringLiteral("東京駅"));
    main_window.from_airport->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(main_window.from_airport, &enter);
    std::printf("message line: %s\n", qPrintable(main_window.message_line->text()));
    save(main_window, out, "main_window_message");

    // The refused airport opened the picker; a fresh one shows the remembered region.
    for (auto* open_picker : main_window.findChildren<AirportPicker*>()) open_picker->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app.settings.option_flags[9] = 4;
    auto* picker = AirportPicker::open(app, main_window, AirportField::departure);
    save(*picker, out, "airport_picker");
    picker->region_buttons[10]->click();
    picker->airport_list->setCurrentRow(2);
    save(*picker, out, "airport_picker_all");
    picker->set_field(AirportField::arrival);
    picker->region_buttons[8]->click();
    save(*picker, out, "airport_picker_arrival");
    picker->close();

    auto* calendar = CalendarWindow::open(app, main_window);
    save(*calendar, out, "calendar_window");
    calendar->set_months_ahead(13);
    save(*calendar, out, "calendar_window_later");
    calendar->close();
}

// Result lists of searches with two, one and no connections, and fare sheets of their first rows.
void shoot_results(AppState& app, Services& services, MainWindow& main_window, const QDir& out) {
    const auto search = [&](const char* from, const char* to, int connection_count, int st1, int st2) {
        SearchConditions& c = app.cond;
        c.from_airport = from;
        c.to_airport = to;
        c.departure_from = st1;
        c.departure_to = st2;
        c.arrival_from = 600;
        c.arrival_to = 2359;
        c.max_wait = 60;
        c.connection_count = connection_count;
        c.one_result_per_flight = 0;
        c.result_order = 3;
        c.for_seat_enquiry = 0;
        c.travel_date = app.today + 14;
        const CivilDate d = civil_date(c.travel_date);
        c.travel_year = d.year;
        c.travel_month = d.month;
        c.travel_day = d.day;
        c.travel_weekday = weekday(c.travel_date);
        auto* results = new ResultWindow(app, services, main_window);
        results->run_search();
        return results;
    };
    ResultWindow* two = search("釧路", "宮古", 2, 600, 1700);
    two->resize(two->sizeHint().width(), 520);
    save(*two, out, "result_window");
    two->open_fare_sheet(1);
    if (auto* sheet = two->findChild<FareSheetWindow*>()) save(*sheet, out, "fare_sheet_window");
    ResultWindow* one = search("札幌", "鹿児島", 1, 700, 1200);
    one->open_fare_sheet(1);
    if (auto* sheet = one->findChild<FareSheetWindow*>())
        save(*sheet, out, "fare_sheet_window_one_connection");
    ResultWindow* direct = search("東京／羽田", "福岡", 0, 700, 2100);
    save(*direct, out, "result_window_direct");
}

// The version window, the settings dialog, the browser set-up, a question and the help window.
void shoot_dialogs(AppState& app, Services& services, HelpWindow& help, const QDir& out) {
    VersionWindow version(app);
    save(version, out, "version_window");

    SettingsDialog settings_dialog(app, services);
    save(settings_dialog, out, "settings_dialog");
    settings_dialog.tabs->setCurrentIndex(1);
    save(settings_dialog, out, "settings_dialog_browser");

    BrowserSetupWindow setup(app, services);
    save(setup, out, "browser_setup_window");
    setup.firefox_choice->click();
    save(setup, out, "browser_setup_window_chosen");

    QMessageBox question(QMessageBox::Question, QStringLiteral("問い合わせメッセージ"),
                         QStringLiteral("ブラウザ環境が登録されていません。いま登録しますか。"),
                         QMessageBox::Yes | QMessageBox::No);
    question.addButton(QMessageBox::Help);
    save(question, out, "question");

    help.show_topic(217);
    if (help.browser()) save(*help.browser(), out, "help");
}

// The hotel directory's windows on the sample hotels.
void shoot_hotels(AppState& app, Services& services, MainWindow& main_window, const QDir& out) {
    HotelData& data = *app.hotel.data;
    (void)load_hotel_data_file(app.paths.data(hotel_file_name), data);
    (void)load_user_hotel_file(app.paths.data(user_hotel_file_name), data);
    data.hotel_loaded = 1;
    app.settings.browser = {BrowserKind::firefox_family, "firefox", 0};
    HotelWindows& windows = HotelWindows::of(app, services, main_window);

    windows.open_search();
    HotelSearchWindow& search = *windows.search_window();
    search.kind_buttons[kind_pref]->click();
    search.key_field->setText(QStringLiteral("福岡県"));
    save(search, out, "hotel_search_window");
    search.show();
    AreaPicker* prefectures = AreaPicker::open(app, search, AreaPickerMode::prefecture);
    save(*prefectures, out, "area_picker_prefectures");
    prefectures->reject();
    AreaPicker* airports = AreaPicker::open(app, search, AreaPickerMode::airport);
    airports->area_buttons[8]->click();
    save(*airports, out, "area_picker_airports");
    airports->reject();
    search.show();
    search.start_button->click();
    HotelListWindow* list = windows.list_window();
    if (list == nullptr) return;
    save(*list, out, "hotel_list_window");
    list->show();
    const auto& hits = app.hotel.hits.hotel_hit_list;
    for (int row = 0; row < static_cast<int>(hits.size()); ++row) {
        if (!hotel_has_link(data, hits[static_cast<std::size_t>(row)])) continue;
        list->grid->selectRow(row);
        emit list->grid->clicked(list->grid->model()->index(row, 1));
        break;
    }
    if (list->detail_window() != nullptr) save(*list->detail_window(), out, "hotel_detail_window");

    windows.refine_districts();
    if (DistrictFilterWindow* filter = windows.district_filter_window()) {
        filter->district_list->item(1)->setSelected(true);
        filter->district_list->item(3)->setSelected(true);
        filter->choose_button->click();
        save(*filter, out, "district_filter_window");
        filter->cancel_button->click();
    }
    windows.open_vacancy_list();
    if (VacancyEnquiryWindow* vacancy = windows.vacancy_window())
        save(*vacancy, out, "vacancy_enquiry_window");

    windows.open_registry();
    if (UserHotelListWindow* registry = windows.registry_window()) {
        save(*registry, out, "user_hotel_list_window");
        registry->show();
        registry->grid->selectRow(0);
        registry->change_button->setEnabled(true);
        registry->change_button->click();
        if (UserHotelEditWindow* edit = registry->edit_window()) save(*edit, out, "user_hotel_edit_window");
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    install_japanese(application);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots"));
    QDir().mkpath(out.path());

    AppState app;
    if (!load_sample_state(app)) return 1;
    Silent silent;
    HelpWindow help(app.help_file());
    SystemClock clock;
    Services services{silent, silent, help, silent, clock, silent, {}, ""};

    SplashScreen splash(app.identity);
    save(splash, out, "splash_screen");
    ProgressWindow progress(app);
    progress.set_range(0, 10);
    progress.set_value(6);
    save(progress, out, "progress_window");

    MainWindow main_window(app, services, program_hooks(app, services));
    shoot_search_form(app, main_window, out);
    shoot_results(app, services, main_window, out);
    shoot_dialogs(app, services, help, out);
    shoot_hotels(app, services, main_window, out);
    std::printf("%s\n", qPrintable(out.absolutePath()));
    return 0;
}
