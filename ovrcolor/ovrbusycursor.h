// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor_export.h"

#include <QtGlobal>

/**
 * Shows the busy cursor while it lives, on every way out of a scope.
 * Without a GUI application (the command line, tests of the library) it
 * does nothing.
 */
class OVRCOLOR_EXPORT OvrBusyCursor
{
    Q_DISABLE_COPY(OvrBusyCursor)
public:
    OvrBusyCursor();
    ~OvrBusyCursor();

private:
    const bool m_active;
};
