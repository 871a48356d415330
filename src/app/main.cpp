// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QIcon>

#include "app/startup.hpp"
#include "app/window_wiring.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/qt_services.hpp"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quorvel.png")));
    quorvel::install_japanese(application);

    quorvel::AppState app;
    const std::filesystem::path app_dir = QCoreApplication::applicationDirPath().toStdString();
    app.paths = quorvel::choose_app_paths(app_dir, quorvel::is_build_tree(app_dir),
                                          qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
                                          qEnvironmentVariable("HOME").toStdString());

    quorvel::HelpWindow help(app.help_file());
    quorvel::QtMessageBoxes boxes(help);
    quorvel::QtBrowserLauncher launcher;
    quorvel::QtPrinter printer;
    quorvel::SystemClock clock;
    quorvel::XdgKeyValueSource keys;
    quorvel::Services services{boxes, launcher, help, printer,
                               clock, keys,     {},   qEnvironmentVariable("PATH").toStdString()};

    auto window = quorvel::start_program(app, services, quorvel::program_hooks(app, services));
    if (!window) return 1;
    window->show();
    return application.exec();
}
