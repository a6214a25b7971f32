// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the reader of the keypad's XML replies and of saved
// configuration files, fed arbitrary bytes exactly as the program feeds it a
// reply body or a file (QXmlSimpleReader over a QIODevice). Every input gets
// a fresh scene model and configuration record, so a crash reproduces from
// its input alone. The reader runs offline: online it paces its uploads with
// real waits, and what it uploads is the same wire text the tests check.
#include "mspcommlink.h"
#include "msphandler.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "systemconfiguration.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QXmlSimpleReader>

#include <cstdint>

namespace {

// Records nothing and sends nothing, but lets the reader ask for posts.
class SilentLink : public MSPCommLink
{
};

volatile unsigned sink = 0;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    // The reader warns about every bad value; a million warnings per minute
    // would only slow the search down.
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MSPSceneModel model;
    model.prepareOfflineDefaults();
    SystemConfiguration config;
    SilentLink link;

    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), int(size));
    buffer.open(QIODevice::ReadOnly);
    QXmlInputSource source(&buffer);
    {
        MSPHandler handler(false, &model, &config, &link);
        QXmlSimpleReader reader;
        reader.setContentHandler(&handler);
        reader.setErrorHandler(&handler);
        reader.parse(&source);
        sink = sink + unsigned(handler.currentShowIndex());
    }
    // What was read is used: every scene writes itself out again, as the
    // program does when it saves or uploads.
    for (int row = 0; row < MSPSceneModel::sceneCount; ++row) {
        if (MSPScene *scene = model.sceneAt(row))
            sink = sink + unsigned(scene->XMLData().size() + scene->formData().size());
    }
    sink = sink + unsigned(config.configXML(true).size() + config.formBodies(true, true).size());
    return 0;
}
