// SPDX-License-Identifier: GPL-3.0-or-later
#include "userprompts.h"

#include <QFileDialog>

UserPrompts::~UserPrompts() = default;

QString UserPrompts::openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                  const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString UserPrompts::saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                  const QString &filter, const QString &defaultSuffix)
{
    // The static getSaveFileName() has no default suffix; "hall" would be
    // written as "hall" and then hidden by the "*.xml" filter when opening.
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QMessageBox::StandardButton UserPrompts::message(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                                                 const QString &text, QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}
