// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypaddatagram.h"

#include <QtTest>

class tst_KeypadDatagram : public QObject
{
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
};

void tst_KeypadDatagram::decode_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("scene");

    const QByteArray scene = QByteArray::fromHex("0401dc4a01000103000000000003aabb");
    const QByteArray config = QByteArray::fromHex("0401dc4a0100030300000000000000ffee");
    QTest::newRow("scene 3") << scene << int(KeypadDatagram::SceneSelected) << 3;
    QTest::newRow("scene 8") << QByteArray(scene).replace(13, 1, "\x08") << int(KeypadDatagram::SceneSelected) << 8;
    QTest::newRow("scene 0") << QByteArray(scene).replace(13, 1, QByteArray(1, '\0')) << int(KeypadDatagram::Ignored)
                             << 0;
    QTest::newRow("scene 9") << QByteArray(scene).replace(13, 1, "\x09") << int(KeypadDatagram::Ignored) << 9;
    QTest::newRow("scene byte is signed") << QByteArray(scene).replace(13, 1, "\xff") << int(KeypadDatagram::Ignored)
                                          << -1;
    QTest::newRow("scene one byte short") << scene.left(15) << int(KeypadDatagram::Ignored) << 0;
    QTest::newRow("scene one byte long") << scene + 'x' << int(KeypadDatagram::Ignored) << 0;
    QTest::newRow("configuration changed") << config << int(KeypadDatagram::ConfigurationChanged) << 0;
    QTest::newRow("configuration, scene length") << config.left(16) << int(KeypadDatagram::Ignored) << 0;
    QTest::newRow("heartbeat type") << QByteArray(scene).replace(6, 1, "\x02") << int(KeypadDatagram::Ignored) << 0;
    QTest::newRow("wrong magic") << QByteArray(scene).replace(0, 1, "\x05") << int(KeypadDatagram::Ignored) << 0;
    QTest::newRow("version 2") << QByteArray(scene).replace(4, 1, "\x02") << int(KeypadDatagram::Ignored) << 0;
    QTest::newRow("empty") << QByteArray() << int(KeypadDatagram::Ignored) << 0;
}

void tst_KeypadDatagram::decode()
{
    QFETCH(QByteArray, datagram);
    QFETCH(int, kind);
    QFETCH(int, scene);
    const KeypadDatagram decoded = KeypadDatagram::decode(datagram);
    QCOMPARE(int(decoded.kind()), kind);
    QCOMPARE(decoded.scene(), scene);
}

QTEST_GUILESS_MAIN(tst_KeypadDatagram)
#include "tst_keypaddatagram.moc"
