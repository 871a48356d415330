// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/splash_screen.hpp"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"

namespace quorvel {

SplashScreen::SplashScreen(const Identity& identity, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("splash_screen");
    setFixedSize(420, 220);

    auto* frame = new QFrame(this);
    frame->setObjectName("frame");
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(8, 8, 404, 204);

    product_name = new QLabel(qs(identity.app_title), frame);
    product_name->setObjectName("product_name");
    product_name->setGeometry(10, 50, 384, 40);
    product_name->setAlignment(Qt::AlignCenter);
    QFont big(QStringLiteral("ＭＳ Ｐゴシック"), 16);
    big.setBold(true);
    product_name->setFont(big);

    // Two blanks after the word, as the version has always been shown.
    version = new QLabel(qs("Version  " + identity.app_version), frame);
    version->setObjectName("version");
    version->setGeometry(10, 110, 384, 24);
    version->setAlignment(Qt::AlignCenter);

    data_date = new QLabel(qs("データ " + identity.data_date), frame);
    data_date->setObjectName("data_date");
    data_date->setGeometry(10, 140, 384, 24);
    data_date->setAlignment(Qt::AlignCenter);

    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

}  // namespace quorvel
