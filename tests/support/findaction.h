// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QWidget>

/** The action of @p window whose text is @p text (with its "&"), as a menu shows it; null when none. */
inline QAction *findAction(QWidget *window, const QString &text)
{
    const auto actions = window->findChildren<QAction *>();
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}
