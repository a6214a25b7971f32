// SPDX-License-Identifier: GPL-3.0-or-later
#include "appversion.h"
#include "apptranslations.h"
#include "commandline.h"
#include "fleetcommand.h"
#include "mainwindow.h"
#include "splashscreen.h"

#include "mspcomm.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    // Style sheet indicator images and icons pick their "@2x" versions on
    // high-density screens only with this set before the application exists.
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // Debug lines are for developers; QT_LOGGING_RULES turns them back on.
    QLoggingCategory::setFilterRules(QStringLiteral("keypad.*.debug=false\n"
                                                    "dravon.debug=false\n"
                                                    "ovrcolor.debug=false\n"
                                                    "ovraut.debug=false"));
    QCoreApplication::setOrganizationName(QLatin1String(AppVersion::organizationName));
    QCoreApplication::setOrganizationDomain(QLatin1String(AppVersion::organizationDomain));
    QCoreApplication::setApplicationName(QLatin1String(AppVersion::applicationName));

    // The command line is read before the windowing system is opened, so
    // --help, --version and a mistyped option answer on a machine without
    // a display.
    bool demo = false;
    {
        QCoreApplication textOnly(argc, argv);
        AppTranslations::install(&textOnly);
        // The commands for many keypads run here, without a display.
        if (FleetCommand::isCommand(QCoreApplication::arguments())) {
            QTextStream out(stdout);
            QTextStream err(stderr);
            FleetCommand command(&out, &err);
            command.setProgress(isatty(STDERR_FILENO));
            return command.run(QCoreApplication::arguments());
        }
        CommandLine commandLine;
        switch (commandLine.parse(QCoreApplication::arguments())) {
        case CommandLine::Action::ShowHelp:
            print(stdout, commandLine.helpText());
            return 0;
        case CommandLine::Action::ShowVersion:
            print(stdout, CommandLine::versionText() + QLatin1Char('\n'));
            return 0;
        case CommandLine::Action::Error:
            print(stderr, commandLine.errorText() + QLatin1Char('\n') + commandLine.helpText());
            return 2;
        case CommandLine::Action::Run:
            demo = commandLine.demo();
            break;
        }
    }

    auto *app = new QApplication(argc, argv);
    // Matches the installed desktop entry, so docks and task bars show the
    // program's own name and icon.
    QGuiApplication::setDesktopFileName(QLatin1String(AppVersion::desktopFileName));
    AppTranslations::install(app);
    // What the window needs from the disk and the system is read while it is built.
    MSPComm::prepareInBackground();
    SplashScreen::preload();

    auto *window = new MainWindow;
    if (demo)
        window->startInDemoMode();
    QCoreApplication::processEvents();

    auto *splash = new SplashScreen;
    splash->show();
    window->setSplash(splash);

    QCoreApplication::processEvents();
    window->show();
    const int result = app->exec();

    delete splash;
    delete window;
    delete app;
    return result;
}
