// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorutils.h"

#include "curve.h"
#include "curvefactory.h"
#include "iomode.h"
#include "iomodefactory.h"
#include "ovrcolor.h"
#include "prismalprofile.h"
#include "prismalprofilefactory.h"
#include "tristimulus.h"
#include "tristimulusfactory.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>
#include <memory>

namespace {

const PrismalProfile *profileFor(ColorUtils::PrismalProfileID profile)
{
    return PrismalProfileFactory::instance()->getProfile(profile);
}

// Levels as fractions of full, taken from an RGB, HSV or n-channel colour.
int floatingLevels(const OvrColor &colour, double *levels, int capacity)
{
    switch (colour.spec()) {
    case OvrColor::Rgb:
    case OvrColor::Hsv: {
        double a = 0.0;
        if (capacity < 3)
            return 0;
        colour.getRgbF(&levels[0], &levels[1], &levels[2], &a);
        return 3;
    }
    case OvrColor::NChannel: {
        QVector<double> all;
        colour.getNChannelF(&all);
        const int n = qMin(all.size() - 1, capacity);
        for (int i = 0; i < n; ++i)
            levels[i] = all.at(i + 1);
        return n;
    }
    default:
        break;
    }
    return 0;
}

constexpr int MaxChannels = 16;

// Runs convert over count values of src into dst; nothing for a count below one.
template<typename In, typename Out, typename Convert>
void convertEach(const In *src, Out *dst, int count, Convert convert)
{
    for (int k = 0; k < count; ++k)
        dst[k] = convert(src[k]);
}

// A level's value on a curve, for a channel of 8 or of 16 bits. Without a
// curve (Yxy mode) the level goes through the PWM solvers of its curve type;
// with one, it is clamped to 0..1 and looked up on the curve.
unsigned char curvedLevel8(double level, int curveType, const Curve *curve)
{
    if (!curve) {
        const unsigned short pwm = ColorUtils::nChannelFToPWM(level);
        if (curveType == ColorUtils::CurveNormal)
            return ColorUtils::pwm16ToMNormDNormRes8(pwm);
        if (curveType == ColorUtils::CurveTungsten)
            return ColorUtils::pwm16ToMNormDTungstenRes8(pwm);
        return ColorUtils::pwm16ToMNormDLinearRes8(pwm);
    }
    const double v = level > 0.0 ? qMin(level, 1.0) : 0.0;
    unsigned char out = 0;
    curve->applyCurve(int(std::floor(v * 255.0 + 0.5)), &out);
    return out;
}

unsigned short curvedLevel16(double level, int curveType, const Curve *curve)
{
    if (!curve) {
        const unsigned short pwm = ColorUtils::nChannelFToPWM(level);
        if (curveType == ColorUtils::CurveNormal)
            return ColorUtils::pwm16ToMNormDNormRes16(pwm);
        if (curveType == ColorUtils::CurveTungsten)
            return ColorUtils::pwm16ToMNormDTungstenRes16(pwm);
        return pwm;
    }
    const double v = level > 0.0 ? qMin(level, 1.0) : 0.0;
    unsigned short out = 0;
    curve->applyCurve(int(v * 65535.0), &out);
    return out;
}

// Float conversion of a reciprocal; false when it is not a finite float
// (where single precision would give infinity and the levels would not be
// numbers, so there is no solution).
bool toFloat(double v, float &out)
{
    if (!std::isfinite(v) || std::fabs(v) > double(std::numeric_limits<float>::max()))
        return false;
    out = float(v);
    return true;
}

} // namespace

// Elimination of the 2 x 2 system
//   m00 a + m01 b = r0
//   m10 a + m11 b = r1
// The fixture firmware solves in single precision; its reciprocals and the
// factor m01 / (m11 - r m01) are rounded the same way, so the chosen mix
// matches to the last bit. The coefficients are fixed per channel pair, only
// the right-hand side changes, so the reciprocals are computed once.
struct ColorUtils::Elimination {
    float inv0 = 0.0f;
    double r = 0.0;
    float inv1 = 0.0f;
    float factor = 0.0f;

    bool prepare(double m00, double m01, double m10, double m11)
    {
        if (m00 == 0.0 || !toFloat(1.0 / m00, inv0))
            return false;
        r = m10 * inv0;
        const double denominator = m11 - r * m01;
        if (denominator == 0.0 || !toFloat(1.0 / denominator, inv1))
            return false;
        return toFloat(m01 * double(inv1), factor);
    }

    bool solve(double r0, double r1, double &a, double &b) const
    {
        const double rhs = r1 - r * r0;
        b = rhs * inv1;
        a = (r0 - factor * rhs) * inv0;
        if (!std::isfinite(a) || !std::isfinite(b)) {
            a = b = 0.0;
            return false;
        }
        return true;
    }
};

// ---------------------------------------------------------------------------
// Channel configurations

int ColorUtils::configChannelCount(int configuration)
{
    switch (configuration) {
    case ConfigRGB:
        return 3;
    case ConfigRGBAW:
        return 5;
    case ConfigRGBW:
        return 4;
    case ConfigSingleChannel:
        return 1;
    case ConfigRGBWW:
        return 5;
    case ConfigRGBA:
        return 4;
    default:
        break;
    }
    return 0;
}

QString ColorUtils::nameForChannelConfiguration(int configuration)
{
    switch (configuration) {
    case ConfigRGB:
        return QStringLiteral("RGB");
    case ConfigRGBAW:
        return QStringLiteral("RGBAW");
    case ConfigRGBW:
        return QStringLiteral("RGBW");
    case ConfigSingleChannel:
        return QStringLiteral("Single Channel");
    case ConfigRGBWW:
        return QStringLiteral("RGBWW");
    case ConfigRGBA:
        return QStringLiteral("RGBA");
    default:
        break;
    }
    return QStringLiteral("Unknown");
}

// ---------------------------------------------------------------------------
// Profile helpers

QString ColorUtils::prismalProfileIDName(PrismalProfileID profile)
{
    const PrismalProfile *p = profileFor(profile);
    return p ? p->name() : QString();
}

ColorUtils::ChannelConfiguration ColorUtils::nChannelConfigurationForPrismalProfileID(PrismalProfileID profile)
{
    const PrismalProfile *p = profileFor(profile);
    return p ? p->getChannelConfiguration() : ConfigUnknown;
}

ColorUtils::IOModeID ColorUtils::defaultIOModeIDForPrismalProfileID(PrismalProfileID profile)
{
    const PrismalProfile *p = profileFor(profile);
    return p ? p->getDefaultIOModeID() : IOModeRGB;
}

ColorUtils::IOModeID ColorUtils::defaultIOModeIDForPrismalProfileID3toN(PrismalProfileID profile)
{
    const PrismalProfile *p = profileFor(profile);
    return p ? p->getDefaultIOModeID3toN() : IOModeRGB;
}

int ColorUtils::defaultPrismalEnabled(PrismalProfileID profile, IOModeID ioMode)
{
    const PrismalProfile *p = profileFor(profile);
    return (p && p->getDefaultIsPrismalEnabled(ioMode)) ? 1 : 0;
}

int ColorUtils::defaultCurveTypeForPrismalProfileID(PrismalProfileID profile)
{
    const PrismalProfile *p = profileFor(profile);
    return p ? p->getDefaultOnboardCurve() : CurveLinear;
}

QList<ColorUtils::PrismalProfileID> ColorUtils::prismalProfileIDList(bool all)
{
    QList<PrismalProfileID> ids;
    for (int id = 0; id < PrismalProfileCount; ++id) {
        if (!all && (id == ProfileGenericRGBW || id == ProfileSingleChannel))
            continue;
        ids.append(PrismalProfileID(id));
    }
    return ids;
}

QStringList ColorUtils::prismalProfileIDNameList(bool all)
{
    QStringList names;
    const QList<PrismalProfileID> ids = prismalProfileIDList(all);
    for (PrismalProfileID id : ids)
        names.append(prismalProfileIDName(id));
    return names;
}

QMap<ColorUtils::PrismalProfileID, QString> ColorUtils::prismalProfileIDNameMap()
{
    QMap<PrismalProfileID, QString> map;
    const QList<PrismalProfileID> ids = prismalProfileIDList(true);
    for (PrismalProfileID id : ids)
        map.insert(id, prismalProfileIDName(id));
    return map;
}

QList<ColorUtils::IOModeID> ColorUtils::ioModesForPrismalProfileID(PrismalProfileID profile)
{
    const PrismalProfile *p = profileFor(profile);
    return p ? p->getAvailableIOModeIDs() : QList<IOModeID>();
}

// ---------------------------------------------------------------------------
// Conversions

void ColorUtils::convertXYZtoYxy(const double XYZ[3], double Yxy[3])
{
    const double sum = XYZ[0] + XYZ[1] + XYZ[2];
    Yxy[0] = XYZ[1];
    // Black has no chromaticity; (0, 0) keeps every later step defined.
    if (!(sum > 0.0) || !std::isfinite(sum)) {
        Yxy[1] = Yxy[2] = 0.0;
        return;
    }
    Yxy[1] = XYZ[0] / sum;
    Yxy[2] = XYZ[1] / sum;
}

void ColorUtils::convertOvrColorToYxy(const OvrColor &colour, const Tristimulus *tristimulus, double Yxy[3],
                                      int curve)
{
    Yxy[0] = Yxy[1] = Yxy[2] = 0.0;
    if (colour.spec() == OvrColor::Yxy) {
        // A chromaticity needs no fixture data.
        colour.getYxyF(&Yxy[0], &Yxy[1], &Yxy[2]);
        return;
    }
    double levels[MaxChannels];
    int n = floatingLevels(colour, levels, MaxChannels);
    if (n == 0 || colour.isBlack() || !tristimulus)
        return;

    const QVector<double> &TX = tristimulus->getX();
    const QVector<double> &TY = tristimulus->getY();
    const QVector<double> &TZ = tristimulus->getZ();
    n = qMin(n, qMin(TX.size(), qMin(TY.size(), TZ.size())));

    double X = 0.0, Ysum = 0.0, Z = 0.0, maxLevel = 0.0;
    for (int k = 0; k < n; ++k) {
        double level = levels[k];
        if (curve == CurveNormal)
            level = dmx16ToSquareLawDimRatio(int(std::floor(level * 65535.0 + 0.5)));
        else if (curve == CurveTungsten)
            level = dmx16ToTungstenDimRatio(int(std::floor(level * 65535.0 + 0.5)));
        X += TX.at(k) * level;
        Ysum += TY.at(k) * level;
        Z += TZ.at(k) * level;
        maxLevel = qMax(maxLevel, level);
    }
    const double sum = X + Ysum + Z;
    // Channels without any light (or without colour data) give no
    // chromaticity: report black rather than 0/0.
    if (!(sum > 0.0) || !std::isfinite(sum))
        return;
    Yxy[0] = maxLevel;
    Yxy[1] = X / sum;
    Yxy[2] = Ysum / sum;
}

void ColorUtils::convertOvrColorToYxy(const OvrColor &colour, double Yxy[3])
{
    const PrismalProfileID profile = colour.getPrismalProfileID();
    const Tristimulus *tri =
        TristimulusFactory::getInstance()->getTristimulus(profile, colour.getChannelConfiguration());
    convertOvrColorToYxy(colour, tri, Yxy, defaultCurveTypeForPrismalProfileID(profile));
}

bool ColorUtils::gaussianEliminationTwoByThree(const double m[2][3], double &a, double &b)
{
    a = b = 0.0;
    Elimination e;
    if (!e.prepare(m[0][0], m[0][1], m[1][0], m[1][1]))
        return false;
    return e.solve(m[0][2], m[1][2], a, b);
}

void ColorUtils::convertYxyToNChannel(const double Yxy[3], double *levels, ChannelConfiguration configuration,
                                      PrismalProfileID profile, bool clampToGamut)
{
    const int n = configChannelCount(configuration);
    if (!levels)
        return;
    for (int k = 0; k < n; ++k)
        levels[k] = 0.0;
    if (n < 2)
        return;

    const double Y = Yxy[0];
    if (!(Y > 0.0) || !std::isfinite(Y))
        return;

    const Tristimulus *tri = TristimulusFactory::getInstance()->getTristimulus(profile, configuration);
    const QVector<double> &TX = tri->getX();
    const QVector<double> &TY = tri->getY();
    const QVector<double> &TZ = tri->getZ();
    const int channels = qMin(n, qMin(TX.size(), qMin(TY.size(), TZ.size())));
    if (channels < 2 || channels > MaxChannels)
        return;

    double x = Yxy[1];
    double y = Yxy[2];
    if (clampToGamut)
        tri->closestPtOnGamut(Yxy[1], Yxy[2], x, y);
    const double z = 1.0 - x - y;
    // On the border of the chromaticity plane (x = 0 or x + y = 1) the
    // coefficients below are infinite: no fixture mix reaches such a point.
    if (!(x > 0.0) || !(z > 0.0) || !(y >= 0.0) || !std::isfinite(x) || !std::isfinite(y))
        return;

    double a[MaxChannels];
    double b[MaxChannels];
    for (int k = 0; k < channels; ++k) {
        a[k] = (y / x) * TX.at(k) - TY.at(k);
        b[k] = (y / z) * TZ.at(k) - TY.at(k);
    }

    double best[MaxChannels];
    double bestLuminance = -std::numeric_limits<double>::infinity();
    bool found = false;
    double w[MaxChannels];
    int others[MaxChannels];
    const int combinations = 1 << (channels - 2);

    for (int m = 0; m < channels; ++m) {
        for (int i = m + 1; i < channels; ++i) {
            int nOthers = 0;
            for (int k = 0; k < channels; ++k) {
                if (k != m && k != i)
                    others[nOthers++] = k;
            }
            Elimination elimination;
            if (!elimination.prepare(a[m], a[i], b[m], b[i]))
                continue;
            for (int j = 1; j < combinations; ++j) {
                double R1 = 0.0, R2 = 0.0;
                for (int k = 0; k < nOthers; ++k) {
                    const double level = (j >> k) & 1 ? 1.0 : 0.0;
                    w[others[k]] = level;
                    R1 -= a[others[k]] * level;
                    R2 -= b[others[k]] * level;
                }
                double wm = 0.0, wi = 0.0;
                if (!elimination.solve(R1, R2, wm, wi))
                    continue;
                if (wm < 0.0 && wm > -0.00005)
                    wm = 0.0;
                else if (wm > 1.0 && wm < 1.00005)
                    wm = 1.0;
                if (wi < 0.0 && wi > -0.00005)
                    wi = 0.0;
                else if (wi > 1.0 && wi < 1.00005)
                    wi = 1.0;
                // validateDimmingRatio() on the whole mix: the fixed channels
                // are 0 or 1, so only the two solved levels can fail.
                if (!(wm >= 0.0 && wm <= 1.0 && wi >= 0.0 && wi <= 1.0))
                    continue;
                w[m] = wm;
                w[i] = wi;
                double luminance = 0.0;
                for (int k = 0; k < channels; ++k)
                    luminance += TY.at(k) * w[k];
                if (luminance > bestLuminance) {
                    bestLuminance = luminance;
                    std::copy(w, w + channels, best);
                    found = true;
                }
            }
        }
    }
    if (!found)
        return;
    for (int k = 0; k < channels; ++k)
        levels[k] = best[k] * Y;
}

void ColorUtils::convertYxyToNChannelAndApplyCurve(const double Yxy[3], unsigned short *levels16,
                                                   ChannelConfiguration configuration, PrismalProfileID profile,
                                                   int curve, bool clampToGamut)
{
    const int n = configChannelCount(configuration);
    if (n == 0 || !levels16)
        return;
    double levels[MaxChannels];
    convertYxyToNChannel(Yxy, levels, configuration, profile, clampToGamut);
    applyCurve16(n, levels, levels16, curve, CurveModeYxy);
}

double *ColorUtils::convertOvrColorToNChannelF(bool &viaYxy, const OvrColor &colour, bool allowDirect,
                                               int channelCount, PrismalProfileID profile, IOModeID ioMode,
                                               bool clampToGamut, int curve)
{
    Q_UNUSED(curve)
    viaYxy = false;
    const int count = qMax(channelCount, 0);
    double *result = new double[qMax(count, 1)]();
    const IOMode *mode = IOModeFactory::instance()->ioMode(ioMode);
    if (!mode || count == 0 || !colour.isValid())
        return result;

    const ChannelConfiguration inCfg = mode->inputChannelConfiguration();
    const bool isYxy = colour.spec() == OvrColor::Yxy;
    const bool yxyRendered =
        colour.spec() == OvrColor::NChannel && colour.getNChannelRenderType() == OvrColor::RenderYxy;

    const bool needsYxy = colour.getChannelConfiguration() != inCfg || profile != colour.getPrismalProfileID()
        || (ioMode != IOModeRGB && (!mode->isNtoN() || isYxy));
    const bool directEligible = colour.getPrismalProfileID() == ProfileGenericRGB
        && colour.getChannelConfiguration() == ConfigRGB && !isYxy && !yxyRendered
        && (mode->is3toN() || (mode->isNtoN() && allowDirect));

    double solved[MaxChannels];
    auto solveFrom = [&](const double Yxy[3]) {
        const int n = configChannelCount(inCfg);
        convertYxyToNChannel(Yxy, solved, inCfg, profile, clampToGamut);
        for (int k = 0; k < qMin(n, count); ++k)
            result[k] = solved[k];
    };

    if (needsYxy && !directEligible) {
        double Yxy[3] = {0.0, 0.0, 0.0};
        if (isYxy) {
            colour.getYxyF(&Yxy[0], &Yxy[1], &Yxy[2]);
        } else {
            convertOvrColorToYxy(colour, Yxy);
            viaYxy = true;
        }
        solveFrom(Yxy);
        return result;
    }

    if (isYxy) {
        double Yxy[3] = {0.0, 0.0, 0.0};
        colour.getYxyF(&Yxy[0], &Yxy[1], &Yxy[2]);
        solveFrom(Yxy);
    } else if (colour.spec() == OvrColor::NChannel) {
        QVector<double> levels;
        colour.getNChannelF(&levels);
        for (int k = 0; k < qMin(levels.size() - 1, count); ++k)
            result[k] = levels.at(k + 1);
    } else {
        // RGB and HSV colours (profile 0 into an RGB input, or RGB under an
        // n-to-n mode) give their red, green and blue.
        double rgb[3] = {0.0, 0.0, 0.0};
        colour.getRgbF(&rgb[0], &rgb[1], &rgb[2]);
        for (int k = 0; k < qMin(3, count); ++k)
            result[k] = rgb[k];
    }
    return result;
}

void ColorUtils::convertOvrColorToDMX(const OvrColor &colour, bool allowDirect, int channelCount, int resolution,
                                      unsigned char *data, int directCurve, int yxyCurve, PrismalProfileID profile,
                                      IOModeID ioMode)
{
    if (!data || channelCount <= 0)
        return;
    bool viaYxy = false;
    std::unique_ptr<double[]> levels(
        convertOvrColorToNChannelF(viaYxy, colour, allowDirect, channelCount, profile, ioMode, true, 0));
    if (colour.spec() == OvrColor::Yxy || viaYxy)
        applyCurve(channelCount, resolution, levels.get(), data, yxyCurve, CurveModeYxy);
    else
        applyCurve(channelCount, resolution, levels.get(), data, directCurve, CurveModeDirect);
}

void ColorUtils::threeChannelLevels(const OvrColor &colour, PrismalProfileID fixtureClass, unsigned char levels[3])
{
    levels[0] = levels[1] = levels[2] = 0;
    if (!colour.isValid())
        return;
    const IOModeID ioMode = defaultIOModeIDForPrismalProfileID3toN(fixtureClass);
    const bool prismal = defaultPrismalEnabled(fixtureClass, ioMode) != 0;
    convertOvrColorToDMX(colour, prismal, 3, 1, levels, CurveLinear, CurveNormal, fixtureClass, ioMode);
}

QColor ColorUtils::displayColor(const OvrColor &colour, PrismalProfileID fixtureClass)
{
    if (!colour.isValid())
        return QColor();
    unsigned char levels[3];
    threeChannelLevels(colour, fixtureClass, levels);

    // The RGB input drives the fixture's first three emitters (red, green,
    // blue), which dim along the fixture's own curve.
    const Tristimulus *tri = TristimulusFactory::getInstance()->getTristimulus(fixtureClass, ConfigRGB);
    const int curve = defaultCurveTypeForPrismalProfileID(fixtureClass);
    if (!tri || tri->getX().size() < 3 || tri->getY().size() < 3 || tri->getZ().size() < 3)
        return QColor(Qt::black);
    double XYZ[3] = {0.0, 0.0, 0.0};
    double fullY = 0.0;
    for (int k = 0; k < 3; ++k) {
        const int dmx16 = levels[k] * 257;
        double light = levels[k] / 255.0;
        if (curve == CurveNormal)
            light = dmx16ToSquareLawDimRatio(dmx16);
        else if (curve == CurveTungsten)
            light = dmx16ToTungstenDimRatio(dmx16);
        XYZ[0] += tri->getX().at(k) * light;
        XYZ[1] += tri->getY().at(k) * light;
        XYZ[2] += tri->getZ().at(k) * light;
        fullY += tri->getY().at(k);
    }
    if (!(fullY > 0.0))
        return QColor(Qt::black);
    for (double &v : XYZ)
        v /= fullY;
    return xyzToDisplayColor(XYZ);
}

QColor ColorUtils::xyzToDisplayColor(const double XYZ[3])
{
    // IEC 61966-2-1 (sRGB), D65.
    static const double toLinear[3][3] = {{3.2404542, -1.5371385, -0.4985314},
                                          {-0.9692660, 1.8760108, 0.0415560},
                                          {0.0556434, -0.2040259, 1.0572252}};
    double rgb[3];
    for (int i = 0; i < 3; ++i)
        rgb[i] = toLinear[i][0] * XYZ[0] + toLinear[i][1] * XYZ[1] + toLinear[i][2] * XYZ[2];

    // Out of gamut: move towards the grey of the same luminance just far
    // enough that every channel fits. Grey (Y, Y, Y) has luminance Y in sRGB,
    // so the luminance stays, and the line to grey keeps the hue.
    const double grey = qBound(0.0, XYZ[1], 1.0);
    double keep = 1.0;
    for (double c : rgb) {
        if (c > 1.0)
            keep = qMin(keep, (1.0 - grey) / (c - grey));
        else if (c < 0.0)
            keep = qMin(keep, grey / (grey - c));
    }
    keep = qBound(0.0, keep, 1.0);
    int out[3];
    for (int i = 0; i < 3; ++i) {
        const double c = qBound(0.0, grey + keep * (rgb[i] - grey), 1.0);
        const double encoded = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
        out[i] = qBound(0, int(std::floor(encoded * 255.0 + 0.5)), 255);
    }
    return QColor(out[0], out[1], out[2]);
}

void ColorUtils::updateColor(OvrColor &base, const OvrColor &layer)
{
    if (base.isBlack() || layer.alpha8() == 255) {
        base = layer;
        return;
    }
    if (base.getChannelConfiguration() != layer.getChannelConfiguration()
        || base.getPrismalProfileID() != layer.getPrismalProfileID() || base.spec() != layer.spec()) {
        base = base.convertTo(layer.spec(), layer.getChannelConfiguration(), layer.getPrismalProfileID());
    }
    const double alpha = layer.alphaF();
    if (layer.spec() == OvrColor::Yxy) {
        base.setYxyF(alpha * layer.getY() + (1.0 - alpha) * base.getY(),
                     alpha * layer.getx() + (1.0 - alpha) * base.getx(),
                     alpha * layer.gety() + (1.0 - alpha) * base.gety(), 1.0, ProfileGenericRGB);
        return;
    }
    if (layer.getChannelConfiguration() == ConfigRGB) {
        int lr, lg, lb, br, bg, bb;
        layer.getRgb16(&lr, &lg, &lb);
        base.getRgb16(&br, &bg, &bb);
        auto mixed = [alpha](int l, int b) { return qBound(0, int(l * alpha + b * (1.0 - alpha)), 65535); };
        base.setRgb16(mixed(lr, br), mixed(lg, bg), mixed(lb, bb), 65535, ProfileGenericRGB);
        return;
    }
    QVector<unsigned int> layerLevels, baseLevels;
    layer.getNChannel16(&layerLevels);
    base.getNChannel16(&baseLevels);
    for (int k = 1; k < qMin(layerLevels.size(), baseLevels.size()); ++k) {
        const double mixed = layerLevels.at(k) * alpha + baseLevels.at(k) * (1.0 - alpha);
        baseLevels[k] = unsigned(qBound(0.0, mixed, 65535.0));
    }
    base.setNChannel16(baseLevels, base.getChannelConfiguration(), ProfileGenericRGB);
}

QList<unsigned char> ColorUtils::updateBuffer(int directCurve, int yxyCurve, const OvrColor &colour, bool allowDirect,
                                              int channelCount, int resolution, IOModeID ioMode,
                                              PrismalProfileID profile)
{
    QList<unsigned char> bytes;
    if (channelCount <= 0 || (resolution != 1 && resolution != 2))
        return bytes;
    OvrColor base(0, 0, 0, 65535);
    updateColor(base, colour);
    QVector<unsigned char> buffer(channelCount * resolution, 0);
    convertOvrColorToDMX(base, allowDirect, channelCount, resolution, buffer.data(), directCurve, yxyCurve, profile,
                         ioMode);
    for (unsigned char byte : qAsConst(buffer))
        bytes.append(byte);
    return bytes;
}

QList<unsigned char> ColorUtils::expandFor5Channels(const QList<unsigned char> &bytes)
{
    QList<unsigned char> expanded;
    if (bytes.size() == 3) {
        expanded << bytes.at(0) << bytes.at(1) << bytes.at(2) << bytes.at(0) << bytes.at(1);
    } else if (bytes.size() == 6) {
        expanded = bytes;
        expanded << bytes.at(0) << bytes.at(1) << bytes.at(2) << bytes.at(3);
    }
    return expanded;
}

double ColorUtils::minDistance(QPointF a, QPointF b, QPointF p, QPointF &nearest)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0)
        t = ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / lengthSquared;
    if (t <= 0.0 || !std::isfinite(t))
        nearest = a;
    else if (t >= 1.0)
        nearest = b;
    else
        nearest = QPointF(a.x() + t * dx, a.y() + t * dy);
    const double ex = p.x() - nearest.x();
    const double ey = p.y() - nearest.y();
    return std::sqrt(ex * ex + ey * ey);
}

bool ColorUtils::validateDimmingRatio(const QVector<double> &levels)
{
    for (double level : levels) {
        if (!(level >= 0.0 && level <= 1.0))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Curves and level mapping

unsigned short ColorUtils::nChannelFToPWM(double level)
{
    // Levels beyond full (a luminance above 1) and non-numbers must not wrap
    // around in the 16-bit result.
    if (!(level > 0.0))
        return 0;
    const double v = std::floor(level * 65535.0 + 0.5);
    return v >= 65535.0 ? 65535 : static_cast<unsigned short>(v);
}

void ColorUtils::nChannelFToPWM(const double *levels, unsigned short *pwm, int count)
{
    convertEach(levels, pwm, count, [](double level) { return nChannelFToPWM(level); });
}

void ColorUtils::pwmToMNormDLinearRes16(const unsigned short *pwm, unsigned short *dst, int count)
{
    convertEach(pwm, dst, count, [](unsigned short level) { return level; });
}

unsigned char ColorUtils::pwm16ToMNormDLinearRes8(unsigned short pwm)
{
    return static_cast<unsigned char>(std::floor(pwm / 257.0 + 0.5));
}

void ColorUtils::pwmToMNormDLinearRes8(const unsigned short *pwm, unsigned char *dst, int count)
{
    convertEach(pwm, dst, count, pwm16ToMNormDLinearRes8);
}

unsigned char ColorUtils::pwm16ToMNormDNormRes8(unsigned short pwm)
{
    if (pwm == 0)
        return 0;
    return static_cast<unsigned char>(quadraticSolver(0.941203f, 16.936f, -0.065865f, pwm, 255.0f));
}

void ColorUtils::pwmToMNormDNormRes8(const unsigned short *pwm, unsigned char *dst, int count)
{
    convertEach(pwm, dst, count, pwm16ToMNormDNormRes8);
}

unsigned short ColorUtils::pwm16ToMNormDNormRes16(unsigned short pwm)
{
    if (pwm == 0)
        return 0;
    return static_cast<unsigned short>(quadraticSolver(0.00001425f, 0.065898f, -0.065865f, pwm, 65535.0f));
}

void ColorUtils::pwmToMNormDNormRes16(const unsigned short *pwm, unsigned short *dst, int count)
{
    convertEach(pwm, dst, count, pwm16ToMNormDNormRes16);
}

unsigned char ColorUtils::pwm16ToMNormDTungstenRes8(unsigned short pwm)
{
    if (pwm <= 4)
        return 0;
    if (pwm <= 321)
        return static_cast<unsigned char>(quadraticSolver(0.221829f, -1.002f, 4.339f, pwm, 255.0f));
    return static_cast<unsigned char>(quadraticSolver(1.31f, -83.603f, 1573.0f, pwm, 255.0f));
}

void ColorUtils::pwmToMNormDTungstenRes8(const unsigned short *pwm, unsigned char *dst, int count)
{
    convertEach(pwm, dst, count, pwm16ToMNormDTungstenRes8);
}

unsigned short ColorUtils::pwm16ToMNormDTungstenRes16(unsigned short pwm)
{
    if (pwm <= 4)
        return pwm;
    if (pwm <= 321)
        return static_cast<unsigned short>(quadraticSolver(0.000003359f, -0.0039f, 4.339f, pwm, 65535.0f));
    return static_cast<unsigned short>(quadraticSolver(0.000019829f, -0.325303f, 1573.0f, pwm, 65535.0f));
}

void ColorUtils::pwmToMNormDTungstenRes16(const unsigned short *pwm, unsigned short *dst, int count)
{
    convertEach(pwm, dst, count, pwm16ToMNormDTungstenRes16);
}

int ColorUtils::quadraticSolver(float a, float b, float c, float value, float max)
{
    if (a == 0.0f || !(max > 0.0f))
        return 0;
    const float D = b * b - 4.0f * a * (c - value);
    float x = 0.0f;
    if (D >= 0.0f) {
        const float root = std::sqrt(D);
        const float r1 = (root - b) / (2.0f * a);
        const float r2 = (-b - root) / (2.0f * a);
        if (r1 > 0.0f)
            x = r1;
        else if (r2 > 0.0f)
            x = r2;
    }
    if (!(x > 0.0f))
        x = 0.0f;
    if (x > max)
        x = max;
    return int(std::floor(x + 0.5f));
}

int ColorUtils::lut16BitToBit(int pwm)
{
    const double radicand = 3.7648 * pwm + 286.861969;
    if (!(radicand > 0.0))
        return 0;
    double r = (std::sqrt(radicand) - 16.937) / 1.8824;
    if (!(r > 0.0))
        r = 0.0;
    if (r > 255.0)
        r = 255.0;
    return int(r);
}

double ColorUtils::dmx16ToSquareLawDimRatio(int dmx16)
{
    const double d = dmx16;
    float f = float(1.674e-18 * d * d * d * d - 2.11838e-13 * d * d * d + 1.4257e-05 * d * d + 0.065828 * d
                    - 4.8488e-05);
    if (!(f > 0.0f))
        f = 0.0f;
    if (f > 65516.0f)
        f = 65516.0f;
    return f / 65516.0;
}

double ColorUtils::dmx16ToTungstenDimRatio(int dmx16)
{
    const double d = dmx16;
    const double d2 = d * d;
    const double d3 = d2 * d;
    const double d4 = d3 * d;
    const double d5 = d4 * d;
    const double d6 = d5 * d;
    const double d7 = d6 * d;
    float f = float(3.7684e-29 * d7 - 9.555e-24 * d6 + 1.045e-18 * d5 - 6.1689e-14 * d4 + 2.031e-09 * d3
                    - 1.6217e-05 * d2 - 9.38789e-10 * d - 4.64192e-16);
    if (!(f > 0.0f))
        f = 0.0f;
    if (f > 65535.0f)
        f = 65535.0f;
    return f / 65535.0;
}

void ColorUtils::applyCurve(int count, int resolution, const double *levels, unsigned char *dst, int curveType,
                            int mode)
{
    if (!levels || !dst || count <= 0)
        return;
    const Curve *curve = mode == CurveModeYxy ? nullptr : CurveFactory::Instance()->getCurve(curveType);
    if (resolution == 2) {
        for (int k = 0; k < count; ++k) {
            const unsigned short out = curvedLevel16(levels[k], curveType, curve);
            dst[2 * k] = static_cast<unsigned char>(out >> 8);
            dst[2 * k + 1] = static_cast<unsigned char>(out & 0xFF);
        }
        return;
    }
    for (int k = 0; k < count; ++k)
        dst[k] = curvedLevel8(levels[k], curveType, curve);
}

void ColorUtils::applyCurve16(int count, const double *levels, unsigned short *dst, int curveType, int mode)
{
    if (!levels || !dst || count <= 0)
        return;
    const Curve *curve = mode == CurveModeYxy ? nullptr : CurveFactory::Instance()->getCurve(curveType);
    for (int k = 0; k < count; ++k)
        dst[k] = curvedLevel16(levels[k], curveType, curve);
}
