// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the colour library's document readers fed arbitrary
// bytes as a userColors.xml or preset file. After a read the library must be
// consistent (every uid found again at its own index); what it writes must
// read back to the same lists and colours; and for well-formed documents
// the streaming reader the library uses and the DOM reader must agree.
#include "colorlibrarycheck.h"

#include "ovrcolorlibrary.h"
#include "zeplo3projecthelper.h"

#include <QBuffer>
#include <QDomDocument>

#include <cstdint>

using namespace FuzzColorLibrary;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);

    OvrColorLibrary *library = freshLibrary();
    const bool wellFormed = library->loadColors(&buffer);
    const QStringList read = contents(library);

    // What would be written reads back the same.
    checkSavesAndReadsBack(library);

    // The DOM reader sees the same lists and colours (it skips what is
    // nested deeper than its limit, which needs more elements than this).
    if (wellFormed && bytes.count('<') < Zeplo3ProjectHelper::MaximumDepth) {
        buffer.seek(0);
        QDomDocument document;
        check(Zeplo3ProjectHelper::readDocument(&buffer, document), "the DOM reader takes a well-formed document");
        library = freshLibrary();
        Zeplo3ProjectHelper helper;
        QObject::connect(&helper, &Zeplo3ProjectHelper::insertList, library, &OvrColorLibrary::createColorList);
        QObject::connect(&helper, &Zeplo3ProjectHelper::insertColor, library, &OvrColorLibrary::handleInsertColor);
        QString error;
        QStringList oldPresets;
        helper.loadDocument(document, error, 0.0, oldPresets);
        check(contents(library) == read, "the DOM reader reads the same");
    }

    OvrColorLibrary::cleanup();
    return 0;
}
