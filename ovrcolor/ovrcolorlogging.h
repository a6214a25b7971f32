// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef OVRCOLOR_OVRCOLORLOGGING_H
#define OVRCOLOR_OVRCOLORLOGGING_H

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcOvrColor)

#endif // OVRCOLOR_OVRCOLORLOGGING_H
