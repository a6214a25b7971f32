// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class QProcess;

/**
 * A virtual network with simulated keypads on it, for tests that talk to
 * a keypad the way the program does.
 *
 * Construct it first thing in a test (initTestCase), before any socket:
 * it moves the test process into a network namespace of its own (so tests
 * that ctest runs in parallel never see each other's links, ports or
 * broadcasts), then creates the bridge "kpbr0" carrying the program's
 * side of the network:
 *
 *   - 192.168.77.1/24, broadcast 192.168.77.255 (hostAddress())
 *   - 10.77.0.1/8, broadcast 10.255.255.255 (hostAddress10()), for the
 *     10.0.0.0/8 discovery rule
 *
 * startSimulator() runs one `keypadsim` in a network namespace of its own
 * (unshare(1); its link is moved in by process id with nsenter(1)),
 * joined to the bridge by a virtual Ethernet pair, so every simulator
 * receives the program's broadcasts and answers from its own address.
 * A simulator given an address outside both of the bridge's subnets (say
 * 192.168.78.10/24) plays a keypad on another subnet of the same wire: it
 * still hears the program's broadcasts to 192.168.77.255 and answers the
 * program, as keypad firmware does, while the program's subnet test calls
 * it unreachable.
 * A simulator started with `routed` sits on the second subnet
 * 192.168.88.0/24 (routedSubnet()), behind a router at 192.168.77.254
 * (a namespace of its own with the bridge "kpbr1"): the program reaches it
 * through a route, as a lighting VLAN behind the office network, and
 * neither its broadcasts nor the program's cross the router, so only a
 * discover request sent to its address finds it.
 * All interfaces are named "kp..." (the only names the socket guard
 * allows besides loopback). The destructor stops every simulator and
 * removes everything the bed made; so does a failed start.
 *
 * The test process must be root in its namespace: real root, or root of an
 * unprivileged user namespace (scripts/in-netns.sh provides either), and
 * the program's side binds its ports (6038, 6041) in
 * the test's namespace as usual.
 *
 *     KeypadTestBed bed;
 *     QVERIFY2(bed.isReady(), qPrintable(bed.errorString()));
 *     const int keypad = bed.startSimulator();
 *     QVERIFY2(keypad >= 0, qPrintable(bed.errorString()));
 *     bed.command(keypad, "press 3");           // sends a button datagram
 *     const auto requests = bed.requestLog(keypad);
 */
class KeypadTestBed : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(KeypadTestBed)
public:
    /** How one simulated keypad starts. */
    struct SimulatorOptions
    {
        QString name = QStringLiteral("Lumetra Keypad");
        QString mac; ///< empty: 02:4c:4b:00:00:<n + 1>
        QString address; ///< "a.b.c.d/len"; empty: 192.168.77.<10 + n>/24
        QString firmware = QStringLiteral("1.2.0");
        int heartbeatMs = 1000; ///< 0: no heartbeats
        int restartMs = 500; ///< how long a set-IP or factory reset keeps it away
        QStringList extraArguments; ///< more keypadsim options, e.g. "--scene", "3=effect=2&..."
        bool routed = false; ///< on the routed subnet; address empty: 192.168.88.<10 + n>/24
    };

    /** One line of a simulator's request log. */
    struct Request
    {
        QDateTime time;
        QString method;
        QString path;
        QByteArray body;
    };

    /** Sets the bed up; see isReady(). With isolate false it stays in the caller's namespace. */
    explicit KeypadTestBed(bool isolate = true, QObject *parent = nullptr);
    ~KeypadTestBed() override;

    bool isReady() const { return m_ready; }
    /** What went wrong last (set-up, a start or a command). */
    QString errorString() const { return m_error; }

    static QHostAddress hostAddress() { return QHostAddress(QStringLiteral("192.168.77.1")); }
    static QHostAddress broadcastAddress() { return QHostAddress(QStringLiteral("192.168.77.255")); }
    static QHostAddress hostAddress10() { return QHostAddress(QStringLiteral("10.77.0.1")); }
    static QHostAddress broadcastAddress10() { return QHostAddress(QStringLiteral("10.255.255.255")); }
    static QString bridgeName() { return QStringLiteral("kpbr0"); }
    /** The subnet behind the router, which broadcasts do not reach. */
    static QString routedSubnet() { return QStringLiteral("192.168.88.0/24"); }
    static QHostAddress routerAddress() { return QHostAddress(QStringLiteral("192.168.77.254")); }
    /** The interface entry of hostAddress(), to bind the program's protocol socket to. */
    static QNetworkAddressEntry hostEntry();
    /** The keypadsim program: beside the test, or in $KEYPAD_BIN_DIR. */
    static QString simulatorProgram();

    /** Starts a simulator and waits until it answers; its id (0, 1, ...) or -1. */
    int startSimulator(const SimulatorOptions &options);
    int startSimulator();
    /**
     * Starts a device that answers discovery but is no keypad (a power
     * supply at .5): the bed's link is up, yet discovery finds no keypad.
     */
    int startDecoy();
    /** Stops it (the id stays unused). */
    void stopSimulator(int id);

    /** Its current address: follows set-IP moves that the simulator reported. */
    QHostAddress simulatorAddress(int id) const;
    QByteArray simulatorMac(int id) const;
    quint16 simulatorHttpPort(int id) const { Q_UNUSED(id) return 80; }

    /**
     * Sends one control command and returns the simulator's answer ("ok ..."
     * or "error ..."), or an empty string on timeout. The event loop runs
     * while it waits.
     */
    QString command(int id, const QString &line, int timeoutMs = 10000);
    /** Waits, running the event loop, for an event line starting with prefix ("restarted"). */
    bool waitForEvent(int id, const QString &prefix, int timeoutMs = 10000);
    QStringList events(int id) const;

    QList<Request> requestLog(int id) const;
    /** Waits, running the event loop, until the log holds at least count requests. */
    bool waitForRequests(int id, int count, int timeoutMs = 10000);
    /** What the simulator wrote to standard error (its diagnostics). */
    QByteArray simulatorDiagnostics(int id) const;

signals:
    void simulatorLine(int id);

private:
    struct Simulator
    {
        QProcess *process = nullptr;
        QString hostLink;
        QByteArray mac;
        QHostAddress address;
        QString logPath;
        QByteArray stdoutBuffer;
        QByteArray diagnostics;
        QStringList answers;
        QStringList events;
        int nextEvent = 0;
    };

    bool run(const QStringList &arguments, bool reportFailure = true, const QString &program = QStringLiteral("ip"));
    static bool waitUntilReachable(const QHostAddress &address, quint16 port, int timeoutMs);
    bool setUp();
    bool setUpRouter();
    void tearDownSimulator(Simulator &sim);
    void readOutput(int id);
    Simulator *simulator(int id);
    const Simulator *simulator(int id) const;

    bool m_ready = false;
    bool m_ownBridge = false;
    QProcess *m_router = nullptr;
    QString m_error;
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<Simulator>> m_simulators;
};
