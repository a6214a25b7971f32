// SPDX-License-Identifier: GPL-3.0-or-later
//
// Renders the main window in demo mode with each of the eight effect editors
// into PNG files, for the README, and the window as the product guide opens
// with it (main-window.png), and the keypad list of a site (keypad-list.png):
//
//   screenshots <output folder> [--window-only]
//
// and the whole window at 1366x768 and 1920x1080 (window-WxH.png; with
// QT_SCALE_FACTOR=2 and --window-only, window-WxH@2x.png).
// Run it on the offscreen platform inside a private network namespace with a
// throw-away HOME (make screenshots does all three): the window is the real
// one, and it would look for keypads if it ran long enough.

#include "appversion.h"
#include "fleetsettings.h"
#include "keypadlistdock.h"
#include "keypadlistmodel.h"
#include "mainwindow.h"
#include "mspscenesettingswidget.h"

#include "discoverer.h"
#include "mspcolorwasheffect.h"
#include "mspcustomwasheffect.h"
#include "mspeffectfactory.h"
#include "mspfixedcoloreffect.h"
#include "msprandomcoloreffect.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "mspwhiteeffect.h"
#include "ovrcolor.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTabWidget>
#include <QTextStream>

namespace {

// Values that show what each editor does better than the class defaults.
void giveSampleValues(MSPEffect *effect)
{
    if (auto *fixed = qobject_cast<MSPFixedColorEffect *>(effect))
        fixed->setColor(OvrColor::fromRgb8(255, 140, 20).aName());
    if (auto *wash = qobject_cast<MSPColorWashEffect *>(effect)) {
        wash->setSpeed(18);
        wash->setDirection(1);
    }
    if (auto *custom = qobject_cast<MSPCustomWashEffect *>(effect)) {
        custom->setWidth(custom->minimumWidth() + 4);
        custom->setColorList({OvrColor::fromRgb8(255, 0, 0).aName(), OvrColor::fromRgb8(255, 160, 0).aName(),
                              OvrColor::fromRgb8(0, 200, 255).aName(), OvrColor::fromRgb8(120, 0, 255).aName()});
    }
    if (auto *random = qobject_cast<MSPRandomColorEffect *>(effect)) {
        random->setSpeed(20);
        random->setFade(true);
    }
    if (auto *white = qobject_cast<MSPWhiteEffect *>(effect)) {
        white->setTemperature(96);
        white->setBrightness(80);
    }
}

QString fileName(int type)
{
    QString name = MSPEffect::effectTypeName(type).toLower();
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QStringLiteral("editor-%1-%2.png").arg(type).arg(name);
}

// Height a desktop keeps for the window's title bar and its panel, px.
constexpr int desktopAllowance = 70;

bool save(QWidget *window, const QString &path)
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    if (!window->grab().save(path)) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QLatin1String(AppVersion::organizationName));
    QCoreApplication::setApplicationName(QLatin1String(AppVersion::applicationName));
    if (argc < 2) {
        QTextStream(stderr) << "usage: screenshots <output folder> [--window-only]\n";
        return 2;
    }
    // --window-only: just the whole-window pictures (the second run at 200 %).
    const bool windowOnly = argc > 2 && qstrcmp(argv[2], "--window-only") == 0;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.absolutePath())) {
        QTextStream(stderr) << "cannot create " << out.absolutePath() << '\n';
        return 1;
    }
    QSettings().setValue(QStringLiteral("update_never_check"), true);

    MainWindow window;
    // The window looks for keypads a second after it starts; its verdict
    // ("no keypad") must not end the demo halfway through the pictures.
    QObject::disconnect(Discoverer::instance(), nullptr, &window, nullptr);
    // As with --demo: no discovery run ends the demo halfway through.
    window.startInDemoMode();
    window.resize(1280, 800);
    window.show();
    MSPSceneModel *model = MSPSceneModel::instance();
    window.settingsTabs()->setCurrentWidget(window.sceneSettings());

    MSPScene *scene = model->sceneAt(0);
    for (int type = 0; type < MSPEffect::typeCount && !windowOnly; ++type) {
        MSPEffect *effect = MSPEffectFactory::instance()->create(type, scene);
        giveSampleValues(effect);
        scene->setEffect(effect, true);
        if (!save(&window, out.filePath(fileName(type))))
            return 1;
    }
    // The guide's first picture: the scenes with a wash that shows colours.
    MSPEffect *wash = MSPEffectFactory::instance()->create(MSPEffect::CustomWash, scene);
    giveSampleValues(wash);
    scene->setEffect(wash, true);
    if (!windowOnly && !save(&window, out.filePath(QStringLiteral("main-window.png"))))
        return 1;

    // The whole window as it opens on common screens, less the desktop's
    // title bar and panel; "@2x" at 200 % scale.
    const QString scale = window.devicePixelRatioF() > 1.5 ? QStringLiteral("@2x") : QString();
    for (const QSize screen : {QSize(1366, 768), QSize(1920, 1080)}) {
        window.resize(screen - QSize(0, desktopAllowance));
        const QString name = QStringLiteral("window-%1x%2%3.png").arg(screen.width()).arg(screen.height()).arg(scale);
        if (!save(&window, out.filePath(name)))
            return 1;
    }

    if (windowOnly)
        return 0;

    // The keypad list of a site: three keypads on the office network, two
    // on the lighting VLAN found by a scan, one that stopped answering.
    // Filled by hand; nothing is sent (demo mode keeps the list quiet).
    KeypadListDock *list = window.keypadList();
    const struct
    {
        const char *name;
        const char *address;
        const char *firmware;
        int universe;
    } keypads[] = {{"Foyer", "192.168.1.20", "2.0.0", 1},    {"Hall East", "192.168.1.21", "2.0.0", 2},
                   {"Hall West", "192.168.1.22", "1.2.0", 3}, {"Stage Left", "10.2.0.7", "2.0.1", 10},
                   {"Stage Right", "10.2.0.8", "2.0.1", 11}};
    for (int i = 0; i < int(sizeof keypads / sizeof keypads[0]); ++i) {
        KeypadInfo keypad;
        keypad.name = QLatin1String(keypads[i].name);
        keypad.address = QLatin1String(keypads[i].address);
        keypad.mac = QByteArray::fromHex("024c4b0000" + QByteArray::number(i + 1, 16).rightJustified(2, '0'));
        keypad.firmware = QLatin1String(keypads[i].firmware);
        keypad.universe = keypads[i].universe;
        list->model()->addKeypad(keypad);
        if (i != 2) {
            FleetSettings::setLastBackup(keypad,
                                         {QDateTime(QDate(2026, 12, 8), QTime(18, 30)),
                                          QStringLiteral("/home/installer/backups/%1_%2_2026-12-08-1830.xml")
                                              .arg(keypad.name.replace(QLatin1Char(' '), QLatin1Char('_')),
                                                   keypad.address)});
        }
    }
    list->model()->addAddress(QStringLiteral("10.2.0.9"));
    list->model()->refreshBackups();
    list->setFloating(true);
    list->resize(1300, 300);
    list->show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QString listPath = out.filePath(QStringLiteral("keypad-list.png"));
    if (!list->grab().save(listPath)) {
        QTextStream(stderr) << "cannot write " << listPath << '\n';
        return 1;
    }
    QTextStream(stdout) << listPath << '\n';
    return 0;
}
