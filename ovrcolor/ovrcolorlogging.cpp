// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolorlogging.h"

Q_LOGGING_CATEGORY(lcOvrColor, "ovrcolor")
