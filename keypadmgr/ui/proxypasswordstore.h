// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

class SecretStoreJob;

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
    /**
     * Calls @p done with the password without waiting for the secret store:
     * at once when the password is known, otherwise once the store answers,
     * or with no password once it has not answered within answerTimeout
     * (it then counts as absent for this run). Nothing is called once
     * @p context is gone.
     */
    void fetchPassword(QObject *context, std::function<void(const QString &)> done);
    /** Keeps @p password for this run and in the secret store; an empty one is removed from it. */
    void setPassword(const QString &password);
    Storage storage() const { return m_storage; }

private:
    explicit ProxyPasswordStore(QObject *parent = nullptr);
    void load();
    /** Takes a password an older version left in the settings file; whether there was one. */
    bool takePlainPassword();
    /** A job that writes the password to the secret store, or removes it there when empty. */
    std::unique_ptr<SecretStoreJob> storeJob() const;
    void store();
    /** As store(), without waiting for the answer. */
    void storeInBackground();
    /** Reads the secret store without waiting; answerWaiting() follows its answer or the time limit. */
    void startReading();
    void answerWaiting();
    /**
     * Runs @p job, waiting while processing events. Whether it answered in
     * time (a missing job never does); otherwise it is let go, to delete
     * itself whenever it finishes.
     */
    bool run(std::unique_ptr<SecretStoreJob> &job);
    /** What a job's answer says about where the password lives. */
    static Storage storageAfter(const SecretStoreJob &job);

    bool m_loaded = false;
    QString m_password;
    Storage m_storage = NotYetKnown;
    /** A read started by fetchPassword() is under way. */
    bool m_reading = false;
    struct Waiting
    {
        QPointer<QObject> context;
        std::function<void(const QString &)> done;
    };
    QVector<Waiting> m_waiting;
};
