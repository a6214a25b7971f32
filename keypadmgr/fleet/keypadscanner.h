// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMetaType>
#include <QNetworkAddressEntry>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class Dravon;

/** One keypad as its discover reply describes it. */
struct KeypadInfo
{
    QString name;     ///< identification text
    QString address;  ///< dotted IPv4
    QByteArray mac;   ///< six bytes
    QString firmware; ///< "1.2.0", from the version text
    int universe = 0;

    /** "02:4c:4b:00:00:01" */
    QString macText() const;
    bool operator==(const KeypadInfo &other) const;
};
Q_DECLARE_METATYPE(KeypadInfo)

/**
 * Looks for keypads by broadcast on chosen interfaces and by discover
 * requests sent straight to given addresses (subnets that broadcasts do not
 * reach). Unicast requests are paced, two every few milliseconds, so a /24
 * is asked in about half a second; replies are collected until the reply
 * window after the last request has passed, then finished() is emitted.
 *
 * Each reply is reported once per run and address (a keypad asked both by
 * broadcast and by address answers twice).
 */
class KeypadScanner : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(KeypadScanner)
public:
    /** Longest run the scanner accepts for one subnet: a /16. */
    static constexpr int maximumTargets = 65536;
    /** Time that replies are collected after the last request, ms. */
    static constexpr int defaultReplyWindow = 500;
    /** Interval between two unicast bursts, ms, and requests per burst. */
    static constexpr int pacingInterval = 4;
    static constexpr int requestsPerBurst = 2;

    explicit KeypadScanner(QObject *parent = nullptr);
    ~KeypadScanner() override;

    /**
     * The host addresses of @p cidr ("10.2.0.0/24"; a plain address is one
     * host): without the network and broadcast addresses for prefixes up to
     * /30. False with a reason for text that is no IPv4 subnet or a subnet
     * larger than a /16.
     */
    static bool expandSubnet(const QString &cidr, QList<QHostAddress> *hosts, QString *error);

    /**
     * The IPv4 entries of interfaces that are up and can broadcast (not
     * loopback), where a broadcast discover is sent in headless use.
     */
    static QList<QNetworkAddressEntry> broadcastEntries();

    /** Interfaces to broadcast on in the next run. */
    void setBroadcastEntries(const QList<QNetworkAddressEntry> &entries) { m_entries = entries; }
    /** Addresses to ask directly in the next run. */
    void setTargets(const QList<QHostAddress> &targets) { m_targets = targets; }
    void setReplyWindow(int ms) { m_replyWindow = ms; }

    /** Starts a run; a run in progress is abandoned. */
    void start();
    /**
     * Sends one discover request to @p address at once, outside any run
     * (no pacing, no reply window): its answer is reported by keypadFound()
     * like a run's. For asking single keypads for their MAC.
     */
    void ask(const QHostAddress &address);
    bool isRunning() const { return m_running; }
    /** The keypads of the current (or last) run, in the order they answered. */
    const QList<KeypadInfo> &found() const { return m_found; }

signals:
    void keypadFound(const KeypadInfo &keypad);
    void finished();

private:
    void sendBurst();
    void handleReply(char *mac, uint ip, uint sn, ushort ver, uint uni, char *verstring, char *idstring);
    Dravon *makeDravon();

    QList<QNetworkAddressEntry> m_entries;
    QList<QHostAddress> m_targets;
    int m_replyWindow = defaultReplyWindow;
    int m_next = 0;
    bool m_running = false;
    std::vector<std::unique_ptr<Dravon>> m_dravons;
    Dravon *m_unicast = nullptr;
    QTimer m_pacing;
    QTimer m_window;
    QList<KeypadInfo> m_found;
};
