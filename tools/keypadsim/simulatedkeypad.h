// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keypadstate.h"
#include "requestlog.h"

#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

class QUdpSocket;
namespace httplib {
class Server;
}

/**
 * One simulated keypad: its HTTP interface, its Dravon answers on UDP
 * 6038, its heartbeats and button datagrams to the program's host, a
 * request log, and faults that tests switch on through execute().
 *
 * The HTTP server runs on its own threads (cpp-httplib); everything else
 * runs on the thread that owns this object. The keypad state, the faults
 * and the program's host are shared between them under one mutex.
 */
class SimulatedKeypad : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SimulatedKeypad)
public:
    struct Settings
    {
        QString name = QStringLiteral("Lumetra Keypad");
        QByteArray mac = QByteArray::fromHex("024c4b000001");
        QHostAddress address = QHostAddress(QHostAddress::LocalHost); ///< the address it reports
        int prefixLength = 24;
        QString interfaceName; ///< when set, an address change is applied to it with ip(8)
        QString firmware = QStringLiteral("1.2.0");
        QString part = QStringLiteral("XKP-204417-00");
        quint16 serial = 1;
        int heartbeatMs = 1000; ///< 0: no heartbeats
        QHostAddress listenAddress = QHostAddress(QHostAddress::AnyIPv4);
        quint16 httpPort = 80;
        quint16 dravonPort = 6038;
        int restartMs = 1500;
        QHostAddress programHost; ///< until someone talks to the keypad
        QMap<int, QString> sceneBodies; ///< initial scenes 0..7 as form bodies
        QString requestLogPath;
    };

    explicit SimulatedKeypad(const Settings &settings, QObject *parent = nullptr);
    ~SimulatedKeypad() override;

    /** Binds UDP and starts the HTTP server; false with a reason when a port is taken. */
    bool start(QString *error);

    /**
     * Runs one control command and returns its answer, a line starting
     * with "ok" or "error". See usage() for the commands.
     */
    QString execute(const QString &commandLine);
    static QString usage();

    QHostAddress address() const;
    QHostAddress programHost() const;

signals:
    /** Things that happened, for the control channel: "restarting", "restarted <ip>", ... */
    void eventHappened(const QString &text);
    void quitRequested();

private:
    enum class AfterReply { Nothing, Restart, FactoryReset };
    struct Reply
    {
        int status = 200;
        QByteArray body;
        bool drop = false;
        int delayMs = 0;
        AfterReply after = AfterReply::Nothing;
        QString newAddress;
    };
    struct Faults
    {
        int delayMs = 0;
        int stallMs = 0; ///< how long a request waits before the keypad acts on it
        QString stallPath; ///< the path of the requests held; empty: every change (POST)
        int dropPercent = 0;
        int dropAccumulator = 0;
        int errorCount = 0; ///< replies still to fail with 500; -1: all
        int postErrorCount = 0; ///< the same for POST requests only
        int malformedCount = 0; ///< replies still to be broken XML; -1: all
        bool refuse = false;
    };

    Reply handleHttp(const QString &method, const QString &path, const QByteArray &body, const QString &remote);
    bool startHttp(QString *error);
    void stopHttp();
    void restart(const QString &newAddress, bool factoryReset);
    bool moveInterface(const QString &newAddress);
    void readDravon();
    void sendHeartbeat();
    void sendToProgram(const QByteArray &datagram, quint16 port);
    QString faultCommand(const QStringList &words);
    void resetState();

    Settings m_settings;
    RequestLog m_log;
    QUdpSocket *m_udp = nullptr;
    QTimer m_heartbeatTimer;
    quint32 m_heartbeatSequence = 0;
    bool m_heartbeatsOn = true;
    int m_discoverRequests = 0; ///< discover requests received, answered or not
    bool m_restarting = false;

    std::unique_ptr<httplib::Server> m_server;
    std::thread m_serverThread;
    std::shared_ptr<std::atomic<bool>> m_serverEnded; ///< set when the server thread's loop has returned

    mutable std::mutex m_mutex; // guards everything below
    KeypadState m_state;
    Faults m_faults;
    QHostAddress m_programHost;
    QHostAddress m_address;
};
