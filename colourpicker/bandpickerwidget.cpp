// SPDX-License-Identifier: GPL-3.0-or-later
#include "bandpickerwidget.h"

#include "colorappearance.h"
#include "ovrcolor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace OvrColorPickerLib {

BandPickerWidget::BandPickerWidget(int value, QWidget *parent)
    : QWidget(parent)
    , m_value(value)
{
    setFocusPolicy(Qt::StrongFocus);
    // The band shows the colours as the configured fixture makes them.
    connect(ColorAppearance::instance(), &ColorAppearance::fixtureClassChanged, this, [this] { invalidateBand(); });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

BandPickerWidget::~BandPickerWidget() = default;

void BandPickerWidget::invalidateBand()
{
    m_band = QImage();
    update();
}

void BandPickerWidget::paintBand(QPainter &p)
{
    const QRect r = bandRect();
    const qreal dpr = devicePixelRatioF();
    const int deviceWidth = qMax(1, qRound(r.width() * dpr));
    if (m_band.width() != deviceWidth) {
        m_band = QImage(deviceWidth, 1, QImage::Format_RGB32);
        const ColorUtils::PrismalProfileID fixtureClass = ColorAppearance::instance()->fixtureClass();
        for (int i = 0; i < deviceWidth; ++i)
            m_band.setPixel(i, 0, ColorUtils::displayColor(bandColorAt(r.left() + qRound(i / dpr)), fixtureClass).rgb());
    }
    p.drawImage(r, m_band);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void BandPickerWidget::setMarkedValue(int value)
{
    value = validValue(value);
    if (value == m_value)
        return;
    m_value = value;
    update();
}

void BandPickerWidget::pick(int value)
{
    const int before = m_value;
    setMarkedValue(value);
    if (m_value != before)
        emit valuePicked(m_value);
}

void BandPickerWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pick(valueAt(event->pos().x()));
}

void BandPickerWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        pick(valueAt(event->pos().x()));
}

void BandPickerWidget::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return event->ignore();
    pick(markedValue() + notches * steps().wheel);
}

void BandPickerWidget::keyPressEvent(QKeyEvent *event)
{
    const Steps step = steps();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        pick(markedValue() - step.arrow);
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        pick(markedValue() + step.arrow);
        break;
    case Qt::Key_PageDown:
        pick(markedValue() - step.page);
        break;
    case Qt::Key_PageUp:
        pick(markedValue() + step.page);
        break;
    case Qt::Key_Home:
        pick(step.lowest);
        break;
    case Qt::Key_End:
        pick(step.highest);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void BandPickerWidget::resizeEvent(QResizeEvent *event)
{
    m_band = QImage();
    QWidget::resizeEvent(event);
}

} // namespace OvrColorPickerLib
