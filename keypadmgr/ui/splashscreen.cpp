// SPDX-License-Identifier: GPL-3.0-or-later
#include "splashscreen.h"

#include "appversion.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QThread>

namespace {

const char imagePath[] = ":/images/images/splash.png";

// The image preload() reads, and the thread reading it until it is taken.
struct Preloaded
{
    QThread *thread = nullptr;
    QImage image;
};

Preloaded &preloaded()
{
    static Preloaded preloaded;
    return preloaded;
}

QPixmap splashPixmap()
{
    Preloaded &preload = preloaded();
    if (!preload.thread)
        return QPixmap(QLatin1String(imagePath));
    preload.thread->wait();
    delete preload.thread;
    preload.thread = nullptr;
    const QPixmap pixmap = QPixmap::fromImage(std::move(preload.image));
    preload.image = QImage();
    return pixmap;
}

} // namespace

SplashScreen::SplashScreen()
    : QSplashScreen(splashPixmap(), Qt::WindowStaysOnTopHint)
{
    showMessage(QStringLiteral("none"), Qt::AlignLeft, Qt::black);
}

void SplashScreen::preload()
{
    Preloaded &preload = preloaded();
    if (preload.thread)
        return;
    preload.thread = QThread::create([&preload] { preload.image.load(QLatin1String(imagePath)); });
    preload.thread->setObjectName(QStringLiteral("splash image"));
    preload.thread->start();
}

QString SplashScreen::versionLine()
{
    return tr("Version %1 %2-%3")
        .arg(QLatin1String(AppVersion::version))
        .arg(AppVersion::buildDate)
        .arg(QLatin1String(AppVersion::buildNumber));
}

void SplashScreen::drawContents(QPainter *painter)
{
    QFont font(QStringLiteral("Verdana"), 8, QFont::Normal);
    painter->setFont(font);
    painter->setPen(Qt::white);
    const int baseline = pixmap().height() / int(pixmap().devicePixelRatio())
        - QFontMetrics(font).height() - 12;
    painter->drawText(10, baseline, versionLine());
}
