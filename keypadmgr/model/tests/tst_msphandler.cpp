// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcolorwasheffect.h"
#include "mspcommlink.h"
#include "mspcustomwasheffect.h"
#include "mspeffectfactory.h"
#include "mspfixedcoloreffect.h"
#include "msphandler.h"
#include "msprandomcoloreffect.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "mspvariablecoloreffect.h"
#include "mspwhiteeffect.h"
#include "ovrcolor.h"
#include "systemconfiguration.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// Plays the communication object: records what the reader asks of it.
class RecordingLink : public MSPCommLink
{
public:
    struct Call
    {
        QString what; // "suspend", "resume", "show", "post"
        QString path;
        QString body;
        int index = -1;
        bool trackAsEdit = false;
        bool trackAsConfigPost = false;
        bool apply = false;
        qint64 at = 0;
    };

    RecordingLink() { clock.start(); }

    void setPostsSuspended(bool suspended) override
    {
        MSPCommLink::setPostsSuspended(suspended);
        Call call;
        call.what = suspended ? "suspend" : "resume";
        call.at = clock.elapsed();
        calls << call;
    }
    void requestShow(int index, bool trackAsEdit) override
    {
        Call call;
        call.what = "show";
        call.index = index;
        call.trackAsEdit = trackAsEdit;
        call.at = clock.elapsed();
        calls << call;
    }
    void postToDevice(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost,
                      bool apply) override
    {
        Call call;
        call.what = "post";
        call.path = path;
        call.body = body;
        call.trackAsEdit = trackAsEdit;
        call.trackAsConfigPost = trackAsConfigPost;
        call.apply = apply;
        call.at = clock.elapsed();
        calls << call;
    }

    QStringList kinds() const
    {
        QStringList list;
        for (const Call &call : calls)
            list << call.what;
        return list;
    }

    QList<Call> calls;
    QElapsedTimer clock;
};

// A fresh model, record and link for each parse.
struct Target
{
    MSPSceneModel model;
    SystemConfiguration config;
    RecordingLink link;

    bool parse(const QString &document, bool online = false, int *currentShow = nullptr)
    {
        QBuffer buffer;
        buffer.setData(document.toLatin1());
        buffer.open(QIODevice::ReadOnly);
        MSPHandler handler(online, &model, &config, &link);
        const bool ok = handler.read(&buffer);
        if (currentShow)
            *currentShow = handler.currentShowIndex();
        return ok;
    }

    // "type:params" and, for colour lists, "|colour count".
    QString summary(int row) const
    {
        MSPEffect *effect = model.sceneAt(row)->effect();
        if (!effect)
            return QStringLiteral("-");
        QStringList params;
        QList<OvrColor *> colors;
        float Y, x, y;
        effect->getParameters(params, colors, Y, x, y);
        QString text = QString::number(effect->type()) + ':' + params.join(',');
        if (qobject_cast<MSPCustomWashEffect *>(effect))
            text += '|' + QString::number(colors.size());
        qDeleteAll(colors);
        return text;
    }
};

const QString emptySlot = QStringLiteral(
        "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>");

// A show element in the keypad's layout; colours are given as inner XML.
QString show(const QString &url, const QString &effect, const QStringList &params, const QString &numColors = "0",
             const QString &colors = QString(), const QString &yxy = "<by>0</by><x>0</x><y>0</y>")
{
    QString xml = "<show><url>" + url + "</url>\n<effect>" + effect + "</effect>\n<parameters>";
    for (const QString &param : params)
        xml += "<param>" + param + "</param>";
    xml += yxy + "</parameters><numColors>" + numColors + "</numColors>\n<customColors>";
    xml += colors.isNull() ? emptySlot.repeated(6) : colors;
    return xml + "\n</customColors>\n</show>";
}

QString rgbColor(int r, int g, int b, const QString &yxy = "<by>0</by><x>0</x><y>0</y>")
{
    return QStringLiteral("<color>\n<red>%1</red>\n<grn>%2</grn>\n<blu>%3</blu>\n").arg(r).arg(g).arg(b) + yxy
            + " </color>";
}

QString configProperty(const QString &key, const QString &value)
{
    return "<property>\n<url>/api/v1/config/" + key + "</url>\n<value>" + value + "</value>\n</property>\n";
}

QString enablesOf(const SystemConfiguration &config)
{
    QString bits;
    for (int number = 1; number <= 11; ++number)
        bits += config.switchEnabled(number) ? '1' : '0';
    return bits;
}

} // namespace

class tst_MSPHandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keypadReply();
    void sameTypeKeepsEffect();
    void brokenReplyResumesPosts();
    void currentShow_data();
    void currentShow();
    void properties_data();
    void properties();
    void switchState_data();
    void switchState();
    void brightnessElement();
    void colors_data();
    void colors();
    void hostileInput_data();
    void hostileInput();
    void onlineUpload();
    void roundTrip();
    void scenesTakenOrRefused_data();
    void scenesTakenOrRefused();
};

void tst_MSPHandler::initTestCase()
{
    // The writers convert colours for the configured fixture class.
    SystemConfiguration::instance()->setFixtureClass(0);
}

void tst_MSPHandler::keypadReply()
{
    Target target;
    QList<bool> suspendedWhileApplied;
    connect(&target.model, &MSPSceneModel::effectChanged, this,
            [&] { suspendedWhileApplied << target.link.postsSuspended(); });
    QSignalSpy effectChanged(&target.model, &MSPSceneModel::effectChanged);

    const QString reply = "<shows><all_shows><currentShow>3</currentShow>\n"
            + show("/api/v1/shows/1", "2", { "7", "1", "0" }) + "\n"
            + show("/api/v1/shows/4", "6", { "20", "128", "0" }) + "\n</all_shows></shows>";
    int current = 0;
    QVERIFY(target.parse(reply, false, &current));
    QCOMPARE(current, 2);
    QCOMPARE(target.model.activeSceneIndex(), 0); // the caller decides what to do with it
    QCOMPARE(target.summary(0), QStringLiteral("2:7,1"));
    QCOMPARE(target.summary(3), QStringLiteral("6:20,128"));
    QCOMPARE(target.summary(1), QStringLiteral("-"));
    QCOMPARE(target.model.sceneAt(0)->url(), QStringLiteral("/api/v1/shows/1"));
    QCOMPARE(target.model.sceneAt(3)->url(), QStringLiteral("/api/v1/shows/4"));
    QCOMPARE(effectChanged.count(), 2);
    QCOMPARE(suspendedWhileApplied, QList<bool>({ true, true }));
    QCOMPARE(target.link.kinds(), QStringList({ "suspend", "resume" }));
    QVERIFY(!target.link.postsSuspended());
}

void tst_MSPHandler::brokenReplyResumesPosts()
{
    Target target;
    QVERIFY(!target.parse("<shows><all_shows>" + show("/api/v1/shows/1", "2", { "7", "1", "0" }) + "<show><u"));
    QCOMPARE(target.summary(0), QStringLiteral("2:7,1"));
    QCOMPARE(target.link.kinds(), QStringList({ "suspend", "resume" }));
    QVERIFY(!target.link.postsSuspended());
}

void tst_MSPHandler::sameTypeKeepsEffect()
{
    Target target;
    auto *wash = new MSPColorWashEffect;
    target.model.sceneAt(1)->setEffect(wash, false);
    QSignalSpy effectChanged(&target.model, &MSPSceneModel::effectChanged);
    QSignalSpy paramsChanged(&target.model, &MSPSceneModel::effectParamsChanged);
    QVERIFY(target.parse(show("/api/v1/shows/2", "2", { "12", "1", "0" })));
    QCOMPARE(target.model.sceneAt(1)->effect(), wash);
    QCOMPARE(wash->speed(), 12);
    QCOMPARE(effectChanged.count() + paramsChanged.count(), 0);

    // Another type replaces it.
    QVERIFY(target.parse(show("/api/v1/shows/2", "5", { "3", "1", "0" })));
    QCOMPARE(target.summary(1), QStringLiteral("5:3,1"));
    QCOMPARE(effectChanged.count(), 1);
}

void tst_MSPHandler::currentShow_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<int>("index");
    QTest::newRow("3") << "<all_shows><currentShow>3</currentShow></all_shows>" << 2;
    QTest::newRow("8") << "<all_shows><currentShow>8</currentShow></all_shows>" << 7;
    QTest::newRow("padded") << "<all_shows><currentShow> 4\n</currentShow></all_shows>" << 3;
    QTest::newRow("absent") << "<all_shows></all_shows>" << -1;
    QTest::newRow("0") << "<all_shows><currentShow>0</currentShow></all_shows>" << -1;
    QTest::newRow("9") << "<all_shows><currentShow>9</currentShow></all_shows>" << -1;
    QTest::newRow("negative") << "<all_shows><currentShow>-5</currentShow></all_shows>" << -1;
    QTest::newRow("huge") << "<all_shows><currentShow>99999999999999999</currentShow></all_shows>" << -1;
    QTest::newRow("text") << "<all_shows><currentShow>two</currentShow></all_shows>" << -1;
    QTest::newRow("empty") << "<all_shows>\n5<currentShow></currentShow></all_shows>" << -1;
    QTest::newRow("bad one keeps good one")
            << "<all_shows><currentShow>2</currentShow><currentShow>12</currentShow></all_shows>" << 1;
}

void tst_MSPHandler::currentShow()
{
    QFETCH(QString, document);
    QFETCH(int, index);
    Target target;
    int current = 0;
    QVERIFY(target.parse(document, false, &current));
    QCOMPARE(current, index);
}

void tst_MSPHandler::properties_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("name") << "name" << "Lobby" << QByteArray("name") << QVariant("Lobby");
    QTest::newRow("escaped name") << "name" << "A&amp;B &lt;1&gt; &#8364;" << QByteArray("name")
                                  << QVariant(QString::fromUtf8("A&B <1> \xe2\x82\xac"));
    QTest::newRow("empty name stays empty") << "name" << "" << QByteArray("name") << QVariant("");
    QTest::newRow("ip") << "ip" << "10.0.0.9" << QByteArray("ipAddress") << QVariant("10.0.0.9");
    QTest::newRow("version") << "version" << "1.1.20" << QByteArray("version") << QVariant("1.1.20");
    QTest::newRow("universe") << "universe" << "77" << QByteArray("universe") << QVariant(77);
    QTest::newRow("universe out of range") << "universe" << "300" << QByteArray("universe") << QVariant(5);
    QTest::newRow("dravon") << "dravon" << "2" << QByteArray("DravonMode") << QVariant(2);
    QTest::newRow("ports") << "num_ports" << "16" << QByteArray("numberOfPorts") << QVariant(16);
    QTest::newRow("lights") << "num_lights" << "170" << QByteArray("lightsPerPort") << QVariant(170);
    QTest::newRow("lights not a number") << "num_lights" << "many" << QByteArray("lightsPerPort") << QVariant(1);
    QTest::newRow("brightness") << "brightness" << "42" << QByteArray("brightness") << QVariant(42);
    QTest::newRow("brightness off") << "brightness" << "off" << QByteArray("brightness") << QVariant(-1);
    QTest::newRow("fixture class") << "global_profile" << "8" << QByteArray("fixtureClass") << QVariant(8);
    QTest::newRow("fixture class out of range") << "global_profile" << "12" << QByteArray("fixtureClass")
                                                << QVariant(0);
    QTest::newRow("unknown key") << "colour_of_the_day" << "blue" << QByteArray("name") << QVariant("Old");
}

void tst_MSPHandler::properties()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, field);
    QFETCH(QVariant, expected);

    Target target;
    target.config.setName(QStringLiteral("Old"));
    target.config.setUniverse(5);
    target.config.setFixtureClass(4);
    QVERIFY(target.parse("<config>\n" + configProperty(key, value) + "</config>\n"));
    QVariant actual;
    if (field == "universe")
        actual = target.config.universe();
    else if (field == "brightness")
        actual = target.config.brightness();
    else if (field == "fixtureClass")
        actual = int(target.config.fixtureClass());
    else
        actual = target.config.property(field.constData());
    QCOMPARE(actual.toString(), expected.toString());
}

void tst_MSPHandler::switchState_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<QString>("enables"); // switches 1..11
    QTest::addColumn<int>("configurationChanged");

    // The record starts with scene 2 disabled.
    QTest::newRow("scenes 1-4, on/off, up, down") << "1,1,1,1,0,0,0,0,1,1,1" << true << "11110000111" << 1;
    QTest::newRow("all off") << "0,0,0,0,0,0,0,0,0,0,0" << true << "00000000000" << 1;
    QTest::newRow("three entries change nothing") << "1,1,1" << true << "10111111111" << 0;
    QTest::newRow("twelve entries change nothing") << "1,1,1,1,1,1,1,1,1,1,1,1" << true << "10111111111" << 0;
    QTest::newRow("empty changes nothing") << "" << true << "10111111111" << 0;
    QTest::newRow("a 2 stops the parse") << "1,1,1,1,1,1,1,1,1,1,2" << false << "10111111111" << 0;
    QTest::newRow("padding stops the parse") << "1,1,1,1,1,1,1,1,1,1, 1" << false << "10111111111" << 0;
    QTest::newRow("empty entry stops the parse") << "1,1,1,1,1,,1,1,1,1,1" << false << "10111111111" << 0;
}

void tst_MSPHandler::switchState()
{
    QFETCH(QString, value);
    QFETCH(bool, parsed);
    QFETCH(QString, enables);
    QFETCH(int, configurationChanged);

    Target target;
    target.config.setScene2CheckBoxState(false, false);
    QSignalSpy changed(&target.config, &SystemConfiguration::configurationChanged);
    const QString document = "<config>\n" + configProperty("switch_state", value) + configProperty("name", "After")
            + "</config>\n";
    QCOMPARE(target.parse(document), parsed);
    QCOMPARE(enablesOf(target.config), enables);
    // A stopped parse applies nothing after the bad entry.
    QCOMPARE(target.config.name(), parsed ? QStringLiteral("After") : QString());
    QCOMPARE(changed.count(), configurationChanged + (parsed ? 1 : 0));
}

void tst_MSPHandler::brightnessElement()
{
    {
        Target target;
        QVERIFY(target.parse("<v1><brightness>off</brightness></v1>"));
        QCOMPARE(target.config.brightness(), -1);
        QVERIFY(target.parse("<v1><brightness>77</brightness></v1>"));
        QCOMPARE(target.config.brightness(), 77);
    }
    {
        // A file loaded while connected keeps the keypad's brightness.
        Target target;
        target.config.setBrightness(12);
        QVERIFY(target.parse("<v1><brightness>77</brightness>" + configProperty("brightness", "off") + "</v1>", true));
        QCOMPARE(target.config.brightness(), 12);
    }
}

void tst_MSPHandler::colors_data()
{
    QTest::addColumn<QString>("colors");
    QTest::addColumn<QString>("numColors");
    QTest::addColumn<QStringList>("expected");

    const QString none = "<by>0</by><x>0</x><y>0</y>";
    const QString yxy = "<by>500</by><x>3127</x><y>3290</y>";
    const QString rgb = OvrColor::fromRgb8(16, 32, 48).aName();
    const QString white = OvrColor("aYxy;1;0;65535;0.5;0.3127;0.329").aName();

    QTest::newRow("rgb when Yxy is zero")
            << rgbColor(16, 32, 48, none) + emptySlot.repeated(5) << "1" << QStringList { rgb };
    QTest::newRow("Yxy wins over rgb")
            << rgbColor(16, 32, 48, yxy) + emptySlot.repeated(5) << "1" << QStringList { white };
    QTest::newRow("x alone makes a Yxy colour")
            << rgbColor(1, 2, 3, "<by>0</by><x>3127</x><y>0</y>") + emptySlot.repeated(5) << "1"
            << QStringList { OvrColor("aYxy;1;0;65535;0;0.3127;0").aName() };
    QTest::newRow("second colour takes only what it gives")
            << rgbColor(16, 32, 48) + "<color><red>200</red></color>" + emptySlot.repeated(4) << "2"
            << QStringList { rgb, OvrColor::fromRgb8(200, 32, 48).aName() };
    QTest::newRow("channels beyond 0..255 are clamped")
            << rgbColor(300, -5, 99999999) + emptySlot.repeated(5) << "1"
            << QStringList { OvrColor::fromRgb8(255, 0, 255).aName() };
    QTest::newRow("Yxy out of range keeps rgb")
            << rgbColor(16, 32, 48, "<by>65535</by><x>3127</x><y>3290</y>") + emptySlot.repeated(5) << "1"
            << QStringList { rgb };
    QTest::newRow("coordinate beyond 16 bits reads 0")
            << rgbColor(16, 32, 48, "<by>70000</by><x>-1</x><y>abc</y>") + emptySlot.repeated(5) << "1"
            << QStringList { rgb };
}

void tst_MSPHandler::colors()
{
    QFETCH(QString, colors);
    QFETCH(QString, numColors);
    QFETCH(QStringList, expected);
    Target target;
    if (QTest::currentDataTag() == QLatin1String("Yxy out of range keeps rgb"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignored out-of-range Yxy colour"));
    QVERIFY(target.parse(show("/api/v1/shows/5", "4", { "2", "0", "3" }, numColors, colors)));
    auto *wash = qobject_cast<MSPCustomWashEffect *>(target.model.sceneAt(4)->effect());
    QVERIFY(wash);
    QCOMPARE(wash->colorList(), expected);
}

void tst_MSPHandler::hostileInput_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<QString>("scene1");
    QTest::addColumn<QString>("scene2");

    const QString first = show("/api/v1/shows/1", "2", { "9", "1", "0" });
    const QString good = "<all_shows>" + first;

    QTest::newRow("truncated inside the second show")
            << good + show("/api/v1/shows/2", "5", { "3", "1", "0" }).left(60) << false << "2:9,1" << "-";
    QTest::newRow("truncated inside a tag") << good + "<show><url>/api/v1/sho" << false << "2:9,1" << "-";
    QTest::newRow("wrong nesting")
            << good + "<show><url>/api/v1/shows/2</url><effect>5</parameters></show>" << false << "2:9,1" << "-";
    QTest::newRow("unknown effect type")
            << good + show("/api/v1/shows/2", "12", { "1", "1", "1" }) + "</all_shows>" << true << "2:9,1" << "-";
    QTest::newRow("huge effect number reads 0")
            << good + show("/api/v1/shows/2", "99999999999999999999", { "1", "2", "3" }) + "</all_shows>" << true
            << "2:9,1" << "0:1,2,3";
    QTest::newRow("negative colour count")
            << good + show("/api/v1/shows/2", "4", { "4", "1", "5" }, "-3") + "</all_shows>" << true << "2:9,1"
            << "4:4,1,5|0";
    QTest::newRow("more than six colours")
            << good + show("/api/v1/shows/2", "4", { "4", "1", "5" }, "7", emptySlot.repeated(7)) + "</all_shows>"
            << true << "2:9,1" << "4:4,1,5|6";
    QTest::newRow("colour count above the colours")
            << good + show("/api/v1/shows/2", "3", { "4", "1", "5" }, "1000") + "</all_shows>" << true << "2:9,1"
            << "3:4,1,5|6";
    QTest::newRow("many parameters")
            << good + show("/api/v1/shows/2", "0", QVector<QString>(500, "1").toList()) + "</all_shows>" << true
            << "2:9,1" << "0:255,0,0";
    QTest::newRow("path without scene number")
            << good + show("/api/v1/shows/", "5", { "3", "1", "0" }) + "</all_shows>" << true << "2:9,1" << "-";
    QTest::newRow("path ending in 9")
            << good + show("/api/v1/shows/9", "5", { "3", "1", "0" }) + "</all_shows>" << true << "2:9,1" << "-";
    QTest::newRow("path ending in 0")
            << good + show("/api/v1/shows/0", "5", { "3", "1", "0" }) + "</all_shows>" << true << "2:9,1" << "-";
    QTest::newRow("show without path does not reuse the previous one")
            << good + "<show><effect>5</effect><parameters><param>3</param><param>1</param></parameters></show>"
                      "</all_shows>"
            << true << "2:9,1" << "-";
    QTest::newRow("empty path element")
            << good + "<show><url></url><effect>5</effect></show></all_shows>" << true << "2:9,1" << "-";
    QTest::newRow("elements out of place")
            << good + "<color><red>5</red></color><param>7</param><by>9</by><show/><property/></all_shows>" << true
            << "2:9,1" << "-";
    QTest::newRow("garbage after the document") << good + "</all_shows>\x01<" << false << "2:9,1" << "-";
    QTest::newRow("empty document") << "" << false << "-" << "-";
}

void tst_MSPHandler::hostileInput()
{
    QFETCH(QString, document);
    QFETCH(bool, parsed);
    QFETCH(QString, scene1);
    QFETCH(QString, scene2);
    Target target;
    QCOMPARE(target.parse(document), parsed);
    QCOMPARE(target.summary(0), scene1);
    QCOMPARE(target.summary(1), scene2);
    for (int row = 2; row < 8; ++row)
        QCOMPARE(target.summary(row), QStringLiteral("-"));
}

void tst_MSPHandler::onlineUpload()
{
    Target target;
    target.config.setBrightness(10);
    const QString file = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<v1>\n<all_shows>\n"
                         "<currentShow>2</currentShow>\n"
            + show("/api/v1/shows/2", "2", { "7", "1", "0" }) + "\n</all_shows>"
            + "<config>\n" + configProperty("name", "Up") + "</config>\n\n</v1>";
    QVERIFY(target.parse(file, true));

    const QList<RecordingLink::Call> &calls = target.link.calls;
    QCOMPARE(target.link.kinds(), QStringList({ "resume", "show", "post", "resume", "show", "post", "post" }));
    QCOMPARE(calls.at(1).index, 1);
    QVERIFY(calls.at(1).trackAsEdit);
    QCOMPARE(calls.at(2).path, QStringLiteral("/api/v1/shows/2"));
    QCOMPARE(calls.at(2).body, QStringLiteral("effect=2&param1=7&param2=1&param_xy=(0,0,0)&num_colors=0"));
    QVERIFY(calls.at(2).apply);
    QVERIFY(!calls.at(2).trackAsEdit);
    QVERIFY(calls.at(2).at - calls.at(1).at >= 290);
    // The file's current show is asked for 300 ms after the shows.
    QCOMPARE(calls.at(4).index, 1);
    QVERIFY(calls.at(4).at - calls.at(2).at >= 580);

    QCOMPARE(target.config.brightness(), 255);
    QCOMPARE(calls.at(5).path, QStringLiteral("/api/v1/config"));
    QCOMPARE(calls.at(5).body,
             QStringLiteral("name=Up&universe=0&dravon=1&num_ports=1&num_lights=1&abs_bright=255&global_profile=0"));
    QVERIFY(calls.at(5).trackAsEdit);
    QVERIFY(calls.at(5).apply);
    QVERIFY(calls.at(5).at - calls.at(4).at >= 290);
    QVERIFY(calls.at(6).body.startsWith(QLatin1String("&enable_switch=1&")));
    QVERIFY(!calls.at(6).trackAsEdit);
    QVERIFY(calls.at(6).apply);
    QVERIFY(calls.at(6).at - calls.at(5).at >= 490);
}

void tst_MSPHandler::roundTrip()
{
    QRandomGenerator random(20261207);
    for (int round = 0; round < 40; ++round) {
        // Random valid scenes of every type, in a model of their own.
        MSPSceneModel source;
        for (int row = 0; row < 8; ++row) {
            const int type = (round * 8 + row) % 8;
            MSPEffect *effect = MSPEffectFactory::instance()->create(type, nullptr);
            const auto yxyName = [&random] {
                return OvrColor(QStringLiteral("aYxy;1;0;65535;%1;%2;%3")
                                        .arg(random.bounded(1001) / 1000.0, 0, 'f', 3)
                                        .arg((100 + random.bounded(6000)) / 10000.0, 0, 'f', 4)
                                        .arg((100 + random.bounded(6000)) / 10000.0, 0, 'f', 4))
                        .aName();
            };
            const auto rgbName = [&random] {
                return OvrColor::fromRgb8(random.bounded(256), random.bounded(256), random.bounded(256)).aName();
            };
            if (auto *variable = qobject_cast<MSPVariableColorEffect *>(effect)) {
                // Hue 0 keeps the keypad's 0..255 hue scale exact both ways.
                variable->setColor(random.bounded(2) ? yxyName()
                                                     : OvrColor::fromHsv8(0, random.bounded(256),
                                                                          random.bounded(256))
                                                               .aName());
            } else if (auto *fixed = qobject_cast<MSPFixedColorEffect *>(effect)) {
                fixed->setColor(random.bounded(2) ? yxyName() : rgbName());
            } else if (auto *wash = qobject_cast<MSPCustomWashEffect *>(effect)) {
                wash->setSpeed(1 + random.bounded(32));
                wash->setDirection(random.bounded(2));
                wash->setWidth(wash->minimumWidth()
                               + random.bounded(wash->maximumWidth() - wash->minimumWidth() + 1));
                QStringList colors;
                const int count = random.bounded(7);
                for (int i = 0; i < count; ++i)
                    colors << (random.bounded(2) ? yxyName() : rgbName());
                wash->setColorList(colors);
            } else if (auto *plain = qobject_cast<MSPColorWashEffect *>(effect)) {
                plain->setSpeed(1 + random.bounded(32));
                plain->setDirection(random.bounded(2));
            } else if (auto *randomColor = qobject_cast<MSPRandomColorEffect *>(effect)) {
                randomColor->setSpeed(random.bounded(1000));
                randomColor->setFade(random.bounded(2));
            } else if (auto *white = qobject_cast<MSPWhiteEffect *>(effect)) {
                white->setTemperature(random.bounded(256));
                white->setBrightness(random.bounded(101));
            }
            source.sceneAt(row)->setUrl(QStringLiteral("/api/v1/shows/%1").arg(row + 1));
            source.sceneAt(row)->setEffect(effect, false);
        }

        SystemConfiguration config;
        const QString names[] = { "", "Lobby", "A&B <1>", "x&factory_reset=1", QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac"),
                                  "say \"hi\"" };
        config.setName(names[random.bounded(6)]);
        config.setIpAddress(QStringLiteral("10.1.1.%1").arg(random.bounded(255)));
        config.setVersion(QStringLiteral("1.2.%1").arg(random.bounded(30)));
        config.setUniverse(random.bounded(256));
        config.setDravonMode(1 + random.bounded(2));
        config.setNumberOfPorts(1 + random.bounded(16));
        config.setLightsPerPort(1 + random.bounded(170));
        config.setBrightness(random.bounded(257) - 1);
        config.setFixtureClass(random.bounded(10));
        for (int number = 1; number <= 11; ++number)
            config.setSwitchEnabled(number, random.bounded(2), false);
        const int currentShow = 1 + random.bounded(8);

        // The configuration file layout.
        QString file = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<v1>\n<all_shows>\n<currentShow>"
                + QString::number(currentShow) + "</currentShow>\n";
        for (int row = 0; row < 8; ++row)
            file += source.sceneAt(row)->XMLData() + "\n";
        file += "</all_shows>" + config.configXML(false) + "\n</v1>";
        QCOMPARE(QString::fromLatin1(file.toLatin1()), file); // nothing lost to Latin-1

        Target target;
        int current = -1;
        QVERIFY(target.parse(file, false, &current));
        QCOMPARE(current, currentShow - 1);
        QCOMPARE(target.model.activeSceneIndex(), 0);
        for (int row = 0; row < 8; ++row) {
            MSPEffect *expected = source.sceneAt(row)->effect();
            MSPEffect *actual = target.model.sceneAt(row)->effect();
            QVERIFY(actual);
            QCOMPARE(actual->type(), expected->type());
            QCOMPARE(target.model.sceneAt(row)->url(), source.sceneAt(row)->url());
            QStringList expectedParams, actualParams;
            QList<OvrColor *> expectedColors, actualColors;
            float eY, ex, ey, aY, ax, ay;
            expected->getParameters(expectedParams, expectedColors, eY, ex, ey);
            actual->getParameters(actualParams, actualColors, aY, ax, ay);
            QCOMPARE(actualParams, expectedParams);
            QCOMPARE(aY, eY);
            QCOMPARE(ax, ex);
            QCOMPARE(ay, ey);
            QCOMPARE(actualColors.size(), expectedColors.size());
            for (int i = 0; i < actualColors.size(); ++i)
                QCOMPARE(actualColors.at(i)->aName(), expectedColors.at(i)->aName());
            qDeleteAll(expectedColors);
            qDeleteAll(actualColors);
            if (auto *fixed = qobject_cast<MSPFixedColorEffect *>(expected))
                QCOMPARE(qobject_cast<MSPFixedColorEffect *>(actual)->color(), fixed->color());
        }
        QCOMPARE(target.config.name(), config.name());
        QCOMPARE(target.config.universe(), config.universe());
        QCOMPARE(target.config.DravonMode(), config.DravonMode());
        QCOMPARE(target.config.numberOfPorts(), config.numberOfPorts());
        QCOMPARE(target.config.lightsPerPort(), config.lightsPerPort());
        QCOMPARE(target.config.brightness(), config.brightness());
        QCOMPARE(target.config.fixtureClass(), config.fixtureClass());
        QCOMPARE(enablesOf(target.config), enablesOf(config));
        QCOMPARE(target.config.ipAddress(), QString());
        QCOMPARE(target.config.version(), QStringLiteral("Not Available"));
    }
}

QTEST_GUILESS_MAIN(tst_MSPHandler)
#include "tst_msphandler.moc"

void tst_MSPHandler::scenesTakenOrRefused_data()
{
    QTest::addColumn<QString>("show");
    QTest::addColumn<QString>("scene");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("notice");

    const QString red = rgbColor(255, 0, 0);
    QTest::newRow("well formed") << show("/api/v1/shows/3", "2", { "7", "1", "0" }) << "2:7,1" << QString()
                                 << QString();
    QTest::newRow("unknown effect type")
            << show("/api/v1/shows/3", "99", { "1", "1", "1" }) << "-"
            << "Scene 3 has the effect type 99, which the keypad does not play" << QString();
    QTest::newRow("eight colours keep the first six")
            << show("/api/v1/shows/3", "4", { "9", "1", "5" }, "8", red.repeated(8)) << "4:9,1,5|6" << QString()
            << "Scene 3 (Custom Wash) holds 8 colors; the keypad plays six, so the first six were kept.";
    QTest::newRow("unused slots left out")
            << show("/api/v1/shows/3", "3", { "9", "1", "5" }, "2", red.repeated(2)) << "3:9,1,5|2" << QString()
            << QString();
    QTest::newRow("named colours missing")
            << show("/api/v1/shows/3", "4", { "9", "1", "5" }, "5", red.repeated(3)) << "4:1,0,1|2"
            << "Scene 3 (Custom Wash) names 5 colors but holds only 3" << QString();
    QTest::newRow("too few parameters")
            << show("/api/v1/shows/3", "6", { "9" }) << "6:0,255"
            << "Scene 3 (RGB White) has parameters the effect cannot read" << QString();
    QTest::newRow("path names no scene")
            << show("/api/v1/shows/x", "2", { "7", "1", "0" }) << "-"
            << "A scene has the path \"/api/v1/shows/x\", which names no scene from 1 to 8" << QString();
}

void tst_MSPHandler::scenesTakenOrRefused()
{
    QFETCH(QString, show);
    QFETCH(QString, scene);
    QFETCH(QString, refusal);
    QFETCH(QString, notice);
    Target target;
    QBuffer buffer;
    buffer.setData(("<v1><all_shows>" + show + "</all_shows></v1>").toLatin1());
    buffer.open(QIODevice::ReadOnly);
    MSPHandler handler(false, &target.model, &target.config, &target.link);
    QVERIFY(handler.read(&buffer));
    QCOMPARE(target.summary(2), scene);
    QCOMPARE(handler.refusals(), refusal.isNull() ? QStringList() : QStringList(refusal));
    QCOMPARE(handler.notices(), notice.isNull() ? QStringList() : QStringList(notice));
}
