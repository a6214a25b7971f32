// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetlogging.h"

Q_LOGGING_CATEGORY(lcFleet, "keypad.fleet")
