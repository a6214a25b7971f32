// SPDX-License-Identifier: GPL-3.0-or-later
#include "debugmessages.h"
#include "ovrcolor.h"

#include <QLinearGradient>
#include <QMimeData>
#include <QtTest>

#include <functional>
#include <memory>

using ColorCall = std::function<void(OvrColor &)>;
Q_DECLARE_METATYPE(ColorCall)

class tst_OvrColor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void scalingSweeps();
    void hueScaling_data();
    void hueScaling();
    void rangeChecks_data();
    void rangeChecks();
    void silentChecks_data();
    void silentChecks();
    void constructors();
    void hsvToRgb_data();
    void hsvToRgb();
    void hsvRoundTrip();
    void aNameRoundTrip_data();
    void aNameRoundTrip();
    void aNameOfAnyCoordinate_data();
    void aNameOfAnyCoordinate();
    void setNamedColor_data();
    void setNamedColor();
    void stringForms();
    void comparison_data();
    void comparison();
    void isBlack_data();
    void isBlack();
    void yxyAccess();
    void nChannel();
    void mixing();
    void premultiply();
    void gradient();
    void mimeData();
};

void tst_OvrColor::initTestCase()
{
    // The blend debug line is part of what is checked; the test environment
    // switches debug output off, so the category is enabled here.
    DebugMessages::enable("ovrcolor");
}

void tst_OvrColor::scalingSweeps()
{
    OvrColor c;
    for (int v = 0; v <= 255; ++v) {
        c.setRgb8(v, 255 - v, v, 255 - v, ColorUtils::ProfileGenericRGB);
        QCOMPARE(c.red8(), v);
        QCOMPARE(c.red16(), v * 257);
        QCOMPARE(c.redF(), v / 255.0);
        QCOMPARE(c.green8(), 255 - v);
        QCOMPARE(c.alpha16(), (255 - v) * 257);
    }
    for (int v = 0; v <= 65535; v += 7) {
        c.setRgb16(v, 0, 65535 - v, v, ColorUtils::ProfileGenericRGB);
        QCOMPARE(c.red16(), v);
        QCOMPARE(c.red8(), v >> 8);
        QCOMPARE(c.blue16(), 65535 - v);
        QCOMPARE(c.alpha16(), v);
        QCOMPARE(c.redF(), v / 65535.0);
    }
    for (int i = 0; i <= 1000; ++i) {
        const double f = i / 1000.0;
        c.setRgbF(f, f, f, f, ColorUtils::ProfileGenericRGB);
        // Stored as trunc(f * 4294967295 + 0.5); the F view divides it back.
        const quint32 stored = quint32(quint64(f * 4294967295.0 + 0.5));
        QCOMPARE(c.redF(), stored / 4294967295.0);
        QCOMPARE(c.red8(), int(stored >> 24));
        QCOMPARE(c.red16(), int(stored >> 16));
        QVERIFY(qAbs(c.alphaF() - f) < 1e-9);
    }
    c.setRgb8(255, 0, 0, 255, ColorUtils::ProfileGenericRGB);
    QCOMPARE(c.red16(), 65535);
    QCOMPARE(c.redF(), 1.0);
    c.setRgbF(0.5, 0, 0, 1, ColorUtils::ProfileGenericRGB);
    QCOMPARE(c.red8(), 128);
}

void tst_OvrColor::hueScaling_data()
{
    QTest::addColumn<ColorCall>("set");
    QTest::addColumn<int>("degrees");
    QTest::addColumn<double>("fraction");

    QTest::newRow("hsv8 360 wraps") << ColorCall([](OvrColor &c) { c.setHsv8(360, 255, 255); }) << 0 << 0.0;
    QTest::newRow("hsv8 359") << ColorCall([](OvrColor &c) { c.setHsv8(359, 255, 255); }) << 359 << 359 / 360.0;
    QTest::newRow("hsv16 725 mod 360") << ColorCall([](OvrColor &c) { c.setHsv16(725, 1, 1); }) << 5 << 5 / 360.0;
    QTest::newRow("hsv16 achromatic") << ColorCall([](OvrColor &c) { c.setHsv16(-1, 0, 9); }) << -1 << -1.0;
    QTest::newRow("hsvF achromatic") << ColorCall([](OvrColor &c) { c.setHsvF(-1, 0, 1); }) << -1 << -1.0;
    // 0.50001 of the circle is stored as 18000 (hundredths of a degree).
    QTest::newRow("hsvF rounds to 1/100 degree") << ColorCall([](OvrColor &c) { c.setHsvF(0.500001, 1, 1); }) << 180
                                                 << 0.5;
    // 0.0013 of the circle: 46.8 hundredths -> 47 -> 0.47 degree -> 0.
    QTest::newRow("hsvF small") << ColorCall([](OvrColor &c) { c.setHsvF(0.0013, 1, 1); }) << 0 << 47 / 36000.0;
    // 0.0014: 50.4 -> 50 hundredths, half a degree rounds away from zero.
    QTest::newRow("hsvF half degree") << ColorCall([](OvrColor &c) { c.setHsvF(0.0014, 1, 1); }) << 1
                                      << 50 / 36000.0;
    QTest::newRow("hsvF full circle caps at 359") << ColorCall([](OvrColor &c) { c.setHsvF(1.0, 1, 1); }) << 359
                                                  << 1.0;
    QTest::newRow("fromHsv8 achromatic")
        << ColorCall([](OvrColor &c) { c = OvrColor::fromHsv8(-1, 0, 100); }) << -1 << -1.0;
}

void tst_OvrColor::hueScaling()
{
    QFETCH(ColorCall, set);
    QFETCH(int, degrees);
    QFETCH(double, fraction);
    OvrColor c;
    set(c);
    QCOMPARE(c.spec(), OvrColor::Hsv);
    QCOMPARE(c.hue8(), degrees);
    QCOMPARE(c.hue16(), degrees);
    QCOMPARE(c.hueF(), fraction);
}

void tst_OvrColor::rangeChecks_data()
{
    QTest::addColumn<ColorCall>("call");
    QTest::addColumn<QString>("message");

    const QString rgb8 = QStringLiteral("OvrColor::setRgb8: RGB parameters out of range");
    const QString rgb16 = QStringLiteral("OvrColor::setRgb16: RGB parameters out of range");
    const QString rgbF = QStringLiteral("OvrColor::setRgbF: RGB parameters out of range");
    const QString hsv8 = QStringLiteral("OvrColor::setHsv8: HSV parameters out of range");
    const QString hsv16 = QStringLiteral("OvrColor::setHsv16: HSV parameters out of range");
    const QString hsvF = QStringLiteral("OvrColor::setHsvF: HSV parameters out of range");
    const QString fromHsv = QStringLiteral("OvrColor::fromHsv: HSV parameters out of range");

    QTest::newRow("setRgb8 256") << ColorCall([](OvrColor &c) { c.setRgb8(256, 0, 0); }) << rgb8;
    QTest::newRow("setRgb8 -1 alpha") << ColorCall([](OvrColor &c) { c.setRgb8(0, 0, 0, -1); }) << rgb8;
    QTest::newRow("setRgb16 65536") << ColorCall([](OvrColor &c) { c.setRgb16(0, 65536, 0); }) << rgb16;
    QTest::newRow("setRgb16 array") << ColorCall([](OvrColor &c) {
        const unsigned int rgb[3] = {1, 2, 70000};
        c.setRgb16(rgb);
    }) << rgb16;
    QTest::newRow("setRgbF 1.0001") << ColorCall([](OvrColor &c) { c.setRgbF(0, 0, 1.0001); }) << rgbF;
    QTest::newRow("setRgbF NaN") << ColorCall([](OvrColor &c) { c.setRgbF(qQNaN(), 0, 0); }) << rgbF;
    QTest::newRow("setHsv8 -1") << ColorCall([](OvrColor &c) { c.setHsv8(-1, 255, 255, 255); }) << hsv8;
    QTest::newRow("setHsv8 361") << ColorCall([](OvrColor &c) { c.setHsv8(361, 255, 255); }) << hsv8;
    QTest::newRow("setHsv16 65536") << ColorCall([](OvrColor &c) { c.setHsv16(65536, 0, 0); }) << hsv16;
    QTest::newRow("setHsv16 -2") << ColorCall([](OvrColor &c) { c.setHsv16(-2, 0, 0); }) << hsv16;
    QTest::newRow("setHsvF -0.5") << ColorCall([](OvrColor &c) { c.setHsvF(-0.5, 0, 0); }) << hsvF;
    QTest::newRow("setAlpha8 300") << ColorCall([](OvrColor &c) { c.setAlpha8(300); })
                                   << QStringLiteral("OvrColor::setAlpha8: alpha parameter out of range");
    QTest::newRow("fromRgb8") << ColorCall([](OvrColor &c) { c = OvrColor::fromRgb8(0, 0, 999); })
                              << QStringLiteral("OvrColor::fromRgb: RGB parameters out of range");
    QTest::newRow("fromRgb16") << ColorCall([](OvrColor &c) { c = OvrColor::fromRgb16(-5, 0, 0); })
                               << QStringLiteral("OvrColor::fromRgb16: RGB parameters out of range");
    QTest::newRow("fromRgbF") << ColorCall([](OvrColor &c) { c = OvrColor::fromRgbF(2, 0, 0); })
                              << QStringLiteral("OvrColor::fromRgbF: RGB parameters out of range");
    QTest::newRow("fromHsv8 360") << ColorCall([](OvrColor &c) { c = OvrColor::fromHsv8(360, 0, 0); }) << fromHsv;
    QTest::newRow("fromHsv16 -2") << ColorCall([](OvrColor &c) { c = OvrColor::fromHsv16(-2, 0, 0); }) << fromHsv;
    QTest::newRow("fromHsvF") << ColorCall([](OvrColor &c) { c = OvrColor::fromHsvF(0.2, 3, 0); })
                              << QStringLiteral("OvrColor::fromHsvF: HSV parameters out of range");
    QTest::newRow("fromxyY") << ColorCall([](OvrColor &c) { c = OvrColor::fromxyY(0.3, 1.2, 1); })
                             << QStringLiteral("OvrColor::fromxyY: xyY parameters out of range");
    QTest::newRow("named #f00") << ColorCall([](OvrColor &c) { c.setNamedColor(QStringLiteral("#f00")); })
                                << rgb16;
    QTest::newRow("named bad digit")
        << ColorCall([](OvrColor &c) { c.setNamedColor(QStringLiteral("#ff00zz")); }) << rgb16;
    QTest::newRow("named hex too long")
        << ColorCall([](OvrColor &c) { c.setNamedColor(QStringLiteral("#ffffffff000000000")); }) << rgb16;
    QTest::newRow("named unknown") << ColorCall([](OvrColor &c) { c.setNamedColor(QStringLiteral("nosuchcolour")); })
                                   << QStringLiteral("OvrColor::setNamedColor: Unknown color name 'nosuchcolour'");
}

void tst_OvrColor::rangeChecks()
{
    QFETCH(ColorCall, call);
    QFETCH(QString, message);
    OvrColor c(Qt::red);
    QVERIFY(c.isValid());
    QTest::ignoreMessage(QtWarningMsg, qPrintable(message));
    call(c);
    QVERIFY(!c.isValid());
    QCOMPARE(c.alpha16(), 65535);
    QCOMPARE(c.getChannelConfiguration(), ColorUtils::ConfigRGB);
    QCOMPARE(c.aName(), QString());
}

void tst_OvrColor::silentChecks_data()
{
    QTest::addColumn<ColorCall>("call");
    QTest::addColumn<bool>("valid");

    QTest::newRow("setRed8 256") << ColorCall([](OvrColor &c) { c.setRed8(256); }) << false;
    QTest::newRow("setGreen16 -1") << ColorCall([](OvrColor &c) { c.setGreen16(-1); }) << false;
    QTest::newRow("setBlueF 1.5") << ColorCall([](OvrColor &c) { c.setBlueF(1.5); }) << false;
    QTest::newRow("setAlpha16 65536") << ColorCall([](OvrColor &c) { c.setAlpha16(65536); }) << false;
    QTest::newRow("setAlphaF NaN") << ColorCall([](OvrColor &c) { c.setAlphaF(qQNaN()); }) << false;
    QTest::newRow("setY 1.1") << ColorCall([](OvrColor &c) { c.setY(1.1); }) << false;
    QTest::newRow("setx -0.1") << ColorCall([](OvrColor &c) { c.setx(-0.1); }) << false;
    QTest::newRow("sety inf") << ColorCall([](OvrColor &c) { c.sety(qInf()); }) << false;
    QTest::newRow("setYxyF alpha 2") << ColorCall([](OvrColor &c) { c.setYxyF(1, 0.3, 0.3, 2.0); }) << false;
    QTest::newRow("setYxyF NaN x") << ColorCall([](OvrColor &c) { c.setYxyF(1, qQNaN(), 0.3); }) << false;
    QTest::newRow("setNChannel16 alpha") << ColorCall([](OvrColor &c) {
        c.setNChannel16({70000, 1, 2}, ColorUtils::ConfigRGB, ColorUtils::ProfileGenericRGB);
    }) << false;
    QTest::newRow("setNChannel8 empty") << ColorCall([](OvrColor &c) {
        c.setNChannel8({}, ColorUtils::ConfigRGB, ColorUtils::ProfileGenericRGB);
    }) << false;
    QTest::newRow("setGreen8 in range") << ColorCall([](OvrColor &c) { c.setGreen8(17); }) << true;
}

void tst_OvrColor::silentChecks()
{
    QFETCH(ColorCall, call);
    QFETCH(bool, valid);
    OvrColor c(Qt::red);
    call(c);
    QCOMPARE(c.isValid(), valid);
}

void tst_OvrColor::constructors()
{
    const OvrColor packed(0x12345678u);
    QCOMPARE(packed.spec(), OvrColor::Rgb);
    QCOMPARE(packed.red8(), 0x34);
    QCOMPARE(packed.green8(), 0x56);
    QCOMPARE(packed.blue8(), 0x78);
    QCOMPARE(packed.alpha8(), 255); // the packed alpha is ignored
    QCOMPARE(packed.rgb(), 0xFF345678u);
    QCOMPARE(OvrColor::fromRgba(0x12345678u).rgba(), 0x12345678u);
    QCOMPARE(OvrColor::fromRgb(0x12345678u).rgba(), 0xFF345678u);
    QCOMPARE(OvrColor::toRgb(OvrColor::fromRgba(0x12345678u)), 0xFF345678u);

    const OvrColor wide(1, 2, 65535, 32768);
    QCOMPARE(wide.red16(), 1);
    QCOMPARE(wide.blue16(), 65535);
    QCOMPARE(wide.alpha16(), 32768);

    const OvrColor xy(0.3127, 0.329);
    QCOMPARE(xy.spec(), OvrColor::Yxy);
    QCOMPARE(xy.getY(), 1.0);
    QCOMPARE(xy.getx(), 0.3127);
    QCOMPARE(xy.alpha16(), 65535);

    QCOMPARE(OvrColor(Qt::color0).rgba(), 0xFFFFFFFFu);
    QCOMPARE(OvrColor(Qt::color1).rgba(), 0xFF000000u);
    QCOMPARE(OvrColor(Qt::darkYellow).rgba(), 0xFF808000u);
    const OvrColor transparent(Qt::transparent);
    QVERIFY(transparent.isValid());
    QCOMPARE(transparent.alpha8(), 0);

    const OvrColor fromQt(QColor(10, 20, 30, 40));
    QCOMPARE(fromQt.rgba(), 0x280A141Eu);
    QCOMPARE(fromQt.getQColor(), QColor(10, 20, 30, 40));
    QVERIFY(!OvrColor(QColor()).isValid());
    QVERIFY(!OvrColor().getQColor().isValid());

    OvrColor assigned;
    assigned = Qt::blue;
    QCOMPARE(assigned.name8(), QStringLiteral("#0000ff"));
    assigned = QColor(Qt::green);
    QCOMPARE(assigned.name8(), QStringLiteral("#00ff00"));
    QCOMPARE(OvrColor("#123456").name8(), QStringLiteral("#123456"));
}

void tst_OvrColor::hsvToRgb_data()
{
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("v");
    QTest::addColumn<QString>("rgb");

    QTest::newRow("red") << 0 << 255 << 255 << "#ff0000";
    QTest::newRow("yellow") << 60 << 255 << 255 << "#ffff00";
    QTest::newRow("green") << 120 << 255 << 255 << "#00ff00";
    QTest::newRow("cyan") << 180 << 255 << 255 << "#00ffff";
    QTest::newRow("blue") << 240 << 255 << 255 << "#0000ff";
    QTest::newRow("magenta") << 300 << 255 << 255 << "#ff00ff";
    // h = 30: i = 0, f = 0.5, t = v(1 - s/2): 255 * (1 - 0.5) = 127.5 -> 0x80 top byte
    QTest::newRow("orange") << 30 << 255 << 255 << "#ff8000";
    QTest::newRow("grey, no saturation") << 77 << 0 << 128 << "#808080";
    QTest::newRow("black") << 200 << 255 << 0 << "#000000";
}

void tst_OvrColor::hsvToRgb()
{
    QFETCH(int, h);
    QFETCH(int, s);
    QFETCH(int, v);
    QFETCH(QString, rgb);
    const OvrColor hsv = OvrColor::fromHsv8(h, s, v);
    QCOMPARE(hsv.toRgb16().name8(), rgb);
    QCOMPARE(hsv.name8(), rgb);
    QCOMPARE(OvrColor(rgb).toHsv16().value8(), v);
    if (s != 0 && v != 0) {
        QCOMPARE(OvrColor(rgb).hue8(), h);
        QCOMPARE(OvrColor(rgb).saturation8(), s);
    } else {
        QCOMPARE(OvrColor(rgb).hue8(), -1);
    }
}

void tst_OvrColor::hsvRoundTrip()
{
    for (int h = 0; h < 360; h += 7) {
        for (int s : {40, 128, 255}) {
            for (int v : {60, 200, 255}) {
                const OvrColor hsv = OvrColor::fromHsv16(h, s * 257, v * 257);
                const OvrColor back = hsv.toRgb16().toHsv16();
                QVERIFY2(qAbs(back.hue8() - h) <= 1 || qAbs(back.hue8() - h) == 359,
                         qPrintable(QStringLiteral("h %1 s %2 v %3 -> %4").arg(h).arg(s).arg(v).arg(back.hue8())));
                QVERIFY(qAbs(back.saturation16() - s * 257) <= 2);
                QVERIFY(qAbs(back.value16() - v * 257) <= 1);
            }
        }
    }
    for (int r = 0; r < 256; r += 51) {
        for (int g = 0; g < 256; g += 51) {
            for (int b = 0; b < 256; b += 17) {
                const OvrColor rgb = OvrColor::fromRgb8(r, g, b);
                QCOMPARE(rgb.toHsv16().toRgb16().name8(), rgb.name8());
            }
        }
    }
}

void tst_OvrColor::aNameRoundTrip_data()
{
    QTest::addColumn<OvrColor>("color");
    QTest::addColumn<QString>("name");

    QTest::newRow("opaque red") << OvrColor::fromRgb8(255, 0, 0) << "aRgb;1;0;#ffffffff00000000";
    QTest::newRow("16-bit with alpha") << OvrColor::fromRgb16(0x1234, 0xabcd, 0x0001, 0x8000)
                                       << "aRgb;1;0;#80001234abcd0001";
    QTest::newRow("hsv as rgb") << OvrColor::fromHsv8(240, 255, 255) << "aRgb;1;0;#ffff00000000ffff";
    OvrColor yxy;
    yxy.setYxy16(1, 0.3127, 0.329, 65535);
    QTest::newRow("yxy") << yxy << "aYxy;1;0;65535;1.000000;0.312700;0.329000";
    OvrColor dim;
    dim.setYxy16(0.25, 0.5, 0.4, 100);
    QTest::newRow("yxy dim") << dim << "aYxy;1;0;100;0.250000;0.500000;0.400000";
    OvrColor nch = OvrColor::fromNChannel16({65535, 0, 1000, 65535, 7, 300}, ColorUtils::ConfigRGBAW,
                                            ColorUtils::ProfileKestrelKiteQRZ);
    QTest::newRow("nchannel") << nch << "aNchannel;2;1;65535;0;1000;65535;7;300;0";
    OvrColor rendered = OvrColor::fromNChannel16({512, 1, 2, 3, 4}, ColorUtils::ConfigRGBA,
                                                 ColorUtils::ProfileQuillbarZP2RGBA);
    rendered.setNChannelRenderType(OvrColor::RenderYxy);
    QTest::newRow("nchannel yxy render") << rendered << "aNchannel;6;8;512;1;2;3;4;1";
    QTest::newRow("invalid") << OvrColor() << "";
}

void tst_OvrColor::aNameRoundTrip()
{
    QFETCH(OvrColor, color);
    QFETCH(QString, name);
    QCOMPARE(color.aName(), name);
    if (name.isEmpty())
        return;
    const OvrColor parsed(name);
    QCOMPARE(parsed.aName(), name);
    if (color.spec() != OvrColor::Hsv)
        QCOMPARE(parsed, color);
}

// Every finite coordinate is accepted, so every one must be written in full
// and read back: the text is all a stored colour is.
void tst_OvrColor::aNameOfAnyCoordinate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");

    // Null "written": too long to spell out; the text must still read back.
    QTest::newRow("huge Y") << "aYxy;0;0;0;1e300;0;0" << QString();
    QTest::newRow("huge negative y") << "aYxy;1;0;65535;1;0.3;-1e300" << QString();
    QTest::newRow("largest double everywhere")
            << "aYxy;1;0;1;-1.7976931348623157e308;1.7976931348623157e308;-1.7976931348623157e308" << QString();
    QTest::newRow("Y 1e237") << "aYxy;0;0;0;1e237;0;0" << QString();
    QTest::newRow("three large coordinates") << "aYxy;1;0;6;16666666669E199;9E19;9" << QString();
    QTest::newRow("tiny") << "aYxy;1;0;7;1e-300;0.3127;0.329" << "aYxy;1;0;7;0.000000;0.312700;0.329000";
}

void tst_OvrColor::aNameOfAnyCoordinate()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    const OvrColor color(text);
    QVERIFY(color.isValid());
    const QString name = color.aName();
    if (!written.isNull())
        QCOMPARE(name, written);
    const QStringList fields = name.split(';');
    QCOMPARE(fields.size(), 7);
    QVERIFY(!fields.contains(QString()));
    const OvrColor reread(name);
    QVERIFY(reread.isValid());
    QCOMPARE(reread.aName(), name);
    if (written.isNull()) // integral coordinates survive exactly
        QCOMPARE(reread, color);
}

void tst_OvrColor::setNamedColor_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("spec");
    QTest::addColumn<QString>("rgb16");
    QTest::addColumn<int>("alpha16");
    QTest::addColumn<int>("configuration");
    QTest::addColumn<int>("profile");

    QTest::newRow("#RRGGBB") << "#ff0000" << int(OvrColor::Rgb) << "#ffff00000000" << 65535 << 1 << 0;
    QTest::newRow("#AARRGGBB") << "#80ff0000" << int(OvrColor::Rgb) << "#ffff00000000" << 0x8080 << 1 << 0;
    QTest::newRow("#RRRRGGGGBBBB") << "#0001fffe8000" << int(OvrColor::Rgb) << "#0001fffe8000" << 65535 << 1 << 0;
    QTest::newRow("#AAAARRRRGGGGBBBB") << "#00100001FFFE8000" << int(OvrColor::Rgb) << "#0001fffe8000" << 16 << 1 << 0;
    QTest::newRow("svg name") << "cornflowerblue" << int(OvrColor::Rgb) << "#64649595eded" << 65535 << 1 << 0;
    QTest::newRow("empty") << "" << int(OvrColor::Invalid) << "" << 0 << 1 << 0;
    QTest::newRow("aRgb three parts") << "aRgb;1;0" << int(OvrColor::Invalid) << "" << 0 << 1 << 0;
    QTest::newRow("aRgb five parts") << "aRgb;1;0;#ffffffff00000000;1" << int(OvrColor::Invalid) << "" << 0 << 1 << 0;
    QTest::newRow("aRgb bad hex") << "aRgb;1;0;#fffffffg00000000" << int(OvrColor::Invalid) << "" << 0 << 1 << 0;
    // The stored profile of an RGB colour is dropped: the keypad reads such
    // colours back as generic RGB (direct output).
    QTest::newRow("aRgb profile dropped") << "aRgb;3;5;#ffff000011112222" << int(OvrColor::Rgb) << "#000011112222"
                                          << 65535 << 1 << 0;
    QTest::newRow("aYxy") << "aYxy;1;0;65535;1;0.3127;0.329" << int(OvrColor::Yxy) << "" << 65535 << 1 << 0;
    QTest::newRow("aYxy keeps configuration") << "aYxy;5;2;100;0.5;0.3;0.3" << int(OvrColor::Yxy) << "" << 100 << 5
                                              << 0;
    QTest::newRow("aYxy six parts") << "aYxy;1;0;65535;1;0.3127" << int(OvrColor::Invalid) << "" << 0 << 1 << 0;
    QTest::newRow("aYxy not a number") << "aYxy;1;0;65535;1;abc;0.3" << int(OvrColor::Invalid) << "" << 0 << 1 << 0;
    QTest::newRow("aNchannel") << "aNchannel;6;5;65535;1;2;3;4;0" << int(OvrColor::NChannel) << "" << 65535 << 6
                               << 5;
    QTest::newRow("aNchannel without levels") << "aNchannel;6;5;65535" << int(OvrColor::Invalid) << "" << 0 << 1
                                              << 0;
    QTest::newRow("aNchannel level too big") << "aNchannel;6;5;65535;1;99999;3;4;0" << int(OvrColor::Invalid) << ""
                                             << 0 << 1 << 0;
    QTest::newRow("unknown profile") << "aNchannel;6;42;65535;1;2;3;4;0" << int(OvrColor::Invalid) << "" << 0 << 1
                                     << 0;
    QTest::newRow("unknown configuration") << "aYxy;-3;0;65535;1;0.3;0.3" << int(OvrColor::Invalid) << "" << 0 << 1
                                           << 0;
}

void tst_OvrColor::setNamedColor()
{
    QFETCH(QString, name);
    QFETCH(int, spec);
    QFETCH(QString, rgb16);
    QFETCH(int, alpha16);
    QFETCH(int, configuration);
    QFETCH(int, profile);

    OvrColor c(Qt::green);
    c.setNamedColor(name);
    QCOMPARE(int(c.spec()), spec);
    if (spec == OvrColor::Invalid)
        return;
    if (!rgb16.isEmpty())
        QCOMPARE(c.name(), rgb16);
    QCOMPARE(c.alpha16(), alpha16);
    QCOMPARE(int(c.getChannelConfiguration()), configuration);
    QCOMPARE(int(c.getPrismalProfileID()), profile);
}

void tst_OvrColor::stringForms()
{
    OvrColor yxy;
    yxy.setNamedColor(QStringLiteral("aYxy;1;0;65535;1;0.3127;0.329"));
    QCOMPARE(yxy.getY(), 1.0);
    QCOMPARE(yxy.getx(), 0.3127);
    QCOMPARE(yxy.gety(), 0.329);

    const OvrColor c = OvrColor::fromRgb16(0x1234, 0x5678, 0x9abc, 0x4000);
    QCOMPARE(c.name(), QStringLiteral("#123456789abc"));
    QCOMPARE(c.name8(), QStringLiteral("#12569a"));
    QCOMPARE(c.nameFull8(), QStringLiteral("64"));
    const OvrColor n = OvrColor::fromNChannel8({255, 1, 2, 3, 250}, ColorUtils::ConfigRGBW,
                                               ColorUtils::ProfileGenericRGBW);
    QCOMPARE(n.nameFull8(), QStringLiteral("255,1,2,3,250"));
}

void tst_OvrColor::comparison_data()
{
    QTest::addColumn<OvrColor>("a");
    QTest::addColumn<OvrColor>("b");
    QTest::addColumn<bool>("equal");

    QTest::newRow("same rgb") << OvrColor::fromRgb8(1, 2, 3) << OvrColor::fromRgb16(257, 514, 771) << true;
    QTest::newRow("different alpha") << OvrColor::fromRgb8(1, 2, 3, 255) << OvrColor::fromRgb8(1, 2, 3, 254) << false;
    QTest::newRow("different profile") << OvrColor::fromRgb8(1, 2, 3, 255, ColorUtils::ProfileMarlspotRGB)
                                       << OvrColor::fromRgb8(1, 2, 3) << false;
    QTest::newRow("rgb vs hsv") << OvrColor::fromRgb8(255, 0, 0) << OvrColor::fromHsv8(0, 255, 255) << false;
    QTest::newRow("hue 0 vs full circle") << OvrColor::fromHsvF(0, 1, 1) << OvrColor::fromHsvF(1, 1, 1) << true;
    // 0xFFFFFFFF mod 36000 is 23295: still no match for a hue of 232.95 degrees.
    QTest::newRow("achromatic vs 232.95") << OvrColor::fromHsvF(-1, 0, 1)
                                          << OvrColor::fromHsvF(23295 / 36000.0, 0, 1) << false;
    QTest::newRow("invalid") << OvrColor() << OvrColor() << false;
    QTest::newRow("yxy") << OvrColor(0.3, 0.3) << OvrColor(0.3, 0.3) << true;
    QTest::newRow("nchannel render type")
        << OvrColor::fromNChannel8({255, 1}, ColorUtils::ConfigSingleChannel, ColorUtils::ProfileSingleChannel)
        << [] {
               OvrColor c = OvrColor::fromNChannel8({255, 1}, ColorUtils::ConfigSingleChannel,
                                                    ColorUtils::ProfileSingleChannel);
               c.setNChannelRenderType(OvrColor::RenderYxy);
               return c;
           }()
        << false;
}

void tst_OvrColor::comparison()
{
    QFETCH(OvrColor, a);
    QFETCH(OvrColor, b);
    QFETCH(bool, equal);
    QCOMPARE(a == b, equal);
    QCOMPARE(a != b, !equal);
}

void tst_OvrColor::isBlack_data()
{
    QTest::addColumn<OvrColor>("color");
    QTest::addColumn<bool>("black");

    QTest::newRow("rgb black") << OvrColor::fromRgb8(0, 0, 0) << true;
    QTest::newRow("rgb dark") << OvrColor::fromRgb16(0, 0, 1) << false;
    QTest::newRow("hsv value 0, any hue") << OvrColor::fromHsv8(200, 255, 0) << true;
    QTest::newRow("yxy Y 0") << OvrColor::fromxyY(0.3, 0.3, 0) << true;
    QTest::newRow("nchannel zero") << OvrColor::fromNChannel8({255, 0, 0, 0, 0}, ColorUtils::ConfigRGBA,
                                                              ColorUtils::ProfileFenwashLX6RGBA)
                                   << true;
    QTest::newRow("nchannel lit") << OvrColor::fromNChannel8({0, 0, 0, 0, 1}, ColorUtils::ConfigRGBA,
                                                             ColorUtils::ProfileFenwashLX6RGBA)
                                  << false;
    QTest::newRow("invalid") << OvrColor() << false;
}

void tst_OvrColor::isBlack()
{
    QFETCH(OvrColor, color);
    QFETCH(bool, black);
    QCOMPARE(color.isBlack(), black);
}

void tst_OvrColor::yxyAccess()
{
    // Generic RGB red: X = 0.4123152, Y = 0.2126, Z = 0.0193273,
    // x = X / (X + Y + Z) = 0.64, y = 0.33.
    const OvrColor red = OvrColor::fromRgb8(255, 0, 0, 200);
    QCOMPARE(red.getY(), 1.0);
    QVERIFY(qAbs(red.getx() - 0.64) < 1e-6);
    QVERIFY(qAbs(red.gety() - 0.33) < 1e-6);
    QCOMPARE(red.spec(), OvrColor::Rgb);

    // Profile 7 dims with the square law: level 128/255 -> d = 32896 ->
    // f = 17588.064453125 (as a float) -> 17588.064453125 / 65516.
    const OvrColor dim = OvrColor::fromRgb8(128, 0, 0, 255, ColorUtils::ProfileMarlspotRGB);
    QCOMPARE(dim.getY(), 17588.064453125 / 65516.0);
    const OvrColor linear = OvrColor::fromRgb8(128, 0, 0);
    QCOMPARE(linear.getY(), 128 / 255.0);

    OvrColor c = OvrColor::fromRgb8(255, 0, 0, 128);
    const double x = c.getx();
    const double y = c.gety();
    c.setY(0.5);
    QCOMPARE(c.spec(), OvrColor::Yxy);
    QCOMPARE(c.getY(), 0.5);
    QCOMPARE(c.getx(), x);
    QCOMPARE(c.gety(), y);
    QCOMPARE(c.alpha16(), 128 * 257);

    // The keypad's own order: a default colour gets Y, x and y in turn.
    OvrColor fresh;
    fresh.setY(0.75);
    fresh.setx(0.4);
    fresh.sety(0.35);
    QCOMPARE(fresh.aName(), QStringLiteral("aYxy;1;0;65535;0.750000;0.400000;0.350000"));

    double Y = -1, px = -1, py = -1;
    int a8 = -1;
    fresh.getYxy8(&Y, &px, nullptr, &a8);
    QCOMPARE(Y, -1.0); // a null output makes the call do nothing
    fresh.getYxy8(&Y, &px, &py, &a8);
    QCOMPARE(a8, 255);
    QCOMPARE(py, 0.35);

    // A full-luminance D65 white lands inside the generic RGB gamut with at
    // least one channel at full.
    const OvrColor white = OvrColor(0.3127, 0.329).toRgb16();
    QCOMPARE(qMax(white.red16(), qMax(white.green16(), white.blue16())), 65535);
    QVERIFY(white.red16() > 60000 && white.green16() > 60000 && white.blue16() > 60000);
}

void tst_OvrColor::nChannel()
{
    OvrColor c;
    c.setNChannel8({128, 255, 0, 300}, ColorUtils::ConfigRGB, ColorUtils::ProfileMarlspotRGB);
    QCOMPARE(c.spec(), OvrColor::NChannel);
    QVector<unsigned int> levels;
    ColorUtils::ChannelConfiguration cfg = ColorUtils::ConfigUnknown;
    ColorUtils::PrismalProfileID profile = ColorUtils::ProfileGenericRGB;
    c.getNChannel16(&levels, &cfg, &profile);
    // A level above the 8-bit range is held at full rather than wrapping.
    QCOMPARE(levels, QVector<unsigned int>({128 * 257, 65535, 0, 65535}));
    QCOMPARE(cfg, ColorUtils::ConfigRGB);
    QCOMPARE(profile, ColorUtils::ProfileMarlspotRGB);
    QCOMPARE(c.getNChannelRenderType(), OvrColor::RenderRgb);

    QVector<double> f;
    c.getNChannelF(&f);
    QCOMPARE(f.size(), 4);
    QCOMPARE(f.at(1), 1.0);

    // Converting to n channels of the same layout and profile is a copy.
    QCOMPARE(c.toNChannel16(ColorUtils::ConfigRGB, ColorUtils::ProfileMarlspotRGB), c);

    const OvrColor yxy = OvrColor::fromxyY(0.3127, 0.329, 1.0, ColorUtils::ProfileKestrelKiteQRZ);
    const OvrColor five = yxy.toNChannel16(ColorUtils::ConfigRGBAW, ColorUtils::ProfileKestrelKiteQRZ, 0);
    QCOMPARE(five.getNChannelRenderType(), OvrColor::RenderYxy);
    five.getNChannel16(&levels);
    QCOMPARE(levels.size(), 6);
    // Linear 16-bit levels of the D65 mix for profile 1 (see dmxreference.py):
    // 10 234, 255 255, 113 12, 255 255, 255 255 high/low bytes.
    QCOMPARE(levels, QVector<unsigned int>({65535, 0x0AEA, 0xFFFF, 0x710C, 0xFFFF, 0xFFFF}));

    // An unknown configuration stands for the profile's own layout.
    QCOMPARE(OvrColor::fromRgb8(1, 2, 3).convertTo(OvrColor::NChannel).getChannelConfiguration(),
             ColorUtils::ConfigRGB);
    QVERIFY(!OvrColor::fromRgb8(1, 2, 3).convertTo(OvrColor::Invalid).isValid());
}

void tst_OvrColor::mixing()
{
    const OvrColor a = OvrColor::fromRgb8(255, 0, 0, 0);
    const OvrColor b = OvrColor::fromRgb16(1, 2, 3, 4, ColorUtils::ProfileMarlspotRGB);
    QCOMPARE(OvrColor::mix(a, b), b);
    QCOMPARE(OvrColor::mix(OvrColor::fromRgb8(9, 9, 9), b), OvrColor::fromRgb8(9, 9, 9));

    // Half red over opaque blue. The stored alpha 0.5 is 0x80000000, a hair
    // above one half, so red tops 0x80000000 and blue stays just below it.
    const OvrColor half = OvrColor::mix(OvrColor::fromRgbF(1, 0, 0, 0.5), OvrColor::fromRgbF(0, 0, 1, 1));
    QCOMPARE(half.name8(), QStringLiteral("#80007f"));
    QCOMPARE(half.alphaF(), 1.0);

    // Sums that round a hair above full stay valid.
    for (int i = 1; i < 100; ++i) {
        const double alpha = i / 100.0;
        QVERIFY(OvrColor::mix(OvrColor::fromRgbF(1, 1, 1, alpha), OvrColor::fromRgbF(1, 1, 1, 1)).isValid());
    }

    const OvrColor yxyMix = OvrColor::mix(OvrColor::fromRgbF(1, 0, 0, 0.5), OvrColor(0.3127, 0.329));
    QCOMPARE(yxyMix.spec(), OvrColor::Yxy);

    QTest::ignoreMessage(QtDebugMsg, "not doing blend ");
    QCOMPARE(OvrColor::blend(a, b, 0.0), b);
    QTest::ignoreMessage(QtDebugMsg, "not doing blend ");
    QCOMPARE(OvrColor::blend(a, b, 1.0), a);
    const OvrColor blended = OvrColor::blend(OvrColor::fromRgbF(1, 0, 0, 1), OvrColor::fromRgbF(0, 1, 0, 1), 0.25);
    QCOMPARE(blended.name8(), QStringLiteral("#40bf00"));
    QCOMPARE(blended.alphaF(), 1.0);
}

void tst_OvrColor::premultiply()
{
    const OvrColor c = OvrColor::fromRgbF(1, 0.5, 0, 0.5);
    const OvrColor p = OvrColor::premultiply(c);
    QCOMPARE(p.redF(), OvrColor::fromRgbF(0.5, 0, 0).redF());
    QCOMPARE(p.alphaF(), c.alphaF());
    QCOMPARE(OvrColor::unpremultiply(p).name8(), c.name8());

    OvrColor transparent = OvrColor::fromRgb8(10, 20, 30, 0);
    QCOMPARE(OvrColor::unpremultiply(transparent), transparent);

    // Only the luminance of a chromaticity scales; x and y stay.
    OvrColor yxy;
    yxy.setYxyF(0.8, 0.4, 0.35, 0.5);
    const OvrColor py = OvrColor::premultiply(yxy);
    QCOMPARE(py.getx(), 0.4);
    QCOMPARE(py.gety(), 0.35);
    QVERIFY(qAbs(py.getY() - 0.4) < 1e-9);
    QCOMPARE(py.alpha16(), yxy.alpha16());
    QVERIFY(qAbs(OvrColor::unpremultiply(py).getY() - 0.8) < 1e-9);

    OvrColor n = OvrColor::fromNChannelF({0.5, 1.0, 0.25}, ColorUtils::ConfigRGB, ColorUtils::ProfileMarlspotRGB);
    n.setNChannelRenderType(OvrColor::RenderYxy);
    const OvrColor pn = OvrColor::premultiply(n);
    QVector<double> levels;
    pn.getNChannelF(&levels);
    QVERIFY(qAbs(levels.at(1) - 0.5) < 1e-9);
    QVERIFY(qAbs(levels.at(2) - 0.125) < 1e-9);
    QCOMPARE(pn.getNChannelRenderType(), OvrColor::RenderYxy);
    QCOMPARE(pn.getPrismalProfileID(), ColorUtils::ProfileMarlspotRGB);
}

void tst_OvrColor::gradient()
{
    QLinearGradient g;
    g.setColorAt(0.0, Qt::red);
    g.setColorAt(0.5, Qt::red);
    g.setColorAt(1.0, Qt::blue);
    QCOMPARE(OvrColor::colorFromGradient(g, 0.25).name8(), QStringLiteral("#ff0000"));
    QCOMPARE(OvrColor::colorFromGradient(g, 0.75).name8(), QStringLiteral("#800080"));
    QCOMPARE(OvrColor::colorFromGradient(g, 1.0).name8(), QStringLiteral("#0000ff"));
    // Outside the stops the end colours hold.
    QCOMPARE(OvrColor::colorFromGradient(g, -3.0).name8(), QStringLiteral("#ff0000"));
    QCOMPARE(OvrColor::colorFromGradient(g, 7.0).name8(), QStringLiteral("#0000ff"));
    QVERIFY(!OvrColor::colorFromGradient(g, qQNaN()).isValid());

    // Two stops at one position: no division by a zero span.
    QLinearGradient step;
    step.setColorAt(0.0, Qt::black);
    step.setColorAt(0.5, Qt::black);
    step.setColorAt(1.0, Qt::white);
    QVERIFY(OvrColor::colorFromGradient(step, 0.5).isValid());
}

void tst_OvrColor::mimeData()
{
    const OvrColor c = OvrColor::fromRgb8(255, 0, 0);
    std::unique_ptr<QMimeData> data(c.mimeData());
    QVERIFY(data->hasFormat(QStringLiteral("data/x-ovrcolor")));
    QCOMPARE(data->data(QStringLiteral("data/x-ovrcolor")), QByteArray("aRgb;1;0;#ffffffff00000000"));
}

QTEST_GUILESS_MAIN(tst_OvrColor)
#include "tst_ovrcolor.moc"
