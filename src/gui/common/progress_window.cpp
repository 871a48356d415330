#include "gui/common/progress_window.hpp"

#include <QApplication>
#include <QProgressBar>

#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/window_place.hpp"

namespace quorvel {

namespace {
constexpr const char* object_name = "progress_window";
constexpr const char* settings_key = "time_table99";  // its position in the settings file
}  // namespace

ProgressWindow::ProgressWindow(AppState& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {
    setObjectName(object_name);
    setWindowTitle(qs(app.identity.app_title));
    setFixedSize(360, 60);
    bar = new QProgressBar(this);
    bar->setObjectName("bar");
    bar->setGeometry(12, 16, 336, 24);
    bar->setTextVisible(false);
    if (const auto* pos = app.settings.position(settings_key)) place_window(*this, *pos);
}

void ProgressWindow::set_range(int minimum, int maximum) {
    bar->setRange(minimum, std::max(minimum, maximum));
}

void ProgressWindow::set_value(int value) {
    bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
}

void ProgressWindow::yield() { QApplication::processEvents(); }

void ProgressWindow::unload() {
    if (auto* pos = app_.settings.position(settings_key)) remember_position(*this, *pos);
    close();
}

}  // namespace quorvel
