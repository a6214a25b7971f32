// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fleetsettings.h"
#include "keypadscanner.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <memory>

class KeypadClient;

/**
 * Backs up many keypads to one folder, one configuration file each, at
 * most a few at a time. A file appears under its name only whole and on
 * disk: it is written beside that name and renamed once flushed, so a
 * keypad that stops answering or a full disk leaves no partial file.
 * Files are flushed to disk together, at least once a second and
 * at the end, not one by one: a disk flush takes milliseconds, and fifty
 * of them in a row would keep the keypads waiting for their next request.
 *
 * Each keypad's last backup is remembered by its MAC (FleetSettings). A
 * keypad given by address alone is asked for it with a discover request
 * sent as its backup starts; finished() waits for missing answers at most
 * a discovery's reply window.
 */
class FleetBackup : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FleetBackup)
public:
    static constexpr int defaultParallel = 8;
    /** Longest time a complete file waits for the next flush to disk, ms. */
    static constexpr int flushInterval = 1000;

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
    /** Whether keypads are still being read (files may still wait for their flush). */
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
    /** A complete file beside its final name, waiting for the flush. */
    struct Staged
    {
        int index;
        QString temporary;
        QString path;
        QDateTime time;
    };

    void startNext();
    void finish(int index, KeypadClient *client, bool ok);
    void stage(int index, const QString &name, const QString &document);
    void commitStaged();
    void takeMac(const KeypadInfo &found);
    bool waitsForMacs() const;
    void finishIfDone();
    QString freePath(const QString &name, const QString &address, const QDateTime &when);

    QString m_directory;
    int m_parallel = defaultParallel;
    int m_timeout;
    QList<Result> m_results;
    int m_next = 0;
    int m_running = 0;
    bool m_finished = true;
    QList<Staged> m_staged;
    QSet<QString> m_claimed; ///< final names of staged files
    QTimer m_flushTimer;
    QList<QPair<KeypadInfo, FleetSettings::Backup>> m_backedUp;
    /** Asks keypads given by address alone for their MAC, which their last backup is kept by. */
    KeypadScanner m_macScanner;
    QTimer m_macWait;
    bool m_macWaitOver = false;
};
