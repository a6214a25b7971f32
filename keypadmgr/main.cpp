// SPDX-License-Identifier: GPL-3.0-or-later
#include "appversion.h"
#include "mainwindow.h"
#include "splashscreen.h"

#include <QApplication>
#include <QLoggingCategory>

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
    auto *app = new QApplication(argc, argv);
    QCoreApplication::setOrganizationName(QLatin1String(AppVersion::organizationName));
    QCoreApplication::setOrganizationDomain(QLatin1String(AppVersion::organizationDomain));
    QCoreApplication::setApplicationName(QLatin1String(AppVersion::applicationName));

    auto *window = new MainWindow;
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
