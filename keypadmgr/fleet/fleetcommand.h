// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keypadscanner.h"
#include "keypadclient.h"
#include "keypadsnapshot.h"

#include <QCoreApplication>
#include <QList>
#include <QNetworkAccessManager>
#include <QString>
#include <QStringList>

#include <memory>

class QCommandLineOption;
class QCommandLineParser;
class QTextStream;

/**
 * The program's commands for many keypads, run without a window:
 *
 *   keypadmgr list [--scan CIDR]... [--address A]... [--no-remembered] [--json]
 *   keypadmgr backup (--all | --keypad A...) [--scan CIDR]... [--address A]... [--no-remembered] [--dir DIR]
 *   keypadmgr restore FILE --keypad A [--with-identity]
 *   keypadmgr diff FILE --keypad A [--json]
 *
 * list and backup --all also ask the subnets and addresses the user added
 * in the keypad list, unless --no-remembered is given.
 *
 * Results go to standard output, failures (with the keypad and the
 * reason) and progress to standard error. The exit status is 0 when
 * everything succeeded (for diff: nothing differs), 1 when something
 * failed or differs, 2 for a usage error.
 */
class FleetCommand
{
    Q_DECLARE_TR_FUNCTIONS(FleetCommand)
    Q_DISABLE_COPY(FleetCommand)
public:
    enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

    FleetCommand(QTextStream *out, QTextStream *err);

    /** Whether @p arguments (the program's name first) name one of the commands. */
    static bool isCommand(const QStringList &arguments);
    /** The commands, their options and an example each, for --help. */
    static QString commandsHelp();

    /** Progress lines on standard error (when it is a terminal). */
    void setProgress(bool on) { m_progress = on; }
    /** Time-out of each request to a keypad, ms. */
    void setTimeout(int ms) { m_timeout = ms; }

    /** Runs the command of @p arguments (the program's name first); the exit status. */
    int run(const QStringList &arguments);

private:
    int list(const QStringList &arguments);
    int backup(const QStringList &arguments);
    int restore(const QStringList &arguments);
    int diff(const QStringList &arguments);

    int usageError(const QString &command, const QString &text);
    bool collectTargets(const QStringList &scans, const QStringList &addresses, QList<QHostAddress> *targets,
                        QString *error) const;
    QList<KeypadInfo> find(const QList<QHostAddress> &targets);
    void progress(const QString &text);
    QString who(const KeypadInfo &keypad) const;
    /** Writes @p line to standard error; Failure. */
    int fail(const QString &line);
    /** "who: reason" on standard error; Failure. */
    int failure(const QString &who, const QString &reason);

    /** The one configuration file and the one keypad that restore and diff work on. */
    struct FileForKeypad
    {
        QString file;
        QString address;
        QByteArray document;
        KeypadSnapshot snapshot; ///< of the file
        QNetworkAccessManager manager;
        std::unique_ptr<KeypadClient> client; ///< has read the keypad
    };
    /**
     * Parses "<command> FILE --keypad A" with @p parser's options, reads
     * FILE and then the keypad; Success, or the exit status after saying
     * what is wrong.
     */
    int readFileForKeypad(const QStringList &arguments, QCommandLineParser *parser, const QCommandLineOption &keypad,
                          FileForKeypad *target);

    QTextStream *m_out;
    QTextStream *m_err;
    bool m_progress = false;
    int m_timeout;
};
