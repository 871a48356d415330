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
#include "gui/common/window_place.hpp"
#include "gui/pickers/airport_picker.hpp"
#include "gui/pickers/calendar_window.hpp"
#include "gui/search/result_window.hpp"
#include "gui/settings_dialog.hpp"
#include "gui/version_window.hpp"
#include "platform/paths.hpp"

namespace quorvel {

namespace {

constexpr const char* window_name = "time_table1";
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

QLineEdit* make_field(QWidget* parent, int n, int x, int y, int w) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(QStringLiteral("Text%1").arg(n));
    t->setGeometry(x, y, w, field_height);
    return t;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int x, int y) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setGeometry(x, y, 120, 32);
    return b;
}

}  // namespace

MainWindow::MainWindow(AppState& app, Services& services, MainWindowHooks hooks, QWidget* parent)
    : QMainWindow(parent), app_(app), services_(services), hooks_(std::move(hooks)) {
    setObjectName(window_name);
    build_form();
    build_menus();
    update_enabled();
    set_form1();
}

MainWindow::~MainWindow() = default;

void MainWindow::build_form() {
    auto* central = new QWidget(this);
    central->setObjectName("central");
    setCentralWidget(central);

    auto* Frame1 = frame(central, "Frame1", "航空機の検索", {8, 6, 584, 330});

    // Departure and arrival: an airport and a time window "hh 時 mm 分 ～ hh 時 mm 分" each.
    struct Side {
        const char* frame_name;
        const char* caption;
        int x;
        int first;  // the airport field; the four time fields follow it
        const char* place;
        const char* time;
        const char* names[7];  // place label, time label, the four unit labels, the "～"
    };
    const Side sides[] = {
        {"Frame2",
         "出発条件",
         8,
         1,
         "出発地",
         "出発時刻",
         {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7"}},
        {"Frame3",
         "到着条件",
         294,
         6,
         "到着地",
         "到着時刻",
         {"Label8", "Label9", "Label10", "Label11", "Label13", "Label14", "Label12"}},
    };
    for (const Side& sd : sides) {
        QGroupBox* f = frame(Frame1, sd.frame_name, sd.caption, {sd.x, 20, 282, 96});
        label(f, sd.names[0], sd.place, 10, 26, 64);
        Text[sd.first] = make_field(f, sd.first, 78, 26, 186);
        label(f, sd.names[1], sd.time, 10, 58, 64);
        int x = 78;
        for (int i = 0; i < 4; ++i) {
            QLineEdit* t = make_field(f, sd.first + 1 + i, x, 58, 28);
            t->setAlignment(Qt::AlignRight);
            Text[sd.first + 1 + i] = t;
            label(f, sd.names[2 + i], i % 2 == 0 ? "時" : "分", x + 30, 58, 14);
            x += 46;
            if (i == 1) {
                label(f, sd.names[6], "～", x - 2, 58, 14);
                x += 14;
            }
        }
    }

    auto* Frame4 = frame(Frame1, "Frame4", "乗り継ぎ条件", {10, 124, 564, 120});
    label(Frame4, "Label15", "乗り継ぎ待ち合わせ時間", 12, 26, 150);
    Text[11] = make_field(Frame4, 11, 166, 26, 44);
    Text[11]->setAlignment(Qt::AlignRight);
    label(Frame4, "Label16", "分以内", 216, 26, 60);
    auto* Frame5 = frame(Frame4, "Frame5", "乗り継ぎ回数", {12, 56, 266, 54});
    Option4 = option(Frame5, "Option4", "なし（直行便のみ）", 10, 24, 136);
    Option5 = option(Frame5, "Option5", "１回", 150, 24, 52);
    Option6 = option(Frame5, "Option6", "２回", 206, 24, 52);
    auto* Frame6 = frame(Frame4, "Frame6", "組み合わせ条件", {286, 56, 266, 54});
    Option7 = option(Frame6, "Option7", "１便あたり１件", 10, 24, 120);
    Option8 = option(Frame6, "Option8", "１便あたり全件", 136, 24, 120);

    auto* Frame7 = frame(Frame1, "Frame7", "搭乗予定日", {10, 252, 564, 62});
    label(Frame7, "Label17", "搭乗予定日", 12, 26, 70);
    const int date_x[3] = {86, 152, 204};
    const int date_w[3] = {46, 30, 30};
    const char* date_labels[3] = {"Label18", "Label19", "Label20"};
    const char* date_units[3] = {"年", "月", "日"};
    for (int i = 0; i < 3; ++i) {
        Text[13 + i] = make_field(Frame7, 13 + i, date_x[i], 26, date_w[i]);
        Text[13 + i]->setAlignment(Qt::AlignRight);
        label(Frame7, date_labels[i], date_units[i], date_x[i] + date_w[i] + 3, 26, 16);
    }
    Label21 = label(Frame7, "Label21", "", 256, 26, 60);

    Text[12] = make_field(central, 12, 8, 344, 584);
    Text[12]->setReadOnly(true);
    Text[12]->setFocusPolicy(Qt::NoFocus);

    Command1 = button(central, "Command1", "検索開始", 8, 378);
    Command4 = button(central, "Command4", "空席照会", 136, 378);
    Command3 = button(central, "Command3", "ｶﾚﾝﾀﾞｰ", 264, 378);
    Command2 = button(central, "Command2", "終了", 472, 378);

    QLineEdit** named[] = {&Text1, &Text2,  &Text3,  &Text4,  &Text5,  &Text6,  &Text7, &Text8,
                           &Text9, &Text10, &Text11, &Text12, &Text13, &Text14, &Text15};
    for (int n = 1; n <= 15; ++n) *named[n - 1] = Text[n];

    for (int n = 1; n <= 15; ++n) Text[n]->installEventFilter(this);
    for (QWidget* w : std::initializer_list<QWidget*>{Option4, Option5, Option6, Option7, Option8, Command1,
                                                      Command2, Command3, Command4})
        w->installEventFilter(this);

    // The focus runs through the form in the order Enter moves it.
    const int order[] = {13, 14, 15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    QWidget* prev = nullptr;
    for (int n : order) {
        if (prev) setTabOrder(prev, Text[n]);
        prev = Text[n];
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Option4, Option5, Option6, Option7, Option8, Command1,
                                                      Command4, Command3, Command2}) {
        setTabOrder(prev, w);
        prev = w;
    }

    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::end_proc);
    connect(Command3, &QPushButton::clicked, this, &MainWindow::open_calendar);
    connect(Command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);

    central->setFixedSize(600, 420);
}

void MainWindow::build_menus() {
    QMenuBar* bar = menuBar();
    const auto menu = [](QWidget* parent, const char* name, const char* caption) {
        auto* m = new QMenu(QString::fromUtf8(caption), parent);
        m->setObjectName(name);
        return m;
    };
    const auto item = [](QMenu* m, const char* name, const char* caption) {
        QAction* a = m->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        return a;
    };
    const auto separator = [](QMenu* m, const char* name) { m->addSeparator()->setObjectName(name); };

    menu_1 = menu(bar, "menu_1", "ﾌｧｲﾙ(&F&ﾊ)");
    menu_11 = item(menu_1, "menu_11", "ｹﾙﾊﾞ国内線時刻表の終了(&C&ｿ)");
    manu_2 = menu(bar, "manu_2", "照会(&I&ﾆ)");
    menu_21 = item(manu_2, "menu_21", "空席照会(&K&ﾉ)");
    separator(manu_2, "menu_29");
    menu_22 = item(manu_2, "menu_22", "ﾎﾃﾙの空き室照会(&A&ﾁ)");
    menu_3 = menu(bar, "menu_3", "編集(&E&ｲ)");
    menu_31 = item(menu_3, "menu_31", "動作環境の設定(&D&ﾚ)");
    separator(menu_3, "menu_39");
    menu_32 = item(menu_3, "menu_32", "ホテル情報の登録･修正(&H&ｸ)");
    menu_4 = menu(bar, "menu_4", "表示(&V&ﾋ)");
    menu_41 = item(menu_4, "menu_41", "ｶﾚﾝﾀﾞｰ表示(&C&ｿ)");
    separator(menu_4, "menu_49");
    menu_42 = item(menu_4, "menu_42", "ﾎﾃﾙの検索(&H&ｸ)");
    menu_5 = menu(bar, "menu_5", "ﾍﾙﾌﾟ(&H&ｸ)");
    menu_51 = item(menu_5, "menu_51", "ﾄﾋﾟｯｸの検索(&H&ｸ)");
    separator(menu_5, "menu_591");
    menu_53 = menu(menu_5, "menu_53", "ｹﾙﾊﾞ時刻表 Web ﾍﾟｰｼﾞ(&W&ﾃ)");
    menu_5->addMenu(menu_53);
    menu_531 = item(menu_53, "menu_531", "ﾎｰﾑﾍﾟｰｼﾞ");
    menu_532 = item(menu_53, "menu_532", "国内線時刻表");
    menu_533 = item(menu_53, "menu_533", "新幹線時刻表");
    menu_534 = item(menu_53, "menu_534", "出張者向けﾎﾃﾙ情報");
    separator(menu_53, "menu_539");
    menu_535 = item(menu_53, "menu_535", "ﾀﾞｳﾝﾛｰﾄﾞ");
    separator(menu_5, "menu_593");
    menu_54 = item(menu_5, "menu_54", "ﾊﾞｰｼﾞｮﾝ情報(&A&ﾁ)");
    for (QMenu* m : {menu_1, manu_2, menu_3, menu_4, menu_5}) bar->addMenu(m);

    connect(menu_11, &QAction::triggered, this, &MainWindow::end_proc);
    connect(menu_21, &QAction::triggered, this, &MainWindow::Command4_Click);
    connect(menu_22, &QAction::triggered, this, [this] { open_hotel(hooks_.open_hotel_vacancy, true); });
    connect(menu_31, &QAction::triggered, this, [this] {
        SettingsDialog dialog(app_, services_, this);
        dialog.exec();
    });
    connect(menu_32, &QAction::triggered, this, [this] { open_hotel(hooks_.open_hotel_registry, false); });
    connect(menu_41, &QAction::triggered, this, &MainWindow::open_calendar);
    connect(menu_42, &QAction::triggered, this, [this] { open_hotel(hooks_.open_hotel_search, true); });
    connect(menu_51, &QAction::triggered, this, [this] { services_.help.show_index(); });
    QAction* pages[] = {menu_531, menu_532, menu_533, menu_534, menu_535};
    for (int i = 0; i < 5; ++i)
        connect(pages[i], &QAction::triggered, this, [this, i] { open_web_page(531 + i); });
    connect(menu_54, &QAction::triggered, this, [this] {
        VersionWindow version(app_, this);
        version.exec();
    });
}

void MainWindow::set_hooks(MainWindowHooks hooks) {
    hooks_ = std::move(hooks);
    update_enabled();
}

void MainWindow::update_enabled() {
    const bool searching_possible = !result_window_open_;
    Command1->setEnabled(searching_possible);
    Command4->setEnabled(searching_possible);
    menu_22->setEnabled(static_cast<bool>(hooks_.open_hotel_vacancy));
    menu_32->setEnabled(static_cast<bool>(hooks_.open_hotel_registry));
    menu_42->setEnabled(static_cast<bool>(hooks_.open_hotel_search));
}

void MainWindow::open_airport_picker(int picker_mode) {
    app_.picker_mode = picker_mode;
    AirportPicker* picker = AirportPicker::open(app_, *this, picker_mode);
    connect(picker, &AirportPicker::airport_chosen, this, &MainWindow::airport_chosen, Qt::UniqueConnection);
}

void MainWindow::airport_chosen(int picker_mode, const QString& name) {
    QLineEdit* field = picker_mode == 12 ? Text6 : Text1;
    QLineEdit* next = picker_mode == 12 ? Text7 : Text2;
    field->setText(name);
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
    Text13->setText(year);
    Text14->setText(month);
    Text15->setText(day);
    Label21->setText(weekday);
    // Back to the form, to go on with the search.
    activateWindow();
}

void MainWindow::set_form1() {
    setWindowTitle(qs(app_.identity.app_title));
    conditions_from_settings(app_.settings, app_.cond);
    app_.cond.sel_date = 0;  // the travel date is never remembered: every run starts with today
    const SearchForm form = quorvel::set_form1(app_.cond, app_.today_serial);
    show_form(form);
    Label21->setText(qs(format_weekday_paren(app_.cond.sel_date)));
    adjustSize();
    setFixedSize(sizeHint());
    if (const auto* pos = app_.settings.position(window_name)) place_window(*this, *pos);
}

SearchForm MainWindow::read_form() const {
    SearchForm form;
    for (int n = 1; n <= 15; ++n) form.text[static_cast<std::size_t>(n)] = ss(Text[n]->text());
    form.connections_option = Option6->isChecked() ? 6 : Option5->isChecked() ? 5 : 4;
    form.one_per_flight = Option7->isChecked();
    return form;
}

void MainWindow::show_form(const SearchForm& form) {
    for (int n = 1; n <= 15; ++n) {
        const QString t = qs(form.text[static_cast<std::size_t>(n)]);
        if (Text[n]->text() != t) Text[n]->setText(t);
    }
    (form.connections_option == 6   ? Option6
     : form.connections_option == 5 ? Option5
                                    : Option4)
        ->setChecked(true);
    (form.one_per_flight ? Option7 : Option8)->setChecked(true);
}

CheckSettings MainWindow::check_settings() const {
    CheckSettings cs;
    if (app_.timetable) cs.airports = airport_names(*app_.timetable);
    cs.check_hours = app_.settings.check_hours != 0 ? app_.settings.check_hours : 12;
    cs.check_minite = app_.settings.check_minite;
    cs.today = app_.today_serial;
    return cs;
}

void MainWindow::focus_field(int field) {
    if (field == 0) {
        Command1->setFocus();
    } else if (field >= 1 && field <= 15) {
        Text[field]->setFocus();
        Text[field]->selectAll();
    }
}

void MainWindow::field_enter(int field) {
    SearchForm form = read_form();
    const FieldCheck r = check_field(field, form, app_.cond, check_settings());
    show_form(form);
    if (r.err_flg != 0 && (field == 1 || field == 6)) {
        open_airport_picker(field == 1 ? 11 : 12);
        return;
    }
    if (field == 15 && r.err_flg == 0) Label21->setText(qs(format_weekday_paren(app_.cond.sel_date)));
    focus_field(r.focus_field);
}

bool MainWindow::check_all() {
    SearchForm form = read_form();
    const auto confirm = [this] {
        app_.msg_help_context = connection_question_help;
        const Question q{std::string(connection_question_title), std::string(connection_question),
                         MessageIcon::exclamation, MessageButtons::ok_cancel, app_.msg_help_context};
        return services_.boxes.ask(q) == MessageAnswer::ok;
    };
    app_.cond.sel_option = app_.settings.sel_option;
    const FullCheck r = quorvel::check_all(form, app_.cond, check_settings(), confirm);
    show_form(form);
    if (r.err_flg != 0) {
        if (!r.cancelled) focus_field(r.focus_field);
        return false;
    }
    Label21->setText(qs(format_weekday_paren(app_.cond.sel_date)));
    return true;
}

void MainWindow::Command1_Click() {
    app_.cond.inquiry_mode = 0;
    if (!check_all()) return;
    if (!hooks_.open_results) return;
    result_window_open_ = true;
    update_enabled();
    hooks_.open_results(*this);
}

void MainWindow::Command4_Click() {
    if (!browser_requirement(app_, services_, this)) return;
    app_.cond.inquiry_mode = 1;
    app_.cond.wait_count = 0;  // a seat enquiry asks about direct flights only
    if (!check_all()) return;
    if (!hooks_.open_results) return;
    result_window_open_ = true;
    update_enabled();
    hooks_.open_results(*this);
}

void MainWindow::attach_result_window(ResultWindow& results) {
    connect(&results, &ResultWindow::closed, this, &MainWindow::result_window_closed);
    connect(&results, &ResultWindow::program_end_requested, this, &MainWindow::end_proc);
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

void MainWindow::open_web_page(int menu_item) {
    if (!browser_requirement(app_, services_, this)) return;
    const Site site = static_cast<Site>(menu_item - 531);
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
        if (key == Qt::Key_Escape) {
            end_proc();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (int n = 1; n <= 15; ++n)
                if (w == Text[n] && n != 12) {
                    field_enter(n);
                    return true;
                }
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (auto* t = qobject_cast<QLineEdit*>(w))
            // After the click that gave the focus has placed the cursor.
            QTimer::singleShot(0, t, [t] { t->selectAll(); });
    } else if (event->type() == QEvent::MouseButtonDblClick && (w == Text1 || w == Text6)) {
        open_airport_picker(w == Text1 ? 11 : 12);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::end_proc() {
    if (ended_) return;
    if (app_.search_running) {
        // The search yields to the event loop; the result window ends the program once it is done.
        app_.end_requested = true;
        return;
    }
    ended_ = true;
    if (auto* pos = app_.settings.position(window_name)) remember_position(*this, *pos);
    // The run's values are always kept; the next run starts from this run's last search.
    conditions_to_settings(app_.cond, app_.settings);
    if (const Status s = write_settings(app_.ini_file(), app_.settings); !s) {
        // The previous file is still there (the writer replaces it only when the new one is whole).
        std::fprintf(stderr, "quorvel: %s\n", s.error().message.c_str());
        services_.boxes.ask({"エラーメッセージ", "設定ファイルを保存できませんでした。\n" + s.error().message,
                             MessageIcon::critical, MessageButtons::ok, 0});
    }
    del_file(app_.paths.tmp_dir());
    services_.help.close();
    close();
    emit program_ended();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window's close button ends the program the same way as 終了.
    if (!ended_) end_proc();
    event->accept();
}

}  // namespace quorvel
