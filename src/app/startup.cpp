// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.hpp"

#include <cstdio>
#include <system_error>

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

#include "config/program_data.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/browser_setup_window.hpp"
#include "gui/common/progress_window.hpp"
#include "gui/common/services.hpp"
#include "gui/splash_screen.hpp"
#include "platform/paths.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel {

void install_japanese(QApplication& application) {
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
    QFont::insertSubstitutions(
        QStringLiteral("ＭＳ Ｐゴシック"),
        {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
    application.setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

namespace {

void complain(const std::string& text) { std::fprintf(stderr, "quorvel: %s\n", text.c_str()); }

// Started from the desktop's menu there is no terminal to read stderr: the end is said in a box too.
void cannot_start(Services& services, const std::filesystem::path& file, const std::string& reason) {
    complain(reason);
    services.boxes.ask({"エラーメッセージ",
                        "時刻表データを読み込めません。\n" + file.string() + "\n" + reason,
                        MessageIcon::critical, MessageButtons::ok, 0});
}

// read_control_record: the program cannot run without its timetable.
bool timetable_present(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    return !ec && size > 0;
}

// load_run_state: settings, timetable, browser. False when the program must end.
bool load_run_state(AppState& app, Services& services) {
    const auto data_file = app.paths.data(data_file_name);
    if (!timetable_present(data_file)) {
        cannot_start(services, data_file, "timetable data file missing or empty: " + data_file.string());
        return false;
    }

    // An installed copy keeps the user's settings elsewhere; until it has written them once, the
    // first run starts from the settings shipped beside the program (the holidays among them).
    std::filesystem::path ini = app.ini_file();
    std::error_code ec;
    if (!std::filesystem::exists(ini, ec) && std::filesystem::exists(app.paths.data(ini_file_name), ec))
        ini = app.paths.data(ini_file_name);
    std::unique_ptr<ProgressWindow> progress;
    ProgramData data = load_program_data(ini, app.paths.app_dir, app.today, [&](const Settings& settings) {
        // The window opens where the settings remember it.
        app.settings = settings;
        progress = std::make_unique<ProgressWindow>(app);
        progress->show();
        QApplication::processEvents();
        return progress.get();
    });
    app.settings = std::move(data.settings);
    app.sites = std::move(data.sites);
    if (data.settings_error) complain(data.settings_error->message);
    if (data.timetable_error) {
        if (progress) progress->unload();
        cannot_start(services, data_file, data.timetable_error->message);
        return false;
    }
    app.timetable = std::move(data.timetable);

    if (browser_unset(app.browser())) {
        BrowserValues b = app.browser();
        detect_default_browser(services.keys, b, services.path_env);
        app.set_browser(b);
        // A new installation (no browser ever chosen) asks for one; "0" was asked before and declined.
        if (b.kind == BrowserKind::never_chosen) {
            BrowserSetupWindow setup(app, services);
            setup.exec();
        }
    }
    progress->unload();
    return true;
}

}  // namespace

std::unique_ptr<MainWindow> start_program(AppState& app, Services& services, MainWindowHooks hooks) {
    app.today = services.clock.today();
    std::error_code ec;
    std::filesystem::create_directories(app.paths.user_dir, ec);

    SplashScreen splash(app.identity);
    splash.show();
    QApplication::processEvents();

    remove_directory(app.paths.tmp_dir());
    if (!load_run_state(app, services)) return nullptr;
    auto window = std::make_unique<MainWindow>(app, services, std::move(hooks));
    splash.close();
    return window;
}

}  // namespace quorvel
