// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/district_filter_window.hpp"

#include <string>
#include <vector>

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "gui/common/app_state.hpp"
#include "gui/common/command_button.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "hotel/hotel_pickers.hpp"

namespace quorvel {

namespace {

QListWidget* framed_list(QWidget* parent, const char* frame_name, const char* title, const char* name,
                         int x) {
    auto* frame = new QGroupBox(QString::fromUtf8(title), parent);
    frame->setObjectName(frame_name);
    frame->setGeometry(x, 8, 230, 330);
    auto* list = new QListWidget(frame);
    list->setObjectName(name);
    list->setGeometry(10, 24, 210, 294);
    // A click adds an item to the selection or takes it out; several districts are moved at once.
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    return list;
}

void fill(QListWidget* list, const std::vector<std::string>& items) {
    for (const std::string& item : items) list->addItem(qs(item));
}

}  // namespace

DistrictFilterWindow::DistrictFilterWindow(AppState& app, QWidget* parent)
    : QDialog(parent),
      app_(app),
      // Escape ends the window the way 了解 does: with the districts as chosen so far.
      lifecycle_(new WindowLifecycle(*this, app.settings, "infhotel13", nullptr, [this] { finish(true); })) {
    setObjectName("district_filter_window");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    build();
}

DistrictFilterWindow::~DistrictFilterWindow() = default;

void DistrictFilterWindow::build() {
    setFixedSize(600, 386);
    setWindowTitle(QString::fromUtf8(hotel_caption));
    district_list = framed_list(this, "district_frame", "ホテル地区名", "district_list", 8);
    chosen_list = framed_list(this, "chosen_frame", "選択地区名", "chosen_list", 362);

    choose_button = command_button(this, "choose_button", "選択>", {248, 70, 104, 30});
    choose_all_button = command_button(this, "choose_all_button", "全選択>>", {248, 110, 104, 30});
    remove_button = command_button(this, "remove_button", "<取消", {248, 190, 104, 30});
    remove_all_button = command_button(this, "remove_all_button", "<<全取消", {248, 230, 104, 30});
    ok_button = command_button(this, "ok_button", "了解", {362, 348, 110, 30});
    cancel_button = command_button(this, "cancel_button", "ｷｬﾝｾﾙ", {482, 348, 110, 30});

    connect(district_list, &QListWidget::itemSelectionChanged, this, &DistrictFilterWindow::update_buttons);
    connect(chosen_list, &QListWidget::itemSelectionChanged, this, &DistrictFilterWindow::update_buttons);
    connect(choose_button, &QPushButton::clicked, this,
            [this] { move_items(district_list, chosen_list, false); });
    connect(choose_all_button, &QPushButton::clicked, this,
            [this] { move_items(district_list, chosen_list, true); });
    connect(remove_button, &QPushButton::clicked, this,
            [this] { move_items(chosen_list, district_list, false); });
    connect(remove_all_button, &QPushButton::clicked, this,
            [this] { move_items(chosen_list, district_list, true); });
    connect(ok_button, &QPushButton::clicked, this, [this] { finish(true); });
    connect(cancel_button, &QPushButton::clicked, this, [this] { finish(false); });

    const DistrictLists lists = district_lists(app_.hotel.hits, app_.hotel.search);
    fill(district_list, lists.offered);
    fill(chosen_list, lists.chosen);
    update_buttons();

    lifecycle_->watch();
    lifecycle_->place();
}

void DistrictFilterWindow::move_items(QListWidget* from, QListWidget* to, bool all) {
    std::vector<int> rows;
    for (int row = 0; row < from->count(); ++row)
        if (all || from->item(row)->isSelected()) rows.push_back(row);
    // Taken from the bottom up so the rows still to take keep their numbers; added in list order.
    std::vector<QListWidgetItem*> moved;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        moved.insert(moved.begin(), from->takeItem(*row));
    for (QListWidgetItem* item : moved) to->addItem(item);
    // Moving everything leaves nothing chosen on either side.
    if (all) to->clearSelection();
    update_buttons();
}

void DistrictFilterWindow::update_buttons() {
    // Removing selected items does not always tell the selection's listeners.
    choose_button->setEnabled(!district_list->selectedItems().isEmpty());
    remove_button->setEnabled(!chosen_list->selectedItems().isEmpty());
    choose_all_button->setEnabled(district_list->count() > 0);
    remove_all_button->setEnabled(chosen_list->count() > 0);
}

void DistrictFilterWindow::reject() { finish(false); }

void DistrictFilterWindow::finish(bool accepted) {
    if (!lifecycle_->end_once()) return;
    if (accepted) {
        std::vector<std::string> chosen;
        for (int row = 0; row < chosen_list->count(); ++row)
            chosen.push_back(ss(chosen_list->item(row)->text()));
        set_district_refinement(app_.hotel.search, chosen);
    }
    QDialog::done(accepted ? QDialog::Accepted : QDialog::Rejected);
    emit finished_refining(accepted);
}

}  // namespace quorvel
