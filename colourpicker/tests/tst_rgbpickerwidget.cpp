// SPDX-License-Identifier: GPL-3.0-or-later
#include "namedpart.h"

#include "colorzoomwidget.h"
#include "gradientcolorselectorwidget.h"
#include "hexcoloredit.h"
#include "hsbsliderswidget.h"
#include "hsbspectrumwidget.h"
#include "hsbspectrumzoomwidget.h"
#include "hsbtintsandshadeswidget.h"
#include "rgbpickerwidget.h"
#include "rgbsliderswidget.h"
#include "zoomcontrolwidget.h"

#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QtTest>

using namespace OvrColorPickerLib;

class tst_RgbPickerWidget : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RgbPickerWidget> page;

    void showPage()
    {
        page = std::make_unique<RgbPickerWidget>();
        page->resize(700, 520);
        page->show();
        QApplication::setActiveWindow(page.get());
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
    }

    // Every sampled pixel shows the colour a pick at that pixel gives
    // (within 2 levels), away from the marker and the zoom outline.
    static void checkPixels(ColorSelectorWidget *field, const QRectF &avoid = QRectF())
    {
        const QImage image = field->grab().toImage();
        const QRectF rect = field->fieldRect();
        const QPointF marker = field->pointFromPosition(field->position());
        const int markerRadius = field->fontMetrics().height() / 3 + 4;
        int checked = 0;
        for (int iy = 0; iy <= 6; ++iy) {
            for (int ix = 0; ix <= 10; ++ix) {
                const QPoint p(qRound(rect.left() + 1 + (rect.width() - 3) * ix / 10.0),
                               qRound(rect.top() + 1 + (rect.height() - 3) * iy / 6.0));
                if (QLineF(p, marker).length() < markerRadius)
                    continue;
                if (avoid.isValid() && avoid.adjusted(-3, -3, 3, 3).contains(p)
                    && !avoid.adjusted(3, 3, -3, -3).contains(p))
                    continue;
                const QColor shown = image.pixelColor(p);
                const QColor expected = field->colorAt(field->positionFromPoint(p)).getQColor();
                const auto close = [](int a, int b) { return qAbs(a - b) <= 2; };
                if (!close(shown.red(), expected.red()) || !close(shown.green(), expected.green())
                    || !close(shown.blue(), expected.blue()))
                    QFAIL(qPrintable(QStringLiteral("%1 at (%2, %3): shows %4, picks %5")
                                         .arg(field->accessibleName())
                                         .arg(p.x())
                                         .arg(p.y())
                                         .arg(shown.name(), expected.name())));
                ++checked;
            }
        }
        QVERIFY(checked > 40);
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
        QCoreApplication::setApplicationName(QStringLiteral("Lumetra Keypad Effect Manager"));
    }

    void init()
    {
        QSettings().clear();
        page.reset();
    }

    void cleanup()
    {
        page.reset();
    }

    void hexEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QColor>("picked");
        QTest::newRow("#rgb") << "#f80" << "#FF8800" << QColor(255, 136, 0);
        QTest::newRow("#rrggbb") << "#3a3aff" << "#3A3AFF" << QColor(58, 58, 255);
        QTest::newRow("rrggbb") << "12AB34" << "#12AB34" << QColor(0x12, 0xab, 0x34);
        // Characters that cannot be part of a colour are refused as typed.
        QTest::newRow("letters refused") << "#1z2y3x" << "#112233" << QColor(0x11, 0x22, 0x33);
        QTest::newRow("seventh digit refused") << "1234567" << "#123456" << QColor(0x12, 0x34, 0x56);
        QTest::newRow("second # refused") << "##abc" << "#AABBCC" << QColor(0xaa, 0xbb, 0xcc);
        // Incomplete: nothing is picked; leaving the field shows the colour again.
        QTest::newRow("four digits") << "#1234" << "#1234" << QColor();
        QTest::newRow("rgb without #") << "abc" << "abc" << QColor();
    }

    void hexEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QColor, picked);
        showPage();
        HexColorEdit *hex = page->findChild<HexColorEdit *>(QStringLiteral("hexEdit"));
        QVERIFY(hex);
        QCOMPARE(hex->text(), QStringLiteral("#FFFFFF"));
        QSignalSpy spy(page.get(), &RgbPickerWidget::colorChanged);
        hex->setFocus();
        hex->selectAll();
        QTest::keyClicks(hex, typed);
        QTest::keyClick(hex, Qt::Key_Return);
        if (picked.isValid()) {
            QCOMPARE(spy.count(), 1);
            const OvrColor color = spy.at(0).at(0).value<OvrColor>();
            QCOMPARE(color.getQColor(), picked);
            QCOMPARE(namedPart<RgbSlidersWidget>(page, "rgbSliders")->spinBox(1)->value(), double(picked.green()));
            QCOMPARE(hex->text(), shown);
        } else {
            QCOMPARE(spy.count(), 0);
            QCOMPARE(hex->text(), shown);
            namedPart<RgbSlidersWidget>(page, "rgbSliders")->spinBox(0)->setFocus();
            QTRY_VERIFY(!hex->hasFocus());
            QCOMPARE(hex->text(), QStringLiteral("#FFFFFF"));
            QCOMPARE(spy.count(), 0);
        }
        // The field follows colours picked elsewhere.
        namedPart<RgbSlidersWidget>(page, "rgbSliders")->spinBox(0)->setValue(1);
        QCOMPARE(hex->text().left(3), QStringLiteral("#01"));
    }

    void hexPasted()
    {
        showPage();
        HexColorEdit *hex = page->findChild<HexColorEdit *>(QStringLiteral("hexEdit"));
        QSignalSpy spy(page.get(), &RgbPickerWidget::colorChanged);
        hex->setFocus();
        hex->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("  #0a0B0c\n"));
        hex->paste();
        QCOMPARE(hex->text(), QStringLiteral("#0a0B0c"));
        QTest::keyClick(hex, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<OvrColor>().getQColor(), QColor(10, 11, 12));
        // A text that is no colour is not pasted at all.
        hex->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("red"));
        hex->paste();
        QCOMPARE(hex->text(), QStringLiteral("#0A0B0C"));
        QCOMPARE(spy.count(), 1);
    }

    void zoomShortcuts()
    {
        showPage();
        namedPart<HsbSpectrumWidget>(page, "hsbSpectrum")->setFocus();
        const int start = page->zoomLevel();
        QTest::keyClick(namedPart<HsbSpectrumWidget>(page, "hsbSpectrum"), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(page->zoomLevel(), start + 1);
        QTest::keyClick(namedPart<HsbSpectrumWidget>(page, "hsbSpectrum"), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(page->zoomLevel(), start + 2);
        QTest::keyClick(namedPart<HsbSpectrumWidget>(page, "hsbSpectrum"), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(page->zoomLevel(), start + 1);
        QCOMPARE(QSettings().value(QStringLiteral("colorPickerZoomLevel")).toInt(), start + 1);
        // The zoom shows an area 2^level times smaller than the spectrum.
        QCOMPARE(namedPart<HsbSpectrumZoomWidget>(page, "hsbSpectrumZoom")->zoomArea().width(), 1.0 / (1 << (start + 1)));
    }

    void zoomFollowsTheColour()
    {
        showPage();
        page->setColor(OvrColor::fromHsvF(0.5, 0.5, 1.0), QString());
        const QRectF area = namedPart<HsbSpectrumZoomWidget>(page, "hsbSpectrumZoom")->zoomArea();
        QVERIFY(QLineF(area.center(), QPointF(0.5, 0.5)).length() < 1e-6);
        // A small move stays in the middle of the area: the zoom keeps its field.
        page->setColor(OvrColor::fromHsvF(0.52, 0.45, 1.0), QString());
        QCOMPARE(namedPart<HsbSpectrumZoomWidget>(page, "hsbSpectrumZoom")->zoomArea(), area);
        // Near the edge the area centres on the colour again, inside the spectrum.
        page->setColor(OvrColor::fromHsvF(0.6, 0.02, 1.0), QString());
        const QRectF moved = namedPart<HsbSpectrumZoomWidget>(page, "hsbSpectrumZoom")->zoomArea();
        QVERIFY(qAbs(moved.center().x() - 0.6) < 1e-6);
        QCOMPARE(moved.top(), 0.0);
    }

    void settingsRestored()
    {
        {
            showPage();
            namedPart<QSplitter>(page, "topSplitter")->setSizes({300, 400});
            emit namedPart<QSplitter>(page, "topSplitter")->splitterMoved(300, 1);
            namedPart<HsbSpectrumZoomWidget>(page, "hsbSpectrumZoom")->setZoomLevel(5);
        }
        const QList<int> sizes = namedPart<QSplitter>(page, "topSplitter")->sizes();
        showPage();
        QCOMPARE(page->zoomLevel(), 5);
        QCOMPARE(namedPart<QSplitter>(page, "topSplitter")->sizes(), sizes);
    }

    void settingsFromAnEditedFile_data()
    {
        QTest::addColumn<QVariant>("zoom");
        QTest::addColumn<QVariant>("splitter");
        QTest::newRow("zoom too high") << QVariant(99) << QVariant();
        QTest::newRow("zoom negative") << QVariant(-3) << QVariant();
        QTest::newRow("zoom text") << QVariant(QStringLiteral("lots")) << QVariant();
        QTest::newRow("splitter garbage") << QVariant() << QVariant(QByteArray("\x00\x01garbage", 9));
        QTest::newRow("splitter text") << QVariant() << QVariant(QStringLiteral("wide"));
    }

    void settingsFromAnEditedFile()
    {
        QFETCH(QVariant, zoom);
        QFETCH(QVariant, splitter);
        QSettings settings;
        if (zoom.isValid())
            settings.setValue(QStringLiteral("colorPickerZoomLevel"), zoom);
        if (splitter.isValid())
            settings.setValue(QStringLiteral("colorPickerTopSplitterState"), splitter);
        settings.sync();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("ignoring")));
        showPage();
        QCOMPARE(page->zoomLevel(), int(ZoomControlWidget::DefaultZoomLevel));
        const QList<int> sizes = namedPart<QSplitter>(page, "topSplitter")->sizes();
        QCOMPARE(sizes.size(), 2);
        QVERIFY(sizes.at(0) > 0);
        QVERIFY(sizes.at(1) > 0);
    }

    void pixelsShowWhatAPickGives_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::newRow("orange") << QColor(255, 127, 0);
        QTest::newRow("dark teal") << QColor(20, 90, 80);
        QTest::newRow("pale violet") << QColor(200, 180, 240);
    }

    void pixelsShowWhatAPickGives()
    {
        QFETCH(QColor, color);
        showPage();
        page->setColor(OvrColor(color), QString());
        QCoreApplication::processEvents();

        HsbSpectrumWidget *spectrum = namedPart<HsbSpectrumWidget>(page, "hsbSpectrum");
        const QRectF zoom = namedPart<HsbSpectrumZoomWidget>(page, "hsbSpectrumZoom")->zoomArea();
        const QRectF outline = QRectF(spectrum->pointFromPosition(QPointF(zoom.left(), zoom.bottom())),
                                      spectrum->pointFromPosition(QPointF(zoom.right(), zoom.top())))
                                   .normalized();
        checkPixels(spectrum, outline);
        checkPixels(namedPart<HsbSpectrumZoomWidget>(page, "hsbSpectrumZoom")->colorZoom());
        checkPixels(namedPart<HsbTintsAndShadesWidget>(page, "hsbTintsAndShades"));
        for (int c = 0; c < 3; ++c) {
            checkPixels(namedPart<RgbSlidersWidget>(page, "rgbSliders")->slider(c));
            checkPixels(namedPart<HsbSlidersWidget>(page, "hsbSliders")->slider(c));
        }

        // And a pick reports the pixel's colour: click one spot per field.
        QSignalSpy changed(page.get(), &RgbPickerWidget::colorChanged);
        for (ColorSelectorWidget *field : {static_cast<ColorSelectorWidget *>(spectrum),
                                          static_cast<ColorSelectorWidget *>(namedPart<HsbTintsAndShadesWidget>(page, "hsbTintsAndShades")),
                                          static_cast<ColorSelectorWidget *>(namedPart<HsbSlidersWidget>(page, "hsbSliders")->slider(0))}) {
            const QRectF r = field->fieldRect();
            const QPoint p(qRound(r.left() + r.width() * 0.3), qRound(r.top() + r.height() * 0.6));
            const QColor shown = field->grab().toImage().pixelColor(p);
            QTest::mouseClick(field, Qt::LeftButton, {}, p);
            QVERIFY(!changed.isEmpty());
            const QColor picked = changed.last().at(0).value<OvrColor>().getQColor();
            QVERIFY2(qAbs(picked.red() - shown.red()) <= 2 && qAbs(picked.green() - shown.green()) <= 2
                         && qAbs(picked.blue() - shown.blue()) <= 2,
                     qPrintable(field->accessibleName() + QLatin1Char(' ') + picked.name() + QLatin1Char(' ')
                                + shown.name()));
        }
    }

    void fieldsRenderOnlyWhenTheFixedAxisChanges()
    {
        showPage();
        page->setColor(OvrColor::fromHsvF(0.2, 0.5, 0.8), QString());
        QCoreApplication::processEvents();
        namedPart<HsbSpectrumWidget>(page, "hsbSpectrum")->repaint();
        const int spectrumRenders = namedPart<HsbSpectrumWidget>(page, "hsbSpectrum")->renderCount();
        const int tintRenders = namedPart<HsbTintsAndShadesWidget>(page, "hsbTintsAndShades")->renderCount();
        // Dragging across the spectrum at the same brightness: no new render
        // of the spectrum; the tints follow the hue.
        QTest::mousePress(namedPart<HsbSpectrumWidget>(page, "hsbSpectrum"), Qt::LeftButton, {}, QPoint(40, 40));
        QTest::mouseMove(namedPart<HsbSpectrumWidget>(page, "hsbSpectrum"), QPoint(60, 50));
        QTest::mouseRelease(namedPart<HsbSpectrumWidget>(page, "hsbSpectrum"), Qt::LeftButton, {}, QPoint(60, 50));
        namedPart<HsbSpectrumWidget>(page, "hsbSpectrum")->repaint();
        namedPart<HsbTintsAndShadesWidget>(page, "hsbTintsAndShades")->repaint();
        QCOMPARE(namedPart<HsbSpectrumWidget>(page, "hsbSpectrum")->renderCount(), spectrumRenders);
        QVERIFY(namedPart<HsbTintsAndShadesWidget>(page, "hsbTintsAndShades")->renderCount() > tintRenders);
    }

    void keyboardOnAFieldAndASlider()
    {
        showPage();
        page->setColor(OvrColor::fromHsvF(0.5, 0.5, 0.5), QString());
        QSignalSpy changed(page.get(), &RgbPickerWidget::colorChanged);

        HsbTintsAndShadesWidget *tints = namedPart<HsbTintsAndShadesWidget>(page, "hsbTintsAndShades");
        tints->setFocus();
        QTest::keyClick(tints, Qt::Key_Right); // saturation one step up
        QTest::keyClick(tints, Qt::Key_PageUp); // brightness ten steps up
        QCOMPARE(changed.count(), 2);
        double h, s, v;
        changed.last().at(0).value<OvrColor>().getHsvF(&h, &s, &v);
        QCOMPARE(qRound(h * 360), 180);
        QCOMPARE(qRound(s * 100), 51);
        QCOMPARE(qRound(v * 100), 60);

        GradientColorSelectorWidget *value = namedPart<HsbSlidersWidget>(page, "hsbSliders")->slider(2);
        value->setFocus();
        QTest::keyClick(value, Qt::Key_PageDown); // ten steps of 0.1 %
        QTest::keyClick(value, Qt::Key_Left);
        QCOMPARE(namedPart<HsbSlidersWidget>(page, "hsbSliders")->spinBox(2)->text(), QStringLiteral("58.9%"));
        changed.last().at(0).value<OvrColor>().getHsvF(&h, &s, &v);
        QCOMPARE(qRound(v * 1000), 589);
        QCOMPARE(qRound(h * 360), 180);

        // The wheel moves the slider one step per notch.
        QWheelEvent wheel(QPointF(5, 5), QPointF(value->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(value, &wheel);
        QCOMPARE(namedPart<HsbSlidersWidget>(page, "hsbSliders")->spinBox(2)->text(), QStringLiteral("59.0%"));

        // Tab reaches every field and slider.
        QSet<QWidget *> reached;
        namedPart<HsbSpectrumWidget>(page, "hsbSpectrum")->setFocus();
        for (int i = 0; i < 40; ++i) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        const QList<ColorSelectorWidget *> fields = page->findChildren<ColorSelectorWidget *>();
        QCOMPARE(fields.size(), 9);
        for (ColorSelectorWidget *field : fields) {
            QVERIFY2(reached.contains(field), qPrintable(field->accessibleName()));
            QVERIFY(!field->accessibleName().isEmpty());
        }
    }

    void tabGoesThroughBoxesThenSliders()
    {
        showPage();
        RgbSlidersWidget *rgb = namedPart<RgbSlidersWidget>(page, "rgbSliders");
        rgb->spinBox(0)->setFocus();
        const QList<QWidget *> expected = {rgb->spinBox(1), rgb->spinBox(2), rgb->slider(0), rgb->slider(1),
                                           rgb->slider(2)};
        for (QWidget *next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(QApplication::focusWidget() == next || QApplication::focusWidget()->parentWidget() == next,
                     qPrintable(QApplication::focusWidget()->objectName() + QLatin1Char('/')
                                + QApplication::focusWidget()->accessibleName()));
        }
    }
};

QTEST_MAIN(tst_RgbPickerWidget)
#include "tst_rgbpickerwidget.moc"
