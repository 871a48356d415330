// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/vacancy_enquiry_window.hpp"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "gui/common/app_state.hpp"
#include "gui/common/browser_use.hpp"
#include "gui/common/command_button.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/tab_stop_delegate.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "gui/hotel/hotel_pages.hpp"
#include "hotel/hotel_pickers.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel {

namespace {}  // namespace

VacancyEnquiryWindow::VacancyEnquiryWindow(AppState& app, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(new WindowLifecycle(*this, app.settings, "infhotel21", nullptr, [this] { close(); })) {
    setObjectName("vacancy_enquiry_window");
    setAttribute(Qt::WA_DeleteOnClose);
    build();
}

VacancyEnquiryWindow::~VacancyEnquiryWindow() = default;

void VacancyEnquiryWindow::build() {
    setFixedSize(520, 398);
    setWindowTitle(QString::fromUtf8(hotel_caption));
    auto* frame = new QGroupBox(QString::fromUtf8("地域指定で予約"), this);
    frame->setObjectName("page_frame");
    frame->setGeometry(8, 8, 504, 344);

    hint = new QLineEdit(QString::fromUtf8("地域を選択してください"), frame);
    hint->setObjectName("hint");
    hint->setGeometry(12, 24, 480, 26);
    hint->setReadOnly(true);
    hint->setFocusPolicy(Qt::NoFocus);

    page_list = new QListWidget(frame);
    page_list->setObjectName("page_list");
    page_list->setGeometry(12, 58, 480, 274);
    page_list->setSelectionMode(QAbstractItemView::SingleSelection);
    page_list->setItemDelegate(new TabStopDelegate(page_list));
    for (const VacancyLine& line : vacancy_lines(*app_.hotel.data)) {
        page_list->addItem(qs(line.text));
        addresses_.push_back(line.address);
    }

    open_button = command_button(this, "open_button", "検索＆予約", {272, 360, 116, 30});
    end_button = command_button(this, "end_button", "終了", {396, 360, 116, 30});
    open_button->setEnabled(false);
    connect(page_list, &QListWidget::itemSelectionChanged, this,
            [this] { open_button->setEnabled(!page_list->selectedItems().isEmpty()); });
    connect(page_list, &QListWidget::itemDoubleClicked, this, &VacancyEnquiryWindow::open_page);
    connect(open_button, &QPushButton::clicked, this, &VacancyEnquiryWindow::open_page);
    connect(end_button, &QPushButton::clicked, this, &QWidget::close);

    page_list->installEventFilter(this);
    lifecycle_->watch();
    lifecycle_->place();
    page_list->setFocus();
}

void VacancyEnquiryWindow::open_page() {
    const QList<QListWidgetItem*> selected = page_list->selectedItems();
    if (selected.isEmpty()) return;
    const int row = page_list->row(selected.front());
    if (!reservation_notice(app_, services_)) return;
    const std::string& address = addresses_[static_cast<std::size_t>(row)];
    // The address comes from the data file: anything but a web page (an option for the browser, a
    // local file) is not handed over.
    if (is_web_address(address)) open_in_browser(app_, services_, address, WindowStyle::normal);
    close();
}

bool VacancyEnquiryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == page_list) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (open_button->isEnabled()) open_page();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void VacancyEnquiryWindow::closeEvent(QCloseEvent* event) {
    lifecycle_->end_once();
    event->accept();
}

}  // namespace quorvel
