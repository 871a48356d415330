#pragma once

#include "app/ui/time_table1.hpp"

namespace quorvel {

struct AppState;
struct Services;

// The windows the real program opens from its main window. Tests plug in their own.
MainWindowHooks program_hooks(AppState& app, Services& services);

}  // namespace quorvel
