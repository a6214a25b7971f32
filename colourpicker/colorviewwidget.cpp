// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorviewwidget.h"

#include "colorappearance.h"

#include "ovrcolorlibrary.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

namespace OvrColorPickerLib {

ColorViewWidget::ColorViewWidget(bool isMain, QWidget *parent)
    : QWidget(parent)
    , m_isMain(isMain)
{
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setSizePolicy(isMain ? QSizePolicy::Expanding : QSizePolicy::Preferred, QSizePolicy::Fixed);
    updateDescription();
    connect(ColorAppearance::instance(), &ColorAppearance::fixtureClassChanged, this, [this] { update(); });
}

ColorViewWidget::~ColorViewWidget() = default;

QSize ColorViewWidget::sizeHint() const
{
    const int h = fontMetrics().height();
    return m_isMain ? QSize(6 * h, 2 * h + 4) : QSize(2 * h + 4, 2 * h + 4);
}

QSize ColorViewWidget::minimumSizeHint() const
{
    const int h = fontMetrics().height();
    return QSize(h + 4, 2 * h + 4);
}

void ColorViewWidget::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    update();
}

void ColorViewWidget::setOriginalColor(const OvrColor &color, const QString &uid)
{
    m_originalColor = color;
    m_originalUid = uid;
}

void ColorViewWidget::setOpacityShown(bool shown)
{
    if (shown == m_opacityShown)
        return;
    m_opacityShown = shown;
    update();
}

void ColorViewWidget::setFavoritesListName(const QString &listName)
{
    m_listName = listName;
}

void ColorViewWidget::setColor(const OvrColor &color, const QString &uid)
{
    m_color = color;
    m_uid = uid;
    updateDescription();
    update();
}

void ColorViewWidget::onReset()
{
    if (m_color == m_originalColor && m_uid == m_originalUid)
        return;
    if (!m_originalColor.isValid() && !m_color.isValid())
        return;
    setColor(m_originalColor, m_originalUid);
    emit colorChanged(m_color, m_uid);
}

void ColorViewWidget::updateDescription()
{
    setAccessibleDescription(m_color.isValid() ? m_color.name8() : tr("No color"));
    setToolTip(m_color.isValid() ? m_color.name8() : tr("No color"));
}

QMenu *ColorViewWidget::createContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const bool valid = m_color.isValid();
    QAction *add = menu->addAction(tr("Add to %1").arg(m_listName));
    add->setObjectName(QStringLiteral("addToFavoritesAction"));
    add->setEnabled(valid && !m_listName.isEmpty());
    connect(add, &QAction::triggered, this, [this] { emit addToFavorites(m_color, m_uid); });
    if (!m_isMain) {
        QAction *copy = menu->addAction(tr("Copy to Main Color"));
        copy->setObjectName(QStringLiteral("copyToMainColorAction"));
        copy->setEnabled(valid);
        connect(copy, &QAction::triggered, this, [this] { emit copyToMainColor(m_color, m_uid); });
    }
    menu->addSeparator();
    QAction *rgb = menu->addAction(tr("Open in RGB Picker"));
    rgb->setEnabled(valid);
    connect(rgb, &QAction::triggered, this, [this] { emit openInRGBPicker(m_color, m_uid); });
    QAction *white = menu->addAction(tr("Open in White Picker"));
    white->setEnabled(valid);
    connect(white, &QAction::triggered, this, [this] { emit openInWhitePicker(m_color, m_uid); });
    menu->addSeparator();
    QAction *reset = menu->addAction(tr("Reset"));
    reset->setObjectName(QStringLiteral("resetAction"));
    connect(reset, &QAction::triggered, this, &ColorViewWidget::onReset);
    return menu;
}

void ColorViewWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal ring = qMax<qreal>(2.0, fontMetrics().height() / 8.0);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF inner = outer.adjusted(ring + 1, ring + 1, -ring - 1, -ring - 1);
    const qreal radius = fontMetrics().height() / 5.0;

    // Selection ring in the highlight colour; a thin frame otherwise.
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_selected ? palette().color(QPalette::Highlight) : palette().color(QPalette::Mid));
    QPainterPath frame;
    frame.addRoundedRect(outer, radius + ring, radius + ring);
    QPainterPath hole;
    hole.addRoundedRect(m_selected ? inner : outer.adjusted(1, 1, -1, -1), radius, radius);
    painter.drawPath(frame.subtracted(hole));

    QPainterPath swatch;
    swatch.addRoundedRect(inner, radius, radius);
    painter.setClipPath(swatch);
    if (!m_color.isValid()) {
        painter.fillRect(inner, palette().color(QPalette::Base));
        painter.setPen(QPen(palette().color(QPalette::Mid), 1.5));
        painter.drawLine(inner.bottomLeft(), inner.topRight());
    } else {
        // The light the fixture makes; translucency only where the host
        // has an opacity to offer.
        QColor c = ColorAppearance::shown(m_color);
        if (m_opacityShown)
            c.setAlpha(m_color.alpha8());
        if (c.alpha() < 255) {
            const int cell = qMax(3, fontMetrics().height() / 3);
            for (int y = 0; y * cell < inner.height(); ++y)
                for (int x = 0; x * cell < inner.width(); ++x)
                    painter.fillRect(QRectF(inner.left() + x * cell, inner.top() + y * cell, cell, cell),
                                     (x + y) % 2 ? QColor(0x99, 0x99, 0x99) : QColor(0xcc, 0xcc, 0xcc));
        }
        painter.fillRect(inner, c);
    }
    painter.setClipping(false);

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Text), 1.0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(inner.adjusted(2, 2, -2, -2), radius, radius);
    }
}

void ColorViewWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressPos = event->pos();
        emit selected();
    }
    QWidget::mousePressEvent(event);
}

void ColorViewWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !m_color.isValid())
        return;
    if ((event->pos() - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(m_color.mimeData());
    const int side = fontMetrics().height();
    QPixmap pixmap(side, side);
    pixmap.fill(ColorAppearance::shown(m_color));
    drag->setPixmap(pixmap);
    drag->exec(Qt::CopyAction);
}

void ColorViewWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit selected();
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ColorViewWidget::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void ColorViewWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() != this && OvrColorLibrary::hasColorEntries(event->mimeData()))
        event->acceptProposedAction();
}

void ColorViewWidget::dropEvent(QDropEvent *event)
{
    // Of several dragged colours the first one counts; a colour dragged from
    // the library keeps its uid.
    QStringList uids;
    const QVector<OvrColor> colors = OvrColorLibrary::colorsFromMimeData(event->mimeData(), &uids);
    if (colors.isEmpty())
        return;
    event->acceptProposedAction();
    setColor(colors.first(), uids.value(0));
    emit selected();
    emit colorChanged(m_color, m_uid);
}

} // namespace OvrColorPickerLib
