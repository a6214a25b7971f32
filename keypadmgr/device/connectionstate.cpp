// SPDX-License-Identifier: GPL-3.0-or-later
#include "connectionstate.h"

#include "mspcomm.h"

#include <QTimerEvent>

ConnectionState *ConnectionState::instance()
{
    static ConnectionState *state = new ConnectionState;
    return state;
}

ConnectionState::ConnectionState()
{
    m_timerId = startTimer(tickInterval, Qt::CoarseTimer);
    connect(MSPComm::instance(), &MSPComm::heartBeat, this, &ConnectionState::handleHeartBeat);
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
    m_state = state;
    emit stateChanged(m_state);
}

void ConnectionState::handleHeartBeat(bool reachable)
{
    // Demo mode is offline by choice: a keypad that happens to answer must
    // not pull the program out of it.
    if (m_state == DemoMode)
        return;

    emit heartBeat(reachable);
    m_heartBeatSeen = true;

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
            setState(ConnectionLost);
            break;
        case ConnectionLost:
        case Restoring:
            break;
        default:
            setState(NotConnected);
            break;
        }
    }
    m_heartBeatSeen = false;
}
