// SPDX-License-Identifier: GPL-3.0-or-later
#include "connectionstate.h"
#include "discoverer.h"
#include "mspcomm.h"

#include "fakekeypadhttp.h"
#include "keypadtestbed.h"
#include "mspfixedcoloreffect.h"
#include "msphandler.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "sentrequests.h"
#include "systemconfiguration.h"

#include "dravon.h"

#include <QNetworkInterface>
#include <QRegularExpression>
#include <QBuffer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

#include <algorithm>
#include <memory>

namespace {

QByteArray keypadDatagram(const char *prefix, int length, int byte13 = 0)
{
    QByteArray datagram(prefix, 8);
    datagram.resize(length);
    for (int i = 8; i < length; ++i)
        datagram[i] = 0;
    if (length > 13)
        datagram[13] = char(byte13);
    return datagram;
}

const char scenePrefix[] = "\x04\x01\xDC\x4A\x01\x00\x01\x03";
const char configPrefix[] = "\x04\x01\xDC\x4A\x01\x00\x03\x03";

} // namespace

class tst_MSPComm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void normalizeAddress_data();
    void normalizeAddress();
    void isAddressReachable_data();
    void isAddressReachable();
    void requestShowPaths();
    void editsOfOneSceneAreCoalesced();
    void editOfAnotherSceneFlushesThePendingOne();
    void applyAppendsFlagAndFlushesFirst();
    void configurationBodiesArePaced();
    void keypadOnAnotherSubnetGetsNothing();
    void networkErrorOnlyForCurrentKeypad();
    void scenePressOnKeypad();
    void choiceWaitsForPreviewOfSceneLeft_data();
    void choiceWaitsForPreviewOfSceneLeft();
    void editsOfChosenSceneWhileChoiceWaits_data();
    void editsOfChosenSceneWhileChoiceWaits();
    void undoLeavesALaterEdit();
    void answerOvertakingChoiceIsNotTaken();
    void hostileKeyPadDatagrams();
    void configurationDatagramFetchesConfiguration();
    void heartBeatDatagramsKeepConnection();
    void faultsDegradeAndRecover();
    void probeOfQuietKeypadChangesNothing();
    void previewLostInRestartPlaysAgain();
    void keypadBackOnAnotherSceneIsReadFirst();
    void fileUploadIsPaced();
    void setIpWithoutMacSendsNothing();
    void setIpMovesKeypad();

private:
    QList<KeypadTestBed::Request> newRequests(int from) const;
    void waitForRequests(int from, int count);
    MSPScene *scene(int index) const { return MSPSceneModel::instance()->sceneAt(index); }
    void editScene(int index, const QString &color);
    /** Shows scene @p index on the screen and chooses it on the keypad, as a click on its key does. */
    void chooseScene(int index);
    /** What a test that set a fault leaves: the keypad without faults, no edits waiting. */
    void clearFaultAndEdits();

    std::unique_ptr<KeypadTestBed> m_bed;
    int m_keypad = -1;
    QString m_address;
    MSPComm *m_comm = nullptr;
};

void tst_MSPComm::initTestCase()
{
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
    m_keypad = m_bed->startSimulator();
    QVERIFY2(m_keypad >= 0, qPrintable(m_bed->errorString()));
    m_address = m_bed->simulatorAddress(m_keypad).toString();

    m_comm = MSPComm::instance();
    QNetworkAddressEntry entry = KeypadTestBed::hostEntry();
    QVERIFY(!entry.ip().isNull());
    QVERIFY(Discoverer::instance()->dravon()->setInterface(entry));
    m_comm->setDevice(m_address, m_bed->simulatorMac(m_keypad));
    MSPSceneModel::instance()->prepareOfflineDefaults();
}

void tst_MSPComm::init()
{
    m_comm->setDevice(m_address, m_bed->simulatorMac(m_keypad));
    m_comm->setPostsSuspended(false);
}

QList<KeypadTestBed::Request> tst_MSPComm::newRequests(int from) const
{
    return m_bed->requestLog(m_keypad).mid(from);
}

void tst_MSPComm::waitForRequests(int from, int count)
{
    QTRY_VERIFY_WITH_TIMEOUT(newRequests(from).size() >= count, 30000);
}

void tst_MSPComm::editScene(int index, const QString &color)
{
    auto *effect = qobject_cast<MSPFixedColorEffect *>(scene(index)->effect());
    QVERIFY(effect);
    effect->setColor(color);
    m_comm->handleEffectParamsChanged(scene(index));
}

void tst_MSPComm::chooseScene(int index)
{
    MSPSceneModel::instance()->setActiveSceneIndex(index, false);
    QSignalSpy chosen(m_comm, &MSPComm::activeSceneIndexChanged);
    m_comm->getScene(index);
    QTRY_VERIFY_WITH_TIMEOUT(!chosen.isEmpty(), 10000);
}

void tst_MSPComm::clearFaultAndEdits()
{
    m_bed->command(m_keypad, QStringLiteral("fault clear"));
    m_comm->forgetEdits();
}

void tst_MSPComm::normalizeAddress_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded") << "192.168.001.010" << "192.168.1.10";
    QTest::newRow("plain") << "10.0.0.5" << "10.0.0.5";
    QTest::newRow("double zero") << "10.000.00.5" << "10.0.0.5";
    QTest::newRow("one leading zero") << "010.020.030.040" << "10.20.30.40";
    QTest::newRow("trailing zeros kept") << "192.168.100.200" << "192.168.100.200";
}

void tst_MSPComm::normalizeAddress()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(MSPComm::normalizeAddress(input), expected);
}

void tst_MSPComm::isAddressReachable_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("reachable");
    QTest::newRow("same subnet") << "192.168.77.200" << true;
    QTest::newRow("other subnet") << "192.168.78.10" << false;
    QTest::newRow("ten net") << "10.77.0.10" << false;
    QTest::newRow("not an address") << "keypad" << false;
    QTest::newRow("empty") << "" << false;
}

void tst_MSPComm::isAddressReachable()
{
    QFETCH(QString, address);
    QFETCH(bool, reachable);
    QCOMPARE(m_comm->isAddressReachable(address), reachable);
}

void tst_MSPComm::requestShowPaths()
{
    const int from = m_bed->requestLog(m_keypad).size();
    m_comm->requestShow(0, false);
    waitForRequests(from, 1);
    m_comm->requestShow(7, false);
    waitForRequests(from, 2);
    const auto requests = newRequests(from);
    QCOMPARE(requests.at(0).method, QStringLiteral("GET"));
    QCOMPARE(requests.at(0).path, QStringLiteral("/api/v1/shows/1"));
    QCOMPARE(requests.at(1).path, QStringLiteral("/api/v1/shows/8"));
}

void tst_MSPComm::editsOfOneSceneAreCoalesced()
{
    const int from = m_bed->requestLog(m_keypad).size();
    const QDateTime start = QDateTime::currentDateTime();
    editScene(0, QStringLiteral("#102030"));
    QTest::qWait(30);
    editScene(0, QStringLiteral("#405060"));
    const QString expectedBody = scene(0)->formData();
    waitForRequests(from, 1);
    QTest::qWait(400); // a second post would have arrived by now
    const auto requests = newRequests(from);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.at(0).method, QStringLiteral("POST"));
    QCOMPARE(requests.at(0).path, QStringLiteral("/api/v1/shows/1"));
    QCOMPARE(QString::fromLatin1(requests.at(0).body), expectedBody);
    QVERIFY2(start.msecsTo(requests.at(0).time) >= 95, "posted before the coalescing interval");
}

void tst_MSPComm::editOfAnotherSceneFlushesThePendingOne()
{
    const int from = m_bed->requestLog(m_keypad).size();
    const SentRequests sent(m_comm);
    editScene(0, QStringLiteral("#111111"));
    const QString firstBody = scene(0)->formData();
    editScene(1, QStringLiteral("#222222"));
    const QString secondBody = scene(1)->formData();
    waitForRequests(from, 2);
    const auto requests = newRequests(from);
    QCOMPARE(requests.at(0).path, QStringLiteral("/api/v1/shows/1"));
    QCOMPARE(QString::fromLatin1(requests.at(0).body), firstBody);
    QCOMPARE(requests.at(1).path, QStringLiteral("/api/v1/shows/2"));
    QCOMPARE(QString::fromLatin1(requests.at(1).body), secondBody);
    const auto posts = sent.matching([](const SentRequests::Sent &s) { return s.method == QLatin1String("POST"); });
    QCOMPARE(posts.size(), 2);
    QVERIFY2(posts.at(1).msecs - posts.at(0).msecs >= 90, "the second edit did not wait for the first");
}

void tst_MSPComm::applyAppendsFlagAndFlushesFirst()
{
    const int from = m_bed->requestLog(m_keypad).size();
    m_comm->postToDevice(QStringLiteral("/api/v1/shows/4"), QStringLiteral("effect=0"), false, false, true);
    waitForRequests(from, 1);
    QCOMPARE(newRequests(from).at(0).body, QByteArray("effect=0&apply=1"));

    editScene(2, QStringLiteral("#333333"));
    const QString body = scene(2)->formData();
    m_comm->applyScene(scene(2));
    waitForRequests(from, 3);
    const auto requests = newRequests(from);
    QCOMPARE(requests.at(1).path, QStringLiteral("/api/v1/shows/3"));
    QCOMPARE(QString::fromLatin1(requests.at(1).body), body);
    QCOMPARE(requests.at(2).path, QStringLiteral("/api/v1/shows/3"));
    QCOMPARE(requests.at(2).body, QByteArray("apply=1"));

    m_comm->revertScene(scene(2));
    waitForRequests(from, 4);
    QCOMPARE(newRequests(from).at(3).body, QByteArray("apply=0"));
}

void tst_MSPComm::configurationBodiesArePaced()
{
    const int from = m_bed->requestLog(m_keypad).size();
    const SentRequests sent(m_comm);
    m_comm->postConfiguration({QStringLiteral("name=A"), QStringLiteral("universe=2"), QStringLiteral("num_ports=3")},
                              QString());
    waitForRequests(from, 3);
    const auto requests = newRequests(from);
    const auto posts = sent.matching([](const SentRequests::Sent &s) { return s.method == QLatin1String("POST"); });
    QCOMPARE(posts.size(), 3);
    const QByteArray expected[] = {"name=A&apply=1", "universe=2&apply=1", "num_ports=3&apply=1"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(requests.at(i).path, QStringLiteral("/api/v1/config"));
        QCOMPARE(requests.at(i).body, expected[i]);
        if (i > 0)
            QVERIFY(posts.at(i).msecs - posts.at(i - 1).msecs >= 450);
    }
}

void tst_MSPComm::keypadOnAnotherSubnetGetsNothing()
{
    m_comm->setDevice(QStringLiteral("192.168.78.10"), QByteArray(6, '\1'));
    QSignalSpy errors(m_comm, &MSPComm::networkError);
    QSignalSpy beats(m_comm, &MSPComm::heartBeat);
    m_comm->requestAllShows();
    m_comm->requestConfig();
    m_comm->getScene(0);
    m_comm->postToDevice(QStringLiteral("/api/v1/config"), QStringLiteral("off_press=1"), false, false, false);
    QTest::qWait(500);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(beats.count(), 0);
}

void tst_MSPComm::networkErrorOnlyForCurrentKeypad()
{
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault refuse on")).left(2), QStringLiteral("ok"));
    QSignalSpy errors(m_comm, &MSPComm::networkError);
    m_comm->getScene(0);
    QVERIFY(errors.wait(10000));

    errors.clear();
    m_comm->getScene(0);
    // The keypad changes before the refusal arrives: a late failure of the
    // old keypad is not the new one's error.
    m_comm->setDevice(QStringLiteral("192.168.77.250"), QByteArray(6, '\2'));
    QTest::qWait(1500);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault refuse off")).left(2), QStringLiteral("ok"));
}

void tst_MSPComm::choiceWaitsForPreviewOfSceneLeft_data()
{
    QTest::addColumn<bool>("pressed");
    QTest::newRow("chosen on screen") << false;
    QTest::newRow("pressed on the keypad") << true;
}

void tst_MSPComm::choiceWaitsForPreviewOfSceneLeft()
{
    QFETCH(bool, pressed);
    // Each request has a connection of its own. A keypad slow to act on the
    // last preview of the scene left would otherwise take the next scene's
    // choice first, then play the scene left again.
    const auto keypadScene = [this] {
        const QString status = m_bed->command(m_keypad, QStringLiteral("status"));
        return status.section(QLatin1String(" current="), 1).section(QLatin1Char(' '), 0, 0).toInt();
    };
    chooseScene(0);
    QCOMPARE(keypadScene(), 1);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault stall 800")), QStringLiteral("ok"));
    const auto cleanUp = qScopeGuard([this] { clearFaultAndEdits(); });
    const int from = m_bed->requestLog(m_keypad).size();
    editScene(0, QStringLiteral("#123456"));
    if (pressed) {
        QCOMPARE(m_bed->command(m_keypad, QStringLiteral("press 3")), QStringLiteral("ok"));
    } else {
        MSPSceneModel::instance()->setActiveSceneIndex(2, false);
        m_comm->getScene(2);
    }
    waitForRequests(from, 2);
    const auto requests = newRequests(from);
    QCOMPARE(QString(requests.at(0).method + QLatin1Char(' ') + requests.at(0).path), QStringLiteral("POST /api/v1/shows/1"));
    QCOMPARE(QString(requests.at(1).method + QLatin1Char(' ') + requests.at(1).path),
             pressed ? QStringLiteral("POST /api/v1/shows/3") : QStringLiteral("GET /api/v1/shows/3"));
    QTRY_COMPARE_WITH_TIMEOUT(keypadScene(), 3, 10000);
    QTest::qWait(300);
    QCOMPARE(keypadScene(), 3);
}

void tst_MSPComm::editsOfChosenSceneWhileChoiceWaits_data()
{
    QTest::addColumn<bool>("editedBefore");
    QTest::newRow("first edit") << false;
    QTest::newRow("unsaved edit from before") << true;
}

void tst_MSPComm::editsOfChosenSceneWhileChoiceWaits()
{
    QFETCH(bool, editedBefore);
    // The user goes on editing (and saving) the scene just chosen while its
    // choice still waits for the last preview of the scene left. Those edits
    // are the user's: the keypad keeps what was saved and plays what came
    // after, as it would without the wait.
    const auto cleanUp = qScopeGuard([this] { clearFaultAndEdits(); });
    // Scene 6 is a fixed colour on the keypad, whatever ran before.
    const int from = m_bed->requestLog(m_keypad).size();
    m_comm->postToDevice(QStringLiteral("/api/v1/shows/6"),
                         QStringLiteral("effect=0&param1=1&param2=2&param3=3&param_xy=(0,0,0)&num_colors=0"), false,
                         false, true);
    waitForRequests(from, 1);
    if (editedBefore) {
        chooseScene(5);
        editScene(5, QStringLiteral("#0a0b0c"));
        const QString playing = QStringLiteral("played=") + scene(5)->formData() + QStringLiteral(" preview=1");
        QTRY_VERIFY_WITH_TIMEOUT(m_bed->command(m_keypad, QStringLiteral("show 6")).contains(playing), 10000);
    }
    chooseScene(0);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault stall 1500 /api/v1/shows/1")), QStringLiteral("ok"));
    editScene(0, QStringLiteral("#102030"));
    MSPSceneModel::instance()->setActiveSceneIndex(5, false);
    m_comm->getScene(5);
    editScene(5, QStringLiteral("#405060"));
    QTest::qWait(200);
    const QString saved = scene(5)->formData();
    m_comm->applyScene(scene(5));
    editScene(5, QStringLiteral("#708090"));
    const QString played = scene(5)->formData();

    const auto state = [this] { return m_bed->command(m_keypad, QStringLiteral("show 6")); };
    const QString expected = QStringLiteral("ok kept=%1 played=%2 preview=1").arg(saved, played);
    QTRY_COMPARE_WITH_TIMEOUT(state(), expected, 15000);
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("status")).contains(QLatin1String(" current=6 ")));
    QCOMPARE(m_comm->editState(5), MSPComm::EditState::Unsaved);
    // Nothing still on its way changes that.
    QTest::qWait(2000);
    QCOMPARE(state(), expected);
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("status")).contains(QLatin1String(" current=6 ")));
}

void tst_MSPComm::undoLeavesALaterEdit()
{
    // Undo waits for the answer to the edit before it. An edit made in that
    // wait is the user's again: the Undo, sent after it, would drop it from
    // the keypad, and a Save pressed then would keep the old scene.
    chooseScene(0);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault delay 1000")), QStringLiteral("ok"));
    const auto cleanUp = qScopeGuard([this] { clearFaultAndEdits(); });
    const int from = m_bed->requestLog(m_keypad).size();
    editScene(0, QStringLiteral("#224466"));
    waitForRequests(from, 1);
    m_comm->revertScene(scene(0), 0);
    editScene(0, QStringLiteral("#446688"));
    QTest::qWait(200);
    m_comm->applyScene(scene(0));
    const QString kept = QStringLiteral("ok kept=%1 played=%1 preview=0").arg(scene(0)->formData());
    const auto shown = [this] { return m_bed->command(m_keypad, QStringLiteral("show 1")); };
    QTRY_COMPARE_WITH_TIMEOUT(shown(), kept, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_comm->editState(0), MSPComm::EditState::None, 10000);
    // Longer than the answers take: nothing still on its way changes it.
    QTest::qWait(3000);
    QCOMPARE(shown(), kept);
}

void tst_MSPComm::answerOvertakingChoiceIsNotTaken()
{
    // A request sent right after a scene choice can reach the keypad first,
    // on a connection of its own. Its answer tells of the scene left, and
    // must neither take the screen back there nor play that scene's unsaved
    // edit again.
    chooseScene(0);
    const int edited = m_bed->requestLog(m_keypad).size();
    editScene(0, QStringLiteral("#654321"));
    const auto previewArrived = [this, edited] {
        const auto requests = newRequests(edited);
        return std::any_of(requests.cbegin(), requests.cend(), [](const KeypadTestBed::Request &request) {
            return request.method == QLatin1String("POST") && request.path == QLatin1String("/api/v1/shows/1");
        });
    };
    QTRY_VERIFY_WITH_TIMEOUT(previewArrived(), 10000);
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault stall 800 /api/v1/shows/3")), QStringLiteral("ok"));
    const auto cleanUp = qScopeGuard([this] { clearFaultAndEdits(); });

    QSignalSpy active(m_comm, &MSPComm::activeSceneIndexChanged);
    const int from = m_bed->requestLog(m_keypad).size();
    MSPSceneModel::instance()->setActiveSceneIndex(2, false);
    m_comm->getScene(2);
    m_comm->requestAllShows();
    QTRY_VERIFY_WITH_TIMEOUT(!active.isEmpty(), 10000);
    waitForRequests(from, 2);
    QTest::qWait(300);
    for (const QList<QVariant> &shown : qAsConst(active))
        QCOMPARE(shown.at(0).toInt(), 2);
    for (const KeypadTestBed::Request &request : newRequests(from))
        QVERIFY2(request.path != QLatin1String("/api/v1/shows/1"), request.body.constData());
}

void tst_MSPComm::scenePressOnKeypad()
{
    MSPSceneModel::instance()->setActiveSceneIndex(0, false);
    QSignalSpy active(m_comm, &MSPComm::activeSceneIndexChanged);
    // The simulator learns the program's host from our requests.
    m_comm->getScene(0);
    QVERIFY(active.wait(10000) || active.count() > 0);
    active.clear();

    const int from = m_bed->requestLog(m_keypad).size();
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 1")).startsWith(QLatin1String("ok")));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 3")).startsWith(QLatin1String("ok")));
    waitForRequests(from, 1);
    QTRY_VERIFY_WITH_TIMEOUT(!active.isEmpty(), 10000);
    QTest::qWait(300);
    const auto requests = newRequests(from);
    QCOMPARE(requests.size(), 1); // pressing the active scene sends nothing
    QCOMPARE(requests.at(0).method, QStringLiteral("POST"));
    QCOMPARE(requests.at(0).path, QStringLiteral("/api/v1/shows/3"));
    QCOMPARE(requests.at(0).body, QByteArray());
    QCOMPARE(active.last().at(0).toInt(), 2);
}

void tst_MSPComm::hostileKeyPadDatagrams()
{
    // The host plays the keypad here: datagrams come from its own bed
    // address and HTTP goes to a fake server on that address.
    FakeKeypadHttp http;
    QVERIFY(http.start(KeypadTestBed::hostAddress()));
    m_comm->setDevice(KeypadTestBed::hostAddress().toString(), QByteArray(6, '\3'));
    MSPSceneModel::instance()->setActiveSceneIndex(0, false);

    QUdpSocket keypad;
    QVERIFY(keypad.bind(KeypadTestBed::hostAddress(), 0));
    const QByteArray hostile[] = {
        keypadDatagram(scenePrefix, 16, 42),
        keypadDatagram(scenePrefix, 16, -3),
        keypadDatagram(scenePrefix, 16, 0),
        keypadDatagram(scenePrefix, 16, 9),
        keypadDatagram(scenePrefix, 17, 5),
        keypadDatagram(scenePrefix, 15, 5),
        keypadDatagram(configPrefix, 16, 5),
        QByteArray("\x04\x01\xDC\x4A\x01\x00\x01\x04\0\0\0\0\0\x05\0\0", 16),
        QByteArray(),
    };
    for (const QByteArray &datagram : hostile)
        keypad.writeDatagram(datagram, KeypadTestBed::hostAddress(), MSPComm::keyPadPort);
    keypad.writeDatagram(keypadDatagram(scenePrefix, 16, 5), KeypadTestBed::hostAddress(), MSPComm::keyPadPort);

    QTRY_VERIFY_WITH_TIMEOUT(!http.requests.isEmpty(), 10000);
    QTest::qWait(500);
    QCOMPARE(http.requests, QStringList{QStringLiteral("POST /api/v1/shows/5 ")});

    // Datagrams from any other host are dropped.
    http.requests.clear();
    QUdpSocket stranger;
    QVERIFY(stranger.bind(QHostAddress(QHostAddress::LocalHost), 0));
    stranger.writeDatagram(keypadDatagram(scenePrefix, 16, 6), QHostAddress(QHostAddress::LocalHost),
                           MSPComm::keyPadPort);
    QTest::qWait(500);
    QVERIFY(http.requests.isEmpty());
}

void tst_MSPComm::configurationDatagramFetchesConfiguration()
{
    FakeKeypadHttp http;
    QVERIFY(http.start(KeypadTestBed::hostAddress()));
    m_comm->setDevice(KeypadTestBed::hostAddress().toString(), QByteArray(6, '\3'));
    QSignalSpy received(m_comm, &MSPComm::configReceived);
    QUdpSocket keypad;
    QVERIFY(keypad.bind(KeypadTestBed::hostAddress(), 0));
    keypad.writeDatagram(keypadDatagram(configPrefix, 17), KeypadTestBed::hostAddress(), MSPComm::keyPadPort);
    QVERIFY(received.wait(10000));
    QCOMPARE(http.requests, QStringList{QStringLiteral("GET /api/v1/config ")});
}

void tst_MSPComm::heartBeatDatagramsKeepConnection()
{
    // Listening starts after the first reply; the simulator beats every second.
    m_comm->requestConfig();
    QSignalSpy beats(m_comm, &MSPComm::heartBeat);
    QVERIFY(beats.wait(10000));
    beats.clear();
    QTRY_VERIFY_WITH_TIMEOUT(beats.count() >= 2, 15000);
    for (const auto &beat : qAsConst(beats))
        QCOMPARE(beat.at(0).toBool(), true);
}

void tst_MSPComm::faultsDegradeAndRecover()
{
    ConnectionState *state = ConnectionState::instance();
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("heartbeat off")).left(2), QStringLiteral("ok"));
    state->setState(ConnectionState::Connected);

    // 500s and malformed XML: no crash, no heartbeat from the failure.
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault error on")).left(2), QStringLiteral("ok"));
    QSignalSpy errors(m_comm, &MSPComm::networkError);
    m_comm->requestAllShows();
    QVERIFY(errors.wait(10000));
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault error off")).left(2), QStringLiteral("ok"));
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault malformed on")).left(2), QStringLiteral("ok"));
    QSignalSpy configs(m_comm, &MSPComm::configReceived);
    m_comm->requestConfig();
    QVERIFY(configs.wait(10000));
    // An answer that cannot be read is a failed read: the window reads again.
    QVERIFY(errors.count() >= 2);
    QVERIFY(!m_comm->lastFailureWasChange());
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault malformed off")).left(2), QStringLiteral("ok"));

    // Lost once the keypad neither beats nor answers the program's questions.
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault refuse on")).left(2), QStringLiteral("ok"));
    QTRY_COMPARE_WITH_TIMEOUT(state->state(), ConnectionState::ConnectionLost,
                              (ConnectionState::silentTicksBeforeLost + 2) * ConnectionState::tickInterval);

    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")).left(2), QStringLiteral("ok"));
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("heartbeat on")).left(2), QStringLiteral("ok"));
    QTRY_COMPARE_WITH_TIMEOUT(state->state(), ConnectionState::Connected, 4 * ConnectionState::tickInterval);
}

void tst_MSPComm::probeOfQuietKeypadChangesNothing()
{
    const int from = m_bed->requestLog(m_keypad).size();
    QSignalSpy beats(m_comm, &MSPComm::heartBeat);
    QSignalSpy configs(m_comm, &MSPComm::configReceived);
    QSignalSpy records(SystemConfiguration::instance(), &SystemConfiguration::configurationChanged);
    // Asked twice while the first question runs: one request.
    m_comm->probe();
    m_comm->probe();
    QTRY_VERIFY_WITH_TIMEOUT(!beats.isEmpty(), 10000);
    QCOMPARE(beats.first().at(0).toBool(), true);
    QTest::qWait(200);
    const auto requests = newRequests(from);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.at(0).method + QLatin1Char(' ') + requests.at(0).path, QStringLiteral("GET /api/v1/config"));
    // Its answer is a sign of life only: nothing is read into the record.
    QCOMPARE(configs.count(), 0);
    QCOMPARE(records.count(), 0);
}

void tst_MSPComm::previewLostInRestartPlaysAgain()
{
    // A keypad restarted between two heartbeats drops the preview it played
    // and answers the probe as if nothing happened: the edit plays again.
    chooseScene(0);
    const auto cleanUp = qScopeGuard([this] { m_comm->forgetEdits(); });
    const auto played = [this] { return m_bed->command(m_keypad, QStringLiteral("show 1")); };
    editScene(0, QStringLiteral("#2468ac"));
    const QString playingEdit = QStringLiteral("played=") + scene(0)->formData() + QStringLiteral(" preview=1");
    QTRY_VERIFY_WITH_TIMEOUT(played().contains(playingEdit), 10000);

    QVERIFY(m_bed->command(m_keypad, QStringLiteral("restart")).startsWith(QLatin1String("ok")));
    QVERIFY(m_bed->waitForEvent(m_keypad, QStringLiteral("restarting"), 10000));
    QVERIFY(played().endsWith(QLatin1String("preview=0")));
    QVERIFY(m_bed->waitForEvent(m_keypad, QStringLiteral("restarted"), 20000));
    m_comm->probe();
    QTRY_VERIFY_WITH_TIMEOUT(played().contains(playingEdit), 10000);
}

void tst_MSPComm::keypadBackOnAnotherSceneIsReadFirst()
{
    // A quiet keypad that answers again may have come back on another scene
    // (a factory reset plays the first). The edit of the scene shown is not
    // sent before the keypad has said which scene it plays: a read answered
    // meanwhile moves the screen there, and the edit would then make the
    // keypad play its own scene behind the screen's back.
    chooseScene(0);
    const QString host = QStringLiteral("host ") + KeypadTestBed::hostAddress().toString();
    const auto cleanUp = qScopeGuard([this, host] {
        m_comm->forgetEdits();
        m_bed->command(m_keypad, QStringLiteral("fault clear"));
        m_bed->command(m_keypad, host);
    });
    editScene(0, QStringLiteral("#13579b"));
    const QString playingEdit = QStringLiteral("played=") + scene(0)->formData() + QStringLiteral(" preview=1");
    QTRY_VERIFY_WITH_TIMEOUT(m_bed->command(m_keypad, QStringLiteral("show 1")).contains(playingEdit), 10000);
    // The keypad goes to scene 2 without the program hearing of it.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("host 192.168.77.99")).startsWith(QLatin1String("ok")));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 2")).startsWith(QLatin1String("ok")));
    QVERIFY(m_bed->command(m_keypad, host).startsWith(QLatin1String("ok")));
    // Whatever is sent for scene 1 from now on arrives late.
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("fault stall 1500 /api/v1/shows/1")).startsWith(QLatin1String("ok")));

    QSignalSpy chosen(m_comm, &MSPComm::activeSceneIndexChanged);
    const int from = m_bed->requestLog(m_keypad).size();
    m_comm->probe();
    QTRY_VERIFY_WITH_TIMEOUT(!newRequests(from).isEmpty(), 10000);
    // The window reads a keypad that is back.
    m_comm->requestAllShows();
    QTRY_VERIFY_WITH_TIMEOUT(!chosen.isEmpty(), 10000);
    QCOMPARE(chosen.last().at(0).toInt(), 1);
    // Longer than anything for scene 1 is held: the keypad still plays the
    // scene the screen was told of.
    QTest::qWait(2500);
    QVERIFY2(m_bed->command(m_keypad, QStringLiteral("status")).contains(QLatin1String(" current=2 ")),
             qPrintable(m_bed->command(m_keypad, QStringLiteral("status"))));
}

void tst_MSPComm::fileUploadIsPaced()
{
    // A document as a configuration file holds it: two scenes, the current
    // show and the configuration.
    const QByteArray document =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<v1>\n<all_shows>\n<currentShow>2</currentShow>\n"
        "<show><url>/api/v1/shows/1</url>\n<effect>0</effect>\n<parameters><param>255</param><param>0</param>"
        "<param>0</param><by>0</by><x>0</x><y>0</y></parameters><numColors>0</numColors>\n<customColors>\n"
        "</customColors>\n</show>\n"
        "<show><url>/api/v1/shows/2</url>\n<effect>0</effect>\n<parameters><param>0</param><param>255</param>"
        "<param>0</param><by>0</by><x>0</x><y>0</y></parameters><numColors>0</numColors>\n<customColors>\n"
        "</customColors>\n</show>\n"
        "</all_shows><config>\n<property>\n<url>/api/v1/config/name</url>\n<value>Upload</value>\n</property>\n"
        "</config>\n\n</v1>";
    const int from = m_bed->requestLog(m_keypad).size();
    const SentRequests sent(m_comm);
    MSPHandler handler(true);
    QByteArray bytes = document;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    m_comm->setFileLoading(true);
    QVERIFY(handler.read(&buffer));
    m_comm->setFileLoading(false);

    waitForRequests(from, 7);
    const auto requests = newRequests(from);
    QStringList seen;
    for (const auto &request : requests)
        seen << request.method + QLatin1Char(' ') + request.path;
    const QStringList expected = {
        QStringLiteral("GET /api/v1/shows/1"),  QStringLiteral("POST /api/v1/shows/1"),
        QStringLiteral("GET /api/v1/shows/2"),  QStringLiteral("POST /api/v1/shows/2"),
        QStringLiteral("GET /api/v1/shows/2"),  QStringLiteral("POST /api/v1/config"),
        QStringLiteral("POST /api/v1/config"),
    };
    QCOMPARE(seen.mid(0, 7), expected);
    QVERIFY(requests.at(1).body.endsWith("&apply=1"));
    QVERIFY(requests.at(3).body.endsWith("&apply=1"));
    QVERIFY(requests.at(5).body.endsWith("&apply=1"));
    QVERIFY(requests.at(5).body.contains("abs_bright=255"));
    QVERIFY(requests.at(6).body.endsWith("&apply=1"));
    // The times the requests left, in the order they reached the keypad.
    QStringList left;
    QString gaps;
    const auto times = sent.all();
    for (int i = 0; i < times.size(); ++i) {
        left << times.at(i).line();
        if (i > 0)
            gaps += QString::number(times.at(i).msecs - times.at(i - 1).msecs) + QLatin1Char(' ');
    }
    QCOMPARE(left.mid(0, 7), expected);
    for (int i = 1; i < 5; ++i)
        QVERIFY2(times.at(i).msecs - times.at(i - 1).msecs >= 200, qPrintable(gaps));
    QVERIFY2(times.at(4).msecs - times.at(0).msecs >= 4 * 300 - 50, qPrintable(gaps));
    QVERIFY2(times.at(6).msecs - times.at(5).msecs >= 400, qPrintable(gaps));
    for (int i = 1; i < 7; ++i)
        QVERIFY(times.at(i).msecs - times.at(i - 1).msecs < 5000);
}

void tst_MSPComm::setIpWithoutMacSendsNothing()
{
    // Without the keypad's MAC no keypad could recognise the packet.
    m_comm->setDevice(m_address, QByteArray());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no MAC address known")));
    m_comm->postConfiguration({}, QStringLiteral("192.168.77.60"));
    QVERIFY(!m_bed->waitForEvent(m_keypad, QStringLiteral("restarting"), 1500));
    QCOMPARE(m_bed->simulatorAddress(m_keypad).toString(), m_address);
}

void tst_MSPComm::setIpMovesKeypad()
{
    m_comm->postConfiguration({QStringLiteral("name=Moved")}, QStringLiteral("192.168.077.050"));
    QVERIFY(m_bed->waitForEvent(m_keypad, QStringLiteral("restarted"), 20000));
    QCOMPARE(m_bed->simulatorAddress(m_keypad).toString(), QStringLiteral("192.168.77.50"));

    Discoverer *discoverer = Discoverer::instance();
    discoverer->discover();
    QTRY_VERIFY_WITH_TIMEOUT(discoverer->keypadCount() >= 1, 10000);
    QCOMPARE(discoverer->keypads().first().address, QStringLiteral("192.168.77.50"));
}

QTEST_MAIN(tst_MSPComm)
#include "tst_mspcomm.moc"
