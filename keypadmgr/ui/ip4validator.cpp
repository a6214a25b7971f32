// SPDX-License-Identifier: GPL-3.0-or-later
#include "ip4validator.h"

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
    if (parts.size() > 4)
        return Invalid;
    bool complete = parts.size() == 4;
    for (const QString &part : parts) {
        if (part.isEmpty())
            complete = false;
        else if (!isAddressPart(part))
            return Invalid;
    }
    return complete ? Acceptable : Intermediate;
}
