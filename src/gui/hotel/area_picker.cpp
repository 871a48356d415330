#include "gui/hotel/area_picker.hpp"

#include "gui/common/app_state.hpp"
#include "gui/common/window_lifecycle.hpp"

namespace quorvel {

// Not built yet: the picker opens empty and picks nothing.
AreaPicker::AreaPicker(AppState& app, QWidget& owner, AreaPickerMode mode)
    : QDialog(&owner),
      app_(app),
      mode_(mode),
      lifecycle_(new WindowLifecycle(*this, app.settings, "infhotel14", nullptr, [this] { reject(); })) {
    setAttribute(Qt::WA_DeleteOnClose);
}

AreaPicker::~AreaPicker() = default;

AreaPicker* AreaPicker::open(AppState& app, QWidget& owner, AreaPickerMode mode) {
    auto* picker = new AreaPicker(app, owner, mode);
    picker->show();
    return picker;
}

void AreaPicker::reject() {
    if (lifecycle_->end_once()) QDialog::reject();
}

}  // namespace quorvel
