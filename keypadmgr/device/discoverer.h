// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class Dravon;
class NetworkPrefs;

/** One keypad that answered a discovery run. */
struct DiscoveredKeypad
{
    QString name;       ///< identification text of the discover reply
    QByteArray mac;     ///< six bytes
    QString address;    ///< dotted IPv4
};

/**
 * Finds keypads by a broadcast discover request and keeps those that
 * answered in the current run, sorted by address text. Owns the program's
 * one Dravon object.
 */
class Discoverer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(Discoverer)
public:
    /** The part number a keypad reports in the third line of its version text. */
    static constexpr char keypadPartNumber[] = "XKP-204417-00";

    static Discoverer *instance();
    ~Discoverer() override;

    Dravon *dravon() const { return m_dravon; }
    void setNetworkPrefs(NetworkPrefs *prefs) { m_networkPrefs = prefs; }

    /** One discovery run without time limit. */
    void discover();
    /** A run with a repeating time-limit timer; returns its id (the caller kills it). */
    int discover(int timeOut);

    int keypadCount() const { return m_keypads.size(); }
    const QList<DiscoveredKeypad> &keypads() const { return m_keypads; }

    /**
     * Whether a discover reply's version text is a keypad's (its part
     * number on the third of at least four lines); @p firmware gets the
     * first line's value.
     */
    static bool isKeypadVersionText(const char *versionText, QString *firmware = nullptr);

    /** The directed broadcast of the /16 of a 10.x address, or 0 for other addresses. */
    static quint32 tenNetBroadcast(quint32 address);

signals:
    void noDevices();
    void reachedDiscoverTimeLimit();
    void discovering();

public slots:
    void handleSignalDiscoverResponse(char *mac, uint ip, uint sn, ushort ver, uint uni,
                                      char *verstring, char *idstring);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    Discoverer();

    Dravon *m_dravon;
    QList<DiscoveredKeypad> m_keypads;
    NetworkPrefs *m_networkPrefs = nullptr;
};
