// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef OVRCOLORPICKER_LOGGING_H
#define OVRCOLORPICKER_LOGGING_H

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcColorPicker)

#endif // OVRCOLORPICKER_LOGGING_H
