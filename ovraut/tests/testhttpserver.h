// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

/**
 * A tiny HTTP/1.1 server on loopback for the update tests. It answers GET
 * requests from a table of paths, records every request head it reads, and
 * can be told to hold requests without ever answering. It also serves a
 * proxied request ("GET http://host/path"), answering by the path alone,
 * so it can stand in for an HTTP proxy.
 */
class TestHttpServer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(TestHttpServer)
public:
    explicit TestHttpServer(QObject *parent = nullptr);
    ~TestHttpServer() override;

    /** Listens on 127.0.0.1 on a free port. */
    bool listen();
    quint16 port() const;
    /** "127.0.0.1:<port>", the form the update tool takes as its host. */
    QString hostAndPort() const;

    /** Serves @p body with @p status for @p path; other paths get 404. */
    void setResponse(const QByteArray &path, const QByteArray &body, int status = 200);
    /** When set, requests are read and recorded but never answered. */
    void setHoldRequests(bool hold);

    /** Request lines in arrival order, e.g. "GET /x HTTP/1.1". */
    QList<QByteArray> requestLines() const;
    /** Whole request heads (request line and headers) in arrival order. */
    QList<QByteArray> requestHeads() const;

signals:
    void requestReceived(const QByteArray &requestLine);

private:
    struct Response
    {
        QByteArray body;
        int status = 200;
    };
    void handleNewConnection();
    void handleReadyRead(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, Response> m_responses;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<QByteArray> m_heads;
    bool m_hold = false;
};
