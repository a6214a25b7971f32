// SPDX-License-Identifier: GPL-3.0-or-later
// The set-up of the fuzz targets that need no more than a QCoreApplication:
// one application for the whole run, and no logging. The readers warn about
// every bad value; at thousands of inputs a second that is a hundred
// megabytes of log within minutes, and it only slows the search down.
#include <QCoreApplication>
#include <QLoggingCategory>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    return 0;
}
