// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the colour library's document reader fed arbitrary
// bytes as a userColors.xml or preset file. After each read the library must
// be consistent (every uid found again at its own index) and what it would
// write must read back as a well-formed document.
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

    OvrColorLibrary *library = OvrColorLibrary::Instance();
    library->init(true, true, true);
    library->loadColors(&buffer);

    const QStringList lists = library->getListNames();
    for (const QString &list : lists) {
        const QModelIndex listIndex = library->getIndexOfList(list);
        check(library->isListIndex(listIndex));
        const QStringList uids = library->getColorUids(list);
        check(library->rowCount(listIndex) == uids.size());
        for (const QString &uid : uids) {
            const QModelIndex index = library->getIndexOfUid(uid);
            check(library->uidAt(index) == uid);
            check(index.parent() == listIndex);
            check(library->pathOfUid(uid) == list);
            library->data(index, Qt::DisplayRole);
            library->flags(index);
        }
    }

    // What would be saved reads back with the same lists and colours.
    QByteArray written = library->createDocument(lists).toByteArray(1);
    QBuffer again(&written);
    again.open(QIODevice::ReadOnly);
    QDomDocument reread;
    QString error;
    check(Zeplo3ProjectHelper::readDocument(&again, reread, &error));
    int colors = 0;
    for (const QString &list : lists)
        colors += library->getColorUids(list).size();
    check(reread.elementsByTagName(QStringLiteral("Color")).count() == colors);

    OvrColorLibrary::cleanup();
    return 0;
}
