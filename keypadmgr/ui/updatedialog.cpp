// SPDX-License-Identifier: GPL-3.0-or-later
#include "updatedialog.h"
#include "ui_updatedialog.h"

#include "updatechecker.h"

#include <QDialogButtonBox>
#include <QSettings>

namespace {

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

// A last check this long ago (or longer) reads as "never".
constexpr qint64 neverCheckedDays = 366;

} // namespace

UpdateDialog::UpdateDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::UpdateDialogForm>())
    , m_updateHost(key(UpdateChecker::defaultUpdateHost))
{
    ui->setupUi(this);
    // Stored before the dialog closes, so whoever reacts to the closing
    // reads the new preferences.
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &UpdateDialog::savePreferences);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    loadPreferences();
    updateLastCheckedOnLabel();
}

UpdateDialog::~UpdateDialog() = default;

void UpdateDialog::setUpdateHost(const QString &host)
{
    m_updateHost = host;
}

QString UpdateDialog::updateHost() const
{
    return m_updateHost;
}

void UpdateDialog::loadPreferences()
{
    const QSettings settings;
    ui->m_autoCheckForUpdatesCheckbox->setChecked(!settings.value(key(UpdateChecker::keyNeverCheck), false).toBool());
    ui->m_checkForUpdateEveryNDaysSpinBox->setValue(
        settings.value(key(UpdateChecker::keyIntervalDays), UpdateChecker::defaultIntervalDays).toInt());
    const bool useProxy = settings.value(key(UpdateChecker::keyUseProxy), false).toBool();
    ui->proxyCheckBox->setChecked(useProxy);
    ui->proxyFrame->setEnabled(useProxy);
    ui->proxyLineEdit->setText(settings.value(key(UpdateChecker::keyProxyHost)).toString());
    ui->proxyPortSpinBox->setValue(settings.value(key(UpdateChecker::keyProxyPort), 0).toInt());
    ui->usernameLineEdit->setText(settings.value(key(UpdateChecker::keyProxyUser)).toString());
    ui->passwordLineEdit->setText(settings.value(key(UpdateChecker::keyProxyPassword)).toString());
}

void UpdateDialog::showUpdater()
{
    loadPreferences();
    show();
    raise();
    activateWindow();
}

void UpdateDialog::updateLastCheckedOnLabel()
{
    const qint64 days = UpdateChecker::daysSinceLastCheck(QSettings());
    QString text;
    // A last check "in the future" (the clock went back) is shown as today
    // rather than as a negative number of days.
    if (days <= 0)
        text = tr("Last checked: today");
    else if (days == 1)
        text = tr("Last checked: 1 day ago");
    else if (days >= neverCheckedDays)
        text = tr("Last checked: never");
    else
        text = tr("Last checked: %1 days ago").arg(days);
    ui->m_lastUpdatedLabel->setText(text);
}

void UpdateDialog::resetUpdateLabel()
{
    ui->m_lastUpdatedLabel->setText(tr("Last checked today"));
}

void UpdateDialog::on_m_checkForUpdatesNowButton_clicked()
{
    if (!m_checker) {
        m_checker = new UpdateChecker(this);
        connect(m_checker, &UpdateChecker::updateLabelShouldReset, this, &UpdateDialog::resetUpdateLabel);
    }
    m_checker->setUpForThisProgram(m_updateHost);
    m_checker->setInteractive(true);

    // The fields as they stand, even before OK stores them.
    const QString proxyHost = ui->proxyLineEdit->text().trimmed();
    if (ui->proxyCheckBox->isChecked() && !proxyHost.isEmpty())
        m_checker->checkForUpdate(true, proxyHost, ui->proxyPortSpinBox->value(), ui->usernameLineEdit->text(),
                                  ui->passwordLineEdit->text());
    else
        m_checker->checkForUpdate(false, QString(), 0, QString(), QString());
}

void UpdateDialog::savePreferences()
{
    QSettings settings;
    settings.setValue(key(UpdateChecker::keyUseProxy), ui->proxyCheckBox->isChecked());
    settings.setValue(key(UpdateChecker::keyProxyHost), ui->proxyLineEdit->text().trimmed());
    settings.setValue(key(UpdateChecker::keyProxyPort), ui->proxyPortSpinBox->value());
    settings.setValue(key(UpdateChecker::keyProxyUser), ui->usernameLineEdit->text());
    settings.setValue(key(UpdateChecker::keyProxyPassword), ui->passwordLineEdit->text());
    settings.setValue(key(UpdateChecker::keyNeverCheck), !ui->m_autoCheckForUpdatesCheckbox->isChecked());
    settings.setValue(key(UpdateChecker::keyIntervalDays), ui->m_checkForUpdateEveryNDaysSpinBox->value());
}
