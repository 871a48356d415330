// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include <QObject>

class QWidget;

namespace quorvel {

struct Settings;
class HelpViewer;

// What every window of the program does the same way. It opens where it was last closed (kept in
// the settings file under its key); Escape in any of its controls ends it; Return or Enter on a
// focused push button presses that button, as users of desktop programs expect (a Qt button
// outside a dialog ignores it); ending it keeps its place and closes the help window, once.
class WindowLifecycle final : public QObject {
    Q_OBJECT
  public:
    // `end` is what Escape runs: the window's own way of ending, which calls end_once().
    // `help` may be null for windows that never show help.
    WindowLifecycle(QWidget& window, Settings& settings, std::string settings_key, HelpViewer* help,
                    std::function<void()> end);

    // Watches the window and every control it has now; call it once the controls are built.
    void watch();
    // Moves the window to its remembered place.
    void place() const;
    // Keeps the place and closes the help window; false when the window had already ended.
    bool end_once();
    bool ended() const { return ended_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    Settings& settings_;
    std::string settings_key_;
    HelpViewer* help_;
    std::function<void()> end_;
    bool ended_ = false;
};

}  // namespace quorvel
