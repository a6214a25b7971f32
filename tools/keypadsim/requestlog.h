// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <mutex>

/**
 * The simulator's request log: one line per HTTP request, written as it
 * arrives, so tests can check order, pacing and coalescing:
 *
 *     <UTC time, ISO 8601 with ms> TAB <method> TAB <path> TAB <body>
 *
 * Backslash, tab, carriage return and line feed in the body are written
 * as \\, \t, \r and \n, so one request is always one line. Safe to call
 * from the HTTP server's threads.
 */
class RequestLog
{
public:
    struct Entry
    {
        QDateTime time;
        QString method;
        QString path;
        QByteArray body;
    };

    RequestLog() = default;
    Q_DISABLE_COPY(RequestLog)

    /** Opens (and truncates) the file; "-" writes to standard error. */
    bool open(const QString &path, QString *error = nullptr);
    bool isOpen() const;

    void append(const QString &method, const QString &path, const QByteArray &body);

    static QByteArray formatLine(const Entry &entry);
    /** Reads one line back; false when it is not a log line. */
    static bool parseLine(const QByteArray &line, Entry *entry);

private:
    mutable std::mutex m_mutex;
    QFile m_file;
};
