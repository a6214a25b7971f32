// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlchannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

// Commands are short; a line longer than this is not a command.
constexpr int maxLineLength = 64 * 1024;

void writeStdout(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

} // namespace

ControlChannel::ControlChannel(Executor executor, QObject *parent)
    : QObject(parent)
    , m_executor(std::move(executor))
{
}

ControlChannel::~ControlChannel() = default;

void ControlChannel::listenOnStdin(bool quitOnEof)
{
    m_quitOnEof = quitOnEof;
    m_stdinNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_stdinNotifier, &QSocketNotifier::activated, this, &ControlChannel::readStdin);
}

void ControlChannel::readStdin()
{
    char chunk[4096];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof(chunk));
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        m_stdinNotifier->setEnabled(false);
        if (m_quitOnEof)
            emit endOfInput();
        return;
    }
    m_stdinBuffer.append(chunk, int(n));
    handleLines(&m_stdinBuffer, [](const QByteArray &line) { writeStdout(line); });
}

void ControlChannel::handleLines(QByteArray *buffer, const std::function<void(const QByteArray &)> &reply)
{
    int end;
    while ((end = buffer->indexOf('\n')) >= 0) {
        const QByteArray line = buffer->left(end).trimmed();
        buffer->remove(0, end + 1);
        if (line.isEmpty())
            continue;
        QString answer = m_executor(QString::fromLatin1(line));
        answer.replace(QLatin1Char('\n'), QLatin1Char(' '));
        reply(answer.toLatin1() + '\n');
    }
    if (buffer->size() > maxLineLength) {
        buffer->clear();
        reply(QByteArrayLiteral("error line too long\n"));
    }
}

bool ControlChannel::listenOnSocket(const QString &path, QString *error)
{
    m_server = new QLocalServer(this);
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) {
        *error = m_server->errorString();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            m_clients.insert(client, QByteArray());
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                QByteArray &buffer = m_clients[client];
                buffer.append(client->readAll());
                handleLines(&buffer, [client](const QByteArray &line) { client->write(line); });
            });
            connect(client, &QLocalSocket::disconnected, this, [this, client] {
                m_clients.remove(client);
                client->deleteLater();
            });
        }
    });
    return true;
}

void ControlChannel::publishEvent(const QString &text)
{
    const QByteArray line = QByteArrayLiteral("event ") + text.toLatin1() + '\n';
    writeStdout(line);
    for (QLocalSocket *client : m_clients.keys())
        client->write(line);
}
