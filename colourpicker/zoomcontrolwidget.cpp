// SPDX-License-Identifier: GPL-3.0-or-later
#include "zoomcontrolwidget.h"

#include "ovrstyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

namespace OvrColorPickerLib {

ZoomControlWidget::ZoomControlWidget(QWidget *parent)
    : QWidget(parent)
    , m_outButton(new QToolButton(this))
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_inButton(new QToolButton(this))
    , m_label(new QLabel(this))
{
    auto *style = new OvrWidgetsLib::OvrStyle(this);
    m_outButton->setStyle(style);
    m_inButton->setStyle(style);
    m_slider->setStyle(style);

    m_outButton->setText(QStringLiteral("\u2212"));
    m_outButton->setToolTip(tr("Zoom out (Ctrl+-)"));
    m_outButton->setAccessibleName(tr("Zoom out"));
    m_outButton->setAutoRaise(true);
    m_inButton->setText(QStringLiteral("+"));
    m_inButton->setToolTip(tr("Zoom in (Ctrl++)"));
    m_inButton->setAccessibleName(tr("Zoom in"));
    m_inButton->setAutoRaise(true);
    m_slider->setRange(MinimumZoomLevel, MaximumZoomLevel);
    m_slider->setPageStep(1);
    m_slider->setValue(DefaultZoomLevel);
    m_slider->setAccessibleName(tr("Zoom level"));
    m_slider->setToolTip(tr("Zoom level"));
    // Room for the widest text, "64×", so the row does not jump.
    m_label->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("64\u00d7")) + 2);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_outButton);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_inButton);
    layout->addWidget(m_label);

    connect(m_outButton, &QToolButton::clicked, this, &ZoomControlWidget::zoomOut);
    connect(m_inButton, &QToolButton::clicked, this, &ZoomControlWidget::zoomIn);
    connect(m_slider, &QSlider::valueChanged, this, [this](int level) {
        updateLabel();
        emit zoomLevelChanged(level);
    });
    updateLabel();
}

ZoomControlWidget::~ZoomControlWidget() = default;

int ZoomControlWidget::zoomLevel() const
{
    return m_slider->value();
}

double ZoomControlWidget::magnification() const
{
    return double(1 << zoomLevel());
}

void ZoomControlWidget::setZoomLevel(int level)
{
    m_slider->setValue(qBound(MinimumZoomLevel, level, MaximumZoomLevel));
}

void ZoomControlWidget::zoomIn()
{
    setZoomLevel(zoomLevel() + 1);
}

void ZoomControlWidget::zoomOut()
{
    setZoomLevel(zoomLevel() - 1);
}

void ZoomControlWidget::updateLabel()
{
    m_label->setText(QStringLiteral("%1\u00d7").arg(1 << zoomLevel()));
    m_outButton->setEnabled(zoomLevel() > MinimumZoomLevel);
    m_inButton->setEnabled(zoomLevel() < MaximumZoomLevel);
}

} // namespace OvrColorPickerLib
