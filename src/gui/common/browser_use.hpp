// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "gui/common/services.hpp"

class QWidget;

namespace quorvel {

struct AppState;

inline constexpr const char* browser_question = "ブラウザ環境が登録されていません。いま登録しますか。";
inline constexpr const char* browser_question_title = "問い合わせメッセージ";
inline constexpr int browser_question_help = 218;

// Every action that needs a browser starts here: true when one is set up, else the user is asked
// whether to set one up now and, on Yes, the set-up window runs; true only if it set one up.
bool browser_requirement(AppState& app, Services& services, QWidget* parent);

// Starts the browser with one page (an address, or "file://" and a local page's full path).
// A browser that cannot be started is reported in a message box; the result says whether it started.
bool open_in_browser(AppState& app, Services& services, const std::string& target, WindowStyle style);

}  // namespace quorvel
