// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

class UpdateChecker;

namespace Ui {
class UpdateDialogForm;
}

/**
 * "Check For Updates": the user's update preferences (automatic checking,
 * interval, HTTP proxy) and the "Check Now" button. OK stores the
 * preferences; "Check Now" uses the fields as they are, saved or not.
 */
class UpdateDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(UpdateDialog)

public:
    explicit UpdateDialog(QWidget *parent = nullptr);
    ~UpdateDialog() override;

    /**
     * Fills the fields from the stored preferences. The proxy password comes
     * from the desktop's secret store, asked only when @p loadPassword, when
     * a proxy is in use, or when an old plain password is to be moved there.
     */
    void loadPreferences(bool loadPassword = false);
    /** Help > "Update...": loads the preferences and shows the dialog, not modally. */
    void showUpdater();

    /** Server that "Check Now" asks; UpdateChecker::defaultUpdateHost unless set. */
    void setUpdateHost(const QString &host);
    QString updateHost() const;

public slots:
    /** Shows how long ago the last successful check was. */
    void updateLastCheckedOnLabel();
    /** A check has just succeeded. */
    void resetUpdateLabel();

private slots:
    void on_m_checkForUpdatesNowButton_clicked();

public slots:
    void savePreferences();

private:
    /** The last failed attempt and its reason, while no check has succeeded since. */
    void showLastFailure();
    /** Says when the proxy password is kept only for this run. */
    void showPasswordStorage();

    std::unique_ptr<Ui::UpdateDialogForm> ui;
    UpdateChecker *m_checker = nullptr;
    QString m_updateHost;
    // Whether the password field holds the stored password (read from the secret store).
    bool m_passwordLoaded = false;
};
