// SPDX-License-Identifier: GPL-3.0-or-later
#include "testhttpserver.h"

#include <QTcpSocket>
#include <QUrl>

TestHttpServer::TestHttpServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::handleNewConnection);
}

TestHttpServer::~TestHttpServer() = default;

bool TestHttpServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

quint16 TestHttpServer::port() const
{
    return m_server.serverPort();
}

QString TestHttpServer::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

void TestHttpServer::setResponse(const QByteArray &path, const QByteArray &body, int status)
{
    m_responses.insert(path, Response{body, status});
}

void TestHttpServer::setHoldRequests(bool hold)
{
    m_hold = hold;
}

QList<QByteArray> TestHttpServer::requestLines() const
{
    QList<QByteArray> lines;
    for (const QByteArray &head : m_heads)
        lines.append(head.left(head.indexOf("\r\n")));
    return lines;
}

QList<QByteArray> TestHttpServer::requestHeads() const
{
    return m_heads;
}

void TestHttpServer::handleNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        // Parented to the server: held connections close when the test ends.
        socket->setParent(this);
        m_buffers.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { handleReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }
}

void TestHttpServer::handleReadyRead(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    // Keep-alive may bring several requests on one connection.
    int end;
    while ((end = buffer.indexOf("\r\n\r\n")) >= 0) {
        const QByteArray head = buffer.left(end);
        buffer.remove(0, end + 4);
        m_heads.append(head);
        const QByteArray requestLine = head.left(head.indexOf("\r\n"));
        emit requestReceived(requestLine);
        if (m_hold)
            continue;

        const QList<QByteArray> parts = requestLine.split(' ');
        const QByteArray target = parts.value(1);
        // A proxied request names the whole URL; answer by its path.
        const QByteArray path = target.startsWith('/') ? target : QUrl::fromEncoded(target).path(QUrl::FullyEncoded).toLatin1();
        const auto found = m_responses.constFind(path);
        const Response response = found != m_responses.cend() ? *found : Response{QByteArrayLiteral("not found"), 404};
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status) + " Test\r\n"
                           "Content-Type: text/xml\r\n"
                           "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n"
                           "Connection: close\r\n\r\n";
        reply += response.body;
        socket->write(reply);
        socket->disconnectFromHost();
        return;
    }
}
