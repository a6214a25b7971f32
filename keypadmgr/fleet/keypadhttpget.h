// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

/**
 * One HTTP GET of a keypad's, on a connection of its own that the keypad
 * closes after its answer (as its small server does anyway).
 *
 * Reading many keypads at once asks each twice; the general network access
 * manager spends far more on setting up each request (a worker thread,
 * dozens of signal connections, proxy and cache checks) than a keypad's
 * answer of a few kilobytes costs to read. This reads the status line, the
 * headers and a body of a given length, in chunks, or up to the end of the
 * connection, and nothing else: no redirects, no compression, no proxy.
 *
 * finished() is emitted once, also for a failure; a request that sees no
 * data for the time-out fails.
 */
class KeypadHttpGet : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(KeypadHttpGet)
public:
    enum class Failure {
        None,
        /** Nothing came for the time-out (also: no connection within it). */
        TimedOut,
        /** An answer whose status is not 2xx; see status(). */
        Status,
        /** The connection failed; see socketError(). */
        Socket,
        /** The connection ended before the whole answer had come, or the answer was not HTTP. */
        BrokenAnswer,
    };

    /** Sends the request at once. @p address is an IPv4 address, optionally with ":port". */
    KeypadHttpGet(const QString &address, const QString &path, int timeoutMs, QObject *parent = nullptr);
    ~KeypadHttpGet() override;

    bool isFinished() const { return m_finished; }
    Failure failure() const { return m_failure; }
    int status() const { return m_status; }
    QString socketError() const { return m_socketError; }
    QByteArray body() const { return m_body; }

    /** Ends the request unanswered; finished() is not emitted. */
    void abort();

signals:
    void finished();

private:
    void readAnswer();
    void connectionEnded();
    /** Parses what has come; finishes once the answer is complete or broken. */
    void parse(bool ended);
    void takeChunkedBody(bool ended);
    void finish(Failure failure);

    QTcpSocket *m_socket = nullptr;
    QTimer m_timeout;
    QByteArray m_received;
    QByteArray m_body;
    int m_headerEnd = -1;
    qint64 m_contentLength = -1;
    bool m_chunked = false;
    int m_status = 0;
    QString m_socketError;
    Failure m_failure = Failure::None;
    bool m_finished = false;
};
