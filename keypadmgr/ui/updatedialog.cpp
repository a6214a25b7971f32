// SPDX-License-Identifier: GPL-3.0-or-later
#include "updatedialog.h"
#include "ui_updatedialog.h"

#include "proxypasswordstore.h"
#include "updatechecker.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QLayout>
#include <QLocale>
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

void UpdateDialog::loadPreferences(bool loadPassword)
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
    // The secret store is asked only when a proxy is in use or the user
    // looks at the settings, not at every start.
    m_passwordLoaded = loadPassword || useProxy
        || settings.contains(key(UpdateChecker::keyProxyPassword));
    ui->passwordLineEdit->setText(m_passwordLoaded ? ProxyPasswordStore::instance()->password() : QString());
    showPasswordStorage();
}

void UpdateDialog::showPasswordStorage()
{
    // Said only when it matters: a password that will not outlive this run.
    const bool thisRunOnly = ProxyPasswordStore::instance()->storage() == ProxyPasswordStore::ThisRunOnly;
    ui->passwordStorageLabel->setText(
        thisRunOnly ? tr("No secret store answers on this desktop: the password is kept only until the program ends.")
                    : QString());
    ui->passwordStorageLabel->setVisible(thisRunOnly);
    // The note wraps over several lines: the dialog grows to show it whole.
    if (thisRunOnly && layout()) {
        layout()->activate();
        resize(size().expandedTo(sizeHint()));
    }
}

void UpdateDialog::showUpdater()
{
    loadPreferences(true);
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
    showLastFailure();
}

void UpdateDialog::resetUpdateLabel()
{
    ui->m_lastUpdatedLabel->setText(tr("Last checked today"));
    showLastFailure();
}

void UpdateDialog::showLastFailure()
{
    // Only a failure after the last successful check still matters.
    const QSettings settings;
    const QDateTime failed = settings.value(key(UpdateChecker::keyLastFailure)).toDateTime();
    const QDateTime succeeded = settings.value(key(UpdateChecker::keyLastCheck)).toDateTime();
    if (!failed.isValid() || (succeeded.isValid() && succeeded >= failed)) {
        ui->m_lastFailureLabel->clear();
        ui->m_lastFailureLabel->hide();
        return;
    }
    ui->m_lastFailureLabel->setText(tr("Last attempt failed (%1): %2")
                                        .arg(QLocale().toString(failed.date(), QLocale::ShortFormat),
                                             settings.value(key(UpdateChecker::keyLastFailureReason)).toString()));
    ui->m_lastFailureLabel->show();
}

void UpdateDialog::on_m_checkForUpdatesNowButton_clicked()
{
    if (!m_checker) {
        m_checker = new UpdateChecker(this);
        connect(m_checker, &UpdateChecker::updateLabelShouldReset, this, &UpdateDialog::resetUpdateLabel);
        m_checker->setFailureHandler([this](const QString &) { updateLastCheckedOnLabel(); });
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
    // Never into the settings file: the desktop's secret store keeps it.
    if (m_passwordLoaded || !ui->passwordLineEdit->text().isEmpty())
        ProxyPasswordStore::instance()->setPassword(ui->passwordLineEdit->text());
    showPasswordStorage();
    settings.setValue(key(UpdateChecker::keyNeverCheck), !ui->m_autoCheckForUpdatesCheckbox->isChecked());
    settings.setValue(key(UpdateChecker::keyIntervalDays), ui->m_checkForUpdateEveryNDaysSpinBox->value());
}
