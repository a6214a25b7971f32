// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadscanner.h"

#include "discoverer.h"
#include "fleetlogging.h"

#include "dravon.h"

#include <QNetworkInterface>
#include <QStringList>

QString KeypadInfo::macText() const
{
    return QString::fromLatin1(mac.toHex(':'));
}

bool KeypadInfo::operator==(const KeypadInfo &other) const
{
    return name == other.name && address == other.address && mac == other.mac && firmware == other.firmware
        && universe == other.universe;
}

KeypadScanner::KeypadScanner(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<KeypadInfo>();
    m_pacing.setInterval(pacingInterval);
    m_pacing.setTimerType(Qt::PreciseTimer);
    connect(&m_pacing, &QTimer::timeout, this, &KeypadScanner::sendBurst);
    m_window.setSingleShot(true);
    connect(&m_window, &QTimer::timeout, this, [this] {
        m_running = false;
        qCDebug(lcFleet) << "scan finished," << m_found.size() << "keypads";
        emit finished();
    });
}

KeypadScanner::~KeypadScanner() = default;

bool KeypadScanner::expandSubnet(const QString &cidr, QList<QHostAddress> *hosts, QString *error)
{
    const QString text = cidr.trimmed();
    const QString addressText = text.section(QLatin1Char('/'), 0, 0);
    QHostAddress address;
    int prefix = 32;
    bool ok = address.setAddress(addressText) && address.protocol() == QAbstractSocket::IPv4Protocol
        && addressText.count(QLatin1Char('.')) == 3;
    if (ok && text.contains(QLatin1Char('/')))
        prefix = text.section(QLatin1Char('/'), 1).toInt(&ok);
    if (!ok || prefix < 0 || prefix > 32) {
        if (error)
            *error = tr("'%1' is no IPv4 address or subnet (like 10.2.0.0/24).").arg(text);
        return false;
    }
    if (prefix < 16) {
        if (error)
            *error = tr("'%1' is too large to scan; scan at most a /16 at a time.").arg(text);
        return false;
    }
    const quint32 mask = prefix == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix);
    const quint32 network = address.toIPv4Address() & mask;
    const quint32 last = network | ~mask;
    quint32 first = network;
    quint32 end = last;
    if (prefix <= 30) {
        ++first;
        --end;
    }
    if (hosts) {
        for (quint32 a = first;; ++a) {
            hosts->append(QHostAddress(a));
            if (a == end)
                break;
        }
    }
    return true;
}

QList<QNetworkAddressEntry> KeypadScanner::broadcastEntries()
{
    QList<QNetworkAddressEntry> entries;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (!interface.isValid() || !(flags & QNetworkInterface::IsUp) || (flags & QNetworkInterface::IsLoopBack)
            || !(flags & QNetworkInterface::CanBroadcast))
            continue;
        const auto addressEntries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : addressEntries) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.broadcast().isNull())
                entries.append(entry);
        }
    }
    return entries;
}

Dravon *KeypadScanner::makeDravon()
{
    m_dravons.push_back(std::make_unique<Dravon>());
    Dravon *dravon = m_dravons.back().get();
    // Direct: the reply texts live in the parser's buffers only during the signal.
    connect(dravon, &Dravon::signalDiscoverResponse, this, &KeypadScanner::handleReply, Qt::DirectConnection);
    return dravon;
}

void KeypadScanner::start()
{
    m_pacing.stop();
    m_window.stop();
    m_found.clear();
    m_dravons.clear();
    m_next = 0;
    m_running = true;

    for (QNetworkAddressEntry entry : qAsConst(m_entries)) {
        Dravon *dravon = makeDravon();
        if (!dravon->setInterface(entry) || !dravon->sendDiscover("255.255.255.255"))
            qCWarning(lcFleet) << "no broadcast discover on" << entry.ip().toString();
    }
    m_unicast = m_targets.isEmpty() ? nullptr : makeDravon();
    if (m_unicast)
        m_pacing.start();
    else
        m_window.start(m_replyWindow);
}

void KeypadScanner::ask(const QHostAddress &address)
{
    if (!m_unicast)
        m_unicast = makeDravon();
    const QByteArray text = address.toString().toLatin1();
    if (!m_unicast->sendDiscoverTo(text.constData()))
        qCDebug(lcFleet) << "discover to" << text << "not sent";
}

void KeypadScanner::sendBurst()
{
    for (int i = 0; i < requestsPerBurst && m_next < m_targets.size(); ++i, ++m_next) {
        const QByteArray text = m_targets.at(m_next).toString().toLatin1();
        if (!m_unicast->sendDiscoverTo(text.constData()))
            qCDebug(lcFleet) << "discover to" << text << "not sent";
    }
    if (m_next >= m_targets.size()) {
        m_pacing.stop();
        m_window.start(m_replyWindow);
    }
}

void KeypadScanner::handleReply(char *mac, uint ip, uint sn, ushort ver, uint uni, char *verstring, char *idstring)
{
    Q_UNUSED(sn)
    Q_UNUSED(ver)
    KeypadInfo keypad;
    if (!mac || !Discoverer::isKeypadVersionText(verstring, &keypad.firmware))
        return;
    keypad.name = idstring ? QString::fromLatin1(idstring) : QString();
    keypad.address = QHostAddress(quint32(ip)).toString();
    keypad.mac = QByteArray(mac, 6);
    keypad.universe = int(uni);
    for (const KeypadInfo &known : qAsConst(m_found)) {
        if (known.address == keypad.address && known.mac == keypad.mac)
            return;
    }
    qCDebug(lcFleet) << "keypad" << keypad.name << "at" << keypad.address;
    m_found.append(keypad);
    emit keypadFound(keypad);
}
