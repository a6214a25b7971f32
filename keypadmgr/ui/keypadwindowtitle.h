// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

/**
 * The window title's naming of the keypad being edited: "Hall
 * (192.168.77.10, firmware 1.2.0) - Lumetra Keypad Effect Manager"; the
 * program's name alone while no keypad is chosen and in demo mode.
 * changed() tells when that text may have changed; the window composes its
 * title from it (with the configuration file's name in front, when there
 * is one).
 */
class KeypadWindowTitle : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(KeypadWindowTitle)
public:
    explicit KeypadWindowTitle(QObject *parent);
    ~KeypadWindowTitle() override;

    /** The title for the keypad of the program's record and communication object. */
    static QString title();

signals:
    void changed();
};
