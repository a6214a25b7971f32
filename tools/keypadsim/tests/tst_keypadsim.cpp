// SPDX-License-Identifier: GPL-3.0-or-later
//
// The simulator as the program meets it: in the test bed, over real
// sockets, with every expected byte written out by hand from the layouts.
#include "keypadtestbed.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSet>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <QXmlStreamReader>

namespace {

struct HttpResult
{
    int status = 0;
    QByteArray body;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    qint64 elapsedMs = 0;
    bool finished = false;
};

bool isWellFormed(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// The 16-byte discover request, by hand: header (magic 04 01 DC 4A,
// version 1, type 1, sequence 0) and the target address.
QByteArray discoverRequest(const char *targetHex)
{
    return hex("0401DC4A 0100 0100 00000000") + hex(targetHex);
}

// A plain HTTP/1.1 request on a fresh connection: what came back before the
// keypad closed it (nothing when it dropped the request).
QByteArray rawGet(const QHostAddress &address, const QByteArray &path)
{
    QTcpSocket socket;
    socket.connectToHost(address, 80);
    if (!socket.waitForConnected(10000))
        return QByteArrayLiteral("no connection");
    socket.write("GET " + path + " HTTP/1.1\r\nHost: keypad\r\nConnection: close\r\n\r\n");
    QByteArray data;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(10000))
        data += socket.readAll();
    return data + socket.readAll();
}

// Reads every pending datagram and counts those from one sender that
// satisfy accept.
template<typename Accept>
int drainFrom(QUdpSocket &socket, const QHostAddress &sender, Accept accept)
{
    int count = 0;
    while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram d = socket.receiveDatagram();
        if (d.senderAddress() == sender && accept(d.data()))
            ++count;
    }
    return count;
}

QByteArray setIpRequest(const QByteArray &mac, const char *ipHex, const char *accessWordHex = "B2A7C15E")
{
    return hex("0401DC4A 0100 0300 00000000") + hex(accessWordHex) + mac + hex("0000") + hex(ipHex);
}

} // namespace

class tst_KeypadSim : public QObject
{
    Q_OBJECT

private:
    HttpResult http(const QByteArray &method, const QString &url, const QByteArray &body = QByteArray())
    {
        QNetworkRequest request{QUrl(url)};
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
        QElapsedTimer clock;
        clock.start();
        QNetworkReply *reply = method == "POST" ? m_nam.post(request, body) : m_nam.get(request);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        HttpResult result;
        result.finished = finished.wait(20000);
        result.elapsedMs = clock.elapsed();
        result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.error = reply->error();
        result.body = reply->readAll();
        reply->deleteLater();
        return result;
    }

    QString url(int keypad, const char *path) const
    {
        return QStringLiteral("http://") + m_bed->simulatorAddress(keypad).toString() + QLatin1String(path);
    }

    int startKeypad(KeypadTestBed::SimulatorOptions options = KeypadTestBed::SimulatorOptions())
    {
        const int id = m_bed->startSimulator(options);
        if (id < 0)
            qWarning("%s", qPrintable(m_bed->errorString()));
        return id;
    }

    std::unique_ptr<KeypadTestBed> m_bed;
    QNetworkAccessManager m_nam;
    int m_keypad = -1;

private slots:
    void initTestCase()
    {
        m_bed = std::make_unique<KeypadTestBed>();
        QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
        m_keypad = startKeypad();
        QVERIFY(m_keypad >= 0);
        // Avoid reused connections between the fault cases: each request
        // should meet the keypad as it is at that moment.
        m_nam.setProxy(QNetworkProxy::NoProxy);
    }

    void cleanupTestCase() { m_bed.reset(); }

    void init()
    {
        QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    }

    void httpAnswers_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("expected");

        // Asking for a show plays it, so the reply names it as current.
        QTest::newRow("scene 3 as built in")
            << QByteArray("GET") << "/api/v1/shows/3" << 200
            << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<shows>\n<currentShow>3</currentShow>\n"
                          "<show><url>/api/v1/shows/3</url>\n<effect>2</effect>\n<parameters>"
                          "<param>16</param><param>0</param><param>0</param><by>0</by><x>0</x><y>0</y>"
                          "</parameters><numColors>0</numColors>\n<customColors>"
                          "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
                          "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
                          "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
                          "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
                          "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
                          "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
                          "\n</customColors>\n</show>\n</shows>\n");
        QTest::newRow("configuration")
            << QByteArray("GET") << "/api/v1/config" << 200
            << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<config>\n"
                          "<property>\n<url>/api/v1/config/name</url>\n<value>Lumetra Keypad</value>\n</property>\n"
                          "<property>\n<url>/api/v1/config/ip</url>\n<value>192.168.77.10</value>\n</property>\n"
                          "<property>\n<url>/api/v1/config/version</url>\n<value>1.2.0</value>\n</property>\n"
                          "<property>\n<url>/api/v1/config/global_profile</url>\n<value>0</value>\n</property>\n"
                          "<property>\n<url>/api/v1/config/universe</url>\n<value>0</value>\n</property>\n"
                          "<property>\n<url>/api/v1/config/dravon</url>\n<value>1</value>\n</property>\n"
                          "<property>\n<url>/api/v1/config/num_ports</url>\n<value>1</value>\n</property>\n"
                          "<property>\n<url>/api/v1/config/num_lights</url>\n<value>1</value>\n</property>\n"
                          "<property>\n<url>/api/v1/config/brightness</url>\n<value>255</value>\n</property>\n"
                          "<property>\n<url>/api/v1/config/switch_state</url>\n<value>1,1,1,1,1,1,1,1,1,1,1</value>\n"
                          "</property>\n</config>\n");
        QTest::newRow("scene 0 does not exist") << QByteArray("GET") << "/api/v1/shows/0" << 404 << QByteArray();
        QTest::newRow("scene 9 does not exist") << QByteArray("GET") << "/api/v1/shows/9" << 404 << QByteArray();
        QTest::newRow("scene 10 does not exist") << QByteArray("GET") << "/api/v1/shows/10" << 404 << QByteArray();
        QTest::newRow("unknown path") << QByteArray("GET") << "/api/v1/lights" << 404 << QByteArray();
        QTest::newRow("all shows cannot be posted") << QByteArray("POST") << "/api/v1/shows" << 404 << QByteArray();
    }

    void httpAnswers()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QByteArray, expected);
        const HttpResult result = http(method, url(m_keypad, path.toLatin1().constData()));
        QVERIFY(result.finished);
        QCOMPARE(result.status, status);
        if (!expected.isEmpty())
            QCOMPARE(result.body, expected);
    }

    void allShows()
    {
        const HttpResult result = http("GET", url(m_keypad, "/api/v1/shows"));
        QCOMPARE(result.status, 200);
        QVERIFY(isWellFormed(result.body));
        // Scene 3 plays since the show request above.
        QVERIFY(result.body.contains("<all_shows>\n<currentShow>3</currentShow>\n<show><url>/api/v1/shows/1</url>"));
        QCOMPARE(result.body.count("<show>"), 8);
        QCOMPARE(result.body.count("<color>"), 48);
        // The built-in Custom Wash of scene 5 carries two real colours first.
        QVERIFY(result.body.contains("<url>/api/v1/shows/5</url>\n<effect>4</effect>\n<parameters><param>4</param>"
                                     "<param>0</param><param>2</param><by>0</by><x>0</x><y>0</y></parameters>"
                                     "<numColors>2</numColors>\n<customColors><color>\n<red>255</red>\n<grn>0</grn>\n"
                                     "<blu>0</blu>\n<by>0</by><x>0</x><y>0</y> </color><color>\n<red>0</red>\n"
                                     "<grn>0</grn>\n<blu>255</blu>\n<by>0</by><x>0</x><y>0</y> </color><color><red>0"));
    }

    void previewKeepAndRevert()
    {
        const int keypad = startKeypad();
        QVERIFY(keypad >= 0);
        const QByteArray edit = "effect=2&param1=7&param2=1&param_xy=(0,0,0)&num_colors=0";
        const QByteArray kept = "<effect>3</effect>\n<parameters><param>8</param><param>1</param><param>4</param>";
        const QByteArray previewed = "<effect>2</effect>\n<parameters><param>7</param><param>1</param><param>0</param>";

        HttpResult r = http("POST", url(keypad, "/api/v1/shows/4"), edit);
        QCOMPARE(r.status, 200);
        QVERIFY(r.body.contains("<currentShow>4</currentShow>"));
        QVERIFY(r.body.contains(previewed));
        QVERIFY(http("GET", url(keypad, "/api/v1/shows/4")).body.contains(previewed));

        r = http("POST", url(keypad, "/api/v1/shows/4"), "apply=0");
        QVERIFY(r.body.contains(kept));
        QVERIFY(http("GET", url(keypad, "/api/v1/shows/4")).body.contains(kept));

        r = http("POST", url(keypad, "/api/v1/shows/4"), edit + "&apply=1");
        QVERIFY(r.body.contains(previewed));
        r = http("POST", url(keypad, "/api/v1/shows/4"), "apply=0");
        QVERIFY(r.body.contains(previewed)); // kept now, so nothing to drop

        // An empty body selects the scene.
        r = http("POST", url(keypad, "/api/v1/shows/6"), QByteArray());
        QCOMPARE(r.status, 200);
        QVERIFY(r.body.contains("<currentShow>6</currentShow>\n<show><url>/api/v1/shows/6</url>"));
        QVERIFY(http("GET", url(keypad, "/api/v1/shows")).body.contains("<currentShow>6</currentShow>"));

        // Settings that name no effect are refused and change nothing.
        QCOMPARE(http("POST", url(keypad, "/api/v1/shows/6"), "effect=12&param1=1").status, 400);
        QCOMPARE(http("POST", url(keypad, "/api/v1/shows/6"), "colour=red").status, 400);
        m_bed->stopSimulator(keypad);
    }

    void showAndRestartCommands()
    {
        const int keypad = startKeypad();
        QVERIFY(keypad >= 0);
        const QString kept = QStringLiteral("kept=effect=3&param1=8&param2=1&param3=4&param_xy=(0,0,0)&num_colors=0");
        QCOMPARE(m_bed->command(keypad, QStringLiteral("show 4")),
                 QStringLiteral("ok %1 played=effect=3&param1=8&param2=1&param3=4&param_xy=(0,0,0)&num_colors=0 preview=0")
                     .arg(kept));
        QCOMPARE(http("POST", url(keypad, "/api/v1/shows/4"), "effect=2&param1=7&param2=1").status, 200);
        QCOMPARE(m_bed->command(keypad, QStringLiteral("show 4")),
                 QStringLiteral("ok %1 played=effect=2&param1=7&param2=1&param3=0&param_xy=(0,0,0)&num_colors=0 preview=1")
                     .arg(kept));
        QCOMPARE(m_bed->command(keypad, QStringLiteral("show 9")), QStringLiteral("error usage: show <1..8>"));

        // A restart keeps the kept scenes and loses the preview.
        QCOMPARE(m_bed->command(keypad, QStringLiteral("restart")), QStringLiteral("ok"));
        QVERIFY(m_bed->waitForEvent(keypad, QStringLiteral("restarted")));
        QVERIFY(m_bed->command(keypad, QStringLiteral("show 4")).endsWith(QLatin1String(" preview=0")));
        QVERIFY(http("GET", url(keypad, "/api/v1/shows/4")).body.contains("<effect>3</effect>"));
        m_bed->stopSimulator(keypad);
    }

    void restartRightAfterARestart()
    {
        // A restart that follows the end of another at once: the keypad
        // comes back each time and answers. Repeated, as the second one
        // could once meet the HTTP server before it had started listening.
        KeypadTestBed::SimulatorOptions options;
        options.restartMs = 0;
        options.heartbeatMs = 0;
        const int keypad = startKeypad(options);
        QVERIFY(keypad >= 0);
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(m_bed->command(keypad, QStringLiteral("restart")), QStringLiteral("ok"));
            QVERIFY(m_bed->waitForEvent(keypad, QStringLiteral("restarted")));
        }
        QCOMPARE(m_bed->command(keypad, QStringLiteral("fault refuse on")), QStringLiteral("ok"));
        QCOMPARE(m_bed->command(keypad, QStringLiteral("fault refuse off")), QStringLiteral("ok"));
        QCOMPARE(m_bed->command(keypad, QStringLiteral("fault refuse on")), QStringLiteral("ok"));
        QCOMPARE(m_bed->command(keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
        QCOMPARE(m_bed->command(keypad, QStringLiteral("status")).left(2), QStringLiteral("ok"));
        const HttpResult r = http("GET", url(keypad, "/api/v1/config"));
        QCOMPARE(r.status, 200);
        QVERIFY(isWellFormed(r.body));
        m_bed->stopSimulator(keypad);
    }

    void configurationBodies()
    {
        const int keypad = startKeypad();
        QVERIFY(keypad >= 0);
        // The two bodies the configuration editor posts, each with "&apply=1".
        HttpResult r = http("POST", url(keypad, "/api/v1/config"),
                            "name=Hall&universe=12&dravon=2&num_ports=4&num_lights=170&global_profile=9&apply=1");
        QCOMPARE(r.status, 200);
        r = http("POST", url(keypad, "/api/v1/config"),
                 "&enable_switch=1&disable_switch=2&enable_switch=3&enable_switch=4&enable_switch=5&enable_switch=6"
                 "&enable_switch=7&disable_switch=8&enable_switch=11&disable_switch=10&enable_switch=9&apply=1");
        QCOMPARE(r.status, 200);
        QVERIFY(isWellFormed(r.body));
        QVERIFY(r.body.contains("<url>/api/v1/config/name</url>\n<value>Hall</value>"));
        QVERIFY(r.body.contains("<url>/api/v1/config/universe</url>\n<value>12</value>"));
        QVERIFY(r.body.contains("<url>/api/v1/config/dravon</url>\n<value>2</value>"));
        QVERIFY(r.body.contains("<url>/api/v1/config/num_ports</url>\n<value>4</value>"));
        QVERIFY(r.body.contains("<url>/api/v1/config/num_lights</url>\n<value>170</value>"));
        QVERIFY(r.body.contains("<url>/api/v1/config/global_profile</url>\n<value>9</value>"));
        QVERIFY(r.body.contains("<url>/api/v1/config/switch_state</url>\n<value>1,0,1,1,1,1,1,0,1,0,1</value>"));

        // Out of range values are not taken.
        r = http("POST", url(keypad, "/api/v1/config"), "universe=256&dravon=3&num_ports=17&num_lights=0");
        QVERIFY(r.body.contains("<url>/api/v1/config/universe</url>\n<value>12</value>"));
        QVERIFY(r.body.contains("<url>/api/v1/config/dravon</url>\n<value>2</value>"));
        QVERIFY(r.body.contains("<url>/api/v1/config/num_ports</url>\n<value>4</value>"));
        QVERIFY(r.body.contains("<url>/api/v1/config/num_lights</url>\n<value>170</value>"));

        // Buttons of the control panel.
        r = http("POST", url(keypad, "/api/v1/config"), "off_press=1");
        QVERIFY(r.body.contains("<url>/api/v1/config/brightness</url>\n<value>off</value>"));
        r = http("POST", url(keypad, "/api/v1/config"), "off_press=1");
        QVERIFY(r.body.contains("<url>/api/v1/config/brightness</url>\n<value>255</value>"));
        r = http("POST", url(keypad, "/api/v1/config"), "rel_bright=0");
        QVERIFY(r.body.contains("<url>/api/v1/config/brightness</url>\n<value>230</value>"));
        r = http("POST", url(keypad, "/api/v1/config"), "rel_bright=1");
        QVERIFY(r.body.contains("<url>/api/v1/config/brightness</url>\n<value>255</value>"));
        r = http("POST", url(keypad, "/api/v1/config"), "abs_bright=off");
        QVERIFY(r.body.contains("<url>/api/v1/config/brightness</url>\n<value>off</value>"));

        // A name with markup characters still gives readable XML.
        r = http("POST", url(keypad, "/api/v1/config"), "name=A<B>");
        QVERIFY(isWellFormed(r.body));
        QVERIFY(r.body.contains("<value>A&lt;B&gt;</value>"));
        m_bed->stopSimulator(keypad);
    }

    void factoryReset()
    {
        const int keypad = startKeypad();
        QVERIFY(keypad >= 0);
        QCOMPARE(http("POST", url(keypad, "/api/v1/config"), "name=Changed&universe=9").status, 200);
        QCOMPARE(http("POST", url(keypad, "/api/v1/shows/2"), "effect=6&param1=1&param2=2&apply=1").status, 200);
        // The keypad resets at once: the request gets no reply.
        const HttpResult r = http("POST", url(keypad, "/api/v1/config"), "factory_reset=1");
        QVERIFY(r.finished);
        QVERIFY(r.error != QNetworkReply::NoError);
        QVERIFY(m_bed->waitForEvent(keypad, QStringLiteral("restarted")));
        const QByteArray config = http("GET", url(keypad, "/api/v1/config")).body;
        QVERIFY(config.contains("<value>Lumetra Keypad</value>"));
        QVERIFY(config.contains("<url>/api/v1/config/universe</url>\n<value>0</value>"));
        QVERIFY(http("GET", url(keypad, "/api/v1/shows/2")).body.contains("<effect>1</effect>"));
        m_bed->stopSimulator(keypad);
    }

    void discoverReplyBytes()
    {
        QUdpSocket program;
        QVERIFY(program.bind(KeypadTestBed::hostAddress(), 0));
        QCOMPARE(program.writeDatagram(discoverRequest("C0A84DFF"), KeypadTestBed::broadcastAddress(), 6038), 16);

        QByteArray expected = hex("0401DC4A 0100 0200 00000000" // header, type 2
                                  "C0A84D0A" // 192.168.77.10, network order
                                  "024C4B000001" // MAC
                                  "0201" // version 1.2 little-endian
                                  "0100" // serial 1
                                  "0000" // not used
                                  "00000000"); // universe 0
        expected += "Firmware:1.2.0\nHardware:B\nPart:XKP-204417-00\nSerial:1";
        expected += '\0';
        expected += "Lumetra Keypad";
        expected += '\0';

        QTRY_VERIFY_WITH_TIMEOUT(program.hasPendingDatagrams(), 10000);
        const QNetworkDatagram reply = program.receiveDatagram();
        QCOMPARE(reply.senderAddress(), m_bed->simulatorAddress(m_keypad));
        QCOMPARE(reply.senderPort(), 6038);
        QCOMPARE(reply.data().toHex(' '), expected.toHex(' '));
        // The keypad now knows the program's host.
        QVERIFY(m_bed->command(m_keypad, QStringLiteral("status")).contains(QLatin1String("host=192.168.77.1 ")));
    }

    void discoverAddressedToAnother()
    {
        QUdpSocket program;
        QVERIFY(program.bind(KeypadTestBed::hostAddress(), 0));
        // Broadcast, but naming 192.168.77.99: nobody else answers.
        QCOMPARE(program.writeDatagram(discoverRequest("C0A84D63"), KeypadTestBed::broadcastAddress(), 6038), 16);
        // Then one meant for our keypad, which must be the only answer.
        QCOMPARE(program.writeDatagram(discoverRequest("C0A84D0A"), KeypadTestBed::broadcastAddress(), 6038), 16);
        QTRY_VERIFY_WITH_TIMEOUT(program.hasPendingDatagrams(), 10000);
        const QNetworkDatagram reply = program.receiveDatagram();
        QCOMPARE(reply.data().mid(12, 4), hex("C0A84D0A"));
        QTest::qWait(300);
        QVERIFY(!program.hasPendingDatagrams());
    }

    void twoSimulatorsAnswerOneBroadcast()
    {
        KeypadTestBed::SimulatorOptions hall;
        hall.name = QStringLiteral("Hall");
        hall.address = QStringLiteral("192.168.77.20/24");
        hall.mac = QStringLiteral("02:4c:4b:00:00:20");
        KeypadTestBed::SimulatorOptions foyer = hall;
        foyer.name = QStringLiteral("Foyer");
        foyer.address = QStringLiteral("192.168.77.21/24");
        foyer.mac = QStringLiteral("02:4c:4b:00:00:21");
        const int first = startKeypad(hall);
        const int second = startKeypad(foyer);
        QVERIFY(first >= 0 && second >= 0);

        QUdpSocket program;
        QVERIFY(program.bind(KeypadTestBed::hostAddress(), 0));
        QCOMPARE(program.writeDatagram(discoverRequest("C0A84DFF"), KeypadTestBed::broadcastAddress(), 6038), 16);

        QMap<QString, QByteArray> names;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                while (program.hasPendingDatagrams()) {
                    const QNetworkDatagram d = program.receiveDatagram();
                    const QByteArray texts = d.data().mid(32);
                    names.insert(d.senderAddress().toString(), texts.mid(texts.indexOf('\0') + 1).chopped(1));
                }
                return names.size() >= 3;
            }(),
            10000);
        QCOMPARE(names.value(QStringLiteral("192.168.77.20")), QByteArray("Hall"));
        QCOMPARE(names.value(QStringLiteral("192.168.77.21")), QByteArray("Foyer"));
        QCOMPARE(names.value(QStringLiteral("192.168.77.10")), QByteArray("Lumetra Keypad"));
        m_bed->stopSimulator(first);
        m_bed->stopSimulator(second);
    }

    void discoverOnTenNetwork()
    {
        KeypadTestBed::SimulatorOptions options;
        options.address = QStringLiteral("10.77.0.20/8");
        options.mac = QStringLiteral("02:4c:4b:00:10:20");
        options.name = QStringLiteral("Ten");
        const int keypad = startKeypad(options);
        QVERIFY(keypad >= 0);

        // The 10.0.0.0/8 rule: the request names the /16 broadcast of the
        // host's address and goes to the interface's broadcast address.
        QUdpSocket program;
        QVERIFY(program.bind(KeypadTestBed::hostAddress10(), 0));
        QCOMPARE(program.writeDatagram(discoverRequest("0A4DFFFF"), KeypadTestBed::broadcastAddress10(), 6038), 16);
        QTRY_VERIFY_WITH_TIMEOUT(program.hasPendingDatagrams(), 10000);
        const QNetworkDatagram reply = program.receiveDatagram();
        QCOMPARE(reply.senderAddress(), QHostAddress(QStringLiteral("10.77.0.20")));
        QCOMPARE(reply.data().mid(12, 10), hex("0A4D0014 024C4B001020"));

        // Its HTTP side answers there too, and it remembers who asked.
        QCOMPARE(http("GET", url(keypad, "/api/v1/config")).status, 200);
        QVERIFY(m_bed->command(keypad, QStringLiteral("status")).contains(QLatin1String("host=10.77.0.1 ")));
        m_bed->stopSimulator(keypad);
    }

    void setIp()
    {
        KeypadTestBed::SimulatorOptions options;
        options.address = QStringLiteral("192.168.77.30/24");
        options.mac = QStringLiteral("02:4c:4b:00:00:30");
        const int keypad = startKeypad(options);
        QVERIFY(keypad >= 0);
        const QByteArray mac = hex("024C4B000030");

        QUdpSocket program;
        QVERIFY(program.bind(KeypadTestBed::hostAddress(), 0));
        // Another keypad's MAC, and a wrong access word: both ignored.
        QCOMPARE(program.writeDatagram(setIpRequest(hex("024C4B000031"), "C0A84D33"),
                                       KeypadTestBed::broadcastAddress(), 6038),
                 28);
        QCOMPARE(program.writeDatagram(setIpRequest(mac, "C0A84D34", "0EF0117A"), KeypadTestBed::broadcastAddress(),
                                       6038),
                 28);
        // Then the real one, to 192.168.77.50.
        QCOMPARE(program.writeDatagram(setIpRequest(mac, "C0A84D32"), KeypadTestBed::broadcastAddress(), 6038), 28);
        QVERIFY(m_bed->waitForEvent(keypad, QStringLiteral("restarted")));
        QCOMPARE(m_bed->simulatorAddress(keypad), QHostAddress(QStringLiteral("192.168.77.50")));
        QCOMPARE(m_bed->events(keypad).filter(QStringLiteral("restarting")).size(), 1);

        const HttpResult r = http("GET", QStringLiteral("http://192.168.77.50/api/v1/config"));
        QCOMPARE(r.status, 200);
        QVERIFY(r.body.contains("<url>/api/v1/config/ip</url>\n<value>192.168.77.50</value>"));
        QTcpSocket old;
        old.connectToHost(QHostAddress(QStringLiteral("192.168.77.30")), 80);
        QVERIFY(!old.waitForConnected(3000));

        // Discovery reports the new address.
        QCOMPARE(program.writeDatagram(discoverRequest("C0A84D32"), KeypadTestBed::broadcastAddress(), 6038), 16);
        QTRY_VERIFY_WITH_TIMEOUT(program.hasPendingDatagrams(), 10000);
        QCOMPARE(program.receiveDatagram().data().mid(12, 4), hex("C0A84D32"));
        m_bed->stopSimulator(keypad);
    }

    void ipInConfigurationBody()
    {
        KeypadTestBed::SimulatorOptions options;
        options.address = QStringLiteral("192.168.77.31/24");
        options.mac = QStringLiteral("02:4c:4b:00:00:31");
        const int keypad = startKeypad(options);
        QVERIFY(keypad >= 0);
        QCOMPARE(http("POST", url(keypad, "/api/v1/config"), "&enable_switch=1&ip=192.168.077.051").status, 200);
        QVERIFY(m_bed->waitForEvent(keypad, QStringLiteral("restarted")));
        QCOMPARE(m_bed->simulatorAddress(keypad), QHostAddress(QStringLiteral("192.168.77.51")));
        QCOMPARE(http("GET", QStringLiteral("http://192.168.77.51/api/v1/shows/1")).status, 200);
        m_bed->stopSimulator(keypad);
    }

    void heartbeats()
    {
        KeypadTestBed::SimulatorOptions options;
        options.address = QStringLiteral("192.168.77.40/24");
        options.mac = QStringLiteral("02:4c:4b:00:00:40");
        options.heartbeatMs = 100;
        const int keypad = startKeypad(options);
        QVERIFY(keypad >= 0);

        QUdpSocket program;
        QVERIFY(program.bind(QHostAddress::AnyIPv4, 6038));
        const QHostAddress keypadAddress(QStringLiteral("192.168.77.40"));
        // Header with the keypad's heartbeat type and a running sequence number.
        const auto isHeartbeat = [](const QByteArray &d) {
            return d.size() == 16 && d.left(8) == hex("0401DC4A 0100 0203");
        };
        const auto any = [](const QByteArray &) { return true; };
        // Nobody has talked to the keypad yet, so it has nowhere to send.
        QTest::qWait(400);
        QCOMPARE(drainFrom(program, keypadAddress, any), 0);

        QCOMPARE(http("GET", url(keypad, "/api/v1/config")).status, 200);
        int count = 0;
        QTRY_VERIFY_WITH_TIMEOUT((count += drainFrom(program, keypadAddress, isHeartbeat)) >= 3, 10000);

        QCOMPARE(m_bed->command(keypad, QStringLiteral("heartbeat off")), QStringLiteral("ok"));
        QTest::qWait(150);
        drainFrom(program, keypadAddress, any);
        QTest::qWait(600);
        QCOMPARE(drainFrom(program, keypadAddress, any), 0);

        QCOMPARE(m_bed->command(keypad, QStringLiteral("heartbeat on")), QStringLiteral("ok"));
        count = 0;
        QTRY_VERIFY_WITH_TIMEOUT((count += drainFrom(program, keypadAddress, isHeartbeat)) >= 1, 10000);
        m_bed->stopSimulator(keypad);
    }

    void buttonDatagrams_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("datagram");

        QTest::newRow("scene 3") << QStringList{QStringLiteral("press 3")} << "ok"
                                 << hex("0401DC4A 0100 0103 00000000 00030000");
        QTest::newRow("scene 8") << QStringList{QStringLiteral("press 8")} << "ok"
                                 << hex("0401DC4A 0100 0103 00000000 00080000");
        QTest::newRow("configuration changed")
            << QStringList{QStringLiteral("config name=Stage&universe=3")} << "ok"
            << hex("0401DC4A 0100 0303 00000000 0000000000");
        QTest::newRow("on/off") << QStringList{QStringLiteral("press onoff")} << "ok"
                                << hex("0401DC4A 0100 0303 00000000 0000000000");
        QTest::newRow("up") << QStringList{QStringLiteral("press up")} << "ok"
                            << hex("0401DC4A 0100 0303 00000000 0000000000");
        QTest::newRow("no scene 9") << QStringList{QStringLiteral("press 9")} << "error no scene 9" << QByteArray();
        QTest::newRow("disabled scene") << QStringList{QStringLiteral("config disable_switch=2"),
                                                       QStringLiteral("press 2")}
                                        << "error button disabled" << QByteArray();
    }

    void buttonDatagrams()
    {
        QFETCH(QStringList, commands);
        QFETCH(QString, answer);
        QFETCH(QByteArray, datagram);
        QUdpSocket program;
        QVERIFY(program.bind(QHostAddress::AnyIPv4, 6041));
        QCOMPARE(m_bed->command(m_keypad, QStringLiteral("host 192.168.77.1")), QStringLiteral("ok"));

        QString last;
        for (const QString &command : commands)
            last = m_bed->command(m_keypad, command);
        QCOMPARE(last, answer);
        if (datagram.isEmpty()) {
            // Only the configuration datagrams of earlier commands may come.
            QTest::qWait(300);
            while (program.hasPendingDatagrams())
                QCOMPARE(program.receiveDatagram().data().size(), 17);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(program.hasPendingDatagrams(), 10000);
            const QNetworkDatagram d = program.receiveDatagram();
            QCOMPARE(d.senderAddress(), m_bed->simulatorAddress(m_keypad));
            QCOMPARE(d.data().toHex(' '), datagram.toHex(' '));
        }
        m_bed->command(m_keypad, QStringLiteral("config enable_switch=2"));
    }

    void pressSelectsScene()
    {
        QCOMPARE(m_bed->command(m_keypad, QStringLiteral("press 7")), QStringLiteral("ok"));
        QVERIFY(http("GET", url(m_keypad, "/api/v1/shows")).body.contains("<currentShow>7</currentShow>"));
        QCOMPARE(m_bed->command(m_keypad, QStringLiteral("press 1")), QStringLiteral("ok"));
    }

    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("xmlOk");
        QTest::addColumn<int>("minimumMs");
        QTest::addColumn<bool>("connectionFails");

        QTest::newRow("delay") << "fault delay 800" << 200 << true << 700 << false;
        QTest::newRow("status 500") << "fault error 1" << 500 << false << 0 << false;
        QTest::newRow("malformed XML") << "fault malformed 1" << 200 << false << 0 << false;
        QTest::newRow("drop all") << "fault drop 100" << 0 << false << 0 << true;
        QTest::newRow("refuse") << "fault refuse on" << 0 << false << 0 << true;
    }

    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(int, status);
        QFETCH(bool, xmlOk);
        QFETCH(int, minimumMs);
        QFETCH(bool, connectionFails);

        QCOMPARE(m_bed->command(m_keypad, fault), QStringLiteral("ok"));
        const HttpResult r = http("GET", url(m_keypad, "/api/v1/config"));
        QVERIFY(r.finished);
        QCOMPARE(r.status, status);
        QCOMPARE(r.error != QNetworkReply::NoError, status != 200);
        if (connectionFails)
            QVERIFY(r.error < QNetworkReply::ContentAccessDenied); // a network error, no HTTP answer
        QCOMPARE(isWellFormed(r.body) && !r.body.isEmpty(), xmlOk);
        QVERIFY2(r.elapsedMs >= minimumMs, qPrintable(QString::number(r.elapsedMs)));

        // Counted faults are used up; the others stay until cleared.
        const HttpResult again = http("GET", url(m_keypad, "/api/v1/config"));
        const bool counted = fault.endsWith(QLatin1String(" 1"));
        QCOMPARE(again.status == 200 && isWellFormed(again.body), counted || xmlOk);
        QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
        const HttpResult cleared = http("GET", url(m_keypad, "/api/v1/config"));
        QCOMPARE(cleared.status, 200);
        QVERIFY(isWellFormed(cleared.body));
    }

    void dropShare()
    {
        QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault drop 50")), QStringLiteral("ok"));
        QList<bool> answered;
        for (int i = 0; i < 4; ++i)
            answered << rawGet(m_bed->simulatorAddress(m_keypad), "/api/v1/shows/1").startsWith("HTTP/1.1 200 OK\r\n");
        // Every second request is dropped, starting with the second.
        QCOMPARE(answered, (QList<bool>{true, false, true, false}));
    }

    void badCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("unknown") << "jump";
        QTest::newRow("press nothing") << "press";
        QTest::newRow("press lamp") << "press lamp";
        QTest::newRow("drop too much") << "fault drop 101";
        QTest::newRow("negative delay") << "fault delay -5";
        QTest::newRow("negative stall") << "fault stall -5";
        QTest::newRow("stall of no path") << "fault stall 100 shows";
        QTest::newRow("unknown fault") << "fault smoke on";
        QTest::newRow("bad host") << "host 300.1.1.1";
        QTest::newRow("bad scene") << "scene 9 effect=1";
        QTest::newRow("scene without effect") << "scene 2 param1=3";
        QTest::newRow("heartbeat too fast") << "heartbeat 1";
    }

    void badCommands()
    {
        QFETCH(QString, command);
        QVERIFY(m_bed->command(m_keypad, command).startsWith(QLatin1String("error ")));
    }

    void startupOptions()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        KeypadTestBed::SimulatorOptions options;
        options.address = QStringLiteral("192.168.77.70/24");
        options.mac = QStringLiteral("02:4c:4b:00:00:70");
        options.name = QStringLiteral("Old");
        options.firmware = QStringLiteral("1.1.19");
        options.extraArguments = QStringList{QStringLiteral("--scene"), QStringLiteral("2=effect=6&param1=10&param2=20"),
                                  QStringLiteral("--control"), dir.filePath(QStringLiteral("control"))};
        const int keypad = startKeypad(options);
        QVERIFY(keypad >= 0);

        QVERIFY(http("GET", url(keypad, "/api/v1/shows/2"))
                    .body.contains("<effect>6</effect>\n<parameters><param>10</param><param>20</param><param>0</param>"));
        const QByteArray config = http("GET", url(keypad, "/api/v1/config")).body;
        QVERIFY(config.contains("<url>/api/v1/config/version</url>\n<value>1.1.19</value>"));
        QVERIFY(config.contains("<url>/api/v1/config/name</url>\n<value>Old</value>"));

        // The same commands work on the local control socket.
        QLocalSocket socket;
        socket.connectToServer(dir.filePath(QStringLiteral("control")));
        QVERIFY(socket.waitForConnected(10000));
        socket.write("press 5\nstatus\n");
        QByteArray answers;
        QTRY_VERIFY_WITH_TIMEOUT((answers += socket.readAll()).count('\n') >= 2, 10000);
        QVERIFY2(answers.startsWith("ok\nok address=192.168.77.70 port=80 current=5 "), answers.constData());
        QVERIFY(answers.endsWith(" name=Old\n"));
        m_bed->stopSimulator(keypad);
    }

    void requestLog()
    {
        KeypadTestBed::SimulatorOptions options;
        options.address = QStringLiteral("192.168.77.60/24");
        options.mac = QStringLiteral("02:4c:4b:00:00:60");
        const int keypad = startKeypad(options);
        QVERIFY(keypad >= 0);
        const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1000);
        http("GET", url(keypad, "/api/v1/config"));
        http("POST", url(keypad, "/api/v1/shows/2"), "effect=0&param1=1&param2=2&param3=3");
        http("POST", url(keypad, "/api/v1/shows/2"), "apply=1");
        http("GET", url(keypad, "/api/v1/nowhere"));
        QVERIFY(m_bed->waitForRequests(keypad, 4));
        QVERIFY(!m_bed->waitForRequests(keypad, 5, 100));
        const QList<KeypadTestBed::Request> log = m_bed->requestLog(keypad);
        QCOMPARE(log.size(), 4);
        QCOMPARE(log.at(0).method, QStringLiteral("GET"));
        QCOMPARE(log.at(0).path, QStringLiteral("/api/v1/config"));
        QCOMPARE(log.at(0).body, QByteArray());
        QCOMPARE(log.at(1).method, QStringLiteral("POST"));
        QCOMPARE(log.at(1).path, QStringLiteral("/api/v1/shows/2"));
        QCOMPARE(log.at(1).body, QByteArray("effect=0&param1=1&param2=2&param3=3"));
        QCOMPARE(log.at(2).body, QByteArray("apply=1"));
        QCOMPARE(log.at(3).path, QStringLiteral("/api/v1/nowhere"));
        QVERIFY(log.at(0).time >= before);
        for (int i = 1; i < log.size(); ++i)
            QVERIFY(log.at(i).time >= log.at(i - 1).time);
        m_bed->stopSimulator(keypad);
    }
};

QTEST_GUILESS_MAIN(tst_KeypadSim)
#include "tst_keypadsim.moc"
