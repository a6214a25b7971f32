// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;

/** Lets the user pick one keypad when several answered a discovery run. */
class MSPChooser : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPChooser)
public:
    explicit MSPChooser(const QStringList &lines, QWidget *parent = nullptr);

    /** The chosen line, or -1 when there is nothing to choose. */
    int selectedIndex() const;

private:
    QComboBox *m_devicesComboBox;
};
