// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

class QByteArray;

namespace OvrColorPickerLib {

/**
 * Brings colour documents from outside (a file the user picks, a document on
 * the clipboard) into the colour library as user lists. A document is taken
 * whole or not at all: one that is too large, empty, not well-formed, holds
 * no colour list or any colour that cannot be read changes nothing.
 */
class ColorFileImporter
{
    Q_DECLARE_TR_FUNCTIONS(ColorFileImporter)

public:
    static constexpr qint64 MaximumDocumentSize = 16 * 1024 * 1024;
    static constexpr int MaximumColorCount = 100000;

    /** Checks and imports a document; the new list names go to listNames. */
    static bool importDocument(const QByteArray &bytes, QString *errorText = nullptr,
                               QStringList *listNames = nullptr);
    /** Reads a file (at most MaximumDocumentSize bytes) and imports it. */
    static bool importFile(const QString &path, QString *errorText = nullptr, QStringList *listNames = nullptr);

private:
    ColorFileImporter() = delete;
};

} // namespace OvrColorPickerLib
