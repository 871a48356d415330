// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/user_hotel_list_window.hpp"

#include <algorithm>
#include <array>

#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/text.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/command_button.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/common/window_place.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "gui/hotel/user_hotel_edit_window.hpp"

namespace quorvel {

namespace {

// Commands at the window's foot share one width.
QPushButton* wide_button(QWidget* parent, const char* name, const char* caption) {
    QPushButton* b = command_button(parent, name, caption);
    b->setMinimumWidth(96);
    return b;
}

constexpr const char* object_name = "user_hotel_list_window";
constexpr const char* settings_key = "infhotel41";  // its position in the settings file
constexpr const char* sort_marker = "▼ ";

struct Column {
    const char* heading;
    int width_twips;
};
constexpr std::array<Column, 9> columns = {{{"都道府県", 800},
                                            {"空港", 1000},
                                            {"地区", 800},
                                            {"ホテル名", 2000},
                                            {"電話番号", 1170},
                                            {"部屋数", 700},
                                            {"交通", 1600},
                                            {"料金(ｼﾝｸﾞﾙ)", 900},
                                            {"備考(評価)", 1080}}};
constexpr int rooms_column = 5;
constexpr int price_column = 7;

// The grid's widths were chosen for the Japanese code page's fixed-pitch Gothic; where it is missing
// its metric twin keeps the columns' proportions.
QFont grid_font() {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    font.setPointSize(9);
    return font;
}

std::string cell_text(const HotelData& d, int hotel, int column) {
    const auto i = static_cast<std::size_t>(hotel);
    switch (column) {
        case rooms_column:
            return user_rooms_for_display(d.user_rooms[i]);
        case price_column:
            return yen_for_display(d.user_price[i]);
        default:
            return d.user_fields(hotel)[static_cast<std::size_t>(column)];
    }
}

// Only a file that was read whole (or did not exist) may be written back; the registry does not let
// the user make changes it could not keep.
bool file_writable(const AppState& app) {
    return app.hotel.data->hotel_loaded == 1 && app.hotel.user_file_whole;
}

// Writes the user's hotels when they hold changes the file lacks.
Status write_unsaved(AppState& app) {
    if (!app.hotel.user_changes_unsaved || !file_writable(app)) return ok_status();
    const Status written = save_user_hotel(app.paths.user(user_hotel_file_name), *app.hotel.data);
    if (written) app.hotel.user_changes_unsaved = false;
    return written;
}

}  // namespace

void save_unsaved_user_hotels(AppState& app, Services& services) {
    while (!write_unsaved(app))
        if (services.boxes.ask(
                {"エラーメッセージ",
                 std::string(user_hotel_file_name) + " に保存できませんでした。もう一度保存しますか。",
                 MessageIcon::exclamation, MessageButtons::yes_no, 0}) != MessageAnswer::yes)
            return;
}

UserHotelListWindow::UserHotelListWindow(AppState& app, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] {
          // While a hotel is being edited the registry's own commands wait for it.
          if (edit_ == nullptr) end_registry(Ending::save);
      })) {
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);
    const HotelData& data = *app_.hotel.data;
    order_ = initial_user_order(data);
    opened_ = user_hotel_tables(data);
    build();
    set_commands();
}

UserHotelListWindow::~UserHotelListWindow() {
    // The edit window is a child and goes with this one; it must not report to a half-gone list.
    if (edit_ != nullptr) edit_->disconnect(this);
}

void UserHotelListWindow::build() {
    setWindowTitle(qs(hotel_caption));
    grid = new QTableWidget(this);
    grid->setObjectName("grid");
    grid->setColumnCount(static_cast<int>(columns.size()));
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    grid->setFont(grid_font());
    grid->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px 2px; }"));
    QHeaderView* header = grid->horizontalHeader();
    header->setFont(grid_font());
    // Long names run past their column: the user may widen it, and the whole text is a hover away.
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setHighlightSections(false);
    // A click on a heading is only the first half of a double click that sorts.
    header->setSectionsClickable(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    connect(grid->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            &UserHotelListWindow::sort_by_column);
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        grid->selectRow(row);
        if (change_button->isEnabled()) open_editor(UserHotelEditMode::change);
    });
    connect(grid, &QTableWidget::itemSelectionChanged, this, &UserHotelListWindow::set_commands);

    save_button = wide_button(this, "save_button", "登録終了");
    add_button = wide_button(this, "add_button", "追加");
    change_button = wide_button(this, "change_button", "修正");
    delete_button = wide_button(this, "delete_button", "削除");
    discard_button = wide_button(this, "discard_button", "取消終了");
    connect(save_button, &QPushButton::clicked, this, [this] { end_registry(Ending::save); });
    connect(discard_button, &QPushButton::clicked, this, [this] { end_registry(Ending::discard); });
    connect(add_button, &QPushButton::clicked, this, [this] { open_editor(UserHotelEditMode::add); });
    connect(change_button, &QPushButton::clicked, this, [this] { open_editor(UserHotelEditMode::change); });
    connect(delete_button, &QPushButton::clicked, this, &UserHotelListWindow::delete_selected);

    // The grid takes what the window gains; the buttons stay at the bottom, the two that end the
    // registry at the right.
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add_button, change_button, delete_button}) buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {save_button, discard_button}) buttons->addWidget(b);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        grid->setColumnWidth(c, columns[static_cast<std::size_t>(c)].width_twips / twips_per_pixel);
    fill_grid();
    int width = 0;
    for (int c = 0; c < grid->columnCount(); ++c) width += grid->columnWidth(c);
    grid->setMinimumSize(width + 2 * grid->frameWidth() + 20, 300);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);
    lifecycle_->watch();
    lifecycle_->place();
}

void UserHotelListWindow::fill_grid() {
    const HotelData& data = *app_.hotel.data;
    const int marked = sort_key_.empty() ? -1 : user_sort_column(sort_key_);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        std::string heading = columns[static_cast<std::size_t>(c)].heading;
        if (c == marked) heading = sort_marker + heading;
        grid->setHorizontalHeaderItem(c, new QTableWidgetItem(qs(heading)));
    }
    grid->setUpdatesEnabled(false);
    grid->setRowCount(data.user_hotel_count);
    for (int r = 1; r <= data.user_hotel_count; ++r) {
        const int hotel = order_[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
            auto* item = new QTableWidgetItem(qs(cell_text(data, hotel, c)));
            if (c == rooms_column || c == price_column)
                item->setTextAlignment(Qt::AlignVCenter | Qt::AlignRight);
            // The columns are narrow; the whole text is a hover away.
            item->setToolTip(item->text());
            grid->setItem(r - 1, c, item);
        }
    }
    fit_columns();
    grid->setUpdatesEnabled(true);
}

void UserHotelListWindow::fit_columns() {
    // A column keeps its set width unless its heading with the sort marker or its texts need more;
    // then it grows, up to twice that width. Longer texts are a hover away, or the user widens the
    // column.
    const QFontMetrics metrics(grid_font());
    const int margins = 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 8;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const Column& column = columns[static_cast<std::size_t>(c)];
        const bool sortable = user_sort_column(user_sort_key_for_column(c)) == c;
        int needed = metrics.horizontalAdvance(
            qs(sortable ? std::string(sort_marker) + column.heading : std::string(column.heading)));
        for (int row = 0; row < grid->rowCount(); ++row)
            needed = std::max(needed, metrics.horizontalAdvance(grid->item(row, c)->text()));
        const int design = column.width_twips / twips_per_pixel;
        grid->setColumnWidth(
            c, std::max(grid->columnWidth(c), std::clamp(needed + margins, design, 2 * design)));
    }
}

bool UserHotelListWindow::editable() const { return file_writable(app_); }

int UserHotelListWindow::selected_row() const {
    const QList<QTableWidgetItem*> items = grid->selectedItems();
    return items.isEmpty() ? 0 : items.front()->row() + 1;
}

void UserHotelListWindow::set_commands() {
    const bool idle = edit_ == nullptr;
    const bool row = selected_row() > 0;
    grid->setEnabled(idle);
    add_button->setEnabled(idle && editable());
    change_button->setEnabled(idle && editable() && row);
    delete_button->setEnabled(idle && editable() && row);
    save_button->setEnabled(idle);
    discard_button->setEnabled(idle);
}

void UserHotelListWindow::sort_by_column(int column) {
    if (column < 0 || edit_ != nullptr) return;
    sort_key_ = user_sort_key_for_column(column);
    sort_user_hotel(*app_.hotel.data, order_, sort_key_);
    grid->clearSelection();
    fill_grid();
}

void UserHotelListWindow::open_editor(UserHotelEditMode mode) {
    if (edit_ != nullptr || !editable()) return;
    int hotel = 0;
    if (mode == UserHotelEditMode::change) {
        const int row = selected_row();
        if (row == 0) return;
        hotel = order_[static_cast<std::size_t>(row)];
    }
    edit_ = new UserHotelEditWindow(app_, services_, *this, mode, hotel);
    connect(edit_, &UserHotelEditWindow::stored, this, &UserHotelListWindow::hotel_stored);
    connect(edit_, &UserHotelEditWindow::closed, this, [this] {
        edit_ = nullptr;
        set_commands();
        if (lifecycle_->ended()) return;
        raise();
        activateWindow();
    });
    set_commands();
    edit_->show();
    edit_->raise();
    edit_->activateWindow();
}

void UserHotelListWindow::hotel_stored(int hotel, bool added) {
    changed_ = true;
    if (added) order_.push_back(hotel);
    const int row = selected_row();
    fill_grid();
    if (row > 0 && !added) grid->selectRow(row - 1);
}

void UserHotelListWindow::delete_selected() {
    const int row = selected_row();
    if (row == 0 || !editable()) return;
    if (services_.boxes.ask({"確認メッセージ", "本当に削除しますよ！！", MessageIcon::exclamation,
                             MessageButtons::ok_cancel, 251}) != MessageAnswer::ok)
        return;
    delete_user_hotel(*app_.hotel.data, order_, row);
    changed_ = true;
    grid->clearSelection();
    fill_grid();
    set_commands();
}

void UserHotelListWindow::end_registry(Ending how) {
    if (lifecycle_->ended()) return;
    if (edit_ != nullptr) edit_->finish();
    if (how == Ending::discard) {
        if (changed_) restore_user_hotel_tables(*app_.hotel.data, opened_);
    } else {
        // What cannot be written now stays in memory and is tried again by the next registry or
        // at the end of the program.
        if (changed_) app_.hotel.user_changes_unsaved = true;
        if (how == Ending::program_end)
            save_unsaved_user_hotels(app_, services_);
        else if (const Status written = write_unsaved(app_); !written)
            services_.boxes.ask(
                {"エラーメッセージ",
                 std::string(user_hotel_file_name) + " に保存できませんでした。\n" + written.error().message,
                 MessageIcon::exclamation, MessageButtons::ok, 0});
    }
    lifecycle_->end_once();
    close();
}

void UserHotelListWindow::end_of_program() { end_registry(Ending::program_end); }

UserHotelEditWindow* UserHotelListWindow::edit_window() const { return edit_; }

void UserHotelListWindow::closeEvent(QCloseEvent* event) {
    // The title bar's close button ends the registry as 登録終了 does.
    end_registry(Ending::save);
    event->accept();
}

}  // namespace quorvel
