// SPDX-License-Identifier: GPL-3.0-or-later
//
// keypadmgr's own start-up (the steps of keypadmgr/main.cpp, on the same
// libraries), quitting at the main window's first paint. The milestones
// between the steps let the runner show where the time goes.
//
// With --first-shows it starts in demo mode and, after the first paint,
// opens what is built when first shown, as a user would, one after the
// other: each effect editor (chosen in the effect selector), the white and
// channel pages of the colour picker, the other settings tabs and the
// update dialog. Each step's milestone follows a "before_" one, so the
// runner's step time is the time to build, lay out and paint it.
#include "appversion.h"
#include "apptranslations.h"
#include "commandline.h"
#include "firstpaintprobe.h"
#include "mainwindow.h"
#include "splashscreen.h"
#include "startupmarks.h"

#include "mspeffectwidget.h"
#include "mspscenesettingswidget.h"

#include "mspcomm.h"
#include "mspeffect.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QWidget>

#include <cstring>

namespace {

// Builds, lays out and paints what @p open shows; "before_<name>" and
// "<name>" enclose it.
template<typename Open>
void timeFirstShow(QWidget *window, const char *name, Open open)
{
    const QByteArray before = QByteArray("before_") + name;
    FirstPaintProbe::mark(before.constData());
    open();
    QCoreApplication::processEvents();
    window->repaint();
    FirstPaintProbe::mark(name);
}

void openEverything(MainWindow *window)
{
    MSPSceneSettingsWidget *scenes = window->sceneSettings();
    auto *effects = scenes->findChild<QComboBox *>(QStringLiteral("effectsComboBox"));
    static const char *const editors[] = {nullptr, "editor_variable", "editor_colorwash", "editor_rainbow",
                                          "editor_customwash", "editor_random", "editor_rgbwhite",
                                          "editor_kelvowhite"};
    for (int type = 1; type < MSPEffect::typeCount; ++type)
        timeFirstShow(window, editors[type], [effects, type] { effects->setCurrentIndex(type); });
    effects->setCurrentIndex(MSPEffect::FixedColor);
    QCoreApplication::processEvents();
    QWidget *fixed = scenes->editor(MSPEffect::FixedColor);
    for (const char *page : {"whitePickerButton", "nChannelPickerButton"}) {
        auto *button = fixed->findChild<QAbstractButton *>(QLatin1String(page));
        timeFirstShow(window, page[0] == 'w' ? "picker_white" : "picker_channel", [button] { button->click(); });
    }
    timeFirstShow(window, "tab_system", [window] { window->settingsTabs()->setCurrentIndex(1); });
    timeFirstShow(window, "tab_network", [window] { window->settingsTabs()->setCurrentIndex(2); });
    timeFirstShow(window, "tab_scenes", [window] { window->settingsTabs()->setCurrentIndex(0); });
    timeFirstShow(window, "update_dialog", [window] { QMetaObject::invokeMethod(window, "showUpdater"); });
}

} // namespace

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
    const bool firstShows = argc > 1 && std::strcmp(argv[1], "--first-shows") == 0;
    FirstPaintProbe::mark("command_line");
    auto *app = new QApplication(argc, argv);
    QGuiApplication::setDesktopFileName(QLatin1String(AppVersion::desktopFileName));
    AppTranslations::install(app);
    FirstPaintProbe::mark("application");
    // What the window needs from the disk and the system is read while it is built.
    MSPComm::prepareInBackground();
    SplashScreen::preload();

    auto *window = new MainWindow;
    if (firstShows)
        window->startInDemoMode();
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
    if (firstShows)
        openEverything(window);

    delete splash;
    delete window;
    delete app;
    return result;
}
