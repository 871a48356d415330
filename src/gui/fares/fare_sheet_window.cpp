// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/fares/fare_sheet_window.hpp"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/common/window_place.hpp"

namespace quorvel {

namespace {

constexpr const char* object_name = "fare_sheet_window";
constexpr const char* settings_key = "time_table5";  // its position in the settings file

}  // namespace

FareSheetWindow::FareSheetWindow(AppState& app, Services& services, FareSheetView view,
                                 QWidget* result_window)
    : QWidget(result_window, Qt::Window),
      app_(app),
      services_(services),
      view_(std::move(view)),
      lifecycle_(
          new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] { finish(); })) {
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qs(app_.identity.app_title));

    caption_bar = new QPushButton(qs(view_.caption), this);
    caption_bar->setObjectName("caption_bar");
    caption_bar->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 8px;"));

    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSize(9);
    grid = new QTableWidget(sheet_rows - 1, sheet_cols, this);
    grid->setObjectName("grid");
    grid->setFont(font);
    grid->horizontalHeader()->setFont(font);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 8);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px 4px; }"));
    int width = 0;
    for (int k = 0; k < sheet_cols; ++k) {
        const auto col = static_cast<std::size_t>(k);
        grid->setHorizontalHeaderItem(k, new QTableWidgetItem(qs(view_.cells[0][col])));
        const int w = fare_sheet_col_widths[col] / twips_per_pixel;
        grid->setColumnWidth(k, w);
        width += w;
        for (int r = 1; r < sheet_rows; ++r) {
            auto* item = new QTableWidgetItem(qs(view_.cells[r][col]));
            const bool amount = k >= 1 && k <= sheet_legs;
            item->setTextAlignment(Qt::AlignVCenter | (amount ? Qt::AlignRight : Qt::AlignLeft));
            grid->setItem(r - 1, k, item);
        }
    }
    int height = grid->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < grid->rowCount(); ++r) height += grid->rowHeight(r);
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(width + frame, height + frame);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    hint_label = new QLabel(qs(fare_sheet_label), this);
    hint_label->setObjectName("hint_label");
    close_button = new QPushButton(QStringLiteral("終了"), this);
    close_button->setObjectName("close_button");
    close_button->setMinimumWidth(110);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hint_label);
    bottom->addStretch();
    bottom->addWidget(close_button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_bar);
    layout->addWidget(grid);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    lifecycle_->watch();
    connect(close_button, &QPushButton::clicked, this, &FareSheetWindow::finish);
    grid->installEventFilter(this);
    connect(grid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { show_cell_help(row + 1, column); });
    lifecycle_->place();
}

FareSheetWindow::~FareSheetWindow() = default;

void FareSheetWindow::show_cell_help(int r, int k) {
    if (r < 1 || r >= sheet_rows || k < 1 || k > sheet_legs) return;
    const int topic = view_.help_topic[r][k];
    if (topic != 0) services_.help.show_topic(topic);
}

bool FareSheetWindow::eventFilter(QObject* watched, QEvent* event) {
    // The help file tells the user to select a fare and press F1.
    if (watched == grid && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        show_cell_help(grid->currentRow() + 1, grid->currentColumn());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FareSheetWindow::finish() {
    if (!lifecycle_->end_once()) return;
    if (parentWidget() != nullptr) parentWidget()->show();
    close();
}

void FareSheetWindow::closeEvent(QCloseEvent* event) {
    if (!lifecycle_->ended()) finish();
    event->accept();
}

}  // namespace quorvel
