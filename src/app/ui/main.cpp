#include <QApplication>

#include "app/app_state.hpp"
#include "app/ui/startup.hpp"
#include "platform/ui/qt_services.hpp"
#include "search/ui/time_table2.hpp"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    quorvel::install_japanese(application);

    quorvel::AppState app;
    const std::filesystem::path app_dir = QCoreApplication::applicationDirPath().toStdString();
    app.paths = quorvel::choose_app_paths(app_dir, quorvel::directory_writable(app_dir),
                                          qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
                                          qEnvironmentVariable("HOME").toStdString());

    quorvel::HelpWindow help(app.help_file());
    quorvel::QtMessageBoxes boxes(help);
    quorvel::QtBrowserLauncher launcher;
    quorvel::QtPrinter printer;
    quorvel::SystemClock clock;
    quorvel::XdgKeyValueSource keys;
    quorvel::Services services{boxes, launcher, help, printer, clock, keys, {},
                               qEnvironmentVariable("PATH").toStdString()};

    quorvel::MainWindowHooks hooks;
    hooks.open_results = [&app, &services](quorvel::time_table1& main_window) {
        auto* results = new quorvel::time_table2(app, services, main_window);
        if (results->Form_Load()) results->show();
    };
    auto window = quorvel::start_program(app, services, std::move(hooks));
    if (!window) return 1;
    window->show();
    return application.exec();
}
