// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutdialog.h"
#include "findaction.h"
#include "guidewindow.h"
#include "keypadsnapshot.h"
#include "mainwindow.h"
#include "mspcolorwasheffectwidget.h"
#include "mspcontrolpanelwidget.h"
#include "mspeffectwidget.h"
#include "mspscenesettingswidget.h"
#include "programsettings.h"
#include "splashscreen.h"
#include "systemconfigurationwidget.h"
#include "updatedialog.h"
#include "userprompts.h"

#include "colorutils.h"
#include "connectionstate.h"
#include "discoverer.h"
#include "keypadtestbed.h"
#include "mspchooser.h"
#include "mspcomm.h"
#include "mspcustomwasheffect.h"
#include "mspeffect.h"
#include "mspeffectfactory.h"
#include "mspfixedcoloreffect.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "networkprefs.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorpicker.h"
#include "ovrcolorpickerbuttonswidget.h"
#include "ovrdatafiles.h"
#include "sentrequests.h"
#include "systemconfiguration.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QProgressDialog>
#include <QStatusBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(ConnectionState::State)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

/**
 * Answers the window's file and message prompts from scripted lists and
 * records what it was asked. An unscripted file prompt is a cancel; an
 * unscripted message box is answered with its first button.
 */
class ScriptedPrompts : public UserPrompts
{
public:
    struct Message
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButton defaultButton;
    };

    QString openFileName(QWidget *, const QString &, const QString &, const QString &filter) override
    {
        filters << filter;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &filter,
                         const QString &defaultSuffix) override
    {
        filters << filter;
        suffixes << defaultSuffix;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QMessageBox::StandardButton message(QMessageBox::Icon icon, QWidget *, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override
    {
        messages.append({icon, title, text, defaultButton});
        if (beforeAnswer)
            beforeAnswer(messages.constLast());
        if (!answers.isEmpty())
            return answers.takeFirst();
        for (int bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
            if (buttons & bit)
                return QMessageBox::StandardButton(bit);
        }
        return QMessageBox::NoButton;
    }

    QStringList files;
    QList<QMessageBox::StandardButton> answers;
    // What the user does while a message is on screen, before answering it.
    std::function<void(const Message &)> beforeAnswer;
    QList<Message> messages;
    QStringList filters;
    QStringList suffixes;
};

/**
 * Answers the next modal dialog of type T (the keypad chooser) when it
 * appears.
 */
template<typename T>
void answerNext(const std::function<void(T *)> &answer)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto *modal = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

// Whether the state passed through @p status (the next tick may leave it at once).
bool sawState(const QSignalSpy &states, ConnectionState::State status)
{
    for (const auto &change : states) {
        if (change.at(0).value<ConnectionState::State>() == status)
            return true;
    }
    return false;
}

/**
 * The keyboard's controls under @p top that cannot be reached: neither inside
 * @p window nor inside a scroll area that shows part of itself there; and,
 * with @p whole, every scroll area that would have to scroll. One line each.
 */
QStringList unreachableControls(QWidget *window, QWidget *top, bool whole)
{
    QStringList found;
    const QRect room = window->rect();
    const auto inWindow = [window, &room](QWidget *widget) {
        return room.contains(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()));
    };
    // Inside what a scroll area scrolls: reachable wherever it lies.
    const auto scrolled = [top](QWidget *widget) {
        for (QWidget *up = widget; up && up != top; up = up->parentWidget()) {
            QWidget *viewport = up->parentWidget();
            auto *area = qobject_cast<QScrollArea *>(viewport ? viewport->parentWidget() : nullptr);
            if (area && area->widget() == up)
                return true;
        }
        return false;
    };
    const auto name = [](QWidget *widget) {
        return QStringLiteral("%1 %2").arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName());
    };
    const auto areas = top->findChildren<QScrollArea *>();
    for (QScrollArea *area : areas) {
        if (!area->isVisible())
            continue;
        if (area->viewport()->height() < 1 || (!scrolled(area) && !inWindow(area->viewport())))
            found << QStringLiteral("%1 lies outside the window").arg(name(area));
        else if (whole && area->verticalScrollBar()->maximum() > 0)
            found << QStringLiteral("%1 scrolls: %2 px high, wants %3")
                         .arg(name(area))
                         .arg(area->viewport()->height())
                         .arg(area->viewport()->height() + area->verticalScrollBar()->maximum());
    }
    const auto widgets = top->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!widget->isVisible() || !(widget->focusPolicy() & Qt::TabFocus) || qobject_cast<QScrollArea *>(widget))
            continue;
        if (!scrolled(widget) && !inWindow(widget))
            found << QStringLiteral("%1 lies outside the window").arg(name(widget));
    }
    return found;
}

/** The split between colours and picker of the wash editor on show, if one is. */
QSplitter *visibleWashSplitter(QWidget *sceneSettings)
{
    const auto editors = sceneSettings->findChildren<MSPColorWashEffectWidget *>();
    for (MSPColorWashEffectWidget *editor : editors) {
        auto *split = editor->findChild<QSplitter *>(QStringLiteral("splitter"), Qt::FindDirectChildrenOnly);
        if (editor->isVisible() && split)
            return split;
    }
    return nullptr;
}

/** Stands in for the desktop's URL handler and keeps what it was asked to open. */
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
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
    void saveDialogAddsXmlSuffix();
    void restoreLoadsDefaultsFileOffline();
    void restoreWithoutDefaultsFileSaysWhere();
    void keypadResetsItself_data();
    void keypadResetsItself();
    void oneKeypadConnects();
    void keypadScenePressSelectsScene();
    void openWhileConnectedUploads();
    void openFileOfAnotherKeypadKeepsTheKeypadsName();
    void titleNamesTheKeypad();
    void restoreOnNewFirmwareResetsKeypad();
    void restoreNotTakenIsSaid_data();
    void restoreNotTakenIsSaid();
    void restoreTriedAgainAsksAboutNewChanges();
    void restoreChosenAgainComparesWithTheFirst();
    void leavingAWaitingRestoreClaimsNothing();
    void twoKeypadsCancelledChooserIsNoKeypad();
    void failedChangeIsReportedAndResynced_data();
    void failedChangeIsReportedAndResynced();
    void failedEditIsKeptAndSentOnSave();
    void unsavedEditRidesOutSilence_data();
    void unsavedEditRidesOutSilence();
    void changeNotOnKeypadIsSaidUntilItIs_data();
    void changeNotOnKeypadIsSaidUntilItIs();
    void undoNotOnKeypadKeepsTheEdit_data();
    void undoNotOnKeypadKeepsTheEdit();
    void readDuringUndoDoesNotPlayTheEditAgain();
    void undoAnsweredAfterAnotherSceneKeepsThatScene();
    void saveBehindALostEditIsNotSent();
    void saveRightAfterAPressSendsTheEditFirst();
    void screenFollowsKeypadAfterUploadAndRestore();
    void sceneChosenWhileOffRereadsBrightness();
    void failedRetryBringsNoticeBack();
    void onePressOneRequest();
    void sceneChosenWinsOverEditsInFlight_data();
    void sceneChosenWinsOverEditsInFlight();
    void lateAnswerKeepsNewerChoice();
    void lateAnswerLeavesSavedSceneAlone();
    void saveOvertakenByKeypadPressStaysUnsaved();
    void malformedFileChangesNothing_data();
    void malformedFileChangesNothing();
    void everySceneOfFileTakenOrRefused_data();
    void everySceneOfFileTakenOrRefused();
    void unsavedChangesAskFirst_data();
    void unsavedChangesAskFirst();
    void uploadSaysWhatArrived_data();
    void uploadSaysWhatArrived();
    void hidingSettingsCollapsesWindow();
    void windowRoom_data();
    void windowRoom();
    void editorsFitTheWindow_data();
    void editorsFitTheWindow();
    void washDirectionMovesBelowSpeedWhenNarrow();
    void washSplitRemembered();
    void saveNamesFileInTitle();
    void onlineHelp_data();
    void onlineHelp();
    void onlineHelpMissing();
    void guideSearchAndPdf();
    void updateDialogFromHelpMenu();
    void splashAndAboutBox();
    void closingSavesLayout();
    void colorLibraryReadyAtStartUp();

private:
    ConnectionState *state() const { return ConnectionState::instance(); }
    /** No keypad on the network and none chosen; the window waits in @p status. */
    void goOffline(ConnectionState::State status);
    /** The keypad "Foyer" (firmware 2.0.0, every scene enabled) runs and the window is connected to it. */
    void connectKeypad();
    void stopKeypads();
    static KeypadTestBed::SimulatorOptions foyer();
    /** Has the keypad play @p scene (1..8) by a press on it, and waits until the screen follows. */
    void keypadPlays(int scene);
    void clickScene(int scene);
    /** Waits until the program has stopped talking to the keypad. */
    void settle();
    QString keypadStatus(const QString &key);
    /** The requests the keypad received since @p from, as "METHOD path body". */
    QStringList requestsSince(int from);
    /** The configuration document with @p currentShow as its current show, written to @p name. */
    QString writeConfigurationFile(const QString &name, int currentShow);
    QString statusText() const;
    /** A widget of the scene settings tab by object name. */
    template<typename T>
    T *sceneTab(const char *name) const
    {
        return m_window->sceneSettings()->findChild<T *>(QLatin1String(name));
    }
    /** Has the keypad keep scene 3 as a Color Wash from left to right, play it, and the screen show it. */
    void playKeptColorWash();
    /** Clicks Right To Left in the Color Wash editor of the active scene; returns the scene's new body. */
    QString clickRightToLeft();
    /** Connects, plays the kept Color Wash and edits it; returns the edit once the keypad plays it. */
    QString playEditedColorWash();
    // Clicks Undo on scene 3 with the keypad answering delayMs late: the
    // request log's size before the click, or -1 when Undo was not offered
    // or not sent.
    int undoAnsweredLate(int delayMs);
    void discoverAndWaitFor(ConnectionState::State status);
    /** Runs discovery (again, at most three runs) until a run hears a keypad. */
    void discoverUntilHeard(const std::function<void()> &discover);
    /** Demo mode, scene 1 on the scene settings tab, with an effect of @p type. */
    void showDemoEffect(int type);

    std::unique_ptr<KeypadTestBed> m_bed;
    std::unique_ptr<MainWindow> m_window;
    ScriptedPrompts *m_prompts = nullptr;
    QTemporaryDir m_dir;
    int m_keypad = -1;
    int m_secondKeypad = -1;
};

void tst_MainWindow::initTestCase()
{
    qRegisterMetaType<ConnectionState::State>();
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
    QVERIFY2(m_bed->startDecoy() == 0, qPrintable(m_bed->errorString()));

    ProgramSettings::useForTest(KeypadTestBed::hostAddress());

    QSignalSpy states(state(), &ConnectionState::stateChanged);
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    // The start-up discovery (a second after construction) finds no keypad;
    // no test may race it.
    QTRY_VERIFY_WITH_TIMEOUT(sawState(states, ConnectionState::NoDevice), 10000);
}

void tst_MainWindow::init()
{
    auto prompts = std::make_unique<ScriptedPrompts>();
    m_prompts = prompts.get();
    m_window->setUserPrompts(std::move(prompts));
    m_window->statusBar()->clearMessage();
    QSettings().setValue(QStringLiteral("lastDirPath"), m_dir.path());
    m_window->show();
}

void tst_MainWindow::cleanup()
{
    // What a test left unsaved must not make the next one's actions ask,
    // nor may the keypad's late answers to it mark a scene in the next one.
    if (m_window->hasUnsavedChanges()) {
        m_prompts->answers.prepend(QMessageBox::Discard);
        m_window->settleUnsavedChanges();
    }
    if (m_keypad > 0)
        settle();
    MSPComm::instance()->forgetEdits();
}

void tst_MainWindow::cleanupTestCase()
{
    m_window.reset();
}

KeypadTestBed::SimulatorOptions tst_MainWindow::foyer()
{
    KeypadTestBed::SimulatorOptions options;
    options.name = QStringLiteral("Foyer");
    options.address = QStringLiteral("192.168.77.20/24");
    options.firmware = QStringLiteral("2.0.0");
    return options;
}

void tst_MainWindow::stopKeypads()
{
    for (int *id : {&m_keypad, &m_secondKeypad}) {
        if (*id > 0)
            m_bed->stopSimulator(*id);
        *id = -1;
    }
}

void tst_MainWindow::goOffline(ConnectionState::State status)
{
    stopKeypads();
    MSPComm::instance()->setDevice(QString(), QByteArray());
    MSPSceneModel::instance()->prepareOfflineDefaults();
    state()->setState(ConnectionState::NoStatus);
    state()->setState(status);
}

void tst_MainWindow::discoverAndWaitFor(ConnectionState::State status)
{
    // Seen on the way, not polled: the next tick may leave NoDevice at once.
    QSignalSpy states(state(), &ConnectionState::stateChanged);
    QAction *discover = findAction(m_window.get(), QStringLiteral("Discover Device"));
    if (status == ConnectionState::Connected)
        discoverUntilHeard([discover] { discover->trigger(); });
    else
        discover->trigger();
    QTRY_VERIFY2_WITH_TIMEOUT(sawState(states, status), qPrintable(QStringLiteral("state %1, not %2").arg(state()->state()).arg(status)),
                              15000);
}

void tst_MainWindow::discoverUntilHeard(const std::function<void()> &discover)
{
    // A keypad just started on a loaded machine may answer after a run's
    // half-second window; the user then tries again, and so does a test.
    QSignalSpy ended(Discoverer::instance(), &Discoverer::reachedDiscoverTimeLimit);
    for (int run = 1; run <= 3; ++run) {
        discover();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), run, 10000);
        if (!Discoverer::instance()->keypads().isEmpty())
            return;
        qWarning("discovery run %d heard no keypad", run);
    }
}

void tst_MainWindow::keypadPlays(int scene)
{
    auto *button = m_window->controlPanel()->findChild<QAbstractButton *>(QStringLiteral("scene%1Button").arg(scene));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press %1").arg(scene)).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(button->isChecked() && MSPSceneModel::instance()->activeSceneIndex() == scene - 1, 10000);
    settle();
}

void tst_MainWindow::settle()
{
    // Until the keypad has received nothing new for half a second.
    int count = -1;
    for (int i = 0; i < 40 && m_bed->requestLog(m_keypad).size() != count; ++i) {
        count = m_bed->requestLog(m_keypad).size();
        QTest::qWait(500);
    }
}

void tst_MainWindow::clickScene(int scene)
{
    auto *button = m_window->controlPanel()->findChild<QAbstractButton *>(QStringLiteral("scene%1Button").arg(scene));
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

QString tst_MainWindow::keypadStatus(const QString &key)
{
    const QStringList words = m_bed->command(m_keypad, QStringLiteral("status")).split(QLatin1Char(' '));
    for (const QString &word : words) {
        if (word.startsWith(key + QLatin1Char('=')))
            return word.mid(key.size() + 1);
    }
    return QString();
}

QStringList tst_MainWindow::requestsSince(int from)
{
    QStringList lines;
    const auto requests = m_bed->requestLog(m_keypad).mid(from);
    for (const auto &request : requests)
        lines << request.method + QLatin1Char(' ') + request.path + QLatin1Char(' ') + QString::fromLatin1(request.body);
    return lines;
}

QString tst_MainWindow::writeConfigurationFile(const QString &name, int currentShow)
{
    MSPSceneModel *model = MSPSceneModel::instance();
    const int active = model->activeSceneIndex();
    model->setActiveSceneIndex(currentShow - 1, false);
    const QByteArray document = m_window->configurationDocument().toLatin1();
    model->setActiveSceneIndex(active, false);
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size())
        return QString();
    return path;
}

QString tst_MainWindow::statusText() const
{
    return m_window->findChild<QLabel *>(QStringLiteral("textLabel"))->text();
}

void tst_MainWindow::connectKeypad()
{
    if (m_secondKeypad > 0) {
        m_bed->stopSimulator(m_secondKeypad);
        m_secondKeypad = -1;
    }
    if (m_keypad < 0) {
        m_keypad = m_bed->startSimulator(foyer());
        QVERIFY2(m_keypad > 0, qPrintable(m_bed->errorString()));
    }
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault clear")).startsWith(QLatin1String("ok")));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("heartbeat on")).startsWith(QLatin1String("ok")));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("config enable_switch=3")).startsWith(QLatin1String("ok")));
    if (state()->state() != ConnectionState::Connected || MSPComm::instance()->address() != QLatin1String("192.168.77.20"))
        discoverAndWaitFor(ConnectionState::Connected);
    SystemConfiguration *config = SystemConfiguration::instance();
    QTRY_COMPARE_WITH_TIMEOUT(config->name(), QStringLiteral("Foyer"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(config->sceneEnabled(2), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(config->version(), QStringLiteral("2.0.0"), 10000);
    settle();
}

void tst_MainWindow::menusAndActions()
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
    // The title names the keypad and the file saved or opened (by another
    // test), if any, in front of the program's name.
    QVERIFY(m_window->windowTitle().endsWith(QLatin1String("Lumetra Keypad Effect Manager")));
    QCOMPARE(m_window->settingsTabs()->tabText(0), QStringLiteral("Scene Settings"));
    QCOMPARE(m_window->settingsTabs()->tabText(1), QStringLiteral("System Configuration"));
    QCOMPARE(m_window->settingsTabs()->tabText(2), QStringLiteral("Network"));
}

void tst_MainWindow::noKeypadAtStartUp()
{
    // As at start-up: a discovery run that finds no keypad.
    goOffline(ConnectionState::NotConnected);
    MSPSceneModel::instance()->setActiveSceneIndex(4, false);
    discoverAndWaitFor(ConnectionState::NoDevice);
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

void tst_MainWindow::demoModeHidesOverlayAndNotice()
{
    goOffline(ConnectionState::NoDevice);
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

void tst_MainWindow::enablingFollowsConnectionState_data()
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

void tst_MainWindow::enablingFollowsConnectionState()
{
    QFETCH(ConnectionState::State, status);
    QFETCH(bool, sceneEditor);
    QFETCH(bool, configEditor);
    QFETCH(bool, files);
    QFETCH(bool, restore);
    QFETCH(bool, addressOnly);

    goOffline(ConnectionState::NoStatus);
    m_window->settingsTabs()->setCurrentIndex(0);
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

void tst_MainWindow::overlappingDiscoveryRunsEndOnce()
{
    goOffline(ConnectionState::NoDevice);
    Discoverer *discoverer = Discoverer::instance();
    QSignalSpy limits(discoverer, &Discoverer::reachedDiscoverTimeLimit);
    QSignalSpy states(state(), &ConnectionState::stateChanged);
    QAction *discover = findAction(m_window.get(), QStringLiteral("Discover Device"));
    discover->trigger();
    discover->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(sawState(states, ConnectionState::NoDevice), 10000);
    // Several time limits of 500 ms: a run left behind would fire again.
    QTest::qWait(2000);
    QCOMPARE(limits.count(), 1);
    QVERIFY(!QApplication::overrideCursor());
}

void tst_MainWindow::saveThenOpenOffline()
{
    goOffline(ConnectionState::DemoMode);
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
    m_prompts->files << path;
    QVERIFY(m_window->save());
    QCOMPARE(QSettings().value(QStringLiteral("lastDirPath")).toString(), m_dir.path());

    effect->setColor(QStringLiteral("#654321"));
    config->setName(QStringLiteral("Changed"));
    config->setUniverse(9);
    model->setActiveSceneIndex(5, false);

    // The demo's edits since the save are set aside on purpose.
    m_prompts->files << path;
    m_prompts->answers << QMessageBox::Discard;
    QVERIFY(m_window->open());
    QCOMPARE(m_prompts->filters, QStringList({QStringLiteral("Configuration Files (*.xml)"), QStringLiteral("Configuration Files (*.xml)")}));
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.constFirst().title, QStringLiteral("Unsaved Changes"));
    QCOMPARE(model->sceneAt(0)->formData(), savedBody);
    QCOMPARE(config->name(), QStringLiteral("Lobby & Bar <1>"));
    QCOMPARE(config->universe(), 7);
    // Neither the address nor the firmware is in a file, and the file's
    // current show does not change the active scene.
    QCOMPARE(config->ipAddress(), QStringLiteral("192.168.77.42"));
    QCOMPARE(config->version(), QStringLiteral("1.2.0"));
    QCOMPARE(model->activeSceneIndex(), 5);
}

void tst_MainWindow::savingToMissingFolderWarns()
{
    goOffline(ConnectionState::DemoMode);
    const QString path = m_dir.filePath(QStringLiteral("missing/new.xml"));
    m_prompts->files << path;
    QVERIFY(!m_window->save());
    QCOMPARE(m_prompts->messages.size(), 1);
    const ScriptedPrompts::Message warning = m_prompts->messages.constFirst();
    QCOMPARE(warning.icon, QMessageBox::Warning);
    QCOMPARE(warning.title, QStringLiteral("Save Error"));
    QVERIFY2(warning.text.startsWith(QStringLiteral("Cannot open file ") + path + QStringLiteral(":\n")),
             qPrintable(warning.text));
}

void tst_MainWindow::saveReplacesWholeFile()
{
    goOffline(ConnectionState::DemoMode);
    const QString path = m_dir.filePath(QStringLiteral("replaced.xml"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    m_prompts->files << path;
    QVERIFY(m_window->save());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QCOMPARE(written, m_window->configurationDocument().toLatin1());
    QVERIFY(written.endsWith("\n</v1>"));
    // Nothing is left behind beside it.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("replaced.xml*")}, QDir::Files | QDir::Hidden).size(), 1);
}

void tst_MainWindow::saveDialogAddsXmlSuffix()
{
    goOffline(ConnectionState::DemoMode);
    m_window->save();
    QCOMPARE(m_prompts->suffixes, QStringList{QStringLiteral("xml")});

    // The toolkit's dialog behind the default prompts: "hall" is "hall.xml".
    QString suffix;
    QStringList selected;
    answerNext<QFileDialog>([&suffix, &selected](QFileDialog *dialog) {
        suffix = dialog->defaultSuffix();
        // Typed as a user would, into the dialog's name field.
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (name)
            name->setText(QStringLiteral("hall"));
        selected = dialog->selectedFiles();
        dialog->reject();
    });
    UserPrompts prompts;
    QCOMPARE(prompts.saveFileName(m_window.get(), QStringLiteral("Save Configuration"), m_dir.path(),
                                  QStringLiteral("Configuration Files (*.xml)"), QStringLiteral("xml")),
             QString());
    QCOMPARE(suffix, QStringLiteral("xml"));
    QCOMPARE(selected, QStringList{m_dir.filePath(QStringLiteral("hall.xml"))});
}

void tst_MainWindow::restoreLoadsDefaultsFileOffline()
{
    goOffline(ConnectionState::DemoMode);
    SystemConfiguration *config = SystemConfiguration::instance();
    config->setVersion(QStringLiteral("Not Available"));
    config->setName(QStringLiteral("Before restore"));
    m_prompts->answers << QMessageBox::Yes;
    m_window->handleRestore();
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.constFirst().title, QStringLiteral("Restore Factory Default Settings"));
    // Enter alone must not wipe a keypad.
    QCOMPARE(m_prompts->messages.constFirst().defaultButton, QMessageBox::No);
    QCOMPARE(config->name(), QStringLiteral("Lumetra Keypad"));
    QCOMPARE(MSPSceneModel::instance()->sceneAt(1)->effect()->type(), int(MSPEffect::VariableColor));

    // "No" leaves everything alone.
    config->setName(QStringLiteral("Kept"));
    m_prompts->answers << QMessageBox::No;
    m_window->handleRestore();
    QCOMPARE(config->name(), QStringLiteral("Kept"));
}

void tst_MainWindow::restoreWithoutDefaultsFileSaysWhere()
{
    const QString path = OvrDataFiles::locate(QStringLiteral("defaultConfiguration.xml"));
    const QString aside = path + QStringLiteral(".aside");
    goOffline(ConnectionState::DemoMode);
    QVERIFY(QFile::rename(path, aside));
    SystemConfiguration::instance()->setVersion(QStringLiteral("1.1.14"));
    m_prompts->answers << QMessageBox::Yes;
    m_window->handleRestore();
    QVERIFY(QFile::rename(aside, path));
    // The question first; then the warning.
    QCOMPARE(m_prompts->messages.size(), 2);
    const ScriptedPrompts::Message warning = m_prompts->messages.at(1);
    QCOMPARE(warning.title, QStringLiteral("Open Error"));
    QVERIFY2(warning.text.startsWith(QStringLiteral("Cannot open file ") + path + QStringLiteral(":\n")),
             qPrintable(warning.text));
}

void tst_MainWindow::keypadResetsItself_data()
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

void tst_MainWindow::keypadResetsItself()
{
    QFETCH(QString, version);
    QFETCH(bool, resets);
    QCOMPARE(MainWindow::keypadResetsItself(version), resets);
}

void tst_MainWindow::oneKeypadConnects()
{
    goOffline(ConnectionState::NoDevice);
    m_keypad = m_bed->startSimulator(foyer());
    QVERIFY2(m_keypad > 0, qPrintable(m_bed->errorString()));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("config disable_switch=3")).startsWith(
        QLatin1String("ok")));

    // Retry from the notice, as a user would after plugging the keypad in.
    auto *retry = m_window->controlPanel()->findChild<QPushButton *>(QStringLiteral("retryButton"));
    QVERIFY(retry->isVisible());
    discoverUntilHeard([retry] {
        QTRY_VERIFY_WITH_TIMEOUT(retry->isVisible(), 10000);
        QTest::mouseClick(retry, Qt::LeftButton);
    });
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

void tst_MainWindow::keypadScenePressSelectsScene()
{
    connectKeypad();
    auto *panel = m_window->controlPanel();
    auto *scene6 = panel->findChild<QAbstractButton *>(QStringLiteral("scene6Button"));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 6")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(scene6->isChecked(), 10000);
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 5);
    QCOMPARE(m_window->sceneSettings()->shownSceneIndex(), 5);
    // The screen follows the press before the program asks the keypad for
    // the pressed scene (and the first show of its editor may take a while):
    // that request reaches the keypad before the next choice on screen.
    settle();

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

void tst_MainWindow::openWhileConnectedUploads()
{
    // Every scene enabled, so that no reply moves the keypad off a disabled one.
    connectKeypad();
    const QString path = writeConfigurationFile(QStringLiteral("upload.xml"), 3);
    QVERIFY(!path.isEmpty());
    const int from = m_bed->requestLog(m_keypad).size();
    const SentRequests sent(MSPComm::instance());
    m_prompts->files << path;
    QVERIFY(m_window->open());

    // Scene by scene: the show, then its body kept with "&apply=1"; then the
    // file's current show; then the configuration in two bodies. The keypad
    // received them in this order; the pacing is measured where they left.
    const auto isUpload = [](const QString &method, const QString &path, const QByteArray &body) {
        return (method == QLatin1String("POST") && body.endsWith("&apply=1"))
            || (method == QLatin1String("GET") && path.startsWith(QLatin1String("/api/v1/shows/")));
    };
    QStringList upload;
    for (const auto &request : m_bed->requestLog(m_keypad).mid(from))
        if (isUpload(request.method, request.path, request.body))
            upload << request.method + QLatin1Char(' ') + request.path;
    QStringList left;
    QList<qint64> times;
    for (const auto &request : sent.matching([&](const SentRequests::Sent &s) { return isUpload(s.method, s.path, s.body); })) {
        left << request.line();
        times << request.msecs;
    }
    QStringList expected;
    for (int i = 1; i <= 8; ++i)
        expected << QStringLiteral("GET /api/v1/shows/%1").arg(i) << QStringLiteral("POST /api/v1/shows/%1").arg(i);
    expected << QStringLiteral("GET /api/v1/shows/3") << QStringLiteral("POST /api/v1/config")
             << QStringLiteral("POST /api/v1/config");
    QVERIFY2(upload.mid(0, expected.size()) == expected, qPrintable(upload.join(QLatin1Char(','))));
    QVERIFY2(left.mid(0, expected.size()) == expected, qPrintable(left.join(QLatin1Char(','))));
    for (int i = 2; i < 16; i += 2)
        QVERIFY2(times.at(i) - times.at(i - 2) >= 500, qPrintable(left.at(i)));
    QVERIFY(times.at(18) - times.at(17) >= 400);
}

void tst_MainWindow::openFileOfAnotherKeypadKeepsTheKeypadsName()
{
    connectKeypad();
    const QString path = writeConfigurationFile(QStringLiteral("stage.xml"), 1);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QByteArray stage = KeypadSnapshot::withName(file.readAll(), QStringLiteral("Stage"));
    QVERIFY(stage.contains("<value>Stage</value>"));
    file.resize(0);
    file.write(stage);
    file.close();

    // Cancel sends nothing.
    int from = m_bed->requestLog(m_keypad).size();
    const int asked = m_prompts->messages.size();
    m_prompts->files << path;
    m_prompts->answers << QMessageBox::Cancel;
    QVERIFY(!m_window->open());
    QCOMPARE(m_prompts->messages.size(), asked + 1);
    QCOMPARE(m_prompts->messages.last().title, QStringLiteral("Keypad Name"));
    QVERIFY(m_prompts->messages.last().text.startsWith(
        QLatin1String("The file was saved from the keypad \"Stage\". Should this keypad, \"Foyer\", take that name too?")));
    settle();
    for (const auto &request : m_bed->requestLog(m_keypad).mid(from))
        QVERIFY2(request.method != QLatin1String("POST") || !request.body.endsWith("&apply=1"), request.body.constData());

    // No: the file's scenes and settings, the keypad's own name.
    from = m_bed->requestLog(m_keypad).size();
    m_prompts->files << path;
    m_prompts->answers << QMessageBox::No;
    QVERIFY(m_window->open());
    QStringList names;
    for (const auto &request : m_bed->requestLog(m_keypad).mid(from)) {
        if (request.path == QLatin1String("/api/v1/config") && request.body.startsWith("name="))
            names << QString::fromLatin1(request.body).section(QLatin1Char('&'), 0, 0);
    }
    QCOMPARE(names, QStringList{QStringLiteral("name=Foyer")});
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("status")).endsWith(QLatin1String(" name=Foyer")));
}

void tst_MainWindow::titleNamesTheKeypad()
{
    connectKeypad();
    // A configuration file saved or opened before (by another test) may
    // stand in front of it.
    QTRY_VERIFY2_WITH_TIMEOUT(m_window->windowTitle().endsWith(
                                  QLatin1String("Foyer (192.168.77.20, firmware 2.0.0) - Lumetra Keypad Effect Manager")),
                              qPrintable(m_window->windowTitle()), 10000);
}

void tst_MainWindow::restoreOnNewFirmwareResetsKeypad()
{
    connectKeypad();
    const int from = m_bed->requestLog(m_keypad).size();
    m_prompts->answers << QMessageBox::Yes;
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
    // The keypad comes back after its restart: back online, read again, and
    // only then said to be restored.
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->statusBar()->currentMessage(),
                              QStringLiteral("The keypad's factory defaults were restored."), 20000);
}

void tst_MainWindow::restoreNotTakenIsSaid_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<bool>("editMeanwhile");

    QTest::newRow("refused, cancelled") << QStringLiteral("fault refuse on") << QStringLiteral("Connection refused")
                                        << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("error status, cancelled") << QStringLiteral("fault error on")
                                             << QStringLiteral("Internal Server Error") << int(QMessageBox::Cancel)
                                             << false << false;
    QTest::newRow("error status, sent again") << QStringLiteral("fault error 1")
                                              << QStringLiteral("Internal Server Error") << int(QMessageBox::Retry)
                                              << true << false;
    // Lost on the way: it looks like a restart until the keypad answers with its old settings.
    QTest::newRow("dropped, cancelled") << QStringLiteral("fault drop 100")
                                        << QStringLiteral("the same settings as before") << int(QMessageBox::Cancel)
                                        << false << false;
    // The scene edited while the reset waits shows the edit, not what the keypad holds.
    QTest::newRow("dropped, scene edited meanwhile")
        << QStringLiteral("fault drop 100") << QStringLiteral("the same settings as before")
        << int(QMessageBox::Cancel) << false << true;
}

void tst_MainWindow::restoreNotTakenIsSaid()
{
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    QFETCH(int, answer);
    QFETCH(bool, restored);
    QFETCH(bool, editMeanwhile);

    connectKeypad();
    // A brightness of its own, which the factory defaults put back to full.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press down")).startsWith(QLatin1String("ok")));
    const QString dimmed = keypadStatus(QStringLiteral("brightness"));
    QVERIFY(dimmed != QLatin1String("255"));
    settle();
    QVERIFY(m_bed->command(m_keypad, fault).startsWith(QLatin1String("ok")));
    const QString restoredText = QStringLiteral("The keypad's factory defaults were restored.");
    QSignalSpy statusMessages(m_window->statusBar(), &QStatusBar::messageChanged);
    const auto claimed = [&statusMessages, &restoredText] {
        for (const auto &message : statusMessages) {
            if (message.at(0).toString() == restoredText)
                return true;
        }
        return false;
    };
    m_prompts->answers << QMessageBox::Yes << QMessageBox::StandardButton(answer);
    const int from = m_bed->requestLog(m_keypad).size();
    m_window->handleRestore();
    if (fault.startsWith(QLatin1String("fault drop"))) {
        // Only the reset is lost; the keypad answers the reads that follow.
        QTRY_VERIFY_WITH_TIMEOUT(m_bed->requestLog(m_keypad).size() > from, 10000);
        if (editMeanwhile) {
            MSPScene *scene = MSPSceneModel::instance()->sceneAt(MSPSceneModel::instance()->activeSceneIndex());
            scene->setEffect(MSPEffectFactory::instance()->create(MSPEffect::RandomColor, scene), true);
            QTest::qWait(500);
        }
        QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault clear")).startsWith(QLatin1String("ok")));
    }

    QTRY_COMPARE_WITH_TIMEOUT(m_prompts->messages.size(), 2, 15000);
    QCOMPARE(m_prompts->messages.at(1).icon, QMessageBox::Warning);
    QVERIFY2(m_prompts->messages.at(1).text.startsWith(
                 QStringLiteral("The keypad did not restore its factory defaults: ")),
             qPrintable(m_prompts->messages.at(1).text));
    QVERIFY2(m_prompts->messages.at(1).text.contains(reason), qPrintable(m_prompts->messages.at(1).text));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault clear")).startsWith(QLatin1String("ok")));

    if (restored) {
        QVERIFY(m_bed->waitForEvent(m_keypad, QStringLiteral("restarted"), 20000));
        QTRY_VERIFY_WITH_TIMEOUT(claimed(), 30000);
        QCOMPARE(keypadStatus(QStringLiteral("brightness")), QStringLiteral("255"));
    } else {
        // Back with the keypad, read again, and still no claim of a restore.
        QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 20000);
        settle();
        QVERIFY(!claimed());
        QCOMPARE(keypadStatus(QStringLiteral("brightness")), dimmed);
    }
    QCOMPARE(m_prompts->messages.size(), 2);
}

void tst_MainWindow::restoreChosenAgainComparesWithTheFirst()
{
    connectKeypad();
    keypadPlays(1);
    // Scene 1 is edited, and the keypad loses the edit; then scene 2 plays.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault posterror 1")).startsWith(QLatin1String("ok")));
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(0);
    scene->setEffect(MSPEffectFactory::instance()->create(MSPEffect::RandomColor, scene), true);
    QTRY_VERIFY_WITH_TIMEOUT(MSPComm::instance()->hasUnsentEdit(0), 10000);
    keypadPlays(2);
    // From here everything is lost on the way: the edit's Save and the reset.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault drop 100")).startsWith(QLatin1String("ok")));
    m_prompts->answers << QMessageBox::Yes << QMessageBox::Save << QMessageBox::Yes << QMessageBox::Cancel;
    const int from = m_bed->requestLog(m_keypad).size();
    const auto resets = [&] { return requestsSince(from).filter(QStringLiteral("factory_reset=1")).size(); };
    // A reset is lost once the program asks the keypad for a sign of life
    // after it (the lost request may be sent twice before).
    const auto probedAfterReset = [&] {
        const QStringList requests = requestsSince(from);
        int reset = -1;
        for (int i = 0; i < requests.size(); ++i) {
            if (requests.at(i).contains(QLatin1String("factory_reset=1")))
                reset = i;
        }
        return reset >= 0 && requests.lastIndexOf(QStringLiteral("GET /api/v1/config ")) > reset;
    };
    m_window->handleRestore();
    QTRY_VERIFY_WITH_TIMEOUT(probedAfterReset(), 10000);
    const int first = resets();
    // Chosen again while the first waits; the screen still shows the edit
    // the reset forgot, which the keypad never had.
    m_window->handleRestore();
    QTRY_VERIFY_WITH_TIMEOUT(resets() > first && probedAfterReset(), 10000);
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault clear")).startsWith(QLatin1String("ok")));
    QTRY_COMPARE_WITH_TIMEOUT(m_prompts->messages.size(), 4, 20000);
    QVERIFY2(m_prompts->messages.at(3).text.contains(QLatin1String("the same settings as before")),
             qPrintable(m_prompts->messages.at(3).text));
    QVERIFY(m_window->statusBar()->currentMessage() != QLatin1String("The keypad's factory defaults were restored."));
}

void tst_MainWindow::restoreTriedAgainAsksAboutNewChanges()
{
    connectKeypad();
    keypadPlays(2);
    settle();
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault error 1")).startsWith(QLatin1String("ok")));
    // While the failure is on screen, the user changes scene 2; then tries
    // the restore again, and keeps the change when asked.
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(1);
    m_prompts->beforeAnswer = [scene](const ScriptedPrompts::Message &message) {
        if (message.text.startsWith(QLatin1String("The keypad did not restore")))
            scene->setEffect(MSPEffectFactory::instance()->create(MSPEffect::RandomColor, scene), true);
    };
    m_prompts->answers << QMessageBox::Yes << QMessageBox::Retry << QMessageBox::Cancel;
    const int from = m_bed->requestLog(m_keypad).size();
    m_window->handleRestore();
    QTRY_COMPARE_WITH_TIMEOUT(m_prompts->messages.size(), 3, 15000);
    QCOMPARE(m_prompts->messages.at(2).title, QStringLiteral("Unsaved Changes"));
    settle();
    QCOMPARE(requestsSince(from).filter(QStringLiteral("factory_reset=1")).size(), 1);
    QVERIFY(m_window->hasUnsavedChanges());
    QCOMPARE(scene->effect()->type(), int(MSPEffect::RandomColor));
}

void tst_MainWindow::leavingAWaitingRestoreClaimsNothing()
{
    connectKeypad();
    KeypadTestBed::SimulatorOptions options;
    options.name = QStringLiteral("Bar");
    options.address = QStringLiteral("192.168.77.3/24");
    m_secondKeypad = m_bed->startSimulator(options);
    QVERIFY2(m_secondKeypad > 0, qPrintable(m_bed->errorString()));
    const QString first = MSPComm::instance()->address();

    // The first keypad never answers the reset; the user moves on to the
    // second one, whose answers must not count as the first one's restore.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault drop 100")).startsWith(QLatin1String("ok")));
    QSignalSpy statusMessages(m_window->statusBar(), &QStatusBar::messageChanged);
    m_prompts->answers << QMessageBox::Yes;
    const int from = m_bed->requestLog(m_keypad).size();
    m_window->handleRestore();
    QTRY_VERIFY_WITH_TIMEOUT(m_bed->requestLog(m_keypad).size() > from, 10000);
    KeypadInfo bar;
    bar.name = options.name;
    bar.address = QStringLiteral("192.168.77.3");
    m_window->connectToKeypad(bar, false);
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 20000);
    QCOMPARE(MSPComm::instance()->address(), bar.address);
    settle();
    // No claim either at the reads that follow the new keypad's heartbeats.
    QTest::qWait(2 * ConnectionState::tickInterval);
    settle();

    QStringList messages;
    for (const auto &message : statusMessages)
        messages << message.at(0).toString();
    QVERIFY2(!messages.contains(QStringLiteral("The keypad's factory defaults were restored.")),
             qPrintable(messages.join(QLatin1Char('|'))));
    QVERIFY2(messages.contains(QStringLiteral("The keypad at %1 was left before it confirmed restoring its factory "
                                              "defaults.")
                                   .arg(first)),
             qPrintable(messages.join(QLatin1Char('|'))));
    for (auto *progress : m_window->findChildren<QProgressDialog *>())
        QVERIFY(!progress->isVisible());
    QCOMPARE(m_prompts->messages.size(), 1);
}

void tst_MainWindow::twoKeypadsCancelledChooserIsNoKeypad()
{
    connectKeypad();
    KeypadTestBed::SimulatorOptions options;
    options.name = QStringLiteral("Bar");
    options.address = QStringLiteral("192.168.77.3/24");
    m_secondKeypad = m_bed->startSimulator(options);
    QVERIFY2(m_secondKeypad > 0, qPrintable(m_bed->errorString()));

    QStringList lines;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&lines] {
        if (auto *chooser = qobject_cast<MSPChooser *>(QApplication::activeModalWidget())) {
            auto *combo = chooser->findChild<QComboBox *>(QStringLiteral("devicesComboBox"));
            for (int i = 0; i < combo->count(); ++i)
                lines << combo->itemText(i);
            chooser->reject();
        }
    });
    poll.start(20);
    QSignalSpy states(state(), &ConnectionState::stateChanged);
    // Both keypads must answer within the run's 500 ms; on a loaded machine
    // one may miss a run, so discover again until the chooser comes.
    QSignalSpy limits(Discoverer::instance(), &Discoverer::reachedDiscoverTimeLimit);
    for (int run = 1; run <= 5 && lines.isEmpty(); ++run) {
        states.clear();
        findAction(m_window.get(), QStringLiteral("Discover Device"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(limits.count(), run, 15000);
    }
    // Cancelled: no keypad. (The keypad used before keeps sending heartbeats,
    // which may bring the state back afterwards.)
    QTRY_VERIFY_WITH_TIMEOUT(sawState(states, ConnectionState::NoDevice), 15000);
    QCOMPARE(lines, (QStringList{QStringLiteral("Foyer (192.168.77.20)"), QStringLiteral("Bar (192.168.77.3)")}));
}

void tst_MainWindow::failedChangeIsReportedAndResynced_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("one error") << "error 1";
    QTest::newRow("every request an error") << "error on";
    QTest::newRow("connections refused") << "refuse on";
}

void tst_MainWindow::failedChangeIsReportedAndResynced()
{
    QFETCH(QString, fault);
    connectKeypad();
    keypadPlays(1);
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault ") + fault).startsWith(QLatin1String("ok")));
    clickScene(5);
    // Said on screen, with the reason, instead of a silent "Connected".
    QTRY_VERIFY_WITH_TIMEOUT(m_window->statusBar()->currentMessage().startsWith(
                                 QLatin1String("The keypad did not accept the last change.")),
                             10000);
    QVERIFY(m_window->statusBar()->currentMessage().size() > 45);
    QCOMPARE(keypadStatus(QStringLiteral("current")), QStringLiteral("1"));
    // The screen shows the scene the keypad still plays at once.
    QVERIFY(m_window->controlPanel()->findChild<QAbstractButton *>(QStringLiteral("scene1Button"))->isChecked());
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 0);

    // Once the keypad answers again, the screen reads it back and shows what it plays.
    const int from = m_bed->requestLog(m_keypad).size();
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault clear")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY2_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("GET /api/v1/shows ")),
                              qPrintable(QStringLiteral("state %1: ").arg(state()->state())
                                         + requestsSince(from).join(QLatin1Char(','))),
                              15000);
    // Sent together with the shows, on a connection of its own: it may arrive second.
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("GET /api/v1/config ")), 10000);
    auto *scene1 = m_window->controlPanel()->findChild<QAbstractButton *>(QStringLiteral("scene1Button"));
    QTRY_VERIFY_WITH_TIMEOUT(scene1->isChecked(), 10000);
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 0);
    QCOMPARE(keypadStatus(QStringLiteral("current")), QStringLiteral("1"));
}

void tst_MainWindow::failedEditIsKeptAndSentOnSave()
{
    connectKeypad();
    keypadPlays(1);
    MSPSceneModel *model = MSPSceneModel::instance();
    MSPScene *scene = model->sceneAt(0);
    auto *effect = new MSPFixedColorEffect;
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault error 1")).startsWith(QLatin1String("ok")));
    scene->setEffect(effect, false); // the preview's post fails
    effect->setColor(QStringLiteral("#1a2b3c"));
    const QString edited = scene->formData();
    QTRY_VERIFY_WITH_TIMEOUT(MSPComm::instance()->hasUnsentEdit(0), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->statusBar()->currentMessage().startsWith(
                                 QLatin1String("The keypad did not accept the last change.")),
                             10000);

    // Reading the keypad back keeps the edit on screen.
    const int from = m_bed->requestLog(m_keypad).size();
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("GET /api/v1/shows ")), 15000);
    settle();
    QCOMPARE(scene->formData(), edited);
    // The editor still offers Undo and Save for it.
    auto *sceneTab = m_window->findChild<MSPSceneSettingsWidget *>();
    QVERIFY(sceneTab);
    auto *undo = sceneTab->findChild<QPushButton *>(QStringLiteral("revertButton"));
    auto *save = sceneTab->findChild<QPushButton *>(QStringLiteral("applyButton"));
    QVERIFY(undo && save);
    QTRY_VERIFY_WITH_TIMEOUT(undo->isEnabled() && save->isEnabled(), 10000);
    // The keypad, answering again, plays it again; Save keeps it.
    QVERIFY(requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/1 ") + edited));
    QVERIFY(!requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/1 apply=0")));
    const int saved = m_bed->requestLog(m_keypad).size();
    MSPComm::instance()->applyScene(scene);
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(saved).contains(QStringLiteral("POST /api/v1/shows/1 apply=1")), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!MSPComm::instance()->hasUnsavedEdit(0), 10000);
}

void tst_MainWindow::playKeptColorWash()
{
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("scene 3 effect=2&param1=16&param2=0&param_xy=(0,0,0)&num_colors=0"))
                .startsWith(QLatin1String("ok")));
    // Away and back, so the program reads the scene as the keypad keeps it.
    keypadPlays(1);
    keypadPlays(3);
    QVERIFY(MSPSceneModel::instance()->sceneAt(2)->formData().contains(QLatin1String("&param2=0&")));
}

QString tst_MainWindow::clickRightToLeft()
{
    auto *button = m_window->sceneSettings()->editor(MSPEffect::ColorWash)->findChild<QPushButton *>(
        QStringLiteral("rightToLeftButton"));
    if (!button)
        return QString();
    QTest::mouseClick(button, Qt::LeftButton);
    MSPSceneModel *model = MSPSceneModel::instance();
    return model->sceneAt(model->activeSceneIndex())->formData();
}

QString tst_MainWindow::playEditedColorWash()
{
    connectKeypad();
    playKeptColorWash();
    const QString edited = clickRightToLeft();
    const QString preview = QStringLiteral("POST /api/v1/shows/3 ") + edited;
    if (!QTest::qWaitFor([&] { return requestsSince(0).contains(preview); }, 10000))
        return QString();
    return edited;
}

int tst_MainWindow::undoAnsweredLate(int delayMs)
{
    auto *undo = sceneTab<QPushButton>("revertButton");
    if (!QTest::qWaitFor([undo] { return undo->isEnabled(); }, 10000)
        || m_bed->command(m_keypad, QStringLiteral("fault delay %1").arg(delayMs)) != QLatin1String("ok"))
        return -1;
    const int from = m_bed->requestLog(m_keypad).size();
    QTest::mouseClick(undo, Qt::LeftButton);
    const QString undone = QStringLiteral("POST /api/v1/shows/3 apply=0");
    return QTest::qWaitFor([&] { return requestsSince(from).contains(undone); }, 10000) ? from : -1;
}

void tst_MainWindow::unsavedEditRidesOutSilence_data()
{
    QTest::addColumn<int>("silenceMs");
    QTest::addColumn<bool>("lost");
    // One heartbeat missing (the program listens every other second).
    QTest::newRow("late heartbeat") << 2000 << false;
    // No heartbeat and no answer until the connection counts as lost.
    QTest::newRow("connection lost") << 0 << true;
}

void tst_MainWindow::unsavedEditRidesOutSilence()
{
    QFETCH(int, silenceMs);
    QFETCH(bool, lost);
    const QString edited = playEditedColorWash();
    QVERIFY(edited.contains(QLatin1String("&param2=1&")));
    auto *undo = sceneTab<QPushButton>("revertButton");
    auto *save = sceneTab<QPushButton>("applyButton");
    QVERIFY(undo->isEnabled() && save->isEnabled());

    const int from = m_bed->requestLog(m_keypad).size();
    QSignalSpy states(state(), &ConnectionState::stateChanged);
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("heartbeat off")).startsWith(QLatin1String("ok")));
    if (lost) {
        QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault refuse on")).startsWith(QLatin1String("ok")));
        QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::ConnectionLost, 20000);
        QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault clear")).startsWith(QLatin1String("ok")));
    } else {
        QTest::qWait(silenceMs);
    }
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("heartbeat on")).startsWith(QLatin1String("ok")));
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 15000);
    if (lost) {
        // Back: read again, and the edit plays again as the preview.
        QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/3 ") + edited), 15000);
        QVERIFY(requestsSince(from).contains(QStringLiteral("GET /api/v1/shows ")));
    } else {
        // A brief silence is no lost connection: nothing flashes.
        QTest::qWait(2 * ConnectionState::tickInterval);
        QCOMPARE(states.count(), 0);
        QVERIFY(!m_window->controlPanel()->findChild<QWidget *>(QStringLiteral("overlay"))->isVisible());
    }
    settle();
    // Never dropped: neither by the program nor on screen.
    QVERIFY2(!requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/3 apply=0")),
             qPrintable(requestsSince(from).join(QLatin1Char(','))));
    QCOMPARE(MSPSceneModel::instance()->sceneAt(2)->formData(), edited);
    QVERIFY(undo->isEnabled() && save->isEnabled());
    QVERIFY(MSPComm::instance()->hasUnsavedEdit(2));

    // Only Undo drops it.
    const int undone = m_bed->requestLog(m_keypad).size();
    QTest::mouseClick(undo, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(undone).contains(QStringLiteral("GET /api/v1/shows/3 ")), 10000);
    QCOMPARE(requestsSince(undone).first(), QStringLiteral("POST /api/v1/shows/3 apply=0"));
    QTRY_VERIFY_WITH_TIMEOUT(MSPSceneModel::instance()->sceneAt(2)->formData().contains(QLatin1String("&param2=0&")),
                             10000);
    QVERIFY(!MSPComm::instance()->hasUnsavedEdit(2));
}

void tst_MainWindow::changeNotOnKeypadIsSaidUntilItIs_data()
{
    // (An edit whose preview alone fails: failedEditIsKeptAndSentOnSave.)
    QTest::addColumn<QString>("fault");
    QTest::newRow("requests dropped") << "drop 100";
    QTest::newRow("connections refused") << "refuse on";
}

void tst_MainWindow::changeNotOnKeypadIsSaidUntilItIs()
{
    QFETCH(QString, fault);
    connectKeypad();
    playKeptColorWash();
    auto *frame = sceneTab<QWidget>("unsentFrame");
    auto *line = sceneTab<QLabel>("unsentLabel");
    auto *retry = sceneTab<QPushButton>("retryButton");
    auto *save = sceneTab<QPushButton>("applyButton");
    QVERIFY(frame && line && retry && save);
    QVERIFY(!frame->isVisible());

    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault ") + fault).startsWith(QLatin1String("ok")));
    const QString edited = clickRightToLeft();
    QTRY_VERIFY_WITH_TIMEOUT(frame->isVisible(), 15000);
    QCOMPARE(line->text(), QStringLiteral("Not on the keypad: the keypad did not receive this change."));
    QTRY_VERIFY_WITH_TIMEOUT(save->isEnabled(), 10000);
    QTest::mouseClick(save, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(line->text(), QStringLiteral("Not on the keypad: the keypad did not receive the Save."),
                              15000);

    // The keypad answers again (its heartbeats never stopped): the screen
    // still says the Save is missing, whatever the program read back.
    const int from = m_bed->requestLog(m_keypad).size();
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault clear")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("GET /api/v1/shows ")), 15000);
    settle();
    QVERIFY(frame->isVisible());
    QVERIFY(save->isEnabled() && retry->isEnabled());
    QCOMPARE(MSPSceneModel::instance()->sceneAt(2)->formData(), edited);
    QCOMPARE(state()->state(), ConnectionState::Connected);
    QVERIFY(!requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/3 apply=0")));

    // Retry sends the edit and keeps it; then the line goes.
    const int retried = m_bed->requestLog(m_keypad).size();
    QTest::mouseClick(retry, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!MSPComm::instance()->hasUnsavedEdit(2), 15000);
    QVERIFY(!frame->isVisible());
    QCOMPARE(requestsSince(retried),
             (QStringList{QStringLiteral("POST /api/v1/shows/3 ") + edited, QStringLiteral("POST /api/v1/shows/3 apply=1")}));
    QVERIFY(!save->isEnabled());
}

void tst_MainWindow::undoNotOnKeypadKeepsTheEdit_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("connection refused") << "refuse on";
    QTest::newRow("answered with an error") << "error on";
}

void tst_MainWindow::undoNotOnKeypadKeepsTheEdit()
{
    QFETCH(QString, fault);
    const QString edited = playEditedColorWash();
    QVERIFY(!edited.isEmpty());
    auto *undo = sceneTab<QPushButton>("revertButton");
    QTRY_VERIFY_WITH_TIMEOUT(undo->isEnabled(), 10000);

    // The keypad still plays the edit: the screen goes on showing it as
    // unsaved, and Undo is offered again.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault ") + fault).startsWith(QLatin1String("ok")));
    QTest::mouseClick(undo, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(undo->isEnabled(), 15000);
    QVERIFY(MSPComm::instance()->hasUnsavedEdit(2));
    QCOMPARE(MSPSceneModel::instance()->sceneAt(2)->formData(), edited);

    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault clear")).startsWith(QLatin1String("ok")));
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(undo->isEnabled(), 15000);
    const int undone = m_bed->requestLog(m_keypad).size();
    QTest::mouseClick(undo, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(undone).contains(QStringLiteral("POST /api/v1/shows/3 apply=0")), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!MSPComm::instance()->hasUnsavedEdit(2), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(MSPSceneModel::instance()->sceneAt(2)->formData().contains(QLatin1String("&param2=0&")),
                             10000);
}

void tst_MainWindow::readDuringUndoDoesNotPlayTheEditAgain()
{
    const QString edited = playEditedColorWash();
    QVERIFY(!edited.isEmpty());
    // The Undo is answered late; a read of the keypad, answered before it,
    // finds the keypad on the edited scene.
    const int from = undoAnsweredLate(3000);
    QVERIFY(from >= 0);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    MSPComm::instance()->requestAllShows();
    QTRY_VERIFY_WITH_TIMEOUT(!MSPComm::instance()->hasUnsavedEdit(2), 15000);
    settle();
    // Not sent again once dropped (before the drop, the edit may have been
    // sent twice, if its connection closed before the answer).
    const QStringList requests = requestsSince(from);
    const int dropped = requests.indexOf(QStringLiteral("POST /api/v1/shows/3 apply=0"));
    QVERIFY2(requests.lastIndexOf(QStringLiteral("POST /api/v1/shows/3 ") + edited) < dropped,
             qPrintable(requests.join(QLatin1Char(','))));
    QVERIFY(MSPSceneModel::instance()->sceneAt(2)->formData().contains(QLatin1String("&param2=0&")));
}

void tst_MainWindow::undoAnsweredAfterAnotherSceneKeepsThatScene()
{
    QVERIFY(!playEditedColorWash().isEmpty());
    // Undo's answer comes after scene 5 was chosen: reading scene 3 back
    // must not play it again.
    const int from = undoAnsweredLate(2000);
    QVERIFY(from >= 0);
    clickScene(5);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    QTRY_VERIFY_WITH_TIMEOUT(!MSPComm::instance()->hasUnsavedEdit(2), 15000);
    // Read back one way or the other.
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("GET /api/v1/shows "))
                                 || requestsSince(from).contains(QStringLiteral("GET /api/v1/shows/3 ")),
                             15000);
    settle();
    QVERIFY2(!requestsSince(from).contains(QStringLiteral("GET /api/v1/shows/3 ")),
             qPrintable(requestsSince(from).join(QLatin1Char(','))));
    QCOMPARE(keypadStatus(QStringLiteral("current")), QStringLiteral("5"));
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 4);
    QVERIFY(MSPSceneModel::instance()->sceneAt(2)->formData().contains(QLatin1String("&param2=0&")));
}

void tst_MainWindow::saveBehindALostEditIsNotSent()
{
    const QString edited = playEditedColorWash();
    QVERIFY(!edited.isEmpty());
    auto *line = sceneTab<QLabel>("unsentLabel");
    auto *save = sceneTab<QPushButton>("applyButton");
    auto *retry = sceneTab<QPushButton>("retryButton");
    QTRY_VERIFY_WITH_TIMEOUT(save->isEnabled(), 10000);
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault posterror 1")).startsWith(QLatin1String("ok")));
    QTest::mouseClick(save, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(line->text(), QStringLiteral("Not on the keypad: the keypad did not receive the Save."),
                              15000);

    // Retry sends the edit first, and the keypad refuses it: "apply=1"
    // would keep the old scene, answered as a success.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault posterror 1")).startsWith(QLatin1String("ok")));
    const int from = m_bed->requestLog(m_keypad).size();
    QTRY_VERIFY_WITH_TIMEOUT(retry->isEnabled(), 10000);
    QTest::mouseClick(retry, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/3 ") + edited), 10000);
    settle();
    QVERIFY2(!requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/3 apply=1")),
             qPrintable(requestsSince(from).join(QLatin1Char(','))));
    QCOMPARE(line->text(), QStringLiteral("Not on the keypad: the keypad did not receive the Save."));
    QVERIFY(MSPComm::instance()->hasUnsavedEdit(2));
    QCOMPARE(MSPSceneModel::instance()->sceneAt(2)->formData(), edited);
}

void tst_MainWindow::saveRightAfterAPressSendsTheEditFirst()
{
    const QString edited = playEditedColorWash();
    QVERIFY(!edited.isEmpty());
    keypadPlays(4);
    // Scene 3 is pressed again: the keypad plays it as it keeps it, and the
    // edit comes back only with the press's (slow) answer. Save meanwhile
    // must send the edit before "apply=1", or the keypad keeps the old scene.
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault delay 2000")), QStringLiteral("ok"));
    const int from = m_bed->requestLog(m_keypad).size();
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 3")).startsWith(QLatin1String("ok")));
    QTRY_COMPARE_WITH_TIMEOUT(MSPSceneModel::instance()->activeSceneIndex(), 2, 10000);
    auto *save = sceneTab<QPushButton>("applyButton");
    QTRY_VERIFY_WITH_TIMEOUT(save->isEnabled(), 10000);
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    QTRY_VERIFY_WITH_TIMEOUT(!MSPComm::instance()->hasUnsavedEdit(2), 15000);
    settle();
    const QStringList requests = requestsSince(from);
    const int edit = requests.indexOf(QStringLiteral("POST /api/v1/shows/3 ") + edited);
    const int flag = requests.indexOf(QStringLiteral("POST /api/v1/shows/3 apply=1"));
    QVERIFY2(edit >= 0 && flag > edit, qPrintable(requests.join(QLatin1Char(','))));
    // Kept right to left, as edited.
    const QString kept = m_bed->command(m_keypad, QStringLiteral("show 3")).section(QLatin1Char(' '), 1, 1);
    QVERIFY2(kept.contains(QLatin1String("&param2=1&")), qPrintable(kept));
    QCOMPARE(MSPSceneModel::instance()->sceneAt(2)->formData(), edited);
}

void tst_MainWindow::screenFollowsKeypadAfterUploadAndRestore()
{
    connectKeypad();
    keypadPlays(2);
    const QString path = writeConfigurationFile(QStringLiteral("current7.xml"), 7);
    QVERIFY(!path.isEmpty());

    // The upload shows its progress, scene by scene, then the configuration.
    QStringList progress;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [this, &progress] {
        const auto dialogs = m_window->findChildren<QProgressDialog *>();
        for (const QProgressDialog *dialog : dialogs) {
            if (dialog->isVisible() && !progress.contains(dialog->labelText()))
                progress << dialog->labelText();
        }
    });
    watch.start(20);
    m_prompts->files << path;
    QVERIFY(m_window->open());
    watch.stop();
    auto *panel = m_window->controlPanel();
    QCOMPARE(keypadStatus(QStringLiteral("current")), QStringLiteral("7"));
    QTRY_VERIFY_WITH_TIMEOUT(panel->findChild<QAbstractButton *>(QStringLiteral("scene7Button"))->isChecked(), 10000);
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 6);
    QVERIFY2(progress.contains(QStringLiteral("Uploading scene 1 of 8...")), qPrintable(progress.join(QLatin1Char('|'))));
    QVERIFY2(progress.contains(QStringLiteral("Uploading scene 8 of 8...")), qPrintable(progress.join(QLatin1Char('|'))));
    QVERIFY2(progress.contains(QStringLiteral("Uploading the configuration...")), qPrintable(progress.join(QLatin1Char('|'))));
    QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("The configuration was uploaded to the keypad."));

    // A factory reset plays scene 1; the screen follows once the keypad is back.
    m_prompts->answers << QMessageBox::Yes;
    m_window->handleRestore();
    QVERIFY(m_bed->waitForEvent(m_keypad, QStringLiteral("restarted"), 20000));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->statusBar()->currentMessage(),
                              QStringLiteral("The keypad's factory defaults were restored."), 20000);
    QCOMPARE(keypadStatus(QStringLiteral("current")), QStringLiteral("1"));
    QTRY_VERIFY_WITH_TIMEOUT(panel->findChild<QAbstractButton *>(QStringLiteral("scene1Button"))->isChecked(), 10000);
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 0);
}

void tst_MainWindow::sceneChosenWhileOffRereadsBrightness()
{
    connectKeypad();
    keypadPlays(1);
    auto *brightness = m_window->findChild<QLabel *>(QStringLiteral("brightnessValueLabel"));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press onoff")).startsWith(QLatin1String("ok")));
    QTRY_COMPARE_WITH_TIMEOUT(brightness->text(), QStringLiteral("Off"), 10000);
    // Playing a scene turns the keypad's lights on; the strip follows.
    clickScene(5);
    QTRY_COMPARE_WITH_TIMEOUT(keypadStatus(QStringLiteral("current")), QStringLiteral("5"), 10000);
    QVERIFY(keypadStatus(QStringLiteral("brightness")) != QLatin1String("-1"));
    QTRY_VERIFY_WITH_TIMEOUT(brightness->text().endsWith(QLatin1Char('%')), 10000);
}

void tst_MainWindow::failedRetryBringsNoticeBack()
{
    connectKeypad();
    auto *panel = m_window->controlPanel();
    auto *notice = panel->findChild<QWidget *>(QStringLiteral("connectionFailedFrame"));
    auto *retry = panel->findChild<QPushButton *>(QStringLiteral("retryButton"));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault refuse on")).startsWith(QLatin1String("ok")));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("heartbeat off")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible() && retry->isVisible(), 15000);

    // The keypad answers discovery but nothing else: the notice comes back.
    QSignalSpy states(state(), &ConnectionState::stateChanged);
    QTest::mouseClick(retry, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(sawState(states, ConnectionState::Discovering), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible() && retry->isVisible(), 15000);
    QVERIFY(panel->findChild<QWidget *>(QStringLiteral("demoModeButton"))->isVisible());

    // Back: connected, and read again.
    const int from = m_bed->requestLog(m_keypad).size();
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault clear")).startsWith(QLatin1String("ok")));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("heartbeat on")).startsWith(QLatin1String("ok")));
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("GET /api/v1/shows ")), 10000);
    QVERIFY(requestsSince(from).contains(QStringLiteral("GET /api/v1/config ")));
    QTRY_COMPARE_WITH_TIMEOUT(statusText(), QStringLiteral("Connected"), 10000);
}

void tst_MainWindow::onePressOneRequest()
{
    connectKeypad();
    keypadPlays(1);
    QTest::qWait(500); // the replies of that press are in
    const int from = m_bed->requestLog(m_keypad).size();
    // One press whose datagram arrives twice (the keypad cannot know that
    // the first arrived) is one request.
    auto *scene3 = m_window->controlPanel()->findChild<QAbstractButton *>(QStringLiteral("scene3Button"));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 3 2")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(scene3->isChecked(), 10000);
    // A second press of the scene already shown asks for nothing.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 3")).startsWith(QLatin1String("ok")));
    QTest::qWait(1000);
    const QStringList requests = requestsSince(from);
    QCOMPARE(requests.filter(QStringLiteral("/api/v1/shows/3")), QStringList{QStringLiteral("POST /api/v1/shows/3 ")});
}

void tst_MainWindow::sceneChosenWinsOverEditsInFlight_data()
{
    QTest::addColumn<bool>("onKeypad");
    QTest::addColumn<QString>("asked");
    QTest::newRow("pressed on the keypad") << true << "POST /api/v1/shows/6 ";
    QTest::newRow("chosen on screen") << false << "GET /api/v1/shows/6 ";
}

void tst_MainWindow::sceneChosenWinsOverEditsInFlight()
{
    QFETCH(bool, onKeypad);
    QFETCH(QString, asked);
    connectKeypad();
    keypadPlays(1);
    // Slow answers: the keypad's answer to the choice comes long after it.
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault delay 2000")), QStringLiteral("ok"));
    const int from = m_bed->requestLog(m_keypad).size();
    if (onKeypad)
        QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 6")).startsWith(QLatin1String("ok")));
    else
        clickScene(6);
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(asked), 10000);
    // The editor shows scene 6 before the keypad has answered, so an edit
    // made now is scene 6's and does not send the keypad back to scene 1.
    QCOMPARE(m_window->sceneSettings()->shownSceneIndex(), 5);
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(MSPSceneModel::instance()->activeSceneIndex());
    scene->setEffect(MSPEffectFactory::instance()->create(MSPEffect::RandomColor, scene), true);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    settle();
    QVERIFY(requestsSince(from).filter(QStringLiteral("POST /api/v1/shows/1 effect=")).isEmpty());
    QCOMPARE(keypadStatus(QStringLiteral("current")), QStringLiteral("6"));
    QCOMPARE(m_window->sceneSettings()->shownSceneIndex(), 5);
}

void tst_MainWindow::lateAnswerKeepsNewerChoice()
{
    connectKeypad();
    keypadPlays(1);
    // The answer for scene 6 comes late, after the answer for scene 2
    // chosen right after it; the keypad plays scene 2.
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault delay 3000")), QStringLiteral("ok"));
    const int from = m_bed->requestLog(m_keypad).size();
    clickScene(6);
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("GET /api/v1/shows/6 ")), 10000);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    clickScene(2);
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("GET /api/v1/shows/2 ")), 10000);
    settle();
    QTest::qWait(3000);
    QCOMPARE(keypadStatus(QStringLiteral("current")), QStringLiteral("2"));
    QCOMPARE(MSPSceneModel::instance()->activeSceneIndex(), 1);
    QCOMPARE(m_window->sceneSettings()->shownSceneIndex(), 1);
}

void tst_MainWindow::lateAnswerLeavesSavedSceneAlone()
{
    connectKeypad();
    playKeptColorWash();
    keypadPlays(4);
    // The answer to a press on scene 3 comes late, after an edit of scene 3
    // made and saved meanwhile: it tells of the scene before the Save.
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault delay 3000")), QStringLiteral("ok"));
    const int from = m_bed->requestLog(m_keypad).size();
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 3")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/3 ")), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(MSPSceneModel::instance()->activeSceneIndex(), 2, 10000);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    const QString edited = clickRightToLeft();
    QVERIFY(edited.contains(QLatin1String("&param2=1&")));
    m_window->sceneSettings()->on_applyButton_clicked();
    QTRY_VERIFY_WITH_TIMEOUT(!MSPComm::instance()->hasUnsavedEdit(2), 10000);
    QTest::qWait(3000);
    settle();
    const QString kept = m_bed->command(m_keypad, QStringLiteral("show 3")).section(QLatin1Char(' '), 1, 1);
    QVERIFY2(kept.contains(QLatin1String("&param2=1&")), qPrintable(kept));
    QCOMPARE(MSPSceneModel::instance()->sceneAt(2)->formData(), edited);
}

void tst_MainWindow::saveOvertakenByKeypadPressStaysUnsaved()
{
    connectKeypad();
    keypadPlays(1);
    const auto keptScene1 = [this] {
        return m_bed->command(m_keypad, QStringLiteral("show 1")).section(QLatin1Char(' '), 1, 1);
    };
    const QString kept = keptScene1();
    QVERIFY(kept.startsWith(QLatin1String("kept=")));
    // Slow answers: Save waits for the edit's answer, and meanwhile the
    // keypad is pressed to scene 4, which drops scene 1's preview.
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault delay 2000")), QStringLiteral("ok"));
    const int from = m_bed->requestLog(m_keypad).size();
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(0);
    scene->setEffect(MSPEffectFactory::instance()->create(MSPEffect::RandomColor, scene), true);
    QTRY_VERIFY_WITH_TIMEOUT(!requestsSince(from).filter(QStringLiteral("POST /api/v1/shows/1 effect=5")).isEmpty(),
                             10000);
    m_window->sceneSettings()->on_applyButton_clicked();
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 4")).startsWith(QLatin1String("ok")));
    QTRY_COMPARE_WITH_TIMEOUT(MSPSceneModel::instance()->activeSceneIndex(), 3, 10000);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    // Not said to be kept, not sent as a bare "apply=1" the keypad cannot
    // keep, and still the user's on screen.
    QTRY_VERIFY_WITH_TIMEOUT(MSPComm::instance()->editState(0) != MSPComm::EditState::Saving, 10000);
    settle();
    QVERIFY(requestsSince(from).filter(QStringLiteral("POST /api/v1/shows/1 apply=1")).isEmpty());
    QCOMPARE(int(MSPComm::instance()->editState(0)), int(MSPComm::EditState::SaveNotSent));
    QCOMPARE(MSPSceneModel::instance()->sceneAt(0)->effect()->type(), int(MSPEffect::RandomColor));
    QCOMPARE(keptScene1(), kept);
}

void tst_MainWindow::malformedFileChangesNothing_data()
{
    QTest::addColumn<bool>("connected");
    QTest::newRow("offline") << false;
    QTest::newRow("connected") << true;
}

void tst_MainWindow::malformedFileChangesNothing()
{
    QFETCH(bool, connected);
    if (connected)
        connectKeypad();
    else
        goOffline(ConnectionState::DemoMode);
    MSPSceneModel *model = MSPSceneModel::instance();
    SystemConfiguration *config = SystemConfiguration::instance();
    const QString path = writeConfigurationFile(QStringLiteral("broken.xml"), 2);
    QVERIFY(!path.isEmpty());
    {
        // Broken off inside the third show; the first two are whole.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray document = file.readAll();
        const int third = document.indexOf("<show>", document.indexOf("<show>", document.indexOf("<show>") + 1) + 1);
        QVERIFY(third > 0);
        document.truncate(third + 20);
        document += "</show>";
        // Scene 1 of the file differs from the one on screen (another effect).
        const int effect = document.indexOf("<effect>", document.indexOf("/api/v1/shows/1<")) + 8;
        document[effect] = document.at(effect) == '0' ? '1' : '0';
        QVERIFY(file.resize(0));
        QVERIFY(file.seek(0));
        file.write(document);
    }
    const QString scene1 = model->sceneAt(0)->formData();
    const QString name = config->name();
    const int from = connected ? m_bed->requestLog(m_keypad).size() : 0;

    m_prompts->files << path;
    QVERIFY(!m_window->open());
    QCOMPARE(m_prompts->messages.size(), 1);
    const ScriptedPrompts::Message error = m_prompts->messages.constFirst();
    QCOMPARE(error.title, QStringLiteral("Open Error"));
    QVERIFY2(error.text.startsWith(QStringLiteral("Cannot open file ") + path + QStringLiteral(":\n")), qPrintable(error.text));
    QVERIFY2(error.text.contains(QLatin1String("line ")), qPrintable(error.text));
    QCOMPARE(model->sceneAt(0)->formData(), scene1);
    QCOMPARE(config->name(), name);
    if (connected) {
        QTest::qWait(500);
        QCOMPARE(requestsSince(from).filter(QStringLiteral("apply=1")), QStringList());
        QCOMPARE(requestsSince(from).filter(QStringLiteral("/api/v1/shows/")), QStringList());
    }
}

void tst_MainWindow::everySceneOfFileTakenOrRefused_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("scene1");
    QTest::addColumn<QString>("message");

    const QString red = QStringLiteral("<color>\n<red>255</red>\n<grn>0</grn>\n<blu>0</blu>\n<by>0</by><x>0</x><y>0</y> </color>");
    const QString unknown = QStringLiteral("<show><url>/api/v1/shows/1</url>\n<effect>99</effect>\n<parameters>"
                                           "<param>1</param><param>1</param><param>1</param><by>0</by><x>0</x><y>0</y>"
                                           "</parameters><numColors>0</numColors>\n<customColors>\n</customColors>\n</show>");
    const QString eight = QStringLiteral("<show><url>/api/v1/shows/1</url>\n<effect>4</effect>\n<parameters>"
                                         "<param>9</param><param>1</param><param>5</param><by>0</by><x>0</x><y>0</y>"
                                         "</parameters><numColors>8</numColors>\n<customColors>")
        + red.repeated(8) + QStringLiteral("\n</customColors>\n</show>");
    const QString refused = QStringLiteral("Scene 1 has the effect type 99, which the keypad does not play.");
    const QString cut = QStringLiteral("Scene 1 (Custom Wash) holds 8 colors; the keypad plays six, so the first six were kept.");
    QTest::newRow("unknown effect, offline") << false << unknown << refused;
    QTest::newRow("eight colours, offline") << false << eight << cut;
    QTest::newRow("unknown effect, connected") << true << unknown << refused;
    QTest::newRow("eight colours, connected") << true << eight << cut;
}

void tst_MainWindow::everySceneOfFileTakenOrRefused()
{
    QFETCH(bool, connected);
    QFETCH(QString, scene1);
    QFETCH(QString, message);
    if (connected)
        connectKeypad();
    else
        goOffline(ConnectionState::DemoMode);
    MSPSceneModel *model = MSPSceneModel::instance();
    const QString path = writeConfigurationFile(QStringLiteral("scene1.xml"), 1);
    QVERIFY(!path.isEmpty());
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QString document = QString::fromLatin1(file.readAll());
        const int start = document.indexOf(QLatin1String("<show>"));
        const int end = document.indexOf(QLatin1String("</show>"), start) + 7;
        document.replace(start, end - start, scene1);
        QVERIFY(file.resize(0));
        file.write(document.toLatin1());
    }
    const QString before = model->sceneAt(0)->formData();
    const int from = connected ? m_bed->requestLog(m_keypad).size() : 0;

    m_prompts->files << path;
    const bool taken = m_window->open();
    QCOMPARE(m_prompts->messages.size(), 1);
    const ScriptedPrompts::Message shown = m_prompts->messages.constFirst();
    QVERIFY2(shown.text.endsWith(message), qPrintable(shown.text));
    if (!taken) {
        // Refused whole: nothing changes, nothing is sent, nothing claims an upload.
        QCOMPARE(shown.title, QStringLiteral("Open Error"));
        QCOMPARE(shown.text, QStringLiteral("Cannot open file %1:\n%2").arg(path, message));
        QCOMPARE(model->sceneAt(0)->formData(), before);
        QVERIFY(m_window->statusBar()->currentMessage().isEmpty());
        if (connected) {
            QTest::qWait(500);
            QCOMPARE(requestsSince(from).filter(QStringLiteral("/api/v1/shows/")), QStringList());
        }
        return;
    }
    QCOMPARE(shown.title, QStringLiteral("Configuration Opened"));
    auto *wash = qobject_cast<MSPCustomWashEffect *>(model->sceneAt(0)->effect());
    QVERIFY(wash);
    QCOMPARE(wash->speed(), 9);
    QCOMPARE(wash->colorList().size(), 6);
    if (connected) {
        // The scene is uploaded and kept as it was taken.
        const QStringList kept = requestsSince(from).filter(QRegularExpression(QStringLiteral("^POST /api/v1/shows/1 .*&apply=1$")));
        QCOMPARE(kept.size(), 1);
        QVERIFY2(kept.constFirst().contains(QLatin1String(" effect=4&param1=9&param2=1&param3=5&"))
                     && kept.constFirst().contains(QLatin1String("&num_colors=6&color1=(255,0,0)&")),
                 qPrintable(kept.constFirst()));
    }
}

void tst_MainWindow::unsavedChangesAskFirst_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("sceneLeft");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QMessageBox::StandardButton>("answer");

    QTest::newRow("keypad, quit, cancel") << true << false << "quit" << QMessageBox::Cancel;
    QTest::newRow("keypad, quit, save") << true << false << "quit" << QMessageBox::Save;
    QTest::newRow("keypad, open, discard") << true << false << "open" << QMessageBox::Discard;
    QTest::newRow("keypad, scene left, quit, cancel") << true << true << "quit" << QMessageBox::Cancel;
    QTest::newRow("keypad, scene left, quit, save") << true << true << "quit" << QMessageBox::Save;
    QTest::newRow("keypad, scene left, other keypad, discard") << true << true << "keypad" << QMessageBox::Discard;
    QTest::newRow("demo, quit, cancel") << false << false << "quit" << QMessageBox::Cancel;
    QTest::newRow("demo, quit, save to file") << false << false << "quit" << QMessageBox::Save;
    QTest::newRow("demo, other keypad, cancel") << false << false << "discover" << QMessageBox::Cancel;
}

void tst_MainWindow::unsavedChangesAskFirst()
{
    QFETCH(bool, connected);
    QFETCH(bool, sceneLeft);
    QFETCH(QString, action);
    QFETCH(QMessageBox::StandardButton, answer);
    if (connected) {
        connectKeypad();
        keypadPlays(2);
    } else {
        goOffline(ConnectionState::DemoMode);
    }
    const QString file = writeConfigurationFile(QStringLiteral("other.xml"), 2);
    QVERIFY(!file.isEmpty());
    // The user changes scene 2's effect.
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(1);
    scene->setEffect(MSPEffectFactory::instance()->create(MSPEffect::RandomColor, scene), true);
    const QString edited = scene->formData();
    if (connected)
        settle();
    // The keypad moves on to scene 3; scene 2's edit stays unsaved.
    if (sceneLeft)
        keypadPlays(3);
    QVERIFY(m_window->hasUnsavedChanges());
    const int from = connected ? m_bed->requestLog(m_keypad).size() : 0;
    const ConnectionState::State status = state()->state();

    m_prompts->answers << answer;
    const QString saved = m_dir.filePath(QStringLiteral("kept.xml"));
    QFile::remove(saved);
    bool done = false;
    if (action == QLatin1String("quit")) {
        if (!connected)
            m_prompts->files << saved;
        done = m_window->close();
    } else if (action == QLatin1String("open")) {
        m_prompts->files << file;
        done = m_window->open();
    } else if (action == QLatin1String("keypad")) {
        KeypadInfo other;
        other.name = QStringLiteral("Elsewhere");
        other.address = QStringLiteral("192.168.77.99");
        m_window->connectToKeypad(other, false);
        done = MSPComm::instance()->address() == other.address;
    } else {
        QSignalSpy states(state(), &ConnectionState::stateChanged);
        findAction(m_window.get(), QStringLiteral("Discover Device"))->trigger();
        done = sawState(states, ConnectionState::Discovering);
    }
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.constFirst().title, QStringLiteral("Unsaved Changes"));
    if (connected) {
        QCOMPARE(m_prompts->messages.constFirst().text,
                 QStringLiteral("The keypad has not kept these changes: scene 2.\n\nSave them on the keypad first?"));
    }
    QCOMPARE(done, answer != QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) {
        QVERIFY(m_window->isVisible());
        QCOMPARE(state()->state(), status);
        QCOMPARE(scene->formData(), edited);
        QVERIFY(m_window->hasUnsavedChanges());
    }
    if (!connected) {
        // Saving to a file keeps the demo's edit there.
        QCOMPARE(QFile::exists(saved), answer == QMessageBox::Save);
        if (answer == QMessageBox::Save) {
            QFile kept(saved);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QVERIFY(kept.readAll().contains("<url>/api/v1/shows/2</url>\n<effect>5</effect>"));
        }
        return;
    }
    if (sceneLeft) {
        // The keypad left scene 2 and its preview: Save sends the whole
        // scene to keep, then plays scene 3 again; Discard has nothing to send.
        const QString keep = QStringLiteral("POST /api/v1/shows/2 ") + edited + QStringLiteral("&apply=1");
        if (answer == QMessageBox::Save) {
            QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(keep), 10000);
            QTRY_COMPARE_WITH_TIMEOUT(keypadStatus(QStringLiteral("current")), QStringLiteral("3"), 10000);
        }
        settle();
        QCOMPARE(requestsSince(from).contains(keep), answer == QMessageBox::Save);
        QCOMPARE(MSPComm::instance()->hasUnsavedEdit(1), answer == QMessageBox::Cancel);
        if (action == QLatin1String("keypad"))
            QVERIFY(!requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/2 apply=0")));
        return;
    }
    // On the keypad: Save keeps the scene, Discard drops the preview, Cancel sends neither.
    if (answer == QMessageBox::Save)
        QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/2 apply=1")), 10000);
    else if (answer == QMessageBox::Discard)
        QTRY_VERIFY_WITH_TIMEOUT(requestsSince(from).contains(QStringLiteral("POST /api/v1/shows/2 apply=0")), 10000);
    settle();
    const QStringList sent = requestsSince(from);
    QCOMPARE(sent.contains(QStringLiteral("POST /api/v1/shows/2 apply=1")), answer == QMessageBox::Save);
    QCOMPARE(sent.contains(QStringLiteral("POST /api/v1/shows/2 apply=0")), answer == QMessageBox::Discard);
}

void tst_MainWindow::uploadSaysWhatArrived_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<bool>("confirmed");

    QTest::newRow("all answered") << QString() << QMessageBox::NoButton << QString() << true;
    const QString allRefused = QStringLiteral(
        "The keypad did not confirm every part of upload-check.xml. Not received: scene 1, scene 2, scene 3, "
        "scene 4, scene 5, scene 6, scene 7, scene 8, the system configuration.\n\nUpload the file again?");
    // The keypad takes requests again while the question is on screen.
    QTest::newRow("refused, retry") << "fault error on" << QMessageBox::Retry << allRefused << true;
    QTest::newRow("refused, cancel") << "fault error on" << QMessageBox::Cancel << allRefused << false;
}

void tst_MainWindow::uploadSaysWhatArrived()
{
    QFETCH(QString, fault);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, asked);
    QFETCH(bool, confirmed);
    connectKeypad();
    keypadPlays(1);
    const QString path = writeConfigurationFile(QStringLiteral("upload-check.xml"), 1);
    QVERIFY(!path.isEmpty());
    if (!fault.isEmpty())
        QVERIFY(m_bed->command(m_keypad, fault).startsWith(QLatin1String("ok")));
    m_prompts->files << path;
    if (answer != QMessageBox::NoButton)
        m_prompts->answers << answer;
    m_prompts->beforeAnswer = [this](const ScriptedPrompts::Message &) {
        m_bed->command(m_keypad, QStringLiteral("fault clear"));
    };
    QVERIFY(m_window->open());
    m_bed->command(m_keypad, QStringLiteral("fault clear"));
    QStringList texts;
    for (const auto &message : qAsConst(m_prompts->messages)) {
        if (message.title == QLatin1String("Upload Incomplete"))
            texts << message.text;
    }
    QCOMPARE(texts, asked.isEmpty() ? QStringList() : QStringList{asked});
    QCOMPARE(m_window->statusBar()->currentMessage() == QLatin1String("The configuration was uploaded to the keypad."),
             confirmed);
}

void tst_MainWindow::hidingSettingsCollapsesWindow()
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

void tst_MainWindow::windowRoom_data()
{
    // Room the desktop leaves for the window on such a screen: its title
    // bar and a panel take about 70 logical pixels.
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("panelWhole");
    QTest::addColumn<bool>("pickerWhole");
    QTest::newRow("1920x1080") << QSize(1920, 1010) << true << true;
    QTest::newRow("1366x768") << QSize(1366, 698) << true << true;
    QTest::newRow("1280x720") << QSize(1280, 650) << false << false;
}

void tst_MainWindow::windowRoom()
{
    QFETCH(QSize, size);
    QFETCH(bool, panelWhole);
    QFETCH(bool, pickerWhole);
    showDemoEffect(MSPEffect::CustomWash);
    if (QTest::currentTestFailed())
        return;

    // No fixed height: the window takes the size it is given, maximised too.
    QCOMPARE(m_window->maximumHeight(), QWIDGETSIZE_MAX);
    QVERIFY(m_window->minimumSizeHint().height() <= size.height());
    m_window->resize(size);
    QTRY_COMPARE(m_window->size(), size);

    // Save and the status bar are inside the window...
    auto *save = m_window->sceneSettings()->findChild<QPushButton *>(QStringLiteral("applyButton"));
    QVERIFY(save && save->isVisible());
    const QRect inWindow(save->mapTo(m_window.get(), QPoint(0, 0)), save->size());
    QVERIFY2(m_window->rect().contains(inWindow), qPrintable(QStringLiteral("Save at %1,%2").arg(inWindow.x()).arg(inWindow.y())));
    QVERIFY(m_window->statusBar()->geometry().bottom() <= m_window->height());

    // ...the keypad face shows whole or scrolls...
    auto *panelScroll = m_window->findChild<QScrollArea *>(QStringLiteral("controlPanelScrollArea"));
    QVERIFY(panelScroll);
    QTRY_COMPARE(panelScroll->verticalScrollBar()->isVisible(), !panelWhole);

    // ...and the wash's colour picker gets the height it asks for, or
    // scrolls (only ever the picker, never the window).
    QScrollArea *picker = nullptr;
    const auto areas = m_window->sceneSettings()->findChildren<QScrollArea *>(QStringLiteral("pickerScrollArea"));
    for (QScrollArea *area : areas) {
        if (area->isVisible())
            picker = area;
    }
    QVERIFY(picker);
    if (pickerWhole)
        QTRY_VERIFY2(picker->viewport()->height() >= picker->widget()->minimumSizeHint().height(),
                     qPrintable(QStringLiteral("picker %1 px high, wants %2")
                                    .arg(picker->viewport()->height())
                                    .arg(picker->widget()->minimumSizeHint().height())));
}

void tst_MainWindow::showDemoEffect(int type)
{
    goOffline(ConnectionState::DemoMode);
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(0);
    MSPSceneModel::instance()->setActiveSceneIndex(0, false);
    m_window->settingsTabs()->setCurrentWidget(m_window->sceneSettings());
    auto *effects = m_window->sceneSettings()->findChild<QComboBox *>(QStringLiteral("effectsComboBox"));
    QVERIFY(effects);
    effects->setCurrentIndex(type);
    QTRY_COMPARE(scene->effect()->type(), type);
}

void tst_MainWindow::editorsFitTheWindow_data()
{
    // The window as a desktop leaves room for it (less its title bar and
    // panel), and the picker's page on show.
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("whole");
    const struct
    {
        const char *name;
        QSize size;
        bool whole;
    } screens[] = {{"1366x768", QSize(1366, 698), true},
                   {"1280x720", QSize(1280, 650), false},
                   {"narrowest", QSize(970, 698), false}};
    const char *const pages[] = {"RGB", "white", "channel"};
    for (const auto &screen : screens) {
        for (int type = 0; type < MSPEffect::typeCount; ++type) {
            const bool picker = type == MSPEffect::FixedColor || type == MSPEffect::VariableColor
                                || type == MSPEffect::RainbowWash || type == MSPEffect::CustomWash;
            for (int page = 0; page < (picker ? 3 : 1); ++page) {
                const QString row = QStringLiteral("%1 %2%3")
                                        .arg(QLatin1String(screen.name), MSPEffect::effectTypeName(type),
                                             picker ? QStringLiteral(" ") + QLatin1String(pages[page]) : QString());
                QTest::newRow(qPrintable(row)) << screen.size << type << page << screen.whole;
            }
        }
    }
}

void tst_MainWindow::editorsFitTheWindow()
{
    QFETCH(QSize, size);
    QFETCH(int, type);
    QFETCH(int, page);
    QFETCH(bool, whole);
    showDemoEffect(type);
    if (QTest::currentTestFailed())
        return;
    m_window->resize(size);
    QTRY_COMPARE(m_window->size(), size);

    OvrColorPickerLib::OvrColorPicker *picker = nullptr;
    const auto pickers = m_window->sceneSettings()->findChildren<OvrColorPickerLib::OvrColorPicker *>();
    for (OvrColorPickerLib::OvrColorPicker *candidate : pickers) {
        if (candidate->isVisible())
            picker = candidate;
    }
    if (picker) {
        for (int shown = 0; shown < 3; ++shown)
            picker->buttonsWidget()->setPageDisplayed(shown, shown == page);
    }

    QStringList unreachable;
    QTRY_VERIFY2((unreachable = unreachableControls(m_window.get(), m_window->sceneSettings(), whole)).isEmpty(),
                 qPrintable(unreachable.join(QLatin1Char('\n'))));
    if (picker) {
        for (int shown = 0; shown < 3; ++shown)
            picker->buttonsWidget()->setPageDisplayed(shown, shown == 0);
    }
}

void tst_MainWindow::washDirectionMovesBelowSpeedWhenNarrow()
{
    showDemoEffect(MSPEffect::CustomWash);
    if (QTest::currentTestFailed())
        return;
    // Each wash editor has these; the one on show counts.
    const auto shown = [this](const char *name) -> QWidget * {
        const auto widgets = m_window->sceneSettings()->findChildren<QWidget *>(QLatin1String(name));
        for (QWidget *widget : widgets) {
            if (widget->isVisible())
                return widget;
        }
        return nullptr;
    };
    const auto speed = [&shown] { return shown("speedSlider"); };
    const auto direction = [&shown] { return shown("rightToLeftButton"); };
    const auto top = [this](QWidget *widget) { return widget->mapTo(m_window.get(), QPoint(0, 0)).y(); };
    QVERIFY(speed() && direction());
    const auto besideSpeed = [&] {
        const int speedTop = top(speed());
        return top(direction()) < speedTop + speed()->height() && speedTop < top(direction()) + direction()->height();
    };
    const QSize wide(1366, 698);
    m_window->resize(wide);
    QTRY_COMPARE(m_window->size(), wide);
    QTRY_VERIFY(besideSpeed());

    // At the window's narrowest the direction gets a row of its own, whole.
    m_window->resize(970, 698);
    QTRY_COMPARE(m_window->width(), 970);
    QTRY_VERIFY(top(direction()) >= top(speed()) + speed()->height());
    QStringList unreachable;
    QTRY_VERIFY2((unreachable = unreachableControls(m_window.get(), m_window->sceneSettings(), false)).isEmpty(),
                 qPrintable(unreachable.join(QLatin1Char('\n'))));

    // Wide again: beside the speed, and the row it gave up is the picker's again.
    m_window->resize(wide);
    QTRY_COMPARE(m_window->size(), wide);
    QTRY_VERIFY(besideSpeed());
    QTRY_VERIFY2((unreachable = unreachableControls(m_window.get(), m_window->sceneSettings(), true)).isEmpty(),
                 qPrintable(unreachable.join(QLatin1Char('\n'))));
}

void tst_MainWindow::washSplitRemembered()
{
    goOffline(ConnectionState::DemoMode);
    m_window->resize(1366, 698);
    m_window->settingsTabs()->setCurrentWidget(m_window->sceneSettings());
    MSPSceneModel::instance()->setActiveSceneIndex(0, false);
    auto *effects = m_window->sceneSettings()->findChild<QComboBox *>(QStringLiteral("effectsComboBox"));
    effects->setCurrentIndex(MSPEffect::CustomWash);
    QSplitter *split = nullptr;
    QTRY_VERIFY((split = visibleWashSplitter(m_window->sceneSettings())));
    const QList<int> before = split->sizes();
    QVERIFY(before.value(1) > 0);
    // The user gives the colours 40 px more, as a drag of the handle does.
    split->setSizes({before.at(0) + 40, before.at(1) - 40});
    emit split->splitterMoved(before.at(0) + 40, 1);
    const QByteArray state = QSettings().value(QStringLiteral("wash_editor_splitter")).toByteArray();
    QVERIFY(!state.isEmpty());

    // Another wash editor shows the same split.
    effects->setCurrentIndex(MSPEffect::RainbowWash);
    QSplitter *other = nullptr;
    QTRY_VERIFY((other = visibleWashSplitter(m_window->sceneSettings())) && other != split);
    QTRY_COMPARE(other->sizes(), split->sizes());

    // Back to the split the editors start with, for the tests after this one.
    QSettings().remove(QStringLiteral("wash_editor_splitter"));
    other->setSizes(before);
    split->setSizes(before);
}

void tst_MainWindow::saveNamesFileInTitle()
{
    goOffline(ConnectionState::DemoMode);
    MSPScene *first = MSPSceneModel::instance()->sceneAt(0);
    first->setEffect(MSPEffectFactory::instance()->create(MSPEffect::FixedColor, first), true);
    const QString path = m_dir.filePath(QStringLiteral("hall.xml"));
    m_prompts->files << path;
    QVERIFY(m_window->save());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("hall.xml[*] - Lumetra Keypad Effect Manager"));
    QVERIFY(!m_window->isWindowModified());
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("Configuration saved to %1.").arg(QDir::toNativeSeparators(path)));

    // An edit marks it changed; picking another scene does not.
    MSPSceneModel *model = MSPSceneModel::instance();
    model->setActiveSceneIndex(3, false);
    QTest::qWait(300);
    QVERIFY(!m_window->isWindowModified());
    auto *effect = qobject_cast<MSPFixedColorEffect *>(model->sceneAt(0)->effect());
    QVERIFY(effect);
    const QString savedBody = model->sceneAt(0)->formData();
    effect->setColor(QStringLiteral("#0a0b0c"));
    QTRY_VERIFY(m_window->isWindowModified());

    // Opening the file again (setting the edit aside): unchanged.
    m_prompts->files << path;
    m_prompts->answers << QMessageBox::Discard;
    QVERIFY(m_window->open());
    QCOMPARE(model->sceneAt(0)->formData(), savedBody);
    QTRY_VERIFY(!m_window->isWindowModified());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("hall.xml[*] - Lumetra Keypad Effect Manager"));
}

void tst_MainWindow::onlineHelp_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("chapter");
    QTest::newRow("scene settings") << 0 << "6. Editing scenes and effects";
    QTest::newRow("system configuration") << 1 << "8. System configuration";
    QTest::newRow("network") << 2 << "3. The Network tab";
}

void tst_MainWindow::onlineHelp()
{
    QFETCH(int, tab);
    QFETCH(QString, chapter);
    // The build puts the guide beside the program, where Help looks.
    const QUrl url = MainWindow::helpUrl();
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(), QCoreApplication::applicationDirPath() + QStringLiteral("/help/ProductGuide.md"));

    goOffline(ConnectionState::DemoMode);
    m_window->settingsTabs()->setCurrentIndex(tab);
    // No desktop handler is involved: nothing may be opened outside.
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    findAction(m_window.get(), QStringLiteral("Help Contents"))->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY(recorder.urls.isEmpty());
    QVERIFY(m_prompts->messages.isEmpty());

    auto *guide = m_window->findChild<GuideWindow *>();
    QVERIFY(guide);
    QTRY_VERIFY(guide->isVisible());
    auto *contents = guide->findChild<QListWidget *>(QStringLiteral("contentsList"));
    QVERIFY(contents && contents->currentItem());
    QCOMPARE(contents->currentItem()->text(), chapter);
    QTRY_COMPARE(guide->currentChapter(), chapter.section(QLatin1Char('.'), 0, 0).toInt());
    // The pictures are there, not broken.
    auto *browser = guide->findChild<QTextBrowser *>(QStringLiteral("guideBrowser"));
    QVERIFY(browser);
    const QVariant picture = browser->document()->resource(QTextDocument::ImageResource,
                                                           QUrl(QStringLiteral("images/main-window.png")));
    QVERIFY(!picture.value<QImage>().isNull() || !picture.toByteArray().isEmpty());
    guide->close();
}

void tst_MainWindow::onlineHelpMissing()
{
    const QString path = MainWindow::helpUrl().toLocalFile();
    const QString aside = path + QStringLiteral(".aside");
    QVERIFY(QFile::rename(path, aside));
    findAction(m_window.get(), QStringLiteral("Help Contents"))->trigger();
    QVERIFY(QFile::rename(aside, path));
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.constFirst().icon, QMessageBox::Critical);
    QCOMPARE(m_prompts->messages.constFirst().title, QStringLiteral("Error"));
    QCOMPARE(m_prompts->messages.constFirst().text,
             QStringLiteral("Failed to find help file at %1").arg(MainWindow::helpUrl().toString()));
}

void tst_MainWindow::guideSearchAndPdf()
{
    findAction(m_window.get(), QStringLiteral("Help Contents"))->trigger();
    auto *guide = m_window->findChild<GuideWindow *>();
    QVERIFY(guide);
    QTRY_VERIFY(guide->isVisible());
    auto *search = guide->findChild<QLineEdit *>(QStringLiteral("searchEdit"));
    auto *status = guide->findChild<QLabel *>(QStringLiteral("searchStatusLabel"));
    auto *browser = guide->findChild<QTextBrowser *>(QStringLiteral("guideBrowser"));
    QVERIFY(search && status && browser);
    QTest::keyClicks(search, QStringLiteral("Restore Factory"));
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("Restore Factory"));
    QVERIFY(status->text().isEmpty());
    QTest::keyClicks(search, QStringLiteral("xyzzy"));
    QCOMPARE(status->text(), QStringLiteral("Not found"));

    // "Save Guide as PDF...": the printed guide, where the user wants it.
    const QString target = m_dir.filePath(QStringLiteral("guide.pdf"));
    QVERIFY2(guide->savePdf(target), qPrintable(guide->errorString()));
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.read(5), QByteArray("%PDF-"));
    QVERIFY(!guide->savePdf(m_dir.filePath(QStringLiteral("missing/guide.pdf"))));
    QVERIFY(guide->errorString().startsWith(QStringLiteral("Cannot write file ")));
    guide->close();
}

void tst_MainWindow::updateDialogFromHelpMenu()
{
    findAction(m_window.get(), QStringLiteral("Update..."))->trigger();
    auto *dialog = m_window->findChild<UpdateDialog *>();
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Check For Updates"));
    dialog->reject();
}

void tst_MainWindow::splashAndAboutBox()
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
    QCOMPARE(texts.value(3), QStringLiteral("License: GNU General Public License, version 3 or later"));
    QCOMPARE(texts.value(4),
             QStringLiteral("Support: support@halvane-lighting.com, https://www.halvane-lighting.com/"));
    QCOMPARE(about->size(), QSize(480, 300));
    QTest::mouseClick(about, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTRY_VERIFY(!about->isVisible());
}

void tst_MainWindow::closingSavesLayout()
{
    m_window->close();
    QSettings settings;
    QVERIFY(!settings.value(QStringLiteral("msp_window_geometry")).toByteArray().isEmpty());
    QVERIFY(!settings.value(QStringLiteral("msp_window_state")).toByteArray().isEmpty());
}

void tst_MainWindow::colorLibraryReadyAtStartUp()
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
    // As the configured fixture class makes it.
    QCOMPARE(thumbnail.toImage().pixelColor(thumbnail.width() / 2, thumbnail.height() / 2),
             ColorUtils::displayColor(OvrColor::fromRgb8(0, 255, 0), SystemConfiguration::instance()->fixtureClass()));
    library->remove(uid);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
