#include "gui/pickers/airport_picker.hpp"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "common/text.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/window_place.hpp"
#include "pickers/airport_list.hpp"

namespace quorvel {

namespace {

constexpr const char* window_name = "time_table11";
// The region last chosen is kept between openings and runs in control9_flg.
constexpr std::size_t last_area_flag = 9;

QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect r) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setGeometry(r);
    // Enter must never press a button the user did not aim at.
    b->setAutoDefault(false);
    return b;
}

}  // namespace

AirportPicker::AirportPicker(AppState& app, QWidget& owner, int picker_mode)
    : QDialog(&owner), app_(app), picker_mode_(picker_mode) {
    setObjectName(window_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    init_set();
}

AirportPicker::~AirportPicker() = default;

AirportPicker* AirportPicker::open(AppState& app, QWidget& owner, int picker_mode) {
    auto* picker = owner.findChild<AirportPicker*>(window_name, Qt::FindDirectChildrenOnly);
    // One that has closed may still wait for its deletion.
    if (picker == nullptr || picker->ended_) {
        picker = new AirportPicker(app, owner, picker_mode);
    } else {
        picker->set_mode(picker_mode);
    }
    picker->show();
    picker->raise();
    picker->activateWindow();
    return picker;
}

void AirportPicker::init_set() {
    setFixedSize(460, 372);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(8, 8, 444, 318);

    Command4 = button(Frame1, "Command4", "", {12, 24, 80, 26});
    // It names the field; there is nothing to press.
    Command4->setFocusPolicy(Qt::NoFocus);
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName("Text1");
    Text1->setGeometry(100, 24, 332, 26);
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::NoFocus);

    const auto& regions = region_options();
    for (std::size_t n = 1; n <= regions.size(); ++n) {
        auto* o = new QRadioButton(qs(regions[n - 1].caption), Frame1);
        o->setObjectName(QStringLiteral("Option%1").arg(n));
        // As wide as its caption: a click beside the text must not choose it.
        o->setGeometry(14, 62 + static_cast<int>(n - 1) * 24, o->sizeHint().width(), 22);
        const int region = regions[n - 1].region;
        connect(o, &QRadioButton::clicked, this, [this, region] { set_list1(region); });
        Option[n] = o;
    }

    List1 = new QListWidget(Frame1);
    List1->setObjectName("List1");
    List1->setGeometry(170, 62, 262, 242);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(List1, &QListWidget::itemSelectionChanged, this,
            [this] { Command3->setEnabled(!List1->selectedItems().isEmpty()); });
    connect(List1, &QListWidget::itemDoubleClicked, this, &AirportPicker::Command3_Click);

    Command3 = button(this, "Command3", "選択確定", {212, 334, 116, 30});
    Command1 = button(this, "Command1", "取消終了", {336, 334, 116, 30});
    connect(Command3, &QPushButton::clicked, this, &AirportPicker::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &AirportPicker::end_proc);

    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    set_form1();
    int last_area = app_.settings.control_flg[last_area_flag];
    if (last_area < 0 || last_area > 9) last_area = 0;
    QRadioButton* preselected = Option[last_area == 0 ? 10 : static_cast<std::size_t>(last_area)];
    preselected->setChecked(true);
    set_list1(last_area);
    set_mode(picker_mode_);
    List1->setFocus();
}

void AirportPicker::set_form1() {
    setWindowTitle(qs(app_.identity.app_title));
    if (const auto* pos = app_.settings.position(window_name)) place_window(*this, *pos);
}

void AirportPicker::set_mode(int picker_mode) {
    picker_mode_ = picker_mode;
    const PickerTexts texts = picker_texts(picker_mode);
    Frame1->setTitle(qs(texts.frame_caption));
    Command4->setText(qs(texts.field_caption));
    Text1->setText(qs(texts.instruction));
}

void AirportPicker::set_list1(int indx) {
    List1->clear();
    if (app_.timetable)
        for (const std::string& name : quorvel::set_list1(*app_.timetable, indx)) List1->addItem(qs(name));
    Command3->setEnabled(false);
    app_.settings.control_flg[last_area_flag] = static_cast<std::int16_t>(indx);
}

void AirportPicker::Command3_Click() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty()) return;
    const QString name = qs(trim(ss(selected.front()->text())));
    const int mode = picker_mode_;
    end_proc();
    emit airport_chosen(mode, name);
}

bool AirportPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            end_proc();
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && watched == List1) {
            if (Command3->isEnabled()) Command3_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AirportPicker::reject() { end_proc(); }

void AirportPicker::end_proc() {
    if (ended_) return;
    ended_ = true;
    if (auto* pos = app_.settings.position(window_name)) remember_position(*this, *pos);
    QDialog::done(QDialog::Rejected);
}

}  // namespace quorvel
