// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor_export.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

class QIODevice;
class QXmlStreamAttributes;
class TristimulusFactory;

/**
 * Reader of the fixture profile database ("FixtureProfiles.xml"): every
 * "Profile" element replaces the channel tristimulus values and names of
 * that profile's record.
 */
class OVRCOLOR_EXPORT ProfileHandler
{
public:
    explicit ProfileHandler(TristimulusFactory *factory);

    /** Parses the whole document; false on a malformed document or a bad profile index. */
    bool parse(QIODevice *device);
    QString errorString() const { return m_errorString; }
    /** Number of profiles applied so far. */
    int appliedProfiles() const { return m_applied; }

    bool startElement(const QString &name, const QXmlStreamAttributes &attributes);
    bool endElement(const QString &name);

private:
    struct Channel {
        QString name;
        double X = 0.0;
        double Y = 0.0;
        double Z = 0.0;
    };

    TristimulusFactory *m_factory;
    bool m_inProfile = false;
    bool m_badChannel = false;
    int m_profileIndex = -1;
    QString m_profileName;
    QMap<int, Channel> m_channels;
    QString m_errorString;
    int m_applied = 0;
};
