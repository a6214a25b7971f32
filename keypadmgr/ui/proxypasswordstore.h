// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace QKeychain {
class Job;
}

/**
 * Where the update check's proxy password lives: the desktop's secret
 * store, never the settings file. A password an older version left in the
 * settings file is moved to the secret store on first use and erased from
 * the file. Where no secret store answers, the password is kept only while
 * the program runs (storage() says so, and the update dialog tells the
 * user).
 */
class ProxyPasswordStore : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ProxyPasswordStore)
public:
    enum Storage {
        NotYetKnown, ///< the secret store has not been asked yet
        SecretStore, ///< the desktop's secret store keeps it
        ThisRunOnly  ///< no secret store answered: kept in memory until the program ends
    };
    Q_ENUM(Storage)

    /** The name the password is filed under in the secret store. */
    static constexpr char serviceName[] = "Lumetra Keypad Effect Manager";
    static constexpr char secretKey[] = "proxy_password";
    /** How long the secret store may take to answer, ms. */
    static constexpr int answerTimeout = 5000;

    static ProxyPasswordStore *instance();

    /** The password; the first call reads the secret store (moving an old plain value there first). */
    QString password();
    /** Keeps @p password for this run and in the secret store; an empty one is removed from it. */
    void setPassword(const QString &password);
    Storage storage() const { return m_storage; }

private:
    explicit ProxyPasswordStore(QObject *parent = nullptr);
    void load();
    void store();
    /**
     * Runs @p job, waiting while processing events. Whether it answered in
     * time: it is then the caller's to read and delete; otherwise it deletes
     * itself whenever it finishes.
     */
    bool run(QKeychain::Job *job);
    /** What a job's error code (QKeychain::Error) says about where the password lives. */
    static Storage storageAfter(int error);

    bool m_loaded = false;
    QString m_password;
    Storage m_storage = NotYetKnown;
};
