// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/hotel_list_window.hpp"

#include <algorithm>
#include <cmath>

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "common/text.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/browser_use.hpp"
#include "gui/common/command_button.hpp"
#include "gui/common/progress_window.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/common/window_place.hpp"
#include "gui/hotel/hotel_grid_model.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "gui/hotel/hotel_pages.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel {

namespace {

constexpr const char* object_name = "hotel_list_window";
constexpr const char* settings_key = "infhotel12";
constexpr int min_refine_districts = 6;  // refinement pays off above five districts

// The grid's space around it, in pixels: the title line above, notices and commands below.
constexpr int margin = 4;
constexpr int top_space = 34;
constexpr int bottom_space = 84;

QFont grid_font() {
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPointSize(9);
    return f;
}

// The sort key a double click on a heading asks for; the access and remark columns have none.
std::string sort_key_for_column(int column) {
    switch (column) {
        case 0:
            return "ホテル詳細";
        case 1:
            return "ホテル名";
        case 2:
            return "ホテル電話";
        case 3:
            return "ホテル部屋数";
        case 5:
            return "ホテル料金";
        default:
            return sort_by_pref;
    }
}

}  // namespace

HotelListWindow::HotelListWindow(AppState& app, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(
          new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] { end_window(); })) {
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qs(hotel_caption));
    build();
}

HotelListWindow::~HotelListWindow() = default;

void HotelListWindow::build() {
    title_line = command_button(this, "title_line", "");
    // It shows the search; there is nothing to press.
    title_line->setFocusPolicy(Qt::NoFocus);
    title_line->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 8px;"));

    model_ = new HotelGridModel(this);
    grid = new QTableView(this);
    grid->setObjectName("grid");
    grid->setModel(model_);
    grid->setFont(grid_font());
    grid->horizontalHeader()->setFont(grid_font());
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Rows are as high as their lines need, one line included.
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(true);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setStyleSheet(QStringLiteral("QTableView::item { padding: 0px 2px; }"));
    connect(grid, &QTableView::clicked, this, [this](const QModelIndex& i) { hotel_clicked(i.row()); });
    // A double click on a hotel is a click; on a heading it sorts by that column.
    connect(grid, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { hotel_clicked(i.row()); });
    connect(grid->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            &HotelListWindow::heading_double_clicked);

    notice = new QLabel(
        QStringLiteral("備考(評価)は作者の個人的な評価です。\n公的機関の評価ではありません。ご留意下さい。"),
        this);
    notice->setObjectName("notice");
    colour_sample = new QLabel(this);
    colour_sample->setObjectName("colour_sample");
    colour_sample->setAutoFillBackground(true);
    colour_sample->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3); border: 1px solid gray;")
                                     .arg(link_colour.r)
                                     .arg(link_colour.g)
                                     .arg(link_colour.b));
    colour_legend = new QLabel(QStringLiteral("のホテルはインターネット情報検索、予約が行えます"), this);
    colour_legend->setObjectName("colour_legend");

    refine_button = command_button(this, "refine_button", "地区の絞り込み");
    info_button = command_button(this, "info_button", "ホテル情報");
    reserve_button = command_button(this, "reserve_button", "ホテル予約");
    end_button = command_button(this, "end_button", "終了");
    connect(refine_button, &QPushButton::clicked, this, &HotelListWindow::refine_requested);
    connect(info_button, &QPushButton::clicked, this, [this] { open_pages(false); });
    connect(reserve_button, &QPushButton::clicked, this, [this] { open_pages(true); });
    connect(end_button, &QPushButton::clicked, this, &HotelListWindow::end_window);
    info_button->setEnabled(false);
    reserve_button->setEnabled(false);

    lifecycle_->watch();
    setMinimumSize(640, 300);
    const Settings& s = app_.settings;
    resize(std::max(640, s.hotel_list_width / twips_per_pixel),
           std::max(300, s.hotel_list_height / twips_per_pixel));
    for (int c = 0; c < grid_columns; ++c)
        grid->setColumnWidth(c, s.hotel_column_widths[static_cast<std::size_t>(c)] / twips_per_pixel);
    lifecycle_->place();
}

bool HotelListWindow::run_search() {
    HotelData& data = *app_.hotel.data;
    HotelSearchState& search = app_.hotel.search;
    // A new search starts from its own order without the previous hotel's details.
    if (detail_ != nullptr) detail_->end_window();
    current_hotel_ = 0;
    info_button->setEnabled(false);
    reserve_button->setEnabled(false);

    ProgressWindow progress(app_, this);
    progress.set_range(0, 4);
    progress.show();
    title_line->setText(qs(hotel_title_line(search.search_kind, search.search_key_text)));
    progress.set_value(1);
    progress.yield();
    // The registry's changes reach the search as soon as they are made.
    if (data.user_hotel_merged == 0) copy_user_hotel(data);
    app_.hotel.sort_key = sort_by_pref;
    app_.hotel.hits =
        run_hotel_search(data, search, effective_hotel_limit(app_.settings.hotel_limit), sort_by_pref);
    progress.set_value(2);
    progress.yield();
    if (app_.hotel.hits.hotel_hit_count() == 0) {
        progress.unload();
        services_.boxes.ask(
            {"エラーメッセージ", "ホテルデータなし", MessageIcon::exclamation, MessageButtons::ok, 0});
        end_window();
        return false;
    }
    progress.set_value(3);
    fill_grid();
    progress.set_value(4);
    progress.unload();
    return true;
}

void HotelListWindow::sort_by(const std::string& sort_key) {
    app_.hotel.sort_key = sort_key;
    sort_hotel(*app_.hotel.data, app_.hotel.hits.hotel_hit_list, sort_key);
    fill_grid();
}

void HotelListWindow::fill_grid() {
    const HotelData& data = *app_.hotel.data;
    const HotelHits& hits = app_.hotel.hits;
    grid->setUpdatesEnabled(false);
    model_->set_hits(&data, hits.hotel_hit_list, app_.hotel.sort_key);
    std::array<int, grid_columns> widths{};
    for (int c = 0; c < grid_columns; ++c)
        widths[static_cast<std::size_t>(c)] = grid->columnWidth(c) * twips_per_pixel;
    QHeaderView* rows = grid->verticalHeader();
    for (int r = 0; r < hits.hotel_hit_count(); ++r) {
        const int k = hits.hotel_hit_list[static_cast<std::size_t>(r)];
        rows->resizeSection(r, hotel_row_height(hotel_cell_texts(data, k), widths) / twips_per_pixel + 4);
    }
    grid->setUpdatesEnabled(true);
    title_line->setText(qs(hotel_title_line(app_.hotel.search.search_kind, app_.hotel.search.search_key_text,
                                            hits.hotel_hit_count())));
    refine_button->setEnabled(hits.result_district_count() >= min_refine_districts);
}

void HotelListWindow::heading_double_clicked(int column) {
    if (sorting_) return;
    sorting_ = true;
    sort_by(sort_key_for_column(column));
    sorting_ = false;
}

void HotelListWindow::hotel_clicked(int row) {
    // The pages need a browser; without one a click shows nothing.
    if (!browser_ready(app_.browser())) return;
    const int k = model_->hotel_at(row);
    if (k == 0) return;
    current_hotel_ = k;
    const auto [info, reserve] = hotel_page_buttons(*app_.hotel.data, k);
    info_button->setEnabled(info);
    reserve_button->setEnabled(reserve);
    if (app_.settings.hotel_details_shown == 0) return;
    if (detail_ != nullptr) detail_->end_window();
    detail_ = new HotelDetailWindow(app_, services_, this, k);
    detail_->show();
}

void HotelListWindow::open_pages(bool reserve) {
    if (current_hotel_ == 0 || !reservation_notice(app_, services_)) return;
    open_hotel_pages(app_, services_,
                     hotel_page_addresses(*app_.hotel.data, current_hotel_,
                                          reserve ? HotelPage::reserve : HotelPage::info, hotel_hosts(app_)));
}

void HotelListWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    title_line->setGeometry(margin, margin, w - 2 * margin, 26);
    grid->setGeometry(margin, top_space, w - 2 * margin, std::max(60, h - top_space - bottom_space));
    const int below = h - bottom_space + 8;
    notice->setGeometry(margin + 2, below, 330, 36);
    refine_button->setGeometry(margin + 340, below + 2, 130, 30);
    colour_sample->setGeometry(margin + 2, h - 30, 18, 18);
    colour_legend->setGeometry(margin + 24, h - 34, 320, 26);
    end_button->setGeometry(w - margin - 90, h - 38, 90, 30);
    reserve_button->setGeometry(w - margin - 190, h - 38, 96, 30);
    info_button->setGeometry(w - margin - 290, h - 38, 96, 30);

    // The columns share the grid's new width in their present proportions, in whole 15-twip steps.
    const int avail = std::max(100, grid->width() * twips_per_pixel - 400);
    long total = 0;
    for (int c = 0; c < grid_columns; ++c) total += grid->columnWidth(c) * twips_per_pixel;
    if (total <= 0) return;
    for (int c = 0; c < grid_columns; ++c) {
        const long width = static_cast<long>(grid->columnWidth(c)) * twips_per_pixel;
        const long twips =
            15 *
            static_cast<long>(static_cast<double>(width) * avail / static_cast<double>(total) / 15 + 0.99999);
        grid->setColumnWidth(c, static_cast<int>(twips / twips_per_pixel));
        app_.settings.hotel_column_widths[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(twips);
    }
}

void HotelListWindow::keep_sizes() {
    Settings& s = app_.settings;
    s.hotel_list_height = static_cast<std::int16_t>(height() * twips_per_pixel);
    s.hotel_list_width = static_cast<std::int16_t>(width() * twips_per_pixel);
    s.hotel_grid_height = static_cast<std::int16_t>(grid->height() * twips_per_pixel);
    s.hotel_grid_width = static_cast<std::int16_t>(grid->width() * twips_per_pixel);
    for (int c = 0; c < grid_columns; ++c)
        s.hotel_column_widths[static_cast<std::size_t>(c)] =
            static_cast<std::int16_t>(grid->columnWidth(c) * twips_per_pixel);
}

void HotelListWindow::end_window() {
    if (lifecycle_->ended()) return;
    keep_sizes();
    lifecycle_->end_once();
    if (detail_ != nullptr) detail_->end_window();
    close();
}

void HotelListWindow::closeEvent(QCloseEvent* event) {
    if (!lifecycle_->ended()) {
        keep_sizes();
        lifecycle_->end_once();
        if (detail_ != nullptr) detail_->end_window();
    }
    event->accept();
}

}  // namespace quorvel
