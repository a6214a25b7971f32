// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "networkprefs.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QSettings>
#include <QStandardPaths>

namespace ProgramSettings {

/**
 * The program's settings for a test of its windows: its own organisation
 * and application names over test-mode folders (never the user's), cleared,
 * with no update check at start-up. Given a @p hostAddress (the test bed's),
 * the program uses it rather than the machine's default network.
 */
inline void useForTest(const QHostAddress &hostAddress = QHostAddress())
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumetra Keypad Effect Manager"));
    QSettings settings;
    settings.clear();
    if (!hostAddress.isNull()) {
        settings.setValue(QLatin1String(NetworkPrefs::defaultKey), false);
        settings.setValue(QLatin1String(NetworkPrefs::ipKey), hostAddress.toString());
    }
    settings.setValue(QStringLiteral("update_never_check"), true);
}

/**
 * The program's settings (its organisation and application names) in the
 * folder @p path, for tests that look at the stored file; nothing is
 * cleared. Returns whether the settings file lies in that folder.
 */
inline bool useFolder(const QString &path)
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumetra Keypad Effect Manager"));
    return QSettings().fileName().startsWith(path);
}

} // namespace ProgramSettings
