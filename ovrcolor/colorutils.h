// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor_export.h"

#include <QColor>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

class OvrColor;
class Tristimulus;

/**
 * Static helpers that turn colours into fixture channel levels and DMX bytes
 * and back, plus the names and tables of channel configurations, fixture
 * profiles, IO modes and dimming curves.
 */
class OVRCOLOR_EXPORT ColorUtils
{
public:
    /** Fixture channel layout a colour refers to. */
    enum ChannelConfiguration : int {
        ConfigUnknown = 0,
        ConfigRGB = 1,
        ConfigRGBAW = 2,
        ConfigRGBW = 3,
        ConfigSingleChannel = 4,
        ConfigRGBWW = 5,
        ConfigRGBA = 6
    };

    /** Fixture profile (the keypad's fixture class), 0 .. 9. */
    enum PrismalProfileID : int {
        ProfileGenericRGB = 0,
        ProfileKestrelKiteQRZ = 1,
        ProfileVeloriaLumaBand = 2,
        ProfileGenericRGBW = 3,
        ProfileSingleChannel = 4,
        ProfileFenwashLX6RGBA = 5,
        ProfileFenwashLX6RGBW = 6,
        ProfileMarlspotRGB = 7,
        ProfileQuillbarZP2RGBA = 8,
        ProfileQuillbarZP2RGBW = 9
    };
    static constexpr int PrismalProfileCount = 10;

    /** Input/output channel arrangement of a fixture, 0 .. 9. */
    enum IOModeID : int {
        IOModeRGB = 0,
        IOModeRGBA = 1,
        IOModeRGBW = 2,
        IOModeRGBAW = 3,
        IOModeRGBWW = 4,
        IOModeRGBInRGBAOut = 5,
        IOModeRGBInRGBWOut = 6,
        IOModeRGBInRGBAWOut = 7,
        IOModeRGBInRGBWWOut = 8,
        IOModeSingleChannel = 9
    };
    static constexpr int IOModeCount = 10;

    /** Colour-consistency ("Prismal") setting of an IO mode. */
    enum PrismalMode { PrismalOff = 0, PrismalOn = 1 };

    /** Dimming curve types. */
    enum CurveType { CurveLinear = 0, CurveNormal = 1, CurveTungsten = 2 };

    /** How applyCurve() treats its levels: mode 3 is for levels solved from a chromaticity. */
    enum CurveMode { CurveModeDirect = 1, CurveModeYxy = 3 };

    // Channel configurations
    static int configChannelCount(int configuration);
    static QString nameForChannelConfiguration(int configuration);

    // Profile helpers
    static QString prismalProfileIDName(PrismalProfileID profile);
    static ChannelConfiguration nChannelConfigurationForPrismalProfileID(PrismalProfileID profile);
    static IOModeID defaultIOModeIDForPrismalProfileID(PrismalProfileID profile);
    static IOModeID defaultIOModeIDForPrismalProfileID3toN(PrismalProfileID profile);
    static int defaultPrismalEnabled(PrismalProfileID profile, IOModeID ioMode);
    static int defaultCurveTypeForPrismalProfileID(PrismalProfileID profile);
    static QList<PrismalProfileID> prismalProfileIDList(bool all = true);
    static QStringList prismalProfileIDNameList(bool all = true);
    static QMap<PrismalProfileID, QString> prismalProfileIDNameMap();
    static QList<IOModeID> ioModesForPrismalProfileID(PrismalProfileID profile);

    // Conversions
    /** XYZ to Yxy; black (X + Y + Z = 0) gives x = y = 0. */
    static void convertXYZtoYxy(const double XYZ[3], double Yxy[3]);
    /** Colour to Yxy through the given channel tristimulus and curve. */
    static void convertOvrColorToYxy(const OvrColor &colour, const Tristimulus *tristimulus, double Yxy[3], int curve);
    /** Colour to Yxy through its own profile's tristimulus and default curve. */
    static void convertOvrColorToYxy(const OvrColor &colour, double Yxy[3]);
    /** Best (brightest) mix of the configuration's channels for Yxy; levels has one entry per channel. */
    static void convertYxyToNChannel(const double Yxy[3], double *levels, ChannelConfiguration configuration,
                                     PrismalProfileID profile, bool clampToGamut);
    static void convertYxyToNChannelAndApplyCurve(const double Yxy[3], unsigned short *levels16,
                                                  ChannelConfiguration configuration, PrismalProfileID profile,
                                                  int curve, bool clampToGamut);
    /** Floating channel levels for an IO mode; the caller owns the array (delete[]). */
    static double *convertOvrColorToNChannelF(bool &viaYxy, const OvrColor &colour, bool allowDirect, int channelCount,
                                              PrismalProfileID profile, IOModeID ioMode, bool clampToGamut,
                                              int curve = 0);
    /**
     * DMX bytes of a colour: data holds channelCount bytes (resolution 1) or
     * 2 x channelCount bytes, high byte first (resolution 2).
     */
    static void convertOvrColorToDMX(const OvrColor &colour, bool allowDirect, int channelCount, int resolution,
                                     unsigned char *data, int directCurve, int yxyCurve, PrismalProfileID profile,
                                     IOModeID ioMode);
    /**
     * The three levels (red, green, blue; 0..255) that a fixture class's RGB
     * input receives for the colour: the fixture class's default 3-to-n IO
     * mode with its default colour consistency, Yxy levels through the
     * normal gamma curve. This is what the keypad is sent for a colour.
     */
    static void threeChannelLevels(const OvrColor &colour, PrismalProfileID fixtureClass, unsigned char levels[3]);
    /**
     * How the light of the fixture class looks for the colour, as an opaque
     * sRGB colour (D65 white, 8 bits) for painting on screen.
     *
     * The colour's threeChannelLevels() go through the fixture profile's
     * dimming curve and drive its red, green and blue emitters; their
     * tristimulus values are summed to XYZ and converted with the standard
     * sRGB matrix and transfer curve. The emitters' full output is the
     * screen's full brightness, so a dimmed colour looks darker and a full
     * one is not washed out. Light outside the sRGB gamut is brought in by
     * moving it towards the grey of the same luminance (hue and luminance
     * kept, saturation lowered), never by clipping a single channel.
     * getQColor() by contrast gives a generic RGB fixture's drive levels.
     * An invalid colour gives an invalid QColor.
     */
    static QColor displayColor(const OvrColor &colour, PrismalProfileID fixtureClass);
    /** XYZ (Y = 1 for white) to an opaque sRGB colour, brought into gamut as displayColor() does. */
    static QColor xyzToDisplayColor(const double XYZ[3]);
    /** Composites layer over base in place. */
    static void updateColor(OvrColor &base, const OvrColor &layer);
    static QList<unsigned char> updateBuffer(int directCurve, int yxyCurve, const OvrColor &colour, bool allowDirect,
                                             int channelCount, int resolution, IOModeID ioMode,
                                             PrismalProfileID profile);
    static QList<unsigned char> expandFor5Channels(const QList<unsigned char> &bytes);

    /** Solves the 2x2 system given as augmented matrix; false when it is singular. */
    static bool gaussianEliminationTwoByThree(const double m[2][3], double &a, double &b);
    /** Distance from p to the segment ab; nearest receives the closest point of the segment. */
    static double minDistance(QPointF a, QPointF b, QPointF p, QPointF &nearest);
    static bool validateDimmingRatio(const QVector<double> &levels);

    // Curves and level mapping
    static unsigned short nChannelFToPWM(double level);
    static void nChannelFToPWM(const double *levels, unsigned short *pwm, int count);
    static void pwmToMNormDLinearRes16(const unsigned short *pwm, unsigned short *dst, int count);
    static void pwmToMNormDLinearRes8(const unsigned short *pwm, unsigned char *dst, int count);
    static unsigned char pwm16ToMNormDLinearRes8(unsigned short pwm);
    static void pwmToMNormDNormRes8(const unsigned short *pwm, unsigned char *dst, int count);
    static unsigned char pwm16ToMNormDNormRes8(unsigned short pwm);
    static void pwmToMNormDNormRes16(const unsigned short *pwm, unsigned short *dst, int count);
    static unsigned short pwm16ToMNormDNormRes16(unsigned short pwm);
    static void pwmToMNormDTungstenRes8(const unsigned short *pwm, unsigned char *dst, int count);
    static unsigned char pwm16ToMNormDTungstenRes8(unsigned short pwm);
    static void pwmToMNormDTungstenRes16(const unsigned short *pwm, unsigned short *dst, int count);
    static unsigned short pwm16ToMNormDTungstenRes16(unsigned short pwm);
    /** Solves a x^2 + b x + c = value in single precision; the positive root, clamped to 0..max and rounded. */
    static int quadraticSolver(float a, float b, float c, float value, float max);
    static int lut16BitToBit(int pwm);
    static double dmx16ToSquareLawDimRatio(int dmx16);
    static double dmx16ToTungstenDimRatio(int dmx16);

    static void applyCurve(int count, int resolution, const double *levels, unsigned char *dst, int curveType,
                           int mode);
    static void applyCurve16(int count, const double *levels, unsigned short *dst, int curveType, int mode);

private:
    ColorUtils() = delete;
    struct Elimination;
};
