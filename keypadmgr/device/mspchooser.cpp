// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspchooser.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

MSPChooser::MSPChooser(const QStringList &lines, QWidget *parent)
    : QDialog(parent)
    , m_devicesComboBox(new QComboBox(this))
{
    const QString title = QCoreApplication::translate("chooser", "Choose a Lumetra Keypad");
    setWindowTitle(title);
    resize(400, 121);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(title, this));
    m_devicesComboBox->setObjectName(QStringLiteral("devicesComboBox"));
    m_devicesComboBox->addItems(lines);
    if (!lines.isEmpty())
        m_devicesComboBox->setCurrentIndex(0);
    layout->addWidget(m_devicesComboBox);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int MSPChooser::selectedIndex() const
{
    if (m_devicesComboBox->count() == 0)
        return -1;
    return m_devicesComboBox->currentIndex();
}
