// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

/**
 * How the program stands with the keypad. Heartbeats (any successful HTTP
 * reply, any heartbeat datagram) drive it; a 2000 ms tick without one
 * degrades it, except that a connected keypad counts as lost only after
 * silentTicksBeforeLost silent ticks in a row. The main window, the control panel and the status display
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
        Restoring = 8,
        /** The keypad was sent to a new address and is restarting there; the window waits for it. */
        Moving = 9
    };

    /** The single object, created on first use (which also creates MSPComm). */
    static ConnectionState *instance();
    ~ConnectionState() override;

    void setState(State state);
    State state() const { return m_state; }

    /** Length of one tick of the connection clock. */
    static constexpr int tickInterval = 2000;
    /**
     * A connection is really lost only after this many ticks in a row
     * without any sign of life (a heartbeat or an answer): one late
     * heartbeat or a busy moment must not look like a lost keypad. After
     * each silent tick the keypad is asked (keypadQuiet()); its answer is
     * a sign of life.
     */
    static constexpr int silentTicksBeforeLost = 3;

    /** One tick of the connection clock; the timer runs it every tickInterval ms. */
    void tick();

signals:
    void stateChanged(ConnectionState::State status);
    void heartBeat(bool reachable);
    /** A connected keypad sent no sign of life during the last tick. */
    void keypadQuiet();

public slots:
    void handleHeartBeat(bool reachable);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    ConnectionState();

    int m_timerId = 0;
    bool m_heartBeatSeen = false;
    // Ticks in a row without a sign of life while connected.
    int m_silentTicks = 0;
    State m_state = Discovering;
};
