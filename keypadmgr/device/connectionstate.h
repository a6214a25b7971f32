// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

/**
 * How the program stands with the keypad. Heartbeats (any successful HTTP
 * reply, any heartbeat datagram) drive it; a 2000 ms tick without one
 * degrades it. The main window, the control panel and the status display
 * follow stateChanged().
 */
class ConnectionState : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ConnectionState)
public:
    enum State {
        NoStatus = 0,
        Discovering = 1,
        Connected = 2,
        NotConnected = 3,
        Unreachable = 4,
        DemoMode = 5,
        ConnectionLost = 6,
        NoDevice = 7,
        Restoring = 8
    };

    /** The single object, created on first use (which also creates MSPComm). */
    static ConnectionState *instance();
    ~ConnectionState() override;

    void setState(State state);
    State state() const { return m_state; }

    /** Length of one tick without a heartbeat before the state degrades. */
    static constexpr int tickInterval = 2000;

    /** One tick of the connection clock; the timer runs it every tickInterval ms. */
    void tick();

signals:
    void stateChanged(ConnectionState::State status);
    void heartBeat(bool reachable);

public slots:
    void handleHeartBeat(bool reachable);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    ConnectionState();

    int m_timerId = 0;
    bool m_heartBeatSeen = false;
    State m_state = Discovering;
};
