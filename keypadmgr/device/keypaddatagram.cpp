// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypaddatagram.h"

#include "mspscenemodel.h"

namespace {

// Dravon header magic, version 1 and the datagram type.
constexpr char scenePrefix[] = "\x04\x01\xDC\x4A\x01\x00\x01\x03";
constexpr char configPrefix[] = "\x04\x01\xDC\x4A\x01\x00\x03\x03";
constexpr int prefixLength = 8;
constexpr int sceneOffset = 13;

} // namespace

KeypadDatagram KeypadDatagram::decode(const QByteArray &datagram)
{
    if (datagram.size() == sceneSelectedLength && datagram.startsWith(QByteArray(scenePrefix, prefixLength))) {
        const int scene = static_cast<signed char>(datagram.at(sceneOffset));
        // Only the keypad's eight scenes exist; anything else would address
        // a resource the keypad does not have.
        if (scene < 1 || scene > MSPSceneModel::sceneCount)
            return KeypadDatagram(Ignored, scene);
        return KeypadDatagram(SceneSelected, scene);
    }
    if (datagram.size() == configurationChangedLength
        && datagram.startsWith(QByteArray(configPrefix, prefixLength)))
        return KeypadDatagram(ConfigurationChanged, 0);
    return KeypadDatagram(Ignored, 0);
}
