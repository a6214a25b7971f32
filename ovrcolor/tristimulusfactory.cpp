// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrdatafiles.h"
#include "tristimulusfactory.h"

#include "ovrcolorlogging.h"
#include "prismalprofilefactory.h"
#include "profilehandler.h"
#include "tristimulus.h"

#include <QCoreApplication>
#include <QFile>

namespace {

struct DefaultRecord {
    int key;
    QVector<const char *> names;
    QVector<double> X;
    QVector<double> Y;
    QVector<double> Z;
};

const char *const Red = QT_TRANSLATE_NOOP("Tristimulus", "Red");
const char *const Green = QT_TRANSLATE_NOOP("Tristimulus", "Green");
const char *const Blue = QT_TRANSLATE_NOOP("Tristimulus", "Blue");
const char *const Amber = QT_TRANSLATE_NOOP("Tristimulus", "Amber");
const char *const White = QT_TRANSLATE_NOOP("Tristimulus", "White");
const char *const Mint = QT_TRANSLATE_NOOP("Tristimulus", "Mint");

const DefaultRecord &defaultRecord(int key)
{
    static const DefaultRecord records[] = {
        {1,
         {Red, Green, Blue, Amber, White},
         {11740, 1554, 5410, 5553, 6491},
         {5160, 5817, 480, 4321, 6777},
         {0, 521, 32210, 55, 4092}},
        {2,
         {Red, Green, Blue, Mint, White},
         {510, 188, 181, 319, 334},
         {250, 581, 98, 391, 338},
         {10, 63, 943, 134, 188}},
        {3,
         {Red, Green, Blue, White},
         {11740, 1554, 5410, 6491},
         {5160, 5817, 480, 6777},
         {0, 521, 32210, 4092}},
        {5,
         {Red, Green, Blue, Amber},
         {490.1758, 167.1244, 162.222, 360.0982},
         {220.975, 540.001, 100, 268.4369},
         {8.6375, 81.1972, 848.8889, 26.189}},
        {6,
         {Red, Green, Blue, White},
         {490.1758, 167.1244, 162.222, 416.7922},
         {220.975, 540.001, 100, 422.6625},
         {8.6375, 81.1972, 848.8889, 334.6078}},
        {7, {Red, Green, Blue}, {442.9544, 160.8801, 150}, {199, 504, 90}, {10.5046, 92.5591, 760}},
        {8,
         {Red, Green, Blue, Amber},
         {1241.8235, 531.2934, 402.7027, 987.0858},
         {558, 1628, 100, 757},
         {23.7059, 277.8323, 2200, 12.2947}},
        {9,
         {Red, Green, Blue, White},
         {1241.8235, 531.2934, 402.7027, 870.3271},
         {558, 1628, 100, 868},
         {23.7059, 277.8323, 2200, 588.7507}},
    };
    static const DefaultRecord generic = {0,
                                          {Red, Green, Blue},
                                          {0.4123152, 0.35765, 0.18025},
                                          {0.2126, 0.7153, 0.0721},
                                          {0.0193273, 0.1192167, 0.9493167}};
    for (const DefaultRecord &record : records) {
        if (record.key == key)
            return record;
    }
    return generic;
}

} // namespace

TristimulusFactory *TristimulusFactory::getInstance()
{
    static TristimulusFactory factory;
    return &factory;
}

TristimulusFactory::TristimulusFactory()
{
    populate();
}

TristimulusFactory::~TristimulusFactory()
{
    qDeleteAll(m_records);
}

int TristimulusFactory::keyFor(ColorUtils::PrismalProfileID profile, ColorUtils::ChannelConfiguration configuration)
{
    if (profile == ColorUtils::ProfileGenericRGB) {
        switch (configuration) {
        case ColorUtils::ConfigRGBAW:
            return 1;
        case ColorUtils::ConfigRGBWW:
            return 2;
        case ColorUtils::ConfigRGBW:
            return 3;
        default:
            break;
        }
    }
    return profile;
}

void TristimulusFactory::fillDefaults(Tristimulus *record, int key)
{
    const DefaultRecord &defaults = defaultRecord(key);
    QStringList names;
    for (const char *name : defaults.names)
        names.append(QCoreApplication::translate("Tristimulus", name));
    record->setX(defaults.X);
    record->setY(defaults.Y);
    record->setZ(defaults.Z);
    record->setChannelNames(names);
    record->calculatePolygon();
}

Tristimulus *TristimulusFactory::getTristimulus(ColorUtils::PrismalProfileID profile,
                                                ColorUtils::ChannelConfiguration configuration)
{
    const int key = keyFor(profile, configuration);
    Tristimulus *record = m_records.value(key, nullptr);
    if (!record) {
        record = new Tristimulus(ColorUtils::PrismalProfileID(key));
        fillDefaults(record, key);
        m_records.insert(key, record);
    }
    return record;
}

QString TristimulusFactory::profileDatabasePath()
{
    return OvrDataFiles::locate(QStringLiteral("FixtureProfiles.xml"));
}

void TristimulusFactory::populate()
{
    for (int id = 0; id < ColorUtils::PrismalProfileCount; ++id) {
        getTristimulus(ColorUtils::PrismalProfileID(id),
                       PrismalProfileFactory::builtinChannelConfiguration(id));
    }
    readProfileDatabase(profileDatabasePath());
}

bool TristimulusFactory::readProfileDatabase(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcOvrColor) << "could not open prismal profile database";
        return false;
    }
    ProfileHandler handler(this);
    if (!handler.parse(&file)) {
        qCDebug(lcOvrColor) << "prismal profile database" << fileName << ":" << handler.errorString();
        return false;
    }
    return true;
}

void TristimulusFactory::restoreDefaults()
{
    for (auto it = m_records.cbegin(); it != m_records.cend(); ++it)
        fillDefaults(it.value(), it.key());
}
