// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: datagrams arriving on the keypad's button port. The
// decoder may only report a scene the keypad has, and only for a datagram
// of the scene-selected layout that carries that number.
#include "keypaddatagram.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const KeypadDatagram decoded = KeypadDatagram::decode(datagram);
    switch (decoded.kind()) {
    case KeypadDatagram::SceneSelected:
        if (decoded.scene() < 1 || decoded.scene() > 8 || size != size_t(KeypadDatagram::sceneSelectedLength)
            || decoded.scene() != static_cast<signed char>(data[13])) {
            std::fprintf(stderr, "scene %d reported for a datagram of %zu bytes\n", decoded.scene(), size);
            std::abort();
        }
        break;
    case KeypadDatagram::ConfigurationChanged:
        if (size != size_t(KeypadDatagram::configurationChangedLength) || decoded.scene() != 0)
            std::abort();
        break;
    case KeypadDatagram::Ignored:
        break;
    }
    return 0;
}
