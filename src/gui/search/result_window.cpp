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
#include "gui/common/window_place.hpp"
#include "gui/fares/fare_sheet_window.hpp"
#include "search/report.hpp"
#include "search/result_list.hpp"

namespace quorvel {

namespace {

constexpr const char* window_name = "time_table2";
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
    const std::string body = edit_data(*app.timetable, search.routes, search.conditions);
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
    : QWidget(&owner, Qt::Window), app_(app), services_(services), hooks_(std::move(hooks)) {
    search_.conditions = app_.cond;
    setObjectName(window_name);
    setAttribute(Qt::WA_DeleteOnClose);

    Command4 = button(this, "Command4", "");
    Command4->setFocusPolicy(Qt::NoFocus);
    Command4->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 8px;"));

    MSFlexGrid1 = new QTableWidget(this);
    MSFlexGrid1->setObjectName("MSFlexGrid1");
    MSFlexGrid1->setColumnCount(static_cast<int>(grid_headers.size()));
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->setTextElideMode(Qt::ElideNone);
    MSFlexGrid1->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px 2px; }"));
    MSFlexGrid1->setFont(grid_font(false, false));
    MSFlexGrid1->horizontalHeader()->setFont(grid_font(false, false));
    MSFlexGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSFlexGrid1->horizontalHeader()->setHighlightSections(false);
    MSFlexGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int grid_width = 0;
    for (std::size_t c = 0; c < grid_headers.size(); ++c) {
        MSFlexGrid1->setHorizontalHeaderItem(static_cast<int>(c), new QTableWidgetItem(qs(grid_headers[c])));
        const int w = grid_column_widths[c] / twips_per_pixel;
        MSFlexGrid1->setColumnWidth(static_cast<int>(c), w);
        grid_width += w;
    }
    MSFlexGrid1->setMinimumSize(grid_width + 2 * MSFlexGrid1->frameWidth() + 20, 360);

    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);

    Command1 = button(this, "Command1", "検索終了");
    Command2 = button(this, "Command2", "印刷");
    Command3 = button(this, "Command3", "ﾎﾃﾙ情報");
    Command6 = button(this, "Command6", "空席照会");

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command1, Command2, Command3, Command6}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Command4);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addWidget(Text1);
    layout->addLayout(buttons);

    for (QWidget* w :
         std::initializer_list<QWidget*>{Command1, Command2, Command3, Command6, MSFlexGrid1, Text1})
        w->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &ResultWindow::end_proc);
    connect(Command2, &QPushButton::clicked, this, &ResultWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ResultWindow::Command3_Click);
    connect(Command6, &QPushButton::clicked, this, &ResultWindow::Command6_Click);
    connect(MSFlexGrid1, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { open_fare_sheet(row + 1); });
}

ResultWindow::~ResultWindow() = default;

void ResultWindow::set_form1() {
    setWindowTitle(qs(app_.identity.app_title));
    if (const auto* pos = app_.settings.position(window_name)) place_window(*this, *pos);
    Command4->setText(qs(result_caption(*app_.timetable, search_.conditions)));
}

bool ResultWindow::Form_Load() {
    Timetable& tt = *app_.timetable;
    // The progress window takes every input while the search yields to the event loop; what
    // reaches the main window anyway (its end) waits for app_.search_running to go.
    ProgressWindow progress(app_);
    progress.setWindowModality(Qt::ApplicationModal);
    app_.search_running = true;
    progress.show();
    progress.yield();

    set_form1();
    progress.yield();
    search_ = run_flight_search(tt, app_.validation, search_.conditions, app_.today_serial, &progress);
    edit_data2();
    progress.yield();
    progress.unload();
    app_.search_running = false;

    if (app_.end_requested) {
        end_proc();
        emit program_end_requested();
        return false;
    }
    if (search_.conditions.inquiry_mode != 1) return true;
    if (!search_.segment_found || search_.list.enquirable_count == 0) {
        refuse_inquiry();
        return false;
    }
    if (hooks_.seat_inquiry) hooks_.seat_inquiry(*this);
    end_proc();
    return false;
}

void ResultWindow::refuse_inquiry() {
    services_.boxes.ask(
        {"注意メッセージ", no_direct_flight, MessageIcon::exclamation, MessageButtons::ok, 0});
    end_proc();
}

void ResultWindow::edit_data2() {
    const ResultList& list = search_.list;
    MSFlexGrid1->clearContents();
    MSFlexGrid1->setRowCount(static_cast<int>(list.rows.size()));
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
            MSFlexGrid1->setItem(row, c, item);
        }
        MSFlexGrid1->setRowHeight(row, it.row_height() / twips_per_pixel + 4);
    }
    const bool found = !list.rows.empty();
    Text1->setText(found ? QString() : qs(no_result_message));
    Text1->setVisible(!found);
    Command2->setEnabled(found);
    Command6->setEnabled(list.enquirable_count != 0);
}

void ResultWindow::open_fare_sheet(int r) {
    if (r < 1 || r > static_cast<int>(search_.list.rows.size())) return;
    const RowFareSheet fares =
        fare_sheet_for_row(*app_.timetable, search_, r, app_.today_serial, fare_holidays(app_.settings));
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

void ResultWindow::Command2_Click() {
    const Question q{"確認メッセージ", std::string(print_question), MessageIcon::exclamation,
                     MessageButtons::ok_cancel, 216};
    if (services_.boxes.ask(q) != MessageAnswer::ok) return;
    services_.printer.print({app_.identity.app_title, report_lines(app_, search_), 9});
}

void ResultWindow::Command3_Click() {
    if (!browser_requirement(app_, services_, this)) return;
    if (hooks_.open_hotel_search) hooks_.open_hotel_search(*this);
}

void ResultWindow::Command6_Click() {
    if (!browser_requirement(app_, services_, this)) return;
    if (hooks_.seat_inquiry) hooks_.seat_inquiry(*this);
}

bool ResultWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        end_proc();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ResultWindow::end_proc() {
    if (ended_) return;
    ended_ = true;
    if (auto* pos = app_.settings.position(window_name)) remember_position(*this, *pos);
    services_.help.close();
    close();
    // However the list is closed, its owner can search again.
    emit closed();
}

void ResultWindow::closeEvent(QCloseEvent* event) {
    if (app_.search_running) {
        event->ignore();
        return;
    }
    if (!ended_) end_proc();
    event->accept();
}

}  // namespace quorvel
