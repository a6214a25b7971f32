// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadtestbed.h"

#include <QElapsedTimer>
#include <QNetworkInterface>
#include <QTcpSocket>
#include <QTest>

#include "requestlog.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcBed, "keypad.testbed", QtInfoMsg)

namespace {

// Runs the event loop until done() holds or the time is up.
template<typename Done>
bool waitUntil(QObject *source, void (KeypadTestBed::*signal)(int), int timeoutMs, Done done)
{
    bool ok = done();
    if (ok)
        return true;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(static_cast<KeypadTestBed *>(source), signal, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    while (!ok && timer.isActive()) {
        loop.exec();
        ok = done();
    }
    return ok;
}

// Internet sockets already open stay in the namespace they were made in;
// a test that made one before the bed would talk past it.
int countInternetSockets()
{
    int count = 0;
    const long limit = std::min(sysconf(_SC_OPEN_MAX), 65536L);
    for (int fd = 0; fd < limit; ++fd) {
        int domain = 0;
        socklen_t length = sizeof(domain);
        if (getsockopt(fd, SOL_SOCKET, SO_DOMAIN, &domain, &length) == 0 && (domain == AF_INET || domain == AF_INET6))
            ++count;
    }
    return count;
}

} // namespace

KeypadTestBed::KeypadTestBed(bool isolate, QObject *parent)
    : QObject(parent)
{
    if (isolate && countInternetSockets() > 0)
        qCWarning(lcBed) << "sockets opened before the test bed stay outside its network; create the bed first";
    if (isolate && unshare(CLONE_NEWNET) != 0) {
        m_error = QStringLiteral("cannot make a network namespace for the test (are we root in one?): ")
            + QString::fromLocal8Bit(strerror(errno));
        return;
    }
    m_ready = setUp();
}

KeypadTestBed::~KeypadTestBed()
{
    for (auto &sim : m_simulators) {
        if (sim)
            tearDownSimulator(*sim);
    }
    if (m_router) {
        // Its namespace, the second bridge and the router's links go with it.
        m_router->kill();
        m_router->waitForFinished(5000);
        delete m_router;
        run({QStringLiteral("route"), QStringLiteral("del"), routedSubnet()}, false);
    }
    if (m_ownBridge)
        run({QStringLiteral("link"), QStringLiteral("del"), bridgeName()}, false);
}

bool KeypadTestBed::setUpRouter()
{
    if (m_router)
        return m_router->state() == QProcess::Running;
    // The router is a namespace held by a sleeping process: one leg on the
    // program's bridge, the other the bridge of the routed subnet.
    m_router = new QProcess(this);
    m_router->start(QStringLiteral("unshare"), {QStringLiteral("--net"), QStringLiteral("--"), QStringLiteral("sleep"),
                                                QStringLiteral("100000")});
    if (!m_router->waitForStarted(10000)) {
        m_error = QStringLiteral("cannot start the router: ") + m_router->errorString();
        return false;
    }
    const QString pid = QString::number(m_router->processId());
    // The link's target names the namespace ("net:[4026531840]"); unshare(1)
    // may not have made its own yet when the process has started.
    const auto networkNamespace = [](const QString &process) {
        char target[64] = {};
        const QByteArray path = QStringLiteral("/proc/%1/ns/net").arg(process).toLocal8Bit();
        return readlink(path.constData(), target, sizeof target - 1) > 0 ? QByteArray(target) : QByteArray();
    };
    const QByteArray ownNamespace = networkNamespace(QStringLiteral("self"));
    QElapsedTimer clock;
    clock.start();
    while (networkNamespace(pid).isEmpty() || networkNamespace(pid) == ownNamespace) {
        if (clock.elapsed() > 10000) {
            m_error = QStringLiteral("the router got no namespace of its own");
            return false;
        }
        QTest::qWait(20);
    }
    const auto inRouter = [&pid](const QStringList &arguments) {
        return QStringList{QStringLiteral("-t"), pid, QStringLiteral("-n")} + arguments;
    };
    const QString ip = QStringLiteral("ip");
    const QString nsenter = QStringLiteral("nsenter");
    return run({QStringLiteral("link"), QStringLiteral("add"), QStringLiteral("kprt0h"), QStringLiteral("type"),
                QStringLiteral("veth"), QStringLiteral("peer"), QStringLiteral("name"), QStringLiteral("kprt0"),
                QStringLiteral("netns"), pid})
        && run({QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("kprt0h"), QStringLiteral("master"),
                bridgeName(), QStringLiteral("up")})
        && run(inRouter({ip, QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"), QStringLiteral("up")}),
               true, nsenter)
        && run(inRouter({ip, QStringLiteral("addr"), QStringLiteral("add"), routerAddress().toString() + QStringLiteral("/24"),
                         QStringLiteral("brd"), QStringLiteral("+"), QStringLiteral("dev"), QStringLiteral("kprt0")}),
               true, nsenter)
        && run(inRouter({ip, QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("kprt0"), QStringLiteral("up")}),
               true, nsenter)
        && run(inRouter({ip, QStringLiteral("link"), QStringLiteral("add"), QStringLiteral("kpbr1"), QStringLiteral("type"),
                         QStringLiteral("bridge")}),
               true, nsenter)
        && run(inRouter({ip, QStringLiteral("addr"), QStringLiteral("add"), QStringLiteral("192.168.88.1/24"),
                         QStringLiteral("brd"), QStringLiteral("+"), QStringLiteral("dev"), QStringLiteral("kpbr1")}),
               true, nsenter)
        && run(inRouter({ip, QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("kpbr1"), QStringLiteral("up")}),
               true, nsenter)
        && run(inRouter({QStringLiteral("sh"), QStringLiteral("-c"),
                         QStringLiteral("echo 1 > /proc/sys/net/ipv4/ip_forward")}),
               true, nsenter)
        && run({QStringLiteral("route"), QStringLiteral("replace"), routedSubnet(), QStringLiteral("via"),
                routerAddress().toString()});
}

QString KeypadTestBed::simulatorProgram()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/keypadsim");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QString::fromLocal8Bit(qgetenv("KEYPAD_BIN_DIR")) + QStringLiteral("/keypadsim");
}

bool KeypadTestBed::run(const QStringList &arguments, bool reportFailure, const QString &program)
{
    QProcess ip;
    ip.setProgram(program);
    ip.setArguments(arguments);
    ip.setProcessChannelMode(QProcess::MergedChannels);
    ip.start();
    if (ip.waitForFinished(15000) && ip.exitStatus() == QProcess::NormalExit && ip.exitCode() == 0)
        return true;
    if (reportFailure) {
        m_error = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QStringLiteral(" failed: ")
            + QString::fromLocal8Bit(ip.readAll()).trimmed() + ip.errorString();
        qCWarning(lcBed) << m_error;
    }
    return false;
}

bool KeypadTestBed::setUp()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder: ") + m_dir.errorString();
        return false;
    }
    const QString br = bridgeName();
    if (!run({QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"), QStringLiteral("up")}))
        return false;
    // A fixed MAC: otherwise the bridge takes the lowest MAC of its ports,
    // which changes as simulators come and go, and running simulators
    // would keep sending to a stale one until their ARP entry ages out.
    if (!run({QStringLiteral("link"), QStringLiteral("add"), br, QStringLiteral("address"),
              QStringLiteral("02:4b:50:00:00:01"), QStringLiteral("type"), QStringLiteral("bridge")}))
        return false;
    m_ownBridge = true;
    if (!run({QStringLiteral("addr"), QStringLiteral("add"), hostAddress().toString() + QStringLiteral("/24"),
              QStringLiteral("brd"), broadcastAddress().toString(), QStringLiteral("dev"), br})
        || !run({QStringLiteral("addr"), QStringLiteral("add"), hostAddress10().toString() + QStringLiteral("/8"),
                 QStringLiteral("brd"), broadcastAddress10().toString(), QStringLiteral("dev"), br})
        || !run({QStringLiteral("link"), QStringLiteral("set"), br, QStringLiteral("up")})) {
        run({QStringLiteral("link"), QStringLiteral("del"), br}, false);
        m_ownBridge = false;
        return false;
    }
    return true;
}

KeypadTestBed::Simulator *KeypadTestBed::simulator(int id)
{
    return id >= 0 && id < int(m_simulators.size()) ? m_simulators[size_t(id)].get() : nullptr;
}

const KeypadTestBed::Simulator *KeypadTestBed::simulator(int id) const
{
    return id >= 0 && id < int(m_simulators.size()) ? m_simulators[size_t(id)].get() : nullptr;
}

int KeypadTestBed::startSimulator(const SimulatorOptions &options)
{
    if (!m_ready) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("the test bed is not set up");
        return -1;
    }
    const int id = int(m_simulators.size());
    m_simulators.push_back(std::make_unique<Simulator>());
    Simulator &sim = *m_simulators.back();

    const QString cidr = !options.address.isEmpty() ? options.address
        : options.routed                          ? QStringLiteral("192.168.88.%1/24").arg(10 + id)
                                                  : QStringLiteral("192.168.77.%1/24").arg(10 + id);
    const QString mac = options.mac.isEmpty() ? QStringLiteral("02:4c:4b:00:00:%1").arg(id + 1, 2, 16, QLatin1Char('0'))
                                              : options.mac;
    sim.address = QHostAddress(cidr.section(QLatin1Char('/'), 0, 0));
    sim.mac = QByteArray::fromHex(QString(mac).remove(QLatin1Char(':')).toLatin1());
    sim.logPath = m_dir.filePath(QStringLiteral("requests-%1.log").arg(id));
    const QString inside = QStringLiteral("kp0");

    const auto fail = [this, &sim]() {
        tearDownSimulator(sim);
        return -1;
    };

    // The simulator gets a network namespace of its own from unshare(1);
    // once it is running, its end of a virtual Ethernet pair is moved in by
    // process id. Nothing here needs a named namespace, so the bed also
    // works as root of an unprivileged user namespace, and the simulator's
    // namespace (with its link) goes away with the process.
    sim.process = new QProcess(this);
    connect(sim.process, &QProcess::readyReadStandardOutput, this, [this, id] { readOutput(id); });
    connect(sim.process, &QProcess::readyReadStandardError, this, [this, id] {
        if (Simulator *s = simulator(id))
            s->diagnostics += s->process->readAllStandardError();
    });
    connect(sim.process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            [this, id] { emit simulatorLine(id); });
    QStringList arguments = {QStringLiteral("--net"),
                             QStringLiteral("--"),
                             simulatorProgram(),
                             QStringLiteral("--quit-on-eof"),
                             QStringLiteral("--name"),
                             options.name,
                             QStringLiteral("--mac"),
                             mac,
                             QStringLiteral("--address"),
                             cidr,
                             QStringLiteral("--interface"),
                             inside,
                             QStringLiteral("--firmware"),
                             options.firmware,
                             QStringLiteral("--heartbeat-ms"),
                             QString::number(options.heartbeatMs),
                             QStringLiteral("--restart-ms"),
                             QString::number(options.restartMs),
                             QStringLiteral("--port"),
                             QString::number(simulatorHttpPort(id)),
                             QStringLiteral("--listen"),
                             QStringLiteral("0.0.0.0"),
                             QStringLiteral("--log"),
                             sim.logPath};
    arguments += options.extraArguments;
    sim.process->start(QStringLiteral("unshare"), arguments);
    if (!sim.process->waitForStarted(10000)) {
        m_error = QStringLiteral("cannot start keypadsim: ") + sim.process->errorString();
        return fail();
    }
    // Ready means unshare(1) has made the namespace and exec'd the simulator.
    if (!waitForEvent(id, QStringLiteral("ready"), 20000)) {
        m_error = QStringLiteral("keypadsim did not get ready: ") + QString::fromLocal8Bit(sim.diagnostics);
        return fail();
    }

    const QString pid = QString::number(sim.process->processId());
    const QString peer = QStringLiteral("kp%1s").arg(id);
    const auto inSimulator = [&pid](const QStringList &ipArguments) {
        return QStringList{QStringLiteral("-t"), pid, QStringLiteral("-n"), QStringLiteral("ip")} + ipArguments;
    };
    if (options.routed) {
        // The keypad's leg is on the router's bridge; it goes with the
        // keypad's namespace.
        if (!setUpRouter())
            return fail();
        const QString router = QString::number(m_router->processId());
        const QString leg = QStringLiteral("kp%1h").arg(id);
        const auto inRouter = [&router](const QStringList &ipArguments) {
            return QStringList{QStringLiteral("-t"), router, QStringLiteral("-n"), QStringLiteral("ip")} + ipArguments;
        };
        if (!run(inRouter({QStringLiteral("link"), QStringLiteral("add"), leg, QStringLiteral("type"),
                           QStringLiteral("veth"), QStringLiteral("peer"), QStringLiteral("name"), peer,
                           QStringLiteral("netns"), pid}),
                 true, QStringLiteral("nsenter"))
            || !run(inRouter({QStringLiteral("link"), QStringLiteral("set"), leg, QStringLiteral("master"),
                              QStringLiteral("kpbr1"), QStringLiteral("up")}),
                    true, QStringLiteral("nsenter"))
            || !run(inSimulator({QStringLiteral("link"), QStringLiteral("set"), peer, QStringLiteral("name"), inside}),
                    true, QStringLiteral("nsenter"))
            || !run(inSimulator({QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"),
                                 QStringLiteral("up")}),
                    true, QStringLiteral("nsenter"))
            || !run(inSimulator({QStringLiteral("addr"), QStringLiteral("add"), cidr, QStringLiteral("brd"),
                                 QStringLiteral("+"), QStringLiteral("dev"), inside}),
                    true, QStringLiteral("nsenter"))
            || !run(inSimulator({QStringLiteral("link"), QStringLiteral("set"), inside, QStringLiteral("up")}), true,
                    QStringLiteral("nsenter"))
            || !run(inSimulator({QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("default"),
                                 QStringLiteral("via"), QStringLiteral("192.168.88.1")}),
                    true, QStringLiteral("nsenter")))
            return fail();
        if (!waitUntilReachable(sim.address, simulatorHttpPort(id), 20000)) {
            m_error = QStringLiteral("keypadsim is not reachable at ") + sim.address.toString();
            return fail();
        }
        return id;
    }
    sim.hostLink = QStringLiteral("kp%1h").arg(id);
    if (!run({QStringLiteral("link"), QStringLiteral("add"), sim.hostLink, QStringLiteral("type"), QStringLiteral("veth"),
              QStringLiteral("peer"), QStringLiteral("name"), peer, QStringLiteral("netns"), pid})
        || !run({QStringLiteral("link"), QStringLiteral("set"), sim.hostLink, QStringLiteral("master"), bridgeName(),
                 QStringLiteral("up")})
        || !run(inSimulator({QStringLiteral("link"), QStringLiteral("set"), peer, QStringLiteral("name"), inside}),
                true, QStringLiteral("nsenter"))
        || !run(inSimulator({QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"), QStringLiteral("up")}),
                true, QStringLiteral("nsenter"))
        || !run(inSimulator({QStringLiteral("addr"), QStringLiteral("add"), cidr, QStringLiteral("brd"),
                             QStringLiteral("+"), QStringLiteral("dev"), inside}),
                true, QStringLiteral("nsenter"))
        || !run(inSimulator({QStringLiteral("link"), QStringLiteral("set"), inside, QStringLiteral("up")}), true,
                QStringLiteral("nsenter")))
        return fail();

    // A keypad on another subnet of the same wire (a misconfigured one):
    // keypad firmware hears every broadcast on its link and answers whoever
    // asked, so the program's discover and set-IP broadcasts reach it and
    // its answers reach the program. Its own subnet gets a route on the
    // program's side too, so the bed can see it start; the program itself
    // goes by its subnet test, not by routes.
    const auto network = [](const QHostAddress &address, int prefixLength) -> QString {
        const quint32 mask = prefixLength == 0 ? 0 : 0xFFFFFFFFu << (32 - prefixLength);
        return QHostAddress(address.toIPv4Address() & mask).toString() + QLatin1Char('/')
            + QString::number(prefixLength);
    };
    if (!sim.address.isInSubnet(hostAddress(), 24) && !sim.address.isInSubnet(hostAddress10(), 8)) {
        const int prefixLength = cidr.section(QLatin1Char('/'), 1, 1).toInt();
        if (!run(inSimulator({QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("broadcast"),
                              broadcastAddress().toString(), QStringLiteral("dev"), inside, QStringLiteral("table"),
                              QStringLiteral("local")}),
                 true, QStringLiteral("nsenter"))
            || !run(inSimulator({QStringLiteral("route"), QStringLiteral("add"), network(hostAddress(), 24),
                                 QStringLiteral("dev"), inside}),
                    true, QStringLiteral("nsenter"))
            || !run({QStringLiteral("route"), QStringLiteral("replace"), network(sim.address, prefixLength),
                     QStringLiteral("dev"), bridgeName()}))
            return fail();
    }

    // A simulator started again on an address of an earlier one has a new
    // link (a new hardware address); the neighbour entry of the old one
    // would keep the program's frames going to a link that is gone.
    run({QStringLiteral("neigh"), QStringLiteral("flush"), QStringLiteral("to"), sim.address.toString()}, false);
    // A link that is up may not carry frames yet (carrier, bridge port);
    // the simulator counts as started once the program's side reaches it.
    if (!waitUntilReachable(sim.address, simulatorHttpPort(id), 20000)) {
        m_error = QStringLiteral("keypadsim is not reachable at ") + sim.address.toString();
        return fail();
    }
    return id;
}

bool KeypadTestBed::waitUntilReachable(const QHostAddress &address, quint16 port, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        QTcpSocket probe;
        probe.connectToHost(address, port);
        if (probe.waitForConnected(1000)) {
            probe.disconnectFromHost();
            return true;
        }
        QTest::qWait(50);
    }
    return false;
}

QNetworkAddressEntry KeypadTestBed::hostEntry()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            if (entry.ip() == hostAddress())
                return entry;
        }
    }
    return {};
}

int KeypadTestBed::startSimulator()
{
    return startSimulator(SimulatorOptions());
}

int KeypadTestBed::startDecoy()
{
    SimulatorOptions decoy;
    decoy.name = QStringLiteral("Power supply");
    decoy.address = QStringLiteral("192.168.77.5/24");
    decoy.extraArguments = QStringList{QStringLiteral("--part"), QStringLiteral("XPS-100000-00")};
    return startSimulator(decoy);
}

void KeypadTestBed::readOutput(int id)
{
    Simulator *sim = simulator(id);
    if (!sim || !sim->process)
        return;
    sim->stdoutBuffer += sim->process->readAllStandardOutput();
    int end;
    while ((end = sim->stdoutBuffer.indexOf('\n')) >= 0) {
        const QString line = QString::fromLatin1(sim->stdoutBuffer.left(end)).trimmed();
        sim->stdoutBuffer.remove(0, end + 1);
        if (line.startsWith(QLatin1String("event "))) {
            const QString event = line.mid(6);
            sim->events << event;
            if (event.startsWith(QLatin1String("restarted ")))
                sim->address = QHostAddress(event.section(QLatin1Char(' '), 1, 1));
        } else if (!line.isEmpty()) {
            sim->answers << line;
        }
    }
    emit simulatorLine(id);
}

void KeypadTestBed::tearDownSimulator(Simulator &sim)
{
    if (sim.process) {
        sim.process->disconnect(this);
        // The simulator quits when its standard input ends.
        sim.process->closeWriteChannel();
        if (!sim.process->waitForFinished(5000)) {
            sim.process->kill();
            sim.process->waitForFinished(5000);
        }
        sim.diagnostics += sim.process->readAllStandardError();
        // A simulator that crashed or failed its sanitizers says so here,
        // since no test looks at its exit otherwise.
        if (sim.process->exitStatus() != QProcess::NormalExit || sim.process->exitCode() != 0)
            qCWarning(lcBed).noquote() << "keypadsim ended with exit code" << sim.process->exitCode()
                                       << "\n" << QString::fromLocal8Bit(sim.diagnostics);
        delete sim.process;
        sim.process = nullptr;
    }
    // The pair usually went with the simulator's namespace; make sure.
    if (!sim.hostLink.isEmpty())
        run({QStringLiteral("link"), QStringLiteral("del"), sim.hostLink}, false);
    sim.hostLink.clear();
}

void KeypadTestBed::stopSimulator(int id)
{
    if (Simulator *sim = simulator(id))
        tearDownSimulator(*sim);
}

QHostAddress KeypadTestBed::simulatorAddress(int id) const
{
    const Simulator *sim = simulator(id);
    return sim ? sim->address : QHostAddress();
}

QByteArray KeypadTestBed::simulatorMac(int id) const
{
    const Simulator *sim = simulator(id);
    return sim ? sim->mac : QByteArray();
}

QString KeypadTestBed::command(int id, const QString &line, int timeoutMs)
{
    Simulator *sim = simulator(id);
    if (!sim || !sim->process || sim->process->state() != QProcess::Running) {
        m_error = QStringLiteral("no simulator %1 running").arg(id);
        return QString();
    }
    sim->answers.clear();
    sim->process->write(line.toLatin1() + '\n');
    if (!waitUntil(this, &KeypadTestBed::simulatorLine, timeoutMs, [this, id] {
            const Simulator *s = simulator(id);
            return !s || !s->process || !s->answers.isEmpty() || s->process->state() != QProcess::Running;
        })
        || sim->answers.isEmpty()) {
        m_error = QStringLiteral("no answer to \"%1\"").arg(line);
        return QString();
    }
    return sim->answers.takeFirst();
}

bool KeypadTestBed::waitForEvent(int id, const QString &prefix, int timeoutMs)
{
    const auto found = [this, id, &prefix] {
        Simulator *s = simulator(id);
        if (!s)
            return true;
        for (int i = s->nextEvent; i < s->events.size(); ++i) {
            if (s->events.at(i).startsWith(prefix)) {
                s->nextEvent = i + 1;
                return true;
            }
        }
        return !s->process || s->process->state() != QProcess::Running;
    };
    if (!waitUntil(this, &KeypadTestBed::simulatorLine, timeoutMs, found))
        return false;
    // found() also ends the wait when the simulator died; tell that apart.
    const Simulator *s = simulator(id);
    return s && s->nextEvent > 0 && s->events.value(s->nextEvent - 1).startsWith(prefix);
}

QStringList KeypadTestBed::events(int id) const
{
    const Simulator *sim = simulator(id);
    return sim ? sim->events : QStringList();
}

QList<KeypadTestBed::Request> KeypadTestBed::requestLog(int id) const
{
    QList<Request> requests;
    const Simulator *sim = simulator(id);
    if (!sim)
        return requests;
    QFile file(sim->logPath);
    if (!file.open(QIODevice::ReadOnly))
        return requests;
    while (!file.atEnd()) {
        RequestLog::Entry entry;
        if (RequestLog::parseLine(file.readLine(), &entry))
            requests.append({entry.time, entry.method, entry.path, entry.body});
    }
    return requests;
}

bool KeypadTestBed::waitForRequests(int id, int count, int timeoutMs)
{
    // The log is a file written by another process: look at it every
    // 20 ms while the event loop keeps the caller's own sockets going.
    QElapsedTimer clock;
    clock.start();
    while (requestLog(id).size() < count) {
        if (clock.elapsed() > timeoutMs || !simulator(id))
            return false;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

QByteArray KeypadTestBed::simulatorDiagnostics(int id) const
{
    const Simulator *sim = simulator(id);
    return sim ? sim->diagnostics : QByteArray();
}
