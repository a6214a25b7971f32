// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrbusycursor.h"

#include <QCursor>
#include <QGuiApplication>

OvrBusyCursor::OvrBusyCursor()
    : m_active(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
{
    if (m_active)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

OvrBusyCursor::~OvrBusyCursor()
{
    if (m_active)
        QGuiApplication::restoreOverrideCursor();
}
