// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspcomm.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>

/**
 * Records the requests MSPComm sends from now on, each with the time it left.
 * Pacing is checked on these times: the simulator's log shows when the keypad
 * read a request, and a keypad process that is kept waiting reads two paced
 * requests almost at once.
 */
class SentRequests : public QObject
{
public:
    struct Sent
    {
        qint64 msecs;
        QString method;
        QString path;
        QByteArray body;
        QString line() const { return method + QLatin1Char(' ') + path; }
    };

    explicit SentRequests(MSPComm *comm)
    {
        m_clock.start();
        connect(comm, &MSPComm::requestSent, this,
                [this](const QString &method, const QString &path, const QByteArray &body) {
                    m_sent.append({m_clock.elapsed(), method, path, body});
                });
    }

    /** The requests sent for which @p keep returns true, in the order they left. */
    template<typename Predicate>
    QList<Sent> matching(Predicate keep) const
    {
        QList<Sent> result;
        for (const Sent &sent : m_sent)
            if (keep(sent))
                result.append(sent);
        return result;
    }
    const QList<Sent> &all() const { return m_sent; }

private:
    QElapsedTimer m_clock;
    QList<Sent> m_sent;
};
