// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadhttpget.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(KeypadHttpGet::Failure)

class tst_KeypadHttpGet : public QObject
{
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void refusedConnection();
};

void tst_KeypadHttpGet::answers_data()
{
    // The answer comes in the pieces given, 20 ms apart; then the keypad
    // closes the connection or keeps it open.
    QTest::addColumn<QByteArrayList>("pieces");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<KeypadHttpGet::Failure>("failure");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    using F = KeypadHttpGet::Failure;
    QTest::newRow("length, connection kept")
        << QByteArrayList{"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"} << false << F::None << 200
        << QByteArray("hello");
    QTest::newRow("until the end of the connection")
        << QByteArrayList{"HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n\r\nhello", " world"} << true << F::None << 200
        << QByteArray("hello world");
    QTest::newRow("chunks")
        << QByteArrayList{"HTTP/1.1 200 OK\r\ntransfer-encoding: Chunked\r\n\r\n5\r\nhel", "lo\r\n6;x=1\r\n world\r\n",
                          "0\r\n\r\n"}
        << false << F::None << 200 << QByteArray("hello world");
    QTest::newRow("headers in pieces")
        << QByteArrayList{"HTTP/1.1 2", "00 OK\r\ncontent-length: 3\r", "\n\r\nab", "c"} << false << F::None << 200
        << QByteArray("abc");
    QTest::newRow("error status") << QByteArrayList{"HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n"}
                                  << false << F::Status << 500 << QByteArray();
    QTest::newRow("redirect") << QByteArrayList{"HTTP/1.1 302 Found\r\nLocation: /\r\n\r\n"} << true << F::Status << 302
                              << QByteArray();
    QTest::newRow("body shorter than said")
        << QByteArrayList{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc"} << true << F::BrokenAnswer << 200
        << QByteArray();
    QTest::newRow("last chunk missing")
        << QByteArrayList{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n"} << true
        << F::BrokenAnswer << 200 << QByteArray();
    QTest::newRow("bad chunk size") << QByteArrayList{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n"}
                                    << false << F::BrokenAnswer << 200 << QByteArray();
    QTest::newRow("closed without an answer") << QByteArrayList{} << true << F::BrokenAnswer << 0 << QByteArray();
    QTest::newRow("headers never end") << QByteArrayList{"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n"} << true
                                       << F::BrokenAnswer << 0 << QByteArray();
    QTest::newRow("not HTTP") << QByteArrayList{"hello\r\n\r\n"} << true << F::BrokenAnswer << 0 << QByteArray();
    QTest::newRow("silent") << QByteArrayList{} << false << F::TimedOut << 0 << QByteArray();
}

void tst_KeypadHttpGet::answers()
{
    QFETCH(QByteArrayList, pieces);
    QFETCH(bool, closes);
    QFETCH(KeypadHttpGet::Failure, failure);
    QFETCH(int, status);
    QFETCH(QByteArray, body);

    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QByteArray request;
    QTcpSocket *peer = nullptr;
    QTimer pacing;
    pacing.setInterval(20);
    connect(&server, &QTcpServer::newConnection, this, [&] {
        peer = server.nextPendingConnection();
        connect(peer, &QTcpSocket::readyRead, this, [&] {
            request += peer->readAll();
            if (request.endsWith("\r\n\r\n"))
                pacing.start();
        });
    });
    connect(&pacing, &QTimer::timeout, this, [&] {
        if (!pieces.isEmpty()) {
            peer->write(pieces.takeFirst());
            return;
        }
        pacing.stop();
        if (closes)
            peer->disconnectFromHost();
    });

    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.serverPort());
    KeypadHttpGet get(address, QStringLiteral("/api/v1/config"), 1500);
    QSignalSpy finished(&get, &KeypadHttpGet::finished);
    QVERIFY(finished.wait(10000));
    QCOMPARE(request, "GET /api/v1/config HTTP/1.1\r\nHost: " + address.toLatin1() + "\r\nConnection: close\r\n\r\n");
    QCOMPARE(get.failure(), failure);
    QCOMPARE(get.status(), status);
    QCOMPARE(get.body(), body);
    QVERIFY(get.isFinished());
    // Once only, whatever the peer does afterwards.
    QTest::qWait(100);
    QCOMPARE(finished.count(), 1);
}

void tst_KeypadHttpGet::refusedConnection()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();
    KeypadHttpGet get(QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("/api/v1/shows"), 5000);
    QSignalSpy finished(&get, &KeypadHttpGet::finished);
    QVERIFY(finished.wait(10000));
    QCOMPARE(get.failure(), KeypadHttpGet::Failure::Socket);
    QCOMPARE(get.socketError(), QStringLiteral("Connection refused"));
}

QTEST_GUILESS_MAIN(tst_KeypadHttpGet)
#include "tst_keypadhttpget.moc"
