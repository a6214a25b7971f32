// SPDX-License-Identifier: GPL-3.0-or-later
#include "cctutils.h"
#include "colorutils.h"
#include "curve.h"
#include "curvefactory.h"
#include "ovrcolor.h"
#include "tristimulus.h"
#include "tristimulusfactory.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>

#include <cmath>
#include <limits>

using CU = ColorUtils;

class tst_ColorUtils : public QObject
{
    Q_OBJECT

private slots:
    void channelConfigurations_data();
    void channelConfigurations();
    void levelMappings_data();
    void levelMappings();
    void dimRatios();
    void curveTables();
    void curveNames();
    void dmxBytes_data();
    void dmxBytes();
    void whitePointMix();
    void nonFiniteInputs();
    void updateColor();
    void updateBuffer();
    void expandFor5Channels_data();
    void expandFor5Channels();
    void geometryHelpers();
    void displayColor_data();
    void displayColor();
    void displayedWhitesLookWhite_data();
    void displayedWhitesLookWhite();
    void displayColorOfInvalidAndBlack();
};

void tst_ColorUtils::channelConfigurations_data()
{
    QTest::addColumn<int>("configuration");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("name");

    QTest::newRow("unknown") << 0 << 0 << "Unknown";
    QTest::newRow("RGB") << 1 << 3 << "RGB";
    QTest::newRow("RGBAW") << 2 << 5 << "RGBAW";
    QTest::newRow("RGBW") << 3 << 4 << "RGBW";
    QTest::newRow("single") << 4 << 1 << "Single Channel";
    QTest::newRow("RGBWW") << 5 << 5 << "RGBWW";
    QTest::newRow("RGBA") << 6 << 4 << "RGBA";
    QTest::newRow("7") << 7 << 0 << "Unknown";
    QTest::newRow("-1") << -1 << 0 << "Unknown";
}

void tst_ColorUtils::channelConfigurations()
{
    QFETCH(int, configuration);
    QFETCH(int, count);
    QFETCH(QString, name);
    QCOMPARE(CU::configChannelCount(configuration), count);
    QCOMPARE(CU::nameForChannelConfiguration(configuration), name);
}

enum Mapping { FToPWM, LinearRes8, NormRes8, NormRes16, TungstenRes8, TungstenRes16, Lut16BitToBit };
Q_DECLARE_METATYPE(Mapping)

void tst_ColorUtils::levelMappings_data()
{
    QTest::addColumn<Mapping>("mapping");
    QTest::addColumn<double>("input");
    QTest::addColumn<int>("expected");

    QTest::newRow("F 1.0") << FToPWM << 1.0 << 65535;
    QTest::newRow("F 0.5") << FToPWM << 0.5 << 32768;
    QTest::newRow("F above full") << FToPWM << 1.5 << 65535;
    QTest::newRow("F negative") << FToPWM << -0.25 << 0;
    QTest::newRow("F NaN") << FToPWM << qQNaN() << 0;
    QTest::newRow("linear8 65535") << LinearRes8 << 65535.0 << 255;
    QTest::newRow("linear8 128") << LinearRes8 << 128.0 << 0;
    QTest::newRow("linear8 129") << LinearRes8 << 129.0 << 1; // 129 / 257 = 0.502 rounds up
    QTest::newRow("norm8 0") << NormRes8 << 0.0 << 0;
    QTest::newRow("norm8 65535 clamps") << NormRes8 << 65535.0 << 255;
    // 0.941203 x^2 + 16.936 x - 0.065865 = 1000: x = 24.81 -> 25
    QTest::newRow("norm8 1000") << NormRes8 << 1000.0 << 25;
    QTest::newRow("norm16 0") << NormRes16 << 0.0 << 0;
    // 0.00001425 x^2 + 0.065898 x - 0.065865 = 1: x = 16.18 -> 16
    QTest::newRow("norm16 1") << NormRes16 << 1.0 << 16;
    QTest::newRow("norm16 65535 clamps") << NormRes16 << 65535.0 << 65535;
    QTest::newRow("tungsten8 4") << TungstenRes8 << 4.0 << 0;
    // 0.221829 x^2 - 1.002 x + 4.339 = 5: x = 5.09 -> 5
    QTest::newRow("tungsten8 5") << TungstenRes8 << 5.0 << 5;
    // 1.31 x^2 - 83.603 x + 1573 = 65535: x = 255.7 -> clamped 255
    QTest::newRow("tungsten8 65535") << TungstenRes8 << 65535.0 << 255;
    QTest::newRow("tungsten16 4") << TungstenRes16 << 4.0 << 4;
    // 0.000019829 x^2 - 0.325303 x + 1573 = 65535: x = 65539.9 -> clamped 65535
    QTest::newRow("tungsten16 65535") << TungstenRes16 << 65535.0 << 65535;
    // sqrt(3.7648 * 0 + 286.861969) = 16.937 -> 0
    QTest::newRow("lut 0") << Lut16BitToBit << 0.0 << 0;
    // sqrt(3.7648 * 65535 + 286.861969) = 497.0 -> (497.0 - 16.937) / 1.8824 = 255.0x -> 255
    QTest::newRow("lut 65535") << Lut16BitToBit << 65535.0 << 255;
    // sqrt(3.7648 * 1000 + 286.861969) = 63.65 -> 24.8 -> 24
    QTest::newRow("lut 1000") << Lut16BitToBit << 1000.0 << 24;
    QTest::newRow("lut negative") << Lut16BitToBit << -500.0 << 0;
}

void tst_ColorUtils::levelMappings()
{
    QFETCH(Mapping, mapping);
    QFETCH(double, input);
    QFETCH(int, expected);
    const auto p = static_cast<unsigned short>(input >= 0 && input <= 65535 ? input : 0);
    switch (mapping) {
    case FToPWM: {
        QCOMPARE(int(CU::nChannelFToPWM(input)), expected);
        unsigned short out[2] = {1, 1};
        const double in[2] = {input, input};
        CU::nChannelFToPWM(in, out, 2);
        QCOMPARE(int(out[1]), expected);
        break;
    }
    case LinearRes8:
        QCOMPARE(int(CU::pwm16ToMNormDLinearRes8(p)), expected);
        break;
    case NormRes8:
        QCOMPARE(int(CU::pwm16ToMNormDNormRes8(p)), expected);
        break;
    case NormRes16:
        QCOMPARE(int(CU::pwm16ToMNormDNormRes16(p)), expected);
        break;
    case TungstenRes8:
        QCOMPARE(int(CU::pwm16ToMNormDTungstenRes8(p)), expected);
        break;
    case TungstenRes16:
        QCOMPARE(int(CU::pwm16ToMNormDTungstenRes16(p)), expected);
        break;
    case Lut16BitToBit:
        QCOMPARE(CU::lut16BitToBit(int(input)), expected);
        break;
    }
}

void tst_ColorUtils::dimRatios()
{
    QCOMPARE(CU::dmx16ToSquareLawDimRatio(65535), 1.0);
    QCOMPARE(CU::dmx16ToSquareLawDimRatio(0), 0.0);
    // f(32896) = 17588.064453125 once stored as a float.
    QCOMPARE(CU::dmx16ToSquareLawDimRatio(32896), 17588.064453125 / 65516.0);
    QCOMPARE(CU::dmx16ToTungstenDimRatio(0), 0.0);
    QVERIFY(CU::dmx16ToTungstenDimRatio(65535) > 0.99);
    QVERIFY(CU::dmx16ToTungstenDimRatio(65535) <= 1.0);
    QVERIFY(CU::dmx16ToTungstenDimRatio(20000) < CU::dmx16ToTungstenDimRatio(40000));
}

void tst_ColorUtils::curveTables()
{
    CurveFactory *factory = CurveFactory::Instance();
    const Curve *linear = factory->getCurve(0);
    QVERIFY(!linear->hasTables());
    unsigned char b = 0;
    unsigned short w = 0;
    linear->applyCurve(77, &b);
    QCOMPARE(int(b), 77);
    linear->applyCurve(40000, &w);
    QCOMPARE(int(w), 40000);
    linear->applyCurve(999, &b); // out of range levels are held at the ends
    QCOMPARE(int(b), 255);
    QCOMPARE(factory->getCurve(42), linear);

    // Normal gamma: T[1] = 16, T[2] = 36, T[236] = 56416, T[255] = 65520.
    const Curve *normal = factory->getCurve(1);
    QCOMPARE(normal->lut16().size(), 65536);
    QCOMPARE(normal->lut8().size(), 256);
    QCOMPARE(int(normal->lut16().at(256)), 16);
    QCOMPARE(int(normal->lut16().at(512)), 36);
    // Between T[1] and T[2]: 16 + 20 * 128 / 256 = 26.
    QCOMPARE(int(normal->lut16().at(256 + 128)), 26);
    QCOMPARE(int(normal->lut16().at(236 * 256)), 56416);
    QCOMPARE(int(normal->lut16().at(239 * 256)), 57808);
    QCOMPARE(int(normal->lut16().at(253 * 256)), 64528);
    QCOMPARE(int(normal->lut16().at(65280)), 65520);
    QCOMPARE(int(normal->lut16().at(65535)), 65520);
    // 8-bit: T[128] = 0.941203 * 16384 + 16.936 * 128 - 0.07 = 17588.9 -> 17588
    // = 0x44B4: 0x44 plus one for bit 7 -> 69.
    QCOMPARE(int(normal->lut8().at(128)), 69);
    QCOMPARE(int(normal->lut8().at(1)), 0);   // 16 >> 8 = 0, bit 7 clear
    QCOMPARE(int(normal->lut8().at(255)), 255); // 65520 = 0xFFF0: already 255

    // Tungsten: the fixed list, T[254] = 64880, T[255] = 65535.
    const Curve *tungsten = factory->getCurve(2);
    QCOMPARE(int(tungsten->lut16().at(254 * 256)), 64880);
    // 64880 + (65535 - 64880) * 255 / 256 = 65532.4 -> 65532
    QCOMPARE(int(tungsten->lut16().at(254 * 256 + 255)), 65532);
    QCOMPARE(int(tungsten->lut16().at(65535)), 65535);
    QCOMPARE(int(tungsten->lut8().at(40)), 1);  // 322 = 0x142: 1, bit 7 clear
    QCOMPARE(int(tungsten->lut8().at(36)), 1);  // 255 = 0xFF: 0 plus one for bit 7
    QCOMPARE(int(tungsten->lut8().at(255)), 255);
}

void tst_ColorUtils::curveNames()
{
    QCOMPARE(CurveFactory::nameForCurveType(0), QStringLiteral("Linear (Default)"));
    QCOMPARE(CurveFactory::nameForCurveType(1), QStringLiteral("Normal (Ovr Gamma)"));
    QCOMPARE(CurveFactory::nameForCurveType(2), QStringLiteral("Tungsten/Incandescent"));
    QCOMPARE(CurveFactory::curveTypeFromName(QStringLiteral("Tungsten/Incandescent")), 2);
    QCOMPARE(CurveFactory::curveTypeFromName(QStringLiteral("Linear (Default)")), 0);
    QCOMPARE(CurveFactory::curveTypeFromName(QStringLiteral("Gamma")), -1);
}

// Expected bytes come from ovrcolor/tests/dmxreference.py, a separate
// implementation of the rules in ovrcolor/colorutils.cpp and its tables (its
// header names the files; python3 dmxreference.py prints every row below).
void tst_ColorUtils::dmxBytes_data()
{
    QTest::addColumn<OvrColor>("color");
    QTest::addColumn<int>("profile");
    QTest::addColumn<int>("ioMode");
    QTest::addColumn<bool>("allowDirect");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("directCurve");
    QTest::addColumn<int>("yxyCurve");
    QTest::addColumn<QByteArray>("bytes");

    const OvrColor orange = OvrColor::fromRgb8(255, 128, 0);
    const OvrColor d65 = OvrColor::fromxyY(0.3127, 0.329, 1.0);
    auto bytes = [](std::initializer_list<int> list) {
        QByteArray a;
        for (int v : list)
            a.append(char(v));
        return a;
    };

    QTest::newRow("p0 direct linear 8") << orange << 0 << 0 << true << 3 << 1 << 0 << 1 << bytes({255, 128, 0});
    QTest::newRow("p0 direct normal 8") << orange << 0 << 0 << true << 3 << 1 << 1 << 0 << bytes({255, 69, 0});
    QTest::newRow("p0 direct normal 16") << orange << 0 << 0 << true << 3 << 2 << 1 << 0
                                         << bytes({255, 240, 69, 54, 0, 0});
    QTest::newRow("p0 direct linear 16") << OvrColor::fromRgb8(10, 200, 77) << 0 << 0 << true << 3 << 2 << 0 << 0
                                         << bytes({10, 10, 200, 200, 77, 77});
    QTest::newRow("p1 RGBAW D65 normal 8") << d65 << 1 << 3 << true << 5 << 1 << 0 << 1
                                           << bytes({46, 255, 167, 255, 255});
    QTest::newRow("p1 RGBAW D65 linear 16") << d65 << 1 << 3 << true << 5 << 2 << 0 << 0
                                            << bytes({10, 234, 255, 255, 113, 12, 255, 255, 255, 255});
    QTest::newRow("p2 RGBWW tungsten 8") << OvrColor::fromxyY(0.45, 0.41, 0.5) << 2 << 4 << true << 5 << 1 << 0 << 2
                                         << bytes({189, 102, 57, 189, 189});
    QTest::newRow("p5 3-to-n D65 normal 8") << d65 << 5 << 5 << true << 3 << 1 << 0 << 1
                                            << bytes({255, 255, 255});
    QTest::newRow("p0 Yxy green linear 8") << OvrColor::fromxyY(0.3, 0.6, 0.8) << 0 << 0 << true << 3 << 1 << 0 << 0
                                           << bytes({0, 204, 0});
    QTest::newRow("p0 Yxy out of gamut") << OvrColor::fromxyY(0.05, 0.05, 1.0) << 0 << 0 << true << 3 << 1 << 0 << 0
                                         << bytes({0, 0, 255});
    QTest::newRow("p6 RGBW warm normal 16") << OvrColor::fromxyY(0.42, 0.39, 0.75) << 6 << 2 << true << 4 << 2 << 0
                                            << 1 << bytes({220, 143, 157, 186, 57, 139, 220, 143});
    QTest::newRow("p1 RGB colour through Yxy") << orange << 1 << 3 << false << 5 << 1 << 0 << 1
                                               << bytes({189, 255, 0, 255, 156});
    QTest::newRow("p1 RGB colour direct") << orange << 1 << 3 << true << 5 << 1 << 0 << 1
                                          << bytes({255, 128, 0, 0, 0});
    QTest::newRow("p1 3-to-n RGB direct") << orange << 1 << 7 << false << 3 << 1 << 0 << 1
                                          << bytes({255, 128, 0});
    QTest::newRow("p7 D65 normal 8") << d65 << 7 << 0 << true << 3 << 1 << 0 << 1 << bytes({255, 255, 255});
    QTest::newRow("p8 RGBA amber normal 8") << OvrColor::fromxyY(0.52, 0.42, 0.6) << 8 << 1 << true << 4 << 1 << 0
                                            << 1 << bytes({196, 123, 42, 196});
    QTest::newRow("p3 RGBW D50 linear 8") << OvrColor::fromxyY(0.3457, 0.3585, 1.0) << 3 << 2 << true << 4 << 1 << 0
                                          << 0 << bytes({110, 255, 61, 255});
    // Square-law dimming in, the inverse normal gamma out: the levels return.
    QTest::newRow("p9 own RGB 3-to-n") << OvrColor::fromRgb8(200, 100, 50, 255, CU::ProfileQuillbarZP2RGBW) << 9 << 6
                                       << true << 3 << 1 << 0 << 1 << bytes({200, 100, 50});
    QTest::newRow("p4 single channel") << OvrColor::fromNChannel8({255, 77}, CU::ConfigSingleChannel,
                                                                  CU::ProfileSingleChannel)
                                       << 4 << 9 << true << 1 << 1 << 0 << 0 << bytes({77});
    // The caller's buffer holds fewer channels than the mode solves for.
    QTest::newRow("p1 RGBAW into three channels") << d65 << 1 << 3 << true << 3 << 1 << 0 << 1
                                                  << bytes({46, 255, 167});
    QTest::newRow("n-channel levels") << OvrColor::fromNChannel8({255, 1, 2, 3, 4}, CU::ConfigRGBA,
                                                                 CU::ProfileFenwashLX6RGBA)
                                      << 5 << 1 << true << 4 << 1 << 0 << 1 << bytes({1, 2, 3, 4});
    QTest::newRow("unknown IO mode") << orange << 0 << 42 << true << 3 << 1 << 0 << 0 << bytes({0, 0, 0});
}

void tst_ColorUtils::dmxBytes()
{
    QFETCH(OvrColor, color);
    QFETCH(int, profile);
    QFETCH(int, ioMode);
    QFETCH(bool, allowDirect);
    QFETCH(int, channels);
    QFETCH(int, resolution);
    QFETCH(int, directCurve);
    QFETCH(int, yxyCurve);
    QFETCH(QByteArray, bytes);

    QByteArray out(channels * resolution + 4, char(0x5A));
    CU::convertOvrColorToDMX(color, allowDirect, channels, resolution, reinterpret_cast<unsigned char *>(out.data()),
                             directCurve, yxyCurve, CU::PrismalProfileID(profile), CU::IOModeID(ioMode));
    // Nothing is written past the channels.
    QCOMPARE(out.right(4), QByteArray(4, char(0x5A)));
    out.chop(4);
    QCOMPARE(out.toHex(' '), bytes.toHex(' '));
}

void tst_ColorUtils::whitePointMix()
{
    const double Yxy[3] = {1.0, 0.3127, 0.329};
    double levels[3] = {-1, -1, -1};
    CU::convertYxyToNChannel(Yxy, levels, CU::ConfigRGB, CU::ProfileGenericRGB, false);
    QCOMPARE(qMax(levels[0], qMax(levels[1], levels[2])), 1.0);
    for (double level : levels)
        QVERIFY(level > 0.9 && level <= 1.0);

    // The chosen mix reproduces the chromaticity.
    const Tristimulus *tri = TristimulusFactory::getInstance()->getTristimulus(CU::ProfileGenericRGB, CU::ConfigRGB);
    const OvrColor mix = OvrColor::fromRgbF(levels[0], levels[1], levels[2]);
    double back[3];
    CU::convertOvrColorToYxy(mix, tri, back, 0);
    QVERIFY(qAbs(back[1] - 0.3127) < 1e-4);
    QVERIFY(qAbs(back[2] - 0.329) < 1e-4);

    // Fewer than two channels: nothing to mix.
    double single[1] = {-1};
    CU::convertYxyToNChannel(Yxy, single, CU::ConfigSingleChannel, CU::ProfileSingleChannel, true);
    QCOMPARE(single[0], 0.0);
}

void tst_ColorUtils::nonFiniteInputs()
{
    // Border chromaticities, black and values that are not numbers must give
    // zero levels, never an undefined conversion to an integer.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double specials[] = {0.0, -0.0, 1e-300, 0.3, 0.5, 1.0, -1.0, 2.0, inf, -inf, nan};
    int lit = 0;
    for (double Y : {0.0, 0.5, 1.0, 7.0, inf, nan}) {
        for (double x : specials) {
            for (double y : specials) {
                for (bool clamp : {false, true}) {
                    const double Yxy[3] = {Y, x, y};
                    double levels[5];
                    CU::convertYxyToNChannel(Yxy, levels, CU::ConfigRGBAW, CU::ProfileKestrelKiteQRZ, clamp);
                    unsigned short levels16[5];
                    CU::convertYxyToNChannelAndApplyCurve(Yxy, levels16, CU::ConfigRGBWW, CU::ProfileVeloriaLumaBand,
                                                          1, clamp);
                    for (double level : levels)
                        QVERIFY(std::isfinite(level) && level >= 0.0);
                    const bool border = !(x > 0.0) || !(y >= 0.0) || !(1.0 - x - y > 0.0) || !std::isfinite(x)
                        || !std::isfinite(y);
                    if ((!clamp && border) || !(Y > 0.0) || !std::isfinite(Y)) {
                        for (double level : levels)
                            QCOMPARE(level, 0.0);
                    } else if (levels[0] + levels[1] + levels[2] + levels[3] + levels[4] > 0.0) {
                        ++lit;
                    }
                }
            }
        }
    }
    QVERIFY(lit > 0);

    // Colours: black, border chromaticities, through every profile.
    const OvrColor colours[] = {OvrColor::fromRgb8(0, 0, 0), OvrColor::fromxyY(0, 0, 1), OvrColor::fromxyY(1, 0, 1),
                                OvrColor::fromxyY(0, 1, 1), OvrColor::fromxyY(0.5, 0.5, 1),
                                OvrColor::fromxyY(0.3, 0.3, 0), OvrColor(0.3127, 0.329)};
    for (const OvrColor &c : colours) {
        QVERIFY(c.isValid());
        const OvrColor rgb = c.toRgb16(false);
        QVERIFY(rgb.isValid());
        for (int profile = 0; profile < CU::PrismalProfileCount; ++profile) {
            for (int mode = 0; mode < CU::IOModeCount; ++mode) {
                unsigned char out[10];
                CU::convertOvrColorToDMX(c, false, 5, 2, out, 1, 2, CU::PrismalProfileID(profile), CU::IOModeID(mode));
            }
        }
        if (c.isBlack()) {
            QCOMPARE(rgb.name(), QStringLiteral("#000000000000"));
            QCOMPARE(c.toYxy().getY(), 0.0);
        }
    }
    QCOMPARE(OvrColor::fromxyY(0, 0, 1).toRgb16(false).name(), QStringLiteral("#000000000000"));

    // Black has no chromaticity.
    double Yxy[3] = {9, 9, 9};
    const double XYZ[3] = {0, 0, 0};
    CU::convertXYZtoYxy(XYZ, Yxy);
    QCOMPARE(Yxy[0], 0.0);
    QCOMPARE(Yxy[1], 0.0);
    QCOMPARE(Yxy[2], 0.0);

    // Degenerate tristimulus data: no light in any channel.
    Tristimulus dark(CU::ProfileGenericRGB);
    dark.setX({0, 0, 0});
    dark.setY({0, 0, 0});
    dark.setZ({0, 0, 0});
    dark.setChannelNames({QStringLiteral("R"), QStringLiteral("G"), QStringLiteral("B")});
    dark.calculatePolygon();
    CU::convertOvrColorToYxy(OvrColor::fromRgb8(255, 255, 255), &dark, Yxy, 0);
    QCOMPARE(Yxy[1], 0.0);
    double cx = 1, cy = 1;
    QVERIFY(!dark.closestPtOnGamut(0.3, 0.3, cx, cy));
    QVERIFY(std::isfinite(cx) && std::isfinite(cy));
    QVERIFY(!dark.closestPtOnGamut(nan, 0.3, cx, cy));
    QCOMPARE(cx, 0.0);

    // Solver: a singular system reports failure with zeros.
    const double singular[2][3] = {{0, 1, 1}, {0, 2, 2}};
    double a = 5, b = 5;
    QVERIFY(!CU::gaussianEliminationTwoByThree(singular, a, b));
    QCOMPARE(a, 0.0);
    const double system[2][3] = {{2, 1, 5}, {1, 3, 10}};
    QVERIFY(CU::gaussianEliminationTwoByThree(system, a, b));
    QVERIFY(qAbs(a - 1.0) < 1e-6);
    QVERIFY(qAbs(b - 3.0) < 1e-6);

    QCOMPARE(CU::quadraticSolver(0.0f, 1.0f, 1.0f, 5.0f, 255.0f), 0);
    QCOMPARE(CU::quadraticSolver(1.0f, 0.0f, 10.0f, 1.0f, 255.0f), 0); // no real root
}

void tst_ColorUtils::updateColor()
{
    OvrColor base = OvrColor::fromRgb8(0, 0, 0);
    const OvrColor layer = OvrColor::fromRgb8(10, 20, 30, 128);
    CU::updateColor(base, layer);
    QCOMPARE(base, layer); // black base takes the layer

    base = OvrColor::fromRgb16(0, 0, 65535);
    CU::updateColor(base, OvrColor::fromRgb16(65535, 0, 0, 32768));
    // alpha 32768 * 0x10001 / 0xFFFFFFFF = 0.5000076; 65535 * a = 32768.0 -> 32768,
    // 65535 * (1 - a) = 32767.0 -> 32767.
    QCOMPARE(base.red16(), 32768);
    QCOMPARE(base.blue16(), 32767);
    QCOMPARE(base.alpha16(), 65535);

    OvrColor yBase = OvrColor::fromxyY(0.2, 0.2, 1.0);
    CU::updateColor(yBase, [] {
        OvrColor c;
        c.setYxyF(0.5, 0.4, 0.4, 0.25);
        return c;
    }());
    QVERIFY(qAbs(yBase.getx() - 0.25) < 1e-6);
    QVERIFY(qAbs(yBase.getY() - 0.875) < 1e-6);

    OvrColor nBase = OvrColor::fromNChannel16({65535, 1000, 0, 0, 0}, CU::ConfigRGBA, CU::ProfileFenwashLX6RGBA);
    CU::updateColor(nBase, OvrColor::fromNChannel16({0, 3000, 0, 0, 65535}, CU::ConfigRGBA, CU::ProfileFenwashLX6RGBA));
    QVector<unsigned int> levels;
    nBase.getNChannel16(&levels);
    QCOMPARE(levels, QVector<unsigned int>({65535, 1000, 0, 0, 0})); // a transparent layer changes nothing
}

void tst_ColorUtils::updateBuffer()
{
    const QList<unsigned char> bytes =
        CU::updateBuffer(0, 1, OvrColor::fromRgb8(255, 128, 0), true, 3, 1, CU::IOModeRGB, CU::ProfileGenericRGB);
    QCOMPARE(bytes, QList<unsigned char>({255, 128, 0}));
    const QList<unsigned char> wide =
        CU::updateBuffer(0, 1, OvrColor::fromRgb8(10, 200, 77), true, 3, 2, CU::IOModeRGB, CU::ProfileGenericRGB);
    QCOMPARE(wide, QList<unsigned char>({10, 10, 200, 200, 77, 77}));
    QVERIFY(CU::updateBuffer(0, 1, OvrColor::fromRgb8(1, 2, 3), true, 0, 1, CU::IOModeRGB, CU::ProfileGenericRGB)
                .isEmpty());
}

void tst_ColorUtils::expandFor5Channels_data()
{
    QTest::addColumn<QList<unsigned char>>("input");
    QTest::addColumn<QList<unsigned char>>("expected");

    QTest::newRow("three") << QList<unsigned char>{1, 2, 3} << QList<unsigned char>{1, 2, 3, 1, 2};
    QTest::newRow("six") << QList<unsigned char>{1, 2, 3, 4, 5, 6}
                         << QList<unsigned char>{1, 2, 3, 4, 5, 6, 1, 2, 3, 4};
    QTest::newRow("four") << QList<unsigned char>{1, 2, 3, 4} << QList<unsigned char>{};
    QTest::newRow("empty") << QList<unsigned char>{} << QList<unsigned char>{};
}

void tst_ColorUtils::expandFor5Channels()
{
    QFETCH(QList<unsigned char>, input);
    QFETCH(QList<unsigned char>, expected);
    QCOMPARE(CU::expandFor5Channels(input), expected);
}

void tst_ColorUtils::geometryHelpers()
{
    QPointF nearest;
    QCOMPARE(CU::minDistance(QPointF(0, 0), QPointF(2, 0), QPointF(1, 1), nearest), 1.0);
    QCOMPARE(nearest, QPointF(1, 0));
    QCOMPARE(CU::minDistance(QPointF(0, 0), QPointF(2, 0), QPointF(3, 0), nearest), 1.0);
    QCOMPARE(nearest, QPointF(2, 0));
    QCOMPARE(CU::minDistance(QPointF(1, 1), QPointF(1, 1), QPointF(1, 2), nearest), 1.0);
    QCOMPARE(nearest, QPointF(1, 1));

    QVERIFY(CU::validateDimmingRatio({0.0, 1.0, 0.5}));
    QVERIFY(!CU::validateDimmingRatio({0.0, 1.0000001}));
    QVERIFY(!CU::validateDimmingRatio({qQNaN()}));
}


// ---------------------------------------------------------------------------
// Appearance on screen, worked out here from first principles: the levels the
// keypad is sent, the fixture's dimming, its emitters' tristimulus values,
// the sRGB matrix and transfer curve, and CIEDE2000 to compare.

namespace {

struct Fixture
{
    CU::PrismalProfileID id;
    int ioMode;
    bool prismal;
    bool squareLaw; // dims along the normal gamma curve, else linearly
    double X[3], Y[3], Z[3]; // red, green and blue emitters
};

const Fixture &fixture(CU::PrismalProfileID id)
{
    static const Fixture fixtures[] = {
        {CU::ProfileGenericRGB, 0, false, false,
         {0.4123152, 0.35765, 0.18025}, {0.2126, 0.7153, 0.0721}, {0.0193273, 0.1192167, 0.9493167}},
        {CU::ProfileMarlspotRGB, 0, true, true, {442.9544, 160.8801, 150}, {199, 504, 90}, {10.5046, 92.5591, 760}},
        {CU::ProfileFenwashLX6RGBW, 6, true, true,
         {490.1758, 167.1244, 162.222}, {220.975, 540.001, 100}, {8.6375, 81.1972, 848.8889}},
    };
    for (const Fixture &f : fixtures) {
        if (f.id == id)
            return f;
    }
    qFatal("no test fixture %d", int(id));
    return fixtures[0];
}

double squareLawLight(int dmx8)
{
    const double d = dmx8 * 257.0;
    const float f = float(1.674e-18 * std::pow(d, 4) - 2.11838e-13 * std::pow(d, 3) + 1.4257e-05 * d * d
                          + 0.065828 * d - 4.8488e-05);
    return qBound(0.0, double(f), 65516.0) / 65516.0;
}

// What the fixture's light looks like, as 8-bit sRGB.
QColor expectedAppearance(const OvrColor &colour, CU::PrismalProfileID id)
{
    const Fixture &f = fixture(id);
    unsigned char sent[3] = {0, 0, 0};
    CU::convertOvrColorToDMX(colour, f.prismal, 3, 1, sent, 0, 1, id, CU::IOModeID(f.ioMode));
    double XYZ[3] = {0, 0, 0};
    const double full = f.Y[0] + f.Y[1] + f.Y[2];
    for (int k = 0; k < 3; ++k) {
        const double light = f.squareLaw ? squareLawLight(sent[k]) : sent[k] / 255.0;
        XYZ[0] += f.X[k] * light / full;
        XYZ[1] += f.Y[k] * light / full;
        XYZ[2] += f.Z[k] * light / full;
    }
    double rgb[3] = {3.2406 * XYZ[0] - 1.5372 * XYZ[1] - 0.4986 * XYZ[2],
                     -0.9689 * XYZ[0] + 1.8758 * XYZ[1] + 0.0415 * XYZ[2],
                     0.0557 * XYZ[0] - 0.2040 * XYZ[1] + 1.0570 * XYZ[2]};
    // Bring it into the screen's gamut along the line to the grey of equal
    // luminance.
    const double grey = XYZ[1];
    double t = 1.0;
    for (double c : rgb) {
        if (c < 0)
            t = std::min(t, grey / (grey - c));
        if (c > 1)
            t = std::min(t, (1 - grey) / (c - grey));
    }
    int out[3];
    for (int i = 0; i < 3; ++i) {
        const double c = std::min(1.0, std::max(0.0, grey + t * (rgb[i] - grey)));
        const double v = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
        out[i] = int(std::lround(v * 255));
    }
    return QColor(out[0], out[1], out[2]);
}

void toLab(const QColor &c, double lab[3])
{
    double lin[3];
    const int v[3] = {c.red(), c.green(), c.blue()};
    for (int i = 0; i < 3; ++i) {
        const double s = v[i] / 255.0;
        lin[i] = s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    }
    const double X = (0.4124 * lin[0] + 0.3576 * lin[1] + 0.1805 * lin[2]) / 0.95047;
    const double Y = 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2];
    const double Z = (0.0193 * lin[0] + 0.1192 * lin[1] + 0.9505 * lin[2]) / 1.08883;
    const auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    lab[0] = 116 * f(Y) - 16;
    lab[1] = 500 * (f(X) - f(Y));
    lab[2] = 200 * (f(Y) - f(Z));
}

double deltaE2000(const QColor &a, const QColor &b)
{
    double l1[3], l2[3];
    toLab(a, l1);
    toLab(b, l2);
    const double deg = M_PI / 180;
    const double C1 = std::hypot(l1[1], l1[2]), C2 = std::hypot(l2[1], l2[2]);
    const double Cm = (C1 + C2) / 2;
    const double G = 0.5 * (1 - std::sqrt(std::pow(Cm, 7) / (std::pow(Cm, 7) + std::pow(25.0, 7))));
    const double a1 = (1 + G) * l1[1], a2 = (1 + G) * l2[1];
    const double c1 = std::hypot(a1, l1[2]), c2 = std::hypot(a2, l2[2]);
    auto hue = [deg](double bb, double aa) {
        if (aa == 0 && bb == 0)
            return 0.0;
        double h = std::atan2(bb, aa) / deg;
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(l1[2], a1), h2 = hue(l2[2], a2);
    const double dL = l2[0] - l1[0], dC = c2 - c1;
    double dh = 0;
    if (c1 * c2 != 0) {
        dh = h2 - h1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(dh / 2 * deg);
    const double Lm = (l1[0] + l2[0]) / 2, cm = (c1 + c2) / 2;
    double hm = h1 + h2;
    if (c1 * c2 != 0) {
        if (std::fabs(h1 - h2) <= 180)
            hm = (h1 + h2) / 2;
        else
            hm = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
    }
    const double T = 1 - 0.17 * std::cos((hm - 30) * deg) + 0.24 * std::cos(2 * hm * deg)
        + 0.32 * std::cos((3 * hm + 6) * deg) - 0.20 * std::cos((4 * hm - 63) * deg);
    const double dTheta = 30 * std::exp(-std::pow((hm - 275) / 25, 2));
    const double Rc = 2 * std::sqrt(std::pow(cm, 7) / (std::pow(cm, 7) + std::pow(25.0, 7)));
    const double Sl = 1 + 0.015 * std::pow(Lm - 50, 2) / std::sqrt(20 + std::pow(Lm - 50, 2));
    const double Sc = 1 + 0.045 * cm, Sh = 1 + 0.015 * cm * T;
    const double Rt = -std::sin(2 * dTheta * deg) * Rc;
    return std::sqrt(std::pow(dL / Sl, 2) + std::pow(dC / Sc, 2) + std::pow(dH / Sh, 2)
                     + Rt * (dC / Sc) * (dH / Sh));
}

OvrColor whiteAt(int cct)
{
    double x = 0, y = 0;
    CCTUtils::getxyFromCCTAndTint(cct, 0, x, y);
    OvrColor white;
    white.setYxyF(1.0, x, y, 1.0, CU::ProfileGenericRGB);
    return white;
}

QString describe(const QColor &c)
{
    return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

void tst_ColorUtils::displayColor_data()
{
    QTest::addColumn<OvrColor>("colour");
    QTest::addColumn<int>("fixtureClass");

    const CU::PrismalProfileID classes[] = {CU::ProfileGenericRGB, CU::ProfileMarlspotRGB,
                                            CU::ProfileFenwashLX6RGBW};
    for (CU::PrismalProfileID id : classes) {
        for (int cct : {2000, 2700, 3000, 4000, 5000, 6500, 8000, 10000})
            QTest::addRow("class %d, %d K", int(id), cct) << whiteAt(cct) << int(id);
        const struct
        {
            const char *name;
            int r, g, b;
        } primaries[] = {{"red", 255, 0, 0},  {"green", 0, 255, 0},   {"blue", 0, 0, 255},
                         {"cyan", 0, 255, 255}, {"magenta", 255, 0, 255}, {"yellow", 255, 255, 0}};
        for (const auto &p : primaries)
            QTest::addRow("class %d, %s", int(id), p.name) << OvrColor::fromRgb8(p.r, p.g, p.b) << int(id);
        QRandomGenerator random(20261208 + int(id));
        for (int i = 0; i < 24; ++i) {
            const int r = random.bounded(256), g = random.bounded(256), b = random.bounded(256);
            QTest::addRow("class %d, random %d,%d,%d", int(id), r, g, b) << OvrColor::fromRgb8(r, g, b) << int(id);
        }
    }
}

void tst_ColorUtils::displayColor()
{
    QFETCH(OvrColor, colour);
    QFETCH(int, fixtureClass);
    const CU::PrismalProfileID id = CU::PrismalProfileID(fixtureClass);
    const QColor expected = expectedAppearance(colour, id);
    const QColor shown = CU::displayColor(colour, id);
    QVERIFY(shown.isValid());
    QCOMPARE(shown.alpha(), 255);
    const double dE = deltaE2000(expected, shown);
    QVERIFY2(dE <= 2.0, qPrintable(QStringLiteral("expected %1, shown %2, dE %3")
                                       .arg(describe(expected), describe(shown))
                                       .arg(dE)));
    // The levels behind it are the keypad's.
    const Fixture &f = fixture(id);
    unsigned char body[3] = {0, 0, 0};
    unsigned char levels[3] = {1, 1, 1};
    CU::convertOvrColorToDMX(colour, f.prismal, 3, 1, body, 0, 1, id, CU::IOModeID(f.ioMode));
    CU::threeChannelLevels(colour, id, levels);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(levels), 3), QByteArray(reinterpret_cast<char *>(body), 3));
}

void tst_ColorUtils::displayedWhitesLookWhite_data()
{
    QTest::addColumn<int>("fixtureClass");
    QTest::newRow("generic RGB") << int(CU::ProfileGenericRGB);
    QTest::newRow("Marlspot RGB") << int(CU::ProfileMarlspotRGB);
    QTest::newRow("Fenwash LX6 RGBW") << int(CU::ProfileFenwashLX6RGBW);
}

void tst_ColorUtils::displayedWhitesLookWhite()
{
    QFETCH(int, fixtureClass);
    const CU::PrismalProfileID id = CU::PrismalProfileID(fixtureClass);
    const QColor daylight = CU::displayColor(whiteAt(6500), id);
    const int spread = std::max({daylight.red(), daylight.green(), daylight.blue()})
        - std::min({daylight.red(), daylight.green(), daylight.blue()});
    QVERIFY2(spread <= 8, qPrintable(describe(daylight)));
    const QColor cool = CU::displayColor(whiteAt(10000), id);
    QVERIFY2(cool.blue() > cool.green() && cool.green() > cool.red(), qPrintable(describe(cool)));
    const QColor warm = CU::displayColor(whiteAt(2700), id);
    QVERIFY2(warm.red() > warm.green() && warm.green() > warm.blue(), qPrintable(describe(warm)));
}

void tst_ColorUtils::displayColorOfInvalidAndBlack()
{
    QVERIFY(!CU::displayColor(OvrColor(), CU::ProfileGenericRGB).isValid());
    QCOMPARE(CU::displayColor(OvrColor::fromRgb8(0, 0, 0), CU::ProfileMarlspotRGB), QColor(0, 0, 0));
    QCOMPARE(CU::displayColor(OvrColor::fromRgb8(255, 255, 255), CU::ProfileGenericRGB), QColor(255, 255, 255));
    // The generic fixture dims linearly: level 58 of 255 is 22.7 % of its
    // light, which the screen's transfer curve shows as 131.
    QCOMPARE(CU::displayColor(OvrColor::fromRgb8(58, 58, 255), CU::ProfileGenericRGB), QColor(131, 131, 255));
    // Opacity is no light.
    QCOMPARE(CU::displayColor(OvrColor::fromRgb8(58, 58, 255, 128), CU::ProfileGenericRGB), QColor(131, 131, 255));
    // Half the level is darker, not paler.
    const QColor full = CU::displayColor(OvrColor::fromRgb8(255, 0, 0), CU::ProfileMarlspotRGB);
    const QColor half = CU::displayColor(OvrColor::fromRgb8(128, 0, 0), CU::ProfileMarlspotRGB);
    QVERIFY2(half.lightness() < full.lightness() && qAbs(half.hue() - full.hue()) <= 10,
             qPrintable(describe(full) + describe(half)));
}

QTEST_GUILESS_MAIN(tst_ColorUtils)
#include "tst_colorutils.moc"
