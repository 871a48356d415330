#include "gui/hotel/hotel_search_window.hpp"

#include "gui/common/app_state.hpp"
#include "gui/common/window_lifecycle.hpp"

namespace quorvel {

HotelSearchWindow::HotelSearchWindow(AppState& app, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(new WindowLifecycle(*this, app.settings, "infhotel11", nullptr, [this] { end_window(); })) {
    setAttribute(Qt::WA_DeleteOnClose);
}

HotelSearchWindow::~HotelSearchWindow() = default;

bool HotelSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    return QWidget::eventFilter(watched, event);
}

void HotelSearchWindow::end_window() {
    if (lifecycle_->end_once()) close();
}

}  // namespace quorvel
