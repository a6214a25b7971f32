// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolor.h"

#include "colorutils.h"
#include "ovrcolorlogging.h"
#include "prismalprofilefactory.h"
#include "tristimulusfactory.h"

#include <QDebug>
#include <QLinearGradient>
#include <QMimeData>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr quint32 Scale8 = 0x01010101u;
constexpr quint32 Scale16 = 0x10001u;
constexpr double MaxF = 4294967295.0;
constexpr quint32 Achromatic = 0xFFFFFFFFu;

// Stores a fraction 0..1 in 32 bits. Anything that is not a number maps to 0
// and values outside 0..1 are clamped, so the conversion to an integer is
// always defined.
quint32 fromF(double f)
{
    if (!(f > 0.0))
        return 0;
    if (f >= 1.0)
        return 0xFFFFFFFFu;
    return quint32(quint64(f * MaxF + 0.5));
}

double toF(quint32 v)
{
    return v / MaxF;
}

quint32 hueFromF(double f)
{
    if (f == -1.0)
        return Achromatic;
    if (!(f > 0.0))
        return 0;
    if (f >= 1.0)
        return 36000;
    return quint32(f * 36000.0 + 0.5);
}

double clamp01(double v)
{
    if (!(v > 0.0))
        return 0.0;
    return v > 1.0 ? 1.0 : v;
}

bool in8(qint64 v)
{
    return v >= 0 && v <= 255;
}

bool in16(qint64 v)
{
    return v >= 0 && v <= 65535;
}

bool inF(double v)
{
    return v >= 0.0 && v <= 1.0;
}

bool validProfile(int profile)
{
    return profile >= 0 && profile < ColorUtils::PrismalProfileCount;
}

bool validConfiguration(int configuration)
{
    return configuration >= ColorUtils::ConfigUnknown && configuration <= ColorUtils::ConfigRGBA;
}

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Reads `digits` hexadecimal digits starting at `pos`; -1 on a bad digit.
qint64 hexField(const QString &s, int pos, int digits)
{
    qint64 v = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = hexValue(s.at(pos + i));
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

// Parses "#RRGGBB", "#AARRGGBB", "#RRRRGGGGBBBB" or "#AAAARRRRGGGGBBBB" into
// 16-bit values. Anything else (wrong length, bad digit, text beyond the 16
// digits) is rejected rather than truncated.
bool parseHex(const QString &s, qint64 &r, qint64 &g, qint64 &b, qint64 &a)
{
    if (s.isEmpty() || s.at(0) != QLatin1Char('#') || s.size() > 17)
        return false;
    const int digits = s.size() - 1;
    switch (digits) {
    case 6:
        a = 0xFFFF;
        r = hexField(s, 1, 2) * 0x101;
        g = hexField(s, 3, 2) * 0x101;
        b = hexField(s, 5, 2) * 0x101;
        break;
    case 8:
        a = hexField(s, 1, 2) * 0x101;
        r = hexField(s, 3, 2) * 0x101;
        g = hexField(s, 5, 2) * 0x101;
        b = hexField(s, 7, 2) * 0x101;
        break;
    case 12:
        a = 0xFFFF;
        r = hexField(s, 1, 4);
        g = hexField(s, 5, 4);
        b = hexField(s, 9, 4);
        break;
    case 16:
        a = hexField(s, 1, 4);
        r = hexField(s, 5, 4);
        g = hexField(s, 9, 4);
        b = hexField(s, 13, 4);
        break;
    default:
        return false;
    }
    return r >= 0 && g >= 0 && b >= 0 && a >= 0;
}

void appendHex4(char *&out, unsigned v)
{
    static const char digits[] = "0123456789abcdef";
    out[0] = digits[(v >> 12) & 0xF];
    out[1] = digits[(v >> 8) & 0xF];
    out[2] = digits[(v >> 4) & 0xF];
    out[3] = digits[v & 0xF];
    out += 4;
}

void appendHex2(char *&out, unsigned v)
{
    static const char digits[] = "0123456789abcdef";
    out[0] = digits[(v >> 4) & 0xF];
    out[1] = digits[v & 0xF];
    out += 2;
}

void appendInt(char *&out, qint64 v)
{
    if (v < 0) {
        *out++ = '-';
        v = -v;
    }
    char tmp[24];
    int n = 0;
    do {
        tmp[n++] = char('0' + v % 10);
        v /= 10;
    } while (v);
    while (n)
        *out++ = tmp[--n];
}

// Longest "%f" text of a double: a sign, 309 integer digits, the point and
// six decimals ("inf" and "nan" are shorter).
constexpr int maxFixed6Length = 1 + 309 + 1 + 6;

// "%f": six decimals, correctly rounded and independent of the C locale
// (the program's locale may use a decimal comma). @p out must have room for
// maxFixed6Length characters.
void appendFixed6(char *&out, double v)
{
    const std::to_chars_result r = std::to_chars(out, out + maxFixed6Length, v, std::chars_format::fixed, 6);
    Q_ASSERT(r.ec == std::errc());
    out = r.ptr;
}

// Decimal real as written by aName(), however long; other spellings
// (leading '+', surrounding blanks) go through Qt's parser.
double parseReal(const QStringRef &text, bool *ok)
{
    char buf[maxFixed6Length + 1];
    const int n = text.size();
    if (n > 0 && n < int(sizeof(buf))) {
        const QChar *in = text.unicode();
        bool ascii = true;
        for (int i = 0; i < n; ++i) {
            const ushort c = in[i].unicode();
            if (c > 0x7F) {
                ascii = false;
                break;
            }
            buf[i] = char(c);
        }
        if (ascii) {
            double value = 0.0;
            const std::from_chars_result r = std::from_chars(buf, buf + n, value);
            if (r.ec == std::errc() && r.ptr == buf + n) {
                *ok = true;
                return value;
            }
        }
    }
    return text.toDouble(ok);
}

} // namespace

// ---------------------------------------------------------------------------
// Construction

OvrColor::OvrColor()
{
    invalidate();
}

OvrColor::OvrColor(unsigned int rgb)
{
    invalidate();
    setRgb8((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, 255, ColorUtils::ProfileGenericRGB);
}

OvrColor::OvrColor(unsigned int r, unsigned int g, unsigned int b, unsigned int a)
{
    invalidate();
    if (r > 65535 || g > 65535 || b > 65535 || a > 65535) {
        qCWarning(lcOvrColor, "OvrColor::setRgb16: RGB parameters out of range");
        return;
    }
    setRgb16(int(r), int(g), int(b), int(a), ColorUtils::ProfileGenericRGB);
}

OvrColor::OvrColor(double x, double y)
{
    invalidate();
    setYxyF(1.0, x, y, 1.0, ColorUtils::ProfileGenericRGB);
}

OvrColor::OvrColor(const QColor &color)
{
    invalidate();
    setQColor(color);
}

OvrColor::OvrColor(Qt::GlobalColor color)
{
    invalidate();
    operator=(color);
}

OvrColor::OvrColor(const char *name)
{
    invalidate();
    setNamedColor(QLatin1String(name));
}

OvrColor::OvrColor(const QString &name)
{
    invalidate();
    setNamedColor(name);
}

OvrColor &OvrColor::operator=(const QColor &color)
{
    setQColor(color);
    return *this;
}

OvrColor &OvrColor::operator=(Qt::GlobalColor color)
{
    const QRgb v = QColor(color).rgba();
    setRgb8(qRed(v), qGreen(v), qBlue(v), qAlpha(v), ColorUtils::ProfileGenericRGB);
    return *this;
}

void OvrColor::invalidate()
{
    m_configuration = ColorUtils::ConfigRGB;
    m_profile = ColorUtils::ProfileGenericRGB;
    m_spec = Invalid;
    m_alpha = 0xFFFFFFFFu;
    m_c1 = m_c2 = m_c3 = 0;
    m_Y = m_x = m_y = 0.0;
    m_levels.clear();
}

// ---------------------------------------------------------------------------
// Factories

OvrColor OvrColor::fromRgb8(int r, int g, int b, int a, PrismalProfileID profile)
{
    OvrColor c;
    if (!in8(r) || !in8(g) || !in8(b) || !in8(a)) {
        qCWarning(lcOvrColor, "OvrColor::fromRgb: RGB parameters out of range");
        return c;
    }
    c.setRgbRaw(quint32(r) * Scale8, quint32(g) * Scale8, quint32(b) * Scale8, quint32(a) * Scale8, profile);
    return c;
}

OvrColor OvrColor::fromRgb16(int r, int g, int b, int a, PrismalProfileID profile)
{
    OvrColor c;
    if (!in16(r) || !in16(g) || !in16(b) || !in16(a)) {
        qCWarning(lcOvrColor, "OvrColor::fromRgb16: RGB parameters out of range");
        return c;
    }
    c.setRgbRaw(quint32(r) * Scale16, quint32(g) * Scale16, quint32(b) * Scale16, quint32(a) * Scale16, profile);
    return c;
}

OvrColor OvrColor::fromRgbF(double r, double g, double b, double a, PrismalProfileID profile)
{
    OvrColor c;
    if (!inF(r) || !inF(g) || !inF(b) || !inF(a)) {
        qCWarning(lcOvrColor, "OvrColor::fromRgbF: RGB parameters out of range");
        return c;
    }
    c.setRgbRaw(fromF(r), fromF(g), fromF(b), fromF(a), profile);
    return c;
}

OvrColor OvrColor::fromHsv8(int h, int s, int v, int a, PrismalProfileID profile)
{
    OvrColor c;
    if (h < -1 || h > 359 || !in8(s) || !in8(v) || !in8(a)) {
        qCWarning(lcOvrColor, "OvrColor::fromHsv: HSV parameters out of range");
        return c;
    }
    c.setHsvRaw(h == -1 ? Achromatic : quint32(h) * 100, quint32(s) * Scale8, quint32(v) * Scale8,
                quint32(a) * Scale8, profile);
    return c;
}

OvrColor OvrColor::fromHsv16(int h, int s, int v, int a, PrismalProfileID profile)
{
    OvrColor c;
    if (h < -1 || h > 359 || !in16(s) || !in16(v) || !in16(a)) {
        qCWarning(lcOvrColor, "OvrColor::fromHsv: HSV parameters out of range");
        return c;
    }
    c.setHsvRaw(h == -1 ? Achromatic : quint32(h) * 100, quint32(s) * Scale16, quint32(v) * Scale16,
                quint32(a) * Scale16, profile);
    return c;
}

OvrColor OvrColor::fromHsvF(double h, double s, double v, double a, PrismalProfileID profile)
{
    OvrColor c;
    if ((h != -1.0 && !inF(h)) || !inF(s) || !inF(v) || !inF(a)) {
        qCWarning(lcOvrColor, "OvrColor::fromHsvF: HSV parameters out of range");
        return c;
    }
    c.setHsvRaw(hueFromF(h), fromF(s), fromF(v), fromF(a), profile);
    return c;
}

OvrColor OvrColor::fromxyY(double x, double y, double Y, PrismalProfileID profile)
{
    OvrColor c;
    if (!inF(x) || !inF(y) || !inF(Y)) {
        qCWarning(lcOvrColor, "OvrColor::fromxyY: xyY parameters out of range");
        return c;
    }
    c.setYxyF(Y, x, y, 1.0, profile);
    return c;
}

OvrColor OvrColor::fromNChannel8(const QVector<unsigned int> &levels, ChannelConfiguration configuration,
                                 PrismalProfileID profile)
{
    OvrColor c;
    c.setNChannel8(levels, configuration, profile);
    return c;
}

OvrColor OvrColor::fromNChannel16(const QVector<unsigned int> &levels, ChannelConfiguration configuration,
                                  PrismalProfileID profile)
{
    OvrColor c;
    c.setNChannel16(levels, configuration, profile);
    return c;
}

OvrColor OvrColor::fromNChannelF(const QVector<double> &levels, ChannelConfiguration configuration,
                                 PrismalProfileID profile)
{
    OvrColor c;
    c.setNChannelF(levels, configuration, profile);
    return c;
}

OvrColor OvrColor::fromRgb(unsigned int rgb)
{
    OvrColor c;
    c.setRgb8((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, 255, ColorUtils::ProfileGenericRGB);
    return c;
}

OvrColor OvrColor::fromRgba(unsigned int rgba)
{
    OvrColor c;
    c.setRgb8((rgba >> 16) & 0xFF, (rgba >> 8) & 0xFF, rgba & 0xFF, (rgba >> 24) & 0xFF,
              ColorUtils::ProfileGenericRGB);
    return c;
}

// ---------------------------------------------------------------------------
// Range checks of the single-component setters: they invalidate without a
// warning (the caller's value is simply not representable).

bool OvrColor::checkRange16(const char *operation, qint64 value)
{
    if (in16(value))
        return true;
    qCDebug(lcOvrColor) << operation << "value out of range:" << value;
    invalidate();
    return false;
}

bool OvrColor::checkRange8(const char *operation, qint64 value)
{
    if (in8(value))
        return true;
    qCDebug(lcOvrColor) << operation << "value out of range:" << value;
    invalidate();
    return false;
}

bool OvrColor::checkRangeReal(const char *operation, double value)
{
    if (inF(value))
        return true;
    qCDebug(lcOvrColor) << operation << "value out of range:" << value;
    invalidate();
    return false;
}

// ---------------------------------------------------------------------------
// Whole-colour setters

void OvrColor::setRgb8(int r, int g, int b, int a, PrismalProfileID profile)
{
    if (!in8(r) || !in8(g) || !in8(b) || !in8(a)) {
        qCWarning(lcOvrColor, "OvrColor::setRgb8: RGB parameters out of range");
        invalidate();
        return;
    }
    setRgbRaw(quint32(r) * Scale8, quint32(g) * Scale8, quint32(b) * Scale8, quint32(a) * Scale8, profile);
}

void OvrColor::setRgb16(int r, int g, int b, int a, PrismalProfileID profile)
{
    if (!in16(r) || !in16(g) || !in16(b) || !in16(a)) {
        qCWarning(lcOvrColor, "OvrColor::setRgb16: RGB parameters out of range");
        invalidate();
        return;
    }
    setRgbRaw(quint32(r) * Scale16, quint32(g) * Scale16, quint32(b) * Scale16, quint32(a) * Scale16, profile);
}

void OvrColor::setRgb16(const unsigned int *rgb3, PrismalProfileID profile)
{
    if (!rgb3 || rgb3[0] > 65535 || rgb3[1] > 65535 || rgb3[2] > 65535) {
        qCWarning(lcOvrColor, "OvrColor::setRgb16: RGB parameters out of range");
        invalidate();
        return;
    }
    setRgb16(int(rgb3[0]), int(rgb3[1]), int(rgb3[2]), 65535, profile);
}

void OvrColor::setRgbF(double r, double g, double b, double a, PrismalProfileID profile)
{
    if (!inF(r) || !inF(g) || !inF(b) || !inF(a)) {
        qCWarning(lcOvrColor, "OvrColor::setRgbF: RGB parameters out of range");
        invalidate();
        return;
    }
    setRgbRaw(fromF(r), fromF(g), fromF(b), fromF(a), profile);
}

void OvrColor::setHsv8(int h, int s, int v, int a, PrismalProfileID profile)
{
    if (h < 0 || h > 360 || !in8(s) || !in8(v) || !in8(a)) {
        qCWarning(lcOvrColor, "OvrColor::setHsv8: HSV parameters out of range");
        invalidate();
        return;
    }
    setHsvRaw(quint32(h % 360) * 100, quint32(s) * Scale8, quint32(v) * Scale8, quint32(a) * Scale8, profile);
}

void OvrColor::setHsv16(int h, int s, int v, int a, PrismalProfileID profile)
{
    // Hues below -1 have no meaning and are rejected like the others.
    if (h < -1 || h > 65535 || !in16(s) || !in16(v) || !in16(a)) {
        qCWarning(lcOvrColor, "OvrColor::setHsv16: HSV parameters out of range");
        invalidate();
        return;
    }
    setHsvRaw(h == -1 ? Achromatic : quint32(h % 360) * 100, quint32(s) * Scale16, quint32(v) * Scale16,
              quint32(a) * Scale16, profile);
}

void OvrColor::setHsvF(double h, double s, double v, double a, PrismalProfileID profile)
{
    if ((h != -1.0 && !inF(h)) || !inF(s) || !inF(v) || !inF(a)) {
        qCWarning(lcOvrColor, "OvrColor::setHsvF: HSV parameters out of range");
        invalidate();
        return;
    }
    setHsvRaw(hueFromF(h), fromF(s), fromF(v), fromF(a), profile);
}

void OvrColor::setRgbRaw(quint32 r, quint32 g, quint32 b, quint32 alpha, PrismalProfileID profile)
{
    setComponentsRaw(Rgb, r, g, b, alpha, profile);
}

void OvrColor::setHsvRaw(quint32 h, quint32 s, quint32 v, quint32 alpha, PrismalProfileID profile)
{
    setComponentsRaw(Hsv, h, s, v, alpha, profile);
}

void OvrColor::setComponentsRaw(Spec spec, quint32 c1, quint32 c2, quint32 c3, quint32 alpha,
                                PrismalProfileID profile)
{
    m_levels.clear();
    m_Y = m_x = m_y = 0.0;
    m_spec = spec;
    m_configuration = ColorUtils::ConfigRGB;
    m_profile = profile;
    m_alpha = alpha;
    m_c1 = c1;
    m_c2 = c2;
    m_c3 = c3;
}

void OvrColor::setYxyRaw(double Y, double x, double y, quint32 alpha, PrismalProfileID profile)
{
    // A colour that is not a number in any coordinate cannot be rendered;
    // keeping it would carry NaN into every later integer conversion.
    if (!std::isfinite(Y) || !std::isfinite(x) || !std::isfinite(y)) {
        qCDebug(lcOvrColor) << "OvrColor: Yxy values are not finite" << Y << x << y;
        invalidate();
        return;
    }
    m_levels.clear();
    m_c1 = m_c2 = m_c3 = 0;
    m_spec = Yxy;
    m_profile = profile;
    m_alpha = alpha;
    m_Y = Y;
    m_x = x;
    m_y = y;
}

void OvrColor::setYxyF(double Y, double x, double y, double a, PrismalProfileID profile)
{
    if (!checkRangeReal("OvrColor::setAlphaF", a))
        return;
    setYxyRaw(Y, x, y, fromF(a), profile);
}

void OvrColor::setYxy16(double Y, double x, double y, int a16, PrismalProfileID profile)
{
    if (!checkRange16("OvrColor::setAlpha16", a16))
        return;
    setYxyRaw(Y, x, y, quint32(a16) * Scale16, profile);
}

void OvrColor::setYxy8(double Y, double x, double y, int a8, PrismalProfileID profile)
{
    if (!checkRange8("OvrColor::setAlpha8", a8))
        return;
    setYxyRaw(Y, x, y, quint32(a8) * Scale8, profile);
}

void OvrColor::setNChannel8(const QVector<unsigned int> &levels, ChannelConfiguration configuration,
                            PrismalProfileID profile)
{
    // Element 0 is the alpha; without it there is nothing to read.
    if (levels.isEmpty()) {
        invalidate();
        return;
    }
    QVector<quint32> stored(levels.size() - 1);
    // Levels above the 8-bit range would wrap around when scaled; they are
    // clamped to full instead.
    for (int i = 1; i < levels.size(); ++i)
        stored[i - 1] = qMin(levels.at(i), 255u) * Scale8;
    setNChannelRaw(stored, qMin(levels.at(0), 255u) * Scale8, configuration, profile);
}

void OvrColor::setNChannelRaw(const QVector<quint32> &levels, quint32 alpha, ChannelConfiguration configuration,
                              PrismalProfileID profile)
{
    const NChannelRenderType render = getNChannelRenderType();
    m_c2 = m_c3 = 0;
    m_Y = m_x = m_y = 0.0;
    m_c1 = render;
    m_spec = NChannel;
    m_configuration = configuration;
    m_profile = profile;
    m_alpha = alpha;
    m_levels = levels;
}

void OvrColor::setNChannel16(const QVector<unsigned int> &levels, ChannelConfiguration configuration,
                             PrismalProfileID profile)
{
    if (levels.isEmpty()) {
        invalidate();
        return;
    }
    if (!checkRange16("OvrColor::setAlpha16", levels.at(0)))
        return;
    QVector<quint32> stored(levels.size() - 1);
    for (int i = 1; i < levels.size(); ++i)
        stored[i - 1] = qMin(levels.at(i), 65535u) * Scale16;
    setNChannelRaw(stored, levels.at(0) * Scale16, configuration, profile);
}

void OvrColor::setNChannelF(const QVector<double> &levels, ChannelConfiguration configuration,
                            PrismalProfileID profile)
{
    if (levels.isEmpty()) {
        invalidate();
        return;
    }
    if (!checkRangeReal("OvrColor::setAlphaF", levels.at(0)))
        return;
    QVector<quint32> stored(levels.size() - 1);
    for (int i = 1; i < levels.size(); ++i)
        stored[i - 1] = fromF(levels.at(i));
    setNChannelRaw(stored, fromF(levels.at(0)), configuration, profile);
}

void OvrColor::setQColor(const QColor &color)
{
    // An invalid Qt colour has no components to take over.
    if (!color.isValid()) {
        invalidate();
        return;
    }
    setRgb8(color.red(), color.green(), color.blue(), color.alpha(), ColorUtils::ProfileGenericRGB);
}

// ---------------------------------------------------------------------------
// Single-component setters

void OvrColor::setRed8(int red)
{
    if (!checkRange8("OvrColor::setRed8", red))
        return;
    if (m_spec == Rgb)
        m_c1 = quint32(red) * Scale8;
    else
        setRgb8(red, green8(), blue8(), alpha8(), m_profile);
}

void OvrColor::setRed16(int red)
{
    if (!checkRange16("OvrColor::setRed16", red))
        return;
    if (m_spec == Rgb)
        m_c1 = quint32(red) * Scale16;
    else
        setRgb16(red, green16(), blue16(), alpha16(), m_profile);
}

void OvrColor::setRedF(double red)
{
    if (!checkRangeReal("OvrColor::setRedF", red))
        return;
    if (m_spec == Rgb)
        m_c1 = fromF(red);
    else
        setRgbF(red, greenF(), blueF(), alphaF(), m_profile);
}

void OvrColor::setGreen8(int green)
{
    if (!checkRange8("OvrColor::setGreen8", green))
        return;
    if (m_spec == Rgb)
        m_c2 = quint32(green) * Scale8;
    else
        setRgb8(red8(), green, blue8(), alpha8(), m_profile);
}

void OvrColor::setGreen16(int green)
{
    if (!checkRange16("OvrColor::setGreen16", green))
        return;
    if (m_spec == Rgb)
        m_c2 = quint32(green) * Scale16;
    else
        setRgb16(red16(), green, blue16(), alpha16(), m_profile);
}

void OvrColor::setGreenF(double green)
{
    if (!checkRangeReal("OvrColor::setGreenF", green))
        return;
    if (m_spec == Rgb)
        m_c2 = fromF(green);
    else
        setRgbF(redF(), green, blueF(), alphaF(), m_profile);
}

void OvrColor::setBlue8(int blue)
{
    if (!checkRange8("OvrColor::setBlue8", blue))
        return;
    if (m_spec == Rgb)
        m_c3 = quint32(blue) * Scale8;
    else
        setRgb8(red8(), green8(), blue, alpha8(), m_profile);
}

void OvrColor::setBlue16(int blue)
{
    if (!checkRange16("OvrColor::setBlue16", blue))
        return;
    if (m_spec == Rgb)
        m_c3 = quint32(blue) * Scale16;
    else
        setRgb16(red16(), green16(), blue, alpha16(), m_profile);
}

void OvrColor::setBlueF(double blue)
{
    if (!checkRangeReal("OvrColor::setBlueF", blue))
        return;
    if (m_spec == Rgb)
        m_c3 = fromF(blue);
    else
        setRgbF(redF(), greenF(), blue, alphaF(), m_profile);
}

void OvrColor::setAlpha8(int alpha)
{
    if (!in8(alpha)) {
        qCWarning(lcOvrColor, "OvrColor::setAlpha8: alpha parameter out of range");
        invalidate();
        return;
    }
    m_alpha = quint32(alpha) * Scale8;
}

void OvrColor::setAlpha16(int alpha)
{
    if (!checkRange16("OvrColor::setAlpha16", alpha))
        return;
    m_alpha = quint32(alpha) * Scale16;
}

void OvrColor::setAlphaF(double alpha)
{
    if (!checkRangeReal("OvrColor::setAlphaF", alpha))
        return;
    m_alpha = fromF(alpha);
}

bool OvrColor::makeYxy()
{
    if (m_spec == Yxy)
        return true;
    const OvrColor c = (m_spec == Invalid) ? *this : toYxy(ColorUtils::ConfigUnknown, -1, -1);
    const int a16 = alpha16();
    setYxy16(c.m_Y, c.m_x, c.m_y, a16, m_profile);
    return m_spec == Yxy;
}

void OvrColor::setY(double Y)
{
    if (!checkRangeReal("OvrColor::setY", Y))
        return;
    if (!makeYxy())
        return;
    m_Y = Y;
}

void OvrColor::setx(double x)
{
    if (!checkRangeReal("OvrColor::setx", x))
        return;
    if (!makeYxy())
        return;
    m_x = x;
}

void OvrColor::sety(double y)
{
    if (!checkRangeReal("OvrColor::sety", y))
        return;
    if (!makeYxy())
        return;
    m_y = y;
}

OvrColor::NChannelRenderType OvrColor::getNChannelRenderType() const
{
    if (m_spec == NChannel && m_c1 == RenderYxy)
        return RenderYxy;
    return RenderRgb;
}

void OvrColor::setNChannelRenderType(NChannelRenderType type)
{
    // Component 1 holds the red or hue of other models; only an n-channel
    // colour carries a render type.
    if (m_spec == NChannel)
        m_c1 = type == RenderYxy ? RenderYxy : RenderRgb;
}

// ---------------------------------------------------------------------------
// Getters

#define OVR_RGB_GETTERS(name, field)                                                                                   \
    int OvrColor::name##8() const                                                                                      \
    {                                                                                                                  \
        if (m_spec == Invalid || m_spec == Rgb)                                                                        \
            return int(field >> 24);                                                                                   \
        return toRgb16(true).name##8();                                                                                \
    }                                                                                                                  \
    int OvrColor::name##16() const                                                                                     \
    {                                                                                                                  \
        if (m_spec == Invalid || m_spec == Rgb)                                                                        \
            return int(field >> 16);                                                                                   \
        return toRgb16(true).name##16();                                                                               \
    }                                                                                                                  \
    double OvrColor::name##F() const                                                                                   \
    {                                                                                                                  \
        if (m_spec == Invalid || m_spec == Rgb)                                                                        \
            return toF(field);                                                                                         \
        return toRgb16(true).name##F();                                                                                \
    }

OVR_RGB_GETTERS(red, m_c1)
OVR_RGB_GETTERS(green, m_c2)
OVR_RGB_GETTERS(blue, m_c3)
#undef OVR_RGB_GETTERS

int OvrColor::hue8() const
{
    if (m_spec != Invalid && m_spec != Hsv)
        return toHsv16().hue8();
    if (m_c1 == Achromatic)
        return -1;
    // Half away from zero; a stored 36000 (a full circle) reads as 359.
    return qMin(int((m_c1 + 50) / 100), 359);
}

int OvrColor::hue16() const
{
    return hue8();
}

double OvrColor::hueF() const
{
    if (m_spec != Invalid && m_spec != Hsv)
        return toHsv16().hueF();
    if (m_c1 == Achromatic)
        return -1.0;
    return m_c1 / 36000.0;
}

#define OVR_HSV_GETTERS(name, field)                                                                                   \
    int OvrColor::name##8() const                                                                                      \
    {                                                                                                                  \
        if (m_spec == Invalid || m_spec == Hsv)                                                                        \
            return int(field >> 24);                                                                                   \
        return toHsv16().name##8();                                                                                    \
    }                                                                                                                  \
    int OvrColor::name##16() const                                                                                     \
    {                                                                                                                  \
        if (m_spec == Invalid || m_spec == Hsv)                                                                        \
            return int(field >> 16);                                                                                   \
        return toHsv16().name##16();                                                                                   \
    }                                                                                                                  \
    double OvrColor::name##F() const                                                                                   \
    {                                                                                                                  \
        if (m_spec == Invalid || m_spec == Hsv)                                                                        \
            return toF(field);                                                                                         \
        return toHsv16().name##F();                                                                                    \
    }

OVR_HSV_GETTERS(saturation, m_c2)
OVR_HSV_GETTERS(value, m_c3)
#undef OVR_HSV_GETTERS

int OvrColor::alpha8() const
{
    return int(m_alpha >> 24);
}

int OvrColor::alpha16() const
{
    return int(m_alpha >> 16);
}

double OvrColor::alphaF() const
{
    return toF(m_alpha);
}

double OvrColor::getY() const
{
    if (m_spec == Invalid || m_spec == Yxy)
        return m_Y;
    return toYxy(ColorUtils::ConfigUnknown, -1, -1).m_Y;
}

double OvrColor::getx() const
{
    if (m_spec == Invalid || m_spec == Yxy)
        return m_x;
    return toYxy(ColorUtils::ConfigUnknown, -1, -1).m_x;
}

double OvrColor::gety() const
{
    if (m_spec == Invalid || m_spec == Yxy)
        return m_y;
    return toYxy(ColorUtils::ConfigUnknown, -1, -1).m_y;
}

void OvrColor::getYxyF(double *Y, double *x, double *y, double *a) const
{
    if (!Y || !x || !y)
        return;
    const OvrColor c = (m_spec == Invalid || m_spec == Yxy) ? *this : toYxy(ColorUtils::ConfigUnknown, -1, -1);
    *Y = c.m_Y;
    *x = c.m_x;
    *y = c.m_y;
    if (a)
        *a = alphaF();
}

void OvrColor::getYxy16(double *Y, double *x, double *y, int *a16) const
{
    double a = 0.0;
    getYxyF(Y, x, y, &a);
    if (Y && x && y && a16)
        *a16 = alpha16();
}

void OvrColor::getYxy8(double *Y, double *x, double *y, int *a8) const
{
    double a = 0.0;
    getYxyF(Y, x, y, &a);
    if (Y && x && y && a8)
        *a8 = alpha8();
}

void OvrColor::getRgb16(int *r, int *g, int *b, int *a) const
{
    if (!r || !g || !b)
        return;
    const OvrColor c = (m_spec == Invalid || m_spec == Rgb) ? *this : toRgb16(true);
    *r = int(c.m_c1 >> 16);
    *g = int(c.m_c2 >> 16);
    *b = int(c.m_c3 >> 16);
    if (a)
        *a = alpha16();
}

void OvrColor::getRgbF(double *r, double *g, double *b, double *a) const
{
    if (!r || !g || !b)
        return;
    const OvrColor c = (m_spec == Invalid || m_spec == Rgb) ? *this : toRgb16(true);
    *r = toF(c.m_c1);
    *g = toF(c.m_c2);
    *b = toF(c.m_c3);
    if (a)
        *a = alphaF();
}

void OvrColor::getHsv16(int *h, int *s, int *v, int *a) const
{
    if (!h || !s || !v)
        return;
    const OvrColor c = (m_spec == Invalid || m_spec == Hsv) ? *this : toHsv16();
    *h = c.hue16();
    *s = c.saturation16();
    *v = c.value16();
    if (a)
        *a = alpha16();
}

void OvrColor::getHsvF(double *h, double *s, double *v, double *a) const
{
    if (!h || !s || !v)
        return;
    const OvrColor c = (m_spec == Invalid || m_spec == Hsv) ? *this : toHsv16();
    *h = c.hueF();
    *s = c.saturationF();
    *v = c.valueF();
    if (a)
        *a = alphaF();
}

void OvrColor::getNChannel8(QVector<unsigned int> *levels, ChannelConfiguration *configuration,
                            PrismalProfileID *profile) const
{
    if (levels) {
        levels->resize(m_levels.size() + 1);
        (*levels)[0] = m_alpha >> 24;
        for (int i = 0; i < m_levels.size(); ++i)
            (*levels)[i + 1] = m_levels.at(i) >> 24;
    }
    if (configuration)
        *configuration = m_configuration;
    if (profile)
        *profile = m_profile;
}

void OvrColor::getNChannel16(QVector<unsigned int> *levels, ChannelConfiguration *configuration,
                             PrismalProfileID *profile) const
{
    if (levels) {
        levels->resize(m_levels.size() + 1);
        (*levels)[0] = m_alpha >> 16;
        for (int i = 0; i < m_levels.size(); ++i)
            (*levels)[i + 1] = m_levels.at(i) >> 16;
    }
    if (configuration)
        *configuration = m_configuration;
    if (profile)
        *profile = m_profile;
}

void OvrColor::getNChannelF(QVector<double> *levels, ChannelConfiguration *configuration,
                            PrismalProfileID *profile) const
{
    if (levels) {
        levels->resize(m_levels.size() + 1);
        (*levels)[0] = toF(m_alpha);
        for (int i = 0; i < m_levels.size(); ++i)
            (*levels)[i + 1] = toF(m_levels.at(i));
    }
    if (configuration)
        *configuration = m_configuration;
    if (profile)
        *profile = m_profile;
}

unsigned int OvrColor::rgb() const
{
    const OvrColor c = (m_spec == Invalid || m_spec == Rgb) ? *this : toRgb16(true);
    return 0xFF000000u | ((c.m_c1 >> 24) << 16) | ((c.m_c2 >> 24) << 8) | (c.m_c3 >> 24);
}

unsigned int OvrColor::rgba() const
{
    return (rgb() & 0x00FFFFFFu) | (quint32(alpha8()) << 24);
}

unsigned int OvrColor::toRgb(const OvrColor &color)
{
    return color.rgb();
}

QColor OvrColor::getQColor(bool clampToGamut) const
{
    if (m_spec == Invalid)
        return QColor();
    const OvrColor c = m_spec == Rgb ? *this : toRgb16(m_spec == Hsv ? true : clampToGamut);
    return QColor(int(c.m_c1 >> 24), int(c.m_c2 >> 24), int(c.m_c3 >> 24), alpha8());
}

bool OvrColor::isBlack() const
{
    switch (m_spec) {
    case Rgb:
        return m_c1 == 0 && m_c2 == 0 && m_c3 == 0;
    case Hsv:
        return m_c3 == 0;
    case Yxy:
        return m_Y == 0.0;
    case NChannel:
        for (quint32 level : m_levels) {
            if (level != 0)
                return false;
        }
        return true;
    case Invalid:
        break;
    }
    return false;
}

QMimeData *OvrColor::mimeData() const
{
    auto *data = new QMimeData;
    data->setData(QStringLiteral("data/x-ovrcolor"), aName().toLatin1());
    return data;
}

// ---------------------------------------------------------------------------
// Conversions

OvrColor OvrColor::toRgb16(bool clampToGamut) const
{
    if (m_spec == Invalid || m_spec == Rgb)
        return *this;

    OvrColor c;
    c.m_spec = Rgb;
    c.m_configuration = ColorUtils::ConfigRGB;
    c.m_profile = m_profile;
    c.m_alpha = m_alpha;

    if (m_spec == Hsv) {
        if (m_c2 == 0) {
            c.m_c1 = c.m_c2 = c.m_c3 = m_c3;
            return c;
        }
        const double h = (m_c1 == 36000 || m_c1 == Achromatic) ? 0.0 : m_c1 / 6000.0;
        const double s = toF(m_c2);
        const double v = toF(m_c3);
        const int i = int(h);
        const double f = h - i;
        const double p = v * (1.0 - s);
        double r = 0.0, g = 0.0, b = 0.0;
        if (i & 1) {
            const double q = v * (1.0 - s * f);
            switch (i) {
            case 1: r = q; g = v; b = p; break;
            case 3: r = p; g = q; b = v; break;
            default: r = v; g = p; b = q; break;
            }
        } else {
            const double t = v * (1.0 - s * (1.0 - f));
            switch (i) {
            case 0: r = v; g = t; b = p; break;
            case 2: r = p; g = v; b = t; break;
            default: r = t; g = p; b = v; break;
            }
        }
        c.m_c1 = fromF(r);
        c.m_c2 = fromF(g);
        c.m_c3 = fromF(b);
        return c;
    }

    double yxy[3] = {m_Y, m_x, m_y};
    if (m_spec == NChannel)
        ColorUtils::convertOvrColorToYxy(*this, yxy);
    unsigned short levels[3] = {0, 0, 0};
    ColorUtils::convertYxyToNChannelAndApplyCurve(yxy, levels, ColorUtils::ConfigRGB, ColorUtils::ProfileGenericRGB,
                                                  ColorUtils::CurveLinear, clampToGamut);
    c.m_c1 = levels[0] * Scale16;
    c.m_c2 = levels[1] * Scale16;
    c.m_c3 = levels[2] * Scale16;
    return c;
}

OvrColor OvrColor::toHsv16() const
{
    if (m_spec == Invalid || m_spec == Hsv)
        return *this;
    const OvrColor rgbColor = m_spec == Rgb ? *this : toRgb16(true);
    if (!rgbColor.isValid())
        return rgbColor;

    OvrColor c;
    c.m_spec = Hsv;
    c.m_configuration = m_configuration;
    c.m_profile = m_profile;
    c.m_alpha = m_alpha;

    const double r = toF(rgbColor.m_c1);
    const double g = toF(rgbColor.m_c2);
    const double b = toF(rgbColor.m_c3);
    const double max = qMax(r, qMax(g, b));
    const double min = qMin(r, qMin(g, b));
    const double delta = max - min;
    c.m_c3 = quint32(std::llround(max * MaxF));
    if (qFuzzyCompare(delta + 1.0, 1.0)) {
        c.m_c1 = Achromatic;
        c.m_c2 = 0;
        return c;
    }
    c.m_c2 = quint32(std::llround(delta / max * MaxF));
    double hue;
    if (qFuzzyCompare(r, max))
        hue = (g - b) / delta;
    else if (qFuzzyCompare(g, max))
        hue = 2.0 + (b - r) / delta;
    else
        hue = 4.0 + (r - g) / delta;
    hue *= 60.0;
    if (hue < 0.0)
        hue += 360.0;
    c.m_c1 = quint32(std::llround(hue * 100.0));
    return c;
}

OvrColor OvrColor::toYxy(ChannelConfiguration configuration, int profile, int curve) const
{
    if (m_spec == Invalid || m_spec == Yxy)
        return *this;

    const ChannelConfiguration cfg =
        (configuration == ColorUtils::ConfigUnknown || !validConfiguration(configuration)) ? m_configuration
                                                                                             : configuration;
    const PrismalProfileID prof = validProfile(profile) ? PrismalProfileID(profile) : m_profile;
    const int crv = (curve < 0) ? ColorUtils::defaultCurveTypeForPrismalProfileID(prof) : curve;

    double yxy[3] = {0.0, 0.0, 0.0};
    const Tristimulus *tri = TristimulusFactory::getInstance()->getTristimulus(prof, cfg);
    if (m_spec == Hsv)
        ColorUtils::convertOvrColorToYxy(toRgb16(true), tri, yxy, crv);
    else
        ColorUtils::convertOvrColorToYxy(*this, tri, yxy, crv);

    // `prof` only chooses the fixture data; the result keeps the source's
    // own profile.
    OvrColor c;
    c.m_configuration = cfg;
    c.setYxyRaw(yxy[0], yxy[1], yxy[2], m_alpha, m_profile);
    return c;
}

OvrColor OvrColor::toNChannel16(ChannelConfiguration configuration, int profile, int curve) const
{
    if (m_spec == Invalid)
        return *this;
    const PrismalProfileID prof = validProfile(profile) ? PrismalProfileID(profile) : m_profile;
    // An n-channel colour without channels is useless: an unknown
    // configuration stands for the profile's own one.
    ChannelConfiguration cfg = configuration;
    if (cfg == ColorUtils::ConfigUnknown || !validConfiguration(cfg))
        cfg = ColorUtils::nChannelConfigurationForPrismalProfileID(prof);
    if (m_spec == NChannel && cfg == m_configuration && prof == m_profile)
        return *this;
    const int crv = (curve < 0) ? ColorUtils::defaultCurveTypeForPrismalProfileID(prof) : curve;
    const int n = ColorUtils::configChannelCount(cfg);

    double yxy[3] = {m_Y, m_x, m_y};
    if (m_spec == Hsv)
        ColorUtils::convertOvrColorToYxy(toRgb16(true), yxy);
    else if (m_spec != Yxy)
        ColorUtils::convertOvrColorToYxy(*this, yxy);

    QVector<unsigned short> levels16(qMax(n, 1));
    ColorUtils::convertYxyToNChannelAndApplyCurve(yxy, levels16.data(), cfg, prof, crv, true);

    QVector<quint32> stored(n);
    for (int i = 0; i < n; ++i)
        stored[i] = levels16.at(i) * Scale16;

    OvrColor c;
    c.m_spec = NChannel;
    c.m_configuration = cfg;
    c.m_profile = prof;
    c.m_alpha = m_alpha;
    c.m_levels = stored;
    if (m_spec == Yxy)
        c.m_c1 = RenderYxy;
    else if (m_spec == NChannel)
        c.m_c1 = getNChannelRenderType();
    else
        c.m_c1 = RenderRgb;
    return c;
}

OvrColor OvrColor::convertTo(Spec spec, ChannelConfiguration configuration, int profile) const
{
    if (spec == m_spec && spec != NChannel)
        return *this;
    switch (spec) {
    case Rgb:
        return toRgb16(true);
    case Hsv:
        return toHsv16();
    case Yxy:
        return toYxy(configuration, profile, -1);
    case NChannel:
        return toNChannel16(configuration, profile, -1);
    case Invalid:
        break;
    }
    return OvrColor();
}

// ---------------------------------------------------------------------------
// Mixing

bool OvrColor::isYxyLike() const
{
    return m_spec == Yxy || (m_spec == NChannel && m_c1 == RenderYxy);
}

OvrColor OvrColor::mix(const OvrColor &a, const OvrColor &b)
{
    const double aa = a.alphaF();
    if (aa == 1.0)
        return a;
    if (aa == 0.0)
        return b;
    double ar, ag, ab, br, bg, bb;
    a.getRgbF(&ar, &ag, &ab);
    b.getRgbF(&br, &bg, &bb);
    const double ba = b.alphaF();
    // Sums of rounded products can land a hair above 1; clamp so the
    // result is never rejected as out of range.
    OvrColor c = fromRgbF(clamp01(ar * aa + br * (1.0 - aa)), clamp01(ag * aa + bg * (1.0 - aa)),
                          clamp01(ab * aa + bb * (1.0 - aa)), clamp01(aa + (1.0 - aa) * ba),
                          ColorUtils::ProfileGenericRGB);
    if (a.isYxyLike() || b.isYxyLike())
        c = c.toYxy(a.m_configuration, a.m_profile, -1);
    return c;
}

OvrColor OvrColor::blend(const OvrColor &a, const OvrColor &b, double t)
{
    if (t == 0.0) {
        qCDebug(lcOvrColor) << "not doing blend ";
        return b;
    }
    if (t == 1.0) {
        qCDebug(lcOvrColor) << "not doing blend ";
        return a;
    }
    const double s = 1.0 - t;
    const double aa = a.alphaF();
    const double ba = b.alphaF();
    double ar, ag, ab, br, bg, bb;
    a.getRgbF(&ar, &ag, &ab);
    b.getRgbF(&br, &bg, &bb);
    OvrColor c = fromRgbF(clamp01(ar * t * aa + br * s * ba), clamp01(ag * t * aa + bg * s * ba),
                          clamp01(ab * t * aa + bb * s * ba), clamp01(s * ba + t * aa),
                          ColorUtils::ProfileGenericRGB);
    if (a.isYxyLike() || b.isYxyLike()) {
        const OvrColor &ref = a.isYxyLike() ? a : b;
        c = c.toYxy(ref.m_configuration, ref.m_profile, -1);
        qCDebug(lcOvrColor) << "blend Yxy" << c.m_Y << c.m_x << c.m_y;
    }
    return c;
}

OvrColor OvrColor::premultiply(const OvrColor &c)
{
    const double a = c.alphaF();
    switch (c.m_spec) {
    case Rgb:
    case Hsv: {
        double r, g, b;
        c.getRgbF(&r, &g, &b);
        return fromRgbF(clamp01(r * a), clamp01(g * a), clamp01(b * a), a, ColorUtils::ProfileGenericRGB);
    }
    case Yxy: {
        // Only the luminance scales with coverage; the chromaticity is the
        // colour itself and must stay.
        OvrColor r;
        r.setYxyRaw(c.m_Y * a, c.m_x, c.m_y, c.m_alpha, ColorUtils::ProfileGenericRGB);
        return r;
    }
    case NChannel: {
        QVector<double> levels;
        c.getNChannelF(&levels);
        for (int i = 1; i < levels.size(); ++i)
            levels[i] = clamp01(levels.at(i) * a);
        OvrColor r = fromNChannelF(levels, c.m_configuration, c.m_profile);
        r.m_alpha = c.m_alpha;
        r.m_c1 = c.m_c1;
        return r;
    }
    case Invalid:
        break;
    }
    return c;
}

OvrColor OvrColor::unpremultiply(const OvrColor &c)
{
    if (c.m_alpha == 0)
        return c;
    const double a = c.alphaF();
    switch (c.m_spec) {
    case Rgb:
    case Hsv: {
        double r, g, b;
        c.getRgbF(&r, &g, &b);
        return fromRgbF(clamp01(r / a), clamp01(g / a), clamp01(b / a), a, ColorUtils::ProfileGenericRGB);
    }
    case Yxy: {
        OvrColor r;
        r.setYxyRaw(c.m_Y / a, c.m_x, c.m_y, c.m_alpha, ColorUtils::ProfileGenericRGB);
        return r;
    }
    case NChannel: {
        QVector<double> levels;
        c.getNChannelF(&levels);
        for (int i = 1; i < levels.size(); ++i)
            levels[i] = clamp01(levels.at(i) / a);
        OvrColor r = fromNChannelF(levels, c.m_configuration, c.m_profile);
        r.m_alpha = c.m_alpha;
        r.m_c1 = c.m_c1;
        return r;
    }
    case Invalid:
        break;
    }
    return c;
}

OvrColor OvrColor::colorFromGradient(const QLinearGradient &gradient, double position)
{
    const QGradientStops stops = gradient.stops();
    if (stops.isEmpty() || std::isnan(position))
        return OvrColor();
    auto stopColor = [](const QColor &q) {
        return fromRgb8(q.red(), q.green(), q.blue(), q.alpha(), ColorUtils::ProfileGenericRGB);
    };
    // Before the first stop and after the last one the end colours extend,
    // as a padded gradient is drawn.
    if (position <= stops.first().first)
        return stopColor(stops.first().second);
    if (position >= stops.last().first)
        return stopColor(stops.last().second);

    OvrColor result;
    for (int i = 0; i + 1 < stops.size(); ++i) {
        const double p0 = stops.at(i).first;
        const double p1 = stops.at(i + 1).first;
        if (p0 <= position && position <= p1) {
            const OvrColor c0 = stopColor(stops.at(i).second);
            result = c0;
            const OvrColor c1 = stopColor(stops.at(i + 1).second);
            if (c1 != c0 && p1 > p0)
                result = blend(c0, c1, 1.0 - (position - p0) / (p1 - p0));
        }
    }
    return result;
}

// ---------------------------------------------------------------------------
// String forms

QString OvrColor::name() const
{
    int r = 0, g = 0, b = 0;
    getRgb16(&r, &g, &b);
    char buf[16];
    char *out = buf;
    *out++ = '#';
    appendHex4(out, unsigned(r));
    appendHex4(out, unsigned(g));
    appendHex4(out, unsigned(b));
    return QString::fromLatin1(buf, int(out - buf));
}

QString OvrColor::name8() const
{
    const OvrColor c = (m_spec == Invalid || m_spec == Rgb) ? *this : toRgb16(true);
    char buf[8];
    char *out = buf;
    *out++ = '#';
    appendHex2(out, c.m_c1 >> 24);
    appendHex2(out, c.m_c2 >> 24);
    appendHex2(out, c.m_c3 >> 24);
    return QString::fromLatin1(buf, int(out - buf));
}

QString OvrColor::nameFull8() const
{
    QVector<unsigned int> levels;
    getNChannel8(&levels);
    QString s;
    for (int i = 0; i < levels.size(); ++i) {
        if (i)
            s += QLatin1Char(',');
        s += QString::number(levels.at(i));
    }
    return s;
}

QString OvrColor::aName() const
{
    switch (m_spec) {
    case Rgb:
    case Hsv: {
        const OvrColor c = m_spec == Rgb ? *this : toRgb16(true);
        char buf[64];
        char *out = buf;
        memcpy(out, "aRgb;", 5);
        out += 5;
        appendInt(out, c.m_configuration);
        *out++ = ';';
        appendInt(out, c.m_profile);
        *out++ = ';';
        *out++ = '#';
        appendHex4(out, c.m_alpha >> 16);
        appendHex4(out, c.m_c1 >> 16);
        appendHex4(out, c.m_c2 >> 16);
        appendHex4(out, c.m_c3 >> 16);
        return QString::fromLatin1(buf, int(out - buf));
    }
    case Yxy: {
        // The tag, two small integers, the alpha and three reals of any size.
        char buf[64 + 3 * (1 + maxFixed6Length)];
        char *out = buf;
        memcpy(out, "aYxy;", 5);
        out += 5;
        appendInt(out, m_configuration);
        *out++ = ';';
        appendInt(out, m_profile);
        *out++ = ';';
        appendInt(out, m_alpha >> 16);
        for (double v : {m_Y, m_x, m_y}) {
            *out++ = ';';
            appendFixed6(out, v);
        }
        return QString::fromLatin1(buf, int(out - buf));
    }
    case NChannel: {
        QByteArray buf;
        buf.reserve(32 + 8 * m_levels.size());
        buf += "aNchannel;";
        buf += QByteArray::number(int(m_configuration));
        buf += ';';
        buf += QByteArray::number(int(m_profile));
        buf += ';';
        buf += QByteArray::number(m_alpha >> 16);
        for (quint32 level : m_levels) {
            buf += ';';
            buf += QByteArray::number(level >> 16);
        }
        buf += ';';
        buf += QByteArray::number(getNChannelRenderType());
        return QString::fromLatin1(buf);
    }
    case Invalid:
        break;
    }
    return QString();
}

void OvrColor::setNamedColor(const QString &name)
{
    if (name.isEmpty()) {
        invalidate();
        return;
    }

    if (name.contains(QLatin1Char(';'))) {
        const QVector<QStringRef> parts = name.splitRef(QLatin1Char(';'));
        if (parts.size() < 4) {
            invalidate();
            return;
        }
        const QStringRef tag = parts.at(0);
        const bool isRgb = tag == QLatin1String("aRgb");
        const bool isYxy = tag == QLatin1String("aYxy");
        const bool isNChannel = tag == QLatin1String("aNchannel");
        if (isRgb || isYxy || isNChannel) {
            bool okCfg = false, okProfile = false;
            const int cfg = parts.at(1).toInt(&okCfg);
            const int profile = parts.at(2).toInt(&okProfile);
            // Stored colours only ever name known layouts and profiles;
            // anything else is damaged text and not a colour.
            if (!okCfg || !okProfile || !validConfiguration(cfg) || !validProfile(profile)) {
                invalidate();
                return;
            }
            m_configuration = ChannelConfiguration(cfg);
            m_profile = PrismalProfileID(profile);

            if (isRgb) {
                qint64 r, g, b, a;
                if (parts.size() != 4 || !parseHex(parts.at(3).toString(), r, g, b, a)) {
                    invalidate();
                    return;
                }
                setRgb16(int(r), int(g), int(b), int(a), ColorUtils::ProfileGenericRGB);
                return;
            }
            if (isYxy) {
                if (parts.size() != 7) {
                    invalidate();
                    return;
                }
                bool ok[4];
                const uint a16 = parts.at(3).toUInt(&ok[0]);
                const double Y = parseReal(parts.at(4), &ok[1]);
                const double x = parseReal(parts.at(5), &ok[2]);
                const double y = parseReal(parts.at(6), &ok[3]);
                if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || a16 > 65535) {
                    invalidate();
                    return;
                }
                setYxy16(Y, x, y, int(a16), ColorUtils::ProfileGenericRGB);
                return;
            }
            // aNchannel: alpha, the levels, then the render type.
            if (parts.size() < 5) {
                invalidate();
                return;
            }
            QVector<unsigned int> levels(parts.size() - 4);
            for (int i = 3; i < parts.size() - 1; ++i) {
                bool ok = false;
                levels[i - 3] = parts.at(i).toUInt(&ok);
                if (!ok || levels.at(i - 3) > 65535) {
                    invalidate();
                    return;
                }
            }
            bool okRender = false;
            const uint render = parts.last().toUInt(&okRender);
            if (!okRender || render > RenderYxy) {
                invalidate();
                return;
            }
            setNChannel16(levels, ChannelConfiguration(cfg), PrismalProfileID(profile));
            if (m_spec == NChannel)
                m_c1 = render;
            return;
        }
    }

    if (name.at(0) == QLatin1Char('#')) {
        qint64 r = -1, g = -1, b = -1, a = -1;
        if (!parseHex(name, r, g, b, a))
            r = g = b = a = -1;
        setRgb16(int(r), int(g), int(b), int(a), ColorUtils::ProfileGenericRGB);
        return;
    }

    const QColor qc(name);
    if (qc.isValid()) {
        setQColor(qc);
        return;
    }
    qCWarning(lcOvrColor, "OvrColor::setNamedColor: Unknown color name '%s'", name.toLatin1().constData());
    invalidate();
}

// ---------------------------------------------------------------------------
// Comparison

bool OvrColor::operator==(const OvrColor &other) const
{
    if (m_spec == Invalid || other.m_spec == Invalid)
        return false;
    if (m_spec != other.m_spec || m_alpha != other.m_alpha)
        return false;
    switch (m_spec) {
    case Yxy:
        if (m_Y != other.m_Y || m_x != other.m_x || m_y != other.m_y)
            return false;
        break;
    case Hsv:
        // An achromatic hue is no angle; it only equals another achromatic one.
        if ((m_c1 == Achromatic) != (other.m_c1 == Achromatic))
            return false;
        if (m_c1 != Achromatic && m_c1 % 36000 != other.m_c1 % 36000)
            return false;
        if (m_c2 != other.m_c2 || m_c3 != other.m_c3)
            return false;
        break;
    case Rgb:
        if (m_c1 != other.m_c1 || m_c2 != other.m_c2 || m_c3 != other.m_c3)
            return false;
        break;
    case NChannel:
        if (m_levels != other.m_levels || m_c1 != other.m_c1)
            return false;
        break;
    case Invalid:
        return false;
    }
    return m_profile == other.m_profile && m_configuration == other.m_configuration;
}

QDebug operator<<(QDebug debug, const OvrColor &color)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "OvrColor(";
    if (!color.isValid())
        debug << "Invalid";
    else
        debug << color.aName();
    debug << ')';
    return debug;
}
