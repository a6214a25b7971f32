// SPDX-License-Identifier: GPL-3.0-or-later
#include "connectionstate.h"

#include "mspcomm.h"

#include <QLoggingCategory>
#include <QTimerEvent>

Q_DECLARE_LOGGING_CATEGORY(lcDevice)

ConnectionState *ConnectionState::instance()
{
    static ConnectionState *state = new ConnectionState;
    return state;
}

ConnectionState::ConnectionState()
{
    m_timerId = startTimer(tickInterval, Qt::CoarseTimer);
    connect(MSPComm::instance(), &MSPComm::heartBeat, this, &ConnectionState::handleHeartBeat);
    connect(this, &ConnectionState::keypadQuiet, MSPComm::instance(), &MSPComm::probe);
    emit stateChanged(m_state);
}

ConnectionState::~ConnectionState()
{
    if (m_timerId)
        killTimer(m_timerId);
}

void ConnectionState::setState(State state)
{
    if (m_state == state)
        return;
    qCDebug(lcDevice) << "connection state" << int(m_state) << "->" << int(state);
    m_state = state;
    m_silentTicks = 0;
    emit stateChanged(m_state);
}

void ConnectionState::handleHeartBeat(bool reachable)
{
    // Demo mode is offline by choice: a keypad that happens to answer must
    // not pull the program out of it. A keypad being moved still talks from
    // its old address until it restarts; the window looks for it afterwards.
    if (m_state == DemoMode || m_state == Moving)
        return;

    emit heartBeat(reachable);
    m_heartBeatSeen = true;
    m_silentTicks = 0;

    if (reachable)
        setState(Connected);
    else if (m_state == Connected)
        setState(ConnectionLost);
}

void ConnectionState::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId) {
        QObject::timerEvent(event);
        return;
    }
    tick();
}

void ConnectionState::tick()
{
    if (!m_heartBeatSeen && m_state != Unreachable && m_state != DemoMode) {
        switch (m_state) {
        case Connected:
            // The keypad's heartbeats come every second, but the program
            // listens only every other second, and a loaded network or
            // machine delays them further: a single silent tick is normal.
            if (++m_silentTicks >= silentTicksBeforeLost)
                setState(ConnectionLost);
            else
                emit keypadQuiet();
            break;
        case ConnectionLost:
        case Restoring:
        case Moving:
            break;
        default:
            setState(NotConnected);
            break;
        }
    }
    m_heartBeatSeen = false;
}
