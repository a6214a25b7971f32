// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadhttpget.h"

#include "fleetlogging.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace {

// A keypad's answers are a few kilobytes; a peer that sends on and on is
// no keypad.
constexpr int maximumAnswer = 8 * 1024 * 1024;
constexpr int httpPort = 80;

} // namespace

KeypadHttpGet::KeypadHttpGet(const QString &address, const QString &path, int timeoutMs, QObject *parent)
    : QObject(parent)
    , m_socket(new QTcpSocket(this))
{
    QString host = address;
    quint16 port = httpPort;
    const int colon = address.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        bool ok = false;
        const uint number = address.mid(colon + 1).toUInt(&ok);
        if (ok && number > 0 && number <= 0xFFFF) {
            host = address.left(colon);
            port = quint16(number);
        }
    }
    const QByteArray request = "GET " + path.toLatin1() + " HTTP/1.1\r\nHost: " + address.toLatin1()
        + "\r\nConnection: close\r\n\r\n";

    m_timeout.setSingleShot(true);
    m_timeout.setInterval(timeoutMs);
    connect(&m_timeout, &QTimer::timeout, this, [this] { finish(Failure::TimedOut); });
    connect(m_socket, &QTcpSocket::connected, this, [this, request] {
        m_timeout.start();
        m_socket->write(request);
    });
    connect(m_socket, &QTcpSocket::readyRead, this, &KeypadHttpGet::readAnswer);
    connect(m_socket, &QTcpSocket::disconnected, this, &KeypadHttpGet::connectionEnded);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) {
            connectionEnded();
            return;
        }
        m_socketError = m_socket->errorString();
        finish(Failure::Socket);
    });
    // The connection itself goes out from the event loop, so whoever made
    // this request hears of its end.
    m_timeout.start();
    m_socket->connectToHost(QHostAddress(host), port);
}

KeypadHttpGet::~KeypadHttpGet()
{
    abort();
}

void KeypadHttpGet::abort()
{
    m_timeout.stop();
    m_finished = true;
    m_socket->disconnect(this);
    m_socket->abort();
}

void KeypadHttpGet::readAnswer()
{
    if (m_finished)
        return;
    m_received += m_socket->readAll();
    m_timeout.start();
    parse(false);
}

void KeypadHttpGet::connectionEnded()
{
    if (m_finished)
        return;
    m_received += m_socket->readAll();
    parse(true);
}

void KeypadHttpGet::parse(bool ended)
{
    if (m_received.size() > maximumAnswer) {
        finish(Failure::BrokenAnswer);
        return;
    }
    if (m_headerEnd < 0) {
        const int blank = m_received.indexOf("\r\n\r\n");
        if (blank < 0) {
            if (ended)
                finish(Failure::BrokenAnswer);
            return;
        }
        m_headerEnd = blank + 4;
        const QList<QByteArray> lines = m_received.left(blank).split('\n');
        // "HTTP/1.1 200 OK"
        const QByteArray statusLine = lines.first().trimmed();
        bool ok = statusLine.startsWith("HTTP/1.") && statusLine.size() >= 12 && statusLine.at(8) == ' ';
        if (ok)
            m_status = statusLine.mid(9, 3).toInt(&ok);
        if (!ok) {
            finish(Failure::BrokenAnswer);
            return;
        }
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray &line = lines.at(i);
            const int colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-length") {
                bool isNumber = false;
                const qint64 length = value.toLongLong(&isNumber);
                m_contentLength = isNumber && length >= 0 ? length : -1;
            } else if (name == "transfer-encoding") {
                m_chunked = value.toLower().contains("chunked");
            }
        }
        // The answer's body is of no use then; its status says enough.
        if (m_status < 200 || m_status > 299) {
            finish(Failure::Status);
            return;
        }
    }

    if (m_chunked) {
        takeChunkedBody(ended);
        return;
    }
    const qint64 bodySize = m_received.size() - m_headerEnd;
    if (m_contentLength >= 0 && bodySize >= m_contentLength) {
        m_body = m_received.mid(m_headerEnd, int(m_contentLength));
        finish(Failure::None);
        return;
    }
    if (!ended)
        return;
    // Without a length the answer ends with the connection; with one, an
    // end before it is a broken answer.
    if (m_contentLength >= 0) {
        finish(Failure::BrokenAnswer);
    } else {
        m_body = m_received.mid(m_headerEnd);
        finish(Failure::None);
    }
}

void KeypadHttpGet::takeChunkedBody(bool ended)
{
    QByteArray body;
    int at = m_headerEnd;
    for (;;) {
        const int lineEnd = m_received.indexOf("\r\n", at);
        if (lineEnd < 0)
            break;
        QByteArray sizeText = m_received.mid(at, lineEnd - at);
        const int extension = sizeText.indexOf(';');
        if (extension >= 0)
            sizeText.truncate(extension);
        bool ok = false;
        const int size = sizeText.trimmed().toInt(&ok, 16);
        if (!ok || size < 0) {
            finish(Failure::BrokenAnswer);
            return;
        }
        if (size == 0) {
            m_body = body;
            finish(Failure::None);
            return;
        }
        const int dataStart = lineEnd + 2;
        if (m_received.size() < dataStart + size + 2)
            break;
        body += m_received.mid(dataStart, size);
        at = dataStart + size + 2;
    }
    if (ended)
        finish(Failure::BrokenAnswer);
}

void KeypadHttpGet::finish(Failure failure)
{
    if (m_finished)
        return;
    m_failure = failure;
    if (failure != Failure::None)
        qCDebug(lcFleet) << "GET to" << m_socket->peerAddress().toString() << "failed:" << int(failure) << m_status << m_socketError;
    abort();
    emit finished();
}
