#pragma once

#include <QWidget>

#include "common/progress.hpp"

class QProgressBar;

namespace quorvel {

struct AppState;

// The progress window of the timetable load. It is the loader's Progress: the bar follows the
// sections read, and pending window events are processed at each yield.
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

  private:
    AppState& app_;
};

}  // namespace quorvel
