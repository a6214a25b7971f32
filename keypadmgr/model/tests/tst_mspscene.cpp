// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcolorwasheffect.h"
#include "mspcustomwasheffect.h"
#include "mspeffectfactory.h"
#include "mspfixedcoloreffect.h"
#include "msprandomcoloreffect.h"
#include "mspscene.h"
#include "mspwhiteeffect.h"
#include "systemconfiguration.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

// An empty colour slot of the show XML.
static const QString emptySlot = QStringLiteral(
        "<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>");
static const QString yxyWhiteDark = QStringLiteral("aYxy;1;0;65535;0;0.3127;0.329");

class tst_MSPScene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void wireForms_data();
    void wireForms();
    void noEffectWritesNothing();
    void valuesAreEscaped();
    void atMostSixColoursWritten();
    void setEffect();
    void setNullEffect();
    void setSameEffectKeepsIt();

private:
    static MSPEffect *makeEffect(const QString &recipe);
};

void tst_MSPScene::initTestCase()
{
    // Colours are converted for the configured fixture class: generic RGB.
    SystemConfiguration::instance()->setFixtureClass(0);
}

// The recipes name what each row sets up; their bytes below are written
// from the keypad's body and show layouts.
MSPEffect *tst_MSPScene::makeEffect(const QString &recipe)
{
    const QStringList parts = recipe.split(QLatin1Char(' '));
    MSPEffect *effect = MSPEffectFactory::instance()->create(parts.at(0).toInt(), nullptr);
    if (recipe == "0 yxy")
        effect->setParameters({}, {}, 0, ColorUtils::ProfileGenericRGB, 0.0f, 0.3127f, 0.329f);
    if (recipe == "3 colours") {
        auto *wash = qobject_cast<MSPCustomWashEffect *>(effect);
        wash->setSpeed(5);
        wash->setDirection(1);
        wash->setWidth(35);
        wash->setColorList({ "#ff0000", "#0000ff" });
    }
    if (recipe == "4 rgb and yxy") {
        auto *wash = qobject_cast<MSPCustomWashEffect *>(effect);
        wash->setColorList({ "#102030", yxyWhiteDark });
    }
    if (recipe == "4 none")
        qobject_cast<MSPCustomWashEffect *>(effect)->setColorList({});
    if (recipe == "5 fast fade") {
        auto *random = qobject_cast<MSPRandomColorEffect *>(effect);
        random->setSpeed(40);
        random->setFade(true);
    }
    if (recipe == "6 warm half") {
        auto *white = qobject_cast<MSPWhiteEffect *>(effect);
        white->setTemperature(200);
        white->setBrightness(50);
    }
    return effect;
}

void tst_MSPScene::wireForms_data()
{
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("xml");

    const QString head = "<show><url>/api/v1/shows/3</url>\n<effect>";
    const QString tail = "\n</customColors>\n</show>";
    const QString noColors = "<numColors>0</numColors>\n<customColors>" + emptySlot.repeated(6) + tail;

    QTest::newRow("fixed colour default")
            << "0" << "effect=0&param1=255&param2=0&param3=0&param_xy=(0,0,0)&num_colors=0"
            << head + "0</effect>\n<parameters><param>255</param><param>0</param><param>0</param>"
                      "<by>0</by><x>0</x><y>0</y></parameters>" + noColors;
    QTest::newRow("fixed colour in Yxy")
            << "0 yxy" << "effect=0&param1=0&param2=0&param3=0&param_xy=(3127,3290,0)&num_colors=0"
            << head + "0</effect>\n<parameters><param>0</param><param>0</param><param>0</param>"
                      "<by>0</by><x>3127</x><y>3290</y></parameters>" + noColors;
    QTest::newRow("variable colour default")
            << "1" << "effect=1&param1=0&param2=255&param3=255&param_xy=(0,0,0)&num_colors=0"
            << head + "1</effect>\n<parameters><param>0</param><param>255</param><param>255</param>"
                      "<by>0</by><x>0</x><y>0</y></parameters>" + noColors;
    QTest::newRow("colour wash default")
            << "2" << "effect=2&param1=1&param2=0&param_xy=(0,0,0)&num_colors=0"
            << head + "2</effect>\n<parameters><param>1</param><param>0</param><param>0</param>"
                      "<by>0</by><x>0</x><y>0</y></parameters>" + noColors;
    QTest::newRow("rainbow wash with colours")
            << "3 colours"
            << "effect=3&param1=5&param2=1&param3=35&param_xy=(0,0,0)&num_colors=2"
               "&color1=(255,0,0)&custom_xy_1=(0,0,0)&color2=(0,0,255)&custom_xy_2=(0,0,0)"
            << head + "3</effect>\n<parameters><param>5</param><param>1</param><param>35</param>"
                      "<by>0</by><x>0</x><y>0</y></parameters><numColors>2</numColors>\n<customColors>"
                      "<color>\n<red>255</red>\n<grn>0</grn>\n<blu>0</blu>\n<by>0</by><x>0</x><y>0</y> </color>"
                      "<color>\n<red>0</red>\n<grn>0</grn>\n<blu>255</blu>\n<by>0</by><x>0</x><y>0</y> </color>"
                    + emptySlot.repeated(4) + tail;
    QTest::newRow("custom wash, RGB and Yxy colour")
            << "4 rgb and yxy"
            << "effect=4&param1=1&param2=0&param3=1&param_xy=(0,0,0)&num_colors=2"
               "&color1=(16,32,48)&custom_xy_1=(0,0,0)&color2=(0,0,0)&custom_xy_2=(3127,3290,0)"
            << head + "4</effect>\n<parameters><param>1</param><param>0</param><param>1</param>"
                      "<by>0</by><x>0</x><y>0</y></parameters><numColors>2</numColors>\n<customColors>"
                      "<color>\n<red>16</red>\n<grn>32</grn>\n<blu>48</blu>\n<by>0</by><x>0</x><y>0</y> </color>"
                      "<color>\n<red>0</red>\n<grn>0</grn>\n<blu>0</blu>\n<by>0</by><x>3127</x><y>3290</y> </color>"
                    + emptySlot.repeated(4) + tail;
    QTest::newRow("custom wash without colours")
            << "4 none" << "effect=4&param1=1&param2=0&param3=1&param_xy=(0,0,0)&num_colors=0"
            << head + "4</effect>\n<parameters><param>1</param><param>0</param><param>1</param>"
                      "<by>0</by><x>0</x><y>0</y></parameters>" + noColors;
    QTest::newRow("random colour")
            << "5 fast fade" << "effect=5&param1=40&param2=1&param_xy=(0,0,0)&num_colors=0"
            << head + "5</effect>\n<parameters><param>40</param><param>1</param><param>0</param>"
                      "<by>0</by><x>0</x><y>0</y></parameters>" + noColors;
    QTest::newRow("RGB white")
            << "6 warm half" << "effect=6&param1=200&param2=128&param_xy=(0,0,0)&num_colors=0"
            << head + "6</effect>\n<parameters><param>200</param><param>128</param><param>0</param>"
                      "<by>0</by><x>0</x><y>0</y></parameters>" + noColors;
    QTest::newRow("Kelvo white default")
            << "7" << "effect=7&param1=0&param2=255&param_xy=(0,0,0)&num_colors=0"
            << head + "7</effect>\n<parameters><param>0</param><param>255</param><param>0</param>"
                      "<by>0</by><x>0</x><y>0</y></parameters>" + noColors;
}

void tst_MSPScene::wireForms()
{
    QFETCH(QString, recipe);
    QFETCH(QString, body);
    QFETCH(QString, xml);
    MSPScene scene;
    scene.setUrl(QStringLiteral("/api/v1/shows/3"));
    scene.setEffect(makeEffect(recipe), false);
    QCOMPARE(scene.formData(), body);
    QCOMPARE(scene.XMLData(), xml);
}

void tst_MSPScene::noEffectWritesNothing()
{
    MSPScene scene;
    scene.setUrl(QStringLiteral("/api/v1/shows/1"));
    QVERIFY(scene.formData().isEmpty());
    QVERIFY(scene.XMLData().isEmpty());
}

void tst_MSPScene::valuesAreEscaped()
{
    MSPScene scene;
    scene.setUrl(QStringLiteral("/api/v1/shows/<1>&2"));
    scene.setEffect(new MSPColorWashEffect, false);
    QVERIFY(scene.XMLData().startsWith("<show><url>/api/v1/shows/&lt;1&gt;&amp;2</url>\n<effect>2</effect>"));
}

void tst_MSPScene::atMostSixColoursWritten()
{
    auto *wash = new MSPCustomWashEffect;
    wash->setColorList({ "#010101", "#020202", "#030303", "#040404", "#050505", "#060606", "#070707" });
    MSPScene scene;
    scene.setUrl(QStringLiteral("/api/v1/shows/2"));
    scene.setEffect(wash, false);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("scene has 7 colours"));
    const QString body = scene.formData();
    QVERIFY(body.contains("&num_colors=6&color1=(1,1,1)"));
    QVERIFY(body.endsWith("&color6=(6,6,6)&custom_xy_6=(0,0,0)"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("scene has 7 colours"));
    const QString xml = scene.XMLData();
    QVERIFY(xml.contains("<numColors>6</numColors>"));
    QCOMPARE(xml.count("<color>"), 6);
}

void tst_MSPScene::setEffect()
{
    MSPScene scene;
    QSignalSpy changed(&scene, &MSPScene::effectChanged);
    QSignalSpy params(&scene, &MSPScene::effectParamsChanged);

    auto *first = new MSPColorWashEffect;
    scene.setEffect(first, true);
    QCOMPARE(scene.effect(), first);
    QCOMPARE(first->parent(), &scene);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<MSPScene *>(), &scene);

    first->setSpeed(9);
    QCOMPARE(params.count(), 1);
    QCOMPARE(params.at(0).at(0).value<MSPScene *>(), &scene);
    first->setSpeed(9);
    QCOMPARE(params.count(), 1);

    QPointer<MSPEffect> old(first);
    auto *second = new MSPWhiteEffect;
    scene.setEffect(second, false);
    QCOMPARE(changed.count(), 1);
    // The old effect is disconnected at once and deleted by the event loop.
    first->setSpeed(10);
    QCOMPARE(params.count(), 1);
    QVERIFY(old);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old);
    second->setBrightness(3);
    QCOMPARE(params.count(), 2);
}

void tst_MSPScene::setNullEffect()
{
    MSPScene scene;
    scene.setEffect(new MSPFixedColorEffect, false);
    QPointer<MSPEffect> old(scene.effect());
    QSignalSpy changed(&scene, &MSPScene::effectChanged);
    scene.setEffect(nullptr, true);
    QVERIFY(!scene.effect());
    QCOMPARE(changed.count(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old);
    QVERIFY(scene.formData().isEmpty());
}

void tst_MSPScene::setSameEffectKeepsIt()
{
    MSPScene scene;
    auto *effect = new MSPFixedColorEffect;
    scene.setEffect(effect, false);
    QPointer<MSPEffect> guard(effect);
    QSignalSpy changed(&scene, &MSPScene::effectChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already holds"));
    scene.setEffect(effect, true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(guard);
    QCOMPARE(scene.effect(), effect);
    QCOMPARE(changed.count(), 0);
}

QTEST_GUILESS_MAIN(tst_MSPScene)
#include "tst_mspscene.moc"
