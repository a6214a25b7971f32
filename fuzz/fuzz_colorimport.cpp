// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: colour documents the user brings in (a file chosen with
// "load from file", a document on the clipboard), fed arbitrary bytes. A
// document is taken whole or not at all: refused, it changes nothing and
// says why; taken, it adds user lists of readable colours after the lists
// there were, and what the library then holds saves and reads back the same.
#include "colorlibrarycheck.h"

#include "colorfileimporter.h"
#include "ovrcolorlibrary.h"


#include <cstdint>

using namespace FuzzColorLibrary;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    OvrColorLibrary *library = freshLibrary();
    library->createColorList(QStringLiteral("Mine"), true);
    library->createColor(OvrColor::fromRgb8(200, 40, 40), QStringLiteral("red-ish"), QStringLiteral("Mine"));
    library->createColor(OvrColor::fromRgb8(139, 0, 0), QStringLiteral("Deep Red"), QStringLiteral("Stage"));
    const QStringList before = contents(library);
    const QStringList listsBefore = library->getListNames();

    QString error;
    QStringList added;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    if (OvrColorPickerLib::ColorFileImporter::importDocument(bytes, &error, &added)) {
        const QStringList after = contents(library);
        check(after.mid(0, before.size()) == before, "an import leaves the lists there were");
        check(!added.isEmpty() && library->getListNames() == listsBefore + added, "an import adds lists after them");
        for (const QString &list : qAsConst(added)) {
            check(library->isUserList(list), "imported lists are the user's");
            for (const QString &uid : library->getColorUids(list))
                check(library->get(uid).isValid(), "every imported colour is a colour");
        }
    } else {
        check(contents(library) == before, "a refused document changes nothing");
        check(!error.isEmpty(), "a refused document says why");
    }
    checkSavesAndReadsBack(library);
    OvrColorLibrary::cleanup();
    return 0;
}
