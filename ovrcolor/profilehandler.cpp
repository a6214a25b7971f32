// SPDX-License-Identifier: GPL-3.0-or-later
#include "profilehandler.h"

#include "ovrcolorlogging.h"
#include "prismalprofilefactory.h"
#include "tristimulus.h"
#include "tristimulusfactory.h"

#include <QIODevice>
#include <QXmlStreamReader>

#include <cmath>

namespace {

bool readReal(const QXmlStreamAttributes &attributes, const char *name, double &value)
{
    bool ok = false;
    value = attributes.value(QLatin1String(name)).toDouble(&ok);
    // Tristimulus values are amounts of light: finite and not negative.
    return ok && std::isfinite(value) && value >= 0.0;
}

} // namespace

ProfileHandler::ProfileHandler(TristimulusFactory *factory)
    : m_factory(factory)
{
}

bool ProfileHandler::parse(QIODevice *device)
{
    QXmlStreamReader reader(device);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (!startElement(reader.name().toString(), reader.attributes()))
                return false;
            break;
        case QXmlStreamReader::EndElement:
            if (!endElement(reader.name().toString()))
                return false;
            break;
        default:
            break;
        }
    }
    if (reader.hasError()) {
        m_errorString = reader.errorString();
        return false;
    }
    return true;
}

bool ProfileHandler::startElement(const QString &name, const QXmlStreamAttributes &attributes)
{
    if (name == QLatin1String("Profile")) {
        m_inProfile = true;
        m_profileName = attributes.value(QLatin1String("name")).toString();
        bool ok = false;
        m_profileIndex = attributes.value(QLatin1String("index")).toInt(&ok);
        if (!ok)
            m_profileIndex = -2; // reported as invalid at the end of the profile
        m_channels.clear();
        m_badChannel = false;
    } else if (name == QLatin1String("Channel") && m_inProfile) {
        bool ok = false;
        const int position = attributes.value(QLatin1String("index")).toInt(&ok);
        Channel channel;
        channel.name = attributes.value(QLatin1String("name")).toString();
        if (!ok || position < 0 || !readReal(attributes, "X", channel.X) || !readReal(attributes, "Y", channel.Y)
            || !readReal(attributes, "Z", channel.Z)) {
            m_badChannel = true;
            return true;
        }
        m_channels.insert(position, channel);
    }
    return true;
}

bool ProfileHandler::endElement(const QString &name)
{
    if (name != QLatin1String("Profile") || !m_inProfile)
        return true;
    m_inProfile = false;

    if (m_profileIndex < -1 || m_profileIndex > 10) {
        qCDebug(lcOvrColor) << "invalid profile definition";
        m_errorString = QStringLiteral("invalid profile definition");
        return false;
    }
    if (m_profileIndex < 0 || m_profileIndex >= ColorUtils::PrismalProfileCount) {
        // -1 and 10 pass the range check but name no profile.
        qCDebug(lcOvrColor) << "profile" << m_profileName << "names no fixture profile, ignored";
        return true;
    }
    const ColorUtils::ChannelConfiguration cfg = PrismalProfileFactory::builtinChannelConfiguration(m_profileIndex);
    // A profile with unreadable numbers, or with fewer channels than its
    // fixture has, would leave conversions without colour data: keep the
    // values the profile had.
    if (m_badChannel || m_channels.size() < ColorUtils::configChannelCount(cfg)) {
        qCDebug(lcOvrColor) << "profile" << m_profileName << "has incomplete channel data, ignored";
        return true;
    }

    QVector<double> X, Y, Z;
    QStringList names;
    for (const Channel &channel : qAsConst(m_channels)) {
        X.append(channel.X);
        Y.append(channel.Y);
        Z.append(channel.Z);
        names.append(channel.name);
    }
    Tristimulus *record = m_factory->getTristimulus(ColorUtils::PrismalProfileID(m_profileIndex), cfg);
    record->setX(X);
    record->setY(Y);
    record->setZ(Z);
    record->setChannelNames(names);
    record->calculatePolygon();
    ++m_applied;
    return true;
}
