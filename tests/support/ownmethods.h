// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayList>
#include <QMetaMethod>
#include <QMetaObject>

/**
 * The signatures of the signals, slots and invokable methods a class
 * declares itself (not those of its bases), in the order they are declared:
 * for tests that the interface others connect to stays as it is.
 */
inline QByteArrayList ownMethodSignatures(const QMetaObject &meta)
{
    QByteArrayList signatures;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        signatures << meta.method(i).methodSignature();
    return signatures;
}
