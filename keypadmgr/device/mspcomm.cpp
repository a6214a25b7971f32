// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcomm.h"

#include "connectionstate.h"

#include "discoverer.h"
#include "keypaddatagram.h"
#include "networkprefs.h"

#include "msphandler.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "systemconfiguration.h"

#include "dravon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkConfigurationManager>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QThread>
#include <QUdpSocket>
#include <QUrl>

Q_LOGGING_CATEGORY(lcDevice, "keypad.device")

namespace {

const QString configPath = QStringLiteral("/api/v1/config");
const QString showsPath = QStringLiteral("/api/v1/shows");
// The scene choices counted when a request was sent (a reply property).
const char sceneChoiceProperty[] = "sceneChoices";
// The scene changes sent when a request was sent, its own included (a
// reply property): its answer tells nothing of a scene changed after it.
const char sceneChangeProperty[] = "sceneChanges";

// The thread prepareInBackground() started, until it is waited for.
QPointer<QThread> bearerLoader;
bool instanceCreated = false;

} // namespace

MSPComm *MSPComm::instance()
{
    static MSPComm *comm = new MSPComm;
    return comm;
}

// The network configurations that pick the interface of the requests are
// the toolkit's deprecated bearer API; its uses here are fenced.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
void MSPComm::prepareInBackground()
{
    if (instanceCreated || bearerLoader)
        return;
    // The toolkit builds its one set of bearer engines on first use, from
    // any thread, and hands them to a thread of its own.
    bearerLoader = QThread::create([] { QNetworkConfigurationManager manager; });
    bearerLoader->setObjectName(QStringLiteral("bearer loader"));
    connect(bearerLoader, &QThread::finished, bearerLoader, &QObject::deleteLater);
    bearerLoader->start();
}

MSPComm::MSPComm()
{
    instanceCreated = true;
    if (bearerLoader)
        bearerLoader->wait();
    m_manager = new QNetworkAccessManager(this);
    m_configurationManager = new QNetworkConfigurationManager(this);
    // The XML reader reaches the keypad through the model's link interface.
    MSPCommLink::setInstance(this);
    connect(m_manager, &QNetworkAccessManager::finished, this, &MSPComm::replyFinished);
    // Repeating on purpose: a flush stops it, and a running timer whose
    // remaining time is 0 is overdue (its timeout is queued behind us).
    connect(&m_sceneUpdateTimer, &QTimer::timeout, this, &MSPComm::handleSceneUpdateTimer);

    m_keyPadSocket = new QUdpSocket(this);
    if (!m_keyPadSocket->bind(QHostAddress(QHostAddress::AnyIPv4), keyPadPort, QUdpSocket::ReuseAddressHint)) {
        qCWarning(lcDevice) << "binding port" << keyPadPort << "failed:" << m_keyPadSocket->errorString();
        QMessageBox::critical(QApplication::activeWindow(), tr("Error"),
                              tr("Failed to bind to port 6041.  Close any application that may be using "
                                 "this port and restart this program."),
                              QMessageBox::Ok);
        return;
    }
    connect(m_keyPadSocket, &QUdpSocket::readyRead, this, &MSPComm::processPendingKeyPadDatagrams);
    m_heartBeatSocket = new QUdpSocket(this);
    connect(m_heartBeatSocket, &QUdpSocket::readyRead, this, &MSPComm::processPendingHeartBeatDatagrams);
    m_choiceWaitLimit.setSingleShot(true);
    m_choiceWaitLimit.setInterval(choiceWaitInterval);
    connect(&m_choiceWaitLimit, &QTimer::timeout, this, [this] {
        m_choiceWaitsFor = nullptr;
        m_choiceWaitExpired = true;
        sendChoiceAfterPreviews();
    });
    m_socketToggleTimer.setInterval(socketToggleInterval);
    connect(&m_socketToggleTimer, &QTimer::timeout, this, &MSPComm::toggleSocket);
}
QT_WARNING_POP

MSPComm::~MSPComm() = default;

void MSPComm::setDevice(const QString &address, const QByteArray &mac)
{
    // Edits belong to their keypad; the same keypad on a new address keeps them.
    if (mac != m_mac) {
        forgetEdits();
        m_waitingChoice = -1;
        m_choiceWaitLimit.stop();
        m_choiceWaitExpired = false;
    }
    m_address = address;
    m_mac = mac;
}

void MSPComm::setNetworkPrefs(NetworkPrefs *prefs)
{
    m_networkPrefs = prefs;
    if (prefs)
        connect(prefs, &NetworkPrefs::interfaceChosen, this, &MSPComm::handleHostAddressChanged);
}

QString MSPComm::baseUrl() const
{
    return QStringLiteral("http://") + m_address;
}

bool MSPComm::isAddressReachable(const QString &address) const
{
    QHostAddress interfaceIp;
    uint netmask = 0;
    QHostAddress broadcast;
    Discoverer::instance()->dravon()->getInterface(interfaceIp, netmask, broadcast);

    QHostAddress target;
    if (!target.setAddress(address) || target.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    const quint32 targetValue = target.toIPv4Address();
    if (m_routedAddresses.contains(target.toString()))
        return true;

    bool anyInterface = interfaceIp.isNull() || interfaceIp == QHostAddress(QHostAddress::AnyIPv4)
        || interfaceIp == QHostAddress(QHostAddress::Any);
    if (!anyInterface)
        return (interfaceIp.toIPv4Address() & netmask) == (targetValue & netmask);

    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        if (!interface.isValid())
            continue;
        const auto entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            const QHostAddress ip = entry.ip();
            if (ip.isLoopback() || ip.protocol() != QAbstractSocket::IPv4Protocol || ip.toIPv4Address() == 0)
                continue;
            const quint32 mask = entry.netmask().toIPv4Address();
            if ((ip.toIPv4Address() & mask) == (targetValue & mask))
                return true;
        }
    }
    return false;
}

QNetworkReply *MSPComm::get(const QString &path)
{
    QNetworkRequest request(QUrl(baseUrl() + path, QUrl::TolerantMode));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    qCDebug(lcDevice) << "GET" << path;
    emit requestSent(QStringLiteral("GET"), path, QByteArray());
    QNetworkReply *reply = m_manager->get(request);
    reply->setProperty(sceneChoiceProperty, m_sceneChoices);
    reply->setProperty(sceneChangeProperty, m_sceneRequestSerial);
    return reply;
}

QNetworkReply *MSPComm::post(const QString &path, const QString &body)
{
    QNetworkRequest request(QUrl(baseUrl() + path, QUrl::TolerantMode));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    const QByteArray data = body.toLatin1();
    qCDebug(lcDevice) << "POST" << path << data;
    emit requestSent(QStringLiteral("POST"), path, data);
    QNetworkReply *reply = m_manager->post(request, data);
    reply->setProperty(sceneChoiceProperty, m_sceneChoices);
    reply->setProperty(sceneChangeProperty, m_sceneRequestSerial);
    if (m_countingChanges) {
        m_countedChanges.insert(reply, path);
        if (!m_countedPaths.contains(path))
            m_countedPaths << path;
    }
    return reply;
}

void MSPComm::startCountingChanges()
{
    m_countingChanges = true;
    m_countedChanges.clear();
    m_failedChanges.clear();
    m_countedPaths.clear();
}

QStringList MSPComm::finishCountingChanges(int waitMs)
{
    m_countingChanges = false;
    QElapsedTimer waited;
    waited.start();
    while (!m_countedChanges.isEmpty() && waited.elapsed() < waitMs)
        waitProcessingEvents(20);
    // Unanswered is not received, as far as anyone can tell.
    for (const QString &path : qAsConst(m_countedChanges))
        m_failedChanges << path;
    m_countedChanges.clear();
    QStringList failed;
    for (const QString &path : qAsConst(m_countedPaths)) {
        if (m_failedChanges.contains(path))
            failed << path;
    }
    m_failedChanges.clear();
    m_countedPaths.clear();
    return failed;
}

void MSPComm::requestAllShows()
{
    if (m_address.isEmpty() || !isAddressReachable(m_address))
        return;
    m_allShowsReply = get(showsPath);
}

QNetworkReply *MSPComm::getShow(int index)
{
    if (m_address.isEmpty() || !isAddressReachable(m_address))
        return nullptr;
    return get(showsPath + QLatin1Char('/') + QString::number(index + 1));
}

void MSPComm::requestShow(int index, bool trackAsEdit)
{
    QNetworkReply *reply = getShow(index);
    if (reply && trackAsEdit)
        m_editReplies.append(reply);
}

void MSPComm::getScene(int index)
{
    // The scene left gets its last edit before the keypad plays another.
    handleSceneUpdateTimer();
    ++m_sceneChoices;
    awaitPreview(index);
    m_waitingChoice = index;
    m_waitingChoiceIsPress = false;
    sendChoiceAfterPreviews();
}

void MSPComm::sendChoiceAfterPreviews()
{
    if (m_waitingChoice < 0)
        return;
    // Requests travel on parallel connections and may overtake each other:
    // a preview of another scene that reached the keypad after the choice
    // would make it play that scene again. The choice waits for its answer.
    for (auto it = m_sceneRequests.cbegin(); it != m_sceneRequests.cend() && !m_choiceWaitExpired; ++it) {
        QNetworkReply *preview = it.key();
        if (it.value().kind != SceneRequestKind::Preview || it.value().index == m_waitingChoice
            || !preview->isRunning())
            continue;
        if (!m_choiceWaitLimit.isActive())
            m_choiceWaitLimit.start();
        if (m_choiceWaitsFor != preview) {
            m_choiceWaitsFor = preview;
            connect(preview, &QNetworkReply::finished, this, [this, preview] {
                if (m_choiceWaitsFor == preview) {
                    m_choiceWaitsFor = nullptr;
                    sendChoiceAfterPreviews();
                }
            });
        }
        return;
    }
    const int index = m_waitingChoice;
    m_waitingChoice = -1;
    m_choiceWaitLimit.stop();
    m_choiceWaitExpired = false;
    QNetworkReply *reply = nullptr;
    if (m_waitingChoiceIsPress) {
        // The keypad plays the pressed scene already; this reads it.
        reply = post(showsPath + QLatin1Char('/') + QString::number(index + 1), QString());
        m_pressReply = reply;
    } else {
        reply = getShow(index);
    }
    m_choiceReply = reply;
    // Playing a scene turns the keypad's lights back on; read the
    // brightness again once the show has been read.
    if (reply && SystemConfiguration::instance()->brightness() == SystemConfiguration::brightnessOff && !m_fileLoading)
        m_configAfterShow.append(reply);
}

void MSPComm::requestConfig()
{
    if (!isAddressReachable(m_address))
        return;
    m_configReply = get(configPath);
}

void MSPComm::probe()
{
    if (m_probe || m_address.isEmpty() || !isAddressReachable(m_address))
        return;
    m_probe = get(configPath);
    m_editReplies.append(m_probe);
}

void MSPComm::postToDevice(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost, bool apply)
{
    send(path, body, trackAsEdit, trackAsConfigPost, apply);
}

QNetworkReply *MSPComm::send(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost, bool apply,
                             std::optional<quint64> editsBefore)
{
    if (postsSuspended() || m_address.isEmpty() || path.isEmpty() || !isAddressReachable(m_address))
        return nullptr;
    if (apply)
        body += QLatin1String("&apply=1");
    QNetworkReply *reply = post(path, body);
    trackSceneRequest(reply, path, body, editsBefore.value_or(m_editCount));
    reply->setProperty(sceneChangeProperty, m_sceneRequestSerial);
    if (trackAsEdit)
        m_editReplies.append(reply);
    if (trackAsConfigPost)
        m_configPosts.append(reply);
    return reply;
}

void MSPComm::postSceneBody(MSPScene *scene)
{
    m_flushedEdit = send(scene->url(), scene->formData(), true, false, false);
}

int MSPComm::sceneIndexOfPath(const QString &path)
{
    // Scene paths end in their number, "/api/v1/shows/1".."8".
    const QString prefix = showsPath + QLatin1Char('/');
    if (!path.startsWith(prefix))
        return -1;
    bool ok = false;
    const int index = path.mid(prefix.size()).toInt(&ok) - 1;
    return ok && index >= 0 && index < MSPSceneModel::sceneCount ? index : -1;
}

void MSPComm::trackSceneRequest(QNetworkReply *reply, const QString &path, const QString &body, quint64 edits)
{
    const int index = sceneIndexOfPath(path);
    // An empty body only plays the scene: no edit of the user's.
    if (index < 0 || body.isEmpty())
        return;
    SceneRequestKind kind = SceneRequestKind::Preview;
    if (body == QLatin1String("apply=0"))
        kind = SceneRequestKind::Revert;
    else if (body == QLatin1String("apply=1") || body.endsWith(QLatin1String("&apply=1")))
        kind = SceneRequestKind::Save;
    const quint64 serial = ++m_sceneRequestSerial;
    m_lastSceneRequest.insert(index, serial);
    m_sceneRequests.insert(reply, {index, kind, serial, edits});
}

QSet<int> MSPComm::scenesChangedSince(quint64 count) const
{
    QSet<int> changed;
    for (auto it = m_lastSceneRequest.cbegin(); it != m_lastSceneRequest.cend(); ++it) {
        if (it.value() > count)
            changed.insert(it.key());
    }
    return changed;
}

void MSPComm::sceneRequestFinished(const SceneRequest &request, bool failed)
{
    const bool undoing = request.kind == SceneRequestKind::Revert && m_undoing.remove(request.index);
    // An older request's answer says nothing about the edit as it is now.
    if (m_lastSceneRequest.value(request.index) != request.serial)
        return;
    switch (request.kind) {
    case SceneRequestKind::Preview:
        // Only while the edit is just an edit: once Save was pressed only the
        // Save tells where it stands (a preview sent again leaves a lost Save
        // lost), and once undone it is gone, whatever this answer says.
        if (editState(request.index) == EditState::Unsaved || editState(request.index) == EditState::NotSent)
            setEditState(request.index, failed ? EditState::NotSent : EditState::Unsaved);
        break;
    case SceneRequestKind::Save:
        // An edit made after Save was pressed, still waiting to be sent, is
        // a new unsaved edit: the Save's answer does not settle it.
        if (m_lastEdit.value(request.index) > request.edits)
            break;
        setEditState(request.index, failed ? EditState::SaveNotSent : EditState::None);
        break;
    case SceneRequestKind::Revert:
        // The edit is gone once the keypad has dropped it; the scene read
        // back afterwards shows what the keypad keeps. An Undo that did not
        // reach the keypad leaves the edit where it was, offered again.
        if (undoing)
            undoFinished(request.index, !failed);
        break;
    }
}

MSPComm::EditState MSPComm::editState(int index) const
{
    return m_editStates.value(index, EditState::None);
}

void MSPComm::setEditState(int index, EditState state)
{
    if (editState(index) == state)
        return;
    if (state == EditState::None)
        m_editStates.remove(index);
    else
        m_editStates.insert(index, state);
    emit editStatesChanged();
}

bool MSPComm::isSaving() const
{
    for (const EditState state : m_editStates) {
        if (state == EditState::Saving)
            return true;
    }
    return false;
}

void MSPComm::keepEdit(int index)
{
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(index);
    if (!scene || !hasUnsavedEdit(index) || editState(index) == EditState::Saving)
        return;
    handleSceneUpdateTimer();
    setEditState(index, EditState::Saving);
    postToDevice(scene->url(), scene->formData(), true, false, true);
}

void MSPComm::undoFinished(int index, bool dropped)
{
    if (dropped)
        setEditState(index, EditState::None);
    else
        emit editStatesChanged();
}

void MSPComm::forgetEdit(int index)
{
    m_undoing.remove(index);
    setEditState(index, EditState::None);
}

void MSPComm::forgetEdits()
{
    m_undoing.clear();
    m_previewAwaited.clear();
    if (m_editStates.isEmpty())
        return;
    m_editStates.clear();
    emit editStatesChanged();
}

QSet<int> MSPComm::unsavedScenes() const
{
    QSet<int> scenes;
    for (auto it = m_editStates.cbegin(); it != m_editStates.cend(); ++it)
        scenes.insert(it.key());
    return scenes;
}

void MSPComm::markEdited(MSPScene *scene)
{
    // Only the user's edits count: the keypad's own shows are applied with
    // posts suspended, and a demo edits offline by choice.
    if (!scene || postsSuspended() || m_address.isEmpty()
        || ConnectionState::instance()->state() == ConnectionState::DemoMode)
        return;
    const int index = MSPSceneModel::instance()->indexOf(scene);
    const EditState state = editState(index);
    // A change after Undo pressed is the user's again, whatever the Undo's answer.
    m_undoing.remove(index);
    if (index >= 0)
        m_lastEdit.insert(index, ++m_editCount);
    // A change after Save pressed is a new edit, unsaved again.
    if (index >= 0 && (state == EditState::None || state == EditState::Saving || state == EditState::SaveNotSent))
        setEditState(index, EditState::Unsaved);
}

void MSPComm::awaitPreview(int index)
{
    // The keypad plays the chosen scene as it keeps it until its answer
    // brings the edit back (resendUnsavedPreview).
    if (hasUnsavedEdit(index) && editState(index) != EditState::Saving)
        m_previewAwaited.insert(index);
}

void MSPComm::resendUnsavedPreview(int index)
{
    m_previewAwaited.remove(index);
    // The keypad plays the scene as it keeps it (it came back, or the scene
    // was chosen again): the user's unsaved edit plays again.
    // Not while its Undo is on its way: that would play the edit the user
    // dropped again, and leave the Undo's answer older than the preview.
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(index);
    const EditState state = editState(index);
    if (!scene || state == EditState::None || state == EditState::Saving || m_undoing.contains(index))
        return;
    qCDebug(lcDevice) << "sending the unsaved edit of scene" << index + 1 << "again";
    postSceneBody(scene);
}

void MSPComm::retryEdit(int index)
{
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(index);
    if (!scene)
        return;
    if (editState(index) == EditState::SaveNotSent)
        applyScene(scene);
    else if (hasUnsavedEdit(index))
        postSceneBody(scene);
}

void MSPComm::postAfterFlushedEdit(MSPScene *scene, const QString &body, int fetchIndex, bool save)
{
    QNetworkReply *edit = m_flushedEdit;
    m_flushedEdit = nullptr;
    if (!scene)
        return;
    const QString path = scene->url();
    const int index = MSPSceneModel::instance()->indexOf(scene);
    const quint64 choices = m_sceneChoices;
    const quint64 edits = m_editCount;
    const auto postBody = [this, path, body, fetchIndex, index, save, choices, edits](bool editLost) {
        // An Undo waits for the edit before it; the user may have edited the
        // scene again meanwhile, and that edit already went out. Dropping
        // the preview now would drop that edit too: it stays, unsaved.
        if (!save && m_lastEdit.value(index) > edits)
            return;
        // The keypad keeps the preview of the scene it plays. A scene chosen
        // meanwhile (pressed on the keypad while the edit was on its way)
        // drops that preview, and so does an edit the keypad did not take:
        // "apply=1" would keep the old scene while answering as if all went
        // well. The Save did not reach it.
        if (save && (editLost || choices != m_sceneChoices)) {
            if (editState(index) == EditState::Saving)
                setEditState(index, EditState::SaveNotSent);
            return;
        }
        QNetworkReply *reply = send(path, body, false, false, false, edits);
        if (!reply && m_undoing.remove(index))
            undoFinished(index, false);
        if (fetchIndex < 0)
            return;
        // The scene is read back only after the keypad has taken the flag,
        // or the answer could still be the preview. Reading one scene plays
        // it: once another scene was chosen, all are read instead, which
        // leaves the keypad on the scene chosen.
        const auto readBack = [this, fetchIndex, choices] {
            if (choices == m_sceneChoices)
                requestShow(fetchIndex, false);
            else
                requestAllShows();
        };
        if (reply)
            connect(reply, &QNetworkReply::finished, this, readBack);
        else
            readBack();
    };
    // Requests travel on parallel connections and may overtake each other;
    // the keypad must see the last edit before the flag that keeps or drops it.
    const auto lost = [path](const QNetworkReply *reply) {
        return reply && reply->error() != QNetworkReply::NoError && reply->url().path() == path;
    };
    if (edit && edit->isRunning()) {
        connect(edit, &QNetworkReply::finished, this, [edit, postBody, lost] { postBody(lost(edit)); });
        return;
    }
    postBody(lost(edit));
}

void MSPComm::handleEffectChanged(MSPScene *scene)
{
    // A demo edits offline by choice, even when a keypad is known.
    if (scene && ConnectionState::instance()->state() != ConnectionState::DemoMode) {
        markEdited(scene);
        postSceneBody(scene);
    }
}

void MSPComm::handleEffectParamsChanged(MSPScene *scene)
{
    if (!scene || ConnectionState::instance()->state() == ConnectionState::DemoMode)
        return;
    markEdited(scene);
    if (m_pendingScene && m_pendingScene != scene)
        handleSceneUpdateTimer();
    m_pendingScene = scene;
    if (m_sceneUpdateTimer.isActive()) {
        if (m_sceneUpdateTimer.remainingTime() == 0)
            handleSceneUpdateTimer();
        return;
    }
    m_sceneUpdateTimer.start(sceneUpdateInterval);
}

void MSPComm::handleSceneUpdateTimer()
{
    if (!m_sceneUpdateTimer.isActive())
        return;
    m_sceneUpdateTimer.stop();
    if (m_pendingScene) {
        MSPScene *scene = m_pendingScene;
        m_pendingScene = nullptr;
        postSceneBody(scene);
    }
}

void MSPComm::applyScene(MSPScene *scene)
{
    handleSceneUpdateTimer();
    // An edit the keypad never received goes first, or it would keep the old
    // scene; so does one it dropped when its scene was chosen again and has
    // not been sent since.
    const int index = scene ? MSPSceneModel::instance()->indexOf(scene) : -1;
    const bool awaited = m_previewAwaited.remove(index);
    if (!m_flushedEdit && index >= 0 && (hasUnsentEdit(index) || awaited))
        postSceneBody(scene);
    if (index >= 0 && hasUnsavedEdit(index))
        setEditState(index, EditState::Saving);
    postAfterFlushedEdit(scene, QStringLiteral("apply=1"), -1, true);
}

void MSPComm::revertScene(MSPScene *scene, int fetchIndex)
{
    // The edit stays marked until the keypad has dropped it: an Undo that
    // never arrived leaves the keypad playing (or not having) the edit, and
    // the screen must go on saying so.
    const int index = scene ? MSPSceneModel::instance()->indexOf(scene) : -1;
    if (index >= 0 && hasUnsavedEdit(index))
        m_undoing.insert(index);
    sendRevert(scene, fetchIndex);
}

void MSPComm::sendRevert(MSPScene *scene, int fetchIndex)
{
    handleSceneUpdateTimer();
    postAfterFlushedEdit(scene, QStringLiteral("apply=0"), fetchIndex);
}

void MSPComm::brightnessUp()
{
    postToDevice(configPath, QStringLiteral("rel_bright=1"), true, false, false);
}

void MSPComm::brightnessDown()
{
    postToDevice(configPath, QStringLiteral("rel_bright=0"), true, false, false);
}

void MSPComm::pressOnOff()
{
    postToDevice(configPath, QStringLiteral("off_press=1"), true, false, false);
}

void MSPComm::forgetTrackedReplies()
{
    const QList<QNetworkReply *> edits = m_editReplies;
    for (QNetworkReply *reply : edits) {
        m_editReplies.removeAll(reply);
        m_configPosts.removeAll(reply);
    }
    const QList<QNetworkReply *> posts = m_configPosts;
    for (QNetworkReply *reply : posts) {
        m_editReplies.removeAll(reply);
        m_configPosts.removeAll(reply);
    }
}

bool MSPComm::restoreFactoryDefaults()
{
    // The keypad goes back to its own scenes; so does the screen.
    forgetEdits();
    forgetTrackedReplies();
    m_factoryResetReply = send(configPath, QStringLiteral("factory_reset=1"), true, true, false);
    m_factoryResetWritten = false;
    if (!m_factoryResetReply)
        return false;
    connect(m_factoryResetReply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64) {
        if (sent > 0)
            m_factoryResetWritten = true;
    });
    return true;
}

QString MSPComm::normalizeAddress(const QString &address)
{
    QStringList parts = address.split(QLatin1Char('.'));
    for (QString &part : parts) {
        if (part.startsWith(QLatin1String("00")))
            part.remove(0, 2);
        else if (part.startsWith(QLatin1Char('0')))
            part.remove(0, 1);
        if (part.isEmpty())
            part = QStringLiteral("0");
    }
    return parts.join(QLatin1Char('.'));
}

void MSPComm::postConfiguration(const QStringList &bodies, const QString &newAddress)
{
    const bool moving = !newAddress.isEmpty();
    if (isAddressReachable(m_address)) {
        for (int i = 0; i < bodies.size(); ++i) {
            const bool last = i == bodies.size() - 1;
            postToDevice(configPath, bodies.at(i), moving || !last, moving, true);
            waitProcessingEvents(500);
        }
    }
    if (!moving)
        return;

    waitProcessingEvents(1000);
    forgetTrackedReplies();
    waitProcessingEvents(1000);

    const QByteArray address = normalizeAddress(newAddress).toLatin1();
    if (m_mac.size() < 6) {
        qCWarning(lcDevice) << "no MAC address known for the keypad; cannot move it to" << address;
        return;
    }
    QByteArray mac = m_mac;
    Discoverer::instance()->dravon()->sendSetIP(mac.data(), address.constData());
}

bool MSPComm::parseReply(QIODevice *device, bool takeCurrent, const QSet<int> &changedSince)
{
    if (!device)
        return false;
    MSPHandler handler(false);
    handler.setKeptScenes(unsavedScenes() + changedSince);
    const bool ok = handler.read(device);
    const int current = handler.currentShowIndex();
    if (takeCurrent && current >= 0 && current < MSPSceneModel::sceneCount) {
        emit activeSceneIndexChanged(current);
        resendUnsavedPreview(current);
    }
    return ok;
}

void MSPComm::replyFinished(QNetworkReply *reply)
{
    const int editPosition = m_editReplies.indexOf(reply);
    const bool configPost = m_configPosts.contains(reply);
    const bool failed = reply->error() != QNetworkReply::NoError;
    if (failed && reply == m_factoryResetReply) {
        // No answer is the keypad restarting, and so is a refused
        // connection once the request went out (it is sent again on a new
        // connection while the keypad restarts). Refused before it went
        // out, or answered with an error status, the keypad never took it.
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 400 || (reply->error() == QNetworkReply::ConnectionRefusedError && !m_factoryResetWritten))
            emit factoryResetFailed(reply->errorString());
    }
    // First where the edit stands: a Save's own answer must not be read
    // as the keypad playing an unsaved edit.
    const auto counted = m_countedChanges.find(reply);
    if (counted != m_countedChanges.end()) {
        if (failed)
            m_failedChanges << *counted;
        m_countedChanges.erase(counted);
    }
    const auto sceneRequest = m_sceneRequests.find(reply);
    if (sceneRequest != m_sceneRequests.end()) {
        const SceneRequest request = *sceneRequest;
        m_sceneRequests.erase(sceneRequest);
        sceneRequestFinished(request, failed);
    }
    // A quiet keypad answers again: it may have restarted meanwhile, which
    // drops the preview it played and may leave it on another scene (after
    // a factory reset, the first). With an unsaved edit on screen, which
    // scene it plays is read first: the screen follows the answer, and the
    // unsaved edit of that scene plays again (parseReply). Sending the edit
    // of the scene shown right away would make the keypad play that scene
    // while a read of the scene it played moved the screen away. Without
    // one, the probe was a sign of life and nothing more.
    if (reply == m_probe && !failed && m_waitingChoice < 0 && !m_allShowsReply
        && hasUnsavedEdit(MSPSceneModel::instance()->activeSceneIndex()))
        requestAllShows();

    if (editPosition == -1 && !failed) {
        // An answer that cannot be read leaves the screen unsure of what the
        // keypad holds: the window reads the keypad again, as after a failed
        // read (the keypad did answer, so it still counts as a sign of life).
        // The scene the keypad plays is taken from an answer to a request
        // sent since the last scene choice, once the choice itself has been
        // sent and answered: a request sent right after it may reach the
        // keypad first, on another connection, and tell of the scene it left.
        const bool takeCurrent = reply->property(sceneChoiceProperty).toULongLong() == m_sceneChoices
            && m_waitingChoice < 0 && (!m_choiceReply || m_choiceReply == reply);
        if (reply->bytesAvailable() > 0
            && !parseReply(reply, takeCurrent,
                           scenesChangedSince(reply->property(sceneChangeProperty).toULongLong()))) {
            qCDebug(lcDevice) << "unreadable answer from" << reply->url().path();
            m_lastErrorString = tr("The keypad's answer could not be read.");
            m_lastFailureWasChange = false;
            emit networkError();
        }
        if (m_configAfterShow.removeAll(reply) > 0)
            requestConfig();

        MSPSceneModel *model = MSPSceneModel::instance();
        SystemConfiguration *config = SystemConfiguration::instance();
        const int active = model->activeSceneIndex();
        if (!config->sceneEnabled(active)) {
            // The keypad may still be sending the enables; give it a moment.
            bool expired = false;
            QTimer::singleShot(400, this, [&expired] { expired = true; });
            while (!config->sceneEnabled(active) && !expired)
                QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
            if (!config->sceneEnabled(active)) {
                const int first = config->firstEnabledScene();
                model->setActiveSceneIndex(first, false);
                emit activeSceneIndexChanged(first);
                getScene(first);
            }
        }
    } else if (editPosition >= 0) {
        m_editReplies.removeAt(editPosition);
    }

    if (!failed || configPost) {
        emit heartBeat(true);
        if (configPost)
            m_configPosts.removeAll(reply);
    } else {
        qCDebug(lcDevice) << "reply failed:" << reply->errorString();
        if (reply->url().host() == m_address) {
            switch (reply->error()) {
            case QNetworkReply::ConnectionRefusedError:
            case QNetworkReply::HostNotFoundError:
            case QNetworkReply::TimeoutError:
            case QNetworkReply::UnknownNetworkError:
                emit keypadAway();
                break;
            default:
                break;
            }
            m_lastErrorString = reply->errorString();
            m_lastFailureWasChange = reply->operation() == QNetworkAccessManager::PostOperation
                || reply->url().path().startsWith(showsPath + QLatin1Char('/'));
            emit networkError();
        }
        else
            qCDebug(lcDevice) << "reply for wrong address";
    }

    const bool readReply = reply == m_configReply || reply == m_allShowsReply;
    m_readFailed = m_readFailed || (readReply && failed);
    if (reply == m_configReply) {
        m_configReply = nullptr;
        emit configReceived();
    }
    if (reply == m_allShowsReply) {
        m_allShowsReply = nullptr;
        MSPSceneModel *model = MSPSceneModel::instance();
        // The keypad leaves any stale preview, unless the scene holds the
        // user's unsaved edit: that was just sent again as the preview.
        const int active = model->activeSceneIndex();
        if (!hasUnsavedEdit(active))
            sendRevert(model->sceneAt(active), -1);
    }

    if (readReply && !m_configReply && !m_allShowsReply) {
        const bool ok = !m_readFailed;
        m_readFailed = false;
        emit keypadRead(ok);
    }
    if (reply == m_pressReply)
        m_pressReply = nullptr;
    if (reply == m_choiceReply)
        m_choiceReply = nullptr;
    m_configAfterShow.removeAll(reply);
    reply->deleteLater();

    if (m_firstReply) {
        m_firstReply = false;
        m_socketToggleTimer.start(socketToggleInterval);
    }
}

void MSPComm::processPendingKeyPadDatagrams()
{
    while (m_keyPadSocket->state() == QAbstractSocket::BoundState && m_keyPadSocket->hasPendingDatagrams()) {
        const QNetworkDatagram received = m_keyPadSocket->receiveDatagram();
        if (!received.isValid() || received.senderAddress().toString() != m_address)
            continue;
        const KeypadDatagram datagram = KeypadDatagram::decode(received.data());
        if (datagram.kind() == KeypadDatagram::SceneSelected) {
            const int scene = datagram.scene();
            qCDebug(lcDevice) << "MSPComm::processPendingKeyPadDatagrams() - scene:" << scene;
            if (MSPSceneModel::instance()->activeSceneIndex() == scene - 1)
                continue;
            // A keypad may send one press more than once (it cannot know
            // that a datagram arrived); while its show is being read, the
            // same scene again is the same press.
            if ((m_pressReply || (m_waitingChoice >= 0 && m_waitingChoiceIsPress)) && m_pressScene == scene)
                continue;
            // The keypad plays the pressed scene from now on, and the screen
            // follows at once rather than when the keypad answers: an edit
            // made meanwhile must not go to the scene the keypad left, where
            // its preview would make the keypad play that scene again. That
            // scene's last edit leaves before the pressed one is asked for.
            handleSceneUpdateTimer();
            ++m_sceneChoices;
            awaitPreview(scene - 1);
            emit activeSceneIndexChanged(scene - 1);
            qCDebug(lcDevice) << "MSPComm::processPendingKeyPadDatagrams() - getting scene";
            // A preview of the scene left still on its way makes the keypad
            // play that scene again when it arrives: the read of the pressed
            // scene, which plays it once more, waits for its answer.
            m_pressScene = scene;
            m_waitingChoice = scene - 1;
            m_waitingChoiceIsPress = true;
            sendChoiceAfterPreviews();
        } else if (datagram.kind() == KeypadDatagram::ConfigurationChanged) {
            requestConfig();
        } else if (datagram.scene() != 0) {
            qCDebug(lcDevice) << "MSPComm::processPendingKeyPadDatagrams() - scene:" << datagram.scene()
                              << "out of range, datagram dropped";
        }
    }
}

void MSPComm::toggleSocket()
{
    if (!m_heartBeatSocket)
        return;
    m_socketEnabled = !m_socketEnabled;
    if (m_socketEnabled && !m_bindMessageShown) {
        qCDebug(lcDevice) << "################### enabling socket #########################";
        if (m_heartBeatSocket->bind(QHostAddress(QHostAddress::AnyIPv4), heartBeatPort, QUdpSocket::ReuseAddressHint)) {
            qCDebug(lcDevice) << "################### socket enabled #########################";
        } else {
            m_bindMessageShown = true;
            QMessageBox::critical(QApplication::activeWindow(), tr("Error"),
                                  tr("Failed to bind to port 6038.  Close any application that may be using "
                                     "this port."),
                                  QMessageBox::Ok);
            m_bindMessageShown = false;
        }
        return;
    }
    // A heartbeat that came in while the program was busy is still a heartbeat.
    if (m_heartBeatSocket->state() == QAbstractSocket::BoundState && m_heartBeatSocket->hasPendingDatagrams()) {
        m_socketEnabled = true;
        processPendingHeartBeatDatagrams();
        return;
    }
    m_heartBeatSocket->close();
}

void MSPComm::processPendingHeartBeatDatagrams()
{
    while (m_heartBeatSocket->state() == QAbstractSocket::BoundState && m_heartBeatSocket->hasPendingDatagrams()) {
        const QNetworkDatagram received = m_heartBeatSocket->receiveDatagram();
        if (!received.isValid() || received.senderAddress().toString() != m_address)
            continue;
        qCDebug(lcDevice) << " ******************** got heartbeat ******************* ";
        emit heartBeat(isAddressReachable(m_address));
        toggleSocket();
        return;
    }
}

QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
void MSPComm::handleHostAddressChanged(QNetworkAddressEntry hostAddressEntry, QString name)
{
    if (name.isEmpty()) {
        m_manager->setConfiguration(m_configurationManager->defaultConfiguration());
    } else {
        const auto configurations = m_configurationManager->allConfigurations();
        for (const QNetworkConfiguration &configuration : configurations) {
            if (configuration.name() == name) {
                m_manager->setConfiguration(configuration);
                break;
            }
        }
    }
    Dravon *dravon = Discoverer::instance()->dravon();
    dravon->resetSocket();
    if (!dravon->setInterface(hostAddressEntry))
        qCDebug(lcDevice) << "setting the dravon interface failed for" << name;
}
QT_WARNING_POP
