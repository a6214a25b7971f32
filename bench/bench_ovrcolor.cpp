// SPDX-License-Identifier: GPL-3.0-or-later
//
// Hot paths of the colour library: DMX output, Yxy rendering, CCT/tint
// geometry and the stored text form of a colour.
#include "benchmarkrun.h"
#include "cctutils.h"
#include "colorutils.h"
#include "ovrcolor.h"

#include <QCoreApplication>

namespace {

// The DMX levels of @p colour on a fixture of @p channelCount channels (at
// most five), computed over and over.
void convertToDmx(benchmark::State &state, const OvrColor &colour, bool allowDirect, int channelCount,
                  ColorUtils::PrismalProfileID profile, ColorUtils::IOModeID ioMode)
{
    unsigned char out[5];
    for (auto _ : state) {
        ColorUtils::convertOvrColorToDMX(colour, allowDirect, channelCount, 1, out, 0, 1, profile, ioMode);
        benchmark::DoNotOptimize(out);
    }
}

void BM_DmxProfile0Direct(benchmark::State &state)
{
    convertToDmx(state, OvrColor::fromRgb8(255, 128, 0), true, 3, ColorUtils::ProfileGenericRGB,
                 ColorUtils::IOModeRGB);
}
BENCHMARK(BM_DmxProfile0Direct);

void BM_DmxFiveChannelYxy(benchmark::State &state)
{
    // A chromaticity rendered on the five-channel RGBAW fixture: the full
    // search over channel pairs, then the normal gamma curve.
    convertToDmx(state, OvrColor::fromxyY(0.3127, 0.329, 1.0), true, 5, ColorUtils::ProfileKestrelKiteQRZ,
                 ColorUtils::IOModeRGBAW);
}
BENCHMARK(BM_DmxFiveChannelYxy);

void BM_DmxFiveChannelFromRgb(benchmark::State &state)
{
    // An RGB colour that has to go through Yxy first.
    convertToDmx(state, OvrColor::fromRgb8(255, 128, 0), false, 5, ColorUtils::ProfileKestrelKiteQRZ,
                 ColorUtils::IOModeRGBAW);
}
BENCHMARK(BM_DmxFiveChannelFromRgb);

void BM_ToRgb16FromYxy(benchmark::State &state)
{
    const OvrColor colour = OvrColor::fromxyY(0.45, 0.41, 0.8);
    for (auto _ : state)
        benchmark::DoNotOptimize(colour.toRgb16(true));
}
BENCHMARK(BM_ToRgb16FromYxy);

void BM_CCTAndTintFromxy(benchmark::State &state)
{
    int i = 0;
    int cct = 0, tint = 0;
    const double points[][2] = {{0.3127, 0.329}, {0.4476, 0.4074}, {0.38, 0.38}, {0.28, 0.29}, {0.5, 0.41}};
    for (auto _ : state) {
        const double *p = points[i++ % 5];
        benchmark::DoNotOptimize(CCTUtils::getCCTAndTintFromxy(p[0], p[1], cct, tint));
        benchmark::DoNotOptimize(cct);
    }
}
BENCHMARK(BM_CCTAndTintFromxy);

void BM_xyFromCCTAndTint(benchmark::State &state)
{
    int cct = 1950;
    double x = 0, y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CCTUtils::getxyFromCCTAndTint(cct, 8000, x, y));
        benchmark::DoNotOptimize(x);
        cct = cct >= 11000 ? 1950 : cct + 37;
    }
}
BENCHMARK(BM_xyFromCCTAndTint);

void BM_NameRoundTripRgb(benchmark::State &state)
{
    const OvrColor colour = OvrColor::fromRgb16(0x1234, 0xabcd, 0x0042, 0xff00);
    OvrColor parsed;
    for (auto _ : state) {
        parsed.setNamedColor(colour.aName());
        benchmark::DoNotOptimize(parsed);
    }
}
BENCHMARK(BM_NameRoundTripRgb);

void BM_NameRoundTripYxy(benchmark::State &state)
{
    const OvrColor colour = OvrColor::fromxyY(0.3127, 0.329, 0.75);
    OvrColor parsed;
    for (auto _ : state) {
        parsed.setNamedColor(colour.aName());
        benchmark::DoNotOptimize(parsed);
    }
}
BENCHMARK(BM_NameRoundTripYxy);

} // namespace

int main(int argc, char **argv)
{
    // The profile tables look for their data file beside the program.
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
