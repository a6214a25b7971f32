// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetbackup.h"
#include "fleetcommand.h"
#include "fleetsettings.h"
#include "keypadsnapshot.h"

#include "keypadstate.h"
#include "keypadtestbed.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <memory>

namespace {

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

Outcome runCommand(const QStringList &arguments, int timeoutMs = 3000)
{
    Outcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    FleetCommand command(&out, &err);
    command.setTimeout(timeoutMs);
    outcome.status = command.run(QStringList{QStringLiteral("keypadmgr")} + arguments);
    return outcome;
}

QStringList xmlFiles(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString stageScene = QStringLiteral("effect=2&param1=40&param2=1&param_xy=(0,0,0)&num_colors=0");

} // namespace

class tst_FleetCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void listFindsKeypadsByBroadcastOnly();
    void listWithScanFindsTheRoutedKeypad();
    void listAsJson();
    void listAsksTheRememberedSubnets_data();
    void listAsksTheRememberedSubnets();
    void backupAllAsksTheRememberedAddresses();
    void backupAll();
    void backupByAddressRemembersTheKeypadsMac();
    void backupTwiceInOneMinuteKeepsBoth();
    void backupOfKeypadThatStopsAnsweringHalfWay();
    void backupToReadOnlyFolder();
    void restoreKeepsTheKeypadsName();
    void restoreWithIdentity();
    void restoreOfUnreadableFileSendsNothing();
    void diffNamesTheDifferingScene();
    void diffAsJson();
    void diffOfEqualKeypadIsEmpty();
    void fileName_data();
    void fileName();
    void usageErrors_data();
    void usageErrors();
    void runsWithoutDisplay();

private:
    int requestCount(int keypad, const QString &method) const;
    /** The file of a backup of the keypad at @p address into the folder @p folderName; empty when it failed. */
    QString backedUp(const QString &address, const QString &folderName) const;

    std::unique_ptr<KeypadTestBed> m_bed;
    QTemporaryDir m_dir;
    int m_hall = -1;
    int m_lobby = -1;
    int m_stage = -1;
};

void tst_FleetCommand::initTestCase()
{
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_fleetcommand"));
    KeypadTestBed::SimulatorOptions hall;
    hall.name = QStringLiteral("Hall");
    hall.heartbeatMs = 0;
    KeypadTestBed::SimulatorOptions lobby;
    lobby.name = QStringLiteral("Lobby");
    lobby.heartbeatMs = 0;
    lobby.firmware = QStringLiteral("1.1.19");
    KeypadTestBed::SimulatorOptions stage;
    stage.name = QStringLiteral("Stage/Left");
    stage.heartbeatMs = 0;
    stage.routed = true;
    m_hall = m_bed->startSimulator(hall);
    QVERIFY2(m_hall >= 0, qPrintable(m_bed->errorString()));
    m_lobby = m_bed->startSimulator(lobby);
    QVERIFY2(m_lobby >= 0, qPrintable(m_bed->errorString()));
    m_stage = m_bed->startSimulator(stage);
    QVERIFY2(m_stage >= 0, qPrintable(m_bed->errorString()));
    QCOMPARE(m_bed->simulatorAddress(m_stage).toString(), QStringLiteral("192.168.88.12"));
    QVERIFY(m_dir.isValid());
}

void tst_FleetCommand::init()
{
    // Every test starts from the same keypads: restores change Hall's name
    // and scenes, so they go back to what it started with.
    for (int keypad : {m_hall, m_lobby, m_stage})
        QCOMPARE(m_bed->command(keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    QCOMPARE(m_bed->command(m_hall, QStringLiteral("config name=Hall")), QStringLiteral("ok"));
    const QVector<QString> scenes = KeypadState::defaultSceneBodies();
    for (int i = 0; i < scenes.size(); ++i)
        QCOMPARE(m_bed->command(m_hall, QStringLiteral("scene %1 %2").arg(i + 1).arg(scenes.at(i))), QStringLiteral("ok"));
    QCOMPARE(m_bed->command(m_stage, QStringLiteral("scene 3 ") + stageScene), QStringLiteral("ok"));
    // What the keypad list remembers is the user's; each test sets its own.
    QSettings().remove(QStringLiteral("keypads"));
}

QString tst_FleetCommand::backedUp(const QString &address, const QString &folderName) const
{
    const QString folder = m_dir.filePath(folderName);
    const Outcome backup =
        runCommand({QStringLiteral("backup"), QStringLiteral("--keypad"), address, QStringLiteral("--dir"), folder});
    const QStringList files = xmlFiles(folder);
    return backup.status == 0 && files.size() == 1 ? QDir(folder).filePath(files.first()) : QString();
}

int tst_FleetCommand::requestCount(int keypad, const QString &method) const
{
    int count = 0;
    for (const auto &request : m_bed->requestLog(keypad))
        count += request.method == method ? 1 : 0;
    return count;
}

void tst_FleetCommand::listFindsKeypadsByBroadcastOnly()
{
    const Outcome result = runCommand({QStringLiteral("list")});
    QCOMPARE(result.status, 0);
    // The keypad behind the router hears no broadcast.
    QCOMPARE(result.out, QStringLiteral("Hall\t192.168.77.10\t02:4c:4b:00:00:01\t1.2.0\t0\n"
                                        "Lobby\t192.168.77.11\t02:4c:4b:00:00:02\t1.1.19\t0\n"));
    QCOMPARE(result.err, QString());
}

void tst_FleetCommand::listWithScanFindsTheRoutedKeypad()
{
    QElapsedTimer clock;
    clock.start();
    const Outcome result = runCommand({QStringLiteral("list"), QStringLiteral("--scan"), QStringLiteral("192.168.88.0/24"),
                                       QStringLiteral("--address"), QStringLiteral("192.168.77.10")});
    // A /24 is asked in well under two seconds, reply window included.
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QStringLiteral("Hall\t192.168.77.10\t02:4c:4b:00:00:01\t1.2.0\t0\n"
                                        "Lobby\t192.168.77.11\t02:4c:4b:00:00:02\t1.1.19\t0\n"
                                        "Stage/Left\t192.168.88.12\t02:4c:4b:00:00:03\t1.2.0\t0\n"));
}

void tst_FleetCommand::listAsJson()
{
    const Outcome result = runCommand({QStringLiteral("list"), QStringLiteral("--json"), QStringLiteral("--scan"),
                                       QStringLiteral("192.168.88.12/32")});
    QCOMPARE(result.status, 0);
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray keypads = json.array();
    QCOMPARE(keypads.size(), 3);
    QCOMPARE(keypads.at(2).toObject(),
             (QJsonObject{{QStringLiteral("name"), QStringLiteral("Stage/Left")},
                          {QStringLiteral("address"), QStringLiteral("192.168.88.12")},
                          {QStringLiteral("mac"), QStringLiteral("02:4c:4b:00:00:03")},
                          {QStringLiteral("firmware"), QStringLiteral("1.2.0")},
                          {QStringLiteral("universe"), 0}}));
}

void tst_FleetCommand::backupAll()
{
    const QString folder = m_dir.filePath(QStringLiteral("all"));
    const int postsBefore = requestCount(m_hall, QStringLiteral("POST"));
    const Outcome result = runCommand({QStringLiteral("backup"), QStringLiteral("--all"), QStringLiteral("--scan"),
                                       QStringLiteral("192.168.88.0/24"), QStringLiteral("--dir"), folder});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QString());
    const QStringList files = xmlFiles(folder);
    QCOMPARE(files.size(), 3);
    const QRegularExpression names(QStringLiteral(
        "^(Hall_192\\.168\\.77\\.10|Lobby_192\\.168\\.77\\.11|Stage_Left_192\\.168\\.88\\.12)_\\d{4}-\\d\\d-\\d\\d-\\d{4}\\.xml$"));
    for (const QString &file : files)
        QVERIFY2(names.match(file).hasMatch(), qPrintable(file));
    // One line per keypad on standard output: address and file.
    QCOMPARE(result.out.count(QLatin1Char('\n')), 3);
    QVERIFY(result.out.contains(QStringLiteral("192.168.88.12\t") + folder + QLatin1String("/Stage_Left_")));

    // The file is a configuration file of that keypad.
    const QString stageFile = files.filter(QStringLiteral("Stage_Left")).value(0);
    KeypadSnapshot snapshot;
    QString error;
    QVERIFY2(snapshot.readDocument(fileContents(QDir(folder).filePath(stageFile)), &error), qPrintable(error));
    QCOMPARE(snapshot.configuration().name(), QStringLiteral("Stage/Left"));
    QVERIFY(snapshot.document().startsWith(QLatin1String("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<v1>\n")));
    // Reading a keypad changes nothing on it.
    QCOMPARE(requestCount(m_hall, QStringLiteral("POST")), postsBefore);
    // The keypad list shows when each was backed up last.
    KeypadInfo stage;
    stage.mac = m_bed->simulatorMac(m_stage);
    QCOMPARE(FleetSettings::lastBackup(stage).file, QDir(folder).filePath(stageFile));
}

void tst_FleetCommand::backupByAddressRemembersTheKeypadsMac()
{
    // Given by address alone, the keypad is asked for its MAC: its last
    // backup goes with it, not with the address.
    const QString folder = m_dir.filePath(QStringLiteral("bymac"));
    const Outcome result = runCommand({QStringLiteral("backup"), QStringLiteral("--keypad"), QStringLiteral("192.168.88.12"),
                                       QStringLiteral("--dir"), folder});
    QCOMPARE(result.status, 0);
    const QStringList files = xmlFiles(folder);
    QCOMPARE(files.size(), 1);
    KeypadInfo moved;
    moved.mac = m_bed->simulatorMac(m_stage);
    moved.address = QStringLiteral("192.168.88.40");
    QCOMPARE(FleetSettings::lastBackup(moved).file, QDir(folder).filePath(files.first()));
    KeypadInfo replacement;
    replacement.mac = QByteArray::fromHex("024c4b0000ff");
    replacement.address = QStringLiteral("192.168.88.12");
    QVERIFY(!FleetSettings::lastBackup(replacement).time.isValid());
}

void tst_FleetCommand::backupTwiceInOneMinuteKeepsBoth()
{
    // Both files wait for the same flush to disk: the second still gets a
    // name of its own.
    const QString folder = m_dir.filePath(QStringLiteral("twice"));
    const Outcome result = runCommand({QStringLiteral("backup"), QStringLiteral("--keypad"), QStringLiteral("192.168.77.10"),
                                       QStringLiteral("--keypad"), QStringLiteral("192.168.77.10"), QStringLiteral("--dir"),
                                       folder});
    QCOMPARE(result.status, 0);
    const QStringList files = xmlFiles(folder);
    QCOMPARE(files.size(), 2);
    // Sorted by name: "..._hhmm-2.xml" before "..._hhmm.xml" (unless the
    // minute turned between the two).
    if (files.at(0).endsWith(QLatin1String("-2.xml")))
        QCOMPARE(files.at(0), files.at(1).chopped(4) + QLatin1String("-2.xml"));
    for (const QString &file : files) {
        QVERIFY2(QRegularExpression(QStringLiteral("^Hall_192\\.168\\.77\\.10_\\d{4}-\\d\\d-\\d\\d-\\d{4}(-2)?\\.xml$"))
                     .match(file)
                     .hasMatch(),
                 qPrintable(file));
    }
    QCOMPARE(fileContents(QDir(folder).filePath(files.at(0))), fileContents(QDir(folder).filePath(files.at(1))));
}

void tst_FleetCommand::listAsksTheRememberedSubnets_data()
{
    QTest::addColumn<QStringList>("subnets");
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("stageListed");
    QTest::addColumn<bool>("warns");
    const QStringList routed{QStringLiteral("192.168.88.0/24")};
    const QStringList stage{QStringLiteral("192.168.88.12")};
    QTest::newRow("remembered subnet") << routed << QStringList() << QStringList() << true << false;
    QTest::newRow("remembered address") << QStringList() << stage << QStringList() << true << false;
    QTest::newRow("left out") << routed << stage << QStringList{QStringLiteral("--no-remembered")} << false << false;
    QTest::newRow("unreadable entry skipped") << QStringList{QStringLiteral("192.168.88/24")} << stage << QStringList()
                                              << true << true;
}

void tst_FleetCommand::listAsksTheRememberedSubnets()
{
    QFETCH(QStringList, subnets);
    QFETCH(QStringList, addresses);
    QFETCH(QStringList, options);
    QFETCH(bool, stageListed);
    QFETCH(bool, warns);
    FleetSettings::setSubnets(subnets);
    FleetSettings::setAddresses(addresses);
    if (warns)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("remembered keypad entry left out")));
    const Outcome result = runCommand(QStringList{QStringLiteral("list")} + options);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QString());
    // Only the keypad behind the router tells whether the remembered
    // entries were asked (the others answer the broadcast).
    const QString stage = QStringLiteral("Stage/Left\t192.168.88.12\t02:4c:4b:00:00:03\t1.2.0\t0\n");
    QVERIFY2(result.out.contains(stage) == stageListed, qPrintable(result.out));
}

void tst_FleetCommand::backupAllAsksTheRememberedAddresses()
{
    FleetSettings::setAddresses({QStringLiteral("192.168.88.12")});
    const QString folder = m_dir.filePath(QStringLiteral("remembered"));
    const Outcome result = runCommand({QStringLiteral("backup"), QStringLiteral("--all"), QStringLiteral("--dir"), folder});
    QCOMPARE(result.status, 0);
    QCOMPARE(xmlFiles(folder).size(), 3);
    QCOMPARE(xmlFiles(folder).filter(QStringLiteral("Stage_Left_192.168.88.12_")).size(), 1);
}

void tst_FleetCommand::backupOfKeypadThatStopsAnsweringHalfWay()
{
    // Lobby answers the broadcast that finds it, and then its HTTP side
    // keeps every answer longer than the time-out.
    QCOMPARE(m_bed->command(m_lobby, QStringLiteral("fault delay 8000")), QStringLiteral("ok"));
    const int from = m_bed->requestLog(m_lobby).size();
    const QString folder = m_dir.filePath(QStringLiteral("halfway"));
    const Outcome result = runCommand({QStringLiteral("backup"), QStringLiteral("--all"), QStringLiteral("--address"),
                                       QStringLiteral("192.168.88.12"), QStringLiteral("--dir"), folder});
    QCOMPARE(result.status, 1);
    // The others are backed up; Lobby leaves no file, not even a partial one.
    const QStringList files = xmlFiles(folder);
    QCOMPARE(files.size(), 2);
    QVERIFY(files.filter(QStringLiteral("Lobby")).isEmpty());
    QCOMPARE(result.err, QStringLiteral("Lobby (192.168.77.11): no answer within 3 s\n"));
    QCOMPARE(result.out.count(QLatin1Char('\n')), 2);
    QStringList paths;
    for (const auto &request : m_bed->requestLog(m_lobby).mid(from))
        paths << request.method + QLatin1Char(' ') + request.path;
    paths.sort();
    QCOMPARE(paths, (QStringList{QStringLiteral("GET /api/v1/config"), QStringLiteral("GET /api/v1/shows")}));
}

void tst_FleetCommand::backupToReadOnlyFolder()
{
    // Permissions do not stop root (a test runs as root of its namespace); a
    // read-only mount does.
    const QString folder = m_dir.filePath(QStringLiteral("readonly"));
    QVERIFY(QDir().mkpath(folder));
    if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), folder, folder}) != 0)
        QSKIP("cannot bind-mount here");
    const bool readOnly = QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"),
                                                                      folder}) == 0;
    Outcome result;
    if (readOnly)
        result = runCommand({QStringLiteral("backup"), QStringLiteral("--keypad"), QStringLiteral("192.168.77.10"),
                             QStringLiteral("--keypad"), QStringLiteral("192.168.88.12"), QStringLiteral("--dir"), folder});
    QProcess::execute(QStringLiteral("umount"), {folder});
    if (!readOnly)
        QSKIP("cannot make a read-only mount here");
    QCOMPARE(result.status, 1);
    QCOMPARE(result.out, QString());
    const QStringList lines = result.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    for (const QString &line : lines)
        QVERIFY2(line.contains(QLatin1String(": cannot write ") + folder), qPrintable(line));
    QVERIFY(lines.filter(QStringLiteral("Hall (192.168.77.10): ")).size() == 1);
    QVERIFY(xmlFiles(folder).isEmpty());
}

void tst_FleetCommand::restoreKeepsTheKeypadsName()
{
    const QString file = backedUp(QStringLiteral("192.168.88.12"), QStringLiteral("restore"));
    QVERIFY(!file.isEmpty());
    // Hall is the replacement: its scene 5 differs from Stage's.
    QCOMPARE(m_bed->command(m_hall, QStringLiteral("scene 5 effect=6&param1=10&param2=20")), QStringLiteral("ok"));
    QCOMPARE(runCommand({QStringLiteral("diff"), file, QStringLiteral("--keypad"), QStringLiteral("192.168.77.10")}).status, 1);

    const Outcome result = runCommand({QStringLiteral("restore"), file, QStringLiteral("--keypad"),
                                       QStringLiteral("192.168.77.10")});
    QVERIFY2(result.status == 0, qPrintable(result.err));
    QCOMPARE(result.out, QStringLiteral("192.168.77.10\trestored from ") + file + QLatin1Char('\n'));
    QVERIFY(m_bed->command(m_hall, QStringLiteral("status")).endsWith(QLatin1String(" name=Hall")));
    // Only the name differs now.
    const Outcome diff = runCommand({QStringLiteral("diff"), file, QStringLiteral("--keypad"), QStringLiteral("192.168.77.10")});
    QCOMPARE(diff.status, 1);
    QCOMPARE(diff.out, QStringLiteral("name\n  file: Stage/Left\n  keypad: Hall\n"));
}

void tst_FleetCommand::restoreWithIdentity()
{
    const QString file = backedUp(QStringLiteral("192.168.77.11"), QStringLiteral("identity"));
    QVERIFY(!file.isEmpty());
    const Outcome result = runCommand({QStringLiteral("restore"), file, QStringLiteral("--keypad"),
                                       QStringLiteral("192.168.77.10"), QStringLiteral("--with-identity")});
    QVERIFY2(result.status == 0, qPrintable(result.err));
    QVERIFY(m_bed->command(m_hall, QStringLiteral("status")).endsWith(QLatin1String(" name=Lobby")));
    QCOMPARE(runCommand({QStringLiteral("diff"), file, QStringLiteral("--keypad"), QStringLiteral("192.168.77.10")}).status, 0);
}

void tst_FleetCommand::restoreOfUnreadableFileSendsNothing()
{
    const QString file = m_dir.filePath(QStringLiteral("broken.xml"));
    QFile broken(file);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("<?xml version=\"1.0\"?>\n<v1>\n<all_shows>\n<show><url>/api/v1/shows/1</url");
    broken.close();
    const int before = m_bed->requestLog(m_hall).size();
    const Outcome result = runCommand({QStringLiteral("restore"), file, QStringLiteral("--keypad"),
                                       QStringLiteral("192.168.77.10")});
    QCOMPARE(result.status, 1);
    QVERIFY2(result.err.startsWith(QLatin1String("Cannot read file ") + file + QLatin1String(": line ")),
             qPrintable(result.err));
    QCOMPARE(m_bed->requestLog(m_hall).size(), before);
}

void tst_FleetCommand::diffNamesTheDifferingScene()
{
    const QString file = backedUp(QStringLiteral("192.168.77.11"), QStringLiteral("diff"));
    QVERIFY(!file.isEmpty());
    QCOMPARE(m_bed->command(m_lobby, QStringLiteral("scene 7 effect=0&param1=1&param2=2&param3=3")),
             QStringLiteral("ok"));
    QCOMPARE(m_bed->command(m_lobby, QStringLiteral("config universe=9")), QStringLiteral("ok"));
    const Outcome result = runCommand({QStringLiteral("diff"), file, QStringLiteral("--keypad"), QStringLiteral("192.168.77.11")});
    QCOMPARE(result.status, 1);
    const QStringList lines = result.out.split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("scene 7"));
    QVERIFY2(lines.value(1).startsWith(QLatin1String("  file: effect=6&")), qPrintable(lines.value(1)));
    QVERIFY2(lines.value(2).startsWith(QLatin1String("  keypad: effect=0&")), qPrintable(lines.value(2)));
    QCOMPARE(lines.mid(3), (QStringList{QStringLiteral("universe"), QStringLiteral("  file: 0"),
                                        QStringLiteral("  keypad: 9"), QString()}));
    QCOMPARE(m_bed->command(m_lobby, QStringLiteral("config universe=0")), QStringLiteral("ok"));
    QCOMPARE(m_bed->command(m_lobby, QStringLiteral("scene 7 effect=6&param1=128&param2=255")), QStringLiteral("ok"));
}

void tst_FleetCommand::diffAsJson()
{
    const QString file = backedUp(QStringLiteral("192.168.77.11"), QStringLiteral("diffjson"));
    QVERIFY(!file.isEmpty());
    QCOMPARE(m_bed->command(m_lobby, QStringLiteral("config num_ports=4")), QStringLiteral("ok"));
    const Outcome result = runCommand({QStringLiteral("diff"), file, QStringLiteral("--keypad"),
                                       QStringLiteral("192.168.77.11"), QStringLiteral("--json")});
    QCOMPARE(m_bed->command(m_lobby, QStringLiteral("config num_ports=1")), QStringLiteral("ok"));
    QCOMPARE(result.status, 1);
    QCOMPARE(QJsonDocument::fromJson(result.out.toUtf8()).array(),
             (QJsonArray{QJsonObject{{QStringLiteral("item"), QStringLiteral("num_ports")},
                                     {QStringLiteral("file"), QStringLiteral("1")},
                                     {QStringLiteral("keypad"), QStringLiteral("4")}}}));
}

void tst_FleetCommand::diffOfEqualKeypadIsEmpty()
{
    const QString file = backedUp(QStringLiteral("192.168.88.12"), QStringLiteral("equal"));
    QVERIFY(!file.isEmpty());
    const Outcome result = runCommand({QStringLiteral("diff"), file, QStringLiteral("--keypad"), QStringLiteral("192.168.88.12"),
                                       QStringLiteral("--json")});
    QCOMPARE(result.status, 0);
    QCOMPARE(QJsonDocument::fromJson(result.out.toUtf8()).array(), QJsonArray());
}

void tst_FleetCommand::fileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QStringLiteral("Hall") << QStringLiteral("10.2.0.7")
                           << QStringLiteral("Hall_10.2.0.7_2026-12-08-0905.xml");
    QTest::newRow("spaces and slashes") << QStringLiteral("Foyer East/2") << QStringLiteral("10.2.0.7")
                                        << QStringLiteral("Foyer_East_2_10.2.0.7_2026-12-08-0905.xml");
    QTest::newRow("accents and quotes") << QStringLiteral("Caf\u00e9 \"Nord\"") << QStringLiteral("10.2.0.7")
                                        << QStringLiteral("Caf___Nord__10.2.0.7_2026-12-08-0905.xml");
    QTest::newRow("dots only") << QStringLiteral("..") << QStringLiteral("10.2.0.7")
                               << QStringLiteral("_.._10.2.0.7_2026-12-08-0905.xml");
    QTest::newRow("no name") << QString() << QStringLiteral("10.2.0.7") << QStringLiteral("_10.2.0.7_2026-12-08-0905.xml");
}

void tst_FleetCommand::fileName()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, expected);
    const QDateTime when(QDate(2026, 12, 8), QTime(9, 5, 59));
    QCOMPARE(FleetBackup::fileName(name, address, when), expected);
}

void tst_FleetCommand::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("backup without keypads") << QStringList{QStringLiteral("backup")}
                                            << QStringLiteral("backup: Give either --all or --keypad.");
    QTest::newRow("backup, all and one")
        << QStringList{QStringLiteral("backup"), QStringLiteral("--all"), QStringLiteral("--keypad"), QStringLiteral("1.2.3.4")}
        << QStringLiteral("backup: Give either --all or --keypad.");
    QTest::newRow("backup, no address") << QStringList{QStringLiteral("backup"), QStringLiteral("--keypad"), QStringLiteral("hall")}
                                        << QStringLiteral("backup: 'hall' is no IPv4 address.");
    QTest::newRow("restore without file") << QStringList{QStringLiteral("restore"), QStringLiteral("--keypad"), QStringLiteral("1.2.3.4")}
                                          << QStringLiteral("restore: Give one configuration file.");
    QTest::newRow("restore onto two")
        << QStringList{QStringLiteral("restore"), QStringLiteral("f.xml"), QStringLiteral("--keypad"), QStringLiteral("1.2.3.4"),
                       QStringLiteral("--keypad"), QStringLiteral("1.2.3.5")}
        << QStringLiteral("restore: Give one --keypad address.");
    QTest::newRow("backup, remembered ones without --all")
        << QStringList{QStringLiteral("backup"), QStringLiteral("--keypad"), QStringLiteral("1.2.3.4"),
                       QStringLiteral("--no-remembered")}
        << QStringLiteral("backup: --scan, --address and --no-remembered go with --all.");
    QTest::newRow("diff without keypad") << QStringList{QStringLiteral("diff"), QStringLiteral("f.xml")}
                                         << QStringLiteral("diff: Give one --keypad address.");
    QTest::newRow("scan too large") << QStringList{QStringLiteral("list"), QStringLiteral("--scan"), QStringLiteral("10.0.0.0/8")}
                                    << QStringLiteral("list: '10.0.0.0/8' is too large to scan; scan at most a /16 at a time.");
    QTest::newRow("scan no subnet") << QStringList{QStringLiteral("list"), QStringLiteral("--scan"), QStringLiteral("10.2.0/24")}
                                    << QStringLiteral("list: '10.2.0/24' is no IPv4 address or subnet (like 10.2.0.0/24).");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("list"), QStringLiteral("--frobnicate")}
                                    << QStringLiteral("list: Unknown option 'frobnicate'.");
}

void tst_FleetCommand::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const int before = m_bed->requestLog(m_hall).size();
    const Outcome result = runCommand(arguments);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.err.section(QLatin1Char('\n'), 0, 0), message);
    QVERIFY(result.err.contains(QLatin1String("Commands (no display needed):")));
    QCOMPARE(result.out, QString());
    QCOMPARE(m_bed->requestLog(m_hall).size(), before);
}

void tst_FleetCommand::runsWithoutDisplay()
{
    // The program itself, as a script runs it: no display, no platform plugin.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    program.start(QFileInfo(KeypadTestBed::simulatorProgram()).absolutePath() + QStringLiteral("/keypadmgr"),
                  {QStringLiteral("list"), QStringLiteral("--address"), QStringLiteral("192.168.88.12")});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(QString::fromLatin1(program.readAllStandardOutput()),
             QStringLiteral("Hall\t192.168.77.10\t02:4c:4b:00:00:01\t1.2.0\t0\n"
                            "Lobby\t192.168.77.11\t02:4c:4b:00:00:02\t1.1.19\t0\n"
                            "Stage/Left\t192.168.88.12\t02:4c:4b:00:00:03\t1.2.0\t0\n"));
}

QTEST_GUILESS_MAIN(tst_FleetCommand)
#include "tst_fleetcommand.moc"
