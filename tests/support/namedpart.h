// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>
#include <QtGlobal>

/**
 * A named part of a widget, found as any outside tool would find it (by
 * object name); a missing part ends the test at once, naming it. @p parent
 * is anything that points to a QObject (a pointer, a smart pointer).
 */
template<typename T, typename Parent>
T *namedPart(const Parent &parent, const char *name)
{
    T *found = parent->template findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no part %s", name);
    return found;
}
