// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

/**
 * Loads the program's translation for the user's language (LANGUAGE, then
 * the locale) and Qt's own, so standard buttons and dialogs speak the same
 * language. A language without a translation stays English.
 */
class AppTranslations
{
public:
    /** The folder holding "keypadmgr_<language>.qm" (the data folder's "translations"). */
    static QString folder();
    /**
     * Installs the translators on @p app (they are its children); true when
     * the program's own translation for @p locale was found.
     */
    static bool install(QCoreApplication *app, const QLocale &locale = QLocale());
};
