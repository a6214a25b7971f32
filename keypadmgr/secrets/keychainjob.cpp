// SPDX-License-Identifier: GPL-3.0-or-later
//
// The module the program loads to reach the desktop's secret store, through
// QtKeychain. Only this module links it.
#include "secretstorejob.h"

#include <QObject>

#include <qt5keychain/keychain.h>

namespace {

class KeychainJob final : public SecretStoreJob
{
public:
    KeychainJob(int kind, const QString &service, const QString &key, const QString &text)
    {
        if (kind == Read) {
            m_job = new QKeychain::ReadPasswordJob(service);
        } else if (kind == Write) {
            auto *write = new QKeychain::WritePasswordJob(service);
            write->setTextData(text);
            m_job = write;
        } else {
            m_job = new QKeychain::DeletePasswordJob(service);
        }
        m_job->setKey(key);
        m_job->setAutoDelete(false);
        m_answer = QObject::connect(m_job, &QKeychain::Job::finished, m_job, [this] {
            if (m_abandoned) {
                delete this;
                return;
            }
            // The callback may delete this job: nothing of it is used after.
            const std::function<void()> done = std::move(m_done);
            if (done)
                done();
        });
    }

    ~KeychainJob() override
    {
        // Possibly from within the job's own answer; an answer still to come
        // finds no one.
        QObject::disconnect(m_answer);
        m_job->deleteLater();
    }

    void start(std::function<void()> done) override
    {
        m_done = std::move(done);
        m_job->start();
    }

    void abandon() override
    {
        m_abandoned = true;
        m_done = nullptr;
    }

    Error error() const override
    {
        switch (m_job->error()) {
        case QKeychain::NoError:
            return NoError;
        case QKeychain::EntryNotFound:
            return EntryNotFound;
        default:
            return OtherError;
        }
    }

    QString errorString() const override { return m_job->errorString(); }

    QString textData() const override
    {
        auto *read = qobject_cast<QKeychain::ReadPasswordJob *>(m_job);
        return read ? read->textData() : QString();
    }

private:
    QKeychain::Job *m_job = nullptr;
    QMetaObject::Connection m_answer;
    std::function<void()> m_done;
    bool m_abandoned = false;
};

} // namespace

extern "C" Q_DECL_EXPORT SecretStoreJob *keypadCreateSecretStoreJob(int kind, const QString &service,
                                                                    const QString &key, const QString &text)
{
    return new KeychainJob(kind, service, key, text);
}
