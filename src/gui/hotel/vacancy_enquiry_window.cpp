#include "gui/hotel/vacancy_enquiry_window.hpp"

#include "gui/common/app_state.hpp"
#include "gui/common/window_lifecycle.hpp"

namespace quorvel {

// Not built yet.
VacancyEnquiryWindow::VacancyEnquiryWindow(AppState& app, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(new WindowLifecycle(*this, app.settings, "infhotel21", nullptr, [this] { close(); })) {
    setAttribute(Qt::WA_DeleteOnClose);
}

VacancyEnquiryWindow::~VacancyEnquiryWindow() = default;

}  // namespace quorvel
