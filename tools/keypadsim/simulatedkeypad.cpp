// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulatedkeypad.h"

#include "keypaddatagrams.h"

#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QProcess>
#include <QRegularExpression>
#include <QUdpSocket>

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>

Q_LOGGING_CATEGORY(lcSim, "keypadsim", QtInfoMsg)

namespace {

// Ends an HTTP connection without a reply, as a keypad that drops a
// request would: the server library offers no handle on the connection,
// so find our own socket whose peer is the client.
bool shutDownConnection(const std::string &remoteAddress, int remotePort, quint16 localPort)
{
    const long limit = std::min(sysconf(_SC_OPEN_MAX), 65536L);
    for (int fd = 0; fd < limit; ++fd) {
        int type = 0;
        socklen_t length = sizeof(type);
        if (getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &length) != 0 || type != SOCK_STREAM)
            continue;
        sockaddr_storage local {};
        sockaddr_storage peer {};
        socklen_t localLength = sizeof(local);
        socklen_t peerLength = sizeof(peer);
        if (getsockname(fd, reinterpret_cast<sockaddr *>(&local), &localLength) != 0
            || getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &peerLength) != 0)
            continue;
        if (local.ss_family != AF_INET || peer.ss_family != AF_INET)
            continue;
        const auto *l = reinterpret_cast<const sockaddr_in *>(&local);
        const auto *p = reinterpret_cast<const sockaddr_in *>(&peer);
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &p->sin_addr, text, sizeof(text));
        if (ntohs(l->sin_port) == localPort && ntohs(p->sin_port) == remotePort && remoteAddress == text) {
            ::shutdown(fd, SHUT_RDWR);
            return true;
        }
    }
    return false;
}

// Parses "on", "off" or a count for the counted faults.
bool faultCount(const QString &word, int *count)
{
    if (word == QLatin1String("on")) {
        *count = -1;
        return true;
    }
    if (word == QLatin1String("off")) {
        *count = 0;
        return true;
    }
    bool ok = false;
    const int n = word.toInt(&ok);
    if (!ok || n < 0)
        return false;
    *count = n;
    return true;
}

bool takeCounted(int *count)
{
    if (*count == 0)
        return false;
    if (*count > 0)
        --*count;
    return true;
}

QByteArray breakXml(const QByteArray &xml)
{
    // Cut in the middle of the markup and add characters no XML may hold
    // there, so any reader stops with an error.
    return xml.left(xml.size() / 2) + QByteArrayLiteral("<<&\n");
}

} // namespace

SimulatedKeypad::SimulatedKeypad(const Settings &settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{
    resetState();
    m_address = settings.address;
    m_programHost = settings.programHost;
    m_heartbeatsOn = settings.heartbeatMs > 0;
    m_heartbeatTimer.setInterval(std::max(settings.heartbeatMs, 10));
    connect(&m_heartbeatTimer, &QTimer::timeout, this, &SimulatedKeypad::sendHeartbeat);
}

SimulatedKeypad::~SimulatedKeypad()
{
    stopHttp();
}

void SimulatedKeypad::resetState()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_state = KeypadState();
    m_state.setName(m_settings.name);
    m_state.setVersion(m_settings.firmware);
    m_state.setIpAddress(m_address.isNull() ? m_settings.address.toString() : m_address.toString());
    for (auto it = m_settings.sceneBodies.cbegin(); it != m_settings.sceneBodies.cend(); ++it) {
        KeypadState::Scene scene;
        if (KeypadState::parseSceneBody(it.value().toLatin1(), &scene))
            m_state.setKeptScene(it.key(), scene);
    }
}

bool SimulatedKeypad::start(QString *error)
{
    if (!m_settings.requestLogPath.isEmpty()) {
        QString why;
        if (!m_log.open(m_settings.requestLogPath, &why)) {
            *error = tr("cannot open the request log %1: %2").arg(m_settings.requestLogPath, why);
            return false;
        }
    }
    m_udp = new QUdpSocket(this);
    if (!m_udp->bind(m_settings.listenAddress, m_settings.dravonPort,
                     QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        *error = tr("cannot bind UDP port %1: %2").arg(m_settings.dravonPort).arg(m_udp->errorString());
        return false;
    }
    connect(m_udp, &QUdpSocket::readyRead, this, &SimulatedKeypad::readDravon);
    if (!startHttp(error))
        return false;
    if (m_heartbeatsOn)
        m_heartbeatTimer.start();
    return true;
}

QHostAddress SimulatedKeypad::address() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_address;
}

QHostAddress SimulatedKeypad::programHost() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_programHost;
}

bool SimulatedKeypad::startHttp(QString *error)
{
    if (m_server)
        return true;
    auto server = std::make_unique<httplib::Server>();
    // One request per connection, as a small embedded server does: a
    // restart then waits for no client's keep-alive (a client that keeps
    // asking would hold it off for good). A keypad has little room for
    // large bodies, too.
    server->set_keep_alive_max_count(1);
    server->set_keep_alive_timeout(1);
    server->set_payload_max_length(64 * 1024);
    const auto handler = [this](const httplib::Request &request, httplib::Response &response) {
        const QString method = QString::fromStdString(request.method);
        const QString path = QString::fromStdString(request.path);
        const QByteArray body = QByteArray::fromStdString(request.body);
        int stallMs = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_faults.stallPath.isEmpty() ? method == QLatin1String("POST") : path == m_faults.stallPath)
                stallMs = m_faults.stallMs;
        }
        if (stallMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(stallMs));
        const Reply reply = handleHttp(method, path, body, QString::fromStdString(request.remote_addr));
        if (reply.delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
        if (reply.drop) {
            if (!shutDownConnection(request.remote_addr, request.remote_port, m_settings.httpPort))
                qCWarning(lcSim) << "could not find the connection to drop";
            response.status = 500;
        } else {
            response.status = reply.status;
            response.set_content(reply.body.toStdString(), "text/xml");
        }
        if (reply.after != AfterReply::Nothing) {
            const bool reset = reply.after == AfterReply::FactoryReset;
            const QString newAddress = reply.newAddress;
            QMetaObject::invokeMethod(
                this, [this, newAddress, reset] { restart(newAddress, reset); }, Qt::QueuedConnection);
        }
    };
    server->Get(".*", handler);
    server->Post(".*", handler);
    const std::string host = m_settings.listenAddress.toString().toStdString();
    if (!server->bind_to_port(host, m_settings.httpPort)) {
        if (error)
            *error = tr("cannot listen for HTTP on %1 port %2")
                         .arg(m_settings.listenAddress.toString())
                         .arg(m_settings.httpPort);
        return false;
    }
    m_server = std::move(server);
    httplib::Server *raw = m_server.get();
    auto ended = std::make_shared<std::atomic<bool>>(false);
    m_serverEnded = ended;
    m_serverThread = std::thread([raw, ended] {
        raw->listen_after_bind();
        *ended = true;
    });
    qCDebug(lcSim) << "HTTP listening on port" << m_settings.httpPort;
    return true;
}

void SimulatedKeypad::stopHttp()
{
    if (!m_server)
        return;
    // The server's stop() does nothing until its thread has entered the
    // accept loop, and the join below would then wait for good: a restart
    // or "fault refuse on" right after a start would hang the keypad. So
    // wait for the loop to run (or to have ended) first.
    while (!m_server->is_running() && !*m_serverEnded)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    m_server->stop();
    if (m_serverThread.joinable())
        m_serverThread.join();
    m_server.reset();
}

SimulatedKeypad::Reply SimulatedKeypad::handleHttp(const QString &method, const QString &path,
                                                   const QByteArray &body, const QString &remote)
{
    m_log.append(method, path, body);
    qCDebug(lcSim) << method << path << body;

    std::lock_guard<std::mutex> lock(m_mutex);
    const QHostAddress remoteAddress(remote);
    if (!remoteAddress.isNull() && !remoteAddress.isLoopback())
        m_programHost = remoteAddress;

    Reply reply;
    reply.delayMs = m_faults.delayMs;
    if (m_faults.dropPercent > 0) {
        m_faults.dropAccumulator += m_faults.dropPercent;
        if (m_faults.dropAccumulator >= 100) {
            m_faults.dropAccumulator -= 100;
            reply.drop = true;
            return reply;
        }
    }
    if (takeCounted(&m_faults.errorCount)
        || (method == QLatin1String("POST") && takeCounted(&m_faults.postErrorCount))) {
        reply.status = 500;
        reply.body = QByteArrayLiteral("Internal Server Error\n");
        return reply;
    }

    static const QRegularExpression scenePath(QStringLiteral("^/api/v1/shows/([1-8])$"));
    const QRegularExpressionMatch scene = scenePath.match(path);
    const bool isGet = method == QLatin1String("GET");
    const bool isPost = method == QLatin1String("POST");
    if (path == QLatin1String("/api/v1/shows") && isGet) {
        reply.body = m_state.allShowsXml();
    } else if (scene.hasMatch() && (isGet || isPost)) {
        const int index = scene.captured(1).toInt() - 1;
        // Asking for one show plays it: the program selects a scene on the
        // keypad this way (its scene buttons, the end of a file upload).
        if (isGet && index != m_state.currentScene())
            m_state.selectScene(index);
        if (isPost && m_state.postScene(index, body) == KeypadState::SceneOutcome::Rejected) {
            reply.status = 400;
            reply.body = QByteArrayLiteral("Bad Request\n");
            return reply;
        }
        reply.body = m_state.showReplyXml(index);
    } else if (path == QLatin1String("/api/v1/config") && (isGet || isPost)) {
        if (isPost) {
            const KeypadState::ConfigOutcome outcome = m_state.postConfig(body);
            if (!outcome.ignored.isEmpty())
                qCInfo(lcSim) << "ignored in configuration:" << outcome.ignored;
            if (outcome.factoryReset) {
                // The keypad resets at once and the connection goes with it.
                reply.drop = true;
                reply.after = AfterReply::FactoryReset;
                return reply;
            }
            if (!outcome.newAddress.isEmpty()) {
                reply.after = AfterReply::Restart;
                reply.newAddress = outcome.newAddress;
            }
        }
        reply.body = m_state.configXml();
    } else {
        reply.status = 404;
        reply.body = QByteArrayLiteral("Not Found\n");
        return reply;
    }
    if (takeCounted(&m_faults.malformedCount))
        reply.body = breakXml(reply.body);
    return reply;
}

void SimulatedKeypad::restart(const QString &newAddress, bool factoryReset)
{
    if (m_restarting)
        return;
    m_restarting = true;
    emit eventHappened(factoryReset ? QStringLiteral("restarting factory reset") : QStringLiteral("restarting"));
    stopHttp();
    QTimer::singleShot(m_settings.restartMs, this, [this, newAddress, factoryReset] {
        if (factoryReset)
            resetState();
        if (!newAddress.isEmpty() && moveInterface(newAddress)) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_address = QHostAddress(newAddress);
            m_state.setIpAddress(newAddress);
        }
        bool refused = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            refused = m_faults.refuse;
        }
        QString error;
        if (!refused && !startHttp(&error))
            qCWarning(lcSim) << "restart failed:" << error;
        m_restarting = false;
        emit eventHappened(QStringLiteral("restarted ") + address().toString());
    });
}

bool SimulatedKeypad::moveInterface(const QString &newAddress)
{
    if (m_settings.interfaceName.isEmpty())
        return true;
    const QString device = m_settings.interfaceName;
    const QString cidr = newAddress + QLatin1Char('/') + QString::number(m_settings.prefixLength);
    if (QProcess::execute(QStringLiteral("ip"), {QStringLiteral("-4"), QStringLiteral("addr"), QStringLiteral("flush"),
                                                 QStringLiteral("dev"), device})
            != 0
        || QProcess::execute(QStringLiteral("ip"), {QStringLiteral("addr"), QStringLiteral("add"), cidr,
                                                    QStringLiteral("brd"), QStringLiteral("+"), QStringLiteral("dev"),
                                                    device})
            != 0) {
        qCWarning(lcSim) << "could not move" << device << "to" << cidr;
        return false;
    }
    return true;
}

void SimulatedKeypad::readDravon()
{
    while (m_udp->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_udp->receiveDatagram();
        const QByteArray data = datagram.data();
        if (m_restarting)
            continue;
        quint32 target = 0;
        QByteArray mac;
        quint32 newIp = 0;
        if (KeypadDatagrams::parseDiscoverRequest(data, &target)) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                ++m_discoverRequests;
            }
            // Answer a discover meant for everyone (any address ending in
            // .255, which covers the /24 and /16 broadcasts the program
            // uses) or for this keypad; stay quiet when it names another.
            const quint32 own = address().toIPv4Address();
            if (target != 0 && target != own && (target & 0xFF) != 0xFF)
                continue;
            KeypadDatagrams::DiscoverInfo info;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_programHost = datagram.senderAddress();
                info.universe = quint32(m_state.universe());
                info.identification = m_state.name().toLatin1();
            }
            info.ip = own;
            info.mac = m_settings.mac;
            info.version = KeypadDatagrams::versionNumber(m_settings.firmware);
            info.serial = m_settings.serial;
            info.versionText = KeypadDatagrams::versionText(m_settings.firmware, m_settings.part, m_settings.serial);
            m_udp->writeDatagram(KeypadDatagrams::discoverReply(info), datagram.senderAddress(),
                                 quint16(datagram.senderPort()));
            qCDebug(lcSim) << "answered discover from" << datagram.senderAddress().toString();
        } else if (KeypadDatagrams::parseSetIp(data, &mac, &newIp)) {
            if (mac != m_settings.mac)
                continue;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_programHost = datagram.senderAddress();
            }
            const QString newAddress = QHostAddress(newIp).toString();
            qCInfo(lcSim) << "set-IP to" << newAddress;
            restart(newAddress, false);
        }
    }
}

void SimulatedKeypad::sendToProgram(const QByteArray &datagram, quint16 port)
{
    const QHostAddress host = programHost();
    if (host.isNull() || !m_udp)
        return;
    if (m_udp->writeDatagram(datagram, host, port) != datagram.size())
        qCWarning(lcSim) << "cannot send to" << host.toString() << port << m_udp->errorString();
}

void SimulatedKeypad::sendHeartbeat()
{
    if (!m_heartbeatsOn || m_restarting)
        return;
    sendToProgram(KeypadDatagrams::heartbeat(m_heartbeatSequence++), KeypadDatagrams::dravonPort);
}

QString SimulatedKeypad::usage()
{
    return QStringLiteral(
        "commands:\n"
        "  press 1..8 [n]|onoff|up|down  press a button on the keypad (a scene's datagram n times)\n"
        "  config <body>              change the configuration as a form body would (name=..&universe=..)\n"
        "  scene <1..8> <body>        store a scene (effect=..&param1=..)\n"
        "  heartbeat on|off|<ms>      stop, start or pace the heartbeats\n"
        "  host <address>             send heartbeats and button datagrams there\n"
        "  fault delay <ms>           delay every reply\n"
        "  fault stall <ms> [path]    act on every change (POST), or every request for path, that much\n"
        "                             later; requests sent after it may overtake it\n"
        "  fault drop <percent>       drop that share of requests without a reply\n"
        "  fault error <n|on|off>     answer the next n (or all) requests with status 500\n"
        "  fault posterror <n|on|off> the same for changes (POST) only\n"
        "  fault malformed <n|on|off> answer the next n (or all) requests with broken XML\n"
        "  fault refuse on|off        refuse HTTP connections\n"
        "  fault clear                no faults\n"
        "  status                     show the keypad's state\n"
        "  show <1..8>                one scene: kept=<body> played=<body> preview=0|1\n"
        "  restart                    power-cycle: away for the restart time, previews dropped\n"
        "  quit                       stop the simulator");
}

QString SimulatedKeypad::execute(const QString &commandLine)
{
    const QString line = commandLine.trimmed();
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QStringLiteral("error empty command");
    const QString verb = words.first();

    if (verb == QLatin1String("press") && (words.size() == 2 || words.size() == 3)) {
        const QString which = words.at(1);
        bool isScene = false;
        const int scene = which.toInt(&isScene);
        // A scene press may be sent more than once, as a keypad repeating
        // a datagram it cannot know arrived.
        bool countOk = true;
        const int times = words.size() == 3 ? words.at(2).toInt(&countOk) : 1;
        if (!countOk || times < 1 || times > 10 || (words.size() == 3 && !isScene))
            return QStringLiteral("error usage: press 1..8 [1..10]|onoff|up|down");
        if (isScene) {
            if (scene < 1 || scene > KeypadState::sceneCount)
                return QStringLiteral("error no scene ") + which;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_state.switchEnabled(scene))
                    return QStringLiteral("error button disabled");
                m_state.selectScene(scene - 1);
            }
            for (int i = 0; i < times; ++i)
                sendToProgram(KeypadDatagrams::sceneSelected(scene), KeypadDatagrams::keypadPort);
            return QStringLiteral("ok");
        }
        static const QMap<QString, int> buttons = {
            {QStringLiteral("onoff"), 9}, {QStringLiteral("up"), 10}, {QStringLiteral("down"), 11}};
        if (!buttons.contains(which))
            return QStringLiteral("error unknown button ") + which;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            const int number = buttons.value(which);
            if (!m_state.switchEnabled(number))
                return QStringLiteral("error button disabled");
            if (number == 9)
                m_state.toggleLights();
            else
                m_state.stepBrightness(number == 10);
        }
        sendToProgram(KeypadDatagrams::configurationChanged(), KeypadDatagrams::keypadPort);
        return QStringLiteral("ok");
    }

    if (verb == QLatin1String("config") && words.size() >= 2) {
        const QByteArray body = line.mid(verb.size()).trimmed().toLatin1();
        KeypadState::ConfigOutcome outcome;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            outcome = m_state.postConfig(body, true);
        }
        sendToProgram(KeypadDatagrams::configurationChanged(), KeypadDatagrams::keypadPort);
        if (outcome.factoryReset || !outcome.newAddress.isEmpty())
            restart(outcome.newAddress, outcome.factoryReset);
        return outcome.ignored.isEmpty() ? QStringLiteral("ok")
                                         : QStringLiteral("ok ignored ") + outcome.ignored.join(QLatin1Char(' '));
    }

    if (verb == QLatin1String("scene") && words.size() >= 3) {
        bool ok = false;
        const int scene = words.at(1).toInt(&ok);
        KeypadState::Scene parsed;
        const QByteArray body = line.section(QLatin1Char(' '), 2, -1, QString::SectionSkipEmpty).toLatin1();
        if (!ok || scene < 1 || scene > KeypadState::sceneCount || !KeypadState::parseSceneBody(body, &parsed))
            return QStringLiteral("error usage: scene <1..8> effect=..");
        std::lock_guard<std::mutex> lock(m_mutex);
        m_state.setKeptScene(scene - 1, parsed);
        return QStringLiteral("ok");
    }

    if (verb == QLatin1String("heartbeat") && words.size() == 2) {
        bool isNumber = false;
        const int ms = words.at(1).toInt(&isNumber);
        if (words.at(1) == QLatin1String("on")) {
            m_heartbeatsOn = true;
            m_heartbeatTimer.start();
        } else if (words.at(1) == QLatin1String("off")) {
            m_heartbeatsOn = false;
            m_heartbeatTimer.stop();
        } else if (isNumber && ms >= 10) {
            m_heartbeatTimer.start(ms);
            m_heartbeatsOn = true;
        } else {
            return QStringLiteral("error usage: heartbeat on|off|<ms>");
        }
        return QStringLiteral("ok");
    }

    if (verb == QLatin1String("host") && words.size() == 2) {
        const QHostAddress host(words.at(1));
        if (host.protocol() != QAbstractSocket::IPv4Protocol)
            return QStringLiteral("error not an IPv4 address");
        std::lock_guard<std::mutex> lock(m_mutex);
        m_programHost = host;
        return QStringLiteral("ok");
    }

    if (verb == QLatin1String("fault"))
        return faultCommand(words);

    if (verb == QLatin1String("status") && words.size() == 1) {
        std::lock_guard<std::mutex> lock(m_mutex);
        return QStringLiteral("ok address=%1 port=%2 current=%3 brightness=%4 host=%5 heartbeat=%6 discovers=%7 name=%8")
            .arg(m_address.toString())
            .arg(m_settings.httpPort)
            .arg(m_state.currentScene() + 1)
            .arg(m_state.brightness())
            .arg(m_programHost.isNull() ? QStringLiteral("none") : m_programHost.toString(),
                 m_heartbeatsOn ? QStringLiteral("on") : QStringLiteral("off"))
            .arg(m_discoverRequests)
            .arg(m_state.name());
    }

    if (verb == QLatin1String("show") && words.size() == 2) {
        bool ok = false;
        const int scene = words.at(1).toInt(&ok);
        if (!ok || scene < 1 || scene > KeypadState::sceneCount)
            return QStringLiteral("error usage: show <1..8>");
        std::lock_guard<std::mutex> lock(m_mutex);
        return QStringLiteral("ok kept=%1 played=%2 preview=%3")
            .arg(QString::fromLatin1(KeypadState::sceneBody(m_state.keptScene(scene - 1))),
                 QString::fromLatin1(KeypadState::sceneBody(m_state.playedScene(scene - 1))))
            .arg(m_state.hasPreview(scene - 1) ? 1 : 0);
    }

    if (verb == QLatin1String("restart") && words.size() == 1) {
        if (m_restarting)
            return QStringLiteral("error restarting");
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_state.dropPreviews();
        }
        restart(QString(), false);
        return QStringLiteral("ok");
    }

    if (verb == QLatin1String("help"))
        return QStringLiteral("ok ") + usage().replace(QLatin1Char('\n'), QLatin1String(" | "));

    if (verb == QLatin1String("quit")) {
        emit quitRequested();
        return QStringLiteral("ok");
    }

    return QStringLiteral("error unknown command: ") + line;
}

QString SimulatedKeypad::faultCommand(const QStringList &words)
{
    const QString kind = words.value(1);
    const QString argument = words.value(2);
    bool refuseChanged = false;
    bool refuse = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        bool ok = false;
        if (kind == QLatin1String("clear") && words.size() == 2) {
            refuseChanged = m_faults.refuse;
            m_faults = Faults();
        } else if (kind == QLatin1String("delay") && words.size() == 3) {
            const int ms = argument.toInt(&ok);
            if (!ok || ms < 0 || ms > 120000)
                return QStringLiteral("error usage: fault delay <ms>");
            m_faults.delayMs = ms;
        } else if (kind == QLatin1String("stall") && (words.size() == 3 || words.size() == 4)) {
            const int ms = argument.toInt(&ok);
            const QString stallPath = words.value(3);
            if (!ok || ms < 0 || ms > 120000 || (!stallPath.isEmpty() && !stallPath.startsWith(QLatin1Char('/'))))
                return QStringLiteral("error usage: fault stall <ms> [path]");
            m_faults.stallMs = ms;
            m_faults.stallPath = stallPath;
        } else if (kind == QLatin1String("drop") && words.size() == 3) {
            const int percent = argument.toInt(&ok);
            if (!ok || percent < 0 || percent > 100)
                return QStringLiteral("error usage: fault drop <0..100>");
            m_faults.dropPercent = percent;
            m_faults.dropAccumulator = 0;
        } else if (kind == QLatin1String("error") && words.size() == 3) {
            if (!faultCount(argument, &m_faults.errorCount))
                return QStringLiteral("error usage: fault error <n|on|off>");
        } else if (kind == QLatin1String("posterror") && words.size() == 3) {
            if (!faultCount(argument, &m_faults.postErrorCount))
                return QStringLiteral("error usage: fault posterror <n|on|off>");
        } else if (kind == QLatin1String("malformed") && words.size() == 3) {
            if (!faultCount(argument, &m_faults.malformedCount))
                return QStringLiteral("error usage: fault malformed <n|on|off>");
        } else if (kind == QLatin1String("refuse") && words.size() == 3
                   && (argument == QLatin1String("on") || argument == QLatin1String("off"))) {
            refuse = argument == QLatin1String("on");
            refuseChanged = refuse != m_faults.refuse;
            m_faults.refuse = refuse;
        } else {
            return QStringLiteral("error unknown fault");
        }
    }
    if (refuseChanged && !m_restarting) {
        if (refuse) {
            stopHttp();
        } else {
            QString error;
            if (!startHttp(&error))
                return QStringLiteral("error ") + error;
        }
    }
    return QStringLiteral("ok");
}
