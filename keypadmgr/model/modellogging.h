// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics of the scene model, the configuration record and the XML reader.
Q_DECLARE_LOGGING_CATEGORY(lcKeypadModel)
