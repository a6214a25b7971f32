// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

/**
 * What a datagram on the keypad's button port (6041) says. The keypad sends
 * two kinds, both behind the 12-byte Dravon header (magic, version 1, type):
 * "scene selected" (16 bytes, the scene number 1..8 as a signed byte at
 * offset 13) when a scene button is pressed, and "configuration changed"
 * (17 bytes) when its settings were changed on the keypad itself. Anything
 * else, including a scene number outside 1..8, is ignored.
 *
 * Heartbeat datagrams (port 6038) are not decoded: any datagram from the
 * keypad's address counts as one.
 */
class KeypadDatagram
{
public:
    enum Kind { Ignored, SceneSelected, ConfigurationChanged };

    static constexpr int sceneSelectedLength = 16;
    static constexpr int configurationChangedLength = 17;

    /** Reads @p datagram; never reads outside it. */
    static KeypadDatagram decode(const QByteArray &datagram);

    Kind kind() const { return m_kind; }
    /** SceneSelected: the scene, 1..8. Ignored: the number a scene datagram carried, else 0. */
    int scene() const { return m_scene; }

private:
    KeypadDatagram(Kind kind, int scene)
        : m_kind(kind)
        , m_scene(scene)
    {
    }

    Kind m_kind;
    int m_scene;
};
