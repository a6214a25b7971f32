// SPDX-License-Identifier: GPL-3.0-or-later
// What the colour fuzz targets check of the colour library after each
// input: that it is consistent, and that what it holds is what it saves.
#pragma once

#include "ovrcolorlibrary.h"

#include <QBuffer>
#include <QLoggingCategory>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace FuzzColorLibrary {

/** Stops the run with @p what on the error stream when @p condition fails. */
inline void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

/**
 * The library warns and traces on every odd entry and every write; at
 * thousands of inputs a second that is a hundred megabytes of log within
 * minutes, and only slows the search down.
 */
inline void silenceLogging()
{
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
}

/** Every list with its user flag and the names and values of its colours, in order. */
inline QStringList contents(OvrColorLibrary *library)
{
    QStringList result;
    const QStringList lists = library->getListNames();
    for (const QString &list : lists) {
        result.append(QStringLiteral("list:") + list + QLatin1Char(library->isUserList(list) ? 'u' : 'p'));
        const QModelIndex listIndex = library->getIndexOfList(list);
        check(library->isListIndex(listIndex), "a list is found at its own index");
        const QStringList uids = library->getColorUids(list);
        check(library->rowCount(listIndex) == uids.size(), "a list has a row per colour");
        for (const QString &uid : uids) {
            const QModelIndex index = library->getIndexOfUid(uid);
            check(library->uidAt(index) == uid, "a colour is found by its uid");
            check(index.parent() == listIndex, "a colour lies in its list");
            check(library->pathOfUid(uid) == list, "a colour's path is its list");
            library->flags(index);
            result.append(index.data(OvrColorLibrary::NameRole).toString() + QLatin1Char('=')
                          + index.data(OvrColorLibrary::ValueRole).toString());
        }
    }
    return result;
}

/** A new, empty library as the program sets it up (nothing is saved to disk). */
inline OvrColorLibrary *freshLibrary()
{
    OvrColorLibrary::cleanup();
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    library->init(false, true, true);
    return library;
}

/**
 * Writes every list as the user file would be written, reads that into a
 * fresh library and checks that it holds the same; returns the fresh one.
 */
inline OvrColorLibrary *checkSavesAndReadsBack(OvrColorLibrary *library)
{
    const QStringList held = contents(library);
    QByteArray written = library->documentText(library->getListNames());
    QBuffer buffer(&written);
    buffer.open(QIODevice::ReadOnly);
    library = freshLibrary();
    check(library->loadColors(&buffer), "what the library writes is well-formed");
    check(contents(library) == held, "what the library writes reads back the same");
    return library;
}

} // namespace FuzzColorLibrary
