// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/main_window.hpp"

namespace quorvel {

struct AppState;
struct Services;

// The windows the real program opens from its main window. Tests plug in their own.
MainWindowHooks program_hooks(AppState& app, Services& services);

}  // namespace quorvel
