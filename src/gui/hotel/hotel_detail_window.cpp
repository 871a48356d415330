#include "gui/hotel/hotel_detail_window.hpp"

#include "gui/common/app_state.hpp"
#include "gui/common/window_lifecycle.hpp"

namespace quorvel {

HotelDetailWindow::HotelDetailWindow(AppState& app, Services& services, QWidget* parent, int hotel)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(new WindowLifecycle(*this, app.settings, "infhotel15", nullptr, [this] { end_window(); })),
      hotel_(hotel) {
    setAttribute(Qt::WA_DeleteOnClose);
}

HotelDetailWindow::~HotelDetailWindow() = default;

void HotelDetailWindow::end_window() {
    if (lifecycle_->end_once()) close();
}

}  // namespace quorvel
