// SPDX-License-Identifier: GPL-3.0-or-later
#include "connectionstate.h"
#include "mspcomm.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(ConnectionState::State)

class tst_ConnectionState : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startsDiscoveringAndDegradesOnTheClock();
    void heartBeat_data();
    void heartBeat();
    void tickWithoutHeartBeat_data();
    void tickWithoutHeartBeat();
    void heartBeatProtectsOneTickOnly();
    void demoModeIgnoresHeartBeats();
    void setStateEmitsOnlyOnChange();
    void commHeartBeatReachesState();
};

void tst_ConnectionState::initTestCase()
{
    qRegisterMetaType<ConnectionState::State>();
}

void tst_ConnectionState::startsDiscoveringAndDegradesOnTheClock()
{
    ConnectionState *state = ConnectionState::instance();
    // No keypad ever answers here: the first tick turns discovery into
    // NotConnected.
    QTRY_COMPARE_WITH_TIMEOUT(state->state(), ConnectionState::NotConnected, 3 * ConnectionState::tickInterval);
}

void tst_ConnectionState::heartBeat_data()
{
    QTest::addColumn<ConnectionState::State>("from");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<ConnectionState::State>("to");

    const ConnectionState::State all[] = {
        ConnectionState::NoStatus, ConnectionState::Discovering, ConnectionState::Connected,
        ConnectionState::NotConnected, ConnectionState::Unreachable, ConnectionState::ConnectionLost,
        ConnectionState::NoDevice, ConnectionState::Restoring,
    };
    for (ConnectionState::State from : all) {
        QTest::addRow("%d reachable", int(from)) << from << true << ConnectionState::Connected;
        const ConnectionState::State to = from == ConnectionState::Connected ? ConnectionState::ConnectionLost : from;
        QTest::addRow("%d unreachable", int(from)) << from << false << to;
    }
}

void tst_ConnectionState::heartBeat()
{
    QFETCH(ConnectionState::State, from);
    QFETCH(bool, reachable);
    QFETCH(ConnectionState::State, to);

    ConnectionState *state = ConnectionState::instance();
    state->setState(from);
    QSignalSpy forwarded(state, &ConnectionState::heartBeat);
    QSignalSpy changed(state, &ConnectionState::stateChanged);
    state->handleHeartBeat(reachable);
    QCOMPARE(state->state(), to);
    QCOMPARE(forwarded.count(), 1);
    QCOMPARE(forwarded.at(0).at(0).toBool(), reachable);
    QCOMPARE(changed.count(), from == to ? 0 : 1);
}

void tst_ConnectionState::tickWithoutHeartBeat_data()
{
    QTest::addColumn<ConnectionState::State>("from");
    QTest::addColumn<ConnectionState::State>("to");
    QTest::newRow("NoStatus") << ConnectionState::NoStatus << ConnectionState::NotConnected;
    QTest::newRow("Discovering") << ConnectionState::Discovering << ConnectionState::NotConnected;
    QTest::newRow("Connected") << ConnectionState::Connected << ConnectionState::ConnectionLost;
    QTest::newRow("NotConnected") << ConnectionState::NotConnected << ConnectionState::NotConnected;
    QTest::newRow("Unreachable") << ConnectionState::Unreachable << ConnectionState::Unreachable;
    QTest::newRow("DemoMode") << ConnectionState::DemoMode << ConnectionState::DemoMode;
    QTest::newRow("ConnectionLost") << ConnectionState::ConnectionLost << ConnectionState::ConnectionLost;
    QTest::newRow("NoDevice") << ConnectionState::NoDevice << ConnectionState::NotConnected;
    QTest::newRow("Restoring") << ConnectionState::Restoring << ConnectionState::Restoring;
}

void tst_ConnectionState::tickWithoutHeartBeat()
{
    QFETCH(ConnectionState::State, from);
    QFETCH(ConnectionState::State, to);

    ConnectionState *state = ConnectionState::instance();
    state->tick(); // forget any heartbeat of an earlier row
    state->setState(from);
    state->tick();
    QCOMPARE(state->state(), to);
    state->tick();
    QCOMPARE(state->state(), to);
}

void tst_ConnectionState::heartBeatProtectsOneTickOnly()
{
    ConnectionState *state = ConnectionState::instance();
    state->handleHeartBeat(true);
    QCOMPARE(state->state(), ConnectionState::Connected);
    state->tick();
    QCOMPARE(state->state(), ConnectionState::Connected);
    state->tick();
    QCOMPARE(state->state(), ConnectionState::ConnectionLost);
}

void tst_ConnectionState::demoModeIgnoresHeartBeats()
{
    ConnectionState *state = ConnectionState::instance();
    state->tick();
    state->setState(ConnectionState::DemoMode);
    QSignalSpy forwarded(state, &ConnectionState::heartBeat);
    QSignalSpy changed(state, &ConnectionState::stateChanged);
    state->handleHeartBeat(true);
    state->handleHeartBeat(false);
    QCOMPARE(state->state(), ConnectionState::DemoMode);
    QCOMPARE(forwarded.count(), 0);
    QCOMPARE(changed.count(), 0);
    // A heartbeat ignored in demo mode must not count for the next tick either.
    state->setState(ConnectionState::Discovering);
    state->tick();
    QCOMPARE(state->state(), ConnectionState::NotConnected);
}

void tst_ConnectionState::setStateEmitsOnlyOnChange()
{
    ConnectionState *state = ConnectionState::instance();
    state->setState(ConnectionState::NoDevice);
    QSignalSpy changed(state, &ConnectionState::stateChanged);
    state->setState(ConnectionState::NoDevice);
    QCOMPARE(changed.count(), 0);
    state->setState(ConnectionState::Restoring);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<ConnectionState::State>(), ConnectionState::Restoring);
}

void tst_ConnectionState::commHeartBeatReachesState()
{
    ConnectionState *state = ConnectionState::instance();
    state->setState(ConnectionState::Unreachable);
    emit MSPComm::instance()->heartBeat(true);
    QCOMPARE(state->state(), ConnectionState::Connected);
}

QTEST_MAIN(tst_ConnectionState)
#include "tst_connectionstate.moc"
