// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "connectionstate.h"
#include "keypadscanner.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QNetworkAddressEntry>
#include <QPointer>
#include <QSet>

#include "ovrbusycursor.h"

#include <memory>
#include <optional>

class AboutDialog;
class GuideWindow;
class KeypadListDock;
class MSPControlPanelWidget;
class MSPSceneModel;
class MSPSceneSettingsWidget;
class NetworkPrefs;
class QAction;
class QDockWidget;
class QIODevice;
class QMenu;
class QProgressDialog;
class QSplashScreen;
class QTabWidget;
class QTimer;
class StatusWidget;
class SystemConfigurationWidget;
class UpdateChecker;
class UpdateDialog;
class UserPrompts;

/**
 * The main window: the control panel dock on the left, the settings dock
 * (scene settings, system configuration, network) on the right, menus and
 * the status bar. It starts discovery a second after start-up and follows
 * the connection state.
 */
class MainWindow : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(MainWindow)
public:
    /** Time limit of every discovery run, in ms. */
    static constexpr int discoveryTimeLimit = 500;
    /** Delay from construction to the first discovery run, in ms. */
    static constexpr int startupDiscoveryDelay = 1000;
    /** How long a keypad takes to restart on a new address, in ms. */
    static constexpr int defaultAddressChangeWait = 10000;
    /** The wait after an address change before the keypad is looked for again. */
    int addressChangeWait() const { return m_addressChangeWait; }
    /** Shortens (or restores) that wait; tests use a simulator that restarts at once. */
    void setAddressChangeWait(int ms) { m_addressChangeWait = ms; }

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void setSplash(QSplashScreen *splash);

    /**
     * Starts in demo mode instead of looking for a keypad: the start-up
     * discovery run is cancelled, so nothing is broadcast, and the eight
     * offline scenes are ready to edit. Call before the event loop runs.
     */
    void startInDemoMode();

    /**
     * Loads a configuration document onto the model (and the keypad when
     * connected). The whole document is read first: a malformed one changes
     * nothing, returns false and leaves the reason in loadError().
     */
    bool loadConfiguration(QIODevice *device);
    /**
     * Why loadConfiguration() refused the last document: where it broke
     * ("line 3, column 7: ...") or which scenes it cannot take.
     */
    QString loadError() const { return m_loadError; }
    /** What the last document loaded was taken with a change, one text per scene. */
    QStringList loadNotices() const { return m_loadNotices; }
    /** The whole configuration document as written by save(). */
    QString configurationDocument();
    static QString lastDirPath();
    static void setLastDirPath(const QString &file);

    MSPControlPanelWidget *controlPanel() const { return m_controlPanel; }
    MSPSceneSettingsWidget *sceneSettings() const { return m_sceneSettings; }
    SystemConfigurationWidget *systemConfiguration() const { return m_systemConfiguration; }
    NetworkPrefs *networkPrefs() const { return m_networkPrefs; }
    QTabWidget *settingsTabs() const { return m_settingsTabs; }
    QDockWidget *settingsDock() const { return m_settingsDock; }
    UpdateChecker *updateChecker() const { return m_updateChecker; }
    KeypadListDock *keypadList() const { return m_keypadList; }

    /**
     * Whether a keypad with this firmware restores its factory defaults on
     * request; older ones are sent the defaults file instead.
     */
    static bool keypadResetsItself(const QString &firmwareVersion);

    /**
     * Where the window asks for file names and shows its message boxes;
     * the default uses the toolkit's dialogs. Tests answer through their own.
     */
    void setUserPrompts(std::unique_ptr<UserPrompts> prompts);
    UserPrompts *userPrompts() const { return m_prompts.get(); }

    /** The guide's URL (its Markdown), built from the local path. */
    static QUrl helpUrl();

    /**
     * Whether something the user changed would be lost by leaving the
     * configuration on screen: a scene or system settings the keypad has not
     * kept, or a demo configuration not saved to a file since it changed.
     */
    bool hasUnsavedChanges() const;
    /**
     * Asks what to do with unsaved changes before they are set aside (quit,
     * open, restore, another keypad): save them (on the keypad, or in demo
     * mode to a file), discard them, or cancel. Returns whether to go on.
     */
    bool settleUnsavedChanges();

public slots:
    void handleDiscovererTimeLimit();
    void handleSettingsLocationChanged(bool topLevel);
    bool open();
    void setStatusBar(QString message);
    void handleControlPanelChangedActiveSceneIndex(int index);
    void handleDeviceActiveSceneIndexChanged(int index);
    void discover(int timeOut);
    void discover();
    void handleNetworkError();
    void about();
    void cut();
    void copy();
    void paste();
    void deleteSlot();
    void select();
    bool save();
    void handleRestore();
    /**
     * Edits @p keypad from now on (chosen in the keypad list), asking first
     * when the scene shown has an edit not saved on the current keypad.
     * @p routed: it answered a discover request sent to its own address.
     */
    void connectToKeypad(const KeypadInfo &keypad, bool routed);

private slots:
    void handleAddressChanged();
    void killSplash();
    void handleConnectionState(ConnectionState::State status);
    void showOnlineHelp();
    void showUpdater();
    void handleHostAddressChanged(QNetworkAddressEntry hostAddressEntry, QString name);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createSettingsDock();
    void setUpUpdateChecker();
    void sendKey(int key, Qt::KeyboardModifiers modifiers);
    void handleKeypadHeartBeat(bool reachable);
    void rereadKeypad();
    void takeKeypad(const QString &address, const QByteArray &mac);
    void createKeypadList();
    bool keepOrTakeFileName(QByteArray *document);
    /** Asks the keypad to restore its factory defaults and waits for it to come back. */
    void restoreOnKeypad();
    /** The keypad did not take the factory reset: says why and offers to send it again. */
    void reportRestoreFailure(const QString &reason);
    /** The keypad was read again while restoring: it restored only if its settings changed. */
    void confirmRestore(bool readOk);
    /**
     * What the keypad holds as the screen knows it: each scene's body, then
     * the configuration but the address.
     */
    QStringList keypadSettings() const;
    /**
     * Whether the keypad, read again after the factory reset, holds what it
     * held before. Scenes with an edit the keypad had not kept, and scenes
     * changed since the reset went out, are not compared: the screen shows
     * the edit, not what the keypad holds.
     */
    bool sameSettingsAsBeforeReset() const;
    QProgressDialog *createProgressDialog(const QString &label, int maximum);
    /** The configuration document; the current show only when @p withCurrentShow. */
    QString documentText(bool withCurrentShow) const;
    /** The file just saved or opened: its name goes into the title, its content is the unchanged state. */
    void rememberConfigurationFile(const QString &fileName);
    void updateWindowTitle();
    /** Saves the shown scene on the keypad; while closing, waits until the request left. */
    void keepSceneOnKeypad();
    /** The scenes other than the shown one that hold an edit the keypad does not keep (0-based). */
    QList<int> otherUnsavedScenes() const;
    /** Saves the edits of @p scenes on the keypad, then plays the shown scene again. */
    void keepOtherScenesOnKeypad(const QList<int> &scenes);
    /** Waits, up to a limit, until no Save is waiting for the keypad's answer. */
    void waitForSaves();
    /**
     * Says whether an upload reached the keypad: @p success only when no
     * part is in @p notReceived, otherwise which parts, offering to upload
     * @p document again.
     */
    void confirmUpload(QStringList notReceived, const QByteArray &document, const QString &fileName,
                       const QString &success);
    /**
     * Loads @p document (and uploads it while connected); returns the parts
     * the keypad did not confirm, and in @p loaded whether it was taken.
     */
    QStringList uploadDocument(QByteArray document, bool *loaded);
    /**
     * Loads @p document from @p fileName: refused with a message, or taken
     * and, while connected, confirmed with @p success once the keypad has
     * every part. Returns whether it was taken.
     */
    bool loadDocument(const QByteArray &document, const QString &fileName, const QString &success);
    /** Tells what the document just loaded from @p fileName was taken with a change. */
    void reportLoadNotices(const QString &fileName);
    /** Tells the user under @p title that @p fileName could not be opened, and why. */
    void warnCannotOpen(const QString &title, const QString &fileName, const QString &reason);

    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_deviceMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_saveAction = nullptr;
    QAction *m_loadAction = nullptr;
    QAction *m_restoreAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_helpAction = nullptr;
    QAction *m_updateAction = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_discoverAction = nullptr;
    QAction *m_cutAction = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_pasteAction = nullptr;
    QAction *m_deleteAction = nullptr;
    QAction *m_selectAllAction = nullptr;
    MSPSceneSettingsWidget *m_sceneSettings = nullptr;
    SystemConfigurationWidget *m_systemConfiguration = nullptr;
    NetworkPrefs *m_networkPrefs = nullptr;
    QDockWidget *m_settingsDock = nullptr;
    QTabWidget *m_settingsTabs = nullptr;
    MSPSceneModel *m_sceneModel = nullptr;
    MSPControlPanelWidget *m_controlPanel = nullptr;
    StatusWidget *m_statusWidget = nullptr;
    int m_discoveryTimerId = 0;
    // The busy cursor while a discovery run waits for answers.
    std::optional<OvrBusyCursor> m_discoveryCursor;
    QPointer<QSplashScreen> m_splash;
    UpdateDialog *m_updateDialog = nullptr;
    UpdateChecker *m_updateChecker = nullptr;
    QNetworkAddressEntry m_hostAddressEntry;
    int m_rememberedWidth = -1;
    int m_rememberedHeight = -1;
    AboutDialog *m_aboutDialog = nullptr;
    QTimer *m_startupDiscovery = nullptr;
    QTimer *m_startupUpdateCheck = nullptr;
    // The silent update check starts after the first paint, unless a demo start cancelled it.
    bool m_updateCheckAfterFirstPaint = false;
    bool m_firstPaintSeen = false;
    QTimer *m_titleUpdate = nullptr;
    GuideWindow *m_guide = nullptr;
    bool m_guideLoaded = false;
    // The configuration file last saved or opened, and its content then.
    QString m_configurationFile;
    QString m_savedDocument;
    KeypadListDock *m_keypadList = nullptr;

    int m_addressChangeWait = defaultAddressChangeWait;
    std::unique_ptr<UserPrompts> m_prompts;
    QString m_loadError;
    QStringList m_loadNotices;
    // A request failed; the keypad is read again once it answers.
    bool m_rereadPending = false;
    QElapsedTimer m_lastReread;
    // The scene the keypad last reported playing; -1 before it reported one.
    int m_keypadSceneIndex = -1;
    QPointer<QProgressDialog> m_restoreProgress;
    // The settings before the factory reset, and whether the keypad is
    // being read to compare with them.
    QStringList m_settingsBeforeReset;
    // Scenes with an edit the keypad had not kept when the reset went out:
    // the screen does not know what the keypad held for them (nor for a
    // scene edited while the reset waits).
    QSet<int> m_scenesNotCompared;
    quint64 m_sceneChangesBeforeReset = 0;
    bool m_restoreReadPending = false;
    // Whether the keypad was seen away (restarting) since the reset went
    // out; asked every half second until then.
    bool m_keypadWentAway = false;
    QTimer *m_restoreProbe = nullptr;
    // A demo configuration changed since demo mode began, or since it was
    // last saved to or opened from a file.
    bool m_demoChanged = false;
    // Set while a document is applied: its changes are the file's, not the user's.
    bool m_loading = false;
    // The window is asking before it closes: an address change saved on the
    // way needs no rediscovery.
    bool m_closing = false;
    // The scene was kept on the keypad while closing; dropping its preview
    // then could overtake the keep.
    bool m_keptOnClose = false;
};
