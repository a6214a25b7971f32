// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutdialog.h"
#include "mainwindow.h"
#include "splashscreen.h"
#include "mspcontrolpanelwidget.h"
#include "mspscenesettingswidget.h"
#include "systemconfigurationwidget.h"
#include "updatedialog.h"

#include <connectionstate.h>
#include <discoverer.h>
#include <keypadtestbed.h>
#include <mspchooser.h>
#include <mspcomm.h>
#include <mspeffect.h>
#include <mspfixedcoloreffect.h>
#include <mspscene.h>
#include <mspscenemodel.h>
#include <networkprefs.h>
#include <ovrcolorlibrary.h>
#include <systemconfiguration.h>

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(ConnectionState::State)

namespace {

/**
 * Answers the next modal dialog of type T (file dialog, message box,
 * chooser) when it appears; @p answer returns false to leave a dialog
 * that is not the one it waits for.
 */
template<typename T>
void answerNext(const std::function<bool(T *)> &answer)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        auto *modal = qobject_cast<T *>(QApplication::activeModalWidget());
        if (modal && answer(modal)) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

void chooseFile(const QString &path)
{
    answerNext<QFileDialog>([path](QFileDialog *dialog) {
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        return true;
    });
}

void answerMessageBox(QMessageBox::StandardButton button, QString *text = nullptr, QString *title = nullptr,
                      const QString &skipTitle = QString())
{
    answerNext<QMessageBox>([button, text, title, skipTitle](QMessageBox *box) {
        if (!skipTitle.isEmpty() && box->windowTitle() == skipTitle)
            return false;
        if (text)
            *text = box->text();
        if (title)
            *title = box->windowTitle();
        box->button(button)->click();
        return true;
    });
}

QAction *findAction(QWidget *window, const QString &text)
{
    const auto actions = window->findChildren<QAction *>();
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void menusAndActions();
    void noKeypadAtStartUp();
    void demoModeHidesOverlayAndNotice();
    void enablingFollowsConnectionState_data();
    void enablingFollowsConnectionState();
    void overlappingDiscoveryRunsEndOnce();
    void saveThenOpenOffline();
    void savingToMissingFolderWarns();
    void saveReplacesWholeFile();
    void restoreLoadsDefaultsFileOffline();
    void restoreWithoutDefaultsFileSaysWhere();
    void keypadResetsItself_data();
    void keypadResetsItself();
    void oneKeypadConnects();
    void keypadScenePressSelectsScene();
    void openWhileConnectedUploads();
    void restoreOnNewFirmwareResetsKeypad();
    void twoKeypadsCancelledChooserIsNoKeypad();
    void hidingSettingsCollapsesWindow();
    void onlineHelp();
    void updateDialogFromHelpMenu();
    void splashAndAboutBox();
    void closingSavesLayout();
    void colorLibraryReadyAtStartUp();

private:
    ConnectionState *state() const { return ConnectionState::instance(); }

    std::unique_ptr<KeypadTestBed> m_bed;
    std::unique_ptr<MainWindow> m_window;
    QTemporaryDir m_dir;
    int m_keypad = -1;
};

void TestMainWindow::initTestCase()
{
    qRegisterMetaType<ConnectionState::State>();
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
    // Something on the network that is not a keypad, so the bed's link is up
    // and discovery runs, but finds no keypad.
    KeypadTestBed::SimulatorOptions other;
    other.name = QStringLiteral("Power supply");
    other.address = QStringLiteral("192.168.77.5/24");
    other.extraArguments = QStringList{QStringLiteral("--part"), QStringLiteral("XPS-100000-00")};
    QVERIFY2(m_bed->startSimulator(other) == 0, qPrintable(m_bed->errorString()));

    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumetra Keypad Effect Manager"));
    QSettings settings;
    settings.clear();
    settings.setValue(QLatin1String(NetworkPrefs::defaultKey), false);
    settings.setValue(QLatin1String(NetworkPrefs::ipKey), KeypadTestBed::hostAddress().toString());
    settings.setValue(QStringLiteral("lastDirPath"), m_dir.path());
    // No update check at start-up in this test.
    settings.setValue(QStringLiteral("update_never_check"), true);

    m_window = std::make_unique<MainWindow>();
    m_window->show();
}

void TestMainWindow::cleanupTestCase()
{
    m_window.reset();
}

void TestMainWindow::menusAndActions()
{
    const QStringList menus = {QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&Device"),
                               QStringLiteral("&View"), QStringLiteral("&Help")};
    QStringList seen;
    const auto actions = m_window->menuBar()->actions();
    for (QAction *action : actions) {
        if (!action->isSeparator())
            seen << action->text();
    }
    QCOMPARE(seen, menus);

    QAction *load = findAction(m_window.get(), QStringLiteral("L&oad Configuration File..."));
    QVERIFY(load);
    QCOMPARE(load->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(load->statusTip(), QStringLiteral("Load Configuration onto Lumetra Keypad"));
    QAction *help = findAction(m_window.get(), QStringLiteral("Help Contents"));
    QVERIFY(help);
    QCOMPARE(help->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(findAction(m_window.get(), QStringLiteral("Update...")));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Lumetra Keypad Effect Manager"));
    QCOMPARE(m_window->settingsTabs()->tabText(0), QStringLiteral("Scene Settings"));
    QCOMPARE(m_window->settingsTabs()->tabText(1), QStringLiteral("System Configuration"));
    QCOMPARE(m_window->settingsTabs()->tabText(2), QStringLiteral("Network"));
}

void TestMainWindow::noKeypadAtStartUp()
{
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::NoDevice, 10000);
    MSPSceneModel *model = MSPSceneModel::instance();
    QCOMPARE(model->activeSceneIndex(), 0);
    for (int i = 0; i < MSPSceneModel::sceneCount; ++i) {
        QCOMPARE(model->sceneAt(i)->url(), QStringLiteral("/api/v1/shows/%1").arg(i + 1));
        QVERIFY(model->sceneAt(i)->effect());
    }
    auto *notice = m_window->controlPanel()->findChild<QWidget *>(QStringLiteral("connectionFailedFrame"));
    auto *overlay = m_window->controlPanel()->findChild<QWidget *>(QStringLiteral("overlay"));
    QVERIFY(notice->isVisible());
    QVERIFY(overlay->isVisible());
    // The next tick without a heartbeat: not connected, and the notice stays.
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::NotConnected, 3 * ConnectionState::tickInterval);
    QVERIFY(notice->isVisible());
}

void TestMainWindow::demoModeHidesOverlayAndNotice()
{
    auto *panel = m_window->controlPanel();
    auto *demo = panel->findChild<QPushButton *>(QStringLiteral("demoModeButton"));
    QVERIFY(demo && demo->isVisible());
    QTest::mouseClick(demo, Qt::LeftButton);
    QCOMPARE(state()->state(), ConnectionState::DemoMode);
    QVERIFY(!panel->findChild<QWidget *>(QStringLiteral("overlay"))->isVisible());
    QVERIFY(!panel->findChild<QWidget *>(QStringLiteral("connectionFailedFrame"))->isVisible());
    // Demo mode lets every scene be chosen and shown without a keypad.
    auto *scene4 = panel->findChild<QAbstractButton *>(QStringLiteral("scene4Button"));
    QTest::mousePress(scene4, Qt::LeftButton);
    QTest::mouseRelease(scene4, Qt::LeftButton);
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 3);
    QCOMPARE(m_window->sceneSettings()->shownSceneIndex(), 3);
}

void TestMainWindow::enablingFollowsConnectionState_data()
{
    QTest::addColumn<ConnectionState::State>("status");
    QTest::addColumn<bool>("sceneEditor");
    QTest::addColumn<bool>("configEditor");
    QTest::addColumn<bool>("files");
    QTest::addColumn<bool>("restore");
    QTest::addColumn<bool>("addressOnly");
    QTest::newRow("Discovering") << ConnectionState::Discovering << false << false << false << false << false;
    QTest::newRow("Connected") << ConnectionState::Connected << true << true << true << true << false;
    QTest::newRow("NotConnected") << ConnectionState::NotConnected << false << false << false << false << false;
    QTest::newRow("Unreachable") << ConnectionState::Unreachable << false << true << false << false << true;
    QTest::newRow("DemoMode") << ConnectionState::DemoMode << true << true << true << false << false;
    QTest::newRow("ConnectionLost") << ConnectionState::ConnectionLost << false << false << false << false << false;
    QTest::newRow("NoDevice") << ConnectionState::NoDevice << false << false << false << false << false;
    QTest::newRow("Restoring") << ConnectionState::Restoring << false << false << false << false << false;
}

void TestMainWindow::enablingFollowsConnectionState()
{
    QFETCH(ConnectionState::State, status);
    QFETCH(bool, sceneEditor);
    QFETCH(bool, configEditor);
    QFETCH(bool, files);
    QFETCH(bool, restore);
    QFETCH(bool, addressOnly);

    m_window->settingsTabs()->setCurrentIndex(0);
    state()->setState(ConnectionState::NoStatus);
    state()->setState(status);
    QCOMPARE(m_window->sceneSettings()->isEnabled(), sceneEditor);
    QCOMPARE(m_window->systemConfiguration()->isEnabled(), configEditor);
    QCOMPARE(findAction(m_window.get(), QStringLiteral("L&oad Configuration File..."))->isEnabled(), files);
    QCOMPARE(findAction(m_window.get(), QStringLiteral("&Save Configuration File..."))->isEnabled(), files);
    QCOMPARE(findAction(m_window.get(), QStringLiteral("Restore Factory Default Settings"))->isEnabled(), restore);
    QCOMPARE(m_window->systemConfiguration()->isAddressOnly(), addressOnly);
    // Unreachable brings the configuration tab forward, so the address can be fixed.
    QCOMPARE(m_window->settingsTabs()->currentIndex(), addressOnly ? 1 : 0);
}

void TestMainWindow::overlappingDiscoveryRunsEndOnce()
{
    Discoverer *discoverer = Discoverer::instance();
    QSignalSpy limits(discoverer, &Discoverer::reachedDiscoverTimeLimit);
    QAction *discover = findAction(m_window.get(), QStringLiteral("Discover Device"));
    discover->trigger();
    discover->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::NoDevice, 10000);
    // Several time limits of 500 ms: a run left behind would fire again.
    QTest::qWait(2000);
    QCOMPARE(limits.count(), 1);
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainWindow::saveThenOpenOffline()
{
    state()->setState(ConnectionState::DemoMode);
    MSPSceneModel *model = MSPSceneModel::instance();
    SystemConfiguration *config = SystemConfiguration::instance();
    model->setActiveSceneIndex(2, false);
    auto *effect = qobject_cast<MSPFixedColorEffect *>(model->sceneAt(0)->effect());
    QVERIFY(effect);
    effect->setColor(QStringLiteral("#123456"));
    config->setName(QStringLiteral("Lobby & Bar <1>"));
    config->setUniverse(7);
    config->setIpAddress(QStringLiteral("192.168.77.42"));
    config->setVersion(QStringLiteral("1.2.0"));
    const QString savedBody = model->sceneAt(0)->formData();

    const QString path = m_dir.filePath(QStringLiteral("site.xml"));
    chooseFile(path);
    QVERIFY(m_window->save());
    QCOMPARE(QSettings().value(QStringLiteral("lastDirPath")).toString(), m_dir.path());

    effect->setColor(QStringLiteral("#654321"));
    config->setName(QStringLiteral("Changed"));
    config->setUniverse(9);
    model->setActiveSceneIndex(5, false);

    chooseFile(path);
    QVERIFY(m_window->open());
    QCOMPARE(model->sceneAt(0)->formData(), savedBody);
    QCOMPARE(config->name(), QStringLiteral("Lobby & Bar <1>"));
    QCOMPARE(config->universe(), 7);
    // Neither the address nor the firmware is in a file, and the file's
    // current show does not change the active scene.
    QCOMPARE(config->ipAddress(), QStringLiteral("192.168.77.42"));
    QCOMPARE(config->version(), QStringLiteral("1.2.0"));
    QCOMPARE(model->activeSceneIndex(), 5);
}

void TestMainWindow::savingToMissingFolderWarns()
{
    const QString path = m_dir.filePath(QStringLiteral("missing/new.xml"));
    QString text;
    QString title;
    chooseFile(path);
    // The file dialog accepts the name; the write then fails.
    answerMessageBox(QMessageBox::Ok, &text, &title);
    QVERIFY(!m_window->save());
    QCOMPARE(title, QStringLiteral("Save Error"));
    QVERIFY2(text.startsWith(QStringLiteral("Cannot open file ") + path + QStringLiteral(":\n")), qPrintable(text));
}

void TestMainWindow::saveReplacesWholeFile()
{
    state()->setState(ConnectionState::DemoMode);
    const QString path = m_dir.filePath(QStringLiteral("replaced.xml"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    chooseFile(path);
    answerMessageBox(QMessageBox::Yes); // the dialog asks before replacing a file
    QVERIFY(m_window->save());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QCOMPARE(written, m_window->configurationDocument().toLatin1());
    QVERIFY(written.endsWith("\n</v1>"));
    // Nothing is left behind beside it.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("replaced.xml*")}, QDir::Files | QDir::Hidden).size(), 1);
}

void TestMainWindow::restoreLoadsDefaultsFileOffline()
{
    state()->setState(ConnectionState::DemoMode);
    SystemConfiguration *config = SystemConfiguration::instance();
    config->setVersion(QStringLiteral("Not Available"));
    config->setName(QStringLiteral("Before restore"));
    answerMessageBox(QMessageBox::Yes);
    m_window->handleRestore();
    QCOMPARE(config->name(), QStringLiteral("Lumetra Keypad"));
    QCOMPARE(MSPSceneModel::instance()->sceneAt(1)->effect()->type(), int(MSPEffect::VariableColor));

    // "No" leaves everything alone.
    config->setName(QStringLiteral("Kept"));
    answerMessageBox(QMessageBox::No);
    m_window->handleRestore();
    QCOMPARE(config->name(), QStringLiteral("Kept"));
}

void TestMainWindow::restoreWithoutDefaultsFileSaysWhere()
{
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/defaultConfiguration.xml");
    const QString aside = path + QStringLiteral(".aside");
    QVERIFY(QFile::rename(path, aside));
    SystemConfiguration::instance()->setVersion(QStringLiteral("1.1.14"));
    QString text;
    QString title;
    answerMessageBox(QMessageBox::Yes);
    // The question is answered first; then comes the warning.
    answerMessageBox(QMessageBox::Ok, &text, &title, QStringLiteral("Restore Factory Default Settings"));
    m_window->handleRestore();
    QVERIFY(QFile::rename(aside, path));
    QCOMPARE(title, QStringLiteral("Open Error"));
    QVERIFY2(text.startsWith(QStringLiteral("Cannot open file ") + path + QStringLiteral(":\n")), qPrintable(text));
}

void TestMainWindow::keypadResetsItself_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("resets");
    QTest::newRow("1.1.15") << "1.1.15" << true;
    QTest::newRow("2.0.0") << "2.0.0" << true;
    QTest::newRow("1.3.0") << "1.3.0" << true;
    QTest::newRow("1.1.14") << "1.1.14" << false;
    QTest::newRow("1.2.5") << "1.2.5" << false;
    QTest::newRow("1.0.99") << "1.0.99" << false;
    QTest::newRow("Not Available") << "Not Available" << false;
    QTest::newRow("two parts") << "2.0" << false;
}

void TestMainWindow::keypadResetsItself()
{
    QFETCH(QString, version);
    QFETCH(bool, resets);
    QCOMPARE(MainWindow::keypadResetsItself(version), resets);
}

void TestMainWindow::oneKeypadConnects()
{
    KeypadTestBed::SimulatorOptions options;
    options.name = QStringLiteral("Foyer");
    options.address = QStringLiteral("192.168.77.20/24");
    options.firmware = QStringLiteral("2.0.0");
    m_keypad = m_bed->startSimulator(options);
    QVERIFY2(m_keypad > 0, qPrintable(m_bed->errorString()));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("config disable_switch=3")).startsWith(
        QLatin1String("ok")));

    // Retry from the notice, as a user would after plugging the keypad in.
    state()->setState(ConnectionState::NoDevice);
    auto *retry = m_window->controlPanel()->findChild<QPushButton *>(QStringLiteral("retryButton"));
    QVERIFY(retry->isVisible());
    QTest::mouseClick(retry, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 15000);

    SystemConfiguration *config = SystemConfiguration::instance();
    QTRY_COMPARE_WITH_TIMEOUT(config->name(), QStringLiteral("Foyer"), 10000);
    QCOMPARE(config->ipAddress(), QStringLiteral("192.168.77.20"));
    QCOMPARE(MSPComm::instance()->address(), QStringLiteral("192.168.77.20"));
    auto *panel = m_window->controlPanel();
    QTRY_VERIFY_WITH_TIMEOUT(!panel->findChild<QAbstractButton *>(QStringLiteral("scene3Button"))->isEnabled(), 10000);
    QVERIFY(panel->findChild<QAbstractButton *>(QStringLiteral("scene2Button"))->isEnabled());
    QVERIFY(!panel->findChild<QWidget *>(QStringLiteral("overlay"))->isVisible());
    auto *status = m_window->findChild<QLabel *>(QStringLiteral("textLabel"));
    QVERIFY(status);
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Connected"), 10000);
    auto *brightness = m_window->findChild<QLabel *>(QStringLiteral("brightnessValueLabel"));
    QTRY_VERIFY_WITH_TIMEOUT(brightness->text().endsWith(QLatin1Char('%')) || brightness->text() == QLatin1String("Off"),
                             10000);
}

void TestMainWindow::keypadScenePressSelectsScene()
{
    auto *panel = m_window->controlPanel();
    auto *scene6 = panel->findChild<QAbstractButton *>(QStringLiteral("scene6Button"));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 6")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(scene6->isChecked(), 10000);
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 5);
    QCOMPARE(m_window->sceneSettings()->shownSceneIndex(), 5);

    // And the other way: a scene chosen on screen plays on the keypad, and
    // the keypad's answer keeps it chosen.
    auto *scene2 = panel->findChild<QAbstractButton *>(QStringLiteral("scene2Button"));
    QTest::mousePress(scene2, Qt::LeftButton);
    QTest::mouseRelease(scene2, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_bed->command(m_keypad, QStringLiteral("status")).contains(QLatin1String(" current=2 ")),
                             10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->sceneSettings()->shownSceneIndex(), 1, 10000);
    QVERIFY(scene2->isChecked());
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 1);
}

void TestMainWindow::openWhileConnectedUploads()
{
    QCOMPARE(state()->state(), ConnectionState::Connected);
    // Every scene enabled, so that no reply moves the keypad off a disabled one.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("config enable_switch=3")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(SystemConfiguration::instance()->sceneEnabled(2), 10000);
    const int from = m_bed->requestLog(m_keypad).size();
    chooseFile(m_dir.filePath(QStringLiteral("site.xml")));
    QVERIFY(m_window->open());

    // Scene by scene: the show, then its body kept with "&apply=1"; then the
    // file's current show; then the configuration in two bodies.
    QStringList upload;
    QList<QDateTime> times;
    const auto requests = m_bed->requestLog(m_keypad).mid(from);
    for (const auto &request : requests) {
        const bool kept = request.method == QLatin1String("POST") && request.body.endsWith("&apply=1");
        const bool show = request.method == QLatin1String("GET") && request.path.startsWith(QLatin1String("/api/v1/shows/"));
        if (kept || show) {
            upload << request.method + QLatin1Char(' ') + request.path;
            times << request.time;
        }
    }
    QStringList expected;
    for (int i = 1; i <= 8; ++i)
        expected << QStringLiteral("GET /api/v1/shows/%1").arg(i) << QStringLiteral("POST /api/v1/shows/%1").arg(i);
    expected << QStringLiteral("GET /api/v1/shows/3") << QStringLiteral("POST /api/v1/config")
             << QStringLiteral("POST /api/v1/config");
    QVERIFY2(upload.mid(0, expected.size()) == expected, qPrintable(upload.join(QLatin1Char(','))));
    for (int i = 2; i < 16; i += 2)
        QVERIFY2(times.at(i - 2).msecsTo(times.at(i)) >= 500, qPrintable(upload.at(i)));
    QVERIFY(times.at(17).msecsTo(times.at(18)) >= 400);
}

void TestMainWindow::restoreOnNewFirmwareResetsKeypad()
{
    QTRY_COMPARE_WITH_TIMEOUT(SystemConfiguration::instance()->version(), QStringLiteral("2.0.0"), 10000);
    const int from = m_bed->requestLog(m_keypad).size();
    answerMessageBox(QMessageBox::Yes);
    m_window->handleRestore();
    QCOMPARE(state()->state(), ConnectionState::Restoring);
    auto resetSent = [this, from] {
        const auto requests = m_bed->requestLog(m_keypad).mid(from);
        for (const auto &request : requests) {
            if (request.method == QLatin1String("POST") && request.path == QLatin1String("/api/v1/config")
                && request.body == "factory_reset=1")
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(resetSent(), 10000);
    QVERIFY(m_bed->waitForEvent(m_keypad, QStringLiteral("restarted"), 20000));
    // The keypad comes back after its restart: back online, read again.
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 20000);
}

void TestMainWindow::twoKeypadsCancelledChooserIsNoKeypad()
{
    KeypadTestBed::SimulatorOptions options;
    options.name = QStringLiteral("Bar");
    options.address = QStringLiteral("192.168.77.3/24");
    QVERIFY2(m_bed->startSimulator(options) > 0, qPrintable(m_bed->errorString()));

    QStringList lines;
    answerNext<MSPChooser>([&lines](MSPChooser *chooser) {
        auto *combo = chooser->findChild<QComboBox *>(QStringLiteral("devicesComboBox"));
        for (int i = 0; i < combo->count(); ++i)
            lines << combo->itemText(i);
        chooser->reject();
        return true;
    });
    QSignalSpy states(state(), &ConnectionState::stateChanged);
    findAction(m_window.get(), QStringLiteral("Discover Device"))->trigger();
    // Cancelled: no keypad. (The keypad used before keeps sending heartbeats,
    // which may bring the state back afterwards.)
    auto sawNoDevice = [&states] {
        for (const auto &change : states) {
            if (change.at(0).value<ConnectionState::State>() == ConnectionState::NoDevice)
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(sawNoDevice(), 15000);
    QCOMPARE(lines, (QStringList{QStringLiteral("Foyer (192.168.77.20)"), QStringLiteral("Bar (192.168.77.3)")}));
}

void TestMainWindow::hidingSettingsCollapsesWindow()
{
    QDockWidget *dock = m_window->settingsDock();
    const int panelWidth = m_window->controlPanel()->width();
    QTRY_VERIFY(dock->isVisible());
    m_window->resize(1200, m_window->height());
    QTRY_COMPARE(m_window->width(), 1200);
    dock->toggleViewAction()->trigger();
    QTRY_COMPARE(m_window->width(), panelWidth);
    dock->toggleViewAction()->trigger();
    QTRY_COMPARE(m_window->width(), 1200);
}

void TestMainWindow::onlineHelp()
{
    const QUrl url = MainWindow::helpUrl();
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(),
             QCoreApplication::applicationDirPath() + QStringLiteral("/help/LumetraKeypad_ProductGuide.pdf"));

    QString text;
    QString title;
    answerMessageBox(QMessageBox::Ok, &text, &title);
    findAction(m_window.get(), QStringLiteral("Help Contents"))->trigger();
    QTRY_COMPARE(title, QStringLiteral("Error"));
    QCOMPARE(text, QStringLiteral("Failed to find help file at %1").arg(url.toString()));
}

void TestMainWindow::updateDialogFromHelpMenu()
{
    findAction(m_window.get(), QStringLiteral("Update..."))->trigger();
    auto *dialog = m_window->findChild<UpdateDialog *>();
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Check For Updates"));
    dialog->reject();
}

void TestMainWindow::splashAndAboutBox()
{
    QCOMPARE(SplashScreen::versionLine(), QStringLiteral("Version 1.3 20131127-196"));
    {
        QPointer<SplashScreen> splash = new SplashScreen;
        splash->show();
        m_window->setSplash(splash);
        // Dismissed a second after the window received it.
        QTRY_VERIFY_WITH_TIMEOUT(!splash->isVisible(), 5000);
        delete splash;
    }

    findAction(m_window.get(), QStringLiteral("&About"))->trigger();
    auto *about = m_window->findChild<AboutDialog *>();
    QVERIFY(about);
    QTRY_VERIFY(about->isVisible());
    QStringList texts;
    const auto labels = about->findChildren<QLabel *>();
    for (const QLabel *label : labels)
        texts << label->text();
    QCOMPARE(texts.value(0), QStringLiteral("Version: 1.3 20131127-196"));
    QCOMPARE(texts.value(1), QStringLiteral("Qt Library Paths:"));
    QVERIFY(!texts.value(2).endsWith(QLatin1Char('\n')));
    QCOMPARE(about->size(), QSize(480, 300));
    QTest::mouseClick(about, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTRY_VERIFY(!about->isVisible());
}

void TestMainWindow::closingSavesLayout()
{
    m_window->close();
    QSettings settings;
    QVERIFY(!settings.value(QStringLiteral("msp_window_geometry")).toByteArray().isEmpty());
    QVERIFY(!settings.value(QStringLiteral("msp_window_state")).toByteArray().isEmpty());
}

void TestMainWindow::colorLibraryReadyAtStartUp()
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    QVERIFY(library->canGeneratePixmap());
    QVERIFY(library->isUserList(OvrColorLibrary::explicitColorsListName()));
    QVERIFY(!library->containsList(OvrColorLibrary::projectSwatchesListName()));
    QVERIFY(library->supportsNChannel());
    QVERIFY(!library->supportsOpacity());
    const QString uid = library->createExplicitColor(OvrColor::fromRgb8(0, 255, 0), QStringLiteral("Green"));
    const QModelIndex index = library->getIndexOfUid(uid);
    const QPixmap thumbnail = index.data(Qt::DecorationRole).value<QPixmap>();
    QVERIFY(!thumbnail.isNull());
    QCOMPARE(thumbnail.toImage().pixelColor(thumbnail.width() / 2, thumbnail.height() / 2), QColor(0, 255, 0));
    library->remove(uid);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
