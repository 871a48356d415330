// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QPushButton;
class QWidget;

namespace quorvel {

// A push button of a window, named so that the window's code and its tests can find it. Enter never
// presses a button the user did not aim at: only the focused one is pressed (WindowLifecycle does
// that), so no button is a dialog's default. An empty geometry leaves the placing to the window.
QPushButton* command_button(QWidget* parent, const char* name, const char* caption, QRect geometry = {});

}  // namespace quorvel
