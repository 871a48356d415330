// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

// Long work reports how far it has come and lets the window repaint at its yield points.
// The command-line tool passes nothing; the desktop program drives a progress bar with it.
class Progress {
  public:
    virtual ~Progress() = default;
    virtual void set_range(int minimum, int maximum) = 0;
    virtual void set_value(int value) = 0;
    // Called at the yield points; the desktop program processes pending window events here.
    virtual void yield() {}
};

}  // namespace quorvel
