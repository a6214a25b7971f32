// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadface.h"

#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QThread>

#include <vector>

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

struct Decoded
{
    FaceFile file;
    QImage image;
};

// What preload() decodes, and the thread decoding it until it is taken.
struct Preloaded
{
    QThread *thread = nullptr;
    std::vector<Decoded> images;
};

Preloaded &preloaded()
{
    static Preloaded preloaded;
    return preloaded;
}

QHash<QString, QPixmap> &cache()
{
    static QHash<QString, QPixmap> pixmaps;
    return pixmaps;
}

void takePreloaded()
{
    Preloaded &preload = preloaded();
    if (!preload.thread)
        return;
    preload.thread->wait();
    delete preload.thread;
    preload.thread = nullptr;
    for (Decoded &decoded : preload.images) {
        if (decoded.image.isNull())
            continue;
        QPixmap pixmap = QPixmap::fromImage(std::move(decoded.image));
        pixmap.setDevicePixelRatio(decoded.file.ratio);
        cache().insert(decoded.file.path, pixmap);
    }
    preload.images.clear();
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

void KeypadFace::preload()
{
    Preloaded &preload = preloaded();
    if (preload.thread)
        return;
    // What the window shows first: the face, greyed out, every key at rest
    // or off.
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QStringList names = {QStringLiteral("background"), QStringLiteral("controlpaneldisabledoverlay")};
    for (int key = 1; key <= 11; ++key) {
        const QString base = QStringLiteral("button_%1").arg(key);
        names << base + QLatin1String("_off") << base + QLatin1String("_disabled");
    }
    for (const QString &name : qAsConst(names))
        preload.images.push_back({faceFile(name, ratio), QImage()});
    preload.thread = QThread::create([&preload] {
        for (Decoded &decoded : preload.images)
            decoded.image.load(decoded.file.path);
    });
    preload.thread->setObjectName(QStringLiteral("keypad face images"));
    preload.thread->start();
}

QPixmap KeypadFace::pixmap(const QString &name, qreal devicePixelRatio)
{
    takePreloaded();
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
