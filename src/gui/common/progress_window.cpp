#include "gui/common/progress_window.hpp"

#include <QApplication>
#include <QProgressBar>

#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/window_place.hpp"

namespace quorvel {

namespace {
constexpr const char* window_name = "time_table99";
}

ProgressWindow::ProgressWindow(AppState& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {
    setObjectName(window_name);
    setWindowTitle(qs(app.identity.app_title));
    setFixedSize(360, 60);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(12, 16, 336, 24);
    ProgressBar1->setTextVisible(false);
    if (const auto* pos = app.settings.position(window_name)) place_window(*this, *pos);
}

void ProgressWindow::set_range(int minimum, int maximum) {
    ProgressBar1->setRange(minimum, std::max(minimum, maximum));
}

void ProgressWindow::set_value(int value) {
    ProgressBar1->setValue(std::clamp(value, ProgressBar1->minimum(), ProgressBar1->maximum()));
}

void ProgressWindow::yield() { QApplication::processEvents(); }

void ProgressWindow::unload() {
    if (auto* pos = app_.settings.position(window_name)) remember_position(*this, *pos);
    close();
}

}  // namespace quorvel
