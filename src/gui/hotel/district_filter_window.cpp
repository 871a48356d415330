#include "gui/hotel/district_filter_window.hpp"

#include "gui/common/app_state.hpp"
#include "gui/common/window_lifecycle.hpp"

namespace quorvel {

// Not built yet: the window answers like ｷｬﾝｾﾙ.
DistrictFilterWindow::DistrictFilterWindow(AppState& app, QWidget* parent)
    : QDialog(parent),
      app_(app),
      lifecycle_(new WindowLifecycle(*this, app.settings, "infhotel13", nullptr, [this] { reject(); })) {
    setAttribute(Qt::WA_DeleteOnClose);
}

DistrictFilterWindow::~DistrictFilterWindow() = default;

void DistrictFilterWindow::reject() {
    if (!lifecycle_->end_once()) return;
    QDialog::reject();
    emit finished_refining(false);
}

}  // namespace quorvel
