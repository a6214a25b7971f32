// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor_export.h"

#include <QString>
#include <QStringList>

/**
 * Finds the files and folders that ship with the program (factory
 * defaults, fixture profiles, preset colour lists, the product guide,
 * translations). A copy that runs from its build tree or from an unpacked
 * folder keeps them beside the program; an installed copy keeps them in
 * "../share/keypadmgr" relative to the program's folder. Beside the program
 * wins, so a developer's build never reads an older installed copy.
 */
class OVRCOLOR_EXPORT OvrDataFiles
{
public:
    /**
     * The folders searched, in order, for the running program: its own
     * folder and its installed data folder.
     */
    static QStringList searchFolders();
    static QStringList searchFolders(const QString &programDir);

    /**
     * The first existing file or folder named @p relativePath ("help/x.pdf",
     * "Presets") in the search folders. When none exists, the path beside
     * the program, so a message about the missing file names a real place.
     */
    static QString locate(const QString &relativePath);
    static QString locate(const QString &relativePath, const QString &programDir);
};
