// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace quorvel {

struct Identity;

// Shown while the program loads its data.
class SplashScreen final : public QWidget {
    Q_OBJECT
  public:
    explicit SplashScreen(const Identity& identity, QWidget* parent = nullptr);

    QLabel* product_name = nullptr;
    QLabel* version = nullptr;
    QLabel* data_date = nullptr;
};

}  // namespace quorvel
