// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetbackup.h"

#include "fleetlogging.h"
#include "fleetsettings.h"
#include "keypadclient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Puts the files on disk. Each flush costs the disk a cache flush of its
// own, a few milliseconds even when there is little to write, so on Linux
// one flush of the folder's file system serves any number of files.
bool flushToDisk(const QString &folder, const QStringList &files)
{
    bool ok = true;
#ifdef Q_OS_LINUX
    Q_UNUSED(files)
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ok = ::syncfs(fd) == 0;
    ::close(fd);
#else
    Q_UNUSED(folder)
    for (const QString &path : files) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        ok = fd >= 0 && ::fsync(fd) == 0 && ok;
        if (fd >= 0)
            ::close(fd);
    }
#endif
    return ok;
}

// Makes the renames themselves durable.
void flushFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::fsync(fd) != 0)
        qCWarning(lcFleet) << "cannot flush the folder" << folder;
    ::close(fd);
}

} // namespace

FleetBackup::FleetBackup(QObject *parent)
    : QObject(parent)
    , m_timeout(KeypadClient::defaultTimeout)
{
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(flushInterval);
    connect(&m_flushTimer, &QTimer::timeout, this, [this] {
        commitStaged();
        finishIfDone();
    });
    connect(&m_macScanner, &KeypadScanner::keypadFound, this, &FleetBackup::takeMac);
    m_macWait.setSingleShot(true);
    m_macWait.setInterval(KeypadScanner::defaultReplyWindow);
    connect(&m_macWait, &QTimer::timeout, this, [this] {
        m_macWaitOver = true;
        finishIfDone();
    });
}

FleetBackup::~FleetBackup()
{
    // Files never flushed are no backups.
    for (const Staged &staged : qAsConst(m_staged))
        QFile::remove(staged.temporary);
}

QString FleetBackup::fileName(const QString &name, const QString &address, const QDateTime &when)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    QString text = name + QLatin1Char('_') + address + QLatin1Char('_')
        + when.toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    text.replace(unsafe, QStringLiteral("_"));
    // A name of dots alone would be no file of its own.
    if (text.startsWith(QLatin1Char('.')))
        text.prepend(QLatin1Char('_'));
    return text + QLatin1String(".xml");
}

void FleetBackup::start(const QList<KeypadInfo> &keypads)
{
    m_results.clear();
    for (const KeypadInfo &keypad : keypads)
        m_results.append({keypad, false, QString(), QString()});
    m_next = 0;
    m_running = 0;
    m_finished = false;
    m_macWaitOver = false;
    while (m_running < m_parallel && m_next < m_results.size())
        startNext();
    finishIfDone();
}

void FleetBackup::startNext()
{
    const int index = m_next++;
    ++m_running;
    // A backup only reads: the client needs no network access manager.
    auto *client = new KeypadClient(m_results.at(index).keypad.address, nullptr, this);
    client->setTimeout(m_timeout);
    connect(client, &KeypadClient::fetched, this, [this, index, client](bool ok) { finish(index, client, ok); });
    client->fetch();
    // Its MAC comes with the answer to a discover request, while the
    // backup is under way: the pacing of the backups paces these too.
    if (m_results.at(index).keypad.mac.isEmpty())
        m_macScanner.ask(QHostAddress(m_results.at(index).keypad.address));
}

void FleetBackup::finish(int index, KeypadClient *client, bool ok)
{
    // The next keypad is asked first: its answers travel while this file
    // is written.
    --m_running;
    if (m_next < m_results.size())
        startNext();

    Result &result = m_results[index];
    if (ok) {
        const SystemConfiguration &config = client->snapshot().configuration();
        if (result.keypad.name.isEmpty())
            result.keypad.name = config.name();
        if (result.keypad.firmware.isEmpty())
            result.keypad.firmware = config.version();
        result.keypad.universe = config.universe();
        stage(index, config.name(), client->snapshot().document());
    } else {
        result.error = client->errorString();
        const Result done = result;
        emit keypadDone(done);
    }
    client->deleteLater();
    finishIfDone();
}

QString FleetBackup::freePath(const QString &name, const QString &address, const QDateTime &when)
{
    const QDir dir(m_directory);
    const QString base = fileName(name, address, when);
    // A second backup within the same minute keeps the first.
    QString path = dir.absoluteFilePath(base);
    for (int n = 2; QFileInfo::exists(path) || m_claimed.contains(path); ++n)
        path = dir.absoluteFilePath(base.chopped(4) + QLatin1Char('-') + QString::number(n) + QLatin1String(".xml"));
    return path;
}

void FleetBackup::stage(int index, const QString &name, const QString &document)
{
    Result &result = m_results[index];
    Staged staged{index, QString(), QString(), QDateTime::currentDateTime()};
    staged.path = freePath(name, result.keypad.address, staged.time);
    const QFileInfo info(staged.path);
    staged.temporary = info.dir().filePath(QLatin1Char('.') + info.fileName() + QLatin1String(".part"));
    QFile file(staged.temporary);
    const QByteArray bytes = document.toLatin1();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush()) {
        result.error = tr("cannot write %1: %2").arg(QDir::toNativeSeparators(staged.path), file.errorString());
        file.close();
        file.remove();
        const Result done = result;
        emit keypadDone(done);
        return;
    }
    file.close();
    m_claimed.insert(staged.path);
    m_staged.append(staged);
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void FleetBackup::commitStaged()
{
    m_flushTimer.stop();
    if (m_staged.isEmpty())
        return;
    const QList<Staged> staged = m_staged;
    m_staged.clear();
    m_claimed.clear();
    QStringList temporaries;
    for (const Staged &s : staged)
        temporaries << s.temporary;
    const bool flushed = flushToDisk(m_directory, temporaries);
    QList<Result> done;
    for (const Staged &s : staged) {
        Result &result = m_results[s.index];
        if (!flushed) {
            result.error = tr("cannot write %1: %2").arg(QDir::toNativeSeparators(s.path), tr("the disk did not take it"));
            QFile::remove(s.temporary);
            done.append(result);
            continue;
        }
        QFile file(s.temporary);
        if (!file.rename(s.path)) {
            result.error = tr("cannot write %1: %2").arg(QDir::toNativeSeparators(s.path), file.errorString());
            file.remove();
        } else {
            result.ok = true;
            result.file = s.path;
            m_backedUp.append(qMakePair(result.keypad, FleetSettings::Backup{s.time, s.path}));
            qCDebug(lcFleet) << "backed up" << result.keypad.address << "to" << s.path;
        }
        done.append(result);
    }
    if (flushed)
        flushFolder(m_directory);
    for (const Result &result : qAsConst(done))
        emit keypadDone(result);
}

void FleetBackup::takeMac(const KeypadInfo &found)
{
    for (Result &result : m_results) {
        if (result.keypad.address == found.address && result.keypad.mac.isEmpty())
            result.keypad.mac = found.mac;
    }
    for (auto &backup : m_backedUp) {
        if (backup.first.address == found.address && backup.first.mac.isEmpty())
            backup.first.mac = found.mac;
    }
    finishIfDone();
}

bool FleetBackup::waitsForMacs() const
{
    if (m_macWaitOver)
        return false;
    return std::any_of(m_backedUp.cbegin(), m_backedUp.cend(),
                       [](const QPair<KeypadInfo, FleetSettings::Backup> &b) { return b.first.mac.isEmpty(); });
}

void FleetBackup::finishIfDone()
{
    if (m_finished || isRunning())
        return;
    commitStaged();
    if (waitsForMacs()) {
        if (!m_macWait.isActive())
            m_macWait.start();
        return;
    }
    m_macWait.stop();
    m_finished = true;
    for (const auto &backup : qAsConst(m_backedUp)) {
        if (backup.first.mac.isEmpty())
            qCWarning(lcFleet) << backup.first.address << "told no MAC; its last backup is not remembered";
    }
    // The keypad list shows them; the settings file is written once.
    FleetSettings::setLastBackups(m_backedUp);
    m_backedUp.clear();
    emit finished();
}
