// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keypadscanner.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

/**
 * The program's commands for many keypads, run without a window:
 *
 *   keypadmgr list [--scan CIDR]... [--address A]... [--json]
 *   keypadmgr backup (--all | --keypad A...) [--scan CIDR]... [--address A]... [--dir DIR]
 *   keypadmgr restore FILE --keypad A [--with-identity]
 *   keypadmgr diff FILE --keypad A [--json]
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
    bool readFile(const QString &path, QByteArray *data);

    QTextStream *m_out;
    QTextStream *m_err;
    bool m_progress = false;
    int m_timeout;
};
