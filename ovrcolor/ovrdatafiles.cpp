// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrdatafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef OVR_INSTALLED_DATA_DIR
// The installed data folder relative to the program's folder; the build
// passes the value that matches its install layout.
#define OVR_INSTALLED_DATA_DIR "../share/keypadmgr"
#endif

QStringList OvrDataFiles::searchFolders()
{
    return searchFolders(QCoreApplication::applicationDirPath());
}

QStringList OvrDataFiles::searchFolders(const QString &programDir)
{
    const QDir dir(programDir);
    return {QDir::cleanPath(dir.absolutePath()),
            QDir::cleanPath(dir.absoluteFilePath(QStringLiteral(OVR_INSTALLED_DATA_DIR)))};
}

QString OvrDataFiles::locate(const QString &relativePath)
{
    return locate(relativePath, QCoreApplication::applicationDirPath());
}

QString OvrDataFiles::locate(const QString &relativePath, const QString &programDir)
{
    const QStringList folders = searchFolders(programDir);
    for (const QString &folder : folders) {
        const QString candidate = QDir::cleanPath(folder + QLatin1Char('/') + relativePath);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return QDir::cleanPath(folders.constFirst() + QLatin1Char('/') + relativePath);
}
