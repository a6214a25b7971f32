// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadface.h"

#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QVariant>

namespace {

struct FaceFile
{
    QString path;
    qreal ratio = 1.0;
};

FaceFile faceFile(const QString &name, qreal devicePixelRatio)
{
    FaceFile file;
    file.path = qt_findAtNxFile(QLatin1String(":/images/images/") + name + QLatin1String(".png"), devicePixelRatio,
                                &file.ratio);
    return file;
}

QHash<QString, QPixmap> &cache()
{
    static QHash<QString, QPixmap> pixmaps;
    return pixmaps;
}

// States a key's image comes in.
QString stateImage(const QString &base, const QAbstractButton *key)
{
    if (!key->isEnabled())
        return base + QLatin1String("_disabled");
    if (key->isDown())
        return base + QLatin1String("_down");
    if (key->isChecked())
        return base + QLatin1String("_on");
    return base + QLatin1String("_off");
}

QString faceImage(const QWidget *part)
{
    return part->property("faceImage").toString();
}

void paintKey(QAbstractButton *key)
{
    const QString base = faceImage(key);
    if (base.isEmpty())
        return;
    QPainter painter(key);
    painter.drawPixmap(0, 0, KeypadFace::pixmap(stateImage(base, key), key->devicePixelRatioF()));
}

} // namespace

QPixmap KeypadFace::pixmap(const QString &name, qreal devicePixelRatio)
{
    const FaceFile file = faceFile(name, devicePixelRatio);
    auto it = cache().find(file.path);
    if (it == cache().end()) {
        QPixmap pixmap(file.path);
        pixmap.setDevicePixelRatio(file.ratio);
        it = cache().insert(file.path, pixmap);
    }
    return *it;
}

void KeypadKey::paintEvent(QPaintEvent *)
{
    paintKey(this);
}

void KeypadSceneKey::paintEvent(QPaintEvent *)
{
    paintKey(this);
}

bool KeypadSceneKey::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void KeypadFaceImage::paintEvent(QPaintEvent *)
{
    const QString name = faceImage(this);
    if (name.isEmpty())
        return;
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), KeypadFace::pixmap(name, devicePixelRatioF()));
}
