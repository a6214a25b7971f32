// SPDX-License-Identifier: GPL-3.0-or-later
#include "splashscreen.h"

#include "appversion.h"

#include <QFontMetrics>
#include <QPainter>

SplashScreen::SplashScreen()
    : QSplashScreen(QPixmap(QStringLiteral(":/images/images/splash.png")), Qt::WindowStaysOnTopHint)
{
    showMessage(QStringLiteral("none"), Qt::AlignLeft, Qt::black);
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
