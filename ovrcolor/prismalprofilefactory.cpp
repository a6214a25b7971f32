// SPDX-License-Identifier: GPL-3.0-or-later
#include "prismalprofilefactory.h"

#include "prismalprofile.h"
#include "tristimulusfactory.h"

#include <QCoreApplication>

namespace {

using CU = ColorUtils;

const CU::ChannelConfiguration builtinConfigurations[CU::PrismalProfileCount] = {
    CU::ConfigRGB,  CU::ConfigRGBAW, CU::ConfigRGBWW, CU::ConfigRGBW, CU::ConfigSingleChannel,
    CU::ConfigRGBA, CU::ConfigRGBW,  CU::ConfigRGB,   CU::ConfigRGBA, CU::ConfigRGBW,
};

} // namespace

PrismalProfileFactory *PrismalProfileFactory::instance()
{
    static PrismalProfileFactory factory;
    return &factory;
}

PrismalProfileFactory::PrismalProfileFactory()
{
    populateProfileMap();
}

PrismalProfileFactory::~PrismalProfileFactory()
{
    qDeleteAll(m_profiles);
}

CU::ChannelConfiguration PrismalProfileFactory::builtinChannelConfiguration(int profile)
{
    if (profile < 0 || profile >= CU::PrismalProfileCount)
        return CU::ConfigUnknown;
    return builtinConfigurations[profile];
}

PrismalProfile *PrismalProfileFactory::getProfile(CU::PrismalProfileID profile) const
{
    return m_profiles.value(profile, nullptr);
}

void PrismalProfileFactory::populateProfileMap()
{
    struct Row {
        CU::PrismalProfileID id;
        const char *name;
        int curve;
        QList<CU::IOModeID> modes;
        CU::IOModeID defaultMode;
        CU::IOModeID defaultMode3toN;
        QList<CU::IOModeID> prismalOn;
    };
    const Row rows[] = {
        {CU::ProfileGenericRGB, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Generic RGB"), 0, {CU::IOModeRGB},
         CU::IOModeRGB, CU::IOModeRGB, {}},
        {CU::ProfileKestrelKiteQRZ, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Kestrel/Kite QRZ"), 1,
         {CU::IOModeRGB, CU::IOModeRGBInRGBAWOut, CU::IOModeRGBAW}, CU::IOModeRGBInRGBAWOut, CU::IOModeRGBInRGBAWOut,
         {CU::IOModeRGB, CU::IOModeRGBInRGBAWOut}},
        {CU::ProfileVeloriaLumaBand, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Veloria LumaBand"), 1,
         {CU::IOModeRGB, CU::IOModeRGBInRGBWWOut, CU::IOModeRGBWW}, CU::IOModeRGBInRGBWWOut, CU::IOModeRGBInRGBWWOut,
         {CU::IOModeRGB, CU::IOModeRGBInRGBWWOut, CU::IOModeRGBWW}},
        {CU::ProfileGenericRGBW, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Generic RGBW"), 0, {CU::IOModeRGBW},
         CU::IOModeRGBW, CU::IOModeRGB, {}},
        {CU::ProfileSingleChannel, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Single Channel"), 0,
         {CU::IOModeSingleChannel}, CU::IOModeSingleChannel, CU::IOModeSingleChannel, {}},
        {CU::ProfileFenwashLX6RGBA, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Fenwash LX6 RGBA"), 1,
         {CU::IOModeRGB, CU::IOModeRGBInRGBAOut, CU::IOModeRGBA}, CU::IOModeRGBA, CU::IOModeRGBInRGBAOut,
         {CU::IOModeRGB, CU::IOModeRGBInRGBAOut, CU::IOModeRGBA}},
        {CU::ProfileFenwashLX6RGBW, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Fenwash LX6 RGBW"), 1,
         {CU::IOModeRGB, CU::IOModeRGBInRGBWOut, CU::IOModeRGBW}, CU::IOModeRGBW, CU::IOModeRGBInRGBWOut,
         {CU::IOModeRGB, CU::IOModeRGBInRGBWOut, CU::IOModeRGBW}},
        {CU::ProfileMarlspotRGB, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Marlspot RGB"), 1, {CU::IOModeRGB},
         CU::IOModeRGB, CU::IOModeRGB, {CU::IOModeRGB}},
        {CU::ProfileQuillbarZP2RGBA, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Quillbar ZP2 RGBA"), 1,
         {CU::IOModeRGB, CU::IOModeRGBInRGBAOut, CU::IOModeRGBA}, CU::IOModeRGBA, CU::IOModeRGBInRGBAOut,
         {CU::IOModeRGB, CU::IOModeRGBInRGBAOut, CU::IOModeRGBA}},
        {CU::ProfileQuillbarZP2RGBW, QT_TRANSLATE_NOOP("PrismalProfileFactory", "Quillbar ZP2 RGBW"), 1,
         {CU::IOModeRGB, CU::IOModeRGBInRGBWOut, CU::IOModeRGBW}, CU::IOModeRGBW, CU::IOModeRGBInRGBWOut,
         {CU::IOModeRGB, CU::IOModeRGBInRGBWOut, CU::IOModeRGBW}},
    };

    TristimulusFactory *tristimuli = TristimulusFactory::getInstance();
    for (const Row &row : rows) {
        const CU::ChannelConfiguration cfg = builtinConfigurations[row.id];
        QMap<CU::IOModeID, bool> prismal;
        for (CU::IOModeID mode : row.modes)
            prismal.insert(mode, row.prismalOn.contains(mode));
        m_profiles.insert(row.id, new PrismalProfile(QCoreApplication::translate("PrismalProfileFactory", row.name),
                                                     tristimuli->getTristimulus(row.id, cfg), cfg, row.curve,
                                                     row.defaultMode, row.defaultMode3toN, prismal, row.modes));
    }
}
