// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pickers/airport_picker.hpp"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "common/text.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/command_button.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "pickers/airport_list.hpp"

namespace quorvel {

namespace {

constexpr const char* object_name = "airport_picker";
constexpr const char* settings_key = "time_table11";  // its position in the settings file
// The region last chosen is kept between openings and runs in option flag 9 (control9_flg in the settings
// file).
constexpr std::size_t last_area_flag = 9;

}  // namespace

AirportPicker::AirportPicker(AppState& app, QWidget& owner, AirportField field)
    : QDialog(&owner),
      app_(app),
      field_(field),
      lifecycle_(new WindowLifecycle(*this, app.settings, settings_key, nullptr, [this] { finish(); })) {
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    build();
}

AirportPicker::~AirportPicker() = default;

AirportPicker* AirportPicker::open(AppState& app, QWidget& owner, AirportField field) {
    auto* picker = owner.findChild<AirportPicker*>(object_name, Qt::FindDirectChildrenOnly);
    // One that has closed may still wait for its deletion.
    if (picker == nullptr || picker->lifecycle_->ended()) {
        picker = new AirportPicker(app, owner, field);
    } else {
        picker->set_field(field);
    }
    picker->show();
    picker->raise();
    picker->activateWindow();
    return picker;
}

void AirportPicker::build() {
    setFixedSize(460, 372);
    field_frame = new QGroupBox(this);
    field_frame->setObjectName("field_frame");
    field_frame->setGeometry(8, 8, 444, 318);

    field_caption = command_button(field_frame, "field_caption", "", {12, 24, 80, 26});
    // It names the field; there is nothing to press.
    field_caption->setFocusPolicy(Qt::NoFocus);
    instruction = new QLineEdit(field_frame);
    instruction->setObjectName("instruction");
    instruction->setGeometry(100, 24, 332, 26);
    instruction->setReadOnly(true);
    instruction->setFocusPolicy(Qt::NoFocus);

    const auto& regions = region_options();
    for (std::size_t n = 1; n <= regions.size(); ++n) {
        auto* o = new QRadioButton(qs(regions[n - 1].caption), field_frame);
        o->setObjectName(QStringLiteral("region_button_%1").arg(n));
        // As wide as its caption: a click beside the text must not choose it.
        o->setGeometry(14, 62 + static_cast<int>(n - 1) * 24, o->sizeHint().width(), 22);
        const int region = regions[n - 1].region;
        connect(o, &QRadioButton::clicked, this, [this, region] { show_region(region); });
        region_buttons[n] = o;
    }

    airport_list = new QListWidget(field_frame);
    airport_list->setObjectName("airport_list");
    airport_list->setGeometry(170, 62, 262, 242);
    airport_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(airport_list, &QListWidget::itemSelectionChanged, this,
            [this] { choose_button->setEnabled(!airport_list->selectedItems().isEmpty()); });
    connect(airport_list, &QListWidget::itemDoubleClicked, this, &AirportPicker::choose);

    choose_button = command_button(this, "choose_button", "選択確定", {212, 334, 116, 30});
    cancel_button = command_button(this, "cancel_button", "取消終了", {336, 334, 116, 30});
    connect(choose_button, &QPushButton::clicked, this, &AirportPicker::choose);
    connect(cancel_button, &QPushButton::clicked, this, &AirportPicker::finish);

    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    lifecycle_->watch();

    set_title_and_position();
    int last_area = app_.settings.option_flags[last_area_flag];
    if (last_area < 0 || last_area > 9) last_area = 0;
    QRadioButton* preselected = region_buttons[last_area == 0 ? 10 : static_cast<std::size_t>(last_area)];
    preselected->setChecked(true);
    show_region(last_area);
    set_field(field_);
    airport_list->setFocus();
}

void AirportPicker::set_title_and_position() {
    setWindowTitle(qs(app_.identity.app_title));
    lifecycle_->place();
}

void AirportPicker::set_field(AirportField field) {
    field_ = field;
    const PickerTexts texts = picker_texts(field);
    field_frame->setTitle(qs(texts.frame_caption));
    field_caption->setText(qs(texts.field_caption));
    instruction->setText(qs(texts.instruction));
}

void AirportPicker::show_region(int region) {
    airport_list->clear();
    if (app_.timetable)
        for (const std::string& name : airports_of_region(*app_.timetable, region))
            airport_list->addItem(qs(name));
    choose_button->setEnabled(false);
    app_.settings.option_flags[last_area_flag] = static_cast<std::int16_t>(region);
}

void AirportPicker::choose() {
    const QList<QListWidgetItem*> selected = airport_list->selectedItems();
    if (selected.isEmpty()) return;
    const QString name = qs(trim(ss(selected.front()->text())));
    const AirportField field = field_;
    finish();
    emit airport_chosen(field, name);
}

bool AirportPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && watched == airport_list) {
            if (choose_button->isEnabled()) choose();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AirportPicker::reject() { finish(); }

void AirportPicker::finish() {
    if (!lifecycle_->end_once()) return;
    QDialog::done(QDialog::Rejected);
}

}  // namespace quorvel
