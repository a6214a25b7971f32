// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

namespace Ui { class SysConfig; }

class QCheckBox;
class QLineEdit;

/**
 * The "System Configuration" tab: edits the keypad's name, address, Dravon
 * settings, fixture profile and enabled buttons, validating while the user
 * types. Save writes the fields into the configuration record and, with a
 * keypad connected, posts the record to it; Undo refills the fields from
 * the record. While the keypad is unreachable only its address can be
 * edited, so that it can be moved into the chosen interface's subnet.
 */
class SystemConfigurationWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(SystemConfigurationWidget)
public:
    explicit SystemConfigurationWidget(QWidget *parent = nullptr);
    ~SystemConfigurationWidget() override;

    /**
     * Address-only mode, on while the keypad is unreachable: every field but
     * the address is disabled and an address outside the chosen interface's
     * subnet is shown red.
     */
    void setAddressOnly(bool addressOnly);
    bool isAddressOnly() const { return m_addressOnly; }

    /** Writes the fields into the configuration record without its change signals. */
    void saveToRecord();

signals:
    /** A Save moved the keypad to another address. */
    void addressChanged();

public slots:
    void on_applyButton_clicked();
    /** In demo mode the widget is enabled with Save and Undo kept disabled. */
    virtual void setEnabled(bool enabled);
    void handleFieldChanged();
    void on_revertButton_clicked();
    void handleSysConfigChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct ButtonBox
    {
        QCheckBox *box;
        int switchNumber;
    };

    QList<ButtonBox> buttonBoxes() const;
    QString enteredAddress() const;
    void fillFromRecord();
    void rebuildFixtureComboBox();
    void takeAddressFocus();
    /** Why the enabled buttons cannot be changed with this firmware, or nothing. */
    static QString buttonsNote(const QString &version);
    /** Shows the field warnings and the buttons note in the warning line. */
    void showWarning();
    static void setTextColor(QLineEdit *edit, const QColor &color);

    std::unique_ptr<Ui::SysConfig> ui;
    bool m_filling = false;
    bool m_addressOnly = false;
    bool m_buttonsSupported = false;
    // The warnings of the last validation; empty after Undo and filling.
    QString m_fieldWarning;
};
