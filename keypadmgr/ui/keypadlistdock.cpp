// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadlistdock.h"

#include "connectionstate.h"
#include "discoverer.h"
#include "fleetsettings.h"
#include "keypadlistmodel.h"
#include "networkprefs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

KeypadListDock::KeypadListDock(NetworkPrefs *prefs, QWidget *parent)
    : QDockWidget(tr("Keypads"), parent)
    , m_prefs(prefs)
    , m_model(new KeypadListModel(this))
{
    setObjectName(QStringLiteral("Keypads"));
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    m_view = new QTableView(page);
    m_view->setObjectName(QStringLiteral("keypadTable"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    // One line per keypad; a long backup file name loses its middle.
    m_view->setWordWrap(false);
    m_view->setTextElideMode(Qt::ElideMiddle);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_view->setToolTip(tr("Double-click a keypad to edit it."));
    layout->addWidget(m_view);

    auto *buttons = new QHBoxLayout;
    m_refresh = new QPushButton(tr("Refresh"), page);
    m_refresh->setObjectName(QStringLiteral("refreshButton"));
    auto *add = new QPushButton(tr("Add by address..."), page);
    add->setObjectName(QStringLiteral("addAddressButton"));
    auto *scanSubnet = new QPushButton(tr("Scan subnet..."), page);
    scanSubnet->setObjectName(QStringLiteral("scanSubnetButton"));
    m_status = new QLabel(page);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    buttons->addWidget(m_refresh);
    buttons->addWidget(add);
    buttons->addWidget(scanSubnet);
    buttons->addWidget(m_status, 1);
    layout->addLayout(buttons);
    setWidget(page);

    connect(m_refresh, &QPushButton::clicked, this, &KeypadListDock::refresh);
    connect(add, &QPushButton::clicked, this, &KeypadListDock::askForAddress);
    connect(scanSubnet, &QPushButton::clicked, this, &KeypadListDock::askForSubnet);
    connect(m_view, &QTableView::activated, this, [this](const QModelIndex &index) {
        const KeypadInfo keypad = m_model->keypadAt(index.row());
        if (!keypad.address.isEmpty())
            emit keypadChosen(keypad, m_answeredByAddress.contains(keypad.address));
    });
    connect(&m_scanner, &KeypadScanner::keypadFound, this, [this](const KeypadInfo &keypad) {
        m_model->addKeypad(keypad);
        if (m_targets.contains(keypad.address))
            m_answeredByAddress.insert(keypad.address);
    });
    connect(&m_scanner, &KeypadScanner::finished, this, [this] {
        m_refresh->setEnabled(true);
        showCount();
    });

    // The count follows the list, except while a run is still collecting.
    const auto recount = [this] {
        if (!m_scanner.isRunning())
            showCount();
    };
    connect(m_model, &QAbstractItemModel::rowsInserted, this, recount);
    connect(m_model, &QAbstractItemModel::dataChanged, this, recount);

    const QStringList addresses = FleetSettings::addresses();
    for (const QString &address : addresses)
        m_model->addAddress(address);
}

KeypadListDock::~KeypadListDock() = default;

void KeypadListDock::showEvent(QShowEvent *event)
{
    QDockWidget::showEvent(event);
    // Opening the list looks for keypads, except in demo mode, which
    // promises to send nothing. Decided once the show has settled: the
    // window may show the dock on its way to hiding it.
    if (!m_scannedOnce) {
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && !m_scannedOnce && ConnectionState::instance()->state() != ConnectionState::DemoMode)
                refresh();
        });
    }
}

void KeypadListDock::refresh()
{
    m_scannedOnce = true;
    m_model->beginRun();
    scan(FleetSettings::rememberedTargets());
}

void KeypadListDock::scan(const QList<QHostAddress> &targets)
{
    QList<QNetworkAddressEntry> entries;
    if (m_prefs) {
        const QNetworkAddressEntry chosen = m_prefs->chosenEntry();
        if (chosen.ip().protocol() == QAbstractSocket::IPv4Protocol && chosen.ip() != QHostAddress(QHostAddress::AnyIPv4))
            entries.append(chosen);
    }
    if (entries.isEmpty())
        entries = KeypadScanner::broadcastEntries();
    m_scanner.setBroadcastEntries(entries);
    m_scanner.setTargets(targets);
    m_targets.clear();
    for (const QHostAddress &target : targets)
        m_targets.insert(target.toString());
    m_refresh->setEnabled(false);
    m_status->setText(tr("Looking for keypads..."));
    m_scanner.start();
}

void KeypadListDock::showCount()
{
    int answering = 0;
    for (int row = 0; row < m_model->rowCount(); ++row)
        answering += m_model->index(row, KeypadListModel::State).data() == tr("answering") ? 1 : 0;
    m_status->setText(tr("%n keypad(s) answering", nullptr, answering));
}

void KeypadListDock::handleDiscoveryFinished()
{
    const auto keypads = Discoverer::instance()->keypads();
    for (const DiscoveredKeypad &found : keypads) {
        KeypadInfo keypad;
        keypad.name = found.name;
        keypad.address = found.address;
        keypad.mac = found.mac;
        m_model->addKeypad(keypad);
    }
}

bool KeypadListDock::addAddress(const QString &text)
{
    QList<QHostAddress> hosts;
    if (!KeypadScanner::expandSubnet(text, &hosts, nullptr) || hosts.size() != 1 || text.contains(QLatin1Char('/')))
        return false;
    const QString address = hosts.first().toString();
    QStringList addresses = FleetSettings::addresses();
    if (!addresses.contains(address)) {
        addresses.append(address);
        FleetSettings::setAddresses(addresses);
    }
    m_model->addAddress(address);
    scan(hosts);
    return true;
}

bool KeypadListDock::addSubnet(const QString &cidr)
{
    QList<QHostAddress> hosts;
    if (!KeypadScanner::expandSubnet(cidr, &hosts, nullptr))
        return false;
    QStringList subnets = FleetSettings::subnets();
    if (!subnets.contains(cidr.trimmed())) {
        subnets.append(cidr.trimmed());
        FleetSettings::setSubnets(subnets);
    }
    scan(hosts);
    return true;
}

void KeypadListDock::askForAddress()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("Add by Address"),
                                               tr("Address of a keypad that broadcasts do not reach:"),
                                               QLineEdit::Normal, QString(), &ok);
    if (ok && !text.trimmed().isEmpty() && !addAddress(text.trimmed()))
        QMessageBox::warning(this, tr("Add by Address"), tr("'%1' is no IPv4 address.").arg(text.trimmed()));
}

void KeypadListDock::askForSubnet()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("Scan Subnet"),
                                               tr("Subnet to scan, for example 10.2.0.0/24:"), QLineEdit::Normal,
                                               QString(), &ok);
    QString error;
    if (ok && !text.trimmed().isEmpty() && !KeypadScanner::expandSubnet(text, nullptr, &error))
        QMessageBox::warning(this, tr("Scan Subnet"), error);
    else if (ok && !text.trimmed().isEmpty())
        addSubnet(text);
}
