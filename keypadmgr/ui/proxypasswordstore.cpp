// SPDX-License-Identifier: GPL-3.0-or-later
#include "proxypasswordstore.h"

#include "updatechecker.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QSettings>
#include <QTimer>

#include <utility>

#include <qt5keychain/keychain.h>

Q_LOGGING_CATEGORY(lcSecrets, "keypad.secrets")

ProxyPasswordStore::ProxyPasswordStore(QObject *parent)
    : QObject(parent)
{
}

ProxyPasswordStore *ProxyPasswordStore::instance()
{
    static ProxyPasswordStore *store = new ProxyPasswordStore;
    return store;
}

QString ProxyPasswordStore::password()
{
    // A plain value that turns up later (an older version ran meanwhile) is moved as well.
    if (!m_loaded || QSettings().contains(QLatin1String(UpdateChecker::keyProxyPassword)))
        load();
    return m_password;
}

void ProxyPasswordStore::setPassword(const QString &password)
{
    m_loaded = true;
    if (password == m_password && m_storage != NotYetKnown)
        return;
    m_password = password;
    store();
}

bool ProxyPasswordStore::takePlainPassword()
{
    QSettings settings;
    const QString plainKey = QLatin1String(UpdateChecker::keyProxyPassword);
    if (!settings.contains(plainKey))
        return false;
    // Written by an older version as typed: it leaves the file now,
    // whether or not a secret store takes it.
    m_loaded = true;
    m_password = settings.value(plainKey).toString();
    settings.remove(plainKey);
    settings.sync();
    return true;
}

void ProxyPasswordStore::fetchPassword(QObject *context, std::function<void(const QString &)> done)
{
    // The old plain value is known at once; the store takes it meanwhile.
    if (takePlainPassword())
        storeInBackground();
    if (m_loaded) {
        done(m_password);
        return;
    }
    m_waiting.append({QPointer<QObject>(context), std::move(done)});
    if (!m_reading)
        startReading();
}

void ProxyPasswordStore::startReading()
{
    m_reading = true;
    auto *job = new QKeychain::ReadPasswordJob(QLatin1String(serviceName), this);
    job->setKey(QLatin1String(secretKey));
    job->setAutoDelete(true);
    auto *limit = new QTimer(job);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, this, [this, job] {
        qCWarning(lcSecrets) << "The secret store did not answer within" << answerTimeout << "ms";
        // Its late answer changes nothing; it cleans up after itself.
        disconnect(job, nullptr, this, nullptr);
        m_reading = false;
        if (!m_loaded) {
            m_loaded = true;
            m_storage = ThisRunOnly;
        }
        answerWaiting();
    });
    connect(job, &QKeychain::Job::finished, this, [this, job, limit] {
        limit->stop();
        m_reading = false;
        // password() may have read the store meanwhile, waiting for it.
        if (!m_loaded) {
            m_loaded = true;
            if (job->error() == QKeychain::NoError)
                m_password = job->textData();
            else if (job->error() != QKeychain::EntryNotFound)
                qCWarning(lcSecrets) << "Secret store:" << job->errorString();
            m_storage = storageAfter(job->error());
        }
        answerWaiting();
    });
    limit->start(answerTimeout);
    job->start();
}

void ProxyPasswordStore::answerWaiting()
{
    const QVector<Waiting> waiting = std::exchange(m_waiting, {});
    for (const Waiting &w : waiting) {
        if (w.context)
            w.done(m_password);
    }
}

void ProxyPasswordStore::load()
{
    m_loaded = true;
    if (takePlainPassword()) {
        store();
        return;
    }
    auto *job = new QKeychain::ReadPasswordJob(QLatin1String(serviceName));
    job->setKey(QLatin1String(secretKey));
    if (!run(job)) {
        m_storage = ThisRunOnly;
        return;
    }
    if (job->error() == QKeychain::NoError)
        m_password = job->textData();
    m_storage = storageAfter(job->error());
    job->deleteLater();
}

ProxyPasswordStore::Storage ProxyPasswordStore::storageAfter(int error)
{
    // No entry yet is an answer of a working store.
    return error == QKeychain::NoError || error == QKeychain::EntryNotFound ? SecretStore : ThisRunOnly;
}

QKeychain::Job *ProxyPasswordStore::storeJob() const
{
    QKeychain::Job *job = nullptr;
    if (m_password.isEmpty()) {
        job = new QKeychain::DeletePasswordJob(QLatin1String(serviceName));
    } else {
        auto *write = new QKeychain::WritePasswordJob(QLatin1String(serviceName));
        write->setTextData(m_password);
        job = write;
    }
    job->setKey(QLatin1String(secretKey));
    return job;
}

void ProxyPasswordStore::store()
{
    QKeychain::Job *job = storeJob();
    if (!run(job)) {
        m_storage = ThisRunOnly;
        return;
    }
    m_storage = storageAfter(job->error());
    job->deleteLater();
}

void ProxyPasswordStore::storeInBackground()
{
    QKeychain::Job *job = storeJob();
    job->setAutoDelete(true);
    connect(job, &QKeychain::Job::finished, this, [this, job] {
        if (job->error() != QKeychain::NoError && job->error() != QKeychain::EntryNotFound)
            qCWarning(lcSecrets) << "Secret store:" << job->errorString();
        m_storage = storageAfter(job->error());
    });
    job->start();
}

bool ProxyPasswordStore::run(QKeychain::Job *job)
{
    job->setAutoDelete(false);
    // The store may sit behind a desktop service that never answers;
    // the window stays responsive meanwhile and gives up after a while.
    QEventLoop loop;
    bool finished = false;
    connect(job, &QKeychain::Job::finished, &loop, [&finished, &loop] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(answerTimeout, &loop, &QEventLoop::quit);
    job->start();
    if (!finished)
        loop.exec();
    if (!finished) {
        qCWarning(lcSecrets) << "The secret store did not answer within" << answerTimeout << "ms";
        // It cleans up after itself once it does answer.
        disconnect(job, nullptr, &loop, nullptr);
        job->setAutoDelete(true);
        return false;
    }
    if (job->error() != QKeychain::NoError && job->error() != QKeychain::EntryNotFound)
        qCWarning(lcSecrets) << "Secret store:" << job->errorString();
    return true;
}
