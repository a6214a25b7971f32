// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-user application-data folder: the shell's roaming AppData folder
// on Windows (created when missing), the per-user data folder elsewhere
// ($XDG_DATA_HOME, usually ~/.local/share). Falls back to the home folder
// when the system names none. Always '/'-separated.
#include <QDir>
#include <QString>

#ifdef _WIN32
#  include <shlobj.h>
#else
#  include <QStandardPaths>
#endif

inline QString platformUserDataFolder()
{
    QString folder;
#ifdef _WIN32
    wchar_t path[MAX_PATH];
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
#else
    folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
    return folder.isEmpty() ? QDir::homePath() : folder;
}
