// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorthumbnail.h"

#include "colorappearance.h"
#include "ovrcolor.h"

#include <QGuiApplication>
#include <QPainter>

QPixmap ColorThumbnail::generate(const OvrColor &color)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);

    QPainter painter(&pixmap);
    const QRectF inner(1, 1, size - 2, size - 2);
    if (color.isValid()) {
        // The light the configured fixture makes: the keypad has no opacity.
        painter.fillRect(inner, OvrColorPickerLib::ColorAppearance::shown(color));
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xc0, 0x30, 0x30), 1.0));
        painter.drawLine(inner.bottomLeft(), inner.topRight());
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, size - 1, size - 1));
    return pixmap;
}
