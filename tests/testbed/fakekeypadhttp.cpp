// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakekeypadhttp.h"

#include <QTcpSocket>

#include <memory>

FakeKeypadHttp::FakeKeypadHttp(QObject *parent)
    : QTcpServer(parent)
{
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection())
            serve(socket);
    });
}

bool FakeKeypadHttp::start(const QHostAddress &address)
{
    return listen(address, 80);
}

void FakeKeypadHttp::serve(QTcpSocket *socket)
{
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
        buffer->append(socket->readAll());
        for (;;) {
            const int headerEnd = buffer->indexOf("\r\n\r\n");
            if (headerEnd < 0)
                return;
            const QByteArray head = buffer->left(headerEnd);
            int length = 0;
            for (const QByteArray &line : head.split('\n')) {
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed().toInt();
            }
            if (buffer->size() < headerEnd + 4 + length)
                return;
            const QList<QByteArray> first = head.left(head.indexOf('\r')).split(' ');
            requests << QString::fromLatin1(first.value(0) + ' ' + first.value(1) + ' '
                                            + buffer->mid(headerEnd + 4, length));
            buffer->remove(0, headerEnd + 4 + length);
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 5\r\n\r\n<v1/>");
        }
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}
