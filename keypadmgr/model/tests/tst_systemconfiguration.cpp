// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemconfiguration.h"

#include <QSignalSpy>
#include <QtTest>

class tst_SystemConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void rangeChecks_data();
    void rangeChecks();
    void signalOrder_data();
    void signalOrder();
    void silentSetters();
    void fixtureClassFallsBackToZero();
    void buttonEnableSameValue();
    void handleDiscovering();
    void sceneEnabled();
    void isVersionNewerThan_data();
    void isVersionNewerThan();
    void formBodies_data();
    void formBodies();
    void formBodiesEncodeValues_data();
    void formBodiesEncodeValues();
    void configXMLDefaults();
    void configXMLValues();
    void configXMLEscapesText_data();
    void configXMLEscapesText();
    void instanceIsSingle();
};

using IntSetter = void (SystemConfiguration::*)(int);
using IntGetter = int (SystemConfiguration::*)() const;
Q_DECLARE_METATYPE(IntSetter)
Q_DECLARE_METATYPE(IntGetter)

void tst_SystemConfiguration::rangeChecks_data()
{
    QTest::addColumn<IntSetter>("setter");
    QTest::addColumn<IntGetter>("getter");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");

    const IntSetter universe = &SystemConfiguration::setUniverse;
    const IntSetter dravon = &SystemConfiguration::setDravonMode;
    const IntSetter lights = &SystemConfiguration::setLightsPerPort;
    const IntSetter ports = &SystemConfiguration::setNumberOfPorts;
    QTest::newRow("universe 256 ignored") << universe << IntGetter(&SystemConfiguration::universe) << 256 << 0;
    QTest::newRow("universe -1 ignored") << universe << IntGetter(&SystemConfiguration::universe) << -1 << 0;
    QTest::newRow("universe 255 accepted") << universe << IntGetter(&SystemConfiguration::universe) << 255 << 255;
    QTest::newRow("dravon 0 ignored") << dravon << IntGetter(&SystemConfiguration::DravonMode) << 0 << 1;
    QTest::newRow("dravon 3 ignored") << dravon << IntGetter(&SystemConfiguration::DravonMode) << 3 << 1;
    QTest::newRow("dravon 2 accepted") << dravon << IntGetter(&SystemConfiguration::DravonMode) << 2 << 2;
    QTest::newRow("lights 171 ignored") << lights << IntGetter(&SystemConfiguration::lightsPerPort) << 171 << 1;
    QTest::newRow("lights 0 ignored") << lights << IntGetter(&SystemConfiguration::lightsPerPort) << 0 << 1;
    QTest::newRow("lights 170 accepted") << lights << IntGetter(&SystemConfiguration::lightsPerPort) << 170 << 170;
    QTest::newRow("ports 17 ignored") << ports << IntGetter(&SystemConfiguration::numberOfPorts) << 17 << 1;
    QTest::newRow("ports 16 accepted") << ports << IntGetter(&SystemConfiguration::numberOfPorts) << 16 << 16;
    QTest::newRow("brightness any") << IntSetter(&SystemConfiguration::setBrightness)
                                    << IntGetter(&SystemConfiguration::brightness) << -7 << -7;
}

void tst_SystemConfiguration::rangeChecks()
{
    QFETCH(IntSetter, setter);
    QFETCH(IntGetter, getter);
    QFETCH(int, value);
    QFETCH(int, expected);

    SystemConfiguration config;
    const int before = (config.*getter)();
    QSignalSpy changed(&config, &SystemConfiguration::configurationChanged);
    (config.*setter)(value);
    QCOMPARE((config.*getter)(), expected);
    // Brightness never notifies a configuration change; others only when stored.
    const bool isBrightness = setter == IntSetter(&SystemConfiguration::setBrightness);
    QCOMPARE(changed.count(), (!isBrightness && expected != before) ? 1 : 0);
}

void tst_SystemConfiguration::signalOrder_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("ownSignal");

    QTest::newRow("name") << "name" << QVariant(QStringLiteral("Lobby")) << "nameChanged";
    QTest::newRow("ip") << "ipAddress" << QVariant(QStringLiteral("10.0.0.7")) << "ipAddressChanged";
    QTest::newRow("dravon") << "DravonMode" << QVariant(2) << "DravonModeChanged";
    QTest::newRow("lights") << "lightsPerPort" << QVariant(12) << "lightsPerPortChanged";
    QTest::newRow("ports") << "numberOfPorts" << QVariant(3) << "numberOfPortsChanged";
}

// The own signal carries the new value and comes before configurationChanged().
void tst_SystemConfiguration::signalOrder()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(QString, ownSignal);

    SystemConfiguration config;
    QStringList order;
    QVariant carried;
    const QMetaObject *meta = config.metaObject();
    const QMetaProperty prop = meta->property(meta->indexOfProperty(property.toLatin1().constData()));
    QVERIFY(prop.isValid());
    QCOMPARE(QString::fromLatin1(prop.notifySignal().name()), ownSignal);

    connect(&config, &SystemConfiguration::configurationChanged, this, [&] { order << "configurationChanged"; });
    QSignalSpy own(&config, QByteArray("2" + prop.notifySignal().methodSignature()).constData());
    connect(&config, &SystemConfiguration::nameChanged, this, [&] { order << "own"; });
    connect(&config, &SystemConfiguration::ipAddressChanged, this, [&] { order << "own"; });
    connect(&config, &SystemConfiguration::DravonModeChanged, this, [&] { order << "own"; });
    connect(&config, &SystemConfiguration::lightsPerPortChanged, this, [&] { order << "own"; });
    connect(&config, &SystemConfiguration::numberOfPortsChanged, this, [&] { order << "own"; });

    QVERIFY(prop.write(&config, value));
    QCOMPARE(order, QStringList({ "own", "configurationChanged" }));
    QCOMPARE(own.count(), 1);
    QCOMPARE(own.at(0).at(0), value);

    // The same value again emits nothing.
    order.clear();
    QVERIFY(prop.write(&config, value));
    QVERIFY(order.isEmpty());
}

void tst_SystemConfiguration::silentSetters()
{
    SystemConfiguration config;
    QSignalSpy changed(&config, &SystemConfiguration::configurationChanged);
    QSignalSpy name(&config, &SystemConfiguration::nameChanged);
    QSignalSpy universe(&config, &SystemConfiguration::universeChanged);
    config.setName(QStringLiteral("Hall"), false);
    config.setUniverse(9, false);
    config.setVersion(QStringLiteral("1.2.3"), false);
    config.setFixtureClass(5, false);
    QCOMPARE(config.name(), QStringLiteral("Hall"));
    QCOMPARE(config.universe(), 9);
    QCOMPARE(config.version(), QStringLiteral("1.2.3"));
    QCOMPARE(int(config.fixtureClass()), 5);
    QCOMPARE(changed.count() + name.count() + universe.count(), 0);

    config.setVersion(QStringLiteral("1.2.4"));
    QCOMPARE(changed.count(), 1);
}

void tst_SystemConfiguration::fixtureClassFallsBackToZero()
{
    SystemConfiguration config;
    config.setFixtureClass(4, false);
    QSignalSpy changed(&config, &SystemConfiguration::configurationChanged);
    config.setFixtureClass(12);
    QCOMPARE(int(config.fixtureClass()), 0);
    QCOMPARE(changed.count(), 1);
    config.setFixtureClass(-3);
    QCOMPARE(int(config.fixtureClass()), 0);
    QCOMPARE(changed.count(), 1); // already 0: nothing stored, nothing emitted
    config.setFixtureClass(9);
    QCOMPARE(int(config.fixtureClass()), 9);
    QCOMPARE(changed.count(), 2);
}

void tst_SystemConfiguration::buttonEnableSameValue()
{
    SystemConfiguration config;
    QSignalSpy changed(&config, &SystemConfiguration::configurationChanged);
    QSignalSpy own(&config, &SystemConfiguration::scene3CheckBoxStateChanged);

    config.setScene3CheckBoxState(true);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(own.count(), 0);

    QStringList order;
    connect(&config, &SystemConfiguration::configurationChanged, this, [&] { order << "configurationChanged"; });
    connect(&config, &SystemConfiguration::scene3CheckBoxStateChanged, this, [&] { order << "own"; });
    config.setScene3CheckBoxState(false);
    QCOMPARE(order, QStringList({ "configurationChanged", "own" }));
    QCOMPARE(own.last().at(0).toBool(), false);

    // Without signals the button's own signal still tells its change.
    config.setScene3CheckBoxState(true, false);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(own.count(), 2);
    config.setScene3CheckBoxState(true, false);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(own.count(), 2);
}

void tst_SystemConfiguration::handleDiscovering()
{
    SystemConfiguration config;
    config.setScene2CheckBoxState(false, false);
    config.setDownCheckBoxState(false, false);
    QSignalSpy changed(&config, &SystemConfiguration::configurationChanged);
    QSignalSpy scene2(&config, &SystemConfiguration::scene2CheckBoxStateChanged);
    QSignalSpy scene1(&config, &SystemConfiguration::scene1CheckBoxStateChanged);
    QSignalSpy down(&config, &SystemConfiguration::downCheckBoxStateChanged);
    config.handleDiscovering();
    QVERIFY(config.scene2CheckBoxState());
    QVERIFY(config.downCheckBoxState());
    QCOMPARE(scene2.count(), 1);
    QCOMPARE(down.count(), 1);
    QCOMPARE(scene1.count(), 0);
    QCOMPARE(changed.count(), 0);
}

void tst_SystemConfiguration::sceneEnabled()
{
    SystemConfiguration config;
    QCOMPARE(config.firstEnabledScene(), 0);
    using Setter = void (SystemConfiguration::*)(bool, bool);
    const Setter setters[] = { &SystemConfiguration::setScene1CheckBoxState, &SystemConfiguration::setScene2CheckBoxState,
                           &SystemConfiguration::setScene3CheckBoxState, &SystemConfiguration::setScene4CheckBoxState,
                           &SystemConfiguration::setScene5CheckBoxState, &SystemConfiguration::setScene7CheckBoxState,
                           &SystemConfiguration::setScene8CheckBoxState };
    for (auto setter : setters)
        (config.*setter)(false, false);
    QCOMPARE(config.firstEnabledScene(), 5);
    QVERIFY(config.sceneEnabled(5));
    QVERIFY(!config.sceneEnabled(0));
    QVERIFY(config.sceneEnabled(-1));
    QVERIFY(config.sceneEnabled(8));
    config.setScene6CheckBoxState(false, false);
    QCOMPARE(config.firstEnabledScene(), 0);
}

void tst_SystemConfiguration::isVersionNewerThan_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("newer");

    QTest::newRow("minor") << "1.2.0" << "1.1.19" << true;
    QTest::newRow("patch") << "1.1.20" << "1.1.19" << true;
    QTest::newRow("equal") << "1.1.19" << "1.1.19" << false;
    QTest::newRow("older") << "1.0.30" << "1.1.19" << false;
    QTest::newRow("default text") << "Not Available" << "1.1.19" << false;
    QTest::newRow("major wins") << "2.0.0" << "1.9.99" << true;
    QTest::newRow("numeric, not text") << "1.10.0" << "1.9.0" << true;
    QTest::newRow("two parts") << "1.2" << "1.1.19" << false;
    QTest::newRow("other two parts") << "1.2.0" << "1.1" << false;
    QTest::newRow("fourth part ignored") << "1.1.19.5" << "1.1.19" << false;
}

void tst_SystemConfiguration::isVersionNewerThan()
{
    QFETCH(QString, version);
    QFETCH(QString, other);
    QFETCH(bool, newer);
    SystemConfiguration config;
    config.setVersion(version);
    QCOMPARE(config.isVersionNewerThan(other), newer);
}

void tst_SystemConfiguration::formBodies_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("brightness");
    QTest::addColumn<bool>("includeIp");
    QTest::addColumn<bool>("includeBrightness");
    QTest::addColumn<QString>("body1");
    QTest::addColumn<QString>("body2");

    const QString allEnabled = "&enable_switch=1&enable_switch=2&enable_switch=3&enable_switch=4"
                               "&enable_switch=5&enable_switch=6&enable_switch=7&enable_switch=8"
                               "&enable_switch=11&enable_switch=10&enable_switch=9";
    QTest::newRow("defaults") << false << 0 << false << false
                              << "name=&universe=0&dravon=1&num_ports=1&num_lights=1&global_profile=0" << allEnabled;
    QTest::newRow("defaults with brightness")
            << false << 0 << false << true
            << "name=&universe=0&dravon=1&num_ports=1&num_lights=1&abs_bright=0&global_profile=0" << allEnabled;
    QTest::newRow("values with ip and brightness")
            << true << 255 << true << true
            << "name=Foyer Keypad&universe=17&dravon=2&num_ports=4&num_lights=170&abs_bright=255&global_profile=6"
            << "&enable_switch=1&disable_switch=2&enable_switch=3&enable_switch=4&enable_switch=5"
               "&enable_switch=6&enable_switch=7&disable_switch=8&disable_switch=11&enable_switch=10"
               "&disable_switch=9&ip=192.168.1.40";
    QTest::newRow("brightness off") << false << -1 << false << true
                                    << "name=&universe=0&dravon=1&num_ports=1&num_lights=1&abs_bright=off"
                                       "&global_profile=0"
                                    << allEnabled;
    QTest::newRow("brightness -2 is off too")
            << false << -2 << false << true
            << "name=&universe=0&dravon=1&num_ports=1&num_lights=1&abs_bright=off&global_profile=0" << allEnabled;
}

void tst_SystemConfiguration::formBodies()
{
    QFETCH(bool, changed);
    QFETCH(int, brightness);
    QFETCH(bool, includeIp);
    QFETCH(bool, includeBrightness);
    QFETCH(QString, body1);
    QFETCH(QString, body2);

    SystemConfiguration config;
    config.setBrightness(brightness);
    if (changed) {
        config.setName(QStringLiteral("Foyer Keypad"));
        config.setUniverse(17);
        config.setDravonMode(2);
        config.setNumberOfPorts(4);
        config.setLightsPerPort(170);
        config.setFixtureClass(6);
        config.setIpAddress(QStringLiteral("192.168.1.40"));
        config.setScene2CheckBoxState(false);
        config.setScene8CheckBoxState(false);
        config.setDownCheckBoxState(false);
        config.setOnOffCheckBoxState(false);
    }
    QCOMPARE(config.formBodies(includeIp, includeBrightness), QStringList({ body1, body2 }));
}

void tst_SystemConfiguration::formBodiesEncodeValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("encoded");

    QTest::newRow("injected command") << "x&factory_reset=1" << "x%26factory_reset%3D1";
    QTest::newRow("percent and plus") << "50%+1" << "50%25%2B1";
    QTest::newRow("control characters") << QString("a\nb\tc\x7f") << "a%0Ab%09c%7F";
    QTest::newRow("ordinary punctuation kept") << "Room 1 (east)/A#2;x?" << "Room 1 (east)/A#2;x?";
    QTest::newRow("latin-1 kept") << QString::fromUtf8("Caf\xc3\xa9") << QString::fromUtf8("Caf\xc3\xa9");
}

void tst_SystemConfiguration::formBodiesEncodeValues()
{
    QFETCH(QString, name);
    QFETCH(QString, encoded);
    SystemConfiguration config;
    config.setName(name);
    config.setIpAddress(name);
    const QStringList bodies = config.formBodies(true, false);
    QCOMPARE(bodies.at(0), "name=" + encoded + "&universe=0&dravon=1&num_ports=1&num_lights=1&global_profile=0");
    QVERIFY(bodies.at(1).endsWith("&enable_switch=9&ip=" + encoded));
}

static const char defaultConfigXML[] =
        "<config>\n"
        "<property>\n<url>/api/v1/config/name</url>\n<value></value>\n</property>\n"
        "<property>\n<url>/api/v1/config/global_profile</url>\n<value>0</value>\n</property>"
        "<property>\n<url>/api/v1/config/universe</url>\n<value>0</value>\n</property>\n"
        "<property>\n<url>/api/v1/config/dravon</url>\n<value>1</value>\n</property>\n"
        "<property>\n<url>/api/v1/config/num_ports</url>\n<value>1</value>\n</property>\n"
        "<property>\n<url>/api/v1/config/num_lights</url>\n<value>1</value>\n</property>\n"
        "<property>\n<url>/api/v1/config/brightness</url>\n<value>0</value>\n</property>\n"
        "<property>\n<url>/api/v1/config/switch_state</url>\n<value>1,1,1,1,1,1,1,1,1,1,1</value>\n</property>\n"
        "</config>\n";

void tst_SystemConfiguration::configXMLDefaults()
{
    SystemConfiguration config;
    QCOMPARE(config.configXML(false), QString::fromLatin1(defaultConfigXML));
}

void tst_SystemConfiguration::configXMLValues()
{
    SystemConfiguration config;
    config.setName(QStringLiteral("Foyer"));
    config.setIpAddress(QStringLiteral("10.1.2.3"));
    config.setUniverse(200);
    config.setDravonMode(2);
    config.setNumberOfPorts(16);
    config.setLightsPerPort(33);
    config.setBrightness(-1);
    config.setFixtureClass(9);
    config.setScene1CheckBoxState(false);
    config.setScene5CheckBoxState(false);
    config.setOnOffCheckBoxState(false);
    config.setDownCheckBoxState(false);
    const QString expected = QStringLiteral(
            "<config>\n"
            "<property>\n<url>/api/v1/config/name</url>\n<value>Foyer</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/ip</url>\n<value>10.1.2.3</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/global_profile</url>\n<value>9</value>\n</property>"
            "<property>\n<url>/api/v1/config/universe</url>\n<value>200</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/dravon</url>\n<value>2</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/num_ports</url>\n<value>16</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/num_lights</url>\n<value>33</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/brightness</url>\n<value>off</value>\n</property>\n"
            "<property>\n<url>/api/v1/config/switch_state</url>\n<value>0,1,1,1,0,1,1,1,0,1,0</value>\n</property>\n"
            "</config>\n");
    QCOMPARE(config.configXML(true), expected);

    // -2 is written as it is; only -1 means off in XML.
    config.setBrightness(-2);
    QVERIFY(config.configXML(false).contains(QLatin1String("brightness</url>\n<value>-2</value>")));
    QVERIFY(!config.configXML(false).contains(QLatin1String("/ip<")));
}

void tst_SystemConfiguration::configXMLEscapesText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");

    QTest::newRow("markup") << "A&B <1>" << "A&amp;B &lt;1&gt;";
    QTest::newRow("quote kept in text") << "say \"hi\"" << "say \"hi\"";
    QTest::newRow("carriage return") << "a\rb" << "a&#13;b";
    QTest::newRow("beyond latin-1") << QString::fromUtf8("\xe2\x82\xac 5") << "&#8364; 5";
    QTest::newRow("control dropped") << QString("a\x01" "b") << "ab";
}

void tst_SystemConfiguration::configXMLEscapesText()
{
    QFETCH(QString, name);
    QFETCH(QString, written);
    SystemConfiguration config;
    config.setName(name);
    if (name.contains(QChar(1)))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("dropped characters"));
    QVERIFY(config.configXML(false).startsWith("<config>\n<property>\n<url>/api/v1/config/name</url>\n<value>"
                                               + written + "</value>\n</property>\n<property>"));
}

void tst_SystemConfiguration::instanceIsSingle()
{
    QVERIFY(SystemConfiguration::instance());
    QCOMPARE(SystemConfiguration::instance(), SystemConfiguration::instance());
    QVERIFY(!SystemConfiguration::instance()->parent());
}

QTEST_GUILESS_MAIN(tst_SystemConfiguration)
#include "tst_systemconfiguration.moc"
