// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every test that opens sockets: the check runs before main(),
// so not even a static object of the test can send a datagram first.
#include "isolatednetwork.h"

namespace {
const bool networkChecked = (KeypadTest::requireIsolatedNetwork(), true);
}
