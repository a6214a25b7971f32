// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolorpickerlogging.h"

Q_LOGGING_CATEGORY(lcColorPicker, "ovrcolor.picker")
