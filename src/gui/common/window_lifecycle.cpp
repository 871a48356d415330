// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/window_lifecycle.hpp"

#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include "config/settings.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_place.hpp"

namespace quorvel {

WindowLifecycle::WindowLifecycle(QWidget& window, Settings& settings, std::string settings_key,
                                 HelpViewer* help, std::function<void()> end)
    : QObject(&window),
      window_(window),
      settings_(settings),
      settings_key_(std::move(settings_key)),
      help_(help),
      end_(std::move(end)) {}

void WindowLifecycle::watch() {
    window_.installEventFilter(this);
    // Popups and windows of their own (an open menu) handle their keys themselves: Escape there
    // closes the menu, not this window.
    for (QWidget* w : window_.findChildren<QWidget*>())
        if (!w->isWindow()) w->installEventFilter(this);
}

void WindowLifecycle::place() const {
    if (const auto* pos = settings_.position(settings_key_)) place_window(window_, *pos);
}

bool WindowLifecycle::end_once() {
    if (ended_) return false;
    ended_ = true;
    if (auto* pos = settings_.position(settings_key_)) remember_position(window_, *pos);
    if (help_ != nullptr) help_->close();
    return true;
}

bool WindowLifecycle::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        if (end_) end_();
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button != nullptr && button->isEnabled() && button->hasFocus()) {
            button->click();
            return true;
        }
    }
    return false;
}

}  // namespace quorvel
