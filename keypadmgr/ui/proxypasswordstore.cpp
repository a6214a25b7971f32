// SPDX-License-Identifier: GPL-3.0-or-later
#include "proxypasswordstore.h"

#include "secretstorejob.h"
#include "updatechecker.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QSettings>
#include <QTimer>

#include <utility>

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
    const auto noAnswer = [this] {
        m_reading = false;
        if (!m_loaded) {
            m_loaded = true;
            m_storage = ThisRunOnly;
        }
        answerWaiting();
    };
    SecretStoreJob *job = SecretStoreJob::create(SecretStoreJob::Read, QLatin1String(serviceName),
                                                 QLatin1String(secretKey))
                              .release();
    if (!job) {
        noAnswer();
        return;
    }
    auto *limit = new QTimer(this);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, this, [job, limit, noAnswer] {
        qCWarning(lcSecrets) << "The secret store did not answer within" << answerTimeout << "ms";
        // Its late answer changes nothing; it cleans up after itself.
        job->abandon();
        limit->deleteLater();
        noAnswer();
    });
    limit->start(answerTimeout);
    job->start([this, job, limit] {
        limit->stop();
        limit->deleteLater();
        m_reading = false;
        // password() may have read the store meanwhile, waiting for it.
        if (!m_loaded) {
            m_loaded = true;
            if (job->error() == SecretStoreJob::NoError)
                m_password = job->textData();
            else if (job->error() != SecretStoreJob::EntryNotFound)
                qCWarning(lcSecrets) << "Secret store:" << job->errorString();
            m_storage = storageAfter(*job);
        }
        delete job;
        answerWaiting();
    });
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
    std::unique_ptr<SecretStoreJob> job = SecretStoreJob::create(SecretStoreJob::Read, QLatin1String(serviceName),
                                                                 QLatin1String(secretKey));
    if (!run(job)) {
        m_storage = ThisRunOnly;
        return;
    }
    if (job->error() == SecretStoreJob::NoError)
        m_password = job->textData();
    m_storage = storageAfter(*job);
}

ProxyPasswordStore::Storage ProxyPasswordStore::storageAfter(const SecretStoreJob &job)
{
    // No entry yet is an answer of a working store.
    return job.error() == SecretStoreJob::NoError || job.error() == SecretStoreJob::EntryNotFound ? SecretStore
                                                                                                  : ThisRunOnly;
}

std::unique_ptr<SecretStoreJob> ProxyPasswordStore::storeJob() const
{
    return SecretStoreJob::create(m_password.isEmpty() ? SecretStoreJob::Delete : SecretStoreJob::Write,
                                  QLatin1String(serviceName), QLatin1String(secretKey), m_password);
}

void ProxyPasswordStore::store()
{
    std::unique_ptr<SecretStoreJob> job = storeJob();
    m_storage = run(job) ? storageAfter(*job) : ThisRunOnly;
}

void ProxyPasswordStore::storeInBackground()
{
    SecretStoreJob *job = storeJob().release();
    if (!job) {
        m_storage = ThisRunOnly;
        return;
    }
    job->start([this, job] {
        if (job->error() != SecretStoreJob::NoError && job->error() != SecretStoreJob::EntryNotFound)
            qCWarning(lcSecrets) << "Secret store:" << job->errorString();
        m_storage = storageAfter(*job);
        delete job;
    });
}

bool ProxyPasswordStore::run(std::unique_ptr<SecretStoreJob> &job)
{
    if (!job)
        return false;
    // The store may sit behind a desktop service that never answers;
    // the window stays responsive meanwhile and gives up after a while.
    QEventLoop loop;
    bool finished = false;
    job->start([&finished, &loop] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(answerTimeout, &loop, &QEventLoop::quit);
    if (!finished)
        loop.exec();
    if (!finished) {
        qCWarning(lcSecrets) << "The secret store did not answer within" << answerTimeout << "ms";
        // It cleans up after itself once it does answer.
        job.release()->abandon();
        return false;
    }
    if (job->error() != SecretStoreJob::NoError && job->error() != SecretStoreJob::EntryNotFound)
        qCWarning(lcSecrets) << "Secret store:" << job->errorString();
    return true;
}
