// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keypadscanner.h"

#include <QDockWidget>
#include <QSet>

class KeypadListModel;
class NetworkPrefs;
class QLabel;
class QPushButton;
class QTableView;

/**
 * The "Keypads" dock: every keypad found by broadcast, at addresses the
 * user added ("Add by address...") and in subnets the user scanned
 * ("Scan subnet..."); added addresses and subnets are remembered and
 * asked again at each refresh. Choosing a row (double-click or Enter)
 * emits keypadChosen().
 */
class KeypadListDock : public QDockWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(KeypadListDock)
public:
    /** @p prefs: the interface to broadcast on (null: every interface). */
    explicit KeypadListDock(NetworkPrefs *prefs, QWidget *parent = nullptr);
    ~KeypadListDock() override;

    KeypadListModel *model() const { return m_model; }

    /** Asks for an address and adds it (remembered); false when cancelled or invalid. */
    bool addAddress(const QString &address);
    /** Adds a subnet (remembered) and scans it; false for text that is no subnet. */
    bool addSubnet(const QString &cidr);

public slots:
    /** Broadcast, the remembered addresses and subnets. */
    void refresh();
    /** Takes the keypads of a discovery run of the main window. */
    void handleDiscoveryFinished();

signals:
    /**
     * The user chose a keypad. @p routed: it answered a discover request
     * sent to its own address (it may sit behind a router).
     */
    void keypadChosen(const KeypadInfo &keypad, bool routed);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void askForAddress();
    void askForSubnet();
    void scan(const QList<QHostAddress> &extra);
    void showCount();

    NetworkPrefs *m_prefs;
    KeypadListModel *m_model;
    KeypadScanner m_scanner;
    QTableView *m_view;
    QLabel *m_status;
    QPushButton *m_refresh;
    bool m_scannedOnce = false;
    QSet<QString> m_targets;
    QSet<QString> m_answeredByAddress;
};
