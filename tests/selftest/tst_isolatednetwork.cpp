// SPDX-License-Identifier: GPL-3.0-or-later
#include "isolatednetwork.h"

#include <QTest>
#include <QUdpSocket>

// The suite's own guard: the runner must have put us in a namespace with
// only loopback up, where a broadcast goes nowhere.
class tst_IsolatedNetwork : public QObject
{
    Q_OBJECT
private slots:
    void runsIsolated()
    {
        QString why;
        QVERIFY2(KeypadTest::isNetworkIsolated(&why), qPrintable(why));
    }
    void loopbackWorks()
    {
        QUdpSocket receiver;
        QVERIFY(receiver.bind(QHostAddress(QHostAddress::LocalHost), 0));
        QUdpSocket sender;
        QCOMPARE(sender.writeDatagram("ping", QHostAddress::LocalHost, receiver.localPort()), qint64(4));
        QTRY_VERIFY_WITH_TIMEOUT(receiver.hasPendingDatagrams(), 5000);
    }
};

QTEST_GUILESS_MAIN(tst_IsolatedNetwork)
#include "tst_isolatednetwork.moc"
