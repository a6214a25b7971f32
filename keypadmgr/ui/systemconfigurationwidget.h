// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

/**
 * The "System Configuration" tab. This first version carries what the main
 * window drives: enabling, the address-only mode used while the keypad is
 * unreachable, and the save run before a configuration file is written in
 * demo mode. The field editors plug in here.
 */
class SystemConfigurationWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(SystemConfigurationWidget)
public:
    explicit SystemConfigurationWidget(QWidget *parent = nullptr);

    void setAddressOnly(bool addressOnly) { m_addressOnly = addressOnly; }
    bool isAddressOnly() const { return m_addressOnly; }

    /** Writes the fields into the configuration record (nothing to write yet). */
    void saveToRecord() {}

signals:
    void addressChanged();

private:
    bool m_addressOnly = false;
};
