// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;
class QSocketNotifier;

/**
 * Line-based control of the simulator, for tests and people: commands
 * arrive on standard input and, optionally, on a local socket; each gets
 * exactly one answer line ("ok ..." or "error ...") on the channel it came
 * from. Events ("event ...") go to standard output and to every connected
 * local client.
 */
class ControlChannel : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ControlChannel)
public:
    using Executor = std::function<QString(const QString &)>;

    explicit ControlChannel(Executor executor, QObject *parent = nullptr);
    ~ControlChannel() override;

    /** Reads commands from standard input; at its end, quits when quitOnEof. */
    void listenOnStdin(bool quitOnEof);
    /** Accepts commands on a local socket at path; false when it cannot listen there. */
    bool listenOnSocket(const QString &path, QString *error);

    /** Writes "event <text>" to every channel. */
    void publishEvent(const QString &text);

signals:
    void endOfInput();

private:
    void readStdin();
    void handleLines(QByteArray *buffer, const std::function<void(const QByteArray &)> &reply);

    Executor m_executor;
    QSocketNotifier *m_stdinNotifier = nullptr;
    QByteArray m_stdinBuffer;
    bool m_quitOnEof = false;
    QLocalServer *m_server = nullptr;
    QHash<QLocalSocket *, QByteArray> m_clients; ///< with each client's unfinished line
};
