// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keypadscanner.h"

#include <QAbstractTableModel>
#include <QList>

/**
 * The keypads of a site, one row per address: those found by broadcast,
 * those at addresses the user added and those found in subnets the user
 * scanned. Whether each answered the last run, and when it was backed up
 * last, are columns of their own.
 */
class KeypadListModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY(KeypadListModel)
public:
    enum Column { Name, Address, Mac, Firmware, Universe, State, LastBackup, ColumnCount };

    explicit KeypadListModel(QObject *parent = nullptr);
    ~KeypadListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    /** A run starts: every row is "not answering" until it answers again. */
    void beginRun();
    /** A keypad answered: its row is added or brought up to date. */
    void addKeypad(const KeypadInfo &keypad);
    /** An address the user added; a row without details until it answers. */
    void addAddress(const QString &address);
    /** The keypad of @p row; an empty one outside the list. */
    KeypadInfo keypadAt(int row) const;
    /** The row of @p address, or -1. */
    int rowOf(const QString &address) const;
    /** Re-reads the last backups (after a backup elsewhere). */
    void refreshBackups();

private:
    struct Row
    {
        KeypadInfo keypad;
        bool answering = false;
    };
    QList<Row> m_rows;
};
