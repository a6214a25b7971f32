// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "connectionstate.h"

#include <QRect>
#include <QWidget>

#include <memory>

class QAbstractButton;
namespace Ui { class MSPControlPanel; }

/**
 * The on-screen copy of the keypad's face: eight scene buttons, Down, Up
 * and On/Off. Greyed out by an overlay while no keypad is connected; when
 * discovery fails or the connection is lost a notice offers the offline
 * demo mode or a new discovery.
 */
class MSPControlPanelWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPControlPanelWidget)
public:
    explicit MSPControlPanelWidget(QWidget *parent = nullptr);
    ~MSPControlPanelWidget() override;

signals:
    void sceneIndexSelected(int index);
    void retryDiscoverySelected();

public slots:
    void selectScene(int index);
    void setPanelEnabled(bool enabled);
    void handleScene1StateChanged(bool enabled);
    void handleScene2StateChanged(bool enabled);
    void handleScene3StateChanged(bool enabled);
    void handleScene4StateChanged(bool enabled);
    void handleScene5StateChanged(bool enabled);
    void handleScene6StateChanged(bool enabled);
    void handleScene7StateChanged(bool enabled);
    void handleScene8StateChanged(bool enabled);
    void handleDownStateChanged(bool enabled);
    void handleUpStateChanged(bool enabled);
    void handleOnOffStateChanged(bool enabled);
    void handleSceneButtonClicked();
    void handleUpClicked();
    void handleDownClicked();
    void handleToggle();
    void handleStatusChanged(ConnectionState::State status);
    void handleDemoModeSelected();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QAbstractButton *> keypadButtons() const;
    QAbstractButton *sceneButton(int index) const;
    void showNotice(bool show);

    std::unique_ptr<Ui::MSPControlPanel> ui;
    QRect m_noticeGeometry; ///< the connection notice's place in the form
};
