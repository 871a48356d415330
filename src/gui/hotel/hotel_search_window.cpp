// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/hotel_search_window.hpp"

#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/text.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/command_button.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/hotel/area_picker.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel {

namespace {

constexpr const char* object_name = "hotel_search_window";
constexpr const char* settings_key = "infhotel11";
constexpr const char* key_error = "検索条件の入力エラーです";

struct KindText {
    const char* option;
    const char* prompt;
};
// Kinds 1..6.
constexpr std::array<KindText, 7> kind_texts = {{
    {"", ""},
    {"都道府県名", "都道府県名を入力して下さい"},
    {"空港名", "空港名を入力して下さい"},
    {"ホテル名", "ホテル名を入力して下さい"},
    {"地区名", "地区名を入力して下さい"},
    {"最寄り駅名", "最寄り駅名を入力して下さい"},
    {"ﾌﾘｰｷｰﾜｰﾄﾞ（部分一致検索します）", "ﾌﾘｰｷｰﾜｰﾄﾞを入力して下さい"},
}};

// Prefecture and airport keys can be picked from a list.
bool pickable(int kind) { return kind == kind_pref || kind == kind_airport; }

}  // namespace

HotelSearchWindow::HotelSearchWindow(AppState& app, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(
          new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] { end_window(); })) {
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qs(hotel_caption));
    build();
    lifecycle_->place();
    choose_kind(kind_pref);
}

HotelSearchWindow::~HotelSearchWindow() = default;

void HotelSearchWindow::build() {
    setFixedSize(420, 300);
    auto* conditions = new QGroupBox(QStringLiteral("ホテル検索条件"), this);
    conditions->setGeometry(8, 6, 404, 246);
    auto* kinds = new QGroupBox(QStringLiteral("検索方法"), conditions);
    kinds->setGeometry(10, 22, 384, 118);
    for (int k = 1; k <= 6; ++k) {
        auto* o = new QRadioButton(qs(kind_texts[k].option), kinds);
        o->setObjectName(QStringLiteral("kind_button_%1").arg(k));
        // Two columns of three; the second is wider for the free keyword's long caption.
        const int row = (k - 1) % 3;
        o->setGeometry(k <= 3 ? 12 : 150, 24 + row * 30, k <= 3 ? 130 : 226, 24);
        connect(o, &QRadioButton::clicked, this, [this, k] { choose_kind(k); });
        kind_buttons[k] = o;
    }
    key_field = new QLineEdit(conditions);
    key_field->setObjectName("key_field");
    key_field->setGeometry(10, 152, 330, 28);
    picker_button = command_button(conditions, "picker_button", "？", {346, 152, 48, 28});
    picker_button->hide();
    connect(picker_button, &QPushButton::clicked, this, &HotelSearchWindow::open_picker);
    hint_line = new QLineEdit(conditions);
    hint_line->setObjectName("hint_line");
    hint_line->setGeometry(10, 190, 384, 28);
    hint_line->setReadOnly(true);
    hint_line->setFocusPolicy(Qt::NoFocus);

    start_button = command_button(this, "start_button", "検索開始", {176, 262, 112, 30});
    end_button = command_button(this, "end_button", "検索終了", {300, 262, 112, 30});
    connect(start_button, &QPushButton::clicked, this, &HotelSearchWindow::start_search);
    connect(end_button, &QPushButton::clicked, this, &HotelSearchWindow::end_window);

    key_field->installEventFilter(this);
    start_button->installEventFilter(this);
    lifecycle_->watch();
    // Tab runs through the kinds, the key and the two commands.
    setTabOrder(kind_buttons[6], key_field);
    setTabOrder(key_field, start_button);
    setTabOrder(start_button, end_button);
}

void HotelSearchWindow::choose_kind(int kind) {
    kind_ = kind;
    kind_buttons[kind]->setChecked(true);
    const Settings& s = app_.settings;
    if (kind == kind_pref || kind == kind_airport) {
        const std::string& last = kind == kind_pref ? s.key_history[1] : s.keyword_history[1];
        key_field->setText(qs(last.empty() ? "福岡" : last));
    } else if (kind != kind_free) {
        key_field->clear();
    }
    hint_line->setText(qs(kind_texts[kind].prompt));
    key_field->setFocus();
    key_field->selectAll();
    picker_button->setVisible(pickable(kind));
}

bool HotelSearchWindow::accept_key() {
    std::string text = ss(key_field->text());
    if (!check_search_key(*app_.hotel.data, app_.hotel.search, kind_, text)) {
        hint_line->setText(qs(key_error));
        key_field->setFocus();
        return false;
    }
    key_field->setText(qs(text));
    // Prefecture and airport keys are kept, newest first, for the next opening and the picker.
    remember_search_key(app_.hotel.search, app_.settings.key_history, app_.settings.keyword_history, kind_,
                        text);
    return true;
}

void HotelSearchWindow::key_entered() {
    if (key_field->text().isEmpty()) return;
    if (!accept_key()) return;
    hint_line->clear();
    start_button->setFocus();
}

void HotelSearchWindow::start_search() {
    if (key_field->text().isEmpty()) {
        key_field->setFocus();
        return;
    }
    if (!accept_key()) return;
    hint_line->setText(qs(kind_texts[kind_].prompt));
    // A new search starts without the previous one's refinement.
    app_.hotel.search.district_filter = 0;
    app_.hotel.search.filter_district.assign(1, std::string());
    emit search_requested();
}

void HotelSearchWindow::open_picker() {
    if (!pickable(kind_)) return;
    picker_button->hide();
    AreaPicker* picker = AreaPicker::open(
        app_, *this, kind_ == kind_pref ? AreaPickerMode::prefecture : AreaPickerMode::airport);
    connect(picker, &AreaPicker::picked, this, &HotelSearchWindow::take_picked, Qt::UniqueConnection);
}

void HotelSearchWindow::take_picked(const QString& name) {
    key_field->setText(name);
    start_button->setFocus();
}

bool HotelSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == key_field) {
        if (event->type() == QEvent::FocusIn) {
            key_field->selectAll();
            picker_button->setVisible(pickable(kind_));
        } else if (event->type() == QEvent::MouseButtonDblClick && pickable(kind_)) {
            open_picker();
            return true;
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                key_entered();
                return true;
            }
        }
    } else if (watched == start_button && event->type() == QEvent::FocusIn) {
        picker_button->hide();
    }
    return QWidget::eventFilter(watched, event);
}

void HotelSearchWindow::end_window() {
    if (lifecycle_->end_once()) close();
}

void HotelSearchWindow::closeEvent(QCloseEvent* event) {
    lifecycle_->end_once();
    QWidget::closeEvent(event);
}

}  // namespace quorvel
