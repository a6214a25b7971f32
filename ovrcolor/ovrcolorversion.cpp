// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder translation unit until the colour value type lands.
#include "ovrcolor_export.h"
OVRCOLOR_EXPORT const char *ovrColorLibraryVersion() { return "1.0.0"; }
