// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/user_hotel_edit_window.hpp"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/text.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/command_button.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/hotel/area_picker.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "hotel/hotel_user.hpp"

namespace quorvel {

namespace {

constexpr const char* object_name = "user_hotel_edit_window";
constexpr const char* settings_key = "infhotel42";  // its position in the settings file
constexpr const char* default_place = "福岡";       // prefecture and airport of a new hotel without history

struct FieldText {
    const char* object_name;
    const char* prompt;
    const char* example;
};
constexpr std::array<FieldText, 9> field_texts = {{
    {"pref_field", "都道府県を選択して下さい", "入力例：東京"},
    {"airport_field", "空港名を選択して下さい", "入力例：東京／羽田"},
    {"district_field", "地区名を入力して下さい（省略可）", "入力例：京橋"},
    {"hotel_name_field", "ホテル名を入力して下さい", "入力例：ケルバホテル"},
    {"tel_field", "電話番号を入力して下さい", "入力例：012-345-6789"},
    {"rooms_field", "部屋数を入力して下さい", "入力例：123"},
    {"access_field", "交通を入力して下さい（省略可）", "入力例：京橋駅徒歩１０分"},
    {"price_field", "料金を入力して下さい", "入力例：¥10,000"},
    {"note_field", "備考を入力して下さい（省略可）", "入力例：○"},
}};
constexpr int price = 7;

// The price is stored with the code page's yen sign, which is shown as "¥".
std::string for_screen(int field, const std::string& text) {
    return field == price ? yen_for_display(text) : text;
}

}  // namespace

UserHotelEditWindow::UserHotelEditWindow(AppState& app, Services& services, QWidget& owner,
                                         UserHotelEditMode mode, int hotel)
    : QWidget(&owner, Qt::Window),
      app_(app),
      services_(services),
      mode_(mode),
      hotel_(hotel),
      lifecycle_(
          new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] { finish(); })) {
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);
    build();
    fill();
}

UserHotelEditWindow::~UserHotelEditWindow() = default;

void UserHotelEditWindow::build() {
    setWindowTitle(qs(hotel_caption));
    auto* frame = new QGroupBox(QStringLiteral("ホテル情報"), this);
    auto* rows = new QGridLayout(frame);
    pref_picker_button = command_button(frame, "pref_picker_button", "?");
    airport_picker_button = command_button(frame, "airport_picker_button", "?");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* label = new QLabel(qs(user_hotel_field_labels[i]), frame);
        // The labels line their colons up with full-width blanks, which takes a fixed-pitch font.
        QFont fixed_pitch = label->font();
        fixed_pitch.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                                 QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
        label->setFont(fixed_pitch);
        rows->addWidget(label, row, 0);
        fields[i] = new QLineEdit(frame);
        fields[i]->setObjectName(field_texts[i].object_name);
        fields[i]->setMinimumWidth(320);
        fields[i]->installEventFilter(this);
        rows->addWidget(fields[i], row, 1);
    }
    for (QPushButton* b : {pref_picker_button, airport_picker_button}) {
        // Pressing it must leave the focus in its field, or the field would lose its button.
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedWidth(28);
        QSizePolicy keep = b->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        b->setSizePolicy(keep);
        b->hide();
    }
    rows->addWidget(pref_picker_button, 0, 2);
    rows->addWidget(airport_picker_button, 1, 2);
    connect(pref_picker_button, &QPushButton::clicked, this,
            [this] { open_picker(AreaPickerMode::prefecture); });
    connect(airport_picker_button, &QPushButton::clicked, this,
            [this] { open_picker(AreaPickerMode::airport); });

    message_field = new QPlainTextEdit(this);
    message_field->setObjectName("message_field");
    message_field->setReadOnly(true);
    message_field->setFocusPolicy(Qt::NoFocus);
    message_field->setFixedHeight(message_field->fontMetrics().lineSpacing() * 2 + 14);
    auto* message_row = new QHBoxLayout;
    message_row->addWidget(new QLabel(QStringLiteral("メッセージ："), this), 0, Qt::AlignTop);
    message_row->addWidget(message_field, 1);

    mode_label = new QLabel(this);
    mode_label->setObjectName("mode_label");
    update_button = command_button(this, "update_button", "更新");
    add_update_button = command_button(this, "add_update_button", "追加更新");
    cancel_button = command_button(this, "cancel_button", "取消終了");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mode_label);
    buttons->addStretch();
    for (QPushButton* b : {update_button, add_update_button, cancel_button}) {
        b->setMinimumWidth(100);
        b->installEventFilter(this);
        buttons->addWidget(b);
    }
    connect(update_button, &QPushButton::clicked, this, [this] { save(false); });
    connect(add_update_button, &QPushButton::clicked, this, [this] { save(true); });
    connect(cancel_button, &QPushButton::clicked, this, &UserHotelEditWindow::finish);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(message_row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    lifecycle_->watch();
    lifecycle_->place();
}

void UserHotelEditWindow::fill() {
    const HotelData& data = *app_.hotel.data;
    if (mode_ == UserHotelEditMode::change) {
        mode_label->setText(QStringLiteral("修正モード"));
        const UserHotelFields f = data.user_fields(hotel_);
        for (std::size_t i = 0; i < f.size(); ++i) show_field(static_cast<int>(i), f[i]);
    } else {
        mode_label->setText(QStringLiteral("追加モード"));
        // A new hotel most likely lies where the user last looked.
        const std::string& pref = app_.settings.key_history[1];
        const std::string& airport = app_.settings.keyword_history[1];
        show_field(0, pref.empty() ? default_place : pref);
        show_field(1, airport.empty() ? default_place : airport);
        add_update_button->setEnabled(false);
    }
    fields[0]->setFocus();
    field_focused(0);
}

int UserHotelEditWindow::field_of(const QObject* widget) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i] == widget) return static_cast<int>(i);
    return -1;
}

void UserHotelEditWindow::field_focused(int field) {
    fields[static_cast<std::size_t>(field)]->selectAll();
    const FieldText& t = field_texts[static_cast<std::size_t>(field)];
    message_field->setPlainText(qs(std::string(t.prompt) + "\n" + t.example));
    show_picker_button(field == 0 ? pref_picker_button : field == 1 ? airport_picker_button : nullptr);
}

void UserHotelEditWindow::show_picker_button(QPushButton* shown) {
    for (QPushButton* b : {pref_picker_button, airport_picker_button}) b->setVisible(b == shown);
}

bool UserHotelEditWindow::eventFilter(QObject* watched, QEvent* event) {
    const int field = field_of(watched);
    switch (event->type()) {
        case QEvent::FocusIn:
            if (field >= 0)
                field_focused(field);
            else
                show_picker_button(nullptr);  // a button has the focus
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (field >= 0 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
                enter_in(field);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (field == 0 || field == 1) {
                open_picker(field == 0 ? AreaPickerMode::prefecture : AreaPickerMode::airport);
                return true;
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

UserHotelFields UserHotelEditWindow::typed() const {
    UserHotelFields f;
    for (std::size_t i = 0; i < f.size(); ++i) f[i] = ss(fields[i]->text());
    return f;
}

void UserHotelEditWindow::show_field(int field, const std::string& text) {
    fields[static_cast<std::size_t>(field)]->setText(qs(for_screen(field, text)));
}

void UserHotelEditWindow::enter_in(int field) {
    UserHotelFields f = typed();
    const std::string message = check_user_hotel_field(*app_.hotel.data, f, field, false);
    show_field(field, f[static_cast<std::size_t>(field)]);
    if (!message.empty()) {
        refuse(field, message);
        return;
    }
    if (field + 1 < static_cast<int>(fields.size()))
        fields[static_cast<std::size_t>(field) + 1]->setFocus();
    else
        update_button->setFocus();
}

void UserHotelEditWindow::refuse(int field, const std::string& message) {
    // Focus first: a field that gets it shows its prompt, which the message replaces.
    QLineEdit* edit = fields[static_cast<std::size_t>(field)];
    edit->setFocus();
    edit->selectAll();
    message_field->setPlainText(qs(message));
}

void UserHotelEditWindow::save(bool add_update) {
    HotelData& data = *app_.hotel.data;
    UserHotelFields f = typed();
    const UserHotelCheck check = check_user_hotel(data, f, add_update);
    // The checks fill in the district and re-write the price; the user sees what will be stored.
    for (std::size_t i = 0; i < f.size(); ++i) show_field(static_cast<int>(i), f[i]);
    if (!check.ok()) {
        refuse(check.field, check.message);
        return;
    }
    const bool adding = add_update || mode_ == UserHotelEditMode::add;
    if (adding && data.user_hotel_count >= hotel_bounds::user_hotels) {
        message_field->setPlainText(qs(user_hotel_full_message));
        return;
    }
    const Question confirm = adding ? Question{"確認メッセージ", "追加しますよ！！", MessageIcon::exclamation,
                                               MessageButtons::ok_cancel, 253}
                                    : Question{"確認メッセージ", "更新しますよ！！", MessageIcon::exclamation,
                                               MessageButtons::ok_cancel, 252};
    if (services_.boxes.ask(confirm) != MessageAnswer::ok) return;
    const Status done = adding ? add_user_hotel(data, f) : store_user_hotel(data, hotel_, f);
    if (!done) {
        message_field->setPlainText(qs(done.error().message));
        return;
    }
    emit stored(adding ? data.user_hotel_count : hotel_, adding);
    finish();
}

void UserHotelEditWindow::open_picker(AreaPickerMode mode) {
    show_picker_button(nullptr);
    AreaPicker* picker = AreaPicker::open(app_, *this, mode);
    // The picker is reused while it is open and may change its mode meanwhile: it is asked which
    // field its choice is for when it makes one.
    if (picker != picker_) {
        picker_ = picker;
        connect(picker, &AreaPicker::picked, this, [this, picker](const QString& name) {
            if (picker_ == picker) take_pick(picker->mode(), name);
        });
    }
}

void UserHotelEditWindow::take_pick(AreaPickerMode mode, const QString& name) {
    const int field = mode == AreaPickerMode::prefecture ? 0 : 1;
    fields[static_cast<std::size_t>(field)]->setText(name);
    fields[static_cast<std::size_t>(field) + 1]->setFocus();
    // The window may sit behind the picker that just closed.
    raise();
    activateWindow();
}

void UserHotelEditWindow::finish() {
    if (lifecycle_->end_once()) close();
}

void UserHotelEditWindow::closeEvent(QCloseEvent* event) {
    lifecycle_->end_once();
    if (picker_ != nullptr) picker_->close();
    event->accept();
    emit closed();
}

}  // namespace quorvel
