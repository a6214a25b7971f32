// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspwiretext.h"

#include "modellogging.h"

#include <cmath>
#include <limits>

QString MSPWireText::formEncoded(const QString &value)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        const ushort u = c.unicode();
        if (u == '%' || u == '&' || u == '=' || u == '+' || u < 0x20 || u == 0x7f) {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[(u >> 4) & 0xf]);
            out += QLatin1Char(hex[u & 0xf]);
        } else {
            out += c;
        }
    }
    return out;
}

QString MSPWireText::xmlEscaped(const QString &value)
{
    QString out;
    out.reserve(value.size());
    bool dropped = false;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        const ushort u = c.unicode();
        if (u == '&') {
            out += QLatin1String("&amp;");
        } else if (u == '<') {
            out += QLatin1String("&lt;");
        } else if (u == '>') {
            out += QLatin1String("&gt;");
        } else if (u == '\r') {
            out += QLatin1String("&#13;");
        } else if ((u < 0x20 && u != '\t' && u != '\n') || u == 0xfffe || u == 0xffff) {
            dropped = true;
        } else if (c.isSurrogate()) {
            // A lone surrogate is no character at all. A character beyond
            // U+FFFF would need a reference the program's XML reader
            // (QXmlSimpleReader) reads as a different character, so the
            // file would open with another name than the one saved.
            dropped = true;
        } else if (u > 0xff) {
            out += QLatin1String("&#") % QString::number(u) % QLatin1Char(';');
        } else {
            out += c;
        }
    }
    if (dropped)
        qCWarning(lcKeypadModel) << "dropped characters XML cannot hold from" << value;
    return out;
}

quint16 MSPWireText::coordinateBits(double product)
{
    if (!std::isfinite(product))
        return 0;
    const double nearest = std::round(product);
    double whole = std::fabs(product - nearest) < 0.001 ? nearest : std::trunc(product);
    // Keep the conversion to an integer defined; only the low 16 bits matter.
    whole = std::fmod(whole, 65536.0);
    return quint16(qint32(whole) & 0xffff);
}

QString MSPWireText::unsignedCoordinate(double product)
{
    return QString::number(coordinateBits(product));
}

QString MSPWireText::signedCoordinate(double product)
{
    return QString::number(qint16(coordinateBits(product)));
}

int MSPWireText::truncated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(value);
}
