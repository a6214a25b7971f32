// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorfileimporter.h"

#include "ovrcolor.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorpickerlogging.h"
#include "zeplo3projecthelper.h"

#include <QBuffer>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

namespace OvrColorPickerLib {

namespace {
void setError(QString *errorText, const QString &text)
{
    if (errorText)
        *errorText = text;
}
} // namespace

bool ColorFileImporter::importDocument(const QByteArray &bytes, QString *errorText, QStringList *listNames)
{
    if (bytes.trimmed().isEmpty()) {
        setError(errorText, tr("The document is empty."));
        return false;
    }
    if (bytes.size() > MaximumDocumentSize) {
        setError(errorText, tr("The document is larger than %1 MB.").arg(MaximumDocumentSize / (1024 * 1024)));
        return false;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDomDocument document;
    QString parseError;
    if (!Zeplo3ProjectHelper::readDocument(&buffer, document, &parseError)) {
        setError(errorText, tr("The document is not a well-formed colour document: %1").arg(parseError));
        return false;
    }

    // Every list must be readable before any of it goes into the library.
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    const QDomNodeList lists = document.elementsByTagName(QStringLiteral("ColorLibrary"));
    if (lists.isEmpty()) {
        setError(errorText, tr("The document holds no colour list."));
        return false;
    }
    int colorCount = 0;
    for (int i = 0; i < lists.size(); ++i) {
        QDomElement list = lists.at(i).toElement();
        const QString listName = list.attribute(QStringLiteral("name"));
        for (QDomElement color = list.firstChildElement(QStringLiteral("Color")); !color.isNull();
             color = color.nextSiblingElement(QStringLiteral("Color"))) {
            if (++colorCount > MaximumColorCount) {
                setError(errorText, tr("The document holds more than %1 colours.").arg(MaximumColorCount));
                return false;
            }
            const QString value = color.attribute(QStringLiteral("value"));
            // Only the loss-free forms and "#" forms are taken; colour names
            // would make a stray word a colour.
            const bool knownForm = value.startsWith(QLatin1String("aRgb;")) || value.startsWith(QLatin1String("aYxy;"))
                || value.startsWith(QLatin1String("aNchannel;")) || value.startsWith(QLatin1Char('#'));
            if (!knownForm || !OvrColor(value).isValid()) {
                setError(errorText, tr("The colour \"%1\" in the list \"%2\" cannot be read.")
                                        .arg(color.attribute(QStringLiteral("name")), listName));
                return false;
            }
        }
        // Whatever the document says, what the user brings in is theirs to edit and is kept.
        list.setAttribute(QStringLiteral("isUserLibrary"), 1);
        // A list brought in is a list of its own: the program's list of
        // explicit colours (in every export of all lists) would otherwise
        // take its colours in unseen.
        if (listName == OvrColorLibrary::explicitColorsListName())
            list.setAttribute(QStringLiteral("name"), library->getNewColorListName(listName));
    }

    const QStringList before = library->getListNames();
    QByteArray checked = document.toByteArray(1);
    QBuffer checkedBuffer(&checked);
    checkedBuffer.open(QIODevice::ReadOnly);
    QString loadError;
    library->setEditingMultipleColors(true);
    const bool ok = library->loadColors(&checkedBuffer, 1.0, &loadError);
    library->setEditingMultipleColors(false);
    if (!ok)
        qCWarning(lcColorPicker) << "colour document was checked but did not load:" << loadError;
    if (listNames) {
        listNames->clear();
        for (const QString &name : library->getListNames()) {
            if (!before.contains(name))
                listNames->append(name);
        }
    }
    return ok;
}

bool ColorFileImporter::importFile(const QString &path, QString *errorText, QStringList *listNames)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(errorText, tr("The file \"%1\" cannot be opened: %2").arg(QFileInfo(path).fileName(),
                                                                           file.errorString()));
        return false;
    }
    if (file.size() > MaximumDocumentSize) {
        setError(errorText, tr("The file is larger than %1 MB.").arg(MaximumDocumentSize / (1024 * 1024)));
        return false;
    }
    // Read one byte more than allowed, so a file that grows meanwhile (or a
    // device without a size) is still caught.
    return importDocument(file.read(MaximumDocumentSize + 1), errorText, listNames);
}

} // namespace OvrColorPickerLib
