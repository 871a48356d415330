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
    setObjectName("frmSplash");
    setFixedSize(420, 220);

    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(8, 8, 404, 204);

    lblProductName = new QLabel(qs(identity.app_title), frame);
    lblProductName->setObjectName("lblProductName");
    lblProductName->setGeometry(10, 50, 384, 40);
    lblProductName->setAlignment(Qt::AlignCenter);
    QFont big(QStringLiteral("ＭＳ Ｐゴシック"), 16);
    big.setBold(true);
    lblProductName->setFont(big);

    // Two blanks after the word, as the version has always been shown.
    lblVersion = new QLabel(qs("Version  " + identity.app_version), frame);
    lblVersion->setObjectName("lblVersion");
    lblVersion->setGeometry(10, 110, 384, 24);
    lblVersion->setAlignment(Qt::AlignCenter);

    lblDataDate = new QLabel(qs("データ " + identity.data_date), frame);
    lblDataDate->setObjectName("lblDataDate");
    lblDataDate->setGeometry(10, 140, 384, 24);
    lblDataDate->setAlignment(Qt::AlignCenter);

    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

}  // namespace quorvel
