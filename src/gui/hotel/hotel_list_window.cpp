#include "gui/hotel/hotel_list_window.hpp"

#include <QCloseEvent>

#include "gui/common/app_state.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/hotel/hotel_detail_window.hpp"

namespace quorvel {

HotelListWindow::HotelListWindow(AppState& app, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(new WindowLifecycle(*this, app.settings, "infhotel12", nullptr, [this] { end_window(); })) {
    setAttribute(Qt::WA_DeleteOnClose);
}

HotelListWindow::~HotelListWindow() = default;

bool HotelListWindow::run_search() { return false; }
void HotelListWindow::sort_by(const std::string&) {}
void HotelListWindow::resizeEvent(QResizeEvent* event) { QWidget::resizeEvent(event); }
void HotelListWindow::closeEvent(QCloseEvent* event) { event->accept(); }
void HotelListWindow::end_window() {
    if (lifecycle_->end_once()) close();
}

}  // namespace quorvel
