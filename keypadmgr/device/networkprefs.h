// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <QNetworkAddressEntry>
#include <QStringList>

#include <memory>

class QNetworkConfigurationManager;
namespace Ui { class NetworkChooserUI; }

/**
 * The "Network" tab: follow the system's default network configuration or
 * pin one IPv4 interface. The choice is remembered in the settings and
 * announced with interfaceChosen().
 */
class NetworkPrefs : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(NetworkPrefs)
public:
    static constexpr char defaultKey[] = "/network_interface/default";
    static constexpr char ipKey[] = "/network_interface/ip";

    NetworkPrefs(QNetworkConfigurationManager *manager, QWidget *parent, bool saveAndSignal);
    ~NetworkPrefs() override;

    /** The entry discovery binds to. */
    QNetworkAddressEntry chosenEntry() const;
    /** The address text discovery uses for its broadcast rule. */
    QString chosenAddress() const;

    /** Applies the current choice once (the main window calls it at start-up). */
    void applyChoice() { handleNetworkInterfaceSelectionChanged(); }

signals:
    void interfaceChosen(QNetworkAddressEntry entry, QString name);

private slots:
    void handleNetworkInterfaceSelectionChanged();
    void handleUseDefaultInterfaceToggled(bool value);
    void handleRefreshButtonClicked();
    void updateDefaultInterfaceLabel();

private:
    QString defaultConfigurationName() const;
    /** The row of the default interface, or -1. */
    int defaultIndex() const;
    /** The entry of the default configuration's interface, or any/broadcast. */
    QNetworkAddressEntry defaultEntry() const;
    void listInterfaces();
    /** Says so when the pinned interface is not in the list; returns whether it is missing. */
    bool showMissingInterface();

    QList<QNetworkAddressEntry> m_entries;
    QString m_selectedAddress;
    QString m_selectedName;
    QNetworkConfigurationManager *m_manager;
    QStringList m_names;
    bool m_saveAndSignal;
    int m_selectedIndex = -1;
    std::unique_ptr<Ui::NetworkChooserUI> ui;
};
