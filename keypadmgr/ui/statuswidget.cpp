// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuswidget.h"
#include "ui_statuswidget.h"

#include "systemconfiguration.h"

#include <QIcon>

StatusWidget::StatusWidget(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Status>())
{
    ui->setupUi(this);
    ConnectionState *state = ConnectionState::instance();
    showRow(state->state());
    connect(state, &ConnectionState::heartBeat, this, &StatusWidget::handleHeartBeat);
    connect(SystemConfiguration::instance(), &SystemConfiguration::brightnessChanged,
            this, &StatusWidget::handleBrightness);
    connect(state, &ConnectionState::stateChanged, this, &StatusWidget::handleStatusChanged);
}

StatusWidget::~StatusWidget() = default;

QString StatusWidget::brightnessText(int brightness)
{
    if (brightness == -1)
        return tr("Off");
    return QString::number(int(brightness * 100.0 / 255.0)) + QLatin1Char('%');
}

void StatusWidget::handleHeartBeat(bool reachable)
{
    showRow(reachable ? ConnectionState::Connected : ConnectionState::Unreachable);
}

void StatusWidget::handleBrightness(int brightness)
{
    ui->brightnessValueLabel->setText(brightnessText(brightness));
}

void StatusWidget::handleStatusChanged(ConnectionState::State status)
{
    showRow(status);
}

void StatusWidget::showMove(const QString &address, int secondsLeft)
{
    showRow(ConnectionState::Moving);
    ui->textLabel->setText(tr("Moving the keypad to %1… %2 s left").arg(address).arg(secondsLeft));
}

void StatusWidget::showRow(ConnectionState::State status)
{
    QString text;
    QString icon;
    switch (status) {
    case ConnectionState::NoStatus:
        text = tr("Connection Status Unknown");
        icon = QStringLiteral(":/images/images/disconnected.png");
        break;
    case ConnectionState::Discovering:
        text = tr("Discovering");
        icon = QStringLiteral(":/images/images/discovering.png");
        break;
    case ConnectionState::Connected:
        text = tr("Connected");
        icon = QStringLiteral(":/images/images/connected.png");
        break;
    case ConnectionState::NotConnected:
        text = tr("Not Connected");
        icon = QStringLiteral(":/images/images/disconnected.png");
        break;
    case ConnectionState::Unreachable:
        text = tr("Device communication failure.  IP address may be invalid.");
        icon = QStringLiteral(":/images/images/unreachable.png");
        break;
    case ConnectionState::ConnectionLost:
        text = tr("Connection to the keypad lost");
        icon = QStringLiteral(":/images/images/unreachable.png");
        break;
    case ConnectionState::NoDevice:
        text = tr("No keypad found");
        icon = QStringLiteral(":/images/images/disconnected.png");
        break;
    case ConnectionState::Restoring:
        text = tr("Restoring the keypad's factory defaults...");
        icon = QStringLiteral(":/images/images/discovering.png");
        break;
    case ConnectionState::Moving:
        text = tr("Moving the keypad to its new address...");
        icon = QStringLiteral(":/images/images/discovering.png");
        break;
    case ConnectionState::DemoMode:
        // Translated too, so a German window does not announce demo mode in English.
        text = QStringLiteral("<html><head/><body><p style=\" color:#ff0000;\">%1</p></body></html>")
                   .arg(tr("Offline Demo Mode - File > Save Configuration File keeps your changes."));
        icon = QStringLiteral(":/images/images/demo.png");
        break;
    }
    ui->textLabel->setText(text);
    // Through QIcon, so that high-density screens get the "@2x" image.
    ui->iconLabel->setPixmap(icon.isEmpty() ? QPixmap() : QIcon(icon).pixmap(QSize(16, 16)));
    repaint();
}
