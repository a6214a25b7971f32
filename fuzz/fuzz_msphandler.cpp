// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the reader of the keypad's XML replies and of saved
// configuration files, fed arbitrary bytes exactly as the program feeds it a
// reply body or a file (the handler's own reader over a QIODevice). Every input gets
// a fresh scene model and configuration record, so a crash reproduces from
// its input alone. The reader runs offline: online it paces its uploads with
// real waits, and what it uploads is the same wire text the tests check.
//
// What was read is then saved as the program saves a file, and that file
// must open to the same configuration: saving it again gives the same text.
#include "mspcommlink.h"
#include "msphandler.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "systemconfiguration.h"

#include <QBuffer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Records nothing and sends nothing, but lets the reader ask for posts.
class SilentLink : public MSPCommLink
{
};

volatile unsigned sink = 0;

// Reads @p bytes into a fresh model and record and saves them as a file
// (the layout of the program's Save).
QByteArray readAndSave(const QByteArray &bytes)
{
    // No default effects: a show of an unknown effect type leaves its scene
    // without one, which saves as nothing and would open as the default.
    MSPSceneModel model;
    SystemConfiguration config;
    SilentLink link;

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    int current = -1;
    {
        MSPHandler handler(false, &model, &config, &link);
        handler.read(&buffer);
        current = handler.currentShowIndex();
    }
    if (current >= 0)
        model.setActiveSceneIndex(current, false);

    QString document = QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<v1>\n<all_shows>\n");
    document += QLatin1String("<currentShow>") + QString::number(model.activeSceneIndex() + 1)
            + QLatin1String("</currentShow>\n");
    for (int row = 0; row < MSPSceneModel::sceneCount; ++row) {
        MSPScene *scene = model.sceneAt(row);
        document += scene->XMLData() + QLatin1Char('\n');
        sink = sink + unsigned(scene->formData().size());
    }
    document += QLatin1String("</all_shows>") + config.configXML(false) + QLatin1String("\n</v1>");
    sink = sink + unsigned(config.formBodies(true, true).size());
    return document.toLatin1();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray saved = readAndSave(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    const QByteArray again = readAndSave(saved);
    if (again != saved) {
        int at = 0;
        while (at < saved.size() && at < again.size() && saved.at(at) == again.at(at))
            ++at;
        std::fprintf(stderr, "a saved configuration does not open to itself; first difference at %d:\n"
                             "saved: ...%s\nagain: ...%s\n",
                     at, saved.mid(qMax(0, at - 200), 300).constData(), again.mid(qMax(0, at - 200), 300).constData());
        std::abort();
    }
    return 0;
}
