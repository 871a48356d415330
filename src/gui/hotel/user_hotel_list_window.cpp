#include "gui/hotel/user_hotel_list_window.hpp"

#include "gui/common/app_state.hpp"
#include "gui/common/window_lifecycle.hpp"

namespace quorvel {

// Not built yet.
UserHotelListWindow::UserHotelListWindow(AppState& app, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(new WindowLifecycle(*this, app.settings, "infhotel41", nullptr, [this] { close(); })) {
    setAttribute(Qt::WA_DeleteOnClose);
}

UserHotelListWindow::~UserHotelListWindow() = default;

void UserHotelListWindow::end_of_program() {}

}  // namespace quorvel
