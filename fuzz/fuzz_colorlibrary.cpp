// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the colour library's document readers fed arbitrary
// bytes as a userColors.xml or preset file. After a read the library must be
// consistent (every uid found again at its own index); what it writes must
// read back to the same lists and colours; and for well-formed documents
// the streaming reader the library uses and the DOM reader must agree.
#include <ovrcolorlibrary.h>
#include <zeplo3projecthelper.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDomDocument>

#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Every list with the names and values of its colours, in order.
QStringList contents(OvrColorLibrary *library)
{
    QStringList result;
    const QStringList lists = library->getListNames();
    for (const QString &list : lists) {
        result.append(QStringLiteral("list:") + list + QLatin1Char(library->isUserList(list) ? 'u' : 'p'));
        const QModelIndex listIndex = library->getIndexOfList(list);
        check(library->isListIndex(listIndex));
        const QStringList uids = library->getColorUids(list);
        check(library->rowCount(listIndex) == uids.size());
        for (const QString &uid : uids) {
            const QModelIndex index = library->getIndexOfUid(uid);
            check(library->uidAt(index) == uid);
            check(index.parent() == listIndex);
            check(library->pathOfUid(uid) == list);
            library->flags(index);
            result.append(index.data(OvrColorLibrary::NameRole).toString() + QLatin1Char('=')
                          + index.data(OvrColorLibrary::ValueRole).toString());
        }
    }
    return result;
}

OvrColorLibrary *freshLibrary()
{
    OvrColorLibrary::cleanup();
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    library->init(false, true, true);
    return library;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);

    OvrColorLibrary *library = freshLibrary();
    const bool wellFormed = library->loadColors(&buffer);
    const QStringList read = contents(library);

    // What would be written reads back the same.
    QByteArray written = library->documentText(library->getListNames());
    QBuffer writtenBuffer(&written);
    writtenBuffer.open(QIODevice::ReadOnly);
    library = freshLibrary();
    check(library->loadColors(&writtenBuffer));
    check(contents(library) == read);

    // The DOM reader sees the same lists and colours (it skips what is
    // nested deeper than its limit, which needs more elements than this).
    if (wellFormed && bytes.count('<') < Zeplo3ProjectHelper::MaximumDepth) {
        buffer.seek(0);
        QDomDocument document;
        check(Zeplo3ProjectHelper::readDocument(&buffer, document));
        library = freshLibrary();
        Zeplo3ProjectHelper helper;
        QObject::connect(&helper, &Zeplo3ProjectHelper::insertList, library, &OvrColorLibrary::createColorList);
        QObject::connect(&helper, &Zeplo3ProjectHelper::insertColor, library, &OvrColorLibrary::handleInsertColor);
        QString error;
        QStringList oldPresets;
        helper.loadDocument(document, error, 0.0, oldPresets);
        check(contents(library) == read);
    }

    OvrColorLibrary::cleanup();
    return 0;
}
