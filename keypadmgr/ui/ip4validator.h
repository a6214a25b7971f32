// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QNetworkAddressEntry>
#include <QValidator>

/**
 * Judges a dotted IPv4 address while it is typed: four parts of one to
 * three decimal digits, none above 255, are acceptable; a text that can
 * still become one (empty, or with parts missing) is intermediate; more
 * than four parts, or a part that is no such number, is invalid.
 */
class IP4Validator : public QValidator
{
    Q_OBJECT
    Q_DISABLE_COPY(IP4Validator)
public:
    explicit IP4Validator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

    /** The last text judged invalid, as it would have read (what a refused keystroke would have made). */
    QString lastRefused() const { return m_lastRefused; }
    /** Why lastRefused() is no address, in the user's words. */
    QString refusalReason() const;

    /**
     * Why a complete address cannot be a keypad's on a PC with the
     * interfaces @p own: 0.x.x.x, loopback, group and broadcast addresses,
     * the PC's own address, and the network and broadcast address of the
     * PC's subnets. Empty when the address can be used.
     */
    static QString unusableReason(const QString &address, const QList<QNetworkAddressEntry> &own);

private:
    mutable QString m_lastRefused;
};
