// SPDX-License-Identifier: GPL-3.0-or-later
#include "iomodefactory.h"

#include "iomode.h"

#include <QCoreApplication>

IOModeFactory *IOModeFactory::instance()
{
    static IOModeFactory factory;
    return &factory;
}

IOModeFactory::IOModeFactory()
{
    populate();
}

IOModeFactory::~IOModeFactory()
{
    qDeleteAll(m_modes);
}

void IOModeFactory::populate()
{
    using CU = ColorUtils;
    const QList<CU::PrismalMode> onOff{CU::PrismalOn, CU::PrismalOff};
    const QList<CU::PrismalMode> off{CU::PrismalOff};
    const QList<CU::PrismalMode> on{CU::PrismalOn};
    struct Row {
        CU::IOModeID id;
        const char *name;
        bool is3toN;
        bool isNtoN;
        CU::ChannelConfiguration input;
        const QList<CU::PrismalMode> &prismal;
    };
    const Row rows[] = {
        {CU::IOModeRGB, QT_TRANSLATE_NOOP("IOModeFactory", "RGB In/Out"), true, true, CU::ConfigRGB, onOff},
        {CU::IOModeRGBA, QT_TRANSLATE_NOOP("IOModeFactory", "RGBA In/Out"), false, true, CU::ConfigRGBA, onOff},
        {CU::IOModeRGBW, QT_TRANSLATE_NOOP("IOModeFactory", "RGBW In/Out"), false, true, CU::ConfigRGBW, onOff},
        {CU::IOModeRGBAW, QT_TRANSLATE_NOOP("IOModeFactory", "RGBAW In/Out"), false, true, CU::ConfigRGBAW, off},
        {CU::IOModeRGBWW, QT_TRANSLATE_NOOP("IOModeFactory", "RGBWW In/Out"), false, true, CU::ConfigRGBWW, onOff},
        {CU::IOModeRGBInRGBAOut, QT_TRANSLATE_NOOP("IOModeFactory", "RGB In / RGBA Out"), true, false, CU::ConfigRGB,
         on},
        {CU::IOModeRGBInRGBWOut, QT_TRANSLATE_NOOP("IOModeFactory", "RGB In / RGBW Out"), true, false, CU::ConfigRGB,
         on},
        {CU::IOModeRGBInRGBAWOut, QT_TRANSLATE_NOOP("IOModeFactory", "RGB In / RGBAW Out"), true, false,
         CU::ConfigRGB, on},
        {CU::IOModeRGBInRGBWWOut, QT_TRANSLATE_NOOP("IOModeFactory", "RGB In / RGBWW Out"), true, false,
         CU::ConfigRGB, on},
        {CU::IOModeSingleChannel, QT_TRANSLATE_NOOP("IOModeFactory", "Single Channel In/Out"), false, true,
         CU::ConfigSingleChannel, off},
    };
    for (const Row &row : rows) {
        m_modes.insert(row.id, new IOMode(row.id, QCoreApplication::translate("IOModeFactory", row.name), row.is3toN,
                                          row.isNtoN, row.input, row.prismal));
    }
}

const IOMode *IOModeFactory::ioMode(ColorUtils::IOModeID id) const
{
    return m_modes.value(id, nullptr);
}

QString IOModeFactory::nameForIOModeID(ColorUtils::IOModeID id) const
{
    const IOMode *mode = ioMode(id);
    return mode ? mode->name() : QString();
}

bool IOModeFactory::ioModeIs3toN(ColorUtils::IOModeID id) const
{
    const IOMode *mode = ioMode(id);
    return mode && mode->is3toN();
}

bool IOModeFactory::ioModeIsNtoN(ColorUtils::IOModeID id) const
{
    const IOMode *mode = ioMode(id);
    return mode && mode->isNtoN();
}

QList<ColorUtils::PrismalMode> IOModeFactory::availablePrismalEnabled(ColorUtils::IOModeID id) const
{
    const IOMode *mode = ioMode(id);
    return mode ? mode->availablePrismalEnabled() : QList<ColorUtils::PrismalMode>();
}
