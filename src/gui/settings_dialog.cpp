// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "gui/common/window_lifecycle.hpp"
#include "hotel/hotel_data.hpp"

namespace quorvel {

namespace {
constexpr const char* object_name = "settings_dialog";
constexpr const char* settings_key = "time_table93";  // its position in the settings file

QRadioButton* option(QWidget* parent, const char* name, const char* caption, int x, int y) {
    auto* o = new QRadioButton(QString::fromUtf8(caption), parent);
    o->setObjectName(name);
    o->setGeometry(x, y, o->sizeHint().width(), 22);
    return o;
}
}  // namespace

SettingsDialog::SettingsDialog(AppState& app, Services& services, QWidget* parent)
    : QDialog(parent),
      app_(app),
      services_(services),
      lifecycle_(
          new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] { finish(); })) {
    setObjectName(object_name);
    build();
    set_title_and_position();
}

void SettingsDialog::build() {
    setFixedSize(440, 300);
    auto* frame = new QGroupBox(QStringLiteral("動作環境の登録"), this);
    frame->setObjectName("settings_frame");
    frame->setGeometry(10, 8, 420, 240);

    tabs = new QTabWidget(frame);
    tabs->setObjectName("tabs");
    tabs->setGeometry(10, 22, 400, 208);

    auto* common = new QWidget;
    auto* order = new QGroupBox(QStringLiteral("検索結果の表示順"), common);
    order->setObjectName("result_order_group");
    order->setGeometry(10, 8, 170, 100);
    order_by_departure = option(order, "order_by_departure", "出発時刻順", 12, 22);
    order_by_arrival = option(order, "order_by_arrival", "到着時刻順", 12, 46);
    order_by_duration = option(order, "order_by_duration", "所要時間順", 12, 70);

    auto* hotel = new QGroupBox(QStringLiteral("ホテル検索"), common);
    hotel->setObjectName("hotel_frame");
    hotel->setGeometry(190, 8, 196, 164);
    auto* limit = new QLabel(QStringLiteral("ホテル上限件数"), hotel);
    limit->setObjectName("hotel_limit_label");
    limit->setGeometry(12, 24, 100, 22);
    hotel_limit = new QLineEdit(hotel);
    hotel_limit->setObjectName("hotel_limit");
    hotel_limit->setGeometry(116, 24, 64, 22);
    hotel_limit->setAlignment(Qt::AlignRight);
    auto* detail = new QGroupBox(QStringLiteral("ホテル詳細表示"), hotel);
    detail->setObjectName("hotel_detail_frame");
    detail->setGeometry(10, 58, 176, 96);
    show_hotel_details = option(detail, "show_hotel_details", "表示する", 12, 24);
    hide_hotel_details = option(detail, "hide_hotel_details", "表示しない", 12, 54);
    tabs->addTab(common, QStringLiteral("共通"));

    auto* browser = new QWidget;
    browser_label =
        new QLabel(QStringLiteral("ブラウザ情報を再更新する場合、クリックしてください。"), browser);
    browser_label->setObjectName("browser_label");
    browser_label->setGeometry(14, 24, 370, 22);
    reregister_browser_button = new QPushButton(QStringLiteral("ブラウザの再登録"), browser);
    reregister_browser_button->setObjectName("reregister_browser_button");
    reregister_browser_button->setGeometry(14, 60, 160, 30);
    tabs->addTab(browser, QStringLiteral("ブラウザ登録"));

    close_button = new QPushButton(QStringLiteral("終了"), this);
    close_button->setObjectName("close_button");
    close_button->setGeometry(330, 258, 100, 30);
    close_button->setAutoDefault(false);
    reregister_browser_button->setAutoDefault(false);

    for (QRadioButton* o :
         {order_by_departure, order_by_arrival, order_by_duration, show_hotel_details, hide_hotel_details})
        connect(o, &QRadioButton::clicked, this, &SettingsDialog::option_chosen);
    connect(close_button, &QPushButton::clicked, this, &SettingsDialog::finish);
    connect(reregister_browser_button, &QPushButton::clicked, this, &SettingsDialog::reregister_browser);
    hotel_limit->installEventFilter(this);
    lifecycle_->watch();
}

void SettingsDialog::set_title_and_position() {
    setWindowTitle(qs(app_.identity.app_title));
    const int sel = app_.settings.result_order;
    (sel == 1 ? order_by_departure : sel == 2 ? order_by_arrival : order_by_duration)->setChecked(true);
    hotel_limit->setText(QString::number(app_.settings.hotel_limit));
    (app_.settings.hotel_details_shown == 1 ? show_hotel_details : hide_hotel_details)->setChecked(true);
    lifecycle_->place();
}

void SettingsDialog::option_chosen() {
    app_.settings.result_order = order_by_departure->isChecked() ? 1 : order_by_arrival->isChecked() ? 2 : 3;
    app_.settings.hotel_details_shown = show_hotel_details->isChecked() ? 1 : 0;
}

namespace {
std::int16_t int16_of(const QString& text) {
    const auto v = leading_number(ss(text));
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(v, INT16_MIN, INT16_MAX));
}

// The hotel search lists at least one hotel and at most as many as its table holds.
bool hotel_limit_acceptable(const QString& text) {
    const std::string t = trim(ss(text));
    const std::int64_t v = leading_number(t);
    return !t.empty() && is_all_digits(t) && v >= 1 && v <= hotel_bounds::file_hotels;
}
}  // namespace

void SettingsDialog::check_hotel_limit() {
    if (!hotel_limit_acceptable(hotel_limit->text())) {
        hotel_limit->selectAll();
        return;
    }
    app_.settings.hotel_limit = int16_of(hotel_limit->text());
    close_button->setFocus();
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hotel_limit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            check_hotel_limit();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SettingsDialog::reregister_browser() {
    BrowserValues detected{BrowserKind::never_chosen, app_.browser().path};
    detect_default_browser(services_.keys, detected, services_.path_env);
    if (browser_ready(detected)) {
        app_.set_browser(detected);
        return;
    }
    // Nothing recognised: the set-up window searches. The browser registered so far stays until it
    // finds another (or the user says 未使用): a search that finds nothing, or 終了, must not leave
    // the user without the browser that worked.
    BrowserSetupWindow setup(app_, services_, this);
    setup.exec();
}

void SettingsDialog::reject() { finish(); }

void SettingsDialog::finish() {
    if (!lifecycle_->end_once()) return;
    // A limit outside what the hotel search can list keeps the limit there was.
    if (hotel_limit_acceptable(hotel_limit->text()))
        app_.settings.hotel_limit = int16_of(hotel_limit->text());
    QDialog::done(QDialog::Accepted);
}

}  // namespace quorvel
