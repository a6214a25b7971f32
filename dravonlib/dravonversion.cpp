// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder translation unit until the protocol classes land.
#include "dravonlib_export.h"
DRAVONLIB_EXPORT const char *dravonLibraryVersion() { return "2.4.0"; }
