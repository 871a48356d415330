// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quorvel {

struct AppState;
class WindowLifecycle;

// The version window.
class VersionWindow final : public QDialog {
    Q_OBJECT
  public:
    explicit VersionWindow(AppState& app, QWidget* parent = nullptr);

    QLabel* title_label = nullptr;      // the title
    QLabel* version_label = nullptr;    // the version
    QLabel* data_date_label = nullptr;  // the data's date
    QPushButton* ok_button = nullptr;

    void reject() override;
    void finish();

  private:
    AppState& app_;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
