// SPDX-License-Identifier: GPL-3.0-or-later
//
// keypadmgr's own start-up (the steps of keypadmgr/main.cpp, on the same
// libraries), quitting at the main window's first paint.
#include "appversion.h"
#include "firstpaintprobe.h"
#include "mainwindow.h"
#include "splashscreen.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    auto *app = new QApplication(argc, argv);
    QCoreApplication::setOrganizationName(QLatin1String(AppVersion::organizationName));
    QCoreApplication::setOrganizationDomain(QLatin1String(AppVersion::organizationDomain));
    QCoreApplication::setApplicationName(QLatin1String(AppVersion::applicationName));

    auto *window = new MainWindow;
    new FirstPaintProbe(window);
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
