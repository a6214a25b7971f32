// SPDX-License-Identifier: GPL-3.0-or-later
#include "autoupdatetool.h"

#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringList>
#include <QUrl>
#include <QXmlStreamReader>

Q_LOGGING_CATEGORY(lcAut, "ovraut")

namespace OvrCommonUtils {

namespace {

constexpr uint toolVersionMajor = 1;
constexpr uint toolVersionMinor = 0;
constexpr uint toolVersionPatch = 0;

// Release-type texts of the version file, indexed by ReleaseType.
constexpr const char *releaseTypeNames[] = {"Alpha", "Beta", "RC", "Gold"};
constexpr uint releaseTypeCount = sizeof(releaseTypeNames) / sizeof(releaseTypeNames[0]);

const QString windowsOS = QStringLiteral("Windows");

// Reads the text of the current element as an unsigned 32-bit number.
bool readNumber(QXmlStreamReader &xml, quint32 *value)
{
    const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
    bool ok = false;
    const uint number = text.toUInt(&ok, 10);
    if (ok)
        *value = number;
    return ok;
}

bool isNewer(quint32 aMajor, quint32 aMinor, quint32 aRev, quint32 aBuild,
             quint32 bMajor, quint32 bMinor, quint32 bRev, quint32 bBuild)
{
    if (aMajor != bMajor)
        return aMajor > bMajor;
    if (aMinor != bMinor)
        return aMinor > bMinor;
    if (aRev != bRev)
        return aRev > bRev;
    return aBuild > bBuild;
}

QString versionText(uint major, uint minor, uint rev, uint build, uint releaseType)
{
    return AutoUpdateTool::tr("%1.%2.%3 build %4%5")
        .arg(QString::number(major), QString::number(minor), QString::number(rev),
             QString::number(build), AutoUpdateTool::releaseTypeToString(releaseType));
}

AutoUpdateTool::Failure failureOf(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::NoError:
        return AutoUpdateTool::NoFailure;
    case QNetworkReply::HostNotFoundError:
        return AutoUpdateTool::HostNotFound;
    case QNetworkReply::TimeoutError:
        return AutoUpdateTool::TimedOut;
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return AutoUpdateTool::ProxyFailed;
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return AutoUpdateTool::ProxyAuthentication;
    default:
        return AutoUpdateTool::ConnectionFailed;
    }
}

} // namespace

AutoUpdateTool::AutoUpdateTool(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
    connect(m_manager, &QNetworkAccessManager::finished, this, &AutoUpdateTool::replyFinished);
    // One timer, restarted per request and stopped by the reply, so the
    // timer of an answered request can never abort a later one.
    m_busyTimer.setSingleShot(true);
    m_busyTimer.setTimerType(Qt::PreciseTimer);
    m_busyTimer.setInterval(busyTimeoutMs);
    connect(&m_busyTimer, &QTimer::timeout, this, &AutoUpdateTool::checkBusy);
}

AutoUpdateTool::~AutoUpdateTool()
{
    // Replies aborted while the manager goes away must not call back into
    // a half-destroyed object.
    m_manager->disconnect(this);
}

QString AutoUpdateTool::Host() const
{
    return m_host;
}

void AutoUpdateTool::setHost(const QString &host)
{
    m_host = host;
}

QString AutoUpdateTool::UpdateFile() const
{
    return m_updateFile;
}

void AutoUpdateTool::setUpdateFile(QString updateFile)
{
    m_updateFile = std::move(updateFile);
}

void AutoUpdateTool::setProxy(const QString &host)
{
    m_manager->setProxy(QNetworkProxy(QNetworkProxy::HttpCachingProxy, host));
}

void AutoUpdateTool::setProxy(const QString &host, int port, const QString &user, const QString &password)
{
    if (port < 0 || port > 65535) {
        qCWarning(lcAut) << "AUT: proxy port" << port << "out of range, leaving it unset";
        port = 0;
    }
    m_manager->setProxy(QNetworkProxy(QNetworkProxy::HttpCachingProxy, host, quint16(port), user, password));
}

void AutoUpdateTool::clearProxy()
{
    m_manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

void AutoUpdateTool::getVersionInfo()
{
    if (m_busy) {
        qCDebug(lcAut) << "AUT: getVersionInfo - already busy, returning";
        return;
    }
    m_busy = true;
    m_failure = NoFailure;
    m_httpStatus = 0;
    m_errorString.clear();
    const QString url = QStringLiteral("http://%1%2").arg(m_host, m_updateFile);
    qCDebug(lcAut) << "AUT: requesting " << url;
    m_reply = m_manager->get(QNetworkRequest(QUrl(url)));
    m_busyTimer.start();
}

bool AutoUpdateTool::isBusy() const
{
    return m_busy;
}

void AutoUpdateTool::checkBusy()
{
    if (!m_busy)
        return;
    qCWarning(lcAut) << "AUT: Busy Timer fired - emitting unable to retrieve file signal.";
    m_failure = TimedOut;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    m_busy = false;
    // Aborting finishes the reply at once; with m_reply already cleared,
    // replyFinished() takes it for a stale reply and stays silent.
    if (reply) {
        reply->abort();
        reply->deleteLater();
    }
    emit unableToRetrieveFile();
}

void AutoUpdateTool::replyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_reply) {
        // Already given up on by the busy timer.
        return;
    }
    m_reply = nullptr;
    m_busy = false;
    m_busyTimer.stop();

    // Without redirect following, a 3xx arrives without a network error;
    // its body is not the version file, so it is a failure as well.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool httpFailure = status.isValid() && (status.toInt() < 200 || status.toInt() > 299);
    m_httpStatus = status.isValid() ? status.toInt() : 0;
    if (reply->error() != QNetworkReply::NoError || httpFailure) {
        m_errorString = reply->errorString();
        // A status from the server itself is the server's error; the
        // network's own failures (and the proxy's) say more than a status.
        Failure network = failureOf(reply->error());
        // Through a caching proxy every connection goes to the proxy: a
        // refused, unknown or silent peer is the proxy, not the server.
        const bool viaProxy = m_manager->proxy().type() != QNetworkProxy::NoProxy
            && m_manager->proxy().type() != QNetworkProxy::DefaultProxy;
        if (viaProxy && (network == HostNotFound || network == TimedOut || network == ConnectionFailed) && !httpFailure)
            network = ProxyFailed;
        m_failure = httpFailure && network != ProxyAuthentication && network != ProxyFailed ? ServerError : network;
        qCWarning(lcAut) << "AUT:handleReply - got error message: "
                         << (httpFailure && reply->error() == QNetworkReply::NoError
                                 ? QStringLiteral("HTTP status %1").arg(status.toInt())
                                 : reply->errorString());
        // Reported like an unanswered request, so an interactive check
        // always gets an answer.
        emit unableToRetrieveFile();
        return;
    }

    if (!readVersionFile(reply))
        m_failure = MalformedFile;
    qCDebug(lcAut) << "AUT:handleReply - no errors, emitting fileDownloadSuccess";
    emit fileDownloadSuccess();
}

bool AutoUpdateTool::readVersionFile(QIODevice *device)
{
    Applications parsed;
    if (!parseVersionFile(device, &parsed))
        return false;
    for (auto it = parsed.cbegin(); it != parsed.cend(); ++it) {
        if (!m_applications.contains(it.key()))
            m_applications.insert(it.key(), it.value());
    }
    return true;
}

bool AutoUpdateTool::parseVersionFile(QIODevice *device, Applications *parsed)
{
    if (!device || !device->isOpen()) {
        qCWarning(lcAut) << "AUT: version file device not open";
        return false;
    }

    // Everything goes into a local tree first: a file that turns out to be
    // broken half-way adds nothing.
    Applications applications;
    QXmlStreamReader xml(device);
    if (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Applications")) {
            qCWarning(lcAut) << "AUT: version file has root element" << xml.name() << "- ignored";
            return false;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("Application")) {
                xml.skipCurrentElement();
                continue;
            }
            const QString appName = xml.attributes().value(QLatin1String("name")).toString();
            ApplicationEntry application;
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("OS")) {
                    xml.skipCurrentElement();
                    continue;
                }
                const QString osName = xml.attributes().value(QLatin1String("name")).toString();
                OSEntry os;
                while (xml.readNextStartElement()) {
                    if (xml.name() != QLatin1String("Release")) {
                        xml.skipCurrentElement();
                        continue;
                    }
                    const QString type = xml.attributes().value(QLatin1String("type")).toString();
                    ReleaseEntry release;
                    bool valid = true;
                    QStringList seen;
                    while (xml.readNextStartElement()) {
                        const QString field = xml.name().toString();
                        // First element of each name wins here too.
                        if (seen.contains(field)) {
                            xml.skipCurrentElement();
                            continue;
                        }
                        seen.append(field);
                        if (field == QLatin1String("Major"))
                            valid = readNumber(xml, &release.major) && valid;
                        else if (field == QLatin1String("Minor"))
                            valid = readNumber(xml, &release.minor) && valid;
                        else if (field == QLatin1String("Rev"))
                            valid = readNumber(xml, &release.rev) && valid;
                        else if (field == QLatin1String("Build"))
                            valid = readNumber(xml, &release.build) && valid;
                        else if (field == QLatin1String("URL"))
                            release.url = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                        else
                            xml.skipCurrentElement();
                    }
                    if (!valid) {
                        // A number that cannot be read must not pass for 0
                        // and shadow a sound duplicate.
                        qCWarning(lcAut) << "AUT: release" << type << "of" << appName
                                         << "has an unreadable version number - ignored";
                        continue;
                    }
                    if (!os.contains(type))
                        os.insert(type, release);
                }
                if (!application.contains(osName))
                    application.insert(osName, os);
            }
            if (!applications.contains(appName))
                applications.insert(appName, application);
        }
    }
    // Read to the end, so trailing garbage is noticed as well.
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError()) {
        qCWarning(lcAut) << "AUT: version file unreadable at line" << xml.lineNumber() << ":" << xml.errorString();
        return false;
    }
    *parsed = applications;
    return true;
}

void AutoUpdateTool::checkForUpdate(QString appName, uint releaseType, uint major, uint minor, uint rev, uint build)
{
    const auto app = m_applications.constFind(appName);
    if (app == m_applications.cend()) {
        qCDebug(lcAut) << "AUT::checkForUpdate() No version information for application named" << appName;
        return;
    }

    const ReleaseEntry *latest = nullptr;
    uint latestType = 0;
    const auto os = app->constFind(windowsOS);
    if (os != app->cend()) {
        // The requested type and every more stable one; on equal versions
        // the more stable release is the one offered.
        for (uint type = releaseType; type < releaseTypeCount; ++type) {
            const auto release = os->constFind(QLatin1String(releaseTypeNames[type]));
            if (release == os->cend())
                continue;
            if (!latest || !isNewer(latest->major, latest->minor, latest->rev, latest->build,
                                    release->major, release->minor, release->rev, release->build)) {
                latest = &release.value();
                latestType = type;
            }
        }
    }
    if (!latest) {
        qCDebug(lcAut) << "AUT::checkForUpdate() No version information for this release and/or OS type for " << appName;
        return;
    }

    // A copy: a slot that runs a nested event loop may let a new download
    // grow the tree and move its entries.
    const ReleaseEntry chosen = *latest;
    emit updateLatestVersion(appName, chosen.major, chosen.minor, chosen.rev, chosen.build);

    const QString latestText = versionText(chosen.major, chosen.minor, chosen.rev, chosen.build, latestType);
    const QString currentText = versionText(major, minor, rev, build, releaseType);
    if (isNewer(chosen.major, chosen.minor, chosen.rev, chosen.build, major, minor, rev, build))
        emit updateAvailable(appName, latestText, chosen.url);
    else
        emit noUpdateAvailable(appName, currentText);
}

QString AutoUpdateTool::releaseTypeToString(uint releaseType)
{
    switch (releaseType) {
    case Alpha:
        return tr("a");
    case Beta:
        return tr("b");
    case RC:
        return tr("rc");
    case Gold:
        return QString();
    default:
        return tr("Unknown");
    }
}

QString AutoUpdateTool::getToolVersion() const
{
    return QStringLiteral("%1.%2.%3").arg(toolVersionMajor).arg(toolVersionMinor).arg(toolVersionPatch);
}

} // namespace OvrCommonUtils
