// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the socket tests of DravonLib.
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QNetworkAddressEntry>
#include <QString>
#include <QUdpSocket>

namespace DravonTestBed {

/**
 * Moves the test process into a network namespace of its own, with only
 * loopback up. ctest runs tests in parallel inside one namespace, and other
 * tests use port 6038 and "kp" interfaces too; here nothing can mix.
 */
bool enterPrivateNetwork(QString *why);

/** Name of the virtual interface that stands for the chosen network. */
inline const char interfaceName[] = "kpd0";

/**
 * Adds a veth pair kpd0/kpd1 with 192.168.1.10/24, broadcast 192.168.1.255,
 * on kpd0, and returns kpd0's IPv4 address entry (null IP on failure).
 */
QNetworkAddressEntry addInterface(QString *why);
void removeInterface();

/** Runs a command, true when it exits with 0. */
bool run(const QString &program, const QStringList &arguments, QString *why = nullptr);

/** A fake device: a UDP socket on port 6038 that records what arrives. */
class Listener : public QUdpSocket
{
public:
    bool listen(const QHostAddress &address);
    /** The next datagram, waiting up to @p timeoutMs; empty when none came. */
    QByteArray next(int timeoutMs = 10000);
    /** Everything that arrives within @p settleMs. */
    QList<QByteArray> collect(int settleMs = 50);
};

} // namespace DravonTestBed
