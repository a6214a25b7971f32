// SPDX-License-Identifier: GPL-3.0-or-later
#include "rgbpickerwidget.h"

#include "colorzoomwidget.h"
#include "hexcoloredit.h"
#include "hsbsliderswidget.h"
#include "hsbspectrumwidget.h"
#include "hsbspectrumzoomwidget.h"
#include "hsbtintsandshadeswidget.h"
#include "ovrcolorpickerlogging.h"
#include "rgbsliderswidget.h"
#include "zoomcontrolwidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

namespace OvrColorPickerLib {

namespace {
const QString kZoomLevelKey = QStringLiteral("colorPickerZoomLevel");
const QString kSplitterKey = QStringLiteral("colorPickerTopSplitterState");
} // namespace

class RgbPickerWidget::Private
{
public:
    explicit Private(RgbPickerWidget *q)
        : spectrum(new HsbSpectrumWidget(q))
        , zoom(new HsbSpectrumZoomWidget(q))
        , tints(new HsbTintsAndShadesWidget(q))
        , rgbSliders(new RgbSlidersWidget(q))
        , hsbSliders(new HsbSlidersWidget(q))
        , hex(new HexColorEdit(q))
        , topSplitter(new QSplitter(Qt::Horizontal, q))
    {
    }

    HsbSpectrumWidget *spectrum;
    HsbSpectrumZoomWidget *zoom;
    HsbTintsAndShadesWidget *tints;
    RgbSlidersWidget *rgbSliders;
    HsbSlidersWidget *hsbSliders;
    HexColorEdit *hex;
    QSplitter *topSplitter;
    OvrColor color;
    QString uid;
    // Kept apart from the colour so grey and black keep their hue and saturation.
    double hue = 0.0;
    double saturation = 0.0;
    double brightness = 1.0;
    double alpha = 1.0;
};

RgbPickerWidget::RgbPickerWidget(QWidget *parent)
    : QWidget(parent)
    , d(new Private(this))
{
    setObjectName(QStringLiteral("rgbPickerWidget"));
    d->topSplitter->setObjectName(QStringLiteral("topSplitter"));
    d->spectrum->setObjectName(QStringLiteral("hsbSpectrum"));
    d->zoom->setObjectName(QStringLiteral("hsbSpectrumZoom"));
    d->tints->setObjectName(QStringLiteral("hsbTintsAndShades"));
    d->rgbSliders->setObjectName(QStringLiteral("rgbSliders"));
    d->hsbSliders->setObjectName(QStringLiteral("hsbSliders"));
    d->hex->setObjectName(QStringLiteral("hexEdit"));
    d->hex->setAccessibleName(tr("Hexadecimal color"));
    d->hex->setToolTip(tr("Type or paste a color as #rgb, #rrggbb or rrggbb"));

    d->topSplitter->addWidget(d->spectrum);
    d->topSplitter->addWidget(d->zoom);
    d->topSplitter->setStretchFactor(0, 2);
    d->topSplitter->setStretchFactor(1, 1);
    d->topSplitter->setChildrenCollapsible(false);

    // RGB and HSB side by side: three rows of sliders instead of six leave
    // the spectrum its height on a short screen.
    auto *sliders = new QGridLayout;
    sliders->setHorizontalSpacing(fontMetrics().height());
    sliders->setVerticalSpacing(fontMetrics().height() / 2);
    sliders->addWidget(d->rgbSliders, 0, 0);
    sliders->addWidget(d->hsbSliders, 0, 1);
    auto *hexRow = new QHBoxLayout;
    auto *hexLabel = new QLabel(tr("He&x:"), this);
    hexLabel->setBuddy(d->hex);
    hexRow->addWidget(hexLabel);
    hexRow->addWidget(d->hex);
    hexRow->addStretch(1);
    sliders->addLayout(hexRow, 1, 0, 1, 2);
    sliders->setRowStretch(2, 1);
    sliders->setColumnStretch(0, 1);
    sliders->setColumnStretch(1, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(d->tints, 1);
    bottom->addLayout(sliders, 4);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->topSplitter, 3);
    layout->addLayout(bottom, 2);

    // Tab order follows the reading order of the page.
    setTabOrder(d->spectrum, d->zoom->colorZoom());

    connect(d->spectrum, &HsbSpectrumWidget::colorChanged, this, [this](const OvrColor &c) {
        const QPointF p = d->spectrum->position();
        pickHsv(p.x() >= 1.0 ? 0.0 : p.x(), p.y(), d->brightness, c, d->spectrum);
    });
    connect(d->zoom, &HsbSpectrumZoomWidget::colorChanged, this, [this](const OvrColor &c) {
        const QPointF p = d->zoom->colorZoom()->spectrumPoint(d->zoom->colorZoom()->position());
        pickHsv(p.x(), p.y(), d->brightness, c, d->zoom);
    });
    connect(d->zoom, &HsbSpectrumZoomWidget::zoomAreaChanged, d->spectrum, &HsbSpectrumWidget::setZoomArea);
    d->spectrum->setZoomArea(d->zoom->zoomArea());
    connect(d->tints, &HsbTintsAndShadesWidget::colorChanged, this, [this](const OvrColor &c) {
        const QPointF p = d->tints->position();
        pickHsv(d->hue, p.x(), p.y(), c, d->tints);
    });
    connect(d->rgbSliders, &ColorSlidersWidget::colorChanged, this, &RgbPickerWidget::pickColor);
    connect(d->hsbSliders, &ColorSlidersWidget::colorChanged, this, [this](const OvrColor &c) {
        const QVector<double> v = d->hsbSliders->values();
        pickHsv(v.at(0) >= 360.0 ? 0.0 : v.at(0) / 360.0, v.at(1) / 100.0, v.at(2) / 100.0, c, d->hsbSliders);
    });

    connect(d->hex, &HexColorEdit::colorEntered, this, [this](const QColor &typed) {
        const OvrColor color =
            OvrColor::fromRgb8(typed.red(), typed.green(), typed.blue(), qRound(d->alpha * 255.0));
        d->rgbSliders->setColor(color);
        pickColor(color);
    });

    for (const char *keys : {"CTRL+=", "CTRL++"}) {
        auto *shortcut = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, &RgbPickerWidget::zoomIn);
    }
    auto *out = new QShortcut(QKeySequence(QStringLiteral("CTRL+-")), this);
    out->setContext(Qt::WidgetWithChildrenShortcut);
    connect(out, &QShortcut::activated, this, &RgbPickerWidget::zoomOut);

    restoreSettings();
    connect(d->zoom, &HsbSpectrumZoomWidget::zoomLevelChanged, this,
            [](int level) { QSettings().setValue(kZoomLevelKey, level); });
    connect(d->topSplitter, &QSplitter::splitterMoved, this,
            [this] { QSettings().setValue(kSplitterKey, d->topSplitter->saveState()); });

    setColor(OvrColor(Qt::white), QString());
}

RgbPickerWidget::~RgbPickerWidget() = default;

OvrColor RgbPickerWidget::color() const
{
    return d->color;
}

QString RgbPickerWidget::uid() const
{
    return d->uid;
}

void RgbPickerWidget::restoreSettings()
{
    QSettings settings;
    // A hand-edited settings file can hold anything: take only what fits.
    const QVariant zoom = settings.value(kZoomLevelKey);
    bool ok = false;
    const int level = zoom.toInt(&ok);
    if (zoom.isValid() && (!ok || level < ZoomControlWidget::MinimumZoomLevel
                           || level > ZoomControlWidget::MaximumZoomLevel)) {
        qCWarning(lcColorPicker) << "ignoring zoom level" << zoom << "from the settings";
        ok = false;
    }
    d->zoom->setZoomLevel(ok ? level : ZoomControlWidget::DefaultZoomLevel);

    const QVariant state = settings.value(kSplitterKey);
    bool restored = false;
    if (state.isValid()) {
        restored = state.canConvert<QByteArray>() && d->topSplitter->restoreState(state.toByteArray());
        if (restored) {
            // A state that hides a pane is no use either.
            const QList<int> sizes = d->topSplitter->sizes();
            restored = sizes.size() == 2 && sizes.at(0) >= 0 && sizes.at(1) >= 0
                       && !d->topSplitter->widget(0)->isHidden() && !d->topSplitter->widget(1)->isHidden();
        }
        if (!restored)
            qCWarning(lcColorPicker) << "ignoring unreadable splitter state from the settings";
    }
    if (!restored) {
        d->spectrum->show();
        d->zoom->show();
        const int h = fontMetrics().height();
        d->topSplitter->setSizes({16 * h, 8 * h});
    }
}

int RgbPickerWidget::zoomLevel() const
{
    return d->zoom->zoomLevel();
}

void RgbPickerWidget::zoomIn()
{
    d->zoom->zoomIn();
}

void RgbPickerWidget::zoomOut()
{
    d->zoom->zoomOut();
}

void RgbPickerWidget::setColor(const OvrColor &color, const QString &uid)
{
    if (!color.isValid())
        return;
    d->color = color;
    d->uid = uid;
    double h = 0, s = 0, v = 0, a = 1;
    color.getHsvF(&h, &s, &v, &a);
    // Grey has no hue and black no saturation: keep the ones shown.
    if (h >= 0.0)
        d->hue = h >= 1.0 ? 0.0 : h;
    if (v > 0.0)
        d->saturation = s;
    d->brightness = v;
    d->alpha = a;
    showHsv();
    d->rgbSliders->setColor(color);
    d->hsbSliders->setColor(color);
}

void RgbPickerWidget::pickHsv(double hue, double saturation, double brightness, const OvrColor &color,
                              const QWidget *origin)
{
    d->hue = hue;
    d->saturation = saturation;
    d->brightness = brightness;
    d->color = color;
    d->uid.clear();
    showHsv();
    d->rgbSliders->setColor(color);
    if (origin != d->hsbSliders)
        d->hsbSliders->setColor(color);
    emit colorChanged(d->color, d->uid);
}

void RgbPickerWidget::pickColor(const OvrColor &color)
{
    double h = 0, s = 0, v = 0;
    color.getHsvF(&h, &s, &v);
    if (h >= 0.0)
        d->hue = h >= 1.0 ? 0.0 : h;
    if (v > 0.0)
        d->saturation = s;
    d->brightness = v;
    d->color = color;
    d->uid.clear();
    showHsv();
    d->hsbSliders->setColor(color);
    emit colorChanged(d->color, d->uid);
}

void RgbPickerWidget::showHex()
{
    d->hex->setColor(d->color.isValid() ? QColor(d->color.red8(), d->color.green8(), d->color.blue8()) : QColor());
}

void RgbPickerWidget::showHsv()
{
    showHex();
    d->spectrum->setHsv(d->hue, d->saturation, d->brightness, d->alpha);
    d->zoom->setHsv(d->hue, d->saturation, d->brightness, d->alpha);
    d->tints->setHsv(d->hue, d->saturation, d->brightness, d->alpha);
}

} // namespace OvrColorPickerLib
