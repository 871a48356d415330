// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "common/progress.hpp"

class QProgressBar;

namespace quorvel {

struct AppState;
class WindowLifecycle;

// The progress window of the long work (the timetable load, a search). It is the work's Progress:
// the bar follows the work, and pending window events are processed at each yield. The work has
// no way to be cancelled, so the user cannot close the window: only unload() does.
class ProgressWindow final : public QWidget, public Progress {
    Q_OBJECT
  public:
    explicit ProgressWindow(AppState& app, QWidget* parent = nullptr);

    QProgressBar* bar = nullptr;

    void set_range(int minimum, int maximum) override;
    void set_value(int value) override;
    void yield() override;

    // Remembers the position for the settings file and closes.
    void unload();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    WindowLifecycle* lifecycle_;
    bool unloading_ = false;
};

}  // namespace quorvel
