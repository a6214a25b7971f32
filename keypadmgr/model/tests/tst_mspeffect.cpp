// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcolorwasheffect.h"
#include "mspcustomwasheffect.h"
#include "mspeffectfactory.h"
#include "mspfixedcoloreffect.h"
#include "mspkelvowhiteeffect.h"
#include "msprainbowwasheffect.h"
#include "msprandomcoloreffect.h"
#include "mspvariablecoloreffect.h"
#include "mspwhiteeffect.h"
#include "ovrcolor.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// Six owned colours for setParameters, as the reader hands them over.
struct SixColors
{
    std::vector<std::unique_ptr<OvrColor>> owned;
    QList<OvrColor *> list;
    explicit SixColors(int count = 6)
    {
        const char *names[] = { "#ff0000", "#00ff00", "#0000ff", "#ffff00", "#00ffff", "#ff00ff", "#ffffff" };
        for (int i = 0; i < count; ++i) {
            owned.emplace_back(new OvrColor(QString::fromLatin1(names[i % 7])));
            list << owned.back().get();
        }
    }
};

QStringList parametersOf(MSPEffect *effect, float *Y = nullptr, float *x = nullptr, float *y = nullptr,
                         QStringList *colorNames = nullptr)
{
    QStringList params { "stale" };
    QList<OvrColor *> colors;
    float a = 9, b = 9, c = 9;
    effect->getParameters(params, colors, a, b, c);
    if (Y) {
        *Y = a;
        *x = b;
        *y = c;
    }
    for (OvrColor *color : colors) {
        if (colorNames)
            *colorNames << color->aName();
        delete color;
    }
    return params;
}

} // namespace

class OrderRecorder : public QObject
{
    Q_OBJECT
public:
    QStringList calls;
public slots:
    void own() { calls << "own"; }
    void params() { calls << "params"; }
};

class tst_MSPEffect : public QObject
{
    Q_OBJECT

private slots:
    void eachTypeIsMadeAndNamed_data();
    void eachTypeIsMadeAndNamed();
    void setterSignals_data();
    void setterSignals();
    void washParameters_data();
    void washParameters();
    void customWashColors_data();
    void customWashColors();
    void randomColorParameters_data();
    void randomColorParameters();
    void whiteParameters_data();
    void whiteParameters();
    void whiteBrightnessSent_data();
    void whiteBrightnessSent();
    void fixedColorParameters();
    void fixedColorYxy();
    void fixedColorRejectsBadInput_data();
    void fixedColorRejectsBadInput();
    void variableColor();
    void variableColorHueSurvivesCycles_data();
    void variableColorHueSurvivesCycles();
    void yxyColorSurvivesAFile_data();
    void yxyColorSurvivesAFile();
    void setParametersEmitsNothing();
};

void tst_MSPEffect::eachTypeIsMadeAndNamed_data()
{
    // The names are the effect selector's texts, in the keypad's type order.
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    const char *const names[] = {"Fixed Color", "Variable Color", "Color Wash", "Rainbow Wash",
                                 "Custom Wash", "Random Color", "RGB White", "Kelvo White"};
    static_assert(std::size(names) == MSPEffect::typeCount, "one name per effect type");
    for (int type = 0; type < MSPEffect::typeCount; ++type)
        QTest::addRow("%s", names[type]) << type << QString::fromLatin1(names[type]);
    QTest::newRow("below the types") << -1 << QStringLiteral("undefined");
    QTest::newRow("above the types") << int(MSPEffect::typeCount) << QStringLiteral("undefined");
}

void tst_MSPEffect::eachTypeIsMadeAndNamed()
{
    QFETCH(int, type);
    QFETCH(QString, name);
    QCOMPARE(MSPEffect::effectTypeName(type), name);
    QObject parent;
    MSPEffect *effect = MSPEffectFactory::instance()->create(type, &parent);
    if (type < 0 || type >= MSPEffect::typeCount) {
        QVERIFY(!effect);
        return;
    }
    // An effect of its own type, owned by the scene, that reads back what
    // it writes: a factory row pointing at the wrong class fails here.
    QVERIFY(effect);
    QCOMPARE(effect->type(), type);
    QCOMPARE(effect->parent(), &parent);
    QStringList params;
    QList<OvrColor *> colors;
    float Y = 0, x = 0, y = 0;
    effect->getParameters(params, colors, Y, x, y);
    MSPEffect *copy = MSPEffectFactory::instance()->create(type, &parent);
    copy->setParameters(params, colors, colors.size(), ColorUtils::PrismalProfileID(0), Y, x, y);
    QStringList copied;
    QList<OvrColor *> copiedColors;
    copy->getParameters(copied, copiedColors, Y, x, y);
    QCOMPARE(copied, params);
    QCOMPARE(copiedColors.size(), colors.size());
    qDeleteAll(colors);
    qDeleteAll(copiedColors);
}

void tst_MSPEffect::setterSignals_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("initial");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("fixed colour") << 0 << QByteArray("color") << QVariant("#ff0000") << QVariant("#00ff00");
    QTest::newRow("variable colour") << 1 << QByteArray("color") << QVariant("#ff0000") << QVariant("#0000ff");
    QTest::newRow("wash speed") << 2 << QByteArray("speed") << QVariant(1) << QVariant(12);
    QTest::newRow("wash direction") << 2 << QByteArray("direction") << QVariant(0) << QVariant(1);
    QTest::newRow("custom width") << 4 << QByteArray("width") << QVariant(1) << QVariant(7);
    QTest::newRow("rainbow width") << 3 << QByteArray("width") << QVariant(4) << QVariant(30);
    QTest::newRow("random speed") << 5 << QByteArray("speed") << QVariant(1) << QVariant(40);
    QTest::newRow("random fade") << 5 << QByteArray("fade") << QVariant(false) << QVariant(true);
    QTest::newRow("white temperature") << 6 << QByteArray("temperature") << QVariant(0) << QVariant(200);
    QTest::newRow("white brightness") << 6 << QByteArray("brightness") << QVariant(100) << QVariant(50);
    QTest::newRow("kelvo brightness") << 7 << QByteArray("brightness") << QVariant(100) << QVariant(0);
}

// The class defaults; a change emits its own signal, then effectParamsChanged();
// the same value again emits nothing at all.
void tst_MSPEffect::setterSignals()
{
    QFETCH(int, type);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, initial);
    QFETCH(QVariant, value);

    std::unique_ptr<MSPEffect> effect(MSPEffectFactory::instance()->create(type, nullptr));
    const QMetaObject *meta = effect->metaObject();
    const QMetaProperty prop = meta->property(meta->indexOfProperty(property.constData()));
    QVERIFY(prop.isValid());
    QCOMPARE(prop.read(effect.get()), initial);

    OrderRecorder order;
    QVERIFY(QObject::connect(effect.get(), prop.notifySignal(), &order,
                             order.metaObject()->method(order.metaObject()->indexOfSlot("own()"))));
    connect(effect.get(), &MSPEffect::effectParamsChanged, &order, &OrderRecorder::params);
    QSignalSpy own(effect.get(), QByteArray("2" + prop.notifySignal().methodSignature()).constData());
    QSignalSpy params(effect.get(), &MSPEffect::effectParamsChanged);
    QVERIFY(prop.write(effect.get(), value));
    QCOMPARE(prop.read(effect.get()), value);
    QCOMPARE(own.count(), 1);
    QCOMPARE(params.count(), 1);
    QCOMPARE(order.calls, QStringList({ "own", "params" }));

    QVERIFY(prop.write(effect.get(), value));
    QCOMPARE(own.count(), 1);
    QCOMPARE(params.count(), 1);
}

void tst_MSPEffect::washParameters_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("wash clamps low speed, high direction") << 2 << QStringList { "0", "7" } << QStringList { "1", "1" };
    QTest::newRow("wash clamps speed 40") << 2 << QStringList { "40", "0" } << QStringList { "32", "0" };
    QTest::newRow("wash negative direction") << 2 << QStringList { "5", "-3" } << QStringList { "5", "0" };
    QTest::newRow("wash not numbers") << 2 << QStringList { "fast", "x" } << QStringList { "1", "0" };
    QTest::newRow("wash extra entries ignored") << 2 << QStringList { "9", "1", "12" } << QStringList { "9", "1" };
    QTest::newRow("wash too short") << 2 << QStringList { "9" } << QStringList { "1", "0" };
    QTest::newRow("wash huge number") << 2 << QStringList { "99999999999999", "1" } << QStringList { "1", "1" };
    QTest::newRow("rainbow width 2 -> 4") << 3 << QStringList { "3", "1", "2" } << QStringList { "3", "1", "4" };
    QTest::newRow("rainbow width 99 -> 35") << 3 << QStringList { "3", "1", "99" } << QStringList { "3", "1", "35" };
    QTest::newRow("custom width 2") << 4 << QStringList { "3", "1", "2" } << QStringList { "3", "1", "2" };
    QTest::newRow("custom width 99 -> 32") << 4 << QStringList { "3", "1", "99" } << QStringList { "3", "1", "32" };
    QTest::newRow("custom two entries: unchanged") << 4 << QStringList { "3", "1" } << QStringList { "1", "0", "1" };
    QTest::newRow("custom four entries: unchanged")
            << 4 << QStringList { "3", "1", "2", "2" } << QStringList { "1", "0", "1" };
}

void tst_MSPEffect::washParameters()
{
    QFETCH(int, type);
    QFETCH(QStringList, params);
    QFETCH(QStringList, expected);
    std::unique_ptr<MSPEffect> effect(MSPEffectFactory::instance()->create(type, nullptr));
    SixColors colors;
    effect->setParameters(params, colors.list, 2, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    QCOMPARE(parametersOf(effect.get()), expected);
}

void tst_MSPEffect::customWashColors_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("supplied");
    QTest::addColumn<int>("numColors");
    QTest::addColumn<int>("expectedCount"); // -1: list unchanged

    QTest::newRow("none") << 4 << 6 << 0 << 0;
    QTest::newRow("three") << 4 << 6 << 3 << 3;
    QTest::newRow("six") << 3 << 6 << 6 << 6;
    QTest::newRow("count above six takes six") << 4 << 6 << 9 << 6;
    QTest::newRow("negative count takes none") << 4 << 6 << -4 << 0;
    QTest::newRow("five supplied: unchanged") << 4 << 5 << 2 << -1;
    QTest::newRow("seven supplied: unchanged") << 3 << 7 << 2 << -1;
}

void tst_MSPEffect::customWashColors()
{
    QFETCH(int, type);
    QFETCH(int, supplied);
    QFETCH(int, numColors);
    QFETCH(int, expectedCount);

    std::unique_ptr<MSPEffect> effect(MSPEffectFactory::instance()->create(type, nullptr));
    auto *wash = qobject_cast<MSPCustomWashEffect *>(effect.get());
    QVERIFY(wash);
    const QStringList before = wash->colorList();
    QCOMPARE(before, QStringList({ "#ff0000", "#00ff00" }));
    SixColors colors(supplied);
    wash->setParameters({ "7", "1", "10" }, colors.list, numColors, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    if (expectedCount < 0) {
        QCOMPARE(wash->colorList(), before);
        QCOMPARE(wash->speed(), 1);
        return;
    }
    QCOMPARE(wash->speed(), 7);
    QCOMPARE(wash->colorList().size(), expectedCount);
    for (int i = 0; i < expectedCount; ++i)
        QCOMPARE(wash->colorList().at(i), colors.list.at(i)->aName());

    // getParameters hands out one new colour per entry, in order.
    QStringList names;
    QCOMPARE(parametersOf(wash, nullptr, nullptr, nullptr, &names), QStringList({ "7", "1", "10" }));
    QCOMPARE(names, wash->colorList());
}

void tst_MSPEffect::randomColorParameters_data()
{
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("speed 40 unclamped") << QStringList { "40", "1" } << QStringList { "40", "1" };
    QTest::newRow("fade any non-zero") << QStringList { "3", "17" } << QStringList { "3", "1" };
    QTest::newRow("fade zero") << QStringList { "3", "0" } << QStringList { "3", "0" };
    QTest::newRow("too short") << QStringList { "3" } << QStringList { "1", "0" };
}

void tst_MSPEffect::randomColorParameters()
{
    QFETCH(QStringList, params);
    QFETCH(QStringList, expected);
    MSPRandomColorEffect effect;
    effect.setParameters(params, {}, 0, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    QCOMPARE(parametersOf(&effect), expected);
}

void tst_MSPEffect::whiteParameters_data()
{
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<int>("temperature");
    QTest::addColumn<int>("brightness");
    QTest::newRow("128 is 50 percent") << QStringList { "10", "128" } << 10 << 50;
    QTest::newRow("255 is 100 percent") << QStringList { "255", "255" } << 255 << 100;
    QTest::newRow("0") << QStringList { "0", "0" } << 0 << 0;
    QTest::newRow("huge brightness stays defined") << QStringList { "1", "1e30" } << 1 << 2147483647;
    QTest::newRow("too short") << QStringList { "9" } << 0 << 100;
}

void tst_MSPEffect::whiteParameters()
{
    QFETCH(QStringList, params);
    QFETCH(int, temperature);
    QFETCH(int, brightness);
    MSPKelvoWhiteEffect effect;
    effect.setParameters(params, {}, 0, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    QCOMPARE(effect.temperature(), temperature);
    QCOMPARE(effect.brightness(), brightness);
}

void tst_MSPEffect::whiteBrightnessSent_data()
{
    QTest::addColumn<int>("brightness");
    QTest::addColumn<QString>("sent");
    QTest::newRow("100") << 100 << "255";
    QTest::newRow("50 rounds half up") << 50 << "128";
    QTest::newRow("1") << 1 << "3";
    QTest::newRow("0") << 0 << "0";
}

void tst_MSPEffect::whiteBrightnessSent()
{
    QFETCH(int, brightness);
    QFETCH(QString, sent);
    MSPWhiteEffect effect;
    effect.setTemperature(77);
    effect.setBrightness(brightness);
    float Y, x, y;
    QCOMPARE(parametersOf(&effect, &Y, &x, &y), QStringList({ "77", sent }));
    QCOMPARE(Y + x + y, 0.0f);
}

void tst_MSPEffect::fixedColorParameters()
{
    MSPFixedColorEffect effect;
    effect.setParameters({ "255", "0", "0" }, {}, 0, ColorUtils::ProfileFenwashLX6RGBA, 0, 0, 0);
    QCOMPARE(effect.color(), OvrColor::fromRgb8(255, 0, 0, 255, ColorUtils::ProfileFenwashLX6RGBA).aName());

    effect.setParameters({ "0", "255" }, {}, 0, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    QCOMPARE(effect.color(), OvrColor::fromRgb8(255, 0, 0, 255, ColorUtils::ProfileFenwashLX6RGBA).aName());

    // Sent as its channel values for the generic RGB fixture class.
    effect.setColor(QStringLiteral("#3399cc"));
    float Y, x, y;
    QCOMPARE(parametersOf(&effect, &Y, &x, &y), QStringList({ "51", "153", "204" }));
    QCOMPARE(Y + x + y, 0.0f);
}

void tst_MSPEffect::fixedColorYxy()
{
    MSPFixedColorEffect effect;
    // params are not looked at when a Yxy colour is given.
    effect.setParameters({ "1", "2" }, {}, 0, ColorUtils::ProfileGenericRGB, 0.5f, 0.3127f, 0.329f);
    const OvrColor color(effect.color());
    QCOMPARE(color.spec(), OvrColor::Yxy);
    QCOMPARE(float(color.getY()), 0.5f);
    QCOMPARE(float(color.getx()), 0.3127f);
    QCOMPARE(float(color.gety()), 0.329f);

    float Y, x, y;
    parametersOf(&effect, &Y, &x, &y);
    QCOMPARE(Y, 0.5f);
    QCOMPARE(x, 0.3127f);
    QCOMPARE(y, 0.329f);
}

void tst_MSPEffect::fixedColorRejectsBadInput_data()
{
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<float>("Y");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::newRow("channel above 255") << QStringList { "300", "0", "0" } << 0.f << 0.f << 0.f;
    QTest::newRow("negative channel") << QStringList { "-1", "0", "0" } << 0.f << 0.f << 0.f;
    QTest::newRow("Y above 1") << QStringList() << 65.5f << 0.3f << 0.3f;
    QTest::newRow("x above 1") << QStringList() << 0.5f << 6.5f << 0.3f;
}

// Values no colour can have leave the colour as it was instead of an empty name.
void tst_MSPEffect::fixedColorRejectsBadInput()
{
    QFETCH(QStringList, params);
    QFETCH(float, Y);
    QFETCH(float, x);
    QFETCH(float, y);
    MSPVariableColorEffect variable;
    MSPFixedColorEffect fixed;
    for (MSPFixedColorEffect *effect : { &fixed, static_cast<MSPFixedColorEffect *>(&variable) }) {
        effect->setColor(QStringLiteral("#123456"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
        effect->setParameters(params.isEmpty() ? QStringList { "0", "0", "0" } : params, {}, 0,
                              ColorUtils::ProfileGenericRGB, Y, x, y);
        QCOMPARE(effect->color(), QStringLiteral("#123456"));
    }
}

void tst_MSPEffect::variableColor()
{
    MSPVariableColorEffect effect;
    QCOMPARE(parametersOf(&effect), QStringList({ "0", "255", "255" })); // pure red: hue 0

    effect.setColor(QStringLiteral("#0000ff")); // 240 degrees -> 170
    QCOMPARE(parametersOf(&effect), QStringList({ "170", "255", "255" }));

    effect.setParameters({ "85", "255", "128" }, {}, 0, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    const OvrColor color(effect.color());
    QVERIFY(color.isValid());
    QCOMPARE(color.hue8(), 120); // 85 * 360 / 255
    QCOMPARE(parametersOf(&effect), QStringList({ "85", "255", "128" }));

    effect.setParameters({ "85", "255" }, {}, 0, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    QCOMPARE(effect.color(), color.aName());
}

// Reading the keypad's parameters and writing them again (open then save,
// or download then upload) must give them back unchanged, for every hue.
// Saturation 0 has no hue to keep; hue 255 is a full turn, the red of hue
// 0, and degrees (0..359) are sent as 0..254, so it comes back as 0.
void tst_MSPEffect::variableColorHueSurvivesCycles_data()
{
    QTest::addColumn<int>("saturation");
    QTest::addColumn<int>("value");
    QTest::newRow("full") << 255 << 255;
    QTest::newRow("half saturation") << 128 << 255;
    QTest::newRow("faintest saturation") << 1 << 255;
    QTest::newRow("half value") << 255 << 128;
    QTest::newRow("pastel, dim") << 64 << 40;
}

void tst_MSPEffect::variableColorHueSurvivesCycles()
{
    QFETCH(int, saturation);
    QFETCH(int, value);
    MSPVariableColorEffect effect;
    QStringList changed;
    for (int hue = 0; hue < 256; ++hue) {
        const QStringList received { QString::number(hue), QString::number(saturation), QString::number(value) };
        const QStringList sent { QString::number(hue % 255), received.at(1), received.at(2) };
        QStringList params = received;
        for (int cycle = 1; cycle <= 2; ++cycle) {
            effect.setParameters(params, {}, 0, ColorUtils::ProfileGenericRGB, 0, 0, 0);
            params = parametersOf(&effect);
            if (params != sent) {
                changed << QStringLiteral("%1 -> %2 (cycle %3)").arg(received.join(','), params.join(',')).arg(cycle);
                break;
            }
        }
    }
    QVERIFY2(changed.isEmpty(), qPrintable(QStringLiteral("%1 hues changed, first: %2")
                                                   .arg(changed.size())
                                                   .arg(changed.mid(0, 4).join(QStringLiteral("; ")))));
}

void tst_MSPEffect::yxyColorSurvivesAFile_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("fixed colour") << int(MSPEffect::FixedColor);
    QTest::newRow("variable colour") << int(MSPEffect::VariableColor);
    QTest::newRow("custom wash") << int(MSPEffect::CustomWash);
}

void tst_MSPEffect::yxyColorSurvivesAFile()
{
    // A white picked on screen holds its Y, x and y to full precision; a file
    // and the keypad carry Y in thousandths and x and y in ten-thousandths.
    // What the effect sends must be what it sends again once the file that
    // kept it is opened.
    QFETCH(int, type);
    const auto fileValue = [](double value, double scale) { return float(qRound(value * scale) / scale); };
    const auto levels = [](const OvrColor &color) {
        int rgb[3];
        MSPEffect::colorToChannels(color, ColorUtils::ProfileGenericRGB, rgb);
        return QStringLiteral("%1,%2,%3").arg(rgb[0]).arg(rgb[1]).arg(rgb[2]);
    };
    QRandomGenerator random(20261209);
    QStringList changed;
    for (int pick = 0; pick < 200; ++pick) {
        OvrColor picked;
        picked.setY(0.05 + 0.95 * random.generateDouble());
        picked.setx(0.25 + 0.25 * random.generateDouble());
        picked.sety(0.25 + 0.2 * random.generateDouble());
        std::unique_ptr<MSPEffect> saved(MSPEffectFactory::instance()->create(type, nullptr));
        std::unique_ptr<MSPEffect> opened(MSPEffectFactory::instance()->create(type, nullptr));
        QString sent, received;
        if (auto *wash = qobject_cast<MSPCustomWashEffect *>(saved.get())) {
            wash->setColorList({ picked.aName() });
            const OvrColor kept(wash->colorList().constFirst());
            SixColors colors;
            colors.owned.front()->setY(fileValue(kept.getY(), 1000));
            colors.owned.front()->setx(fileValue(kept.getx(), 10000));
            colors.owned.front()->sety(fileValue(kept.gety(), 10000));
            opened->setParameters({ "1", "0", "1" }, colors.list, 1, ColorUtils::ProfileGenericRGB, 0, 0, 0);
            QStringList names;
            parametersOf(opened.get(), nullptr, nullptr, nullptr, &names);
            sent = levels(kept);
            received = levels(OvrColor(names.value(0)));
        } else {
            saved->setProperty("color", picked.aName());
            float Y, x, y;
            const QStringList params = parametersOf(saved.get(), &Y, &x, &y);
            opened->setParameters(params, {}, 0, ColorUtils::ProfileGenericRGB, fileValue(Y, 1000),
                                  fileValue(x, 10000), fileValue(y, 10000));
            sent = params.join(',');
            received = parametersOf(opened.get()).join(',');
        }
        if (sent != received)
            changed << QStringLiteral("%1 saved, %2 opened").arg(sent, received);
    }
    QVERIFY2(changed.isEmpty(), qPrintable(QStringLiteral("%1 of 200 changed, first: %2")
                                                   .arg(changed.size())
                                                   .arg(changed.mid(0, 3).join(QStringLiteral("; ")))));
}

void tst_MSPEffect::setParametersEmitsNothing()
{
    MSPCustomWashEffect wash;
    MSPWhiteEffect white;
    MSPFixedColorEffect fixed;
    QSignalSpy washSpy(&wash, &MSPEffect::effectParamsChanged);
    QSignalSpy whiteSpy(&white, &MSPEffect::effectParamsChanged);
    QSignalSpy fixedSpy(&fixed, &MSPEffect::effectParamsChanged);
    SixColors colors;
    wash.setParameters({ "5", "1", "9" }, colors.list, 3, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    white.setParameters({ "5", "10" }, {}, 0, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    fixed.setParameters({ "1", "2", "3" }, {}, 0, ColorUtils::ProfileGenericRGB, 0, 0, 0);
    QCOMPARE(wash.width(), 9);
    QCOMPARE(white.temperature(), 5);
    QCOMPARE(washSpy.count() + whiteSpy.count() + fixedSpy.count(), 0);
}

QTEST_GUILESS_MAIN(tst_MSPEffect)
#include "tst_mspeffect.moc"
