// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadstate.h"

#include <QTest>
#include <QXmlStreamReader>

using Scene = KeypadState::Scene;
using Colour = KeypadState::Colour;
Q_DECLARE_METATYPE(KeypadState::Scene)
Q_DECLARE_METATYPE(KeypadState::SceneOutcome)

namespace {

Scene scene(int effect, QVector<int> params, quint16 x = 0, quint16 y = 0, quint16 Y = 0, QVector<Colour> colours = {})
{
    Scene s;
    s.effect = effect;
    s.params = params;
    s.x = x;
    s.y = y;
    s.Y = Y;
    s.colours = colours;
    return s;
}

Colour colour(int r, int g, int b, quint16 x = 0, quint16 y = 0, quint16 Y = 0)
{
    Colour c;
    c.red = r;
    c.green = g;
    c.blue = b;
    c.x = x;
    c.y = y;
    c.Y = Y;
    return c;
}

} // namespace

class tst_KeypadState : public QObject
{
    Q_OBJECT
private slots:
    void sceneBodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<Scene>("expected");

        QTest::newRow("colour wash with the defaults")
            << QByteArray("effect=2&param1=1&param2=0&param_xy=(0,0,0)&num_colors=0") << true << scene(2, {1, 0, 0});
        QTest::newRow("fixed colour given in Yxy")
            << QByteArray("effect=0&param1=255&param2=64&param3=0&param_xy=(6400,3300,212)&num_colors=0") << true
            << scene(0, {255, 64, 0}, 6400, 3300, 212);
        QTest::newRow("custom wash with two colours")
            << QByteArray("effect=4&param1=3&param2=1&param3=5&param_xy=(0,0,0)&num_colors=2&color1=(255,0,0)"
                          "&custom_xy_1=(0,0,0)&color2=(10,20,30)&custom_xy_2=(3127,3290,1000)&apply=1")
            << true << scene(4, {3, 1, 5}, 0, 0, 0, {colour(255, 0, 0), colour(10, 20, 30, 3127, 3290, 1000)});
        QTest::newRow("colour count above six takes six")
            << QByteArray("effect=3&param1=1&param2=0&param3=4&num_colors=9&color6=(1,2,3)") << true
            << scene(3, {1, 0, 4}, 0, 0, 0, {Colour(), Colour(), Colour(), Colour(), Colour(), colour(1, 2, 3)});
        QTest::newRow("colours beyond the count are dropped")
            << QByteArray("effect=4&param1=1&param2=0&param3=1&num_colors=1&color1=(1,1,1)&color2=(2,2,2)") << true
            << scene(4, {1, 0, 1}, 0, 0, 0, {colour(1, 1, 1)});
        QTest::newRow("no seventh colour slot")
            << QByteArray("effect=4&param1=1&param2=0&param3=1&num_colors=6&color7=(9,9,9)&custom_xy_0=(1,1,1)") << true
            << scene(4, {1, 0, 1}, 0, 0, 0, QVector<Colour>(6));
        QTest::newRow("channel values are bytes")
            << QByteArray("effect=4&param1=1&param2=0&param3=1&num_colors=1&color1=(300,-4,128)") << true
            << scene(4, {1, 0, 1}, 0, 0, 0, {colour(255, 0, 128)});
        QTest::newRow("Yxy keeps the low 16 bits")
            << QByteArray("effect=0&param1=0&param2=0&param3=0&param_xy=(-1,65536,70000)") << true
            << scene(0, {0, 0, 0}, 65535, 0, 4464);
        QTest::newRow("malformed tuple reads as zeros")
            << QByteArray("effect=0&param1=1&param2=2&param3=3&param_xy=(1,2)") << true << scene(0, {1, 2, 3});
        QTest::newRow("no fourth parameter, numbers only")
            << QByteArray("effect=5&param1=x&param2=1&param4=9") << true << scene(5, {0, 1, 0});
        QTest::newRow("effect past the last type")
            << "effect=" + QByteArray::number(KeypadState::effectTypeCount) + "&param1=1" << false << Scene();
        QTest::newRow("effect -1") << QByteArray("effect=-1") << false << Scene();
        QTest::newRow("effect not a number") << QByteArray("effect=wash") << false << Scene();
        QTest::newRow("no effect") << QByteArray("param1=1&param2=2") << false << Scene();
        QTest::newRow("empty") << QByteArray() << false << Scene();
    }

    void sceneBodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, accepted);
        QFETCH(Scene, expected);
        Scene parsed;
        QCOMPARE(KeypadState::parseSceneBody(body, &parsed), accepted);
        if (accepted)
            QVERIFY(parsed == expected);
    }

    void sceneBodyReadsBack()
    {
        const Scene s = scene(4, {3, 1, 5}, 10, 20, 30, {colour(255, 0, 0), colour(10, 20, 30, 3127, 3290, 1000)});
        const QByteArray body = KeypadState::sceneBody(s);
        QCOMPARE(body, QByteArray("effect=4&param1=3&param2=1&param3=5&param_xy=(10,20,30)&num_colors=2"
                                  "&color1=(255,0,0)&custom_xy_1=(0,0,0)&color2=(10,20,30)&custom_xy_2=(3127,3290,1000)"));
        Scene parsed;
        QVERIFY(KeypadState::parseSceneBody(body, &parsed));
        QVERIFY(parsed == s);
    }

    void showElement()
    {
        const Scene s = scene(4, {3, 1, 5}, 10, 20, 30, {colour(255, 0, 0), colour(10, 20, 30, 3127, 3290, 1000)});
        const QByteArray expected =
            "<show><url>/api/v1/shows/7</url>\n<effect>4</effect>\n<parameters><param>3</param><param>1</param>"
            "<param>5</param><by>30</by><x>10</x><y>20</y></parameters><numColors>2</numColors>\n<customColors>"
            "<color>\n<red>255</red>\n<grn>0</grn>\n<blu>0</blu>\n<by>0</by><x>0</x><y>0</y> </color>"
            "<color>\n<red>10</red>\n<grn>20</grn>\n<blu>30</blu>\n<by>1000</by><x>3127</x><y>3290</y> </color>"
            "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
            "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
            "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
            "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>"
            "\n</customColors>\n</show>";
        QCOMPARE(KeypadState::showElement(6, s), expected);
    }

    void previewAndApply_data()
    {
        QTest::addColumn<QByteArrayList>("bodies");
        QTest::addColumn<KeypadState::SceneOutcome>("lastOutcome");
        QTest::addColumn<int>("keptEffect");
        QTest::addColumn<int>("playedEffect");
        QTest::addColumn<int>("current");

        const QByteArray wash = "effect=2&param1=5&param2=1";
        // Scene 3 (index 2) is a Color Wash to begin with; post Fixed Colours to it.
        const QByteArray fixed = "effect=0&param1=1&param2=2&param3=3";
        QTest::newRow("preview") << QByteArrayList{fixed} << KeypadState::SceneOutcome::Previewed << 2 << 0 << 2;
        QTest::newRow("keep") << QByteArrayList{fixed, "apply=1"} << KeypadState::SceneOutcome::Kept << 0 << 0 << 2;
        QTest::newRow("keep in one body")
            << QByteArrayList{fixed + "&apply=1"} << KeypadState::SceneOutcome::Kept << 0 << 0 << 2;
        QTest::newRow("revert") << QByteArrayList{fixed, "apply=0"} << KeypadState::SceneOutcome::Reverted << 2 << 2
                                << 2;
        QTest::newRow("revert after keep")
            << QByteArrayList{fixed, "apply=1", wash, "apply=0"} << KeypadState::SceneOutcome::Reverted << 0 << 0 << 2;
        QTest::newRow("select") << QByteArrayList{""} << KeypadState::SceneOutcome::Selected << 2 << 2 << 2;
        QTest::newRow("selecting keeps the own preview")
            << QByteArrayList{fixed, ""} << KeypadState::SceneOutcome::Selected << 2 << 0 << 2;
        QTest::newRow("nonsense") << QByteArrayList{"hello=1"} << KeypadState::SceneOutcome::Rejected << 2 << 2 << 0;
    }

    void previewAndApply()
    {
        QFETCH(QByteArrayList, bodies);
        QFETCH(KeypadState::SceneOutcome, lastOutcome);
        QFETCH(int, keptEffect);
        QFETCH(int, playedEffect);
        QFETCH(int, current);
        KeypadState state;
        KeypadState::SceneOutcome outcome = KeypadState::SceneOutcome::Rejected;
        for (const QByteArray &body : bodies)
            outcome = state.postScene(2, body);
        QCOMPARE(outcome, lastOutcome);
        QCOMPARE(state.keptScene(2).effect, keptEffect);
        QCOMPARE(state.playedScene(2).effect, playedEffect);
        QCOMPARE(state.currentScene(), current);
    }

    void leavingASceneEndsItsPreview()
    {
        KeypadState state;
        state.postScene(1, "effect=7&param1=1&param2=2");
        QVERIFY(state.hasPreview(1));
        QCOMPARE(state.postScene(4, ""), KeypadState::SceneOutcome::Selected);
        QVERIFY(!state.hasPreview(1));
        QCOMPARE(state.playedScene(1).effect, 1);
        QCOMPARE(state.currentScene(), 4);
        QCOMPARE(state.postScene(8, ""), KeypadState::SceneOutcome::Rejected);
        QCOMPARE(state.postScene(-1, ""), KeypadState::SceneOutcome::Rejected);
    }

    void configBodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("universe");
        QTest::addColumn<int>("dravon");
        QTest::addColumn<int>("ports");
        QTest::addColumn<int>("lights");
        QTest::addColumn<int>("fixtureClass");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<QString>("switches");
        QTest::addColumn<QStringList>("ignored");

        const QString allOn = QStringLiteral("11111111111");
        QTest::newRow("first body, editor defaults")
            << QByteArray("name=&universe=0&dravon=1&num_ports=1&num_lights=1&global_profile=0") << "" << 0 << 1 << 1
            << 1 << 0 << 255 << allOn << QStringList();
        QTest::newRow("first body with brightness and apply")
            << QByteArray("name=Hall&universe=255&dravon=2&num_ports=16&num_lights=170&abs_bright=128&global_profile=9"
                          "&apply=1")
            << "Hall" << 255 << 2 << 16 << 170 << 9 << 128 << allOn << QStringList();
        QTest::newRow("lights off") << QByteArray("abs_bright=off") << "Lumetra Keypad" << 0 << 1 << 1 << 1 << 0 << -1
                                    << allOn << QStringList();
        QTest::newRow("second body")
            << QByteArray("&enable_switch=1&disable_switch=2&enable_switch=3&enable_switch=4&enable_switch=5"
                          "&enable_switch=6&enable_switch=7&disable_switch=8&disable_switch=11&enable_switch=10"
                          "&disable_switch=9")
            << "Lumetra Keypad" << 0 << 1 << 1 << 1 << 0 << 255 << "10111110010" << QStringList();
        QTest::newRow("out of range")
            << QByteArray("universe=256&dravon=3&num_ports=0&num_lights=171&global_profile=12&abs_bright=300"
                          "&disable_switch=12")
            << "Lumetra Keypad" << 0 << 1 << 1 << 1 << 0 << 255 << allOn
            << QStringList{"universe=256",   "dravon=3",       "num_ports=0",      "num_lights=171",
                           "global_profile=12", "abs_bright=300", "disable_switch=12"};
        QTest::newRow("not numbers") << QByteArray("universe=one&num_ports=") << "Lumetra Keypad" << 0 << 1 << 1 << 1
                                     << 0 << 255 << allOn << QStringList{"universe=one", "num_ports="};
        QTest::newRow("long name is cut at 31")
            << QByteArray("name=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") << "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234" << 0 << 1
            << 1 << 1 << 0 << 255 << allOn << QStringList();
        QTest::newRow("unknown keys and the version")
            << QByteArray("colour=red&version=9.9.9") << "Lumetra Keypad" << 0 << 1 << 1 << 1 << 0 << 255 << allOn
            << QStringList{"colour", "version"};
    }

    void configBodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, name);
        QFETCH(int, universe);
        QFETCH(int, dravon);
        QFETCH(int, ports);
        QFETCH(int, lights);
        QFETCH(int, fixtureClass);
        QFETCH(int, brightness);
        QFETCH(QString, switches);
        QFETCH(QStringList, ignored);
        KeypadState state;
        const KeypadState::ConfigOutcome outcome = state.postConfig(body);
        QCOMPARE(state.name(), name);
        QCOMPARE(state.universe(), universe);
        QCOMPARE(state.dravonMode(), dravon);
        QCOMPARE(state.numberOfPorts(), ports);
        QCOMPARE(state.lightsPerPort(), lights);
        QCOMPARE(state.fixtureClass(), fixtureClass);
        QCOMPARE(state.brightness(), brightness);
        QString actual;
        for (int n = 1; n <= KeypadState::switchCount; ++n)
            actual += state.switchEnabled(n) ? QLatin1Char('1') : QLatin1Char('0');
        QCOMPARE(actual, switches);
        QCOMPARE(outcome.ignored, ignored);
        QCOMPARE(state.version(), QStringLiteral("1.2.0"));
        QVERIFY(!outcome.factoryReset);
        QVERIFY(outcome.newAddress.isEmpty());
    }

    void configRequests_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("factoryReset");
        QTest::addColumn<QString>("newAddress");

        QTest::newRow("factory reset") << QByteArray("factory_reset=1") << true << "";
        QTest::newRow("no factory reset") << QByteArray("factory_reset=0") << false << "";
        QTest::newRow("new address") << QByteArray("&enable_switch=9&ip=192.168.001.010") << false << "192.168.1.10";
        QTest::newRow("same address") << QByteArray("ip=127.0.0.1") << false << "";
        QTest::newRow("three parts") << QByteArray("ip=10.0.5") << false << "";
        QTest::newRow("part above 255") << QByteArray("ip=10.0.0.256") << false << "";
        QTest::newRow("signed part") << QByteArray("ip=10.0.+1.2") << false << "";
    }

    void configRequests()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, factoryReset);
        QFETCH(QString, newAddress);
        KeypadState state;
        state.setIpAddress(QStringLiteral("127.0.0.1"));
        const KeypadState::ConfigOutcome outcome = state.postConfig(body);
        QCOMPARE(outcome.factoryReset, factoryReset);
        QCOMPARE(outcome.newAddress, newAddress);
        QCOMPARE(state.ipAddress(), QStringLiteral("127.0.0.1")); // the move happens on restart
    }

    void versionFromControlOnly()
    {
        KeypadState state;
        QVERIFY(state.postConfig("version=1.1.19", true).changed);
        QCOMPARE(state.version(), QStringLiteral("1.1.19"));
    }

    void brightness()
    {
        KeypadState state;
        state.postConfig("abs_bright=100");
        state.postConfig("off_press=1");
        QCOMPARE(state.brightness(), -1);
        state.postConfig("off_press=1");
        QCOMPARE(state.brightness(), 100);
        state.postConfig("rel_bright=1&rel_bright=1");
        QCOMPARE(state.brightness(), 150);
        for (int i = 0; i < 12; ++i)
            state.stepBrightness(true);
        QCOMPARE(state.brightness(), 255);
        for (int i = 0; i < 12; ++i)
            state.stepBrightness(false);
        QCOMPARE(state.brightness(), 0);
        // A scene press turns the lights back on at their last level.
        state.postConfig("abs_bright=60&abs_bright=off");
        QCOMPARE(state.brightness(), -1);
        QCOMPARE(state.postScene(3, ""), KeypadState::SceneOutcome::Selected);
        QCOMPARE(state.brightness(), 60);
        // Up while off comes on a step above it.
        state.toggleLights();
        state.stepBrightness(true);
        QCOMPARE(state.brightness(), 85);
    }

    void configXml()
    {
        KeypadState state;
        state.setIpAddress(QStringLiteral("192.168.1.20"));
        state.postConfig("name=Bar & <Grill>&universe=7&dravon=2&num_ports=3&num_lights=42&global_profile=5"
                         "&abs_bright=off&disable_switch=2&disable_switch=10");
        const QByteArray expected =
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<config>\n"
            "<property>\n<url>/api/v1/config/name</url>\n<value>Bar </value>\n</property>\n"
            "<property>\n<url>/api/v1/config/ip</url>\n<value>192.168.1.20</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/version</url>\n<value>1.2.0</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/global_profile</url>\n<value>5</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/universe</url>\n<value>7</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/dravon</url>\n<value>2</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/num_ports</url>\n<value>3</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/num_lights</url>\n<value>42</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/brightness</url>\n<value>off</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/switch_state</url>\n<value>1,0,1,1,1,1,1,1,1,0,1</value>\n</property>\n"
            "</config>\n";
        QCOMPARE(state.configXml(), expected);
        // Markup in a name set another way is escaped.
        state.setName(QStringLiteral("Bar & <Grill>"));
        QVERIFY(state.configXml().contains("<value>Bar &amp; &lt;Grill&gt;</value>"));
    }

    // Whatever a body holds, the configuration reply stays well-formed and
    // its name reads back as the keypad keeps it.
    void configXmlWellFormed_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("name");
        QTest::newRow("control character") << QByteArray("name=a\x01" "b") << "ab";
        QTest::newRow("other control characters") << QByteArray("name=\x02\x08\x0b\x0c\x1b\x1f" "x") << "x";
        QTest::newRow("tab, line feed, carriage return") << QByteArray("name=a\tb\nc\rd") << "a\tb\nc\rd";
        QTest::newRow("high Latin-1") << QByteArray("name=\x7f\x85\xe9") << QString::fromLatin1("\x7f\x85\xe9");
        QTest::newRow("markup") << QByteArray("name=<a b=\"&amp;\">]]>") << "<a b=\"";
    }

    void configXmlWellFormed()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, name);
        KeypadState state;
        state.postConfig(body);
        QXmlStreamReader xml(state.configXml());
        QString read;
        bool inName = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("url"))
                inName = xml.readElementText() == QLatin1String("/api/v1/config/name");
            else if (inName && xml.isStartElement() && xml.name() == QLatin1String("value"))
                read = xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(read, name);
    }

    void replies()
    {
        KeypadState state;
        state.selectScene(4);
        const QByteArray one = state.showReplyXml(0);
        QVERIFY(one.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<shows>\n<currentShow>5</currentShow>\n"
                               "<show><url>/api/v1/shows/1</url>\n<effect>0</effect>\n<parameters><param>255</param>"
                               "<param>0</param><param>0</param>"));
        QVERIFY(one.endsWith("</show>\n</shows>\n"));
        const QByteArray all = state.allShowsXml();
        QVERIFY(all.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<all_shows>\n"
                               "<currentShow>5</currentShow>\n<show><url>/api/v1/shows/1</url>"));
        QVERIFY(all.endsWith("</show>\n</all_shows>\n"));
        QCOMPARE(all.count("<show>"), 8);
    }
};

QTEST_GUILESS_MAIN(tst_KeypadState)
#include "tst_keypadstate.moc"
