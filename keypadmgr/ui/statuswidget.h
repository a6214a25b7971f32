// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "connectionstate.h"

#include <QWidget>

#include <memory>

namespace Ui { class Status; }

/**
 * The status bar strip: an icon and a sentence for the connection state,
 * and the keypad's brightness as a percentage. Keeps no state of its own.
 */
class StatusWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(StatusWidget)
public:
    explicit StatusWidget(QWidget *parent = nullptr);
    ~StatusWidget() override;

    /** The brightness text: "Off" for -1, else the truncated percentage. */
    static QString brightnessText(int brightness);

    /**
     * While the keypad restarts on a new address: where it goes and how
     * many seconds the window still waits for it.
     */
    void showMove(const QString &address, int secondsLeft);

public slots:
    void handleHeartBeat(bool reachable);
    void handleBrightness(int brightness);
    void handleStatusChanged(ConnectionState::State status);

private:
    void showRow(ConnectionState::State status);

    std::unique_ptr<Ui::Status> ui;
};
