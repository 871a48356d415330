// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main_window.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "common/day_number.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/browser_use.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/pickers/airport_picker.hpp"
#include "gui/pickers/calendar_window.hpp"
#include "gui/search/result_window.hpp"
#include "gui/settings_dialog.hpp"
#include "gui/version_window.hpp"
#include "platform/paths.hpp"

namespace quorvel {

namespace {

constexpr const char* settings_key = "time_table1";  // its position in the settings file
constexpr int field_height = 22;

QGroupBox* frame(QWidget* parent, const char* name, const char* caption, QRect r) {
    auto* f = new QGroupBox(QString::fromUtf8(caption), parent);
    f->setObjectName(name);
    f->setGeometry(r);
    return f;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    l->setObjectName(name);
    l->setGeometry(x, y, w, field_height);
    return l;
}

QRadioButton* option(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    auto* o = new QRadioButton(QString::fromUtf8(caption), parent);
    o->setObjectName(name);
    o->setGeometry(x, y, std::min(w, o->sizeHint().width()), field_height);
    return o;
}

QLineEdit* make_field(QWidget* parent, const QString& name, int x, int y, int w,
                      Qt::Alignment alignment = Qt::AlignLeft) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setGeometry(x, y, w, field_height);
    if (alignment != Qt::AlignLeft) t->setAlignment(alignment);
    return t;
}

// The fields Enter walks, in its order.
constexpr Field text_fields[] = {
    Field::from_airport,
    Field::departure_from_hour,
    Field::departure_from_minute,
    Field::departure_to_hour,
    Field::departure_to_minute,
    Field::to_airport,
    Field::arrival_from_hour,
    Field::arrival_from_minute,
    Field::arrival_to_hour,
    Field::arrival_to_minute,
    Field::max_wait,
    Field::travel_year,
    Field::travel_month,
    Field::travel_day,
};

QPushButton* button(QWidget* parent, const char* name, const char* caption, int x, int y) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setGeometry(x, y, 120, 32);
    return b;
}

}  // namespace

MainWindow::MainWindow(AppState& app, Services& services, MainWindowHooks hooks, QWidget* parent)
    : QMainWindow(parent),
      app_(app),
      services_(services),
      hooks_(std::move(hooks)),
      lifecycle_(
          new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] { end_program(); })) {
    setObjectName("main_window");
    build_form();
    build_menus();
    connect_menus();
    lifecycle_->watch();
    update_enabled();
    fill_form_from_last_search();
}

MainWindow::~MainWindow() = default;

void MainWindow::build_form() {
    auto* central = new QWidget(this);
    central->setObjectName("central");
    setCentralWidget(central);

    auto* search_frame = frame(central, "search_frame", "航空機の検索", {8, 6, 584, 330});
    build_route_side(search_frame, 8, true);
    build_route_side(search_frame, 294, false);
    build_connection_conditions(search_frame);
    build_travel_date(search_frame);

    message_line = make_field(central, "message_line", 8, 344, 584);
    message_line->setReadOnly(true);
    message_line->setFocusPolicy(Qt::NoFocus);

    search_button = button(central, "search_button", "検索開始", 8, 378);
    seat_enquiry_button = button(central, "seat_enquiry_button", "空席照会", 136, 378);
    calendar_button = button(central, "calendar_button", "ｶﾚﾝﾀﾞｰ", 264, 378);
    quit_button = button(central, "quit_button", "終了", 472, 378);

    // In the order of Field.
    fields_ = {
        from_airport, departure.from_hour, departure.from_minute, departure.to_hour, departure.to_minute,
        to_airport,   arrival.from_hour,   arrival.from_minute,   arrival.to_hour,   arrival.to_minute,
        max_wait,     travel_year,         travel_month,          travel_day};
    for (Field f : text_fields) field(f)->installEventFilter(this);
    for (QWidget* w : std::initializer_list<QWidget*>{connections_none, connections_one, connections_two,
                                                      first_per_flight, all_per_flight, search_button,
                                                      quit_button, calendar_button, seat_enquiry_button})
        w->installEventFilter(this);
    set_focus_order();

    connect(search_button, &QPushButton::clicked, this, &MainWindow::start_search);
    connect(quit_button, &QPushButton::clicked, this, &MainWindow::end_program);
    connect(calendar_button, &QPushButton::clicked, this, &MainWindow::open_calendar);
    connect(seat_enquiry_button, &QPushButton::clicked, this, &MainWindow::start_seat_enquiry);

    central->setFixedSize(600, 420);
}

// Departure or arrival: an airport and a time window "hh 時 mm 分 ～ hh 時 mm 分".
QGroupBox* MainWindow::build_route_side(QWidget* parent, int x, bool departure_side) {
    const QString side = departure_side ? QStringLiteral("departure") : QStringLiteral("arrival");
    QGroupBox* f = frame(parent, departure_side ? "departure_frame" : "arrival_frame",
                         departure_side ? "出発条件" : "到着条件", {x, 20, 282, 96});
    label(f, departure_side ? "departure_airport_label" : "arrival_airport_label",
          departure_side ? "出発地" : "到着地", 10, 26, 64);
    QLineEdit* airport = make_field(f, side + "_airport", 78, 26, 186);
    (departure_side ? from_airport : to_airport) = airport;
    label(f, departure_side ? "departure_time_label" : "arrival_time_label",
          departure_side ? "出発時刻" : "到着時刻", 10, 58, 64);
    TimeWindowFields& window = departure_side ? departure : arrival;
    QLineEdit** parts[] = {&window.from_hour, &window.from_minute, &window.to_hour, &window.to_minute};
    const char* part_names[] = {"_from_hour", "_from_minute", "_to_hour", "_to_minute"};
    int px = 78;
    for (int i = 0; i < 4; ++i) {
        const QString name = side + QString::fromUtf8(part_names[i]);
        *parts[i] = make_field(f, name, px, 58, 28, Qt::AlignRight);
        label(f, qPrintable(name + "_unit"), i % 2 == 0 ? "時" : "分", px + 30, 58, 14);
        px += 46;
        if (i == 1) {
            label(f, qPrintable(side + "_window_dash"), "～", px - 2, 58, 14);
            px += 14;
        }
    }
    return f;
}

void MainWindow::build_connection_conditions(QWidget* parent) {
    auto* connection_frame = frame(parent, "connection_frame", "乗り継ぎ条件", {10, 124, 564, 120});
    label(connection_frame, "max_wait_label", "乗り継ぎ待ち合わせ時間", 12, 26, 150);
    max_wait = make_field(connection_frame, "max_wait", 166, 26, 44, Qt::AlignRight);
    label(connection_frame, "max_wait_unit", "分以内", 216, 26, 60);
    auto* count_frame = frame(connection_frame, "connections_frame", "乗り継ぎ回数", {12, 56, 266, 54});
    connections_none = option(count_frame, "connections_none", "なし（直行便のみ）", 10, 24, 136);
    connections_one = option(count_frame, "connections_one", "１回", 150, 24, 52);
    connections_two = option(count_frame, "connections_two", "２回", 206, 24, 52);
    auto* combination_frame =
        frame(connection_frame, "combination_frame", "組み合わせ条件", {286, 56, 266, 54});
    first_per_flight = option(combination_frame, "first_per_flight", "１便あたり１件", 10, 24, 120);
    all_per_flight = option(combination_frame, "all_per_flight", "１便あたり全件", 136, 24, 120);
}

void MainWindow::build_travel_date(QWidget* parent) {
    auto* date_frame = frame(parent, "travel_date_frame", "搭乗予定日", {10, 252, 564, 62});
    label(date_frame, "travel_date_label", "搭乗予定日", 12, 26, 70);
    QLineEdit** parts[] = {&travel_year, &travel_month, &travel_day};
    const char* names[] = {"travel_year", "travel_month", "travel_day"};
    const int x[] = {86, 152, 204};
    const int w[] = {46, 30, 30};
    const char* units[] = {"年", "月", "日"};
    for (int i = 0; i < 3; ++i) {
        *parts[i] = make_field(date_frame, QString::fromUtf8(names[i]), x[i], 26, w[i], Qt::AlignRight);
        label(date_frame, qPrintable(QString::fromUtf8(names[i]) + "_unit"), units[i], x[i] + w[i] + 3, 26,
              16);
    }
    travel_weekday = label(date_frame, "travel_weekday", "", 256, 26, 60);
}

// The focus runs through the form in the order Enter moves it, the date first.
void MainWindow::set_focus_order() {
    QWidget* prev = travel_year;
    for (QWidget* w : std::initializer_list<QWidget*>{travel_month,
                                                      travel_day,
                                                      from_airport,
                                                      departure.from_hour,
                                                      departure.from_minute,
                                                      departure.to_hour,
                                                      departure.to_minute,
                                                      to_airport,
                                                      arrival.from_hour,
                                                      arrival.from_minute,
                                                      arrival.to_hour,
                                                      arrival.to_minute,
                                                      max_wait,
                                                      connections_none,
                                                      connections_one,
                                                      connections_two,
                                                      first_per_flight,
                                                      all_per_flight,
                                                      search_button,
                                                      seat_enquiry_button,
                                                      calendar_button,
                                                      quit_button}) {
        setTabOrder(prev, w);
        prev = w;
    }
}

QLineEdit* MainWindow::field(Field f) const {
    return f == Field::search_button ? nullptr : fields_[static_cast<std::size_t>(f)];
}

void MainWindow::build_menus() {
    QMenuBar* bar = menuBar();
    const auto menu = [](QWidget* parent, const char* name, const char* text) {
        auto* m = new QMenu(quorvel::caption(text), parent);
        m->setObjectName(name);
        return m;
    };
    const auto item = [](QMenu* m, const char* name, const char* text) {
        QAction* a = m->addAction(quorvel::caption(text));
        a->setObjectName(name);
        return a;
    };
    const auto separator = [](QMenu* m) { m->addSeparator(); };

    file_menu = menu(bar, "file_menu", "ﾌｧｲﾙ(&F&ﾊ)");
    quit_action = item(file_menu, "quit_action", "ｹﾙﾊﾞ国内線時刻表の終了(&C&ｿ)");
    enquiry_menu = menu(bar, "enquiry_menu", "照会(&I&ﾆ)");
    seat_enquiry_action = item(enquiry_menu, "seat_enquiry_action", "空席照会(&K&ﾉ)");
    separator(enquiry_menu);
    vacancy_enquiry_action = item(enquiry_menu, "vacancy_enquiry_action", "ﾎﾃﾙの空き室照会(&A&ﾁ)");
    edit_menu = menu(bar, "edit_menu", "編集(&E&ｲ)");
    settings_action = item(edit_menu, "settings_action", "動作環境の設定(&D&ﾚ)");
    separator(edit_menu);
    hotel_registry_action = item(edit_menu, "hotel_registry_action", "ホテル情報の登録･修正(&H&ｸ)");
    view_menu = menu(bar, "view_menu", "表示(&V&ﾋ)");
    calendar_action = item(view_menu, "calendar_action", "ｶﾚﾝﾀﾞｰ表示(&C&ｿ)");
    separator(view_menu);
    hotel_search_action = item(view_menu, "hotel_search_action", "ﾎﾃﾙの検索(&H&ｸ)");
    help_menu = menu(bar, "help_menu", "ﾍﾙﾌﾟ(&H&ｸ)");
    help_topics_action = item(help_menu, "help_topics_action", "ﾄﾋﾟｯｸの検索(&H&ｸ)");
    separator(help_menu);
    web_pages_menu = menu(help_menu, "web_pages_menu", "ｹﾙﾊﾞ時刻表 Web ﾍﾟｰｼﾞ(&W&ﾃ)");
    help_menu->addMenu(web_pages_menu);
    home_page_action = item(web_pages_menu, "home_page_action", "ﾎｰﾑﾍﾟｰｼﾞ");
    timetable_page_action = item(web_pages_menu, "timetable_page_action", "国内線時刻表");
    shinkansen_page_action = item(web_pages_menu, "shinkansen_page_action", "新幹線時刻表");
    business_hotels_page_action = item(web_pages_menu, "business_hotels_page_action", "出張者向けﾎﾃﾙ情報");
    separator(web_pages_menu);
    download_page_action = item(web_pages_menu, "download_page_action", "ﾀﾞｳﾝﾛｰﾄﾞ");
    separator(help_menu);
    about_action = item(help_menu, "about_action", "ﾊﾞｰｼﾞｮﾝ情報(&A&ﾁ)");
    for (QMenu* m : {file_menu, enquiry_menu, edit_menu, view_menu, help_menu}) bar->addMenu(m);
}

void MainWindow::connect_menus() {
    connect(quit_action, &QAction::triggered, this, &MainWindow::end_program);
    connect(seat_enquiry_action, &QAction::triggered, this, &MainWindow::start_seat_enquiry);
    connect(vacancy_enquiry_action, &QAction::triggered, this,
            [this] { open_hotel(hooks_.open_hotel_vacancy, true); });
    connect(settings_action, &QAction::triggered, this, [this] {
        SettingsDialog dialog(app_, services_, this);
        dialog.exec();
    });
    connect(hotel_registry_action, &QAction::triggered, this,
            [this] { open_hotel(hooks_.open_hotel_registry, false); });
    connect(calendar_action, &QAction::triggered, this, &MainWindow::open_calendar);
    connect(hotel_search_action, &QAction::triggered, this,
            [this] { open_hotel(hooks_.open_hotel_search, true); });
    connect(help_topics_action, &QAction::triggered, this, [this] { services_.help.show_index(); });
    QAction* pages[] = {home_page_action, timetable_page_action, shinkansen_page_action,
                        business_hotels_page_action, download_page_action};
    for (int i = 0; i < 5; ++i)
        connect(pages[i], &QAction::triggered, this, [this, i] { open_web_page(static_cast<Site>(i)); });
    connect(about_action, &QAction::triggered, this, [this] {
        VersionWindow version(app_, this);
        version.exec();
    });
}

void MainWindow::set_hooks(MainWindowHooks hooks) {
    hooks_ = std::move(hooks);
    update_enabled();
}

// A search rewrites the timetable for its date and a seat enquiry replaces the pages in tmp: neither
// may start while a list that reads them is open or a search runs.
bool MainWindow::search_possible() const { return !result_window_open_ && !app_.search_running; }

void MainWindow::update_enabled() {
    const bool possible = search_possible();
    search_button->setEnabled(possible);
    seat_enquiry_button->setEnabled(possible);
    seat_enquiry_action->setEnabled(possible);
    vacancy_enquiry_action->setEnabled(static_cast<bool>(hooks_.open_hotel_vacancy));
    hotel_registry_action->setEnabled(static_cast<bool>(hooks_.open_hotel_registry));
    hotel_search_action->setEnabled(static_cast<bool>(hooks_.open_hotel_search));
}

void MainWindow::open_airport_picker(AirportField field) {
    AirportPicker* picker = AirportPicker::open(app_, *this, field);
    connect(picker, &AirportPicker::airport_chosen, this, &MainWindow::airport_chosen, Qt::UniqueConnection);
}

void MainWindow::airport_chosen(AirportField field, const QString& name) {
    const bool arrival_side = field == AirportField::arrival;
    QLineEdit* next = arrival_side ? arrival.from_hour : departure.from_hour;
    (arrival_side ? to_airport : from_airport)->setText(name);
    activateWindow();
    next->setFocus();
}

void MainWindow::open_calendar() {
    CalendarWindow* calendar = CalendarWindow::open(app_, *this);
    connect(calendar, &CalendarWindow::date_chosen, this, &MainWindow::travel_date_chosen,
            Qt::UniqueConnection);
}

void MainWindow::travel_date_chosen(const QString& year, const QString& month, const QString& day,
                                    const QString& weekday) {
    travel_year->setText(year);
    travel_month->setText(month);
    travel_day->setText(day);
    travel_weekday->setText(weekday);
    // Back to the form, to go on with the search.
    activateWindow();
}

void MainWindow::fill_form_from_last_search() {
    setWindowTitle(qs(app_.identity.app_title));
    conditions_from_settings(app_.settings, app_.cond);
    app_.cond.travel_date = 0;  // the travel date is never remembered: every run starts with today
    const SearchForm form = initial_search_form(app_.cond, app_.today);
    show_form(form);
    travel_weekday->setText(qs(format_weekday_paren(app_.cond.travel_date)));
    adjustSize();
    setFixedSize(sizeHint());
    lifecycle_->place();
}

SearchForm MainWindow::read_form() const {
    SearchForm form;
    for (Field f : text_fields) form.text(f) = ss(field(f)->text());
    form.message = ss(message_line->text());
    form.connections = connections_two->isChecked()   ? Connections::two
                       : connections_one->isChecked() ? Connections::one
                                                      : Connections::none;
    form.one_per_flight = first_per_flight->isChecked();
    return form;
}

void MainWindow::show_form(const SearchForm& form) {
    const auto show = [](QLineEdit* line, const std::string& text) {
        const QString t = qs(text);
        if (line->text() != t) line->setText(t);
    };
    for (Field f : text_fields) show(field(f), form.text(f));
    show(message_line, form.message);
    (form.connections == Connections::two   ? connections_two
     : form.connections == Connections::one ? connections_one
                                            : connections_none)
        ->setChecked(true);
    (form.one_per_flight ? first_per_flight : all_per_flight)->setChecked(true);
}

CheckSettings MainWindow::check_settings() const {
    CheckSettings cs;
    if (app_.timetable) cs.airports = airport_names(*app_.timetable);
    cs.window_limit_hours = app_.settings.window_limit_hours != 0 ? app_.settings.window_limit_hours : 12;
    cs.wait_limit_minutes = app_.settings.wait_limit_minutes;
    cs.today = app_.today;
    return cs;
}

void MainWindow::focus_field(Field f) {
    if (f == Field::search_button) {
        search_button->setFocus();
    } else if (QLineEdit* line = field(f)) {
        line->setFocus();
        line->selectAll();
    }
}

void MainWindow::field_enter(Field f) {
    SearchForm form = read_form();
    const FieldCheck r = check_field(f, form, app_.cond, check_settings());
    show_form(form);
    if (!r.accepted && (f == Field::from_airport || f == Field::to_airport)) {
        open_airport_picker(f == Field::from_airport ? AirportField::departure : AirportField::arrival);
        return;
    }
    if (f == Field::travel_day && r.accepted)
        travel_weekday->setText(qs(format_weekday_paren(app_.cond.travel_date)));
    focus_field(r.focus);
}

bool MainWindow::check_search_form() {
    SearchForm form = read_form();
    const auto confirm = [this] {
        app_.msg_help_context = connection_question_help;
        const Question q{std::string(connection_question_title), std::string(connection_question),
                         MessageIcon::exclamation, MessageButtons::ok_cancel, app_.msg_help_context};
        return services_.boxes.ask(q) == MessageAnswer::ok;
    };
    app_.cond.result_order = app_.settings.result_order;
    const FullCheck r = quorvel::check_search_form(form, app_.cond, check_settings(), confirm);
    show_form(form);
    if (!r.accepted) {
        if (!r.cancelled) focus_field(r.focus);
        return false;
    }
    travel_weekday->setText(qs(format_weekday_paren(app_.cond.travel_date)));
    return true;
}

void MainWindow::start_search() {
    if (!search_possible()) return;
    app_.cond.for_seat_enquiry = 0;
    if (!check_search_form()) return;
    open_result_window();
}

void MainWindow::start_seat_enquiry() {
    if (!search_possible() || !browser_requirement(app_, services_, this)) return;
    app_.cond.for_seat_enquiry = 1;
    app_.cond.connection_count = 0;  // a seat enquiry asks about direct flights only
    if (!check_search_form()) return;
    open_result_window();
}

void MainWindow::open_result_window() {
    if (!hooks_.open_results) return;
    result_window_open_ = true;
    update_enabled();
    hooks_.open_results(*this);
}

void MainWindow::attach_result_window(ResultWindow& results) {
    connect(&results, &ResultWindow::closed, this, &MainWindow::result_window_closed);
    connect(&results, &ResultWindow::program_end_requested, this, &MainWindow::end_program);
}

void MainWindow::result_window_closed() {
    show();
    result_window_open_ = false;
    update_enabled();
}

void MainWindow::open_hotel(const std::function<void(MainWindow&)>& hook, bool needs_browser) {
    if (needs_browser && !browser_requirement(app_, services_, this)) return;
    if (hook) hook(*this);
}

void MainWindow::open_web_page(Site site) {
    if (!browser_requirement(app_, services_, this)) return;
    const auto address = app_.sites.address(site);
    if (!address) {
        services_.boxes.ask({"注意メッセージ",
                             "このページのアドレスが設定されていません。\n" + std::string(sites_file_name) +
                                 " の " + std::string(site_key(site)) + " を設定してください。",
                             MessageIcon::exclamation, MessageButtons::ok, 0});
        return;
    }
    open_in_browser(app_, services_, *address, WindowStyle::maximized);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (Field f : text_fields)
                if (w == field(f)) {
                    field_enter(f);
                    return true;
                }
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (auto* t = qobject_cast<QLineEdit*>(w))
            // After the click that gave the focus has placed the cursor.
            QTimer::singleShot(0, t, [t] { t->selectAll(); });
    } else if (event->type() == QEvent::MouseButtonDblClick && (w == from_airport || w == to_airport)) {
        open_airport_picker(w == from_airport ? AirportField::departure : AirportField::arrival);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::end_program() {
    if (lifecycle_->ended()) return;
    if (app_.search_running) {
        // The search yields to the event loop; the result window ends the program once it is done.
        app_.end_requested = true;
        return;
    }
    lifecycle_->end_once();
    if (hooks_.program_ending) hooks_.program_ending(*this);
    // The run's values are always kept; the next run starts from this run's last search.
    conditions_to_settings(app_.cond, app_.settings);
    if (const Status s = write_settings(app_.ini_file(), app_.settings); !s) {
        // The previous file is still there (the writer replaces it only when the new one is whole).
        std::fprintf(stderr, "quorvel: %s\n", s.error().message.c_str());
        services_.boxes.ask({"エラーメッセージ", "設定ファイルを保存できませんでした。\n" + s.error().message,
                             MessageIcon::critical, MessageButtons::ok, 0});
    }
    remove_directory(app_.paths.tmp_dir());
    close();
    emit program_ended();
}

bool MainWindow::ended() const { return lifecycle_->ended(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window's close button ends the program the same way as 終了.
    if (!lifecycle_->ended()) end_program();
    event->accept();
}

}  // namespace quorvel
