// SPDX-License-Identifier: GPL-3.0-or-later
#include "ip4validator.h"

#include <QHostAddress>
#include <QStringList>

namespace {

// A part longer than three digits could only carry leading zeros, and the
// set-IP packet reads a part such as "00010" as octal once two of them are
// stripped; so a part is at most "255" long.
constexpr int maximumPartLength = 3;

bool isAddressPart(const QString &part)
{
    if (part.size() > maximumPartLength)
        return false;
    for (const QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return part.toInt() <= 255;
}

} // namespace

IP4Validator::IP4Validator(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State IP4Validator::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos)
    if (input.isEmpty())
        return Intermediate;
    const QStringList parts = input.split(QLatin1Char('.'));
    if (parts.size() > 4) {
        m_lastRefused = input;
        return Invalid;
    }
    bool complete = parts.size() == 4;
    for (const QString &part : parts) {
        if (part.isEmpty()) {
            complete = false;
        } else if (!isAddressPart(part)) {
            m_lastRefused = input;
            return Invalid;
        }
    }
    return complete ? Acceptable : Intermediate;
}

QString IP4Validator::refusalReason() const
{
    const QStringList parts = m_lastRefused.split(QLatin1Char('.'));
    if (parts.size() > 4)
        return tr("An address has four numbers; \"%1\" was not taken.").arg(m_lastRefused);
    for (const QString &part : parts) {
        if (!part.isEmpty() && !isAddressPart(part))
            return tr("Each part of an address is a number from 0 to 255; \"%1\" was not taken.").arg(part);
    }
    return QString();
}

QString IP4Validator::unusableReason(const QString &address, const QList<QNetworkAddressEntry> &own)
{
    QHostAddress host;
    if (!host.setAddress(address) || host.protocol() != QAbstractSocket::IPv4Protocol)
        return QString();
    const quint32 value = host.toIPv4Address();
    const quint32 first = value >> 24;
    if (first == 0)
        return tr("%1 is no device's address.").arg(address);
    if (first == 127)
        return tr("%1 is a loopback address; it never leaves this computer.").arg(address);
    if (first >= 224)
        return tr("%1 is a group or broadcast address, never a single device's.").arg(address);
    for (const QNetworkAddressEntry &entry : own) {
        if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        const quint32 ip = entry.ip().toIPv4Address();
        if (ip == value)
            return tr("%1 is this computer's own address.").arg(address);
        const quint32 mask = entry.netmask().toIPv4Address();
        // Networks of one or two addresses have no network and broadcast address of their own.
        if ((ip & mask) != (value & mask) || mask == 0 || (~mask) < 3)
            continue;
        if (value == (ip & mask))
            return tr("%1 is the address of the network itself, not of a device in it.").arg(address);
        if (value == ((ip & mask) | ~mask))
            return tr("%1 is the broadcast address of the network.").arg(address);
    }
    return QString();
}
