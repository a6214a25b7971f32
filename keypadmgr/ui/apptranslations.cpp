// SPDX-License-Identifier: GPL-3.0-or-later
#include "apptranslations.h"

#include "ovrdatafiles.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QString AppTranslations::folder()
{
    return OvrDataFiles::locate(QStringLiteral("translations"));
}

bool AppTranslations::install(QCoreApplication *app, const QLocale &locale)
{
    // Qt's own texts: the standard buttons, file dialogs, the command line's
    // --help lines.
    auto *qt = new QTranslator(app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;

    auto *own = new QTranslator(app);
    if (own->load(locale, QStringLiteral("keypadmgr"), QStringLiteral("_"), folder())) {
        QCoreApplication::installTranslator(own);
        return true;
    }
    delete own;
    return false;
}
