// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadclient.h"

#include "fleetlogging.h"
#include "keypadhttpget.h"
#include "msphandler.h"
#include "mspscenemodel.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace {

const QString configPath = QStringLiteral("/api/v1/config");
const QString showsPath = QStringLiteral("/api/v1/shows");

} // namespace

KeypadClient::KeypadClient(const QString &address, QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent)
    , m_address(address)
    , m_manager(manager)
{
}

KeypadClient::~KeypadClient() = default;

QNetworkReply *KeypadClient::get(const QString &path)
{
    Q_ASSERT(m_manager);
    QNetworkRequest request(QUrl(QLatin1String("http://") + m_address + path, QUrl::TolerantMode));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(m_timeout);
    return m_manager->get(request);
}

QString KeypadClient::failure(QNetworkReply *reply) const
{
    if (reply->error() == QNetworkReply::OperationCanceledError)
        return tr("no answer within %1 s").arg(m_timeout / 1000.0);
    if (reply->error() != QNetworkReply::NoError) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status > 0)
            return tr("the keypad answered with status %1").arg(status);
        return reply->errorString();
    }
    return QString();
}

QString KeypadClient::failure(const KeypadHttpGet *get) const
{
    switch (get->failure()) {
    case KeypadHttpGet::Failure::None:
        break;
    case KeypadHttpGet::Failure::TimedOut:
        return tr("no answer within %1 s").arg(m_timeout / 1000.0);
    case KeypadHttpGet::Failure::Status:
        return tr("the keypad answered with status %1").arg(get->status());
    case KeypadHttpGet::Failure::Socket:
        return get->socketError();
    case KeypadHttpGet::Failure::BrokenAnswer:
        return tr("its answer broke off");
    }
    return QString();
}

void KeypadClient::fetch()
{
    m_error.clear();
    delete m_configGet;
    delete m_showsGet;
    // Both at once, as the program asks a keypad it has just chosen; the
    // configuration is read first (its fixture class reads the colours).
    m_configGet = new KeypadHttpGet(m_address, configPath, m_timeout, this);
    m_showsGet = new KeypadHttpGet(m_address, showsPath, m_timeout, this);
    connect(m_configGet, &KeypadHttpGet::finished, this, &KeypadClient::readReplies);
    connect(m_showsGet, &KeypadHttpGet::finished, this, &KeypadClient::readReplies);
}

void KeypadClient::readReplies()
{
    if (!m_configGet || !m_showsGet || !m_configGet->isFinished() || !m_showsGet->isFinished())
        return;
    KeypadHttpGet *config = m_configGet;
    KeypadHttpGet *shows = m_showsGet;
    m_configGet = nullptr;
    m_showsGet = nullptr;
    config->deleteLater();
    shows->deleteLater();
    QString error = failure(config);
    if (error.isEmpty() && !m_snapshot.readConfiguration(config->body(), &error))
        error = tr("its configuration could not be read (%1)").arg(error);
    if (error.isEmpty()) {
        error = failure(shows);
        if (error.isEmpty() && !m_snapshot.readShows(shows->body(), &error))
            error = tr("its scenes could not be read (%1)").arg(error);
    }
    finishFetch(error.isEmpty(), error);
}

void KeypadClient::finishFetch(bool ok, const QString &error)
{
    m_error = error;
    if (!ok)
        qCDebug(lcFleet) << m_address << "not read:" << error;
    emit fetched(ok);
}

bool KeypadClient::fetchAndWait()
{
    QEventLoop loop;
    bool result = false;
    connect(this, &KeypadClient::fetched, &loop, [&loop, &result](bool ok) {
        result = ok;
        loop.quit();
    });
    fetch();
    loop.exec();
    return result;
}

void KeypadClient::track(QNetworkReply *reply, const QString &what)
{
    ++m_outstanding;
    connect(reply, &QNetworkReply::finished, this, [this, reply, what] {
        --m_outstanding;
        const QString error = failure(reply);
        if (!error.isEmpty())
            m_uploadErrors << what + QLatin1String(": ") + error;
        reply->deleteLater();
    });
}

void KeypadClient::requestShow(int index, bool trackAsEdit)
{
    Q_UNUSED(trackAsEdit)
    if (!m_uploadedScenes.contains(index)) {
        m_uploadedScenes << index;
        emit uploadProgress(tr("scene %1 of %2").arg(m_uploadedScenes.size()).arg(MSPSceneModel::sceneCount));
    }
    const QString path = showsPath + QLatin1Char('/') + QString::number(index + 1);
    track(get(path), QLatin1String("GET ") + path);
}

void KeypadClient::postToDevice(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost,
                                bool apply)
{
    Q_UNUSED(trackAsEdit)
    Q_UNUSED(trackAsConfigPost)
    if (path.isEmpty() || postsSuspended())
        return;
    Q_ASSERT(m_manager);
    if (path == configPath)
        emit uploadProgress(tr("configuration"));
    if (apply)
        body += QLatin1String("&apply=1");
    QNetworkRequest request(QUrl(QLatin1String("http://") + m_address + path, QUrl::TolerantMode));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(m_timeout);
    track(m_manager->post(request, body.toLatin1()), QLatin1String("POST ") + path);
}

bool KeypadClient::upload(const QByteArray &document)
{
    m_error.clear();
    KeypadSnapshot check;
    if (!check.readDocument(document, &m_error))
        return false;

    m_uploadErrors.clear();
    m_uploadedScenes.clear();
    // The file's colours go out converted for the keypad's own fixture
    // class, as the program's Open sends them.
    const ColorUtils::PrismalProfileID fixtureClass = m_snapshot.configuration().fixtureClass();
    MSPSceneModel scenes;
    SystemConfiguration config;
    config.setFixtureClass(fixtureClass, false);
    {
        KeypadSnapshot::FixtureClassScope scope(fixtureClass);
        MSPHandler handler(true, &scenes, &config, this);
        KeypadSnapshot::parseWith(&handler, document, nullptr);
    }
    // Every request has its own time-out; wait until each has ended.
    while (m_outstanding > 0)
        waitProcessingEvents(20);
    if (!m_uploadErrors.isEmpty()) {
        m_error = m_uploadErrors.join(QLatin1String("; "));
        return false;
    }
    return true;
}
