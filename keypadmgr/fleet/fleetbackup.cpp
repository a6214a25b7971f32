// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetbackup.h"

#include "fleetlogging.h"
#include "fleetsettings.h"
#include "keypadclient.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QRegularExpression>
#include <QSaveFile>

FleetBackup::FleetBackup(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_timeout(KeypadClient::defaultTimeout)
{
}

FleetBackup::~FleetBackup() = default;

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
    if (m_results.isEmpty()) {
        emit finished();
        return;
    }
    while (m_running < m_parallel && m_next < m_results.size())
        startNext();
}

void FleetBackup::startNext()
{
    const int index = m_next++;
    ++m_running;
    auto *client = new KeypadClient(m_results.at(index).keypad.address, m_manager, this);
    client->setTimeout(m_timeout);
    connect(client, &KeypadClient::fetched, this, [this, index, client](bool ok) { finish(index, client, ok); });
    client->fetch();
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
        result.file = write(config.name(), result.keypad.address, client->snapshot().document(), &result.error);
        result.ok = !result.file.isEmpty();
        if (result.ok)
            m_backedUp.append(qMakePair(result.keypad.address, FleetSettings::Backup{QDateTime::currentDateTime(), result.file}));
    } else {
        result.error = client->errorString();
    }
    client->deleteLater();
    const Result done = result;
    emit keypadDone(done);
    if (m_running == 0 && m_next >= m_results.size()) {
        // The keypad list shows them; the settings file is written once.
        FleetSettings::setLastBackups(m_backedUp);
        m_backedUp.clear();
        emit finished();
    }
}

QString FleetBackup::write(const QString &name, const QString &address, const QString &document,
                           QString *error) const
{
    const QDir dir(m_directory);
    const QString base = fileName(name, address, QDateTime::currentDateTime());
    // A second backup within the same minute keeps the first.
    QString path = dir.absoluteFilePath(base);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.absoluteFilePath(base.chopped(4) + QLatin1Char('-') + QString::number(n) + QLatin1String(".xml"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(document.toLatin1()) < 0 || !file.commit()) {
        *error = tr("cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return QString();
    }
    qCDebug(lcFleet) << "backed up" << address << "to" << path;
    return path;
}
