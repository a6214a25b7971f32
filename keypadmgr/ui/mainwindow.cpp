// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "aboutdialog.h"
#include "appversion.h"
#include "colorthumbnail.h"
#include "guidewindow.h"
#include "keypadlistdock.h"
#include "keypadsnapshot.h"
#include "keypadwindowtitle.h"
#include "mspcontrolpanelwidget.h"
#include "mspscenesettingswidget.h"
#include "startupmarks.h"
#include "statuswidget.h"
#include "systemconfigurationwidget.h"
#include "updatechecker.h"
#include "updatedialog.h"
#include "userprompts.h"

#include "discoverer.h"
#include "mspchooser.h"
#include "mspcomm.h"
#include "msphandler.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "networkprefs.h"
#include "ovrcolorlibrary.h"
#include "ovrdatafiles.h"
#include "systemconfiguration.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSplashScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>
#include <QSet>

Q_LOGGING_CATEGORY(lcUi, "keypad.ui")

namespace {

const char geometryKey[] = "msp_window_geometry";
const char stateKey[] = "msp_window_state";
const char lastDirKey[] = "lastDirPath";
const char defaultConfigurationFile[] = "defaultConfiguration.xml";
// The guide's chapters about the settings tabs.
constexpr int guideChapterNetwork = 3;
constexpr int guideChapterSceneSettings = 6;
constexpr int guideChapterSystemConfiguration = 8;

// The window's view of the connection, kept for the whole process: the
// last state it saw, and whether the connection was lost while connected.
ConnectionState::State lastStateSeen = ConnectionState::NotConnected;
bool connectionLostWhileConnected = false;

// How long a failure or a completion stays in the status bar, ms.
constexpr int statusMessageTime = 6000;
// How long a keypad just chosen may take to answer before the window
// offers the notice again, ms.
constexpr int unansweredGrace = 1500;
// The window's size on the first start, screen permitting, px.
constexpr int firstStartWidth = 1280;
constexpr int firstStartHeight = 860;
// Room left for the window manager's title bar when the window is sized to the screen, px.
constexpr int windowFrameAllowance = 40;
// The widest minimum the window keeps while the settings are docked beside the panel, px.
constexpr int dockedMinimumWidth = 970;
// Edits within this time update the window title once, ms.
constexpr int titleUpdateDelay = 200;
// Reading the keypad back after a failure: at most this often, ms.
constexpr int rereadInterval = 3000;
// How often a keypad asked to restore its factory defaults is asked whether it is away.
constexpr int restoreProbeInterval = 500;
// How long closing waits for a scene kept on the way out to leave, ms.
constexpr int keepOnCloseWait = 3000;
// How long an upload's last answers are waited for before they count as lost.
constexpr int uploadAnswerWait = 10000;

QString fileFilter()
{
    return MainWindow::tr("Configuration Files (*.xml)");
}

// A link to no keypad, for reading a document without applying it.
class DryRunLink final : public MSPCommLink
{
};

// Passes the upload of a configuration file on to the keypad and shows
// how far it got: scene n of 8, then the configuration.
class UploadProgressLink final : public MSPCommLink
{
public:
    UploadProgressLink(MSPCommLink *target, QProgressDialog *dialog)
        : m_target(target)
        , m_dialog(dialog)
    {
    }
    void setPostsSuspended(bool suspended) override { m_target->setPostsSuspended(suspended); }
    bool postsSuspended() const override { return m_target->postsSuspended(); }
    void requestShow(int index, bool trackAsEdit) override
    {
        // The file's current show, asked for again at the end, is no new scene.
        if (m_dialog && !m_scenes.contains(index)) {
            m_scenes.insert(index);
            m_dialog->setLabelText(MainWindow::tr("Uploading scene %1 of %2...")
                                       .arg(m_scenes.size())
                                       .arg(MSPSceneModel::sceneCount));
            m_dialog->setValue(m_scenes.size() - 1);
        }
        m_target->requestShow(index, trackAsEdit);
    }
    void postToDevice(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost,
                      bool apply) override
    {
        if (m_dialog && !path.startsWith(QLatin1String("/api/v1/shows/"))) {
            m_dialog->setLabelText(MainWindow::tr("Uploading the configuration..."));
            m_dialog->setValue(MSPSceneModel::sceneCount);
        }
        m_target->postToDevice(path, body, trackAsEdit, trackAsConfigPost, apply);
    }

private:
    MSPCommLink *const m_target;
    QPointer<QProgressDialog> m_dialog;
    QSet<int> m_scenes;
};

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_prompts(std::make_unique<UserPrompts>())
{
    // The colour library behind the pickers: no project swatches (there are
    // no projects here), fixture channel colours allowed, translucent ones
    // not (the keypad plays colours without opacity).
    OvrColorLibrary *colorLibrary = OvrColorLibrary::Instance();
    colorLibrary->init(false, true, false);
    colorLibrary->setThumbnailGenerator(&ColorThumbnail::generate);
    StartupMarks::mark("color_library");

    // Control panel dock: fixed on the left.
    auto *controlDock = new QDockWidget(tr("Control Panel"), this);
    controlDock->setObjectName(QStringLiteral("ControlPanel"));
    controlDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    controlDock->setAllowedAreas(Qt::LeftDockWidgetArea);
    // The keypad face keeps its size; on a screen too short for it, it
    // scrolls instead of pushing the menus and the status bar off screen.
    auto *controlScroll = new QScrollArea(controlDock);
    controlScroll->setObjectName(QStringLiteral("controlPanelScrollArea"));
    controlScroll->setFrameShape(QFrame::NoFrame);
    controlScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    controlScroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // Built where the scroll area puts it: moving a tree of styled widgets
    // to another parent polishes every one of them again.
    m_controlPanel = new MSPControlPanelWidget(controlScroll->viewport());
    controlScroll->setWidget(m_controlPanel);
    controlScroll->setFixedWidth(m_controlPanel->width());
    controlDock->setWidget(controlScroll);
    m_controlPanel->setPanelEnabled(false);
    addDockWidget(Qt::LeftDockWidgetArea, controlDock);
    StartupMarks::mark("control_panel");

    createActions();
    createMenus();
    StartupMarks::mark("menus");
    createSettingsDock();
    createKeypadList();
    StartupMarks::mark("keypad_list");

    menuBar()->setStyleSheet(QStringLiteral(
        "QMenuBar{border-bottom: 1px solid gray; background-color: #f2f1f1} QMenuBar::item{background: transparent;}"));
    statusBar()->setStyleSheet(QStringLiteral("QStatusBar{border-top: 1px solid gray; background-color: #e3e5e5}"));
    m_statusWidget = new StatusWidget(statusBar());
    statusBar()->addWidget(m_statusWidget);
    StartupMarks::mark("status_bar");

    setWindowTitle(tr("Lumetra Keypad Effect Manager"));

    m_sceneModel = MSPSceneModel::instance();
    MSPComm *comm = MSPComm::instance();
    SystemConfiguration *config = SystemConfiguration::instance();
    Discoverer *discoverer = Discoverer::instance();

    connect(m_controlPanel, &MSPControlPanelWidget::sceneIndexSelected,
            this, &MainWindow::handleControlPanelChangedActiveSceneIndex);
    connect(m_controlPanel, &MSPControlPanelWidget::sceneIndexSelected, comm, &MSPComm::getScene);
    connect(m_controlPanel, &MSPControlPanelWidget::retryDiscoverySelected, this, qOverload<>(&MainWindow::discover));
    connect(comm, &MSPComm::activeSceneIndexChanged, this, &MainWindow::handleDeviceActiveSceneIndexChanged);

    connect(config, &SystemConfiguration::scene1CheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleScene1StateChanged);
    connect(config, &SystemConfiguration::scene2CheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleScene2StateChanged);
    connect(config, &SystemConfiguration::scene3CheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleScene3StateChanged);
    connect(config, &SystemConfiguration::scene4CheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleScene4StateChanged);
    connect(config, &SystemConfiguration::scene5CheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleScene5StateChanged);
    connect(config, &SystemConfiguration::scene6CheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleScene6StateChanged);
    connect(config, &SystemConfiguration::scene7CheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleScene7StateChanged);
    connect(config, &SystemConfiguration::scene8CheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleScene8StateChanged);
    connect(config, &SystemConfiguration::downCheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleDownStateChanged);
    connect(config, &SystemConfiguration::upCheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleUpStateChanged);
    connect(config, &SystemConfiguration::onOffCheckBoxStateChanged, m_controlPanel, &MSPControlPanelWidget::handleOnOffStateChanged);

    connect(comm, &MSPComm::networkError, this, &MainWindow::handleNetworkError);
    connect(comm, &MSPComm::factoryResetFailed, this, [this](const QString &reason) {
        if (m_restoreProgress)
            reportRestoreFailure(reason);
    });
    connect(comm, &MSPComm::keypadRead, this, &MainWindow::confirmRestore);
    // A keypad taking a factory reset restarts; one that lost the request
    // keeps answering. Asked every half second while the restore waits.
    m_restoreProbe = new QTimer(this);
    m_restoreProbe->setInterval(restoreProbeInterval);
    connect(m_restoreProbe, &QTimer::timeout, this, [this] {
        if (!m_restoreProgress || m_keypadWentAway)
            m_restoreProbe->stop();
        else
            MSPComm::instance()->probe();
    });
    connect(comm, &MSPComm::keypadAway, this, [this] {
        if (m_restoreProgress)
            m_keypadWentAway = true;
    });
    connect(ConnectionState::instance(), &ConnectionState::heartBeat, this, &MainWindow::handleKeypadHeartBeat);
    connect(m_sceneModel, &MSPSceneModel::effectParamsChanged, comm, &MSPComm::handleEffectParamsChanged);
    connect(m_sceneModel, &MSPSceneModel::effectChanged, comm, &MSPComm::handleEffectChanged);

    // The title marks a configuration changed since it was saved or opened;
    // a burst of edits is compared once.
    m_titleUpdate = new QTimer(this);
    m_titleUpdate->setSingleShot(true);
    m_titleUpdate->setInterval(titleUpdateDelay);
    connect(m_titleUpdate, &QTimer::timeout, this, &MainWindow::updateWindowTitle);
    const auto scheduleTitleUpdate = [this] {
        if (!m_configurationFile.isEmpty())
            m_titleUpdate->start();
    };
    connect(m_sceneModel, &MSPSceneModel::effectParamsChanged, this, scheduleTitleUpdate);
    connect(m_sceneModel, &MSPSceneModel::effectChanged, this, scheduleTitleUpdate);
    connect(config, &SystemConfiguration::configurationChanged, this, scheduleTitleUpdate);

    discoverer->setNetworkPrefs(m_networkPrefs);
    connect(discoverer, &Discoverer::reachedDiscoverTimeLimit, this, &MainWindow::handleDiscovererTimeLimit);
    connect(discoverer, &Discoverer::discovering, config, &SystemConfiguration::handleDiscovering);

    connect(ConnectionState::instance(), &ConnectionState::stateChanged, this, &MainWindow::handleConnectionState);

    // A scene changed in a demo exists nowhere else until it is saved to a
    // file. (The system configuration tab knows its own unsaved fields.)
    // Shows applied from a file or from a late keypad reply (posts are
    // suspended meanwhile) are no change of the user's.
    const auto noteDemoChange = [this] {
        if (!m_loading && !MSPComm::instance()->postsSuspended()
            && ConnectionState::instance()->state() == ConnectionState::DemoMode)
            m_demoChanged = true;
    };
    connect(m_sceneModel, &MSPSceneModel::effectParamsChanged, this, noteDemoChange);
    connect(m_sceneModel, &MSPSceneModel::effectChanged, this, noteDemoChange);

    m_startupDiscovery = new QTimer(this);
    m_startupDiscovery->setSingleShot(true);
    m_startupDiscovery->setInterval(startupDiscoveryDelay);
    connect(m_startupDiscovery, &QTimer::timeout, this, qOverload<>(&MainWindow::discover));
    m_startupDiscovery->start();
    StartupMarks::mark("connections");

    QSettings settings;
    if (settings.contains(QLatin1String(geometryKey))) {
        restoreGeometry(settings.value(QLatin1String(geometryKey)).toByteArray());
    } else if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // First start: room for a colour picker page beside the keypad, and
        // the height the picker needs, as far as the screen allows.
        const QSize available = screen->availableGeometry().size() - QSize(0, windowFrameAllowance);
        resize(qMin(firstStartWidth, available.width()), qMin(firstStartHeight, available.height()));
    }
    restoreState(settings.value(QLatin1String(stateKey)).toByteArray(), 0);
    m_settingsDock->setFloating(false);
    m_settingsDock->show();
    StartupMarks::mark("layout_restored");

    setUpUpdateChecker();
    StartupMarks::mark("update_checker");
}

MainWindow::~MainWindow()
{
    // The docks report their visibility while the window's children are
    // torn down; this window no longer exists as one by then.
    disconnect(m_settingsDock, nullptr, this, nullptr);

    // Leave the keypad showing its kept scene, not an unsaved preview.
    MSPComm *comm = MSPComm::instance();
    if (comm && m_sceneModel) {
        if (!m_keptOnClose)
            comm->revertScene(m_sceneModel->sceneAt(m_sceneModel->activeSceneIndex()));
        MSPComm::waitProcessingEvents(100);
    }
}

void MainWindow::createActions()
{
    m_loadAction = new QAction(tr("L&oad Configuration File..."), this);
    m_loadAction->setShortcuts(QKeySequence::Open);
    m_loadAction->setStatusTip(tr("Load Configuration onto Lumetra Keypad"));
    m_loadAction->setEnabled(false);
    connect(m_loadAction, &QAction::triggered, this, &MainWindow::open);

    m_saveAction = new QAction(tr("&Save Configuration File..."), this);
    m_saveAction->setShortcuts(QKeySequence::Save);
    m_saveAction->setStatusTip(tr("Save Lumetra Keypad Configuration"));
    m_saveAction->setEnabled(false);
    connect(m_saveAction, &QAction::triggered, this, &MainWindow::save);

    m_exitAction = new QAction(tr("E&xit"), this);
    m_exitAction->setShortcuts(QKeySequence::Quit);
    m_exitAction->setStatusTip(tr("Quit the application"));
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

    m_cutAction = new QAction(tr("Cut"), this);
    connect(m_cutAction, &QAction::triggered, this, &MainWindow::cut);
    m_copyAction = new QAction(tr("Copy"), this);
    connect(m_copyAction, &QAction::triggered, this, &MainWindow::copy);
    m_pasteAction = new QAction(tr("Paste"), this);
    connect(m_pasteAction, &QAction::triggered, this, &MainWindow::paste);
    m_deleteAction = new QAction(tr("Delete"), this);
    connect(m_deleteAction, &QAction::triggered, this, &MainWindow::deleteSlot);
    m_selectAllAction = new QAction(tr("Select All"), this);
    connect(m_selectAllAction, &QAction::triggered, this, &MainWindow::select);

    m_discoverAction = new QAction(tr("Discover Device"), this);
    m_discoverAction->setStatusTip(tr("Discover Lumetra Keypad devices"));
    connect(m_discoverAction, &QAction::triggered, this, qOverload<>(&MainWindow::discover));

    m_restoreAction = new QAction(tr("Restore Factory Default Settings"), this);
    m_restoreAction->setStatusTip(tr("Restore Lumetra Keypad to its factory default settings"));
    connect(m_restoreAction, &QAction::triggered, this, &MainWindow::handleRestore);

    m_helpAction = new QAction(tr("Help Contents"), this);
    m_helpAction->setShortcut(QKeySequence(tr("F1")));
    connect(m_helpAction, &QAction::triggered, this, &MainWindow::showOnlineHelp);

    m_updateAction = new QAction(tr("Update..."), this);
    connect(m_updateAction, &QAction::triggered, this, &MainWindow::showUpdater);

    m_aboutAction = new QAction(tr("&About"), this);
    m_aboutAction->setStatusTip(tr("Show the application's About box"));
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::about);
}

void MainWindow::createMenus()
{
    m_fileMenu = menuBar()->addMenu(tr("&File"));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_loadAction);
    m_fileMenu->addAction(m_saveAction);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_exitAction);

    m_editMenu = menuBar()->addMenu(tr("&Edit"));
    m_editMenu->addAction(m_cutAction);
    m_editMenu->addAction(m_copyAction);
    m_editMenu->addAction(m_pasteAction);
    m_editMenu->addAction(m_deleteAction);
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_selectAllAction);

    m_deviceMenu = menuBar()->addMenu(tr("&Device"));
    m_deviceMenu->addAction(m_discoverAction);
    m_deviceMenu->addAction(m_restoreAction);

    m_viewMenu = menuBar()->addMenu(tr("&View"));

    menuBar()->addSeparator();

    m_helpMenu = menuBar()->addMenu(tr("&Help"));
    m_helpMenu->addAction(m_helpAction);
    m_helpMenu->addSeparator();
    m_helpMenu->addAction(m_updateAction);
    m_helpMenu->addSeparator();
    m_helpMenu->addAction(m_aboutAction);
}

void MainWindow::createSettingsDock()
{
    m_settingsDock = new QDockWidget(tr("Settings"), this);
    m_settingsDock->setObjectName(QStringLiteral("Settings"));
    m_settingsDock->setAcceptDrops(true);
    m_settingsDock->setAllowedAreas(Qt::RightDockWidgetArea);

    m_settingsTabs = new QTabWidget(m_settingsDock);
    // Its first editor, with a colour picker the most costly part of the
    // window, comes just after the window's first picture, while the splash
    // screen still covers the window.
    m_sceneSettings = new MSPSceneSettingsWidget(m_settingsTabs, MSPSceneSettingsWidget::FirstEditor::Later);
    StartupMarks::mark("scene_settings");
    m_systemConfiguration = new SystemConfigurationWidget(m_settingsTabs);
    StartupMarks::mark("system_config");
    MSPComm *comm = MSPComm::instance();
    StartupMarks::mark("comm");
    QNetworkConfigurationManager *manager = comm->configurationManager();
    StartupMarks::mark("net_config_mgr");
    m_networkPrefs = new NetworkPrefs(manager, m_settingsTabs, true);
    StartupMarks::mark("network_prefs");
    m_settingsTabs->addTab(m_sceneSettings, tr("Scene Settings"));
    m_settingsTabs->addTab(m_systemConfiguration, tr("System Configuration"));
    m_settingsTabs->addTab(m_networkPrefs, tr("Network"));
    m_settingsDock->setWidget(m_settingsTabs);

    connect(m_networkPrefs, &NetworkPrefs::interfaceChosen, this, &MainWindow::handleHostAddressChanged);
    comm->setNetworkPrefs(m_networkPrefs);
    m_networkPrefs->applyChoice();
    StartupMarks::mark("network_applied");

    connect(m_systemConfiguration, &SystemConfigurationWidget::addressChanged, this, &MainWindow::handleAddressChanged);
    connect(m_settingsDock, &QDockWidget::topLevelChanged, this, &MainWindow::handleSettingsLocationChanged);
    connect(m_settingsDock, &QDockWidget::visibilityChanged, this, &MainWindow::handleSettingsLocationChanged);
    addDockWidget(Qt::RightDockWidgetArea, m_settingsDock);

    QAction *toggle = m_settingsDock->toggleViewAction();
    toggle->setMenuRole(QAction::NoRole);
    m_viewMenu->addAction(toggle);
}

void MainWindow::setUpUpdateChecker()
{
    // Started once the window is on screen (its name lookup can take a
    // while), so that a start in demo mode, which sends nothing to any
    // network, can cancel it first. The dialog is built when first opened.
    m_startupUpdateCheck = new QTimer(this);
    m_startupUpdateCheck->setSingleShot(true);
    m_startupUpdateCheck->setInterval(0);
    connect(m_startupUpdateCheck, &QTimer::timeout, this, [this] {
        if (!m_updateChecker)
            m_updateChecker = UpdateChecker::startSilentCheck(m_updateDialog, this);
    });
    m_updateCheckAfterFirstPaint = true;
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    if (m_firstPaintSeen)
        return;
    m_firstPaintSeen = true;
    // What the first picture does not need waits until it is on screen.
    QTimer::singleShot(0, m_sceneSettings, &MSPSceneSettingsWidget::buildShownEditor);
    if (m_updateCheckAfterFirstPaint)
        m_startupUpdateCheck->start();
}

void MainWindow::setSplash(QSplashScreen *splash)
{
    m_splash = splash;
    QTimer::singleShot(1000, this, &MainWindow::killSplash);
}

void MainWindow::startInDemoMode()
{
    m_startupDiscovery->stop();
    m_updateCheckAfterFirstPaint = false;
    m_startupUpdateCheck->stop();
    m_sceneModel->prepareOfflineDefaults();
    ConnectionState::instance()->setState(ConnectionState::DemoMode);
}

void MainWindow::killSplash()
{
    if (m_splash) {
        m_splash->finish(this);
        m_splash = nullptr;
    }
}

void MainWindow::discover(int timeOut)
{
    ConnectionState::instance()->setState(ConnectionState::Discovering);
    Discoverer *discoverer = Discoverer::instance();
    // A run started while another is still waiting (Retry or the menu within
    // the first second) replaces it; the older run's repeating time limit
    // would otherwise fire forever, and every expiry would connect again.
    if (m_discoveryTimerId)
        discoverer->killTimer(m_discoveryTimerId);
    m_discoveryTimerId = discoverer->discover(timeOut);
    m_discoveryCursor.emplace();
}

void MainWindow::discover()
{
    // Another keypad, or the same one read again, replaces what is on screen.
    const ConnectionState::State status = ConnectionState::instance()->state();
    if ((status == ConnectionState::Connected || status == ConnectionState::DemoMode) && !settleUnsavedChanges())
        return;
    discover(discoveryTimeLimit);
}

void MainWindow::handleDiscovererTimeLimit()
{
    m_discoveryCursor.reset();
    Discoverer *discoverer = Discoverer::instance();
    if (m_discoveryTimerId) {
        discoverer->killTimer(m_discoveryTimerId);
        m_discoveryTimerId = 0;
    }

    // Copy: the list may change while the chooser's event loop runs.
    const QList<DiscoveredKeypad> keypads = discoverer->keypads();
    int chosen = -1;
    if (keypads.size() == 1) {
        chosen = 0;
    } else if (keypads.size() >= 2) {
        QStringList lines;
        for (const DiscoveredKeypad &keypad : keypads)
            lines << keypad.name + QLatin1String(" (") + keypad.address + QLatin1Char(')');
        MSPChooser chooser(lines, this);
        if (chooser.exec() == QDialog::Accepted)
            chosen = chooser.selectedIndex();
    }

    if (chosen >= 0 && chosen < keypads.size()) {
        takeKeypad(keypads.at(chosen).address, keypads.at(chosen).mac);
        return;
    }

    // No keypad: eight offline scenes to edit in demo mode.
    m_sceneModel->prepareOfflineDefaults();
    ConnectionState::instance()->setState(ConnectionState::NoDevice);
}

void MainWindow::takeKeypad(const QString &address, const QByteArray &mac)
{
    MSPComm *comm = MSPComm::instance();
    SystemConfiguration::instance()->setIpAddress(address);
    comm->setDevice(address, mac);
    comm->requestConfig();
    if (!comm->isAddressReachable(address))
        ConnectionState::instance()->setState(ConnectionState::Unreachable);
    comm->requestAllShows();
}

void MainWindow::connectToKeypad(const KeypadInfo &keypad, bool routed)
{
    MSPComm *comm = MSPComm::instance();
    ConnectionState *state = ConnectionState::instance();
    if (comm->address() == keypad.address && state->state() == ConnectionState::Connected)
        return;
    // Saved or discarded on the old keypad, before the new one is read.
    if (!settleUnsavedChanges())
        return;
    if (m_discoveryTimerId) {
        Discoverer::instance()->killTimer(m_discoveryTimerId);
        m_discoveryTimerId = 0;
        m_discoveryCursor.reset();
    }
    if (routed)
        comm->addRoutedAddress(keypad.address);
    // A restore still waiting for the old keypad would be judged on the
    // new one's answers: it is left unconfirmed, and the user is told.
    if (m_restoreProgress) {
        delete m_restoreProgress;
        m_restoreProbe->stop();
        m_restoreReadPending = false;
        statusBar()->showMessage(tr("The keypad at %1 was left before it confirmed restoring its factory defaults.")
                                     .arg(comm->address()),
                                 statusMessageTime);
    }
    // Demo mode ignores the keypad's answers; a chosen keypad ends it.
    state->setState(ConnectionState::Discovering);
    takeKeypad(keypad.address, keypad.mac);
}

void MainWindow::createKeypadList()
{
    m_keypadList = new KeypadListDock(m_networkPrefs, this);
    // Hidden before it floats: a floating dock that is not hidden shows
    // itself at once, and showing the list looks for keypads.
    m_keypadList->hide();
    m_keypadList->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::RightDockWidgetArea, m_keypadList);
    // Beside the window at first: the window's height is the control panel's.
    m_keypadList->setFloating(true);
    m_keypadList->resize(980, 280);
    connect(m_keypadList, &KeypadListDock::keypadChosen, this, &MainWindow::connectToKeypad);
    connect(Discoverer::instance(), &Discoverer::reachedDiscoverTimeLimit, m_keypadList,
            &KeypadListDock::handleDiscoveryFinished);

    auto *open = new QAction(tr("Keypads..."), this);
    open->setStatusTip(tr("List every keypad found, also across subnets"));
    connect(open, &QAction::triggered, this, [this] {
        // Opened for the first time (not placed by a saved layout): below
        // the window, where it covers nothing.
        if (m_keypadList->isFloating() && m_keypadList->pos() == QPoint(0, 0)) {
            const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                                  : QRect();
            QPoint at = frameGeometry().bottomLeft() + QPoint(0, 8);
            if (screen.isValid() && at.y() + m_keypadList->height() > screen.bottom())
                at.setY(qMax(screen.top(), screen.bottom() - m_keypadList->height()));
            m_keypadList->move(at);
        }
        m_keypadList->show();
        m_keypadList->raise();
        m_keypadList->activateWindow();
    });
    m_deviceMenu->addAction(open);
    QAction *toggle = m_keypadList->toggleViewAction();
    toggle->setMenuRole(QAction::NoRole);
    m_viewMenu->addAction(toggle);
    connect(new KeypadWindowTitle(this), &KeypadWindowTitle::changed, this, &MainWindow::updateWindowTitle);
    updateWindowTitle();
}

void MainWindow::handleSettingsLocationChanged(bool topLevel)
{
    Q_UNUSED(topLevel)
    if (m_settingsDock->isVisible() && !m_settingsDock->isFloating() && m_settingsDock->width() != 0) {
        // Never wider than the screen: a window larger than it has its
        // buttons and status bar out of reach.
        int minimum = dockedMinimumWidth;
        if (const QScreen *screen = this->screen())
            minimum = qMin(minimum, screen->availableGeometry().width());
        setMinimumWidth(minimum);
        setMaximumWidth(QWIDGETSIZE_MAX);
        if (m_rememberedWidth > 0)
            resize(m_rememberedWidth, m_rememberedHeight);
    } else {
        setFixedWidth(m_controlPanel->width());
    }
    m_controlPanel->repaint();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // Collapsing to the control panel remembers the full size, so docking
    // the settings again restores it. A resize that was already collapsed
    // must not overwrite that memory with the panel's own width.
    const int panelWidth = m_controlPanel ? m_controlPanel->width() : -1;
    if (event->size().width() == panelWidth && event->oldSize().width() != panelWidth
        && event->oldSize().isValid()) {
        m_rememberedWidth = event->oldSize().width();
        m_rememberedHeight = event->oldSize().height();
    }
}

void MainWindow::setStatusBar(QString message)
{
    statusBar()->showMessage(message);
}

void MainWindow::handleControlPanelChangedActiveSceneIndex(int index)
{
    // The editor shows the chosen scene at once, not when the keypad
    // answers: an edit made meanwhile belongs to it, not (as a preview that
    // makes the keypad play it again) to the scene left.
    m_sceneModel->setActiveSceneIndex(index, false);
    m_sceneSettings->activeSceneChanged(index);
}

void MainWindow::handleDeviceActiveSceneIndexChanged(int index)
{
    m_keypadSceneIndex = index;
    m_sceneModel->setActiveSceneIndex(index, false);
    m_controlPanel->selectScene(index);
    m_sceneSettings->activeSceneChanged(index);
}

void MainWindow::handleNetworkError()
{
    // The screen now shows something the keypad did not do. Say so, and
    // read the keypad back once it answers again. A read that fails is no
    // change of the user's and is not reported again.
    MSPComm *comm = MSPComm::instance();
    if (comm->lastFailureWasChange()) {
        // A scene chosen on screen that the keypad did not play: back to
        // the one it last reported playing.
        if (m_keypadSceneIndex >= 0 && m_sceneModel->activeSceneIndex() != m_keypadSceneIndex
            && ConnectionState::instance()->state() == ConnectionState::Connected) {
            m_sceneModel->setActiveSceneIndex(m_keypadSceneIndex, false);
            m_controlPanel->selectScene(m_keypadSceneIndex);
            m_sceneSettings->activeSceneChanged(m_keypadSceneIndex);
        }
        const QString reason = comm->lastErrorString();
        statusBar()->showMessage(tr("The keypad did not accept the last change.")
                                     + (reason.isEmpty() ? QString() : QLatin1Char(' ') + reason),
                                 statusMessageTime);
    }
    m_rereadPending = true;
}

void MainWindow::handleKeypadHeartBeat(bool reachable)
{
    // Only while connected: every way back to Connected reads the keypad
    // anyway (handleConnectionState).
    if (!reachable || !m_rereadPending || ConnectionState::instance()->state() != ConnectionState::Connected)
        return;
    if (m_lastReread.isValid() && m_lastReread.elapsed() < rereadInterval)
        return;
    rereadKeypad();
}

void MainWindow::rereadKeypad()
{
    m_rereadPending = false;
    m_lastReread.start();
    MSPComm::instance()->requestConfig();
    MSPComm::instance()->requestAllShows();
    m_restoreReadPending = bool(m_restoreProgress);
}

void MainWindow::confirmRestore(bool readOk)
{
    if (!m_restoreReadPending)
        return;
    m_restoreReadPending = false;
    if (!readOk) {
        // Still restarting: read it again at its next sign of life.
        m_rereadPending = true;
        return;
    }
    // A keypad that dropped the request without restarting looks, at
    // first, just like one that restarts; but it was never away, and it
    // kept its settings.
    m_restoreProbe->stop();
    if (!m_keypadWentAway && sameSettingsAsBeforeReset()) {
        reportRestoreFailure(tr("it answered with the same settings as before. A keypad that had its factory "
                                "defaults already has nothing to restore."));
        return;
    }
    delete m_restoreProgress;
    statusBar()->showMessage(tr("The keypad's factory defaults were restored."), statusMessageTime);
}

QStringList MainWindow::keypadSettings() const
{
    QStringList parts;
    for (int i = 0; i < MSPSceneModel::sceneCount; ++i)
        parts << m_sceneModel->sceneAt(i)->formData();
    parts << SystemConfiguration::instance()->formBodies(false, true);
    return parts;
}

bool MainWindow::sameSettingsAsBeforeReset() const
{
    const QStringList now = keypadSettings();
    if (now.size() != m_settingsBeforeReset.size())
        return false;
    MSPComm *comm = MSPComm::instance();
    const QSet<int> changed = comm->scenesChangedSince(m_sceneChangesBeforeReset);
    for (int i = 0; i < now.size(); ++i) {
        const bool scene = i < MSPSceneModel::sceneCount;
        if (scene && (m_scenesNotCompared.contains(i) || changed.contains(i) || comm->hasUnsavedEdit(i)))
            continue;
        if (now.at(i) != m_settingsBeforeReset.at(i))
            return false;
    }
    return true;
}

QProgressDialog *MainWindow::createProgressDialog(const QString &label, int maximum)
{
    // No cancel button: a scene is uploaded whole, and the upload paces itself.
    auto *dialog = new QProgressDialog(label, QString(), 0, maximum, this);
    dialog->setWindowTitle(tr("Lumetra Keypad Effect Manager"));
    // Wide enough for its title in the window manager's frame.
    dialog->setMinimumWidth(dialog->fontMetrics().averageCharWidth() * 48);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setValue(0);
    dialog->show();
    return dialog;
}

void MainWindow::about()
{
    if (!m_aboutDialog)
        m_aboutDialog = new AboutDialog(this);
    m_aboutDialog->show();
    m_aboutDialog->activateWindow();
}

void MainWindow::sendKey(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return;
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers));
}

void MainWindow::cut() { sendKey(Qt::Key_X, Qt::ControlModifier); }
void MainWindow::copy() { sendKey(Qt::Key_C, Qt::ControlModifier); }
void MainWindow::paste() { sendKey(Qt::Key_V, Qt::ControlModifier); }
void MainWindow::deleteSlot() { sendKey(Qt::Key_Delete, Qt::NoModifier); }
void MainWindow::select() { sendKey(Qt::Key_A, Qt::ControlModifier); }

void MainWindow::handleAddressChanged()
{
    if (m_closing)
        return;
    // The keypad is restarting on its new address: a planned silence, not a
    // failure. Say where it goes and how long the window waits for it.
    const QString address = SystemConfiguration::instance()->ipAddress();
    ConnectionState::instance()->setState(ConnectionState::Moving);
    QElapsedTimer waited;
    waited.start();
    const auto showTimeLeft = [this, address, &waited] {
        const qint64 left = qMax<qint64>(0, m_addressChangeWait - waited.elapsed());
        m_statusWidget->showMove(address, int((left + 999) / 1000));
    };
    showTimeLeft();
    QTimer countdown;
    countdown.setInterval(250);
    connect(&countdown, &QTimer::timeout, this, showTimeLeft);
    countdown.start();
    {
        const OvrBusyCursor busy;
        MSPComm::waitProcessingEvents(m_addressChangeWait);
    }
    countdown.stop();
    discover(discoveryTimeLimit);
}

void MainWindow::handleConnectionState(ConnectionState::State status)
{
    const ConnectionState::State previous = lastStateSeen;
    // A keypad that was chosen but out of reach (not answering, refused,
    // outside the subnet) may have changed meanwhile: every way back to
    // Connected reads it again.
    const bool keypadChosen = !MSPComm::instance()->address().isEmpty();
    const bool backOnline = status == ConnectionState::Connected
        && (previous == ConnectionState::DemoMode || previous == ConnectionState::Restoring
            || (previous == ConnectionState::ConnectionLost && connectionLostWhileConnected)
            || (keypadChosen
                && (previous == ConnectionState::NotConnected || previous == ConnectionState::NoDevice
                    || previous == ConnectionState::Unreachable)));
    if (backOnline) {
        connectionLostWhileConnected = false;
        // The factory reset's own reply brings Connected while the keypad
        // is still restarting; its first answers after rereadInterval read it.
        if (previous == ConnectionState::Restoring)
            m_rereadPending = true;
        else
            rereadKeypad();
    } else {
        connectionLostWhileConnected = status == ConnectionState::ConnectionLost;
    }
    lastStateSeen = status;

    // A discovery run chose a keypad that then did not answer: offer the
    // notice's ways out (demo mode, retry) again, as when none is found.
    // A keypad that is only slow answers within the grace period.
    if (status == ConnectionState::NotConnected && previous == ConnectionState::Discovering && keypadChosen
        && !m_discoveryTimerId) {
        QTimer::singleShot(unansweredGrace, this, [] {
            ConnectionState *state = ConnectionState::instance();
            if (state->state() == ConnectionState::NotConnected)
                state->setState(ConnectionState::NoDevice);
        });
    }

    const bool connected = status == ConnectionState::Connected;
    const bool demo = status == ConnectionState::DemoMode;
    const bool unreachable = status == ConnectionState::Unreachable;
    m_sceneSettings->setEnabled(connected || unreachable || demo);
    m_systemConfiguration->setEnabled(connected || unreachable || demo);
    m_sceneSettings->setEnabled(connected || demo);

    m_loadAction->setEnabled(connected || demo);
    m_saveAction->setEnabled(connected || demo);
    m_restoreAction->setEnabled(connected);

    // Demo mode edits the model's active scene: its button is the lit one.
    if (demo)
        m_controlPanel->selectScene(m_sceneModel->activeSceneIndex());

    m_systemConfiguration->setAddressOnly(unreachable);
    if (unreachable && m_settingsTabs->currentIndex() == 0)
        m_settingsTabs->setCurrentWidget(m_systemConfiguration);
    // A demo starts from what is on screen; only the user's changes count.
    if (demo && previous != ConnectionState::DemoMode)
        m_demoChanged = false;

    repaint();
}

QUrl MainWindow::helpUrl()
{
    return QUrl::fromLocalFile(GuideWindow::guidePath());
}

void MainWindow::showOnlineHelp()
{
    // The guide inside the program: no PDF viewer needed.
    if (!m_guide)
        m_guide = new GuideWindow(this);
    // Read again when it went missing meanwhile (a broken installation).
    if (!m_guideLoaded || !QFileInfo::exists(GuideWindow::guidePath()))
        m_guideLoaded = m_guide->load();
    if (!m_guideLoaded) {
        m_prompts->message(QMessageBox::Critical, QApplication::activeWindow(), tr("Error"),
                           tr("Failed to find help file at %1").arg(helpUrl().toString()), QMessageBox::Ok);
        return;
    }
    // At the chapter of the tab in use.
    const QWidget *tab = m_settingsTabs->currentWidget();
    int chapter = guideChapterSceneSettings;
    if (tab == m_systemConfiguration)
        chapter = guideChapterSystemConfiguration;
    else if (tab == m_networkPrefs)
        chapter = guideChapterNetwork;
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
    m_guide->showChapter(chapter);
}

void MainWindow::showUpdater()
{
    if (!m_updateDialog) {
        m_updateDialog = new UpdateDialog(this);
        if (m_updateChecker)
            m_updateChecker->followInDialog(m_updateDialog);
    }
    m_updateDialog->showUpdater();
}

void MainWindow::handleHostAddressChanged(QNetworkAddressEntry hostAddressEntry, QString name)
{
    Q_UNUSED(name)
    m_hostAddressEntry = hostAddressEntry;
}

bool MainWindow::hasUnsavedChanges() const
{
    if (ConnectionState::instance()->state() == ConnectionState::DemoMode)
        return m_demoChanged || m_systemConfiguration->hasUnsavedChanges();
    return m_sceneSettings->hasUnsavedChanges() || !otherUnsavedScenes().isEmpty()
        || m_systemConfiguration->hasUnsavedChanges();
}

QList<int> MainWindow::otherUnsavedScenes() const
{
    // A Save on its way is no longer the user's to settle.
    MSPComm *comm = MSPComm::instance();
    QList<int> scenes;
    for (int i = 0; i < MSPSceneModel::sceneCount; ++i) {
        if (i != m_sceneModel->activeSceneIndex() && comm->hasUnsavedEdit(i)
            && comm->editState(i) != MSPComm::EditState::Saving)
            scenes << i;
    }
    return scenes;
}

bool MainWindow::settleUnsavedChanges()
{
    if (!hasUnsavedChanges())
        return true;
    const ConnectionState::State status = ConnectionState::instance()->state();
    const QString title = tr("Unsaved Changes");
    if (status == ConnectionState::DemoMode) {
        const auto answer = m_prompts->message(
            QMessageBox::Question, QApplication::activeWindow(), title,
            tr("The demo configuration has changes that are not saved in a file.\n\nSave them to a file first?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !save()))
            return false;
        if (answer == QMessageBox::Discard && m_systemConfiguration->hasUnsavedChanges())
            m_systemConfiguration->on_revertButton_clicked();
        m_demoChanged = false;
        return true;
    }

    const bool scene = m_sceneSettings->hasUnsavedChanges();
    const QList<int> others = otherUnsavedScenes();
    const bool settings = m_systemConfiguration->hasUnsavedChanges();
    QList<int> scenes = others;
    if (scene)
        scenes << m_sceneModel->activeSceneIndex();
    std::sort(scenes.begin(), scenes.end());
    QStringList numbers;
    for (const int index : qAsConst(scenes))
        numbers << QString::number(index + 1);
    QStringList what;
    if (numbers.size() == 1)
        what << tr("scene %1").arg(numbers.constFirst());
    else if (numbers.size() > 1)
        what << tr("scenes %1").arg(numbers.join(QLatin1String(", ")));
    if (settings)
        what << tr("the system configuration");
    const bool connected = status == ConnectionState::Connected;
    const auto answer = connected
        ? m_prompts->message(QMessageBox::Question, QApplication::activeWindow(), title,
                             tr("The keypad has not kept these changes: %1.\n\nSave them on the keypad first?")
                                 .arg(what.join(tr(" and "))),
                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)
        : m_prompts->message(QMessageBox::Warning, QApplication::activeWindow(), title,
                             tr("These changes did not reach the keypad, which cannot be reached now: %1.\n\n"
                                "Discard them?")
                                 .arg(what.join(tr(" and "))),
                             QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Save) {
        if (settings && !m_systemConfiguration->canSave()) {
            m_settingsTabs->setCurrentWidget(m_systemConfiguration);
            m_prompts->message(QMessageBox::Warning, QApplication::activeWindow(), title,
                               tr("The system configuration cannot be saved as it is; the warning in its tab says "
                                  "why. Correct it or undo it first."),
                               QMessageBox::Ok);
            return false;
        }
        if (settings)
            m_systemConfiguration->on_applyButton_clicked();
        if (scene)
            keepSceneOnKeypad();
        if (!others.isEmpty())
            keepOtherScenesOnKeypad(others);
        return true;
    }
    if (settings)
        m_systemConfiguration->on_revertButton_clicked();
    if (scene) {
        // Discarded is gone here at once, unlike an Undo, which waits for
        // the keypad's answer: what comes next (another keypad, a file, the
        // end of the program) must not find the edit still marked.
        m_sceneSettings->on_revertButton_clicked();
        MSPComm::instance()->forgetEdit(m_sceneModel->activeSceneIndex());
    }
    if (!others.isEmpty()) {
        // The keypad left those scenes and with them their previews; here
        // they are read back as the keypad keeps them.
        MSPComm *comm = MSPComm::instance();
        for (const int index : others)
            comm->forgetEdit(index);
        if (!m_closing)
            comm->requestAllShows();
    }
    return true;
}

void MainWindow::waitForSaves()
{
    QElapsedTimer waited;
    waited.start();
    while (MSPComm::instance()->isSaving() && waited.elapsed() < keepOnCloseWait)
        MSPComm::waitProcessingEvents(20);
}

void MainWindow::keepOtherScenesOnKeypad(const QList<int> &scenes)
{
    // Saving another scene makes the keypad play it, which ends the shown
    // scene's preview: that one's Save must have been answered first.
    MSPComm *comm = MSPComm::instance();
    waitForSaves();
    for (const int index : scenes)
        comm->keepEdit(index);
    waitForSaves();
    // Back to the scene the screen shows.
    comm->getScene(m_sceneModel->activeSceneIndex());
    if (m_closing)
        MSPComm::waitProcessingEvents(100);
}

void MainWindow::keepSceneOnKeypad()
{
    // The keep waits for the scene's last edit to be answered; when the
    // window is closing, the process must not end before the keypad has
    // answered it (or failed to).
    MSPComm *comm = MSPComm::instance();
    bool sent = false;
    bool answered = false;
    const QMetaObject::Connection watchSent = connect(
        comm, &MSPComm::requestSent, this, [&sent](const QString &, const QString &, const QByteArray &body) {
            if (body.contains("apply=1"))
                sent = true;
        });
    const auto noteAnswer = [&sent, &answered] { answered = sent; };
    const QMetaObject::Connection watchAnswer = connect(comm, &MSPComm::heartBeat, this, noteAnswer);
    const QMetaObject::Connection watchError = connect(comm, &MSPComm::networkError, this, noteAnswer);
    m_sceneSettings->on_applyButton_clicked();
    if (m_closing) {
        m_keptOnClose = true;
        QElapsedTimer waited;
        waited.start();
        while (!answered && waited.elapsed() < keepOnCloseWait)
            MSPComm::waitProcessingEvents(20);
    }
    disconnect(watchSent);
    disconnect(watchAnswer);
    disconnect(watchError);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    {
        const QScopedValueRollback<bool> closing(m_closing, true);
        if (!settleUnsavedChanges()) {
            event->ignore();
            return;
        }
    }
    QSettings settings;
    settings.setValue(QLatin1String(geometryKey), saveGeometry());
    settings.setValue(QLatin1String(stateKey), saveState(0));
    QMainWindow::closeEvent(event);
}

QString MainWindow::lastDirPath()
{
    return QSettings().value(QLatin1String(lastDirKey), QDir::homePath()).toString();
}

void MainWindow::setUserPrompts(std::unique_ptr<UserPrompts> prompts)
{
    if (prompts)
        m_prompts = std::move(prompts);
}

void MainWindow::setLastDirPath(const QString &file)
{
    QSettings().setValue(QLatin1String(lastDirKey), QFileInfo(file).absolutePath());
}

bool MainWindow::loadConfiguration(QIODevice *device)
{
    m_loadError.clear();
    m_loadNotices.clear();
    if (!device)
        return false;
    const OvrBusyCursor busy;
    QByteArray document = device->readAll();

    // The whole document is read first, onto scratch copies of the scenes
    // and the record: a file that breaks off must change nothing, neither
    // here nor on the keypad.
    {
        MSPSceneModel scratchScenes;
        SystemConfiguration scratchRecord;
        DryRunLink noKeypad;
        MSPHandler check(false, &scratchScenes, &scratchRecord, &noKeypad);
        QBuffer buffer(&document);
        buffer.open(QIODevice::ReadOnly);
        MSPHandler::ParseError where;
        if (!check.read(&buffer, &where)) {
            m_loadError = !where.isSet()
                ? tr("not a configuration")
                : tr("line %1, column %2: %3")
                      .arg(where.line)
                      .arg(where.column)
                      .arg(where.message.isEmpty() ? tr("not a configuration") : where.message);
            return false;
        }
        // A scene that cannot be taken as written refuses the whole file:
        // half a configuration on the keypad is no configuration.
        if (!check.refusals().isEmpty()) {
            m_loadError = check.refusals().join(QLatin1Char('\n'));
            return false;
        }
        m_loadNotices = check.notices();
    }
    // The file replaces every scene: an edit made before it is no longer
    // anything to send again.
    MSPComm::instance()->forgetEdits();

    const bool online = ConnectionState::instance()->state() == ConnectionState::Connected;
    QPointer<QProgressDialog> progress;
    if (online)
        progress = createProgressDialog(tr("Uploading scene %1 of %2...").arg(1).arg(MSPSceneModel::sceneCount),
                                        MSPSceneModel::sceneCount + 1);
    UploadProgressLink link(MSPCommLink::instance(), progress);
    MSPHandler handler(online, nullptr, nullptr, &link);
    QBuffer buffer(&document);
    buffer.open(QIODevice::ReadOnly);
    MSPComm *comm = MSPComm::instance();
    comm->setFileLoading(true);
    m_loading = true;
    const bool ok = handler.read(&buffer);
    m_loading = false;
    comm->setFileLoading(false);
    // What is on screen now is the document's.
    m_demoChanged = false;
    delete progress;
    // The keypad plays the file's current show now; the screen shows the
    // scene the keypad reports, not the one it showed before.
    if (online)
        comm->requestAllShows();
    return ok;
}

void MainWindow::warnCannotOpen(const QString &title, const QString &fileName, const QString &reason)
{
    m_prompts->message(QMessageBox::Warning, QApplication::activeWindow(), title,
                       tr("Cannot open file %1:\n%2.").arg(fileName, reason), QMessageBox::Ok);
}

bool MainWindow::open()
{
    const QString fileName = m_prompts->openFileName(this, tr("Open Configuration"), lastDirPath(), fileFilter());
    if (fileName.isEmpty())
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        warnCannotOpen(tr("Open Error"), fileName, file.errorString());
        return false;
    }
    setLastDirPath(fileName);
    if (!settleUnsavedChanges())
        return false;
    const bool online = ConnectionState::instance()->state() == ConnectionState::Connected;
    QByteArray document = file.readAll();
    file.close();
    if (online && !keepOrTakeFileName(&document))
        return false;
    if (!loadDocument(document, fileName, tr("The configuration was uploaded to the keypad.")))
        return false;
    rememberConfigurationFile(fileName);
    return true;
}

QStringList MainWindow::uploadDocument(QByteArray document, bool *loaded)
{
    QBuffer buffer(&document);
    buffer.open(QIODevice::ReadOnly);
    MSPComm *comm = MSPComm::instance();
    comm->startCountingChanges();
    *loaded = loadConfiguration(&buffer);
    return comm->finishCountingChanges(uploadAnswerWait);
}

bool MainWindow::loadDocument(const QByteArray &document, const QString &fileName, const QString &success)
{
    const bool online = ConnectionState::instance()->state() == ConnectionState::Connected;
    bool loaded = false;
    const QStringList notReceived = uploadDocument(document, &loaded);
    if (!loaded && !m_loadError.isEmpty()) {
        warnCannotOpen(tr("Open Error"), fileName, m_loadError);
        return false;
    }
    if (online)
        confirmUpload(notReceived, document, fileName, success);
    reportLoadNotices(fileName);
    return true;
}

void MainWindow::confirmUpload(QStringList notReceived, const QByteArray &document, const QString &fileName,
                               const QString &success)
{
    // Success is said only once the keypad has answered every part.
    while (!notReceived.isEmpty()) {
        QStringList parts;
        for (const QString &path : qAsConst(notReceived)) {
            const int scene = path.section(QLatin1Char('/'), -1).toInt();
            parts << (path.startsWith(QLatin1String("/api/v1/shows/")) ? tr("scene %1").arg(scene)
                                                                      : tr("the system configuration"));
        }
        parts.removeDuplicates();
        const bool connected = ConnectionState::instance()->state() == ConnectionState::Connected;
        const QString text = tr("The keypad did not confirm every part of %1. Not received: %2.")
                                 .arg(QFileInfo(fileName).fileName(), parts.join(QLatin1String(", ")));
        if (!connected) {
            m_prompts->message(QMessageBox::Warning, QApplication::activeWindow(), tr("Upload Incomplete"),
                               text + QLatin1String("\n\n")
                                   + tr("The keypad cannot be reached now. Open the file again once it answers."),
                               QMessageBox::Ok);
            return;
        }
        const auto answer = m_prompts->message(QMessageBox::Warning, QApplication::activeWindow(),
                                               tr("Upload Incomplete"),
                                               text + QLatin1String("\n\n") + tr("Upload the file again?"),
                                               QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
        if (answer != QMessageBox::Retry)
            return;
        bool loaded = false;
        notReceived = uploadDocument(document, &loaded);
    }
    statusBar()->showMessage(success, statusMessageTime);
}

bool MainWindow::keepOrTakeFileName(QByteArray *document)
{
    KeypadSnapshot file;
    const QString keypadName = SystemConfiguration::instance()->name();
    // A file that cannot be read is refused by the load itself.
    if (!file.readDocument(*document, nullptr) || file.configuration().name() == keypadName)
        return true;
    // A file saved from another keypad, loaded onto a replacement: the
    // keypad keeps its own name unless the user wants it to take over.
    const auto answer = m_prompts->message(
        QMessageBox::Question, QApplication::activeWindow(), tr("Keypad Name"),
        tr("The file was saved from the keypad \"%1\". Should this keypad, \"%2\", take that name too?\n\n"
           "Yes: the keypad is renamed \"%1\". No: it keeps its name \"%2\" and takes the file's scenes and "
           "settings.")
            .arg(file.configuration().name(), keypadName),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        *document = KeypadSnapshot::withName(*document, keypadName);
    return true;
}

void MainWindow::reportLoadNotices(const QString &fileName)
{
    if (m_loadNotices.isEmpty())
        return;
    m_prompts->message(QMessageBox::Information, QApplication::activeWindow(), tr("Configuration Opened"),
                       tr("%1 was opened with changes:").arg(QFileInfo(fileName).fileName()) + QLatin1String("\n\n")
                           + m_loadNotices.join(QLatin1Char('\n')),
                       QMessageBox::Ok);
}

QString MainWindow::configurationDocument()
{
    if (ConnectionState::instance()->state() == ConnectionState::DemoMode)
        m_systemConfiguration->saveToRecord();
    return documentText(true);
}

QString MainWindow::documentText(bool withCurrentShow) const
{
    QString document = QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<v1>\n<all_shows>\n");
    if (withCurrentShow)
        document += QLatin1String("<currentShow>") + QString::number(m_sceneModel->activeSceneIndex() + 1)
            + QLatin1String("</currentShow>\n");
    for (int i = 0; i < MSPSceneModel::sceneCount; ++i)
        document += m_sceneModel->sceneAt(i)->XMLData() + QLatin1Char('\n');
    document += QLatin1String("</all_shows>");
    document += SystemConfiguration::instance()->configXML(false);
    document += QLatin1String("\n</v1>");
    return document;
}

void MainWindow::rememberConfigurationFile(const QString &fileName)
{
    m_configurationFile = fileName;
    // Which scene plays is no edit of the configuration.
    m_savedDocument = documentText(false);
    updateWindowTitle();
}

void MainWindow::updateWindowTitle()
{
    // The keypad being edited (or the program's name alone), behind the
    // configuration file's name when there is one.
    const QString program = KeypadWindowTitle::title();
    if (m_configurationFile.isEmpty()) {
        setWindowTitle(program);
        setWindowModified(false);
        return;
    }
    setWindowTitle(tr("%1[*] - %2", "file name, program name").arg(QFileInfo(m_configurationFile).fileName(), program));
    setWindowModified(documentText(false) != m_savedDocument);
}

bool MainWindow::save()
{
    MSPComm::instance()->requestConfig();
    const QString fileName = m_prompts->saveFileName(this, tr("Save Configuration"), lastDirPath(), fileFilter(),
                                                     QStringLiteral("xml"));
    if (fileName.isEmpty())
        return false;

    // Written aside and renamed over the old file only when complete, so a
    // failed write never costs the user the configuration saved before.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        warnCannotOpen(tr("Save Error"), fileName, file.errorString());
        return false;
    }
    setLastDirPath(fileName);
    if (!file.reset()) {
        file.cancelWriting();
        return false;
    }
    file.write(configurationDocument().toLatin1());
    if (!file.commit()) {
        m_prompts->message(QMessageBox::Warning, QApplication::activeWindow(), tr("Save Error"),
                           tr("Cannot write file %1: %2").arg(fileName, file.errorString()), QMessageBox::Ok);
        return false;
    }
    m_demoChanged = false;
    rememberConfigurationFile(fileName);
    statusBar()->showMessage(tr("Configuration saved to %1.").arg(QDir::toNativeSeparators(fileName)),
                             statusMessageTime);
    return true;
}

void MainWindow::restoreOnKeypad()
{
    MSPComm *comm = MSPComm::instance();
    // Chosen again while a reset waits: the keypad has not been read since
    // the first went out, so what it held before that one still counts
    // (the reset forgot the edits, but the screen still shows them).
    const bool waiting = bool(m_restoreProgress);
    if (!waiting) {
        m_scenesNotCompared.clear();
        for (int i = 0; i < MSPSceneModel::sceneCount; ++i) {
            if (comm->hasUnsavedEdit(i))
                m_scenesNotCompared.insert(i);
        }
        m_settingsBeforeReset = keypadSettings();
        m_sceneChangesBeforeReset = comm->sceneChangeCount();
        m_keypadWentAway = false;
    }
    if (!MSPComm::instance()->restoreFactoryDefaults()) {
        reportRestoreFailure(tr("the keypad cannot be reached"));
        return;
    }
    ConnectionState::instance()->setState(ConnectionState::Restoring);
    m_restoreReadPending = false;
    m_restoreProbe->start();
    m_rereadPending = true;
    m_lastReread.start();
    // Until the keypad is back; it may never come back, so this one can be hidden.
    delete m_restoreProgress;
    m_restoreProgress = createProgressDialog(tr("Restoring the keypad's factory defaults..."), 0);
    m_restoreProgress->setCancelButtonText(tr("Hide"));
}

void MainWindow::reportRestoreFailure(const QString &reason)
{
    // The keypad kept its settings: no "restored" when it answers again.
    delete m_restoreProgress;
    // Asked once the keypad's answer has been handled, not from within it.
    QTimer::singleShot(0, this, [this, reason] {
        const auto answer = m_prompts->message(QMessageBox::Warning, this, tr("Restore Factory Default Settings"),
                                               tr("The keypad did not restore its factory defaults: %1").arg(reason),
                                               QMessageBox::Retry | QMessageBox::Cancel);
        // Changes made since the first attempt are asked about again.
        if (answer == QMessageBox::Retry && settleUnsavedChanges())
            restoreOnKeypad();
    });
}

bool MainWindow::keypadResetsItself(const QString &version)
{
    return !SystemConfiguration::isLegacyFirmware(version);
}

void MainWindow::handleRestore()
{
    const auto answer = m_prompts->message(
        QMessageBox::Question, QApplication::activeWindow(), tr("Restore Factory Default Settings"),
        tr("This will restore the Lumetra Keypad to its factory default settings.  Do you want to continue?\n\n"
           "If the IP address has been changed, then you will need to rediscover the device."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes || !settleUnsavedChanges())
        return;

    if (keypadResetsItself(SystemConfiguration::instance()->version())) {
        restoreOnKeypad();
        return;
    }

    const QString path = OvrDataFiles::locate(QLatin1String(defaultConfigurationFile));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        warnCannotOpen(tr("Open Error"), path, file.errorString());
        return;
    }
    const QByteArray document = file.readAll();
    file.close();
    loadDocument(document, path, tr("The keypad's factory defaults were restored."));
}
