// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

namespace Ui { class SysConfig; }

class IP4Validator;
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
    /** Whether a field differs from the configuration record (a change not saved yet). */
    bool hasUnsavedChanges() const;
    /** Whether Save would take the fields as they are. */
    bool canSave() const;

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
    /**
     * Shows the notice of a refused keystroke above the fields' warnings,
     * and below them why the buttons cannot be changed.
     */
    void showWarning();
    static void setTextColor(QLineEdit *edit, const QColor &color);
    /** Says that the last Save did not reach the keypad, and keeps its changes unsaved. */
    void setNotOnKeypad(bool notOnKeypad);

    std::unique_ptr<Ui::SysConfig> ui;
    IP4Validator *m_addressValidator = nullptr;
    // What the fields' validation found wrong (rich text).
    QString m_fieldWarning;
    // What the last refused keystroke or paste was (plain text), and in which field.
    QString m_inputNotice;
    QLineEdit *m_inputNoticeField = nullptr;
    bool m_filling = false;
    bool m_addressOnly = false;
    bool m_buttonsSupported = false;
    bool m_notOnKeypad = false; ///< the last Save was not received by the keypad
};
