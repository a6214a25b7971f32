// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Library-internal: the "dravon" logging category shared by its classes.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDravon)
