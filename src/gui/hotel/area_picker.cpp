// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/area_picker.hpp"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "gui/common/app_state.hpp"
#include "gui/common/command_button.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/tab_stop_delegate.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "hotel/hotel_pickers.hpp"

namespace quorvel {

namespace {

constexpr const char* object_name = "area_picker";
constexpr const char* settings_key = "infhotel14";  // its position in the settings file
// The area last shown is kept per mode, between openings and runs, in these option flags.
std::size_t area_flag(AreaPickerMode mode) { return mode == AreaPickerMode::prefecture ? 1 : 2; }

struct ModeTexts {
    const char* frame;
    const char* column;
    const char* hint;
};

ModeTexts texts_of(AreaPickerMode mode) {
    if (mode == AreaPickerMode::prefecture)
        return {"都道府県名の選択", "都道府県名", "都道府県名を選択して下さい"};
    return {"空港の選択", "空港名",
            "空港を選択して下さい。東京／羽田と東京／成田、大阪／伊丹と大阪／関西は同一です"};
}

AreaListKind list_kind(AreaPickerMode mode) {
    return mode == AreaPickerMode::prefecture ? AreaListKind::prefecture : AreaListKind::airport;
}

}  // namespace

AreaPicker::AreaPicker(AppState& app, QWidget& owner, AreaPickerMode mode)
    : QDialog(&owner),
      app_(app),
      mode_(mode),
      lifecycle_(new WindowLifecycle(*this, app.settings, settings_key, nullptr, [this] { finish(); })) {
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    build();
}

AreaPicker::~AreaPicker() = default;

AreaPicker* AreaPicker::open(AppState& app, QWidget& owner, AreaPickerMode mode) {
    AreaPicker* picker = nullptr;
    // One that has closed may still wait for its deletion.
    for (AreaPicker* p : owner.findChildren<AreaPicker*>(object_name, Qt::FindDirectChildrenOnly))
        if (!p->lifecycle_->ended() && p->isVisible()) picker = p;
    if (picker == nullptr) {
        picker = new AreaPicker(app, owner, mode);
    } else {
        disconnect(picker, &AreaPicker::picked, nullptr, nullptr);
        picker->mode_ = mode;
        picker->start_over();
    }
    picker->show();
    picker->raise();
    picker->activateWindow();
    return picker;
}

void AreaPicker::build() {
    setFixedSize(640, 388);
    setWindowTitle(QString::fromUtf8(hotel_caption));
    list_frame = new QGroupBox(this);
    list_frame->setObjectName("list_frame");
    list_frame->setGeometry(8, 8, 624, 334);

    hint = new QLineEdit(list_frame);
    hint->setObjectName("hint");
    hint->setGeometry(12, 24, 600, 26);
    hint->setReadOnly(true);
    hint->setFocusPolicy(Qt::NoFocus);

    for (std::size_t n = 1; n <= 10; ++n) {
        auto* o = new QRadioButton(list_frame);
        o->setObjectName(QStringLiteral("area_button_%1").arg(n));
        const int area = n == 10 ? 0 : static_cast<int>(n);
        connect(o, &QRadioButton::clicked, this, [this, area] { show_area(area); });
        area_buttons[n] = o;
    }

    column_caption = command_button(list_frame, "column_caption", "", {236, 60, 120, 24});
    // It heads the list; there is nothing to press.
    column_caption->setFocusPolicy(Qt::NoFocus);
    name_list = new QListWidget(list_frame);
    name_list->setObjectName("name_list");
    name_list->setGeometry(236, 86, 376, 236);
    name_list->setSelectionMode(QAbstractItemView::SingleSelection);
    name_list->setItemDelegate(new TabStopDelegate(name_list));
    connect(name_list, &QListWidget::itemSelectionChanged, this, [this] {
        const bool chosen = !name_list->selectedItems().isEmpty();
        choose_button->setEnabled(chosen);
        reset_button->setEnabled(chosen);
    });
    connect(name_list, &QListWidget::itemDoubleClicked, this, &AreaPicker::choose);

    choose_button = command_button(this, "choose_button", "選択確定", {268, 350, 116, 30});
    reset_button = command_button(this, "reset_button", "取消", {392, 350, 116, 30});
    cancel_button = command_button(this, "cancel_button", "取消終了", {516, 350, 116, 30});
    connect(choose_button, &QPushButton::clicked, this, &AreaPicker::choose);
    connect(reset_button, &QPushButton::clicked, this, &AreaPicker::start_over);
    connect(cancel_button, &QPushButton::clicked, this, &AreaPicker::finish);

    name_list->installEventFilter(this);
    lifecycle_->watch();
    lifecycle_->place();
    start_over();
}

void AreaPicker::start_over() {
    const ModeTexts texts = texts_of(mode_);
    list_frame->setTitle(QString::fromUtf8(texts.frame));
    column_caption->setText(QString::fromUtf8(texts.column));
    hint->setText(QString::fromUtf8(texts.hint));
    hint->setCursorPosition(0);

    const auto captions = area_option_captions(*app_.hotel.data, list_kind(mode_));
    for (std::size_t n = 1; n <= 10; ++n) {
        QRadioButton* o = area_buttons[n];
        o->setText(qs(captions[n]));
        o->setEnabled(true);
        // As wide as its caption: a click beside the text must not choose it.
        o->setGeometry(14, 60 + static_cast<int>(n - 1) * 26, o->sizeHint().width(), 24);
        // A data file with fewer areas leaves options without a name and without places.
        o->setVisible(!captions[n].empty());
    }
    int area = remembered_area(app_.settings.option_flags[area_flag(mode_)]);
    if (captions[area == 0 ? 10 : area].empty()) area = 0;
    area_buttons[area == 0 ? 10 : static_cast<std::size_t>(area)]->setChecked(true);
    show_area(area);
    reset_button->setEnabled(false);
    name_list->setFocus();
}

void AreaPicker::show_area(int area) {
    name_list->clear();
    for (const std::string& line : area_list_lines(*app_.hotel.data, list_kind(mode_), area))
        name_list->addItem(qs(line));
    choose_button->setEnabled(false);
    app_.settings.option_flags[area_flag(mode_)] = static_cast<std::int16_t>(area);
}

void AreaPicker::choose() {
    const QList<QListWidgetItem*> selected = name_list->selectedItems();
    if (selected.isEmpty()) return;
    const std::string name = area_line_name(ss(selected.front()->text()));
    app_.hotel.search.picked_text = name;
    push_history(
        mode_ == AreaPickerMode::prefecture ? app_.settings.key_history : app_.settings.keyword_history,
        name);
    finish();
    emit picked(qs(name));
}

bool AreaPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == name_list) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (choose_button->isEnabled()) choose();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AreaPicker::reject() { finish(); }

void AreaPicker::finish() {
    if (!lifecycle_->end_once()) return;
    QDialog::done(QDialog::Rejected);
}

}  // namespace quorvel
