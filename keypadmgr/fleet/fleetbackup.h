// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fleetsettings.h"
#include "keypadscanner.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class KeypadClient;
class QNetworkAccessManager;

/**
 * Backs up many keypads to one folder, one configuration file each, at
 * most a few at a time. A file is written only whole (beside its final
 * name and renamed when complete), so a keypad that stops answering or a
 * full disk leaves no partial file.
 */
class FleetBackup : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FleetBackup)
public:
    static constexpr int defaultParallel = 8;

    struct Result
    {
        KeypadInfo keypad;
        bool ok = false;
        QString file;  ///< the file written
        QString error; ///< why it failed
    };

    explicit FleetBackup(QObject *parent = nullptr);
    ~FleetBackup() override;

    void setDirectory(const QString &directory) { m_directory = directory; }
    void setParallel(int count) { m_parallel = qMax(1, count); }
    void setTimeout(int ms) { m_timeout = ms; }

    /** Starts backing up @p keypads; finished() follows when all are done. */
    void start(const QList<KeypadInfo> &keypads);
    /** One result per keypad, in the order given. */
    const QList<Result> &results() const { return m_results; }
    bool isRunning() const { return m_running > 0 || m_next < m_results.size(); }

    /**
     * "<name>_<address>_<yyyy-mm-dd-hhmm>.xml" with every character but
     * letters, digits, ".", "-" and "_" replaced by "_".
     */
    static QString fileName(const QString &name, const QString &address, const QDateTime &when);

signals:
    void keypadDone(const FleetBackup::Result &result);
    void finished();

private:
    void startNext();
    void finish(int index, KeypadClient *client, bool ok);
    QString write(const QString &name, const QString &address, const QString &document, QString *error) const;

    QNetworkAccessManager *m_manager;
    QString m_directory;
    int m_parallel = defaultParallel;
    int m_timeout;
    QList<Result> m_results;
    int m_next = 0;
    int m_running = 0;
    QList<QPair<QString, FleetSettings::Backup>> m_backedUp;
};
