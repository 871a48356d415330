// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/window_place.hpp"

#include <algorithm>
#include <limits>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "config/settings.hpp"

namespace quorvel {

QPoint on_screen_position(const WindowPosition& twips, QSize size, const QList<QRect>& screens) {
    const QPoint wanted(twips.left / twips_per_pixel, twips.top / twips_per_pixel);
    if (screens.isEmpty()) return wanted;
    // The title bar must be reachable: its top strip, at least 40 pixels of it, on some screen.
    const QRect grip(wanted, QSize(std::min(size.width(), 40), 20));
    for (const QRect& s : screens)
        if (s.contains(grip)) return wanted;
    const QRect& first = screens.front();
    const int x = std::clamp(wanted.x(), first.left(), std::max(first.left(), first.right() - size.width()));
    const int y = std::clamp(wanted.y(), first.top(), std::max(first.top(), first.bottom() - size.height()));
    return {x, y};
}

void place_window(QWidget& window, const WindowPosition& twips) {
    QList<QRect> screens;
    for (QScreen* s : QGuiApplication::screens()) screens.push_back(s->availableGeometry());
    window.move(on_screen_position(twips, window.frameSize(), screens));
}

void remember_position(const QWidget& window, WindowPosition& twips) {
    const auto to_twips = [](int px) {
        const long t = static_cast<long>(std::max(px, 0)) * twips_per_pixel;
        return static_cast<std::int16_t>(std::min<long>(t, std::numeric_limits<std::int16_t>::max()));
    };
    twips.top = to_twips(window.y());
    twips.left = to_twips(window.x());
}

}  // namespace quorvel
