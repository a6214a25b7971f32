// SPDX-License-Identifier: GPL-3.0-or-later
#include "requestlog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_RequestLog : public QObject
{
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("empty") << QByteArray() << QByteArray("");
        QTest::newRow("form") << QByteArray("effect=2&param1=1") << QByteArray("effect=2&param1=1");
        QTest::newRow("line breaks and tabs")
            << QByteArray("a\tb\r\nc") << QByteArray("a\\tb\\r\\nc");
        QTest::newRow("backslashes") << QByteArray("\\n is not a line break") << QByteArray("\\\\n is not a line break");
    }

    void lines()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, written);
        const QDateTime time(QDate(2026, 3, 4), QTime(5, 6, 7, 89), Qt::UTC);
        const QByteArray line = RequestLog::formatLine({time, QStringLiteral("POST"), QStringLiteral("/api/v1/config"), body});
        QCOMPARE(line, "2026-03-04T05:06:07.089Z\tPOST\t/api/v1/config\t" + written + '\n');
        RequestLog::Entry entry;
        QVERIFY(RequestLog::parseLine(line, &entry));
        QCOMPARE(entry.time, time);
        QCOMPARE(entry.method, QStringLiteral("POST"));
        QCOMPARE(entry.path, QStringLiteral("/api/v1/config"));
        QCOMPARE(entry.body, body);
    }

    void notLogLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("empty") << QByteArray("\n");
        QTest::newRow("three fields") << QByteArray("2026-03-04T05:06:07.089Z\tGET\t/api/v1/shows\n");
        QTest::newRow("no time") << QByteArray("yesterday\tGET\t/api/v1/shows\t\n");
    }

    void notLogLines()
    {
        QFETCH(QByteArray, line);
        QVERIFY(!RequestLog::parseLine(line, nullptr));
    }

    void file()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("log"));
        RequestLog log;
        QVERIFY(!log.isOpen());
        log.append(QStringLiteral("GET"), QStringLiteral("/lost"), QByteArray()); // nowhere to go yet
        QVERIFY(log.open(path));
        log.append(QStringLiteral("GET"), QStringLiteral("/api/v1/shows"), QByteArray());
        log.append(QStringLiteral("POST"), QStringLiteral("/api/v1/shows/1"), QByteArray("apply=1"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 3);
        RequestLog::Entry first;
        RequestLog::Entry second;
        QVERIFY(RequestLog::parseLine(lines.at(0), &first));
        QVERIFY(RequestLog::parseLine(lines.at(1), &second));
        QCOMPARE(first.path, QStringLiteral("/api/v1/shows"));
        QCOMPARE(second.body, QByteArray("apply=1"));
        QVERIFY(second.time >= first.time);
        QVERIFY(lines.at(2).isEmpty());

        QString error;
        QVERIFY(!log.open(dir.filePath(QStringLiteral("no/such/folder/log")), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_RequestLog)
#include "tst_requestlog.moc"
