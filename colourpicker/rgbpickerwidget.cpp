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

RgbPickerWidget::RgbPickerWidget(QWidget *parent)
    : QWidget(parent)
    , m_spectrum(new HsbSpectrumWidget(this))
    , m_zoom(new HsbSpectrumZoomWidget(this))
    , m_tints(new HsbTintsAndShadesWidget(this))
    , m_rgbSliders(new RgbSlidersWidget(this))
    , m_hsbSliders(new HsbSlidersWidget(this))
    , m_hex(new HexColorEdit(this))
    , m_topSplitter(new QSplitter(Qt::Horizontal, this))
{
    setObjectName(QStringLiteral("rgbPickerWidget"));
    m_topSplitter->setObjectName(QStringLiteral("topSplitter"));
    m_spectrum->setObjectName(QStringLiteral("hsbSpectrum"));
    m_zoom->setObjectName(QStringLiteral("hsbSpectrumZoom"));
    m_tints->setObjectName(QStringLiteral("hsbTintsAndShades"));
    m_rgbSliders->setObjectName(QStringLiteral("rgbSliders"));
    m_hsbSliders->setObjectName(QStringLiteral("hsbSliders"));
    m_hex->setObjectName(QStringLiteral("hexEdit"));
    m_hex->setAccessibleName(tr("Hexadecimal color"));
    m_hex->setToolTip(tr("Type or paste a color as #rgb, #rrggbb or rrggbb"));

    m_topSplitter->addWidget(m_spectrum);
    m_topSplitter->addWidget(m_zoom);
    m_topSplitter->setStretchFactor(0, 2);
    m_topSplitter->setStretchFactor(1, 1);
    m_topSplitter->setChildrenCollapsible(false);

    // RGB and HSB side by side: three rows of sliders instead of six leave
    // the spectrum its height on a short screen.
    auto *sliders = new QGridLayout;
    sliders->setHorizontalSpacing(fontMetrics().height());
    sliders->setVerticalSpacing(fontMetrics().height() / 2);
    sliders->addWidget(m_rgbSliders, 0, 0);
    sliders->addWidget(m_hsbSliders, 0, 1);
    auto *hexRow = new QHBoxLayout;
    auto *hexLabel = new QLabel(tr("He&x:"), this);
    hexLabel->setBuddy(m_hex);
    hexRow->addWidget(hexLabel);
    hexRow->addWidget(m_hex);
    hexRow->addStretch(1);
    sliders->addLayout(hexRow, 1, 0, 1, 2);
    sliders->setRowStretch(2, 1);
    sliders->setColumnStretch(0, 1);
    sliders->setColumnStretch(1, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_tints, 1);
    bottom->addLayout(sliders, 4);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_topSplitter, 3);
    layout->addLayout(bottom, 2);

    // Tab order follows the reading order of the page.
    setTabOrder(m_spectrum, m_zoom->colorZoom());

    connect(m_spectrum, &HsbSpectrumWidget::colorChanged, this, [this](const OvrColor &c) {
        const QPointF p = m_spectrum->position();
        pickHsv(p.x() >= 1.0 ? 0.0 : p.x(), p.y(), m_brightness, c, m_spectrum);
    });
    connect(m_zoom, &HsbSpectrumZoomWidget::colorChanged, this, [this](const OvrColor &c) {
        const QPointF p = m_zoom->colorZoom()->spectrumPoint(m_zoom->colorZoom()->position());
        pickHsv(p.x(), p.y(), m_brightness, c, m_zoom);
    });
    connect(m_zoom, &HsbSpectrumZoomWidget::zoomAreaChanged, m_spectrum, &HsbSpectrumWidget::setZoomArea);
    m_spectrum->setZoomArea(m_zoom->zoomArea());
    connect(m_tints, &HsbTintsAndShadesWidget::colorChanged, this, [this](const OvrColor &c) {
        const QPointF p = m_tints->position();
        pickHsv(m_hue, p.x(), p.y(), c, m_tints);
    });
    connect(m_rgbSliders, &ColorSlidersWidget::colorChanged, this, &RgbPickerWidget::pickColor);
    connect(m_hsbSliders, &ColorSlidersWidget::colorChanged, this, [this](const OvrColor &c) {
        const QVector<double> v = m_hsbSliders->values();
        pickHsv(v.at(0) >= 360.0 ? 0.0 : v.at(0) / 360.0, v.at(1) / 100.0, v.at(2) / 100.0, c, m_hsbSliders);
    });

    connect(m_hex, &HexColorEdit::colorEntered, this, [this](const QColor &typed) {
        const OvrColor color =
            OvrColor::fromRgb8(typed.red(), typed.green(), typed.blue(), qRound(m_alpha * 255.0));
        m_rgbSliders->setColor(color);
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
    connect(m_zoom, &HsbSpectrumZoomWidget::zoomLevelChanged, this,
            [](int level) { QSettings().setValue(kZoomLevelKey, level); });
    connect(m_topSplitter, &QSplitter::splitterMoved, this,
            [this] { QSettings().setValue(kSplitterKey, m_topSplitter->saveState()); });

    setColor(OvrColor(Qt::white), QString());
}

RgbPickerWidget::~RgbPickerWidget() = default;

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
    m_zoom->setZoomLevel(ok ? level : ZoomControlWidget::DefaultZoomLevel);

    const QVariant state = settings.value(kSplitterKey);
    bool restored = false;
    if (state.isValid()) {
        restored = state.canConvert<QByteArray>() && m_topSplitter->restoreState(state.toByteArray());
        if (restored) {
            // A state that hides a pane is no use either.
            const QList<int> sizes = m_topSplitter->sizes();
            restored = sizes.size() == 2 && sizes.at(0) >= 0 && sizes.at(1) >= 0
                       && !m_topSplitter->widget(0)->isHidden() && !m_topSplitter->widget(1)->isHidden();
        }
        if (!restored)
            qCWarning(lcColorPicker) << "ignoring unreadable splitter state from the settings";
    }
    if (!restored) {
        m_spectrum->show();
        m_zoom->show();
        const int h = fontMetrics().height();
        m_topSplitter->setSizes({16 * h, 8 * h});
    }
}

int RgbPickerWidget::zoomLevel() const
{
    return m_zoom->zoomLevel();
}

void RgbPickerWidget::zoomIn()
{
    m_zoom->zoomIn();
}

void RgbPickerWidget::zoomOut()
{
    m_zoom->zoomOut();
}

void RgbPickerWidget::setColor(const OvrColor &color, const QString &uid)
{
    if (!color.isValid())
        return;
    m_color = color;
    m_uid = uid;
    double h = 0, s = 0, v = 0, a = 1;
    color.getHsvF(&h, &s, &v, &a);
    // Grey has no hue and black no saturation: keep the ones shown.
    if (h >= 0.0)
        m_hue = h >= 1.0 ? 0.0 : h;
    if (v > 0.0)
        m_saturation = s;
    m_brightness = v;
    m_alpha = a;
    showHsv();
    m_rgbSliders->setColor(color);
    m_hsbSliders->setColor(color);
}

void RgbPickerWidget::pickHsv(double hue, double saturation, double brightness, const OvrColor &color,
                              const QWidget *origin)
{
    m_hue = hue;
    m_saturation = saturation;
    m_brightness = brightness;
    m_color = color;
    m_uid.clear();
    showHsv();
    m_rgbSliders->setColor(color);
    if (origin != m_hsbSliders)
        m_hsbSliders->setColor(color);
    emit colorChanged(m_color, m_uid);
}

void RgbPickerWidget::pickColor(const OvrColor &color)
{
    double h = 0, s = 0, v = 0;
    color.getHsvF(&h, &s, &v);
    if (h >= 0.0)
        m_hue = h >= 1.0 ? 0.0 : h;
    if (v > 0.0)
        m_saturation = s;
    m_brightness = v;
    m_color = color;
    m_uid.clear();
    showHsv();
    m_hsbSliders->setColor(color);
    emit colorChanged(m_color, m_uid);
}

void RgbPickerWidget::showHex()
{
    m_hex->setColor(m_color.isValid() ? QColor(m_color.red8(), m_color.green8(), m_color.blue8()) : QColor());
}

void RgbPickerWidget::showHsv()
{
    showHex();
    m_spectrum->setHsv(m_hue, m_saturation, m_brightness, m_alpha);
    m_zoom->setHsv(m_hue, m_saturation, m_brightness, m_alpha);
    m_tints->setHsv(m_hue, m_saturation, m_brightness, m_alpha);
}

} // namespace OvrColorPickerLib
