// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

/**
 * How the main window asks the user for file names and shows its message
 * boxes. The default asks with the toolkit's file dialogs and message
 * boxes; a test gives the window its own prompts and answers them
 * directly, without racing a real dialog.
 */
class UserPrompts
{
public:
    UserPrompts() = default;
    virtual ~UserPrompts();

    /** A file to open; empty when cancelled. */
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter);
    /**
     * A file to write; empty when cancelled. A name typed without a suffix
     * gets @p defaultSuffix, and replacing an existing file is confirmed.
     */
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter, const QString &defaultSuffix);
    /**
     * A modal message box with these buttons; the button chosen. Enter
     * presses @p defaultButton (the toolkit's choice when none is given).
     */
    virtual QMessageBox::StandardButton message(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                                                const QString &text, QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

private:
    Q_DISABLE_COPY(UserPrompts)
};
