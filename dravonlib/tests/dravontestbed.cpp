// SPDX-License-Identifier: GPL-3.0-or-later
#include "dravontestbed.h"

#include <QElapsedTimer>
#include <QNetworkInterface>
#include <QProcess>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sched.h>

namespace DravonTestBed {

bool run(const QString &program, const QStringList &arguments, QString *why)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        if (why)
            *why = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QLatin1String(": ")
                + QString::fromLocal8Bit(process.readAll()) + process.errorString();
        return false;
    }
    return true;
}

bool enterPrivateNetwork(QString *why)
{
    // Only this thread moves; every socket of the test is made on it.
    if (unshare(CLONE_NEWNET) != 0) {
        *why = QStringLiteral("unshare(CLONE_NEWNET): ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return run(QStringLiteral("ip"), { QStringLiteral("link"), QStringLiteral("set"),
                                       QStringLiteral("lo"), QStringLiteral("up") },
               why);
}

QNetworkAddressEntry addInterface(QString *why)
{
    const QString name = QString::fromLatin1(interfaceName);
    const QStringList commands[] = {
        { QStringLiteral("link"), QStringLiteral("add"), name, QStringLiteral("type"),
          QStringLiteral("veth"), QStringLiteral("peer"), QStringLiteral("name"),
          QStringLiteral("kpd1") },
        { QStringLiteral("addr"), QStringLiteral("add"), QStringLiteral("192.168.1.10/24"),
          QStringLiteral("brd"), QStringLiteral("+"), QStringLiteral("dev"), name },
        { QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("kpd1"), QStringLiteral("up") },
        { QStringLiteral("link"), QStringLiteral("set"), name, QStringLiteral("up") },
    };
    for (const QStringList &arguments : commands) {
        if (!run(QStringLiteral("ip"), arguments, why))
            return QNetworkAddressEntry();
    }
    const QNetworkInterface interface = QNetworkInterface::interfaceFromName(name);
    for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
            return entry;
    }
    *why = QStringLiteral("no IPv4 entry on ") + name;
    return QNetworkAddressEntry();
}

void removeInterface()
{
    run(QStringLiteral("ip"), { QStringLiteral("link"), QStringLiteral("del"),
                                QString::fromLatin1(interfaceName) });
}

bool Listener::listen(const QHostAddress &address)
{
    // Shared, so that a wildcard listener can join the specific ones.
    return bind(address, 6038, ShareAddress | ReuseAddressHint);
}

QByteArray Listener::next(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!hasPendingDatagrams() && timer.elapsed() < timeoutMs)
        QTest::qWait(5);
    if (!hasPendingDatagrams())
        return QByteArray();
    QByteArray datagram(int(pendingDatagramSize()), '\0');
    readDatagram(datagram.data(), datagram.size());
    return datagram;
}

QList<QByteArray> Listener::collect(int settleMs)
{
    QList<QByteArray> datagrams;
    QTest::qWait(settleMs);
    while (hasPendingDatagrams())
        datagrams << next(0);
    return datagrams;
}

} // namespace DravonTestBed
