// SPDX-License-Identifier: GPL-3.0-or-later
//
// keypadmgr's own start-up (the steps of keypadmgr/main.cpp, on the same
// libraries), quitting at the main window's first paint. The milestones
// between the steps let the runner show where the time goes.
#include "appversion.h"
#include "apptranslations.h"
#include "commandline.h"
#include "firstpaintprobe.h"
#include "mainwindow.h"
#include "splashscreen.h"
#include "startupmarks.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    FirstPaintProbe::mark("main");
    // The window's own steps show up between "application" and "window_built".
    StartupMarks::setRecorder(&FirstPaintProbe::mark);
    Q_INIT_RESOURCE(resources);
    QCoreApplication::setOrganizationName(QLatin1String(AppVersion::organizationName));
    QCoreApplication::setOrganizationDomain(QLatin1String(AppVersion::organizationDomain));
    QCoreApplication::setApplicationName(QLatin1String(AppVersion::applicationName));
    {
        QCoreApplication textOnly(argc, argv);
        AppTranslations::install(&textOnly);
        CommandLine commandLine;
        commandLine.parse(QCoreApplication::arguments());
    }
    FirstPaintProbe::mark("command_line");
    auto *app = new QApplication(argc, argv);
    QGuiApplication::setDesktopFileName(QLatin1String(AppVersion::desktopFileName));
    AppTranslations::install(app);
    FirstPaintProbe::mark("application");

    auto *window = new MainWindow;
    new FirstPaintProbe(window);
    FirstPaintProbe::mark("window_built");
    QCoreApplication::processEvents();
    FirstPaintProbe::mark("events");

    auto *splash = new SplashScreen;
    FirstPaintProbe::mark("splash_built");
    splash->show();
    window->setSplash(splash);
    FirstPaintProbe::mark("splash_shown");

    QCoreApplication::processEvents();
    window->show();
    FirstPaintProbe::mark("shown");
    const int result = app->exec();

    delete splash;
    delete window;
    delete app;
    return result;
}
