// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

/**
 * Keeps a window's title naming the keypad being edited: "Hall
 * (192.168.77.10, firmware 1.2.0) - Lumetra Keypad Effect Manager"; the
 * program's name alone while no keypad is chosen and in demo mode.
 */
class KeypadWindowTitle : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(KeypadWindowTitle)
public:
    explicit KeypadWindowTitle(QWidget *window);
    ~KeypadWindowTitle() override;

    /** The title for the keypad of the program's record and communication object. */
    static QString title();

public slots:
    void update();

private:
    QPointer<QWidget> m_window;
};
