// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

/**
 * One request to the desktop's secret store.
 *
 * The store's client library and the libraries it pulls in (the session
 * bus, systemd's) are not linked into the program: they live in a module
 * loaded when the store is first asked, so a start that needs no password
 * does not load them at all. This interface is all the program and the
 * module share; it is header-only, so neither needs the other's symbols.
 */
class SecretStoreJob
{
public:
    enum Kind {
        Read,
        Write,
        Delete
    };
    enum Error {
        NoError,
        EntryNotFound, ///< the store works, but holds nothing under the key
        OtherError     ///< no store answered, or it refused
    };

    virtual ~SecretStoreJob() = default;

    /**
     * Asks the store. @p done is called once, when it answers; it may
     * delete the job.
     */
    virtual void start(std::function<void()> done) = 0;
    /**
     * Forgets the request: its answer calls nothing, and the job deletes
     * itself once the store has answered. The caller gives up the job.
     */
    virtual void abandon() = 0;
    virtual Error error() const = 0;
    virtual QString errorString() const = 0;
    /** What a read found. */
    virtual QString textData() const = 0;

    /**
     * A request for @p key of @p service (@p text is what a write stores),
     * or none when the module that talks to the store cannot be loaded.
     */
    static std::unique_ptr<SecretStoreJob> create(Kind kind, const QString &service, const QString &key,
                                                  const QString &text = QString());
};

/** The module's one entry point, looked up by this name. */
using SecretStoreJobFactory = SecretStoreJob *(*)(int kind, const QString &service, const QString &key,
                                                  const QString &text);
constexpr char secretStoreJobFactoryName[] = "keypadCreateSecretStoreJob";
