// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder translation unit until the update client lands.
#include "ovraut_export.h"
OVRAUT_EXPORT const char *ovrautLibraryVersion() { return "1.0.0"; }
