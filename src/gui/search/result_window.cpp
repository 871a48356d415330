// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/search/result_window.hpp"

#include <QCloseEvent>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string>
#include <vector>

#include "fares/fare_sheet.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/browser_use.hpp"
#include "gui/common/progress_window.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/common/window_place.hpp"
#include "gui/fares/fare_sheet_window.hpp"
#include "search/report.hpp"
#include "search/result_list.hpp"

namespace quorvel {

namespace {

constexpr const char* object_name = "result_window";
constexpr const char* settings_key = "time_table2";  // its position in the settings file
constexpr const char* no_direct_flight = "直行便がないため、空席照会をおこなえません";

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setMinimumWidth(110);
    return b;
}

QFont grid_font(bool bold, bool large) {
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPointSize(large ? 10 : 9);
    f.setBold(bold);
    return f;
}

// The report's lines without their line breaks; the header lines first.
std::vector<std::string> report_lines(const AppState& app, const FlightSearchResult& search) {
    std::vector<std::string> lines;
    for (const std::string& l :
         report_header(search.conditions, app.identity.app_title, app.identity.app_version))
        lines.push_back(l);
    const std::string body = report_body(*app.timetable, search.routes, search.conditions);
    std::string::size_type start = 0;
    while (start < body.size()) {
        auto end = body.find(report_line_break, start);
        if (end == std::string::npos) end = body.size();
        lines.push_back(body.substr(start, end - start));
        start = end + report_line_break.size();
    }
    return lines;
}

}  // namespace

ResultWindow::ResultWindow(AppState& app, Services& services, QWidget& owner, ResultWindowHooks hooks)
    : QWidget(&owner, Qt::Window),
      app_(app),
      services_(services),
      hooks_(std::move(hooks)),
      lifecycle_(
          new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] { finish(); })) {
    search_.conditions = app_.cond;
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);

    caption_bar = button(this, "caption_bar", "");
    caption_bar->setFocusPolicy(Qt::NoFocus);
    caption_bar->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 8px;"));

    grid = new QTableWidget(this);
    grid->setObjectName("grid");
    grid->setColumnCount(static_cast<int>(grid_headers.size()));
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px 2px; }"));
    grid->setFont(grid_font(false, false));
    grid->horizontalHeader()->setFont(grid_font(false, false));
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int grid_width = 0;
    for (std::size_t c = 0; c < grid_headers.size(); ++c) {
        grid->setHorizontalHeaderItem(static_cast<int>(c), new QTableWidgetItem(qs(grid_headers[c])));
        const int w = grid_column_widths[c] / twips_per_pixel;
        grid->setColumnWidth(static_cast<int>(c), w);
        grid_width += w;
    }
    grid->setMinimumSize(grid_width + 2 * grid->frameWidth() + 20, 360);

    no_result_line = new QLineEdit(this);
    no_result_line->setObjectName("no_result_line");
    no_result_line->setReadOnly(true);

    close_button = button(this, "close_button", "検索終了");
    print_button = button(this, "print_button", "印刷");
    hotel_button = button(this, "hotel_button", "ﾎﾃﾙ情報");
    seat_enquiry_button = button(this, "seat_enquiry_button", "空席照会");

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {close_button, print_button, hotel_button, seat_enquiry_button})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_bar);
    layout->addWidget(grid, 1);
    layout->addWidget(no_result_line);
    layout->addLayout(buttons);

    lifecycle_->watch();
    connect(close_button, &QPushButton::clicked, this, &ResultWindow::finish);
    connect(print_button, &QPushButton::clicked, this, &ResultWindow::print_list);
    connect(hotel_button, &QPushButton::clicked, this, &ResultWindow::open_hotel_search);
    // Usable once the program plugs in the hotel windows.
    hotel_button->setEnabled(static_cast<bool>(hooks_.open_hotel_search));
    connect(seat_enquiry_button, &QPushButton::clicked, this, &ResultWindow::start_seat_enquiry);
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { open_fare_sheet(row + 1); });
}

ResultWindow::~ResultWindow() = default;

void ResultWindow::set_title_and_position() {
    setWindowTitle(qs(app_.identity.app_title));
    lifecycle_->place();
    caption_bar->setText(qs(result_caption(*app_.timetable, search_.conditions)));
}

bool ResultWindow::run_search() {
    Timetable& tt = *app_.timetable;
    // The progress window takes every input while the search yields to the event loop; what
    // reaches the main window anyway (its end) waits for app_.search_running to go.
    ProgressWindow progress(app_);
    progress.setWindowModality(Qt::ApplicationModal);
    app_.search_running = true;
    progress.show();
    progress.yield();

    set_title_and_position();
    progress.yield();
    search_ = run_flight_search(tt, app_.validation, search_.conditions, app_.today, &progress);
    fill_grid();
    progress.yield();
    progress.unload();
    app_.search_running = false;

    if (app_.end_requested) {
        finish();
        emit program_end_requested();
        return false;
    }
    if (search_.conditions.for_seat_enquiry != 1) return true;
    if (!search_.segment_found || search_.list.enquirable_count == 0) {
        refuse_enquiry();
        return false;
    }
    if (hooks_.seat_inquiry) hooks_.seat_inquiry(*this);
    finish();
    return false;
}

void ResultWindow::refuse_enquiry() {
    services_.boxes.ask(
        {"注意メッセージ", no_direct_flight, MessageIcon::exclamation, MessageButtons::ok, 0});
    finish();
}

void ResultWindow::fill_grid() {
    const ResultList& list = search_.list;
    grid->clearContents();
    grid->setRowCount(static_cast<int>(list.rows.size()));
    for (std::size_t r = 0; r < list.rows.size(); ++r) {
        const ListedItinerary& it = list.rows[r];
        const int row = static_cast<int>(r);
        for (int c = 0; c < static_cast<int>(grid_headers.size()); ++c) {
            auto* item = new QTableWidgetItem(qs(it.cell_text(c, "\n")));
            const auto col = static_cast<std::size_t>(c);
            item->setFont(grid_font(grid_bold[col], grid_large[col]));
            item->setTextAlignment(Qt::AlignVCenter | (grid_centred[col] ? Qt::AlignHCenter : Qt::AlignLeft));
            // Long company names run past the column's fixed width; the whole name is a hover away.
            if (c == 1) item->setToolTip(item->text());
            grid->setItem(row, c, item);
        }
        grid->setRowHeight(row, it.row_height() / twips_per_pixel + 4);
    }
    const bool found = !list.rows.empty();
    no_result_line->setText(found ? QString() : qs(no_result_message));
    no_result_line->setVisible(!found);
    print_button->setEnabled(found);
    seat_enquiry_button->setEnabled(list.enquirable_count != 0);
}

void ResultWindow::open_fare_sheet(int r) {
    if (r < 1 || r > static_cast<int>(search_.list.rows.size())) return;
    const RowFareSheet fares =
        fare_sheet_for_row(*app_.timetable, search_, r, app_.today, fare_holidays(app_.settings));
    // A missing fare record is asked about; Cancel gives up this sheet, the program goes on.
    for (const std::string& message : fares.fares.messages) {
        const Question q{std::string(missing_fare_title), message, MessageIcon::exclamation,
                         MessageButtons::ok_cancel, missing_fare_help};
        if (services_.boxes.ask(q) != MessageAnswer::ok) return;
    }
    if (!fares.fares.priced) return;
    auto* sheet = new FareSheetWindow(app_, services_, fares.view, this);
    sheet->show();
}

void ResultWindow::print_list() {
    const Question q{"確認メッセージ", std::string(print_question), MessageIcon::exclamation,
                     MessageButtons::ok_cancel, 216};
    if (services_.boxes.ask(q) != MessageAnswer::ok) return;
    if (services_.printer.print({app_.identity.app_title, report_lines(app_, search_), 9}) ==
        PrintOutcome::failed)
        services_.boxes.ask({"エラーメッセージ", "印刷できませんでした。プリンタの状態を確かめてください。",
                             MessageIcon::exclamation, MessageButtons::ok, 0});
}

void ResultWindow::open_hotel_search() {
    if (!browser_requirement(app_, services_, this)) return;
    if (hooks_.open_hotel_search) hooks_.open_hotel_search(*this);
}

void ResultWindow::start_seat_enquiry() {
    if (!browser_requirement(app_, services_, this)) return;
    if (hooks_.seat_inquiry) hooks_.seat_inquiry(*this);
}

void ResultWindow::finish() {
    if (!lifecycle_->end_once()) return;
    close();
    // However the list is closed, its owner can search again.
    emit closed();
}

void ResultWindow::closeEvent(QCloseEvent* event) {
    if (app_.search_running) {
        event->ignore();
        return;
    }
    if (!lifecycle_->ended()) finish();
    event->accept();
}

}  // namespace quorvel
