// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/progress_window.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressBar>

#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/window_lifecycle.hpp"

namespace quorvel {

namespace {
constexpr const char* object_name = "progress_window";
constexpr const char* settings_key = "time_table99";  // its position in the settings file
}  // namespace

ProgressWindow::ProgressWindow(AppState& app, QWidget* parent)
    : QWidget(parent, Qt::Window),
      lifecycle_(new WindowLifecycle(*this, app.settings, settings_key, nullptr, {})) {
    setObjectName(object_name);
    setWindowTitle(qs(app.identity.app_title));
    setFixedSize(360, 60);
    bar = new QProgressBar(this);
    bar->setObjectName("bar");
    bar->setGeometry(12, 16, 336, 24);
    bar->setTextVisible(false);
    lifecycle_->watch();  // Escape does nothing
    lifecycle_->place();
}

void ProgressWindow::set_range(int minimum, int maximum) {
    bar->setRange(minimum, std::max(minimum, maximum));
}

void ProgressWindow::set_value(int value) {
    bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
}

void ProgressWindow::yield() { QApplication::processEvents(); }

void ProgressWindow::unload() {
    lifecycle_->end_once();
    unloading_ = true;
    close();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (unloading_)
        event->accept();
    else
        event->ignore();
}

}  // namespace quorvel
