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
    void connectionLostOnlyAfterSilentTicks_data();
    void connectionLostOnlyAfterSilentTicks();
    void heartBeatsIgnored_data();
    void heartBeatsIgnored();
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
    // One silent tick is no lost connection (connectionLostOnlyAfterSilentTicks).
    QTest::newRow("Connected") << ConnectionState::Connected << ConnectionState::Connected;
    QTest::newRow("NotConnected") << ConnectionState::NotConnected << ConnectionState::NotConnected;
    QTest::newRow("Unreachable") << ConnectionState::Unreachable << ConnectionState::Unreachable;
    QTest::newRow("DemoMode") << ConnectionState::DemoMode << ConnectionState::DemoMode;
    QTest::newRow("ConnectionLost") << ConnectionState::ConnectionLost << ConnectionState::ConnectionLost;
    QTest::newRow("NoDevice") << ConnectionState::NoDevice << ConnectionState::NotConnected;
    QTest::newRow("Restoring") << ConnectionState::Restoring << ConnectionState::Restoring;
    QTest::newRow("Moving") << ConnectionState::Moving << ConnectionState::Moving;
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

void tst_ConnectionState::connectionLostOnlyAfterSilentTicks_data()
{
    // The ticks of the connection clock: 'h' a sign of life came during it, '.' none.
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<ConnectionState::State>("to");
    // How often the keypad was asked for a sign of life.
    QTest::addColumn<int>("quiet");
    QTest::newRow("one late heartbeat") << "h." << ConnectionState::Connected << 1;
    QTest::newRow("two silent ticks") << "h.." << ConnectionState::Connected << 2;
    QTest::newRow("silences broken by heartbeats") << "h..h..h.." << ConnectionState::Connected << 6;
    QTest::newRow("three silent ticks") << "h..." << ConnectionState::ConnectionLost << 2;
    QTest::newRow("stays lost") << "h....." << ConnectionState::ConnectionLost << 2;
}

void tst_ConnectionState::connectionLostOnlyAfterSilentTicks()
{
    QFETCH(QString, ticks);
    QFETCH(ConnectionState::State, to);
    QFETCH(int, quiet);

    ConnectionState *state = ConnectionState::instance();
    state->setState(ConnectionState::NotConnected);
    state->tick(); // forget any heartbeat of an earlier row
    QSignalSpy changed(state, &ConnectionState::stateChanged);
    QSignalSpy asked(state, &ConnectionState::keypadQuiet);
    for (const QChar tick : ticks) {
        if (tick == QLatin1Char('h'))
            state->handleHeartBeat(true);
        state->tick();
    }
    QCOMPARE(state->state(), to);
    // Connected once, and lost at most once: nothing flickers in between.
    QCOMPARE(changed.count(), to == ConnectionState::Connected ? 1 : 2);
    QCOMPARE(asked.count(), quiet);
}

void tst_ConnectionState::heartBeatsIgnored_data()
{
    QTest::addColumn<ConnectionState::State>("status");
    QTest::newRow("demo mode") << ConnectionState::DemoMode;
    QTest::newRow("keypad moving") << ConnectionState::Moving;
}

void tst_ConnectionState::heartBeatsIgnored()
{
    QFETCH(ConnectionState::State, status);
    ConnectionState *state = ConnectionState::instance();
    state->tick();
    state->setState(status);
    QSignalSpy forwarded(state, &ConnectionState::heartBeat);
    QSignalSpy changed(state, &ConnectionState::stateChanged);
    state->handleHeartBeat(true);
    state->handleHeartBeat(false);
    QCOMPARE(state->state(), status);
    QCOMPARE(forwarded.count(), 0);
    QCOMPARE(changed.count(), 0);
    // An ignored heartbeat must not count for the next tick either.
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
