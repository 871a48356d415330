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
#include "gui/common/window_place.hpp"

namespace quorvel {

namespace {

constexpr const char* window_name = "time_table5";

}  // namespace

FareSheetWindow::FareSheetWindow(AppState& app, Services& services, FareSheetView view,
                                 QWidget* result_window)
    : QWidget(result_window, Qt::Window), app_(app), services_(services), view_(std::move(view)) {
    setObjectName(window_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qs(app_.identity.app_title));

    Command1 = new QPushButton(qs(view_.caption), this);
    Command1->setObjectName("Command1");
    Command1->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 8px;"));

    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSize(9);
    MSFlexGrid1 = new QTableWidget(sheet_rows - 1, sheet_cols, this);
    MSFlexGrid1->setObjectName("MSFlexGrid1");
    MSFlexGrid1->setFont(font);
    MSFlexGrid1->horizontalHeader()->setFont(font);
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSFlexGrid1->horizontalHeader()->setHighlightSections(false);
    MSFlexGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 8);
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->setTextElideMode(Qt::ElideNone);
    MSFlexGrid1->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px 4px; }"));
    int width = 0;
    for (int k = 0; k < sheet_cols; ++k) {
        const auto col = static_cast<std::size_t>(k);
        MSFlexGrid1->setHorizontalHeaderItem(k, new QTableWidgetItem(qs(view_.cells[0][col])));
        const int w = fare_sheet_col_widths[col] / twips_per_pixel;
        MSFlexGrid1->setColumnWidth(k, w);
        width += w;
        for (int r = 1; r < sheet_rows; ++r) {
            auto* item = new QTableWidgetItem(qs(view_.cells[static_cast<std::size_t>(r)][col]));
            const bool amount = k >= 1 && k <= sheet_legs;
            item->setTextAlignment(Qt::AlignVCenter | (amount ? Qt::AlignRight : Qt::AlignLeft));
            MSFlexGrid1->setItem(r - 1, k, item);
        }
    }
    int height = MSFlexGrid1->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r) height += MSFlexGrid1->rowHeight(r);
    const int frame = 2 * MSFlexGrid1->frameWidth();
    MSFlexGrid1->setFixedSize(width + frame, height + frame);
    MSFlexGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MSFlexGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Label1 = new QLabel(qs(fare_sheet_label), this);
    Label1->setObjectName("Label1");
    Command2 = new QPushButton(QStringLiteral("終了"), this);
    Command2->setObjectName("Command2");
    Command2->setMinimumWidth(110);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1);
    bottom->addStretch();
    bottom->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Command1);
    layout->addWidget(MSFlexGrid1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget* w : std::initializer_list<QWidget*>{Command1, Command2, MSFlexGrid1})
        w->installEventFilter(this);
    connect(Command2, &QPushButton::clicked, this, &FareSheetWindow::end_proc);
    connect(MSFlexGrid1, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { MSFlexGrid1_DblClick(row + 1, column); });
    if (const auto* pos = app_.settings.position(window_name)) place_window(*this, *pos);
}

FareSheetWindow::~FareSheetWindow() = default;

void FareSheetWindow::MSFlexGrid1_DblClick(int r, int k) {
    if (r < 1 || r >= sheet_rows || k < 1 || k > sheet_legs) return;
    const int topic = view_.help_topic[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)];
    if (topic != 0) services_.help.show_topic(topic);
}

bool FareSheetWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        end_proc();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FareSheetWindow::end_proc() {
    if (ended_) return;
    ended_ = true;
    if (auto* pos = app_.settings.position(window_name)) remember_position(*this, *pos);
    services_.help.close();
    if (parentWidget() != nullptr) parentWidget()->show();
    close();
}

void FareSheetWindow::closeEvent(QCloseEvent* event) {
    if (!ended_) end_proc();
    event->accept();
}

}  // namespace quorvel
