// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorselectorwidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include <cmath>

namespace OvrColorPickerLib {

ColorSelectorWidget::ColorSelectorWidget(Qt::Orientations axes, QWidget *parent)
    : QWidget(parent)
    , m_axes(axes)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, axes & Qt::Vertical ? QSizePolicy::Expanding : QSizePolicy::Fixed);
}

ColorSelectorWidget::~ColorSelectorWidget() = default;

void ColorSelectorWidget::setPosition(const QPointF &position)
{
    const QPointF clamped(qBound(0.0, position.x(), 1.0), qBound(0.0, position.y(), 1.0));
    if (clamped == m_position)
        return;
    m_position = clamped;
    update();
}

void ColorSelectorWidget::setSteps(int xSteps, int ySteps)
{
    m_xSteps = qMax(1, xSteps);
    m_ySteps = qMax(1, ySteps);
}

int ColorSelectorWidget::markerMargin() const
{
    // Room for half the marker and the focus frame, from the font size.
    return qMax(3, fontMetrics().height() / 3);
}

QRectF ColorSelectorWidget::fieldRect() const
{
    const int m = markerMargin();
    const QRect r = contentsRect().adjusted(m, m, -m, -m);
    return QRectF(r.topLeft(), QSizeF(qMax(1, r.width()), qMax(1, r.height())));
}

QPointF ColorSelectorWidget::positionFromPoint(const QPointF &point) const
{
    // A mouse position names the pixel it is in; take that pixel's centre.
    const QRectF f = fieldRect();
    const double x = (point.x() + 0.5 - f.left()) / f.width();
    const double y = 1.0 - (point.y() + 0.5 - f.top()) / f.height();
    return QPointF(m_axes & Qt::Horizontal ? qBound(0.0, x, 1.0) : m_position.x(),
                   m_axes & Qt::Vertical ? qBound(0.0, y, 1.0) : m_position.y());
}

QPointF ColorSelectorWidget::pointFromPosition(const QPointF &position) const
{
    const QRectF f = fieldRect();
    return QPointF(f.left() + position.x() * f.width(), f.top() + (1.0 - position.y()) * f.height());
}

QSize ColorSelectorWidget::minimumSizeHint() const
{
    const int h = fontMetrics().height();
    const int m = 2 * markerMargin();
    if (m_axes == Qt::Horizontal)
        return QSize(4 * h + m, h + m);
    return QSize(4 * h + m, 4 * h + m);
}

void ColorSelectorWidget::invalidateField()
{
    m_cacheValid = false;
    update();
}

OvrColor ColorSelectorWidget::markerColor() const
{
    return colorAt(m_position);
}

void ColorSelectorWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRectF field = fieldRect();
    // Render at the pixel ratio of the device being painted, so the field is
    // crisp on high-density screens and in grabs alike.
    const qreal dpr = painter.device()->devicePixelRatioF();
    const QSize pixels(qMax(1, qRound(field.width() * dpr)), qMax(1, qRound(field.height() * dpr)));
    if (!m_cacheValid || m_cache.size() != pixels || !qFuzzyCompare(m_cache.devicePixelRatioF(), dpr)) {
        if (m_cache.size() != pixels)
            m_cache = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_cache.setDevicePixelRatio(dpr);
        renderField(m_cache);
        m_cacheValid = true;
        ++m_renderCount;
    }
    if (!isEnabled())
        painter.setOpacity(0.4);
    painter.drawImage(field, m_cache);
    painter.setOpacity(1.0);

    painter.setRenderHint(QPainter::Antialiasing);
    drawMarker(painter, pointFromPosition(m_position));

    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight), 2.0);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(field.adjusted(-1.5, -1.5, 1.5, 1.5));
    }
}

void ColorSelectorWidget::drawMarker(QPainter &painter, const QPointF &point) const
{
    const OvrColor under = markerColor();
    const double luma = 0.299 * under.redF() + 0.587 * under.greenF() + 0.114 * under.blueF();
    const QColor ink = luma > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
    const QColor halo = luma > 0.5 ? QColor(255, 255, 255, 160) : QColor(0, 0, 0, 160);
    const QRectF f = fieldRect();
    const qreal r = qMax<qreal>(3.0, fontMetrics().height() / 3.0);
    painter.setBrush(Qt::NoBrush);
    if (m_axes == Qt::Horizontal) {
        const QRectF bar(point.x() - r / 2, f.top() - 1, r, f.height() + 2);
        painter.setPen(QPen(halo, 3.0));
        painter.drawRoundedRect(bar, r / 3, r / 3);
        painter.setPen(QPen(ink, 1.5));
        painter.drawRoundedRect(bar, r / 3, r / 3);
        return;
    }
    painter.setPen(QPen(halo, 3.0));
    painter.drawEllipse(point, r, r);
    painter.setPen(QPen(ink, 1.5));
    painter.drawEllipse(point, r, r);
}

void ColorSelectorWidget::pick(const QPointF &position)
{
    const QPointF clamped(qBound(0.0, position.x(), 1.0), qBound(0.0, position.y(), 1.0));
    m_position = clamped;
    update();
    emit positionPicked(clamped);
}

void ColorSelectorWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    emit dragStarted();
    pick(positionFromPoint(event->localPos()));
}

void ColorSelectorWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF p = positionFromPoint(event->localPos());
    if (p != m_position)
        pick(p);
}

void ColorSelectorWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        emit dragFinished();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void ColorSelectorWidget::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const int notches = (qAbs(delta.y()) >= qAbs(delta.x()) ? delta.y() : -delta.x()) / 120;
    if (notches == 0) {
        event->ignore();
        return;
    }
    // The wheel moves along the slider, or up and down a 2-D field.
    if (m_axes == Qt::Horizontal)
        step(notches, 0);
    else
        step(0, notches);
    event->accept();
}

void ColorSelectorWidget::step(int dx, int dy)
{
    QPointF p = m_position;
    if (m_axes & Qt::Horizontal)
        p.rx() = std::round(p.x() * m_xSteps + dx) / m_xSteps;
    if (m_axes & Qt::Vertical)
        p.ry() = std::round(p.y() * m_ySteps + dy) / m_ySteps;
    pick(p);
}

void ColorSelectorWidget::keyPressEvent(QKeyEvent *event)
{
    const bool horizontalOnly = m_axes == Qt::Horizontal;
    switch (event->key()) {
    case Qt::Key_Left:
        step(-1, 0);
        break;
    case Qt::Key_Right:
        step(1, 0);
        break;
    case Qt::Key_Up:
        horizontalOnly ? step(1, 0) : step(0, 1);
        break;
    case Qt::Key_Down:
        horizontalOnly ? step(-1, 0) : step(0, -1);
        break;
    case Qt::Key_PageUp:
        horizontalOnly ? step(10, 0) : step(0, 10);
        break;
    case Qt::Key_PageDown:
        horizontalOnly ? step(-10, 0) : step(0, -10);
        break;
    case Qt::Key_Home:
        pick(QPointF(m_axes & Qt::Horizontal ? 0.0 : m_position.x(), m_position.y()));
        break;
    case Qt::Key_End:
        pick(QPointF(m_axes & Qt::Horizontal ? 1.0 : m_position.x(), m_position.y()));
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ColorSelectorWidget::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void ColorSelectorWidget::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

} // namespace OvrColorPickerLib
