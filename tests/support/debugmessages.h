// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace DebugMessages {
namespace Detail {
inline const char *&categoryName()
{
    static const char *name = nullptr;
    return name;
}
inline QLoggingCategory::CategoryFilter &previousFilter()
{
    static QLoggingCategory::CategoryFilter filter = nullptr;
    return filter;
}
inline void filter(QLoggingCategory *category)
{
    if (previousFilter())
        previousFilter()(category);
    if (qstrcmp(category->categoryName(), categoryName()) == 0)
        category->setEnabled(QtDebugMsg, true);
}
} // namespace Detail

/**
 * Turns on the debug messages of the logging category @p name, over the
 * rules the test environment set (which turn debug output off): for tests
 * that check a debug line. Call it once, from initTestCase().
 */
inline void enable(const char *name)
{
    Detail::categoryName() = name;
    Detail::previousFilter() = QLoggingCategory::installFilter(Detail::filter);
}
} // namespace DebugMessages
