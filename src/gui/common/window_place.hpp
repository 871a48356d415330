// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

class QWidget;

namespace quorvel {

struct WindowPosition;

inline constexpr int twips_per_pixel = 15;

// Where a window of the given size goes for a remembered top/left in twips: there, unless that
// would leave its title bar off every screen (a monitor removed since), then onto the first screen.
QPoint on_screen_position(const WindowPosition& twips, QSize size, const QList<QRect>& screens);

// Moves a window to its remembered position.
void place_window(QWidget& window, const WindowPosition& twips);
// Remembers where a window is, in twips.
void remember_position(const QWidget& window, WindowPosition& twips);

}  // namespace quorvel
