// SPDX-License-Identifier: GPL-3.0-or-later
#include "networkprefs.h"
#include "ui_networkprefs.h"

#include <QLoggingCategory>
#include <QNetworkConfigurationManager>
#include <QNetworkInterface>
#include <QSettings>

// The network configurations are the toolkit's deprecated bearer API,
// which this page is built on.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED

Q_LOGGING_CATEGORY(lcNetworkPrefs, "keypad.network")

namespace {

// Writes @p value under @p key only when the store holds another value:
// the settings file is rewritten (and flushed to disk) on every write, and
// the choice is applied again at every start.
void storeIfChanged(QSettings &settings, const char *key, const QVariant &value)
{
    const QString name = QLatin1String(key);
    if (!settings.contains(name) || settings.value(name).toString() != value.toString())
        settings.setValue(name, value);
}

} // namespace

NetworkPrefs::NetworkPrefs(QNetworkConfigurationManager *manager, QWidget *parent, bool saveAndSignal)
    : QDialog(parent)
    , m_manager(manager)
    , m_saveAndSignal(saveAndSignal)
    , ui(std::make_unique<Ui::NetworkChooserUI>())
{
    ui->setupUi(this);
    if (!m_manager)
        m_manager = new QNetworkConfigurationManager(this);

    const bool useDefault = QSettings().value(QLatin1String(defaultKey), true).toBool();
    if (useDefault)
        ui->mDefaultNetworkInterfaceRadio->setChecked(true);
    else
        ui->mSelectedNetworkInterfaceRadio->setChecked(true);

    ui->mNetworkInterfaceTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    connect(ui->mNetworkInterfaceTable, &QTableWidget::itemSelectionChanged,
            this, &NetworkPrefs::handleNetworkInterfaceSelectionChanged);
    connect(ui->mDefaultNetworkInterfaceRadio, &QRadioButton::toggled,
            this, &NetworkPrefs::handleUseDefaultInterfaceToggled);
    connect(ui->refreshButton, &QPushButton::clicked, this, &NetworkPrefs::handleRefreshButtonClicked);
    connect(m_manager, &QNetworkConfigurationManager::configurationAdded,
            this, &NetworkPrefs::handleRefreshButtonClicked);
    connect(m_manager, &QNetworkConfigurationManager::configurationRemoved,
            this, &NetworkPrefs::handleRefreshButtonClicked);
    connect(m_manager, &QNetworkConfigurationManager::updateCompleted,
            this, &NetworkPrefs::updateDefaultInterfaceLabel);

    handleRefreshButtonClicked();
}

NetworkPrefs::~NetworkPrefs() = default;

QString NetworkPrefs::defaultConfigurationName() const
{
    return m_manager->defaultConfiguration().name();
}

int NetworkPrefs::defaultIndex() const
{
    const int index = m_names.indexOf(defaultConfigurationName());
    if (index >= 0)
        return index;
    // Where configurations are named after connections rather than
    // interfaces (NetworkManager), or are not known yet, no name matches;
    // a host with a single usable interface still has an obvious default.
    if (!m_names.isEmpty() && m_names.count(m_names.first()) == m_names.size())
        return 0;
    return -1;
}

QNetworkAddressEntry NetworkPrefs::defaultEntry() const
{
    const int index = defaultIndex();
    if (index >= 0 && index < m_entries.size())
        return m_entries.at(index);
    QNetworkAddressEntry any;
    any.setIp(QHostAddress(QHostAddress::AnyIPv4));
    any.setBroadcast(QHostAddress(QHostAddress::Broadcast));
    return any;
}

void NetworkPrefs::listInterfaces()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        if (!interface.isValid() || !(interface.flags() & QNetworkInterface::IsUp))
            continue;
        const auto entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol || ip.isLoopback()
                || entry.broadcast().toString().isEmpty())
                continue;
            m_entries.append(entry);
            m_names.append(interface.humanReadableName());
        }
    }
}

void NetworkPrefs::handleRefreshButtonClicked()
{
    m_manager->updateConfigurations();

    QTableWidget *table = ui->mNetworkInterfaceTable;
    QSignalBlocker blocker(table);
    table->clearContents();
    m_entries.clear();
    m_names.clear();
    const QString savedAddress = QSettings().value(QLatin1String(ipKey)).toString();

    listInterfaces();
    table->setRowCount(m_entries.size());
    int savedRow = -1;
    for (int row = 0; row < m_entries.size(); ++row) {
        const QNetworkAddressEntry &entry = m_entries.at(row);
        QString ipText = entry.ip().toString();
        const QString netmask = entry.netmask().toString();
        if (!netmask.isEmpty())
            ipText += QLatin1Char('/') + netmask;
        table->setItem(row, 0, new QTableWidgetItem(m_names.at(row)));
        table->setItem(row, 1, new QTableWidgetItem(ipText));
        table->setItem(row, 2, new QTableWidgetItem(entry.broadcast().toString()));
        if (entry.ip().toString() == savedAddress)
            savedRow = row;
    }
    // The rows may have moved: the remembered row is the saved address's
    // row now, or none. A row that took the vanished one's place is not the
    // user's choice.
    m_selectedIndex = savedRow;
    if (savedRow < 0) {
        table->clearSelection();
        m_selectedName.clear();
    }
    blocker.unblock();

    // A pinned interface that is gone (its address was removed, its cable
    // pulled) leaves the default in use, and says so, until it comes back.
    const bool gone = showMissingInterface();
    if (savedRow >= 0)
        table->selectRow(savedRow);
    else if (gone)
        handleNetworkInterfaceSelectionChanged();
    updateDefaultInterfaceLabel();
}

bool NetworkPrefs::showMissingInterface()
{
    const QString savedAddress = QSettings().value(QLatin1String(ipKey)).toString();
    const bool gone = ui->mSelectedNetworkInterfaceRadio->isChecked() && m_selectedIndex < 0 && !savedAddress.isEmpty();
    ui->missingInterfaceLabel->setText(
        tr("The chosen interface (%1) is gone; the default interface is used until it is back.").arg(savedAddress));
    ui->missingInterfaceLabel->setVisible(gone);
    return gone;
}

void NetworkPrefs::updateDefaultInterfaceLabel()
{
    QString name = defaultConfigurationName();
    if (name.isEmpty())
        name = tr("no connection");
    ui->mDefaultNetworkInterfaceRadio->setText(tr("Use default interface (%1)").arg(name));
}

void NetworkPrefs::handleNetworkInterfaceSelectionChanged()
{
    QTableWidget *table = ui->mNetworkInterfaceTable;
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    const bool rowSelected = selected.size() == 3;
    if (rowSelected) {
        const int row = selected.first()->row();
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c) {
                if (QTableWidgetItem *item = table->item(r, c)) {
                    QFont font = item->font();
                    font.setWeight(r == row ? QFont::Bold : QFont::Normal);
                    item->setFont(font);
                }
            }
        }
        m_selectedIndex = row;
        m_selectedName = table->item(row, 0) ? table->item(row, 0)->text() : QString();
        m_selectedAddress = row < m_entries.size() ? m_entries.at(row).ip().toString() : QString();
    }

    if (m_saveAndSignal) {
        QSettings settings;
        storeIfChanged(settings, defaultKey, ui->mDefaultNetworkInterfaceRadio->isChecked());
        if (rowSelected)
            storeIfChanged(settings, ipKey, m_selectedAddress);
    }

    if (ui->mSelectedNetworkInterfaceRadio->isChecked() && rowSelected) {
        if (m_selectedIndex < m_entries.size())
            emit interfaceChosen(m_entries.at(m_selectedIndex), m_selectedName);
        else
            qCDebug(lcNetworkPrefs) << "BUG: The requested network interface index is bigger than the network interface list size.";
        return;
    }
    emit interfaceChosen(defaultEntry(), defaultConfigurationName());
}

void NetworkPrefs::handleUseDefaultInterfaceToggled(bool value)
{
    m_manager->updateConfigurations();
    showMissingInterface();
    if (value && m_saveAndSignal) {
        const QString name = defaultConfigurationName();
        const int index = defaultIndex();
        if (index < 0 || index >= m_entries.size()) {
            qCDebug(lcNetworkPrefs) << "&&&&&&&&&&&&&&&&&& could not find index of default";
            return;
        }
        emit interfaceChosen(m_entries.at(index), name);
        QSettings settings;
        storeIfChanged(settings, defaultKey, ui->mDefaultNetworkInterfaceRadio->isChecked());
        return;
    }
    handleNetworkInterfaceSelectionChanged();
}

QNetworkAddressEntry NetworkPrefs::chosenEntry() const
{
    if (ui->mSelectedNetworkInterfaceRadio->isChecked() && m_selectedIndex >= 0
        && m_selectedIndex < m_entries.size())
        return m_entries.at(m_selectedIndex);
    return defaultEntry();
}

QString NetworkPrefs::chosenAddress() const
{
    if (ui->mSelectedNetworkInterfaceRadio->isChecked() && m_selectedIndex >= 0)
        return m_selectedAddress;
    return chosenEntry().ip().toString();
}

QT_WARNING_POP
