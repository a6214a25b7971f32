// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuswidget.h"
#include "ui_statuswidget.h"

#include <systemconfiguration.h>

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

void StatusWidget::showRow(int status)
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
    case ConnectionState::DemoMode:
        // Translated too, so a German window does not announce demo mode in English.
        text = QStringLiteral("<html><head/><body><p style=\" color:#ff0000;\">%1</p></body></html>")
                   .arg(tr("Offline Demo Mode - File > Save Configuration File keeps your changes."));
        icon = QStringLiteral(":/images/images/demo.png");
        break;
    default:
        break;
    }
    ui->textLabel->setText(text);
    // Through QIcon, so that high-density screens get the "@2x" image.
    ui->iconLabel->setPixmap(icon.isEmpty() ? QPixmap() : QIcon(icon).pixmap(QSize(16, 16)));
    repaint();
}
