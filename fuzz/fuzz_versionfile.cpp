// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the update server's version file, read by the update
// client as a download is, then asked about the program's own application
// at every release type. The answer's texts are touched in full.
#include "autoupdatetool.h"

#include <QBuffer>

#include <cstdint>

using OvrCommonUtils::AutoUpdateTool;

namespace {

volatile unsigned sink = 0;

void touch(const QString &text)
{
    for (QChar c : text)
        sink = sink + c.unicode();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    AutoUpdateTool tool;
    QObject::connect(&tool, &AutoUpdateTool::updateAvailable,
                     [](const QString &app, const QString &version, const QString &url) {
                         touch(app);
                         touch(version);
                         touch(url);
                     });
    QObject::connect(&tool, &AutoUpdateTool::noUpdateAvailable, [](const QString &app, const QString &version) {
        touch(app);
        touch(version);
    });

    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), int(size));
    buffer.open(QIODevice::ReadOnly);
    if (!tool.readVersionFile(&buffer))
        return 0;
    for (uint type = AutoUpdateTool::Alpha; type <= AutoUpdateTool::Gold; ++type)
        tool.checkForUpdate(QStringLiteral("Lumetra Keypad Effect Manager"), type, 1, 0, 0, 0);
    return 0;
}
