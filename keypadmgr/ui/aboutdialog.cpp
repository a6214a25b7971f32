// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutdialog.h"

#include "appversion.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setModal(true);
    setStyleSheet(QStringLiteral("QDialog { background-image: url(:/images/images/splash.png); }"));
    const QPixmap splash(QStringLiteral(":/images/images/splash.png"));
    setFixedSize(splash.size() / splash.devicePixelRatio());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(0);
    layout->addStretch();

    auto addLabel = [this, layout](const QString &text, int pointSize) {
        auto *label = new QLabel(text, this);
        label->setFont(QFont(QStringLiteral("Verdana"), pointSize));
        label->setStyleSheet(QStringLiteral("color: white;"));
        layout->addWidget(label);
    };
    addLabel(tr("Version: %1 %2-%3")
                 .arg(QLatin1String(AppVersion::version))
                 .arg(AppVersion::buildDate)
                 .arg(QLatin1String(AppVersion::buildNumber)),
             8);
    addLabel(tr("Qt Library Paths:"), 7);
    QString paths;
    const QStringList libraryPaths = QCoreApplication::libraryPaths();
    for (const QString &path : libraryPaths)
        paths += QStringLiteral("   %1\n").arg(path);
    if (paths.endsWith(QLatin1Char('\n')))
        paths.chop(1);
    addLabel(paths, 7);
    addLabel(tr("License: GNU General Public License, version 3 or later"), 7);
    addLabel(tr("Support: %1, %2").arg(QLatin1String(AppVersion::supportAddress), QLatin1String(AppVersion::homePage)),
             7);
}

void AboutDialog::mousePressEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
    close();
}
