// SPDX-License-Identifier: GPL-3.0-or-later
#include "discoverer.h"

#include "networkprefs.h"

#include "dravon.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QLoggingCategory>
#include <QTimerEvent>

#include <algorithm>

Q_LOGGING_CATEGORY(lcDiscovery, "keypad.discovery")

Discoverer *Discoverer::instance()
{
    static Discoverer *discoverer = new Discoverer;
    return discoverer;
}

Discoverer::Discoverer()
    : m_dravon(new Dravon)
{
    m_dravon->setParent(this);
    // Direct: the reply texts live in the parser's buffers only during the signal.
    connect(m_dravon, &Dravon::signalDiscoverResponse, this, &Discoverer::handleSignalDiscoverResponse,
            Qt::DirectConnection);
}

Discoverer::~Discoverer() = default;

quint32 Discoverer::tenNetBroadcast(quint32 address)
{
    if ((address >> 24) != 10)
        return 0;
    return (address & 0xFFFF0000u) | 0x0000FFFFu;
}

bool Discoverer::isKeypadVersionText(const char *versionText, QString *firmware)
{
    if (!versionText)
        return false;
    const QStringList lines = QString::fromLatin1(versionText).trimmed().split(QLatin1Char('\n'));
    if (lines.size() < 4)
        return false;
    const QString partNumber = lines.at(2).section(QLatin1Char(':'), 1, 1, QString::SectionSkipEmpty);
    if (partNumber != QLatin1String(keypadPartNumber))
        return false;
    if (firmware)
        *firmware = lines.at(0).section(QLatin1Char(':'), 1).trimmed();
    return true;
}

void Discoverer::discover()
{
    emit discovering();
    qCDebug(lcDiscovery) << "discovering ***************";
    m_keypads.clear();

    quint32 directed = 0;
    if (m_networkPrefs) {
        const QString hostAddress = m_networkPrefs->chosenAddress();
        qCDebug(lcDiscovery) << "using hostAddress" << hostAddress;
        directed = tenNetBroadcast(QHostAddress(hostAddress).toIPv4Address());
    } else {
        const auto addresses = QHostInfo::fromName(QHostInfo::localHostName()).addresses();
        for (const QHostAddress &address : addresses) {
            if (const quint32 d = tenNetBroadcast(address.toIPv4Address()))
                directed = d;
        }
    }

    if (m_networkPrefs) {
        QNetworkAddressEntry entry = m_networkPrefs->chosenEntry();
        m_dravon->setInterface(entry);
    }

    if (directed == 0) {
        qCDebug(lcDiscovery) << "sending discover to 255.255.255.255";
        m_dravon->sendDiscover("255.255.255.255");
    } else {
        const QByteArray text = QHostAddress(directed).toString().toLatin1();
        qCDebug(lcDiscovery) << "sending discover to" << text;
        m_dravon->sendDiscover(text.constData());
    }
}

int Discoverer::discover(int timeOut)
{
    discover();
    return startTimer(timeOut, Qt::CoarseTimer);
}

void Discoverer::timerEvent(QTimerEvent *event)
{
    Q_UNUSED(event)
    emit reachedDiscoverTimeLimit();
}

void Discoverer::handleSignalDiscoverResponse(char *mac, uint ip, uint sn, ushort ver, uint uni,
                                              char *verstring, char *idstring)
{
    Q_UNUSED(sn)
    Q_UNUSED(ver)
    Q_UNUSED(uni)
    qCDebug(lcDiscovery) << "got discover response";
    if (!mac || !isKeypadVersionText(verstring))
        return;

    DiscoveredKeypad keypad;
    keypad.name = idstring ? QString::fromLatin1(idstring) : QString();
    keypad.mac = QByteArray(mac, 6);
    keypad.address = QHostAddress(quint32(ip)).toString();
    qCDebug(lcDiscovery) << "Discovered MSP at" << keypad.address;
    m_keypads.append(keypad);
    std::stable_sort(m_keypads.begin(), m_keypads.end(),
                     [](const DiscoveredKeypad &a, const DiscoveredKeypad &b) { return a.address < b.address; });
}
