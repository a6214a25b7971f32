// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mspcommlink.h>

#include <QByteArray>
#include <QList>
#include <QNetworkAddressEntry>
#include <QSet>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

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

    static MSPComm *instance();
    ~MSPComm() override;

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
    void restoreFactoryDefaults();
    void postConfiguration(const QStringList &bodies, const QString &newAddress);

    bool parseReply(QIODevice *device);

    /** Why the last request to the keypad failed (the reply's error text). */
    QString lastErrorString() const { return m_lastErrorString; }
    /** Whether the last failed request asked the keypad to change (a post, or playing a show). */
    bool lastFailureWasChange() const { return m_lastFailureWasChange; }
    /**
     * Whether an edit of scene @p index (0-based) failed to reach the
     * keypad and was not sent since: the model keeps it (reading the keypad
     * back does not overwrite it), and applyScene() sends it again first.
     */
    bool hasUnsentEdit(int index) const { return m_unsentEdits.contains(index); }

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
    /** A scene's edit failed to reach the keypad, or was sent after all, kept or dropped. */
    void unsentEditsChanged();
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
    QNetworkReply *send(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost, bool apply);
    void postSceneBody(MSPScene *scene);
    void sendRevert(MSPScene *scene, int fetchIndex);
    void postAfterFlushedEdit(MSPScene *scene, const QString &body, int fetchIndex = -1);
    void forgetTrackedReplies();

    QString m_address;
    QByteArray m_mac;
    QNetworkAccessManager *m_manager;
    QNetworkConfigurationManager *m_configurationManager;
    QList<QNetworkReply *> m_editReplies;
    QList<QNetworkReply *> m_configPosts;
    QList<QNetworkReply *> m_configAfterShow;
    MSPScene *m_pendingScene = nullptr;
    QTimer m_sceneUpdateTimer;
    QNetworkReply *m_configReply = nullptr;
    QNetworkReply *m_allShowsReply = nullptr;
    // The last scene edit posted: Save and Undo wait for it. Guarded, as a
    // finished reply is deleted.
    QPointer<QNetworkReply> m_flushedEdit;
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
    // The show request of the last scene pressed on the keypad, while it runs.
    QNetworkReply *m_pressReply = nullptr;
    int m_pressScene = 0;
    QSet<int> m_unsentEdits;
    QSet<QString> m_routedAddresses;
    void setEditUnsent(const QString &path, bool unsent);
};
