// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorutils.h"
#include "curve.h"
#include "curvefactory.h"
#include "ovrcolor.h"
#include "tristimulus.h"
#include "tristimulusfactory.h"

#include <QtTest>

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

QTEST_GUILESS_MAIN(tst_ColorUtils)
#include "tst_colorutils.moc"
