// SPDX-License-Identifier: GPL-3.0-or-later
//
// keypadsim: plays one Lumetra keypad on the network, for tests, demos and
// trying the program without hardware. See usage below and the README.
#include "controlchannel.h"
#include "keypaddatagrams.h"
#include "simulatedkeypad.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "keypadsim: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keypadsim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "main",
        "Simulates one Lumetra keypad: HTTP on --port, Dravon discovery and set-IP on UDP 6038, heartbeats "
        "and button datagrams to the program's host. Commands are read from standard input (and --control); "
        "type 'help'.\n\n")
        + SimulatedKeypad::usage());
    parser.addHelpOption();
    auto option = [&parser](const char *name, const char *description, const char *value = nullptr,
                            const QString &defaultValue = QString()) {
        QCommandLineOption o(QString::fromLatin1(name), QCoreApplication::translate("main", description));
        if (value) {
            o.setValueName(QString::fromLatin1(value));
            o.setDefaultValue(defaultValue);
        }
        parser.addOption(o);
    };
    const SimulatedKeypad::Settings defaults;
    option("name", "Keypad name.", "name", defaults.name);
    option("mac", "MAC address.", "aa:bb:cc:dd:ee:ff", KeypadDatagrams::macText(defaults.mac));
    option("address", "The keypad's address with prefix length (what it reports).", "a.b.c.d/len",
           QStringLiteral("127.0.0.1/8"));
    option("interface", "Interface whose address a set-IP request changes (with ip(8)).", "name");
    option("firmware", "Firmware version.", "x.y.z", defaults.firmware);
    option("part", "Part number in the version text.", "part", defaults.part);
    option("serial", "Serial number.", "n", QString::number(defaults.serial));
    option("heartbeat-ms", "Heartbeat interval in ms (0: none).", "ms", QString::number(defaults.heartbeatMs));
    option("port", "HTTP port.", "port", QString::number(defaults.httpPort));
    option("dravon-port", "UDP port for Dravon requests.", "port", QString::number(defaults.dravonPort));
    option("listen", "Address to listen on.", "address", defaults.listenAddress.toString());
    option("restart-ms", "Time a restart takes, in ms.", "ms", QString::number(defaults.restartMs));
    option("host", "The program's host, before it talks to the keypad.", "address");
    option("scene", "Initial scene n as a form body; may be repeated.", "n=body");
    option("log", "Request log file ('-': standard error).", "file");
    option("control", "Also accept commands on this local socket.", "path");
    option("quit-on-eof", "Quit when standard input ends.");
    parser.process(app);

    SimulatedKeypad::Settings settings;
    settings.name = parser.value(QStringLiteral("name"));
    settings.mac = KeypadDatagrams::parseMac(parser.value(QStringLiteral("mac")));
    if (settings.mac.isEmpty())
        return fail(QStringLiteral("bad --mac"));
    const QPair<QHostAddress, int> subnet = QHostAddress::parseSubnet(parser.value(QStringLiteral("address")));
    const QString addressText = parser.value(QStringLiteral("address")).section(QLatin1Char('/'), 0, 0);
    settings.address = QHostAddress(addressText);
    if (settings.address.protocol() != QAbstractSocket::IPv4Protocol || subnet.second < 0)
        return fail(QStringLiteral("bad --address, expected a.b.c.d/len"));
    settings.prefixLength = subnet.second;
    settings.interfaceName = parser.value(QStringLiteral("interface"));
    settings.firmware = parser.value(QStringLiteral("firmware"));
    settings.part = parser.value(QStringLiteral("part"));
    bool ok = false;
    settings.serial = parser.value(QStringLiteral("serial")).toUShort(&ok);
    if (!ok)
        return fail(QStringLiteral("bad --serial"));
    settings.heartbeatMs = parser.value(QStringLiteral("heartbeat-ms")).toInt(&ok);
    if (!ok || settings.heartbeatMs < 0)
        return fail(QStringLiteral("bad --heartbeat-ms"));
    settings.httpPort = parser.value(QStringLiteral("port")).toUShort(&ok);
    if (!ok)
        return fail(QStringLiteral("bad --port"));
    settings.dravonPort = parser.value(QStringLiteral("dravon-port")).toUShort(&ok);
    if (!ok)
        return fail(QStringLiteral("bad --dravon-port"));
    settings.listenAddress = QHostAddress(parser.value(QStringLiteral("listen")));
    if (settings.listenAddress.protocol() != QAbstractSocket::IPv4Protocol)
        return fail(QStringLiteral("bad --listen"));
    settings.restartMs = parser.value(QStringLiteral("restart-ms")).toInt(&ok);
    if (!ok || settings.restartMs < 0)
        return fail(QStringLiteral("bad --restart-ms"));
    if (parser.isSet(QStringLiteral("host"))) {
        settings.programHost = QHostAddress(parser.value(QStringLiteral("host")));
        if (settings.programHost.protocol() != QAbstractSocket::IPv4Protocol)
            return fail(QStringLiteral("bad --host"));
    }
    const QStringList scenes = parser.values(QStringLiteral("scene"));
    for (const QString &scene : scenes) {
        const int n = scene.section(QLatin1Char('='), 0, 0).toInt(&ok);
        const QString body = scene.section(QLatin1Char('='), 1);
        if (!ok || n < 1 || n > KeypadState::sceneCount || !KeypadState::parseSceneBody(body.toLatin1(), nullptr))
            return fail(QStringLiteral("bad --scene ") + scene);
        settings.sceneBodies.insert(n - 1, body);
    }
    settings.requestLogPath = parser.value(QStringLiteral("log"));

    SimulatedKeypad keypad(settings);
    ControlChannel control([&keypad](const QString &line) { return keypad.execute(line); });
    QObject::connect(&keypad, &SimulatedKeypad::eventHappened, &control, &ControlChannel::publishEvent);
    QObject::connect(&keypad, &SimulatedKeypad::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(&control, &ControlChannel::endOfInput, &app, &QCoreApplication::quit);

    QString error;
    if (!keypad.start(&error))
        return fail(error);
    if (parser.isSet(QStringLiteral("control")) && !control.listenOnSocket(parser.value(QStringLiteral("control")), &error))
        return fail(QStringLiteral("cannot listen on the control socket: ") + error);
    control.listenOnStdin(parser.isSet(QStringLiteral("quit-on-eof")));
    control.publishEvent(QStringLiteral("ready %1 %2").arg(settings.address.toString()).arg(settings.httpPort));
    return app.exec();
}
