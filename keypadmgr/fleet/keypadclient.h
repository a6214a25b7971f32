// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keypadsnapshot.h"
#include "mspcommlink.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class KeypadHttpGet;
class QNetworkAccessManager;
class QNetworkReply;

/**
 * The HTTP side of one keypad for work on many keypads at once: reads its
 * configuration and scenes into a snapshot of its own, and uploads a
 * configuration file to it with the same pacing as the program's Open.
 * Unlike the program's one communication object it changes nothing of the
 * program's own model, so any number of clients work side by side.
 *
 * Reading sends only GET /api/v1/config and GET /api/v1/shows (both at
 * once), which change nothing on the keypad. A request the keypad does not answer
 * within the time-out fails. Reading goes over connections of its own
 * (KeypadHttpGet); the network access manager is for uploads, and a client
 * that only reads may have none.
 */
class KeypadClient : public QObject, public MSPCommLink
{
    Q_OBJECT
    Q_DISABLE_COPY(KeypadClient)
public:
    static constexpr int defaultTimeout = 5000;

    KeypadClient(const QString &address, QNetworkAccessManager *manager, QObject *parent = nullptr);
    ~KeypadClient() override;

    QString address() const { return m_address; }
    void setTimeout(int ms) { m_timeout = ms; }

    /** Reads the keypad's configuration and its scenes; fetched() tells how it went. */
    void fetch();
    /** fetch(), waiting for the result while events are processed. */
    bool fetchAndWait();
    /** What the last fetch read. */
    const KeypadSnapshot &snapshot() const { return m_snapshot; }
    /** Why the last fetch or upload failed. */
    QString errorString() const { return m_error; }

    /**
     * Uploads a configuration file (read first: a document that cannot be
     * read sends nothing), scene by scene and then the configuration,
     * paced as the program's Open does, and waits for every answer. Needs
     * a fetch before, for the keypad's fixture class.
     */
    bool upload(const QByteArray &document);

    void requestShow(int index, bool trackAsEdit) override;
    void postToDevice(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost,
                      bool apply) override;

signals:
    void fetched(bool ok);
    /** During an upload: "scene 3 of 8", "configuration". */
    void uploadProgress(const QString &step);

private:
    QNetworkReply *get(const QString &path);
    void track(QNetworkReply *reply, const QString &what);
    QString failure(QNetworkReply *reply) const;
    QString failure(const KeypadHttpGet *get) const;
    void readReplies();
    void finishFetch(bool ok, const QString &error);

    const QString m_address;
    QNetworkAccessManager *const m_manager;
    int m_timeout = defaultTimeout;
    KeypadSnapshot m_snapshot;
    QPointer<KeypadHttpGet> m_configGet;
    QPointer<KeypadHttpGet> m_showsGet;
    QString m_error;
    int m_outstanding = 0;
    QStringList m_uploadErrors;
    QList<int> m_uploadedScenes;
};
