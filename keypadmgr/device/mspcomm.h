// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspcommlink.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QNetworkAddressEntry>
#include <QSet>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>

class MSPScene;
class NetworkPrefs;
class QIODevice;
class QNetworkAccessManager;
class QNetworkConfigurationManager;
class QNetworkReply;
class QUdpSocket;

/**
 * The program's one channel to the keypad: its HTTP interface (shows,
 * configuration, scene previews with 100 ms coalescing, button presses,
 * factory reset, address changes) and its datagrams (button presses on
 * port 6041, heartbeats on port 6038). Every reply is routed through
 * replyFinished(); any answer from the keypad counts as a heartbeat.
 */
class MSPComm : public QObject, public MSPCommLink
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPComm)
public:
    static constexpr quint16 keyPadPort = 6041;
    static constexpr quint16 heartBeatPort = 6038;
    static constexpr int sceneUpdateInterval = 100;
    static constexpr int socketToggleInterval = 1000;
    static constexpr int choiceWaitInterval = 3000;

    static MSPComm *instance();
    ~MSPComm() override;

    /**
     * Starts loading the system's network bearer plugins in a thread of its
     * own, which the first network access manager otherwise does on the
     * spot; instance() waits for it. For a window that creates instance()
     * while it is being built.
     */
    static void prepareInBackground();

    void setDevice(const QString &address, const QByteArray &mac);
    QString address() const { return m_address; }
    QByteArray mac() const { return m_mac; }
    void setNetworkPrefs(NetworkPrefs *prefs);
    QNetworkConfigurationManager *configurationManager() const { return m_configurationManager; }

    QString baseUrl() const;
    bool isAddressReachable(const QString &address) const;
    /**
     * Marks @p address as reached through a router: a keypad that answered
     * a discover request sent to its own address, outside every subnet of
     * this host. The subnet test lets it pass.
     */
    void addRoutedAddress(const QString &address) { m_routedAddresses.insert(address); }

    void requestAllShows();
    void requestShow(int index, bool trackAsEdit) override;
    void requestConfig();
    /**
     * Asks a quiet keypad for a sign of life: a read whose answer is not
     * applied (it changes nothing here or on the keypad) but counts as a
     * heartbeat. One at a time.
     */
    void probe();
    void postToDevice(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost,
                      bool apply) override;

    /** Keeps the scene on the keypad ("apply=1"), after its last edit has been posted. */
    void applyScene(MSPScene *scene);
    /**
     * Drops the keypad's preview of the scene ("apply=0"), after its last
     * edit has been posted; with @p fetchIndex (0-based) it then reads that
     * scene back, once the keypad has answered the drop.
     */
    void revertScene(MSPScene *scene, int fetchIndex = -1);
    void brightnessUp();
    void brightnessDown();
    void pressOnOff();
    /** Asks the keypad to restore its factory defaults; false when the request could not be sent. */
    bool restoreFactoryDefaults();
    void postConfiguration(const QStringList &bodies, const QString &newAddress);

    /**
     * Reads a reply of the keypad into the model. The scene it says the
     * keypad plays is taken only with @p takeCurrent: an answer to a request
     * sent before a newer scene choice tells of a scene already left. The
     * scenes in @p changedSince were changed after the request was sent: the
     * answer tells what they were before, and they are left as they are.
     */
    bool parseReply(QIODevice *device, bool takeCurrent = true, const QSet<int> &changedSince = {});

    /** Why the last request to the keypad failed (the reply's error text). */
    QString lastErrorString() const { return m_lastErrorString; }
    /** Whether the last failed request asked the keypad to change (a post, or playing a show). */
    bool lastFailureWasChange() const { return m_lastFailureWasChange; }
    /**
     * Where the user's edit of a scene stands. An edit is unsaved from the
     * user's change until the keypad took its Save or the user undid it;
     * meanwhile reading the keypad back never overwrites it, and whenever
     * the keypad plays that scene again the edit is sent again as its preview.
     */
    enum class EditState {
        None, ///< nothing unsaved: the scene is what the keypad keeps
        Unsaved, ///< edited and sent as a preview, not saved
        NotSent, ///< edited, but the keypad did not receive the preview
        Saving, ///< Save pressed, the keypad has not answered yet
        SaveNotSent ///< Save pressed, but the keypad did not receive it
    };
    EditState editState(int index) const;
    /** Whether scene @p index (0-based) holds an edit the keypad does not keep. */
    bool hasUnsavedEdit(int index) const { return editState(index) != EditState::None; }
    /** Whether the last edit or Save of scene @p index did not reach the keypad. */
    bool hasUnsentEdit(int index) const
    {
        return editState(index) == EditState::NotSent || editState(index) == EditState::SaveNotSent;
    }
    /** Sends the edit of scene @p index again: its preview, or its Save when the Save was lost. */
    void retryEdit(int index);
    /** Forgets every scene's edit: the keypad's own scenes are shown from now on. */
    void forgetEdits();
    /**
     * Keeps the unsaved edit of a scene the keypad does not play now: its
     * whole body with "&apply=1", as the keypad holds no preview of a scene
     * it left. The keypad plays that scene afterwards.
     */
    void keepEdit(int index);
    /**
     * Drops the edit of a scene here at once: one the keypad does not play
     * now (it holds no preview of it), or one the user discarded, whatever
     * the answer to its Undo.
     */
    void forgetEdit(int index);
    /** Whether a Save of some scene still waits for the keypad's answer. */
    bool isSaving() const;
    /** The number of scene changes (previews, Saves, Undos) sent so far. */
    quint64 sceneChangeCount() const { return m_sceneRequestSerial; }
    /** The scenes changed by a request sent after the first @p count scene changes. */
    QSet<int> scenesChangedSince(quint64 count) const;

    /**
     * Counts the changes (posts) sent from now on, until
     * finishCountingChanges(), to tell whether all of them reached the keypad.
     */
    void startCountingChanges();
    /**
     * Waits up to @p waitMs for the answers to the changes counted since
     * startCountingChanges() and returns the paths of those that failed or
     * were not answered in time (each path once, in the order sent).
     */
    QStringList finishCountingChanges(int waitMs);

    void setFileLoading(bool loading) { m_fileLoading = loading; }
    bool fileLoading() const { return m_fileLoading; }

    /**
     * Removes leading zeros from each part of a dotted address, so
     * "192.168.001.010" becomes "192.168.1.10" (a part never becomes empty).
     */
    static QString normalizeAddress(const QString &address);

signals:
    void activeSceneIndexChanged(int index);
    void networkError();
    void heartBeat(bool reachable);
    void configReceived();
    /**
     * The configuration and the list of shows, asked for together, have both
     * been answered (@p ok) or at least one of them failed.
     */
    void keypadRead(bool ok);
    /**
     * A request found nobody at the keypad's address: the connection was
     * refused or the host did not answer (the keypad restarting, or gone).
     * A connection the keypad closed without an answer does not count.
     */
    void keypadAway();
    /**
     * The keypad did not take the factory reset (@p reason): it answered
     * with an error, or refused the connection before the request went
     * out. A reset the keypad took gets no answer at all, as it restarts
     * at once.
     */
    void factoryResetFailed(const QString &reason);
    /** A scene's edit state changed (edited, sent, lost, saved or undone). */
    void editStatesChanged();
    /**
     * A request left for the keypad (@p method "GET" or "POST"). The pacing of
     * requests is measured here: their arrival at the keypad also depends on
     * how soon the keypad reads them.
     */
    void requestSent(const QString &method, const QString &path, const QByteArray &body);

public slots:
    void getScene(int index);
    void handleEffectParamsChanged(MSPScene *scene);
    void handleEffectChanged(MSPScene *scene);

protected slots:
    void replyFinished(QNetworkReply *reply);
    void handleSceneUpdateTimer();

private slots:
    void processPendingKeyPadDatagrams();
    void processPendingHeartBeatDatagrams();
    void toggleSocket();
    void handleHostAddressChanged(QNetworkAddressEntry hostAddressEntry, QString name);

private:
    MSPComm();
    QNetworkReply *get(const QString &path);
    QNetworkReply *getShow(int index);
    QNetworkReply *post(const QString &path, const QString &body);
    // @p editsBefore: the user's edits counted when the change was asked
    // for, if it was asked for before it is sent (m_editCount).
    QNetworkReply *send(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost, bool apply,
                        std::optional<quint64> editsBefore = std::nullopt);
    void postSceneBody(MSPScene *scene);
    void sendRevert(MSPScene *scene, int fetchIndex);
    /**
     * Posts @p body to the scene once its last edit is answered; then, with
     * @p fetchIndex, reads that scene back. A Save (@p save) goes out only
     * if no scene was chosen meanwhile.
     */
    void postAfterFlushedEdit(MSPScene *scene, const QString &body, int fetchIndex = -1, bool save = false);
    /** Asks for the scene chosen once no preview of another scene is on its way. */
    void sendChoiceAfterPreviews();
    void forgetTrackedReplies();

    QString m_address;
    QByteArray m_mac;
    QNetworkAccessManager *m_manager = nullptr;
    QNetworkConfigurationManager *m_configurationManager = nullptr;
    QList<QNetworkReply *> m_editReplies;
    QList<QNetworkReply *> m_configPosts;
    QList<QNetworkReply *> m_configAfterShow;
    MSPScene *m_pendingScene = nullptr;
    QTimer m_sceneUpdateTimer;
    QNetworkReply *m_configReply = nullptr;
    QNetworkReply *m_allShowsReply = nullptr;
    bool m_readFailed = false; ///< the configuration or the shows read since the last keypadRead() failed
    // The last scene edit posted: Save and Undo wait for it. Guarded, as a
    // finished reply is deleted.
    QPointer<QNetworkReply> m_flushedEdit;
    QPointer<QNetworkReply> m_factoryResetReply;
    bool m_factoryResetWritten = false; ///< the reset's body went out on a connection
    QTimer m_socketToggleTimer;
    QUdpSocket *m_keyPadSocket = nullptr;
    QUdpSocket *m_heartBeatSocket = nullptr;
    bool m_fileLoading = false;
    NetworkPrefs *m_networkPrefs = nullptr;
    bool m_firstReply = true;
    bool m_socketEnabled = false;
    bool m_bindMessageShown = false;
    QString m_lastErrorString;
    bool m_lastFailureWasChange = false;
    QPointer<QNetworkReply> m_probe;
    // The show request of the last scene pressed on the keypad, while it runs.
    QNetworkReply *m_pressReply = nullptr;
    int m_pressScene = 0;
    // The request of the last scene chosen (on the keypad or on screen),
    // while it runs.
    QNetworkReply *m_choiceReply = nullptr;
    // The scene chosen (on screen or on the keypad) while it waits for a
    // preview of another scene to be answered (sendChoiceAfterPreviews());
    // -1 when none waits.
    int m_waitingChoice = -1;
    bool m_waitingChoiceIsPress = false; ///< the choice was pressed on the keypad
    QPointer<QNetworkReply> m_choiceWaitsFor;
    // A keypad that never answers the preview holds the choice back no longer.
    QTimer m_choiceWaitLimit;
    bool m_choiceWaitExpired = false;

    // A request that previews, saves or drops a scene's edit. Only the
    // newest one of a scene tells where its edit stands.
    enum class SceneRequestKind { Preview, Save, Revert };
    struct SceneRequest
    {
        int index;
        SceneRequestKind kind;
        quint64 serial;
        // The user's edits counted when it was asked for.
        quint64 edits;
    };
    static int sceneIndexOfPath(const QString &path);
    void trackSceneRequest(QNetworkReply *reply, const QString &path, const QString &body, quint64 edits);
    void sceneRequestFinished(const SceneRequest &request, bool failed);
    void setEditState(int index, EditState state);
    /// An Undo answered: @p dropped clears the edit, otherwise it is offered again.
    void undoFinished(int index, bool dropped);
    /// Scene @p index was chosen: an unsaved edit of it is no longer on the keypad.
    void awaitPreview(int index);
    void markEdited(MSPScene *scene);
    void resendUnsavedPreview(int index);
    QSet<int> unsavedScenes() const;

    QHash<int, EditState> m_editStates;
    /// Scenes whose Undo is on its way: their edit stays until it is answered.
    QSet<int> m_undoing;
    /// Scenes chosen again with an unsaved edit the keypad has not been sent since.
    QSet<int> m_previewAwaited;
    QHash<QNetworkReply *, SceneRequest> m_sceneRequests;
    QHash<int, quint64> m_lastSceneRequest;
    quint64 m_sceneRequestSerial = 0;
    // The user's edits, counted, and the count at each scene's last edit: a
    // Save's answer settles only the edits made before Save was pressed.
    quint64 m_editCount = 0;
    QHash<int, quint64> m_lastEdit;
    QSet<QString> m_routedAddresses;
    // Counts the scenes chosen (on the keypad or on screen); each request
    // carries the count at its sending.
    quint64 m_sceneChoices = 0;

    // The posts counted by startCountingChanges() still waiting for their
    // answer, and the paths of those that failed.
    bool m_countingChanges = false;
    QHash<QNetworkReply *, QString> m_countedChanges;
    QStringList m_failedChanges;
    QStringList m_countedPaths;
};
