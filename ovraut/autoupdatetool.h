// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovraut_export.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;

namespace OvrCommonUtils {

/**
 * Fetches the vendor's version file over HTTP and tells whether a newer
 * release of a named application exists for Windows.
 *
 * The tool knows nothing of its owner: the server, the file, the
 * application name and the running version are all handed in. A request
 * is answered by exactly one of fileDownloadSuccess() and
 * unableToRetrieveFile(); checkForUpdate() then answers with
 * updateLatestVersion() followed by updateAvailable() or
 * noUpdateAvailable(), or with nothing when the file holds no suitable
 * release.
 *
 * The version file:
 * @code
 * <Applications>
 *   <Application name="...">
 *     <OS name="Windows">
 *       <Release type="Gold">   <!-- Alpha, Beta, RC or Gold -->
 *         <Major>1</Major><Minor>3</Minor><Rev>0</Rev><Build>20131127</Build>
 *         <URL>http://...</URL>
 *       </Release>
 * @endcode
 * Elements of other names are skipped with everything inside them. For
 * every key the first element seen wins, also across downloads.
 */
class OVRAUT_EXPORT AutoUpdateTool : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(AutoUpdateTool)
    Q_PROPERTY(QString host_name READ Host WRITE setHost)
    Q_PROPERTY(QString update_file_name READ UpdateFile WRITE setUpdateFile)

public:
    /** Release types, from least to most stable. */
    enum ReleaseType : uint { Alpha = 0, Beta = 1, RC = 2, Gold = 3 };

    /** Why the last request gave no readable version file. */
    enum Failure {
        NoFailure = 0,
        HostNotFound,        ///< the update server's name is unknown (offline, no name server)
        TimedOut,            ///< no answer within busyTimeoutMs
        ProxyFailed,         ///< the proxy refused the connection, closed it, or was not found
        ProxyAuthentication, ///< the proxy wants a (another) user name and password
        ServerError,         ///< the server answered with an HTTP status other than 2xx; see lastHttpStatus()
        MalformedFile,       ///< the download arrived but is no readable version file
        ConnectionFailed     ///< any other network failure; see lastErrorString()
    };
    Q_ENUM(Failure)

    /** Time a request may take before it counts as unanswered. */
    static constexpr int busyTimeoutMs = 10000;

    explicit AutoUpdateTool(QObject *parent = nullptr);
    ~AutoUpdateTool() override;

    /** Host name of the update server, optionally with ":port". */
    QString Host() const;
    void setHost(const QString &host);

    /** Path of the version file on the server, starting with "/". */
    QString UpdateFile() const;
    void setUpdateFile(QString updateFile);

    /** Use an HTTP caching proxy at @p host with no port set. */
    void setProxy(const QString &host);
    /** Use an HTTP caching proxy; a port outside 0..65535 is left unset. */
    void setProxy(const QString &host, int port, const QString &user, const QString &password);
    /** Connect directly. */
    void clearProxy();

    /**
     * Starts fetching "http://" + host + file. Refused (logged, no signal)
     * while an earlier request is still open.
     */
    void getVersionInfo();

    /** True from getVersionInfo() until its answer. */
    bool isBusy() const;

    /**
     * Why the last request failed: set before unableToRetrieveFile(), and
     * to MalformedFile before a fileDownloadSuccess() whose file could not
     * be read (its versions are then unknown). NoFailure otherwise.
     */
    Failure lastFailure() const { return m_failure; }
    /** The HTTP status of the last answer, 0 when none arrived. */
    int lastHttpStatus() const { return m_httpStatus; }
    /** The network's own description of the last failure (for logs and details). */
    QString lastErrorString() const { return m_errorString; }

    /**
     * Compares the running version with the newest release of @p appName
     * for Windows whose type is @p releaseType or more stable.
     */
    void checkForUpdate(QString appName, uint releaseType, uint major, uint minor, uint rev, uint build);

    /**
     * Reads a version file as a download does: its applications join those
     * already known (for every application the first file seen wins); a
     * file that cannot be read adds nothing and gives false. No signal.
     */
    bool readVersionFile(QIODevice *device);

    /** Short suffix of a release type: "a", "b", "rc", "" or "Unknown". */
    static QString releaseTypeToString(uint releaseType);

    /** The library's own version, "major.minor.patch". */
    QString getToolVersion() const;

signals:
    /** The version file arrived and has been read. */
    void fileDownloadSuccess();
    /** The request failed or stayed unanswered for busyTimeoutMs. */
    void unableToRetrieveFile();
    void updateAvailable(const QString &appName, const QString &version, const QString &url);
    void noUpdateAvailable(const QString &appName, const QString &version);
    /** The newest suitable release; emitted before either of the two above. */
    void updateLatestVersion(const QString &appName, uint latestMajor, uint latestMinor, uint latestRev, uint latestBuild);

private slots:
    void checkBusy();
    void replyFinished(QNetworkReply *reply);

private:
    struct ReleaseEntry
    {
        quint32 major = 0;
        quint32 minor = 0;
        quint32 rev = 0;
        quint32 build = 0;
        QString url;
    };
    // Keyed by the release-type text ("Alpha" ... "Gold").
    using OSEntry = QHash<QString, ReleaseEntry>;
    // Keyed by OS name.
    using ApplicationEntry = QHash<QString, OSEntry>;
    using Applications = QHash<QString, ApplicationEntry>;

    static bool parseVersionFile(QIODevice *device, Applications *parsed);

    QString m_host;
    QString m_updateFile;
    Applications m_applications;
    QNetworkAccessManager *m_manager = nullptr;
    QNetworkReply *m_reply = nullptr;
    QTimer m_busyTimer;
    bool m_busy = false;
    Failure m_failure = NoFailure;
    int m_httpStatus = 0;
    QString m_errorString;
};

} // namespace OvrCommonUtils
