// SPDX-License-Identifier: GPL-3.0-or-later
#include "updatechecker.h"

#include "appversion.h"
#include "autoupdatetool.h"
#include "proxypasswordstore.h"
#include "updatedialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QUrl>

Q_LOGGING_CATEGORY(lcUpdate, "keypad.update")

using OvrCommonUtils::AutoUpdateTool;

namespace {

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

// The download page comes from a file fetched over plain HTTP, so anyone on
// the way could put another address there: only web pages are opened.
bool isWebPage(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !url.host().isEmpty();
}

// Not modal to the event loop: the answer arrives inside a network slot,
// and a nested loop there could run into the next check.
QMessageBox *showMessageBox(QMessageBox::Icon icon, const QString &title, const QString &text,
                            QMessageBox::StandardButtons buttons)
{
    auto *box = new QMessageBox(icon, title, text, buttons, QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

} // namespace

UpdateChecker::UpdateChecker(QObject *parent)
    : QObject(parent)
    , m_tool(new AutoUpdateTool(this))
{
}

UpdateChecker::~UpdateChecker() = default;

UpdateChecker *UpdateChecker::startSilentCheck(UpdateDialog *dialog, QObject *parent, const QString &host)
{
    auto *checker = new UpdateChecker(parent);
    if (dialog)
        checker->followInDialog(dialog);
    checker->setUpForThisProgram(host);
    checker->setInteractive(false);
    checker->checkForUpdateIfNecessary();
    return checker;
}

void UpdateChecker::followInDialog(UpdateDialog *dialog)
{
    connect(this, &UpdateChecker::updateLabelShouldReset, dialog, &UpdateDialog::resetUpdateLabel);
    setFailureHandler([dialog = QPointer<UpdateDialog>(dialog)](const QString &) {
        if (dialog)
            dialog->updateLastCheckedOnLabel();
    });
    dialog->updateLastCheckedOnLabel();
}

void UpdateChecker::setHostAndFile(const QString &host, const QString &updateFile)
{
    m_host = host;
    m_updateFile = updateFile;
}

void UpdateChecker::setApplication(const QString &appName, uint releaseType, uint major, uint minor, uint rev, uint build)
{
    m_appName = appName;
    m_releaseType = releaseType;
    m_major = major;
    m_minor = minor;
    m_rev = rev;
    m_build = build;
}

void UpdateChecker::setUpForThisProgram(const QString &host)
{
    setHostAndFile(host.isEmpty() ? key(defaultUpdateHost) : host, key(updateFilePath));
    // The running version as the version file counts it: its build is the build date.
    setApplication(key(programName), AppVersion::releaseType, AppVersion::major, AppVersion::minor,
                   AppVersion::revision, AppVersion::buildDate);
}

void UpdateChecker::setFailureHandler(std::function<void(const QString &)> handler)
{
    m_failureHandler = std::move(handler);
}

void UpdateChecker::setInteractive(bool interactive)
{
    m_interactive = interactive;
}

bool UpdateChecker::isInteractive() const
{
    return m_interactive;
}

qint64 UpdateChecker::daysSinceLastCheck(const QSettings &settings)
{
    QDateTime lastCheck = settings.value(key(keyLastCheck)).toDateTime();
    // An unreadable value must not pass for "today", or no check would run
    // again; treat it like a missing one.
    if (!lastCheck.isValid())
        lastCheck = QDateTime(QDate(1970, 1, 1), QTime(0, 0));
    return lastCheck.daysTo(QDateTime::currentDateTime());
}

void UpdateChecker::checkForUpdateIfNecessary()
{
    const QSettings settings;
    if (settings.value(key(keyNeverCheck), false).toBool())
        return;
    const qint64 days = daysSinceLastCheck(settings);
    const int interval = settings.value(key(keyIntervalDays), defaultIntervalDays).toInt();
    qCDebug(lcUpdate) << "Last checked for updates" << days << "days ago. Update interval is" << interval << "days.";
    if (days < interval && days >= 0)
        return;

    if (!settings.value(key(keyUseProxy), false).toBool()) {
        checkForUpdate(false, QString(), 0, QString(), QString());
        return;
    }
    const QString proxyHost = settings.value(key(keyProxyHost)).toString();
    const int proxyPort = settings.value(key(keyProxyPort), 0).toInt();
    const QString proxyUser = settings.value(key(keyProxyUser)).toString();
    // This runs while the program starts: the check waits for the secret
    // store, the window does not.
    ProxyPasswordStore::instance()->fetchPassword(this, [=](const QString &proxyPassword) {
        checkForUpdate(true, proxyHost, proxyPort, proxyUser, proxyPassword);
    });
}

void UpdateChecker::checkForUpdate(bool useProxy, const QString &proxyHost, int proxyPort, const QString &proxyUser,
                                   const QString &proxyPassword)
{
    connectAnswers();
    m_tool->setHost(m_host);
    m_tool->setUpdateFile(m_updateFile);
    if (!useProxy || proxyHost.isEmpty())
        m_tool->clearProxy();
    else
        m_tool->setProxy(proxyHost, proxyPort, proxyUser, proxyPassword);
    // While an earlier request of this checker is still open the tool
    // refuses; that request's answer then serves this check too.
    m_tool->getVersionInfo();
}

bool UpdateChecker::isCheckPending() const
{
    return m_pending;
}

void UpdateChecker::connectAnswers()
{
    connect(m_tool, &AutoUpdateTool::fileDownloadSuccess, this, &UpdateChecker::handleXMLFileDownloadSuccess,
            Qt::UniqueConnection);
    connect(m_tool, &AutoUpdateTool::unableToRetrieveFile, this, &UpdateChecker::handleUnableToRetrieveFile,
            Qt::UniqueConnection);
    connect(m_tool, &AutoUpdateTool::updateAvailable, this, &UpdateChecker::handleUpdateAvailable, Qt::UniqueConnection);
    connect(m_tool, &AutoUpdateTool::noUpdateAvailable, this, &UpdateChecker::handleNoUpdateAvailable,
            Qt::UniqueConnection);
    m_pending = true;
}

void UpdateChecker::disconnectAnswers()
{
    disconnect(m_tool, &AutoUpdateTool::fileDownloadSuccess, this, &UpdateChecker::handleXMLFileDownloadSuccess);
    disconnect(m_tool, &AutoUpdateTool::unableToRetrieveFile, this, &UpdateChecker::handleUnableToRetrieveFile);
    disconnect(m_tool, &AutoUpdateTool::updateAvailable, this, &UpdateChecker::handleUpdateAvailable);
    disconnect(m_tool, &AutoUpdateTool::noUpdateAvailable, this, &UpdateChecker::handleNoUpdateAvailable);
    m_pending = false;
}

void UpdateChecker::handleXMLFileDownloadSuccess()
{
    // Only the download answers go here: the comparison below answers
    // through updateAvailable/noUpdateAvailable, which must still arrive.
    disconnect(m_tool, &AutoUpdateTool::fileDownloadSuccess, this, &UpdateChecker::handleXMLFileDownloadSuccess);
    disconnect(m_tool, &AutoUpdateTool::unableToRetrieveFile, this, &UpdateChecker::handleUnableToRetrieveFile);
    if (m_appName.isEmpty()) {
        qCWarning(lcUpdate) << "Bug: No appname set";
        disconnectAnswers();
        return;
    }
    // Something answered, but not with the version list (a captive portal,
    // a proxy's error page): a failed check, not a successful one.
    if (m_tool->lastFailure() == AutoUpdateTool::MalformedFile) {
        disconnectAnswers();
        reportFailure();
        return;
    }
    m_failureReason.clear();
    QSettings().setValue(key(keyLastCheck), QDateTime::currentDateTime());
    m_tool->checkForUpdate(m_appName, m_releaseType, m_major, m_minor, m_rev, m_build);
    // The file may hold nothing for this program; then no answer came and
    // none will.
    disconnectAnswers();
    emit updateLabelShouldReset();
}

void UpdateChecker::handleUnableToRetrieveFile()
{
    disconnectAnswers();
    qCDebug(lcUpdate) << "Update: Unable to retrieve XML file" << m_tool->lastFailure() << m_tool->lastErrorString();
    reportFailure();
}

QString UpdateChecker::failureReason() const
{
    const QString proxyHint = tr("Check the proxy settings under Help > Update....");
    switch (m_tool->lastFailure()) {
    case AutoUpdateTool::HostNotFound:
        return tr("The update server %1 was not found. Is this computer connected to the internet?").arg(m_host);
    case AutoUpdateTool::TimedOut:
        return tr("The update server did not answer within %1 seconds.").arg(AutoUpdateTool::busyTimeoutMs / 1000);
    case AutoUpdateTool::ProxyFailed:
        return tr("The proxy refused the connection or could not be reached.") + QLatin1Char(' ') + proxyHint;
    case AutoUpdateTool::ProxyAuthentication:
        return tr("The proxy asks for a user name and password, or did not accept them.") + QLatin1Char(' ')
            + proxyHint;
    case AutoUpdateTool::ServerError:
        return tr("The update server answered with an error (HTTP status %1).").arg(m_tool->lastHttpStatus());
    case AutoUpdateTool::MalformedFile:
        return tr("The update server sent something that is not a list of versions.");
    case AutoUpdateTool::ConnectionFailed:
    case AutoUpdateTool::NoFailure:
        break;
    }
    return tr("The update server could not be reached: %1").arg(m_tool->lastErrorString());
}

void UpdateChecker::reportFailure()
{
    m_failureReason = failureReason();
    // The settings keep the day of the last failure. The same failure again
    // on that day, with no success since, is not written again: a computer
    // kept offline would otherwise rewrite them at every start.
    QSettings settings;
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime stored = settings.value(key(keyLastFailure)).toDateTime();
    const QDateTime succeeded = settings.value(key(keyLastCheck)).toDateTime();
    const bool known = stored.isValid() && stored.date() == now.date()
        && (!succeeded.isValid() || succeeded < stored)
        && settings.value(key(keyLastFailureReason)).toString() == m_failureReason;
    if (!known) {
        settings.setValue(key(keyLastFailure), now);
        settings.setValue(key(keyLastFailureReason), m_failureReason);
    }
    if (m_failureHandler)
        m_failureHandler(m_failureReason);
    if (!m_interactive)
        return;
    QMessageBox *box = showMessageBox(QMessageBox::Warning, tr("Update Error"), tr("Unable to retrieve update file."),
                                      QMessageBox::Ok);
    box->setInformativeText(m_failureReason);
}

void UpdateChecker::handleUpdateAvailable(const QString &appName, const QString &version, const QString &url)
{
    Q_UNUSED(appName)
    disconnectAnswers();
    qCDebug(lcUpdate) << "Update: Update available.";
    QMessageBox *box = showMessageBox(
        QMessageBox::Question, tr("Update Available"),
        tr("A newer version (%1) of this application is available.\n\nWould you like to go to the download page?")
            .arg(version),
        QMessageBox::Yes | QMessageBox::No);
    connect(box, &QMessageBox::finished, box, [box, url] {
        if (box->standardButton(box->clickedButton()) != QMessageBox::Yes || url.isEmpty())
            return;
        const QUrl page(url.trimmed());
        if (!isWebPage(page)) {
            qCWarning(lcUpdate) << "Update: not opening download URL, not a web page:" << url;
            return;
        }
        if (!QDesktopServices::openUrl(page))
            qCWarning(lcUpdate) << "Update: could not open download page" << page;
    });
}

void UpdateChecker::handleNoUpdateAvailable(const QString &app, const QString &versionStr)
{
    Q_UNUSED(app)
    disconnectAnswers();
    qCDebug(lcUpdate) << "Update: No update available. Have latest version.";
    if (m_interactive)
        showMessageBox(QMessageBox::Information, tr("No Update Available"),
                       tr("You have the latest version: v%1").arg(versionStr), QMessageBox::Ok);
}
