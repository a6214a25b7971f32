// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadlistmodel.h"

#include "fleetsettings.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>

KeypadListModel::KeypadListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

KeypadListModel::~KeypadListModel() = default;

int KeypadListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int KeypadListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant KeypadListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Row &row = m_rows.at(index.row());
    const KeypadInfo &keypad = row.keypad;
    if (index.column() == LastBackup && (role == Qt::DisplayRole || role == Qt::ToolTipRole)) {
        // Backups are the keypad's, known by its MAC: an address that never
        // answered has none to show.
        if (keypad.mac.isEmpty())
            return QVariant();
        const FleetSettings::Backup backup = FleetSettings::lastBackup(keypad);
        if (!backup.time.isValid())
            return role == Qt::DisplayRole ? tr("never") : QVariant();
        if (role == Qt::ToolTipRole)
            return QDir::toNativeSeparators(backup.file);
        // The file names carry the same form of the time.
        return tr("%1, %2").arg(backup.time.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                QFileInfo(backup.file).fileName());
    }
    if (role == Qt::ForegroundRole && !row.answering)
        return QVariant::fromValue(QColor(Qt::gray));
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case Name:
        return keypad.name;
    case Address:
        return keypad.address;
    case Mac:
        return keypad.mac.isEmpty() ? QString() : keypad.macText();
    case Firmware:
        return keypad.firmware;
    case Universe:
        return keypad.mac.isEmpty() ? QVariant() : QVariant(keypad.universe);
    case State:
        return row.answering ? tr("answering") : tr("not answering");
    default:
        return QVariant();
    }
}

QVariant KeypadListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case Name:
        return tr("Name");
    case Address:
        return tr("Address");
    case Mac:
        return tr("MAC");
    case Firmware:
        return tr("Firmware");
    case Universe:
        return tr("Universe");
    case State:
        return tr("State");
    case LastBackup:
        return tr("Last backup");
    default:
        return QVariant();
    }
}

void KeypadListModel::beginRun()
{
    for (Row &row : m_rows)
        row.answering = false;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows.size() - 1, ColumnCount - 1));
}

int KeypadListModel::rowOf(const QString &address) const
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).keypad.address == address)
            return i;
    }
    return -1;
}

void KeypadListModel::addKeypad(const KeypadInfo &keypad)
{
    const int existing = rowOf(keypad.address);
    if (existing >= 0) {
        Row &row = m_rows[existing];
        // A broadcast run reports no firmware or universe; keep what a scan told.
        KeypadInfo merged = keypad;
        if (merged.firmware.isEmpty())
            merged.firmware = row.keypad.firmware;
        row.keypad = merged;
        row.answering = true;
        emit dataChanged(index(existing, 0), index(existing, ColumnCount - 1));
        return;
    }
    // Rows stay ordered by address.
    const quint32 value = QHostAddress(keypad.address).toIPv4Address();
    int at = 0;
    while (at < m_rows.size() && QHostAddress(m_rows.at(at).keypad.address).toIPv4Address() < value)
        ++at;
    beginInsertRows(QModelIndex(), at, at);
    m_rows.insert(at, {keypad, true});
    endInsertRows();
}

void KeypadListModel::addAddress(const QString &address)
{
    if (rowOf(address) >= 0)
        return;
    KeypadInfo keypad;
    keypad.address = address;
    addKeypad(keypad);
    m_rows[rowOf(address)].answering = false;
    const int row = rowOf(address);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

KeypadInfo KeypadListModel::keypadAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).keypad : KeypadInfo();
}

void KeypadListModel::refreshBackups()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, LastBackup), index(m_rows.size() - 1, LastBackup));
}
