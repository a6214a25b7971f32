// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace KeypadTest {

/**
 * True when this process sits in a network namespace whose only interfaces
 * are loopback and the test bed's own virtual links (names starting "kp").
 * In such a namespace no datagram can reach a real network.
 */
bool isNetworkIsolated(QString *why = nullptr);

/**
 * Exits the process with a clear message unless the network is isolated.
 * Tests that open sockets call it before creating any object that sends.
 */
void requireIsolatedNetwork();

/** Prefix of the virtual interfaces that the test bed creates. */
inline constexpr char testBedInterfacePrefix[] = "kp";

} // namespace KeypadTest
