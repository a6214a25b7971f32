// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"
#include "ovrcolor_export.h"

#include <QColor>
#include <QMetaType>
#include <QString>
#include <QVector>

class QDebug;
class QLinearGradient;
class QMimeData;

/**
 * A colour value with 32-bit components in one of the models RGB, HSV,
 * CIE Yxy or fixture channel levels, plus an alpha, a channel configuration
 * and a fixture profile. Each model is kept in its own form and converted
 * only on demand. Copies share the level vector.
 */
class OVRCOLOR_EXPORT OvrColor
{
public:
    enum Spec { Invalid = 0, Rgb = 1, Hsv = 2, Yxy = 3, NChannel = 4 };
    enum NChannelRenderType { RenderRgb = 0, RenderYxy = 1 };

    static constexpr quint32 Ovr_UINT32_MAX = 4294967295u;

    using ChannelConfiguration = ColorUtils::ChannelConfiguration;
    using PrismalProfileID = ColorUtils::PrismalProfileID;

    /** An invalid colour. */
    OvrColor();
    /** From a packed 0xAARRGGBB word, ignoring its alpha. */
    OvrColor(unsigned int rgb);
    /** 16-bit components. */
    OvrColor(unsigned int r, unsigned int g, unsigned int b, unsigned int a);
    /** Full-luminance chromaticity. */
    OvrColor(double x, double y);
    OvrColor(const QColor &color);
    OvrColor(Qt::GlobalColor color);
    /** Parsed with setNamedColor(). */
    OvrColor(const char *name);
    OvrColor(const QString &name);
    OvrColor(const OvrColor &other) = default;
    OvrColor &operator=(const OvrColor &other) = default;
    OvrColor &operator=(const QColor &color);
    OvrColor &operator=(Qt::GlobalColor color);

    // Factories
    static OvrColor fromRgb8(int r, int g, int b, int a = 255, PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    static OvrColor fromRgb16(int r, int g, int b, int a = 65535,
                              PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    static OvrColor fromRgbF(double r, double g, double b, double a = 1.0,
                             PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    static OvrColor fromHsv8(int h, int s, int v, int a = 255, PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    static OvrColor fromHsv16(int h, int s, int v, int a = 65535,
                              PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    static OvrColor fromHsvF(double h, double s, double v, double a = 1.0,
                             PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    static OvrColor fromxyY(double x, double y, double Y, PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    static OvrColor fromNChannel8(const QVector<unsigned int> &levels, ChannelConfiguration configuration,
                                  PrismalProfileID profile);
    static OvrColor fromNChannel16(const QVector<unsigned int> &levels, ChannelConfiguration configuration,
                                   PrismalProfileID profile);
    static OvrColor fromNChannelF(const QVector<double> &levels, ChannelConfiguration configuration,
                                  PrismalProfileID profile);
    static OvrColor fromRgb(unsigned int rgb);
    static OvrColor fromRgba(unsigned int rgba);

    bool isValid() const { return m_spec != Invalid; }
    void invalidate();
    Spec spec() const { return m_spec; }

    // Whole-colour setters
    void setRgb8(int r, int g, int b, int a = 255, PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    void setRgb16(int r, int g, int b, int a = 65535, PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    /** Three 16-bit components; alpha becomes opaque. */
    void setRgb16(const unsigned int *rgb3, PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    void setRgbF(double r, double g, double b, double a = 1.0,
                 PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    void setHsv8(int h, int s, int v, int a = 255, PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    void setHsv16(int h, int s, int v, int a = 65535, PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    void setHsvF(double h, double s, double v, double a = 1.0,
                 PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    void setYxyF(double Y, double x, double y, double a = 1.0,
                 PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    void setYxy16(double Y, double x, double y, int a16 = 65535,
                  PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    void setYxy8(double Y, double x, double y, int a8 = 255, PrismalProfileID profile = ColorUtils::ProfileGenericRGB);
    /** Element 0 is the alpha, elements 1..n the channel levels. */
    void setNChannel8(const QVector<unsigned int> &levels, ChannelConfiguration configuration,
                      PrismalProfileID profile);
    void setNChannel16(const QVector<unsigned int> &levels, ChannelConfiguration configuration,
                       PrismalProfileID profile);
    void setNChannelF(const QVector<double> &levels, ChannelConfiguration configuration, PrismalProfileID profile);
    void setQColor(const QColor &color);

    // Single-component setters
    void setRed8(int red);
    void setRed16(int red);
    void setRedF(double red);
    void setGreen8(int green);
    void setGreen16(int green);
    void setGreenF(double green);
    void setBlue8(int blue);
    void setBlue16(int blue);
    void setBlueF(double blue);
    void setAlpha8(int alpha);
    void setAlpha16(int alpha);
    void setAlphaF(double alpha);
    void setY(double Y);
    void setx(double x);
    void sety(double y);

    // Plain accessors
    void setPrismalProfileID(PrismalProfileID profile) { m_profile = profile; }
    PrismalProfileID getPrismalProfileID() const { return m_profile; }
    ChannelConfiguration getChannelConfiguration() const { return m_configuration; }
    NChannelRenderType getNChannelRenderType() const;
    void setNChannelRenderType(NChannelRenderType type);

    // Getters
    int red8() const;
    int red16() const;
    double redF() const;
    int green8() const;
    int green16() const;
    double greenF() const;
    int blue8() const;
    int blue16() const;
    double blueF() const;
    /** Hue in degrees 0..359, -1 when achromatic. */
    int hue8() const;
    int hue16() const;
    /** Hue as a fraction of the circle, -1 when achromatic. */
    double hueF() const;
    int saturation8() const;
    int saturation16() const;
    double saturationF() const;
    int value8() const;
    int value16() const;
    double valueF() const;
    int alpha8() const;
    int alpha16() const;
    double alphaF() const;

    double getY() const;
    double getx() const;
    double gety() const;
    void getYxyF(double *Y, double *x, double *y, double *a = nullptr) const;
    void getYxy16(double *Y, double *x, double *y, int *a16 = nullptr) const;
    void getYxy8(double *Y, double *x, double *y, int *a8 = nullptr) const;
    void getRgb16(int *r, int *g, int *b, int *a = nullptr) const;
    void getRgbF(double *r, double *g, double *b, double *a = nullptr) const;
    void getHsv16(int *h, int *s, int *v, int *a = nullptr) const;
    void getHsvF(double *h, double *s, double *v, double *a = nullptr) const;
    /** Alpha in element 0, then the stored levels. */
    void getNChannel8(QVector<unsigned int> *levels, ChannelConfiguration *configuration = nullptr,
                      PrismalProfileID *profile = nullptr) const;
    void getNChannel16(QVector<unsigned int> *levels, ChannelConfiguration *configuration = nullptr,
                       PrismalProfileID *profile = nullptr) const;
    void getNChannelF(QVector<double> *levels, ChannelConfiguration *configuration = nullptr,
                      PrismalProfileID *profile = nullptr) const;

    /** 0xFFRRGGBB, always opaque. */
    unsigned int rgb() const;
    /** 0xAARRGGBB. */
    unsigned int rgba() const;
    static unsigned int toRgb(const OvrColor &color);
    QColor getQColor(bool clampToGamut = true) const;
    bool isBlack() const;
    /** New mime data (owned by the caller) holding aName() as "data/x-ovrcolor". */
    QMimeData *mimeData() const;

    // Conversions
    OvrColor toRgb16(bool clampToGamut = true) const;
    OvrColor toHsv16() const;
    OvrColor toYxy(ChannelConfiguration configuration = ColorUtils::ConfigUnknown, int profile = -1,
                   int curve = -1) const;
    OvrColor toNChannel16(ChannelConfiguration configuration, int profile = -1, int curve = -1) const;
    OvrColor convertTo(Spec spec, ChannelConfiguration configuration = ColorUtils::ConfigUnknown,
                       int profile = -1) const;

    // Mixing
    /** @p a laid over @p b by @p a's opacity ("over"); Yxy when either is one, in @p a's fixture terms. */
    static OvrColor mix(const OvrColor &a, const OvrColor &b);
    /** @p a and @p b weighted by @p t and 1 - @p t and by their opacities; @p a at 1, @p b at 0. */
    static OvrColor blend(const OvrColor &a, const OvrColor &b, double t);
    static OvrColor premultiply(const OvrColor &c);
    static OvrColor unpremultiply(const OvrColor &c);
    static OvrColor colorFromGradient(const QLinearGradient &gradient, double position);

    // String forms
    QString name() const;
    /** "#rrggbb" of the colour as 8-bit RGB (converted when it is not RGB). */
    QString name8() const;
    /** Every channel level as 8 bits, comma-separated ("255,128,0,0"). */
    QString nameFull8() const;
    /** Loss-free text form used in files and drag data. */
    QString aName() const;
    void setNamedColor(const QString &name);

    bool operator==(const OvrColor &other) const;
    bool operator!=(const OvrColor &other) const { return !operator==(other); }

private:
    // Whether a single component is within 0..65535, 0..255 or 0..1; if not,
    // the colour becomes invalid.
    bool checkRange16(const char *operation, qint64 value);
    bool checkRange8(const char *operation, qint64 value);
    bool checkRangeReal(const char *operation, double value);
    // The whole colour from components already scaled to 32 bits (the hue
    // in hundredths of a degree, or Achromatic); no range checks.
    void setRgbRaw(quint32 r, quint32 g, quint32 b, quint32 alpha, PrismalProfileID profile);
    void setHsvRaw(quint32 h, quint32 s, quint32 v, quint32 alpha, PrismalProfileID profile);
    /** An RGB or HSV colour from its three components (the two above). */
    void setComponentsRaw(Spec spec, quint32 c1, quint32 c2, quint32 c3, quint32 alpha, PrismalProfileID profile);
    void setYxyRaw(double Y, double x, double y, quint32 alpha, PrismalProfileID profile);
    void setNChannelRaw(const QVector<quint32> &levels, quint32 alpha, ChannelConfiguration configuration,
                        PrismalProfileID profile);
    /** Converts this colour to Yxy in place, keeping its alpha; false if it cannot be. */
    bool makeYxy();
    bool isYxyLike() const;

    ChannelConfiguration m_configuration;
    PrismalProfileID m_profile;
    Spec m_spec;
    quint32 m_alpha;
    quint32 m_c1; // red, hue or render type
    quint32 m_c2; // green or saturation
    quint32 m_c3; // blue or value
    double m_Y;
    double m_x;
    double m_y;
    QVector<quint32> m_levels;
};

Q_DECLARE_METATYPE(OvrColor)
Q_DECLARE_TYPEINFO(OvrColor, Q_MOVABLE_TYPE);

OVRCOLOR_EXPORT QDebug operator<<(QDebug debug, const OvrColor &color);
