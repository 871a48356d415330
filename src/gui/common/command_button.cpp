// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/command_button.hpp"

#include <QPushButton>

namespace quorvel {

QPushButton* command_button(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    if (!geometry.isNull()) b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

}  // namespace quorvel
