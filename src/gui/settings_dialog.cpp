#include "gui/settings_dialog.hpp"

#include <algorithm>
#include <cstdint>

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "common/text.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/browser_setup_window.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_place.hpp"

namespace quorvel {

namespace {
constexpr const char* window_name = "time_table93";

QRadioButton* option(QWidget* parent, const char* name, const char* caption, int x, int y) {
    auto* o = new QRadioButton(QString::fromUtf8(caption), parent);
    o->setObjectName(name);
    o->setGeometry(x, y, o->sizeHint().width(), 22);
    return o;
}
}  // namespace

SettingsDialog::SettingsDialog(AppState& app, Services& services, QWidget* parent)
    : QDialog(parent), app_(app), services_(services) {
    setObjectName(window_name);
    init_set();
    set_form1();
}

void SettingsDialog::init_set() {
    setFixedSize(440, 300);
    auto* frame = new QGroupBox(QStringLiteral("動作環境の登録"), this);
    frame->setObjectName("Frame1");
    frame->setGeometry(10, 8, 420, 240);

    SSTab1 = new QTabWidget(frame);
    SSTab1->setObjectName("SSTab1");
    SSTab1->setGeometry(10, 22, 400, 208);

    auto* common = new QWidget;
    auto* order = new QGroupBox(QStringLiteral("検索結果の表示順"), common);
    order->setObjectName("Frame2");
    order->setGeometry(10, 8, 170, 100);
    Option1 = option(order, "Option1", "出発時刻順", 12, 22);
    Option2 = option(order, "Option2", "到着時刻順", 12, 46);
    Option3 = option(order, "Option3", "所要時間順", 12, 70);

    auto* hotel = new QGroupBox(QStringLiteral("ホテル検索"), common);
    hotel->setObjectName("Frame3");
    hotel->setGeometry(190, 8, 196, 164);
    auto* limit = new QLabel(QStringLiteral("ホテル上限件数"), hotel);
    limit->setObjectName("Label1");
    limit->setGeometry(12, 24, 100, 22);
    Text1 = new QLineEdit(hotel);
    Text1->setObjectName("Text1");
    Text1->setGeometry(116, 24, 64, 22);
    Text1->setAlignment(Qt::AlignRight);
    auto* detail = new QGroupBox(QStringLiteral("ホテル詳細表示"), hotel);
    detail->setObjectName("Frame4");
    detail->setGeometry(10, 58, 176, 96);
    Option4 = option(detail, "Option4", "表示する", 12, 24);
    Option5 = option(detail, "Option5", "表示しない", 12, 54);
    SSTab1->addTab(common, QStringLiteral("共通"));

    auto* browser = new QWidget;
    Label2 = new QLabel(QStringLiteral("ブラウザ情報を再更新する場合、クリックしてください。"), browser);
    Label2->setObjectName("Label2");
    Label2->setGeometry(14, 24, 370, 22);
    Command2 = new QPushButton(QStringLiteral("ブラウザの再登録"), browser);
    Command2->setObjectName("Command2");
    Command2->setGeometry(14, 60, 160, 30);
    SSTab1->addTab(browser, QStringLiteral("ブラウザ登録"));

    Command1 = new QPushButton(QStringLiteral("終了"), this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(330, 258, 100, 30);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    for (QRadioButton* o : {Option1, Option2, Option3, Option4, Option5})
        connect(o, &QRadioButton::clicked, this, &SettingsDialog::Option_Click);
    connect(Command1, &QPushButton::clicked, this, &SettingsDialog::end_proc);
    connect(Command2, &QPushButton::clicked, this, &SettingsDialog::Command2_Click);
    Text1->installEventFilter(this);
}

void SettingsDialog::set_form1() {
    setWindowTitle(qs(app_.identity.app_title));
    const int sel = app_.settings.sel_option;
    (sel == 1 ? Option1 : sel == 2 ? Option2 : Option3)->setChecked(true);
    Text1->setText(QString::number(app_.settings.max_kensuu));
    (app_.settings.sv_pop == 1 ? Option4 : Option5)->setChecked(true);
    if (const auto* pos = app_.settings.position(window_name)) place_window(*this, *pos);
}

void SettingsDialog::Option_Click() {
    app_.settings.sel_option = Option1->isChecked() ? 1 : Option2->isChecked() ? 2 : 3;
    app_.settings.sv_pop = Option4->isChecked() ? 1 : 0;
}

namespace {
std::int16_t int16_of(const QString& text) {
    const auto v = leading_number(ss(text));
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(v, INT16_MIN, INT16_MAX));
}
}  // namespace

void SettingsDialog::Text1_Enter() {
    const std::int16_t v = int16_of(Text1->text());
    if (v == 0) return;
    app_.settings.max_kensuu = v;
    Command1->setFocus();
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Text1_Enter();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SettingsDialog::Command2_Click() {
    BrowserValues b{"", app_.settings.browser_path};
    StartSysInfo(services_.keys, b, services_.path_env);
    app_.set_browser(b);
    if (browser_unset(b)) {
        BrowserSetupWindow setup(app_, services_, this);
        setup.exec();
    }
}

void SettingsDialog::reject() { end_proc(); }

void SettingsDialog::end_proc() {
    // The field is taken unchecked on closing, but a limit of 0 or below would make every hotel
    // search list nothing; such a value keeps the limit there was.
    if (const std::int16_t v = int16_of(Text1->text()); v > 0) app_.settings.max_kensuu = v;
    if (auto* pos = app_.settings.position(window_name)) remember_position(*this, *pos);
    QDialog::done(QDialog::Accepted);
}

}  // namespace quorvel
