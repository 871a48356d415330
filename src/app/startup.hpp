// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "gui/main_window.hpp"

class QApplication;

namespace quorvel {

struct AppState;
struct Services;

// The program speaks Japanese: the font names its windows ask for (ＭＳ ゴシック, ＭＳ Ｐゴシック)
// are mapped to the installed IPA fonts, and Qt's own dialogs and buttons use Qt's translation.
void install_japanese(QApplication& application);

// The start-up: splash, settings, timetable with its progress window, browser detection, then the
// main window filled with the last search and today's date (shown by the caller). Nothing when the
// timetable file is missing, empty or damaged; one line on stderr then says which file it was.
std::unique_ptr<MainWindow> start_program(AppState& app, Services& services, MainWindowHooks hooks = {});

}  // namespace quorvel
