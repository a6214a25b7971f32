// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

/** A frameless splash-style About box; a click anywhere closes it. */
class AboutDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(AboutDialog)
public:
    explicit AboutDialog(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
