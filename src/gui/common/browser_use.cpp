// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/browser_use.hpp"

#include "gui/common/app_state.hpp"
#include "gui/common/browser_setup_window.hpp"

namespace quorvel {

bool browser_requirement(AppState& app, Services& services, QWidget* parent) {
    if (browser_ready(app.browser())) return true;
    app.msg_help_context = browser_question_help;
    const Question q{browser_question_title, browser_question, MessageIcon::question, MessageButtons::yes_no,
                     app.msg_help_context};
    if (services.boxes.ask(q) != MessageAnswer::yes) return false;
    BrowserSetupWindow setup(app, services, parent);
    setup.exec();
    return browser_ready(app.browser());
}

bool open_in_browser(AppState& app, Services& services, const std::string& target, WindowStyle style) {
    if (services.launcher.launch(app.settings.browser.path, {target}, style)) return true;
    services.boxes.ask({"エラーメッセージ", "ブラウザを起動できません。\n" + app.settings.browser.path,
                        MessageIcon::critical, MessageButtons::ok, browser_question_help});
    return false;
}

}  // namespace quorvel
