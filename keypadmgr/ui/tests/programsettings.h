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

} // namespace ProgramSettings
