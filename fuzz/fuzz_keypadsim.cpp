// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the keypad simulator's state fed any configuration and
// scene bodies. Whatever it is posted, every reply it writes must be
// well-formed XML: the tests read its replies as the keypad's.
#include "keypadstate.h"

#include <QByteArray>
#include <QXmlStreamReader>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void requireWellFormed(const QByteArray &xml, const char *what)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError()) {
        std::fprintf(stderr, "%s is not well-formed: %s\n%s\n", what, qPrintable(reader.errorString()),
                     xml.constData());
        std::abort();
    }
}

} // namespace

// The first byte picks the scene and whether the body goes to the scene or
// to the configuration (and from the control channel); the rest is the body.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray body(reinterpret_cast<const char *>(data) + 1, int(size - 1));
    KeypadState state;
    const int scene = data[0] & 7;
    if (data[0] & 8)
        state.postScene(scene, body);
    else
        state.postConfig(body, data[0] & 16);
    requireWellFormed(state.configXml(), "configuration reply");
    requireWellFormed(state.allShowsXml(), "all shows reply");
    requireWellFormed(state.showReplyXml(scene), "show reply");
    return 0;
}
