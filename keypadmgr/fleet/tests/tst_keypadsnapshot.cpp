// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadscanner.h"
#include "keypadsnapshot.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray defaultConfiguration()
{
    QFile file(QString::fromLocal8Bit(qgetenv("KEYPAD_SOURCE_DIR"))
               + QStringLiteral("/keypadmgr/resources/defaultConfiguration.xml"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_KeypadSnapshot : public QObject
{
    Q_OBJECT
private slots:
    void documentReadsBackToItself();
    void readDocumentRefusesBrokenXml();
    void withName_data();
    void withName();
    void differences();
    void writingLeavesTheProgramsFixtureClass();
    void expandSubnet_data();
    void expandSubnet();
};

void tst_KeypadSnapshot::documentReadsBackToItself()
{
    const QByteArray original = defaultConfiguration();
    QVERIFY(!original.isEmpty());
    KeypadSnapshot first;
    QString error;
    QVERIFY2(first.readDocument(original, &error), qPrintable(error));
    const QString written = first.document();
    KeypadSnapshot second;
    QVERIFY2(second.readDocument(written.toLatin1(), &error), qPrintable(error));
    QCOMPARE(second.document(), written);
    QVERIFY(first.differences(second).isEmpty());
    QVERIFY(written.startsWith(QLatin1String("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<v1>\n<all_shows>\n"
                                             "<currentShow>")));
    QVERIFY(written.endsWith(QLatin1String("</config>\n\n</v1>")));
}

void tst_KeypadSnapshot::readDocumentRefusesBrokenXml()
{
    KeypadSnapshot snapshot;
    QString error;
    QVERIFY(!snapshot.readDocument(defaultConfiguration().left(300), &error));
    QVERIFY2(error.startsWith(QLatin1String("line ")), qPrintable(error));
}

void tst_KeypadSnapshot::withName_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray head = "<v1><config>\n<property>\n<url>/api/v1/config/name</url>\n<value>";
    const QByteArray tail = "</value>\n</property>\n<property>\n<url>/api/v1/config/universe</url>\n<value>3</value>\n"
                            "</property>\n</config></v1>";
    QTest::newRow("plain") << head + "Stage" + tail << QStringLiteral("Hall") << head + "Hall" + tail;
    QTest::newRow("markup in the name") << head + "Stage" + tail << QStringLiteral("A<B") << head + "A&lt;B" + tail;
    QTest::newRow("empty name in the file") << head + tail << QStringLiteral("Hall") << head + "Hall" + tail;
    QTest::newRow("spaced by hand") << QByteArray("<config><property><url> /api/v1/config/name </url> <value>x</value>")
                                    << QStringLiteral("Hall")
                                    << QByteArray("<config><property><url> /api/v1/config/name </url> <value>Hall</value>");
    QTest::newRow("no name") << QByteArray("<config></config>") << QStringLiteral("Hall") << QByteArray("<config></config>");
}

void tst_KeypadSnapshot::withName()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, name);
    QFETCH(QByteArray, expected);
    QCOMPARE(KeypadSnapshot::withName(document, name), expected);
}

void tst_KeypadSnapshot::differences()
{
    KeypadSnapshot a;
    KeypadSnapshot b;
    QString error;
    QVERIFY(a.readDocument(defaultConfiguration(), &error));
    QVERIFY(b.readDocument(defaultConfiguration(), &error));
    b.configuration().setUniverse(7, false);
    b.configuration().setBrightness(12);
    b.configuration().setSwitchEnabled(11, false, false);
    const auto list = a.differences(b);
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0).item, QStringLiteral("universe"));
    QCOMPARE(list.at(0).ours, QString::number(a.configuration().universe()));
    QCOMPARE(list.at(0).theirs, QStringLiteral("7"));
    QCOMPARE(list.at(1).item, QStringLiteral("switch_state"));
    QCOMPARE(list.at(1).theirs.right(2), QStringLiteral(",0"));
}

void tst_KeypadSnapshot::writingLeavesTheProgramsFixtureClass()
{
    SystemConfiguration::instance()->setFixtureClass(3, false);
    KeypadSnapshot snapshot;
    snapshot.configuration().setFixtureClass(5, false);
    const QString document = snapshot.document();
    QVERIFY(document.contains(QLatin1String("<url>/api/v1/config/global_profile</url>\n<value>5</value>")));
    QCOMPARE(int(SystemConfiguration::instance()->fixtureClass()), 3);
    SystemConfiguration::instance()->setFixtureClass(0, false);
}

void tst_KeypadSnapshot::expandSubnet_data()
{
    QTest::addColumn<QString>("cidr");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("/24") << QStringLiteral("10.2.0.0/24") << 254 << QStringLiteral("10.2.0.1") << QStringLiteral("10.2.0.254");
    QTest::newRow("/24 given by a host") << QStringLiteral("10.2.0.77/24") << 254 << QStringLiteral("10.2.0.1")
                                         << QStringLiteral("10.2.0.254");
    QTest::newRow("/16") << QStringLiteral("10.2.0.0/16") << 65534 << QStringLiteral("10.2.0.1")
                         << QStringLiteral("10.2.255.254");
    QTest::newRow("/31") << QStringLiteral("10.2.0.6/31") << 2 << QStringLiteral("10.2.0.6") << QStringLiteral("10.2.0.7");
    QTest::newRow("one address") << QStringLiteral(" 10.2.0.9 ") << 1 << QStringLiteral("10.2.0.9") << QStringLiteral("10.2.0.9");
    QTest::newRow("/15 is too large") << QStringLiteral("10.2.0.0/15") << -1 << QString() << QString();
    QTest::newRow("three parts") << QStringLiteral("10.2.0/24") << -1 << QString() << QString();
    QTest::newRow("prefix past 32") << QStringLiteral("10.2.0.0/33") << -1 << QString() << QString();
    QTest::newRow("IPv6") << QStringLiteral("fe80::1/64") << -1 << QString() << QString();
    QTest::newRow("a name") << QStringLiteral("lobby") << -1 << QString() << QString();
}

void tst_KeypadSnapshot::expandSubnet()
{
    QFETCH(QString, cidr);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QList<QHostAddress> hosts;
    QString error;
    QCOMPARE(KeypadScanner::expandSubnet(cidr, &hosts, &error), count >= 0);
    if (count < 0) {
        QVERIFY(hosts.isEmpty());
        QVERIFY(!error.isEmpty());
        return;
    }
    QCOMPARE(hosts.size(), count);
    QCOMPARE(hosts.first().toString(), first);
    QCOMPARE(hosts.last().toString(), last);
}

QTEST_GUILESS_MAIN(tst_KeypadSnapshot)
#include "tst_keypadsnapshot.moc"
