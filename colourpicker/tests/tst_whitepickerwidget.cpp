// SPDX-License-Identifier: GPL-3.0-or-later
#include "blackbodycurvewidget.h"
#include "cctpickerwidget.h"
#include "cctutils.h"
#include "colortempsliderwidget.h"
#include "colortintsliderwidget.h"
#include "intensitysliderwidget.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorpicker.h"
#include "tintpickerwidget.h"
#include "whitepickerwidget.h"

#include "namedpart.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace OvrColorPickerLib;

class tst_WhitePickerWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cctAndTintGiveLibraryXy_data();
    void cctAndTintGiveLibraryXy();
    void xyGivesLibraryCCTAndTint_data();
    void xyGivesLibraryCCTAndTint();
    void outsideWhiteRange();
    void saturatedColourStartsOnTheCurve_data();
    void saturatedColourStartsOnTheCurve();
    void tintKeptWhileOnThePage();
    void curveClicks_data();
    void curveClicks();
    void bandsAndSliders();
    void bandKeys_data();
    void bandKeys();
    void keepsIntensityAndOpacity();
    void shortcuts_data();
    void shortcuts();
    void whitesFromSwatchList();
    void inThePicker();

private:
    std::unique_ptr<WhitePickerWidget> page;
};

void tst_WhitePickerWidget::init()
{
    OvrColorLibrary::cleanup();
    page.reset(new WhitePickerWidget);
    page->resize(page->sizeHint().expandedTo(QSize(500, 520)));
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
}

void tst_WhitePickerWidget::cleanup()
{
    page.reset();
    OvrColorLibrary::cleanup();
}

static void compareXy(const OvrColor &color, int cct, int tint)
{
    double x = 0;
    double y = 0;
    QVERIFY(CCTUtils::getxyFromCCTAndTint(cct, tint, x, y));
    QCOMPARE(color.spec(), OvrColor::Yxy);
    QCOMPARE(color.getx(), x);
    QCOMPARE(color.gety(), y);
}

void tst_WhitePickerWidget::cctAndTintGiveLibraryXy_data()
{
    QTest::addColumn<int>("cct");
    QTest::addColumn<int>("tint");
    QTest::newRow("2700 K on the locus") << 2700 << 0;
    QTest::newRow("warmest, full green") << 1950 << 32767;
    QTest::newRow("coolest, full magenta") << 11000 << -32767;
    QTest::newRow("5000 K, a little magenta") << 5000 << -4000;
    QTest::newRow("mid-step CCT") << 4005 << 1234;
}

void tst_WhitePickerWidget::cctAndTintGiveLibraryXy()
{
    QFETCH(int, cct);
    QFETCH(int, tint);
    QSignalSpy spy(page.get(), &WhitePickerWidget::colorChanged);
    page->setCCTAndTint(cct, tint);
    QCOMPARE(spy.count(), 1);
    compareXy(spy.at(0).at(0).value<OvrColor>(), cct, tint);
    QVERIFY(spy.at(0).at(1).toString().isEmpty());
    QVERIFY(page->isInWhiteRange());
    // Setting the same white again is no change.
    page->setCCTAndTint(cct, tint);
    QCOMPARE(spy.count(), 1);
}

void tst_WhitePickerWidget::xyGivesLibraryCCTAndTint_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("inRange");
    QTest::newRow("2700 K bin centre") << 0.45766 << 0.40983 << true;
    QTest::newRow("4000 K bin centre") << 0.38177 << 0.37959 << true;
    QTest::newRow("6500 K bin centre") << 0.3123 << 0.32825 << true;
    QTest::newRow("Candle") << 0.50563 << 0.4152 << true;
    // Just past the full magenta tint: outside the range, so the page starts
    // on the curve at its temperature.
    QTest::newRow("Violet White") << 0.31789 << 0.29164 << false;
}

void tst_WhitePickerWidget::xyGivesLibraryCCTAndTint()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, inRange);
    int cct = 0;
    int tint = 0;
    QVERIFY(CCTUtils::getCCTAndTintFromxy(x, y, cct, tint));
    tint = inRange ? qBound(CCTUtils::getMinTint(), tint, CCTUtils::getMaxTint()) : 0;
    QSignalSpy spy(page.get(), &WhitePickerWidget::colorChanged);
    page->setColor(OvrColor(x, y), QStringLiteral("{uid}"));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(page->cct(), cct);
    QCOMPARE(page->tint(), tint);
    QCOMPARE(namedPart<ColorTempSliderWidget>(page, "colorTempSlider")->cct(), cct / 10 * 10);
    QCOMPARE(namedPart<ColorTintSliderWidget>(page, "colorTintSlider")->tint(), tint);
    QCOMPARE(namedPart<CCTPickerWidget>(page, "cctPicker")->cct(), cct / 10 * 10);
    QCOMPARE(namedPart<TintPickerWidget>(page, "tintPicker")->tint(), tint);
    QCOMPARE(page->isInWhiteRange(), inRange);
    QCOMPARE(namedPart<BlackBodyCurveWidget>(page, "blackBodyCurve")->isInWhiteRange(), inRange);
    // And back: the page's CCT and tint name the same white within the
    // geometry's rounding (one 10-kelvin step, one tint unit).
    double bx = 0;
    double by = 0;
    CCTUtils::getxyFromCCTAndTint(page->cct(), page->tint(), bx, by);
    QVERIFY2(!inRange || (qAbs(bx - x) < 0.002 && qAbs(by - y) < 0.002), qPrintable(QStringLiteral("%1 %2").arg(bx).arg(by)));
}

void tst_WhitePickerWidget::outsideWhiteRange()
{
    QSignalSpy spy(page.get(), &WhitePickerWidget::colorChanged);
    page->setCCTAndTint(4000, 0);
    spy.clear();
    page->setColor(OvrColor(Qt::red));
    QVERIFY(!page->isInWhiteRange());
    // The page starts on the curve at the nearest temperature: red at the
    // warm end, blue at the cool end.
    QVERIFY2(page->cct() <= 2000, qPrintable(QString::number(page->cct())));
    QCOMPARE(page->tint(), 0);
    page->setColor(OvrColor(Qt::blue));
    QVERIFY2(page->cct() >= 10000, qPrintable(QString::number(page->cct())));
    QCOMPARE(page->tint(), 0);
    QVERIFY(!namedPart<BlackBodyCurveWidget>(page, "blackBodyCurve")->isInWhiteRange());
    QCOMPARE(spy.count(), 0);
    // Any white chosen afterwards is in range again.
    namedPart<ColorTempSliderWidget>(page, "colorTempSlider")->spinBox()->setValue(3000);
    QCOMPARE(spy.count(), 1);
    QVERIFY(page->isInWhiteRange());
    compareXy(spy.at(0).at(0).value<OvrColor>(), 3000, page->tint());
}

void tst_WhitePickerWidget::saturatedColourStartsOnTheCurve_data()
{
    QTest::addColumn<OvrColor>("colour");
    QTest::newRow("green") << OvrColor::fromRgb8(0, 255, 0);
    QTest::newRow("yellow-green") << OvrColor::fromRgb8(200, 255, 60);
    QTest::newRow("magenta") << OvrColor::fromRgb8(255, 0, 255);
    QTest::newRow("blue") << OvrColor::fromRgb8(0, 0, 255);
}

void tst_WhitePickerWidget::saturatedColourStartsOnTheCurve()
{
    QFETCH(OvrColor, colour);
    page->setColor(colour);
    QVERIFY(!page->isInWhiteRange());
    QCOMPARE(page->tint(), 0);
    QCOMPARE(namedPart<ColorTintSliderWidget>(page, "colorTintSlider")->tint(), 0);
    // The white chosen next is the black-body white of that temperature.
    if (namedPart<ColorTempSliderWidget>(page, "colorTempSlider")->cct() == 6500)
        namedPart<ColorTempSliderWidget>(page, "colorTempSlider")->spinBox()->setValue(6000);
    QSignalSpy spy(page.get(), &WhitePickerWidget::colorChanged);
    namedPart<ColorTempSliderWidget>(page, "colorTempSlider")->spinBox()->setValue(6500);
    QCOMPARE(spy.count(), 1);
    const OvrColor white = spy.at(0).at(0).value<OvrColor>();
    double x = 0, y = 0;
    QVERIFY(CCTUtils::getxyFromCCT(6500, x, y));
    QVERIFY2(qAbs(white.getx() - x) < 1e-9 && qAbs(white.gety() - y) < 1e-9,
             qPrintable(QStringLiteral("%1, %2").arg(white.getx()).arg(white.gety())));
    QVERIFY(qAbs(x - 0.3135) < 0.0005 && qAbs(y - 0.3236) < 0.0005);
}

void tst_WhitePickerWidget::tintKeptWhileOnThePage()
{
    page->setColor(OvrColor::fromRgb8(0, 255, 0));
    const int userTint = -CCTUtils::getMaxTint() / 4;
    namedPart<ColorTintSliderWidget>(page, "colorTintSlider")->findChild<QSlider *>(QStringLiteral("tintSlider"))->setValue(userTint);
    QCOMPARE(page->tint(), userTint);
    namedPart<ColorTempSliderWidget>(page, "colorTempSlider")->spinBox()->setValue(3000);
    QCOMPARE(page->tint(), userTint);
    compareXy(page->color(), 3000, userTint);
    // A white from outside brings its own tint.
    const int ownTint = CCTUtils::getMaxTint() / 3;
    double x = 0, y = 0;
    CCTUtils::getxyFromCCTAndTint(5000, ownTint, x, y);
    page->setColor(OvrColor(x, y));
    QVERIFY(page->isInWhiteRange());
    QVERIFY2(qAbs(page->tint() - ownTint) <= CCTUtils::getMaxTint() / 100, qPrintable(QString::number(page->tint())));
}

void tst_WhitePickerWidget::curveClicks_data()
{
    QTest::addColumn<int>("cct");
    QTest::addColumn<int>("tint");
    QTest::newRow("3000 K on the locus") << 3000 << 0;
    QTest::newRow("6500 K, green") << 6500 << 20000;
    QTest::newRow("beyond the green edge") << 4000 << 60000;
}

void tst_WhitePickerWidget::curveClicks()
{
    QFETCH(int, cct);
    QFETCH(int, tint);
    BlackBodyCurveWidget *curve = namedPart<BlackBodyCurveWidget>(page, "blackBodyCurve");
    double x = 0;
    double y = 0;
    // Unclamped tints reach past the white range; the page takes the nearest white inside.
    CCTUtils::getuvPrimeFromCCTAndTint(cct, tint, x, y);
    const double u = x;
    const double v = y;
    x = CCTUtils::getxFromuvPrime(u, v);
    y = CCTUtils::getyFromuvPrime(u, v);
    QSignalSpy spy(page.get(), &WhitePickerWidget::colorChanged);
    QTest::mouseClick(curve, Qt::LeftButton, Qt::NoModifier, curve->pointFromxy(x, y).toPoint());
    QCOMPARE(spy.count(), 1);
    compareXy(spy.at(0).at(0).value<OvrColor>(), page->cct(), page->tint());
    QVERIFY(page->isInWhiteRange());
    QVERIFY(qAbs(page->tint()) <= CCTUtils::getMaxTint());
    // Within a pixel of the clicked CCT.
    QVERIFY2(qAbs(page->cct() - cct) <= cct / 40, qPrintable(QString::number(page->cct())));
    if (tint > CCTUtils::getMaxTint())
        QVERIFY(page->tint() > CCTUtils::getMaxTint() * 9 / 10);
}

void tst_WhitePickerWidget::bandsAndSliders()
{
    QSignalSpy spy(page.get(), &WhitePickerWidget::colorChanged);
    CCTPickerWidget *band = namedPart<CCTPickerWidget>(page, "cctPicker");
    QTest::mouseClick(band, Qt::LeftButton, Qt::NoModifier, QPoint(band->positionForCCT(5000), band->height() / 3));
    QCOMPARE(spy.count(), 1);
    QVERIFY(qAbs(page->cct() - 5000) <= 50);
    QCOMPARE(namedPart<ColorTempSliderWidget>(page, "colorTempSlider")->cct(), page->cct());

    TintPickerWidget *tintBand = namedPart<TintPickerWidget>(page, "tintPicker");
    QCOMPARE(tintBand->cct(), page->cct());
    QTest::mouseClick(tintBand, Qt::LeftButton, Qt::NoModifier, QPoint(tintBand->width() - 1, tintBand->height() / 2));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(page->tint(), CCTUtils::getMaxTint());
    QCOMPARE(namedPart<ColorTintSliderWidget>(page, "colorTintSlider")->spinBox()->value(), 100.0);

    namedPart<ColorTintSliderWidget>(page, "colorTintSlider")->spinBox()->setValue(-50.0);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(page->tint(), qRound(-0.5 * CCTUtils::getMaxTint()));
    compareXy(spy.last().at(0).value<OvrColor>(), page->cct(), page->tint());
}

void tst_WhitePickerWidget::bandKeys_data()
{
    QTest::addColumn<bool>("tintBand");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected");
    const int step = CCTUtils::getCCTStepSize();
    const int tintStep = qRound(CCTUtils::getMaxTint() / 100.0);
    const int tintPage = qRound(CCTUtils::getMaxTint() / 10.0);
    QTest::newRow("cct Right") << false << int(Qt::Key_Right) << 4000 << 4000 + step;
    QTest::newRow("cct Down") << false << int(Qt::Key_Down) << 4000 << 4000 - step;
    QTest::newRow("cct PageUp") << false << int(Qt::Key_PageUp) << 4000 << 4100;
    QTest::newRow("cct Home") << false << int(Qt::Key_Home) << 4000 << CCTUtils::getMinCCT();
    QTest::newRow("cct End") << false << int(Qt::Key_End) << 4000 << CCTUtils::getMaxCCT();
    QTest::newRow("cct End at the end") << false << int(Qt::Key_End) << CCTUtils::getMaxCCT() << CCTUtils::getMaxCCT();
    QTest::newRow("tint Left") << true << int(Qt::Key_Left) << 0 << -tintStep;
    QTest::newRow("tint PageDown") << true << int(Qt::Key_PageDown) << 0 << -tintPage;
    QTest::newRow("tint End") << true << int(Qt::Key_End) << 0 << CCTUtils::getMaxTint();
    QTest::newRow("tint 0 to the locus") << true << int(Qt::Key_0) << tintPage << 0;
}

void tst_WhitePickerWidget::bandKeys()
{
    QFETCH(bool, tintBand);
    QFETCH(int, key);
    QFETCH(int, start);
    QFETCH(int, expected);
    if (tintBand) {
        TintPickerWidget *band = namedPart<TintPickerWidget>(page, "tintPicker");
        band->setTint(start);
        QSignalSpy picked(band, &TintPickerWidget::tintChanged);
        QTest::keyClick(band, Qt::Key(key));
        QCOMPARE(band->tint(), expected);
        QCOMPARE(picked.count(), expected == start ? 0 : 1);
    } else {
        CCTPickerWidget *band = namedPart<CCTPickerWidget>(page, "cctPicker");
        band->setCCT(start);
        QSignalSpy picked(band, &CCTPickerWidget::cctChanged);
        QTest::keyClick(band, Qt::Key(key));
        QCOMPARE(band->cct(), expected);
        QCOMPARE(picked.count(), expected == start ? 0 : 1);
    }
}

void tst_WhitePickerWidget::keepsIntensityAndOpacity()
{
    OvrColor dim;
    dim.setYxyF(0.25, 0.4, 0.39, 0.5);
    page->setColor(dim);
    QSignalSpy spy(page.get(), &WhitePickerWidget::colorChanged);
    page->setCCTAndTint(2700, 0);
    QCOMPARE(spy.count(), 1);
    const OvrColor white = spy.at(0).at(0).value<OvrColor>();
    QCOMPARE(white.getY(), 0.25);
    QCOMPARE(white.alpha16(), dim.alpha16());
}

void tst_WhitePickerWidget::shortcuts_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("cctChange");
    QTest::addColumn<int>("tintChange");
    QTest::newRow("Ctrl+R warmer") << QKeySequence(QStringLiteral("Ctrl+R")) << -100 << 0;
    QTest::newRow("Ctrl+Shift+R cooler") << QKeySequence(QStringLiteral("Ctrl+Shift+R")) << 100 << 0;
    QTest::newRow("Ctrl+G greener") << QKeySequence(QStringLiteral("Ctrl+G")) << 0 << 328;
    QTest::newRow("Ctrl+Shift+G pinker") << QKeySequence(QStringLiteral("Ctrl+Shift+G")) << 0 << -328;
    QTest::newRow("Ctrl+B cooler") << QKeySequence(QStringLiteral("Ctrl+B")) << 100 << 0;
    QTest::newRow("Ctrl+Shift+B warmer") << QKeySequence(QStringLiteral("Ctrl+Shift+B")) << -100 << 0;
}

void tst_WhitePickerWidget::shortcuts()
{
    QFETCH(QKeySequence, keys);
    QFETCH(int, cctChange);
    QFETCH(int, tintChange);
    page->setCCTAndTint(4000, 1000);
    page->activateWindow();
    namedPart<ColorTempSliderWidget>(page, "colorTempSlider")->spinBox()->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(page.get()));
    QSignalSpy spy(page.get(), &WhitePickerWidget::colorChanged);
    QTest::keySequence(namedPart<ColorTempSliderWidget>(page, "colorTempSlider")->spinBox(), keys);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(page->cct(), 4000 + cctChange);
    QCOMPARE(page->tint(), 1000 + tintChange);
}

void tst_WhitePickerWidget::whitesFromSwatchList()
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    const QString list = QStringLiteral("Halvane Swatches");
    library->createColorWithName(OvrColor(Qt::red), QStringLiteral("Red"), list);
    const QString ansi = library->createColorWithName(OvrColor(0.45766, 0.40983), QStringLiteral("2700 K / center of ANSI bin"), list);
    const QString candle = library->createColorWithName(OvrColor(0.50563, 0.4152), QStringLiteral("Candle"), list);
    page->reloadWhites();
    auto *presets = page->findChild<QComboBox *>(QStringLiteral("whitePresetCombo"));
    auto *named = page->findChild<QComboBox *>(QStringLiteral("namedWhiteCombo"));
    QVERIFY(presets && named);
    QCOMPARE(presets->count(), 2); // the blank entry and the ANSI preset
    QCOMPARE(named->count(), 2);   // red is not a white
    QCOMPARE(presets->itemData(1).toString(), ansi);

    OvrColor dim;
    dim.setYxyF(0.5, 0.4, 0.39);
    page->setColor(dim);
    QSignalSpy colors(page.get(), &WhitePickerWidget::colorChanged);
    QSignalSpy intensity(page.get(), &WhitePickerWidget::intensityChanged);
    named->setCurrentIndex(1);
    emit named->activated(1);
    QCOMPARE(colors.count(), 1);
    QCOMPARE(colors.at(0).at(0).value<OvrColor>(), library->get(candle));
    QCOMPARE(colors.at(0).at(1).toString(), candle);
    QCOMPARE(intensity.count(), 1);
    QCOMPARE(intensity.at(0).at(0).toDouble(), 1.0);
    QCOMPARE(named->currentIndex(), 1);
}

void tst_WhitePickerWidget::inThePicker()
{
    OvrColorPicker picker;
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    // The page is built when the user first shows it.
    QVERIFY(!picker.findChild<WhitePickerWidget *>());
    auto *button = picker.findChild<QToolButton *>(QStringLiteral("whitePickerButton"));
    QVERIFY(button && !button->isChecked());
    button->click();
    auto *white = picker.findChild<WhitePickerWidget *>();
    QVERIFY(white);
    QVERIFY(white->isVisible());
    QSignalSpy main(&picker, &OvrColorPicker::mainColorChanged);
    white->setCCTAndTint(3000, -2000);
    QCOMPARE(main.count(), 1);
    compareXy(main.at(0).at(0).value<OvrColor>(), 3000, -2000);

    // A white set on the picker shows its CCT on the page.
    picker.setColor(OvrColor(0.40775, 0.39292), QString());
    int cct = 0;
    int tint = 0;
    CCTUtils::getCCTAndTintFromxy(0.40775, 0.39292, cct, tint);
    QCOMPARE(white->cct(), cct);

    // Picking a full-intensity named white moves the intensity slider back to 100 %.
    OvrColor dim;
    dim.setYxyF(0.3, 0.4, 0.39);
    picker.setColor(dim, QString());
    auto *intensity = picker.findChild<IntensitySliderWidget *>();
    QVERIFY(intensity);
    auto *named = white->findChild<QComboBox *>(QStringLiteral("namedWhiteCombo"));
    QTRY_VERIFY(named->count() > 1); // the default swatch list's named whites
    emit named->activated(1);
    QCOMPARE(main.last().at(0).value<OvrColor>().getY(), 1.0);
    QCOMPARE(intensity->intensity(), 100);
}

QTEST_MAIN(tst_WhitePickerWidget)
#include "tst_whitepickerwidget.moc"
