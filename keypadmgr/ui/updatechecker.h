// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QSettings;
class UpdateDialog;

namespace OvrCommonUtils {
class AutoUpdateTool;
}

/**
 * Runs one update check at a time through the update client and turns its
 * answer into a message box over the active window.
 *
 * A non-interactive checker (the silent start-up check) only speaks up when
 * a newer version exists; an interactive one (the dialog's "Check Now")
 * also reports "up to date" and failures.
 *
 * The main window uses these calls (the dialog is built when first opened,
 * and then follows the check already running):
 * @code
 * m_updateChecker = UpdateChecker::startSilentCheck(m_updateDialog, this);
 * ...
 * m_updateDialog = new UpdateDialog(this);
 * if (m_updateChecker)
 *     m_updateChecker->followInDialog(m_updateDialog);
 * m_updateDialog->showUpdater();
 * @endcode
 */
class UpdateChecker : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(UpdateChecker)

public:
    /** The vendor's update server. */
    static constexpr char defaultUpdateHost[] = "updates.halvane-lighting.com";
    /** Path of the version file on the update server. */
    static constexpr char updateFilePath[] = "/software/OvrAppVersions.xml";
    /** This program's name in the version file. */
    static constexpr char programName[] = "Lumetra Keypad Effect Manager";
    /** Check interval when none is stored. */
    static constexpr int defaultIntervalDays = 14;

    /** Settings keys, shared with the update dialog. */
    static constexpr char keyLastCheck[] = "update_last_check";
    static constexpr char keyNeverCheck[] = "update_never_check";
    static constexpr char keyIntervalDays[] = "update_check_interval_days";
    static constexpr char keyUseProxy[] = "use_proxy";
    static constexpr char keyProxyHost[] = "proxy_host";
    static constexpr char keyProxyPort[] = "proxy_port";
    static constexpr char keyProxyUser[] = "proxy_user";
    /** Where older versions kept the proxy password as typed; ProxyPasswordStore moves it out. */
    static constexpr char keyProxyPassword[] = "proxy_password";
    /** The last failed attempt: when, and why in the user's words. */
    static constexpr char keyLastFailure[] = "update_last_failure";
    static constexpr char keyLastFailureReason[] = "update_last_failure_reason";

    explicit UpdateChecker(QObject *parent = nullptr);
    ~UpdateChecker() override;

    /**
     * The main window's start-up check: creates a non-interactive checker
     * for this program, lets @p dialog show the date of the last check and
     * follow successful downloads, and checks if the interval has passed.
     * An empty @p host means defaultUpdateHost.
     */
    static UpdateChecker *startSilentCheck(UpdateDialog *dialog, QObject *parent, const QString &host = QString());
    /**
     * Lets @p dialog show the date of the last check and follow successful
     * downloads and failures of this checker (startSilentCheck() does this
     * for the dialog it is given).
     */
    void followInDialog(UpdateDialog *dialog);

    void setHostAndFile(const QString &host, const QString &updateFile);
    void setApplication(const QString &appName, uint releaseType, uint major, uint minor, uint rev, uint build);
    /** Host, version file, name and version of this program. */
    void setUpForThisProgram(const QString &host = QString());
    void setInteractive(bool interactive);
    bool isInteractive() const;

    /**
     * Checks when automatic checking is on and the interval has passed since
     * the last successful download (or the clock went back), using the
     * stored proxy settings.
     */
    void checkForUpdateIfNecessary();

    /** Starts a check now; the proxy is used when @p useProxy and a host is given. */
    void checkForUpdate(bool useProxy, const QString &proxyHost, int proxyPort, const QString &proxyUser,
                        const QString &proxyPassword);

    /** True from checkForUpdate() until the check's answer has been handled. */
    bool isCheckPending() const;

    /**
     * Whole days from the stored last check to now; a missing or unreadable
     * value counts as the epoch. Negative when the clock went back.
     */
    static qint64 daysSinceLastCheck(const QSettings &settings);

    /** Why the last check of this checker failed, in the user's words; empty after a success. */
    QString lastFailureReason() const { return m_failureReason; }
    /**
     * Called with the reason each time a check fails, after the reason and
     * the time of the attempt have been stored (the dialog's label follows).
     */
    void setFailureHandler(std::function<void(const QString &reason)> handler);

signals:
    /** A download succeeded: the "last checked" label must say today. */
    void updateLabelShouldReset();

public slots:
    void handleXMLFileDownloadSuccess();
    void handleUnableToRetrieveFile();
    void handleUpdateAvailable(const QString &appName, const QString &version, const QString &url);
    void handleNoUpdateAvailable(const QString &app, const QString &versionStr);

private:
    void connectAnswers();
    void disconnectAnswers();
    /** Records and, when interactive, shows why the check failed. */
    void reportFailure();
    QString failureReason() const;

    OvrCommonUtils::AutoUpdateTool *m_tool = nullptr;
    QString m_host;
    QString m_updateFile;
    QString m_failureReason;
    std::function<void(const QString &)> m_failureHandler;
    QString m_appName;
    uint m_releaseType = 0;
    uint m_major = 0;
    uint m_minor = 0;
    uint m_rev = 0;
    uint m_build = 0;
    bool m_interactive = true;
    bool m_pending = false;
};
