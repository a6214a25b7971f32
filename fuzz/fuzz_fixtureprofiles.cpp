// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the fixture profile database ("FixtureProfiles.xml")
// read over the built-in records, then used as the program uses it: a
// chromaticity and an RGB colour are turned into the levels of every
// profile's fixture and into DMX bytes, and back into Yxy. The records go
// back to their built-in values before each input.
#include "colorutils.h"
#include "ovrcolor.h"
#include "profilehandler.h"
#include "tristimulusfactory.h"

#include <QBuffer>

#include <cstdint>

namespace {

volatile unsigned sink = 0;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TristimulusFactory *factory = TristimulusFactory::getInstance();
    factory->restoreDefaults();

    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), int(size));
    buffer.open(QIODevice::ReadOnly);
    ProfileHandler handler(factory);
    handler.parse(&buffer);
    if (handler.appliedProfiles() == 0)
        return 0;

    const OvrColor white(0.3127, 0.329);
    const OvrColor orange = OvrColor::fromRgb8(255, 128, 0);
    for (ColorUtils::PrismalProfileID profile : ColorUtils::prismalProfileIDList()) {
        const ColorUtils::ChannelConfiguration configuration =
                ColorUtils::nChannelConfigurationForPrismalProfileID(profile);
        for (const OvrColor &color : {white, orange}) {
            const OvrColor levels = color.toNChannel16(configuration, profile, -1);
            const OvrColor back = levels.toYxy(ColorUtils::ConfigUnknown, -1, -1);
            sink = sink + unsigned(back.aName().size()) + unsigned(levels.toRgb16(true).rgb());
            const int channels = ColorUtils::configChannelCount(configuration);
            unsigned char dmx[2 * 8] = {};
            if (channels > 0 && channels <= 8) {
                ColorUtils::convertOvrColorToDMX(color, false, channels, 2, dmx, ColorUtils::CurveNormal,
                                                 ColorUtils::CurveNormal, profile,
                                                 ColorUtils::defaultIOModeIDForPrismalProfileID(profile));
                for (unsigned char byte : dmx)
                    sink = sink + byte;
            }
        }
    }
    return 0;
}
