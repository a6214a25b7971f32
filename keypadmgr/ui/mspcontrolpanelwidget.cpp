// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcontrolpanelwidget.h"
#include "ui_mspcontrolpanelwidget.h"

#include "keypadface.h"
#include "mspcomm.h"
#include "mspeffect.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "systemconfiguration.h"

#include <QKeyEvent>
#include <QPainter>

MSPControlPanelWidget::MSPControlPanelWidget(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::MSPControlPanel>())
{
    ui->setupUi(this);
    m_noticeGeometry = ui->connectionFailedFrame->geometry();
    ui->connectionFailedFrame->hide();

    for (int i = 0; i < 8; ++i)
        connect(sceneButton(i), &QAbstractButton::pressed, this, &MSPControlPanelWidget::handleSceneButtonClicked);
    connect(ui->downButton, &QPushButton::clicked, this, &MSPControlPanelWidget::handleDownClicked);
    connect(ui->upButton, &QPushButton::clicked, this, &MSPControlPanelWidget::handleUpClicked);
    connect(ui->onOffButton, &QPushButton::pressed, this, &MSPControlPanelWidget::handleToggle);
    connect(ConnectionState::instance(), &ConnectionState::stateChanged,
            this, &MSPControlPanelWidget::handleStatusChanged);
    connect(ui->demoModeButton, &QPushButton::clicked, this, &MSPControlPanelWidget::handleDemoModeSelected);
    connect(ui->retryButton, &QPushButton::clicked, this, &MSPControlPanelWidget::retryDiscoverySelected);

    // Keys press a button only on purpose: arrows move the focus (the scene
    // buttons would otherwise switch the keypad's scene on every arrow),
    // Space or Enter press the button that has it.
    for (QAbstractButton *button : keypadButtons())
        button->installEventFilter(this);
}

MSPControlPanelWidget::~MSPControlPanelWidget() = default;

QAbstractButton *MSPControlPanelWidget::sceneButton(int index) const
{
    QAbstractButton *const buttons[] = {
        ui->scene1Button, ui->scene2Button, ui->scene3Button, ui->scene4Button,
        ui->scene5Button, ui->scene6Button, ui->scene7Button, ui->scene8Button,
    };
    return index >= 0 && index < 8 ? buttons[index] : nullptr;
}

QList<QAbstractButton *> MSPControlPanelWidget::keypadButtons() const
{
    QList<QAbstractButton *> buttons;
    for (int i = 0; i < 8; ++i)
        buttons << sceneButton(i);
    buttons << ui->downButton << ui->upButton << ui->onOffButton;
    return buttons;
}

void MSPControlPanelWidget::paintEvent(QPaintEvent *)
{
    // The keypad's housing, and a line where the panel meets the settings.
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), KeypadFace::pixmap(QStringLiteral("background"), devicePixelRatioF()));
    painter.fillRect(QRect(width() - 1, 0, 1, height()), QColor(0x80, 0x80, 0x80));
}

bool MSPControlPanelWidget::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (!button || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return QWidget::eventFilter(watched, event);

    QPoint direction;
    switch (key->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
        button->animateClick();
        return true;
    case Qt::Key_Left: direction = QPoint(-1, 0); break;
    case Qt::Key_Right: direction = QPoint(1, 0); break;
    case Qt::Key_Up: direction = QPoint(0, -1); break;
    case Qt::Key_Down: direction = QPoint(0, 1); break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    // The nearest button on that side of the keypad face, preferring one in
    // the same row or column.
    const QPoint from = button->geometry().center();
    QAbstractButton *best = nullptr;
    int bestScore = 0;
    for (QAbstractButton *other : keypadButtons()) {
        if (other == button || !other->isEnabled() || !other->isVisible())
            continue;
        const QPoint delta = other->geometry().center() - from;
        const int along = delta.x() * direction.x() + delta.y() * direction.y();
        const int across = qAbs(delta.x() * direction.y()) + qAbs(delta.y() * direction.x());
        if (along <= 0)
            continue;
        const int score = along + 2 * across;
        if (!best || score < bestScore) {
            best = other;
            bestScore = score;
        }
    }
    if (best)
        best->setFocus(Qt::OtherFocusReason);
    return true;
}

void MSPControlPanelWidget::selectScene(int index)
{
    if (QAbstractButton *button = sceneButton(index)) {
        QSignalBlocker blocker(button);
        button->setChecked(true);
    }
}

void MSPControlPanelWidget::setPanelEnabled(bool enabled)
{
    ui->overlay->setVisible(!enabled);
    if (enabled)
        ui->connectionFailedFrame->hide();
}

void MSPControlPanelWidget::handleScene1StateChanged(bool enabled) { ui->scene1Button->setEnabled(enabled); }
void MSPControlPanelWidget::handleScene2StateChanged(bool enabled) { ui->scene2Button->setEnabled(enabled); }
void MSPControlPanelWidget::handleScene3StateChanged(bool enabled) { ui->scene3Button->setEnabled(enabled); }
void MSPControlPanelWidget::handleScene4StateChanged(bool enabled) { ui->scene4Button->setEnabled(enabled); }
void MSPControlPanelWidget::handleScene5StateChanged(bool enabled) { ui->scene5Button->setEnabled(enabled); }
void MSPControlPanelWidget::handleScene6StateChanged(bool enabled) { ui->scene6Button->setEnabled(enabled); }
void MSPControlPanelWidget::handleScene7StateChanged(bool enabled) { ui->scene7Button->setEnabled(enabled); }
void MSPControlPanelWidget::handleScene8StateChanged(bool enabled) { ui->scene8Button->setEnabled(enabled); }
void MSPControlPanelWidget::handleDownStateChanged(bool enabled) { ui->downButton->setEnabled(enabled); }
void MSPControlPanelWidget::handleUpStateChanged(bool enabled) { ui->upButton->setEnabled(enabled); }
void MSPControlPanelWidget::handleOnOffStateChanged(bool enabled) { ui->onOffButton->setEnabled(enabled); }

void MSPControlPanelWidget::handleSceneButtonClicked()
{
    for (int i = 0; i < 8; ++i) {
        if (sceneButton(i)->isDown()) {
            emit sceneIndexSelected(i);
            return;
        }
    }
    emit sceneIndexSelected(0);
}

namespace {

/** Variable Color changes its own brightness, so Up and Down always reach it. */
bool activeEffectIsVariableColor()
{
    MSPSceneModel *model = MSPSceneModel::instance();
    MSPScene *scene = model->sceneAt(model->activeSceneIndex());
    return scene && scene->effect() && scene->effect()->type() == MSPEffect::VariableColor;
}

} // namespace

void MSPControlPanelWidget::handleUpClicked()
{
    if (activeEffectIsVariableColor() || SystemConfiguration::instance()->brightness() != 255)
        MSPComm::instance()->brightnessUp();
}

void MSPControlPanelWidget::handleDownClicked()
{
    if (activeEffectIsVariableColor() || SystemConfiguration::instance()->brightness() != 0)
        MSPComm::instance()->brightnessDown();
}

void MSPControlPanelWidget::handleToggle()
{
    MSPComm::instance()->pressOnOff();
}

void MSPControlPanelWidget::showNotice(bool show)
{
    if (show) {
        // The notice keeps its place and width; a longer text (another
        // language, larger fonts) makes it taller, still centred on where
        // it sits, rather than cutting the text off.
        QFrame *frame = ui->connectionFailedFrame;
        const int centreY = m_noticeGeometry.center().y();
        const int height = qMax(m_noticeGeometry.height(), frame->heightForWidth(m_noticeGeometry.width()));
        frame->setGeometry(m_noticeGeometry.x(), qMax(0, centreY - height / 2), m_noticeGeometry.width(), height);
        frame->show();
        frame->raise();
    } else {
        ui->connectionFailedFrame->hide();
        ui->connectionFailedFrame->lower();
    }
}

void MSPControlPanelWidget::handleStatusChanged(ConnectionState::State status)
{
    switch (status) {
    case ConnectionState::NoStatus:
        break;
    case ConnectionState::Discovering:
    case ConnectionState::Moving:
        ui->overlay->show();
        showNotice(false);
        break;
    case ConnectionState::Connected:
    case ConnectionState::DemoMode:
        ui->overlay->hide();
        showNotice(false);
        break;
    case ConnectionState::NotConnected:
    case ConnectionState::Restoring:
        ui->overlay->show();
        break;
    case ConnectionState::Unreachable:
    case ConnectionState::ConnectionLost:
    case ConnectionState::NoDevice:
        ui->overlay->show();
        showNotice(true);
        break;
    }
}

void MSPControlPanelWidget::handleDemoModeSelected()
{
    ConnectionState::instance()->setState(ConnectionState::DemoMode);
}
