// SPDX-License-Identifier: GPL-3.0-or-later
//
// Painting of the colour picker's fields (offscreen): a full render of the
// spectrum at 400 x 300 and one drag step (mouse move + repaint), for the
// spectrum alone and for the whole RGB page that follows it; one step of the
// white page's temperature (its bands and swatches follow) and a repaint of
// the picker's swatches for a colour not seen before.
#include "benchmarkrun.h"
#include "namedpart.h"

#include "colortempsliderwidget.h"
#include "hsbspectrumwidget.h"
#include "ovrcolorpickerwidget.h"
#include "rgbpickerwidget.h"
#include "whitepickerwidget.h"

#include <QSpinBox>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWindow>

using namespace OvrColorPickerLib;

namespace {

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Shows a window and waits until it is exposed, so repaint() paints.
void showExposed(QWidget &widget)
{
    widget.show();
    for (int i = 0; i < 100 && !(widget.windowHandle() && widget.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
}

// A spectrum whose field is exactly width x height.
void sizeField(HsbSpectrumWidget &spectrum, int width, int height)
{
    spectrum.resize(width, height);
    const QRectF field = spectrum.fieldRect();
    spectrum.resize(width + (width - int(field.width())), height + (height - int(field.height())));
}

void BM_SpectrumFullRender400x300(benchmark::State &state)
{
    HsbSpectrumWidget spectrum;
    sizeField(spectrum, 400, 300);
    showExposed(spectrum);
    spectrum.repaint();
    const int before = spectrum.renderCount();
    bool flip = false;
    for (auto _ : state) {
        // A new brightness is a new fixed axis: the whole field renders again.
        spectrum.setHsv(0.3, 0.6, flip ? 0.8 : 0.81);
        spectrum.repaint();
        flip = !flip;
    }
    if (spectrum.renderCount() - before != int(state.iterations()))
        state.SkipWithError("the spectrum did not render once per iteration");
}
BENCHMARK(BM_SpectrumFullRender400x300)->Unit(benchmark::kMillisecond);

void BM_SpectrumDragStep(benchmark::State &state)
{
    HsbSpectrumWidget spectrum;
    sizeField(spectrum, 400, 300);
    showExposed(spectrum);
    spectrum.repaint();
    sendMouse(&spectrum, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton);
    const int before = spectrum.renderCount();
    int x = 100;
    for (auto _ : state) {
        x = x >= 300 ? 100 : x + 1;
        sendMouse(&spectrum, QEvent::MouseMove, QPoint(x, 120), Qt::LeftButton);
        spectrum.repaint();
    }
    sendMouse(&spectrum, QEvent::MouseButtonRelease, QPoint(x, 120), Qt::NoButton);
    if (spectrum.renderCount() != before)
        state.SkipWithError("a drag step rendered the field again");
}
BENCHMARK(BM_SpectrumDragStep)->Unit(benchmark::kMicrosecond);

void BM_RgbPageDragStep(benchmark::State &state)
{
    // The whole page follows a drag on the spectrum: zoom, tints and the
    // slider gradients render again, the spectrum only repaints.
    RgbPickerWidget page;
    page.resize(700, 520);
    showExposed(page);
    page.setColor(OvrColor::fromHsvF(0.3, 0.6, 0.8), QString());
    page.repaint();
    HsbSpectrumWidget *spectrum = namedPart<HsbSpectrumWidget>(&page, "hsbSpectrum");
    sendMouse(spectrum, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton);
    page.repaint();
    const int before = spectrum->renderCount();
    int x = 100;
    for (auto _ : state) {
        x = x >= 300 ? 100 : x + 1;
        sendMouse(spectrum, QEvent::MouseMove, QPoint(x, 120), Qt::LeftButton);
        page.repaint();
    }
    if (spectrum->renderCount() != before)
        state.SkipWithError("a drag step rendered the spectrum again");
    sendMouse(spectrum, QEvent::MouseButtonRelease, QPoint(x, 120), Qt::NoButton);
}
BENCHMARK(BM_RgbPageDragStep)->Unit(benchmark::kMicrosecond);

void BM_WhitePageCCTStep(benchmark::State &state)
{
    // A new temperature: the tint band renders again for it.
    WhitePickerWidget page;
    page.resize(520, 520);
    showExposed(page);
    page.repaint();
    QSpinBox *cct = namedPart<ColorTempSliderWidget>(&page, "colorTempSlider")->spinBox();
    int kelvin = 3000;
    for (auto _ : state) {
        kelvin = kelvin >= 9000 ? 3000 : kelvin + 10;
        cct->setValue(kelvin);
        page.repaint();
    }
}
BENCHMARK(BM_WhitePageCCTStep)->Unit(benchmark::kMicrosecond);

void BM_SwatchesNewColour(benchmark::State &state)
{
    // The swatches of the whole picker for a white never shown before.
    OvrColorPickerWidget picker;
    picker.resize(1000, 700);
    showExposed(picker);
    picker.repaint();
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 100000;
        OvrColor white;
        white.setYxyF(0.5 + step * 1e-6, 0.3127, 0.329, 1.0, ColorUtils::ProfileGenericRGB);
        picker.setColor(white, QString());
        picker.repaint();
    }
}
BENCHMARK(BM_SwatchesNewColour)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The pages read their settings: keep them away from the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
