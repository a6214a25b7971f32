// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypaddatagrams.h"

#include <QStringList>

namespace {

void putLe16(QByteArray &data, int offset, quint16 value)
{
    data[offset] = char(value & 0xFF);
    data[offset + 1] = char(value >> 8);
}

void putLe32(QByteArray &data, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        data[offset + i] = char((value >> (8 * i)) & 0xFF);
}

void putNetwork32(QByteArray &data, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        data[offset + i] = char((value >> (8 * (3 - i))) & 0xFF);
}

quint16 le16(const QByteArray &data, int offset)
{
    return quint16(quint8(data.at(offset)) | (quint8(data.at(offset + 1)) << 8));
}

quint32 le32(const QByteArray &data, int offset)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | quint8(data.at(offset + i));
    return value;
}

quint32 network32(const QByteArray &data, int offset)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | quint8(data.at(offset + i));
    return value;
}

// A text field ends at its NUL, so it cannot carry one; and the program
// keeps at most 511 characters of it.
QByteArray textField(const QByteArray &text)
{
    QByteArray field = text;
    const int nul = field.indexOf('\0');
    if (nul >= 0)
        field.truncate(nul);
    field.truncate(KeypadDatagrams::maxTextLength);
    return field + '\0';
}

} // namespace

QByteArray KeypadDatagrams::header(quint16 type, quint32 sequence)
{
    QByteArray data(headerSize, '\0');
    putLe32(data, 0, magic);
    putLe16(data, 4, protocolVersion);
    putLe16(data, 6, type);
    putLe32(data, 8, sequence);
    return data;
}

QByteArray KeypadDatagrams::discoverReply(const DiscoverInfo &info)
{
    QByteArray data = header(discoverReplyType);
    data.resize(32);
    putNetwork32(data, 12, info.ip);
    for (int i = 0; i < 6; ++i)
        data[16 + i] = i < info.mac.size() ? info.mac.at(i) : '\0';
    putLe16(data, 22, info.version);
    putLe16(data, 24, info.serial);
    putLe16(data, 26, 0);
    putLe32(data, 28, info.universe);
    data += textField(info.versionText);
    data += textField(info.identification);
    return data;
}

QByteArray KeypadDatagrams::versionText(const QString &firmware, const QString &part, quint16 serial)
{
    return QByteArrayLiteral("Firmware:") + firmware.toLatin1() + QByteArrayLiteral("\nHardware:B\nPart:")
        + part.toLatin1() + QByteArrayLiteral("\nSerial:") + QByteArray::number(serial);
}

quint16 KeypadDatagrams::versionNumber(const QString &firmware)
{
    const QStringList parts = firmware.split(QLatin1Char('.'));
    const int major = parts.value(0).toInt() & 0xFF;
    const int minor = parts.value(1).toInt() & 0xFF;
    return quint16((major << 8) | minor);
}

QByteArray KeypadDatagrams::sceneSelected(int scene)
{
    QByteArray data = header(sceneSelectedType);
    data.resize(sceneSelectedSize);
    data[12] = '\0';
    data[13] = char(scene);
    data[14] = '\0';
    data[15] = '\0';
    return data;
}

QByteArray KeypadDatagrams::configurationChanged()
{
    QByteArray data = header(configChangedType);
    data.append(configChangedSize - headerSize, '\0');
    return data;
}

QByteArray KeypadDatagrams::heartbeat(quint32 sequence)
{
    QByteArray data = header(heartbeatType, sequence);
    data.append(heartbeatSize - headerSize, '\0');
    return data;
}

quint16 KeypadDatagrams::typeOf(const QByteArray &datagram)
{
    if (datagram.size() < headerSize || le32(datagram, 0) != magic || le16(datagram, 4) != protocolVersion)
        return 0;
    return le16(datagram, 6);
}

bool KeypadDatagrams::parseDiscoverRequest(const QByteArray &datagram, quint32 *target)
{
    if (datagram.size() < discoverRequestSize || typeOf(datagram) != discoverRequestType)
        return false;
    if (target)
        *target = network32(datagram, 12);
    return true;
}

bool KeypadDatagrams::parseSetIp(const QByteArray &datagram, QByteArray *mac, quint32 *ip)
{
    if (datagram.size() < setIpSize || typeOf(datagram) != setIpType || le32(datagram, 12) != setIpAccessWord)
        return false;
    if (mac)
        *mac = datagram.mid(16, 6);
    if (ip)
        *ip = network32(datagram, 24);
    return true;
}

QByteArray KeypadDatagrams::parseMac(const QString &text)
{
    QString hex = text.trimmed();
    hex.remove(QLatin1Char(':'));
    hex.remove(QLatin1Char('-'));
    if (hex.size() != 12)
        return QByteArray();
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    if (bytes.size() != 6 || bytes.toHex().compare(hex.toLatin1(), Qt::CaseInsensitive) != 0)
        return QByteArray();
    return bytes;
}

QString KeypadDatagrams::macText(const QByteArray &mac)
{
    return QString::fromLatin1(mac.toHex(':'));
}
