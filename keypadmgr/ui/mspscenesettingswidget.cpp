// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspscenesettingswidget.h"
#include "ui_mspscenesettingswidget.h"

#include "mspeffectwidget.h"
#include "mspeffectwidgetfactory.h"

#include "colorappearance.h"
#include "connectionstate.h"
#include "mspcomm.h"
#include "mspeffect.h"
#include "mspeffectfactory.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "systemconfiguration.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace {

// The firmware a demo stands for: every editor feature available.
const char demoFirmware[] = "1.1.24";

} // namespace

MSPSceneSettingsWidget::MSPSceneSettingsWidget(QWidget *parent, FirstEditor firstEditor)
    : QWidget(parent)
    , ui(new Ui::MSPSceneSettings)
    , m_model(MSPSceneModel::instance())
{
    ui->setupUi(this);
    // Colours on screen look as the configured fixture class makes them
    // (the generic RGB profile until a configuration names another),
    // and as the scenes keep them, which is how the keypad gets them.
    SystemConfiguration *config = SystemConfiguration::instance();
    OvrColorPickerLib::ColorAppearance::instance()->setFixtureClass(config->fixtureClass());
    OvrColorPickerLib::ColorAppearance::instance()->setKeptForm(&MSPEffect::keptColor);
    connect(config, &SystemConfiguration::configurationChanged, this, [config] {
        OvrColorPickerLib::ColorAppearance::instance()->setFixtureClass(config->fixtureClass());
    });
    {
        const QSignalBlocker blocker(ui->effectsComboBox);
        for (int type = 0; type < MSPEffect::typeCount; ++type)
            ui->effectsComboBox->addItem(MSPEffect::effectTypeName(type));
    }
    // Measured in the label's own (bold) font.
    ui->sceneNumberLabel->setMinimumWidth(ui->sceneNumberLabel->fontMetrics().horizontalAdvance(tr("Scene: %1").arg(8))
                                          + 8);

    // One page per effect type, each an empty slot until its editor is
    // first shown or asked for: an editor with a colour picker takes tens
    // of milliseconds to build, and the tab shows one editor at a time.
    for (int type = 0; type < MSPEffect::typeCount; ++type) {
        auto *slot = new QWidget(ui->effectPropertiesStack);
        slot->setObjectName(QStringLiteral("effectPage%1").arg(type));
        auto *layout = new QVBoxLayout(slot);
        layout->setContentsMargins(0, 0, 0, 0);
        ui->effectPropertiesStack->addWidget(slot);
    }
    connect(ui->effectPropertiesStack, &QStackedWidget::currentChanged, this, [this](int type) { editor(type); });
    if (firstEditor == FirstEditor::Now)
        buildShownEditor();

    connect(m_model, &MSPSceneModel::activeSceneChangedEffect, this,
            &MSPSceneSettingsWidget::handleActiveSceneChangedEffect);
    connect(m_model, &MSPSceneModel::effectChanged, this, &MSPSceneSettingsWidget::handleSceneChangedEffect);
    connect(m_model, &MSPSceneModel::effectParamsChanged, this,
            &MSPSceneSettingsWidget::handleEffectParametersChanged);

    // An unsaved edit stays the user's until saved or undone, whatever the
    // connection did meanwhile: Undo and Save stay (or become again)
    // available for it once the keypad is reachable, and an edit the keypad
    // did not receive is said so, with a way to send it again.
    connect(MSPComm::instance(), &MSPComm::editStatesChanged, this, &MSPSceneSettingsWidget::offerUnsavedEdit);
    connect(ConnectionState::instance(), &ConnectionState::stateChanged, this,
            &MSPSceneSettingsWidget::offerUnsavedEdit);
}

MSPSceneSettingsWidget::~MSPSceneSettingsWidget() = default;

MSPEffectWidget *MSPSceneSettingsWidget::builtEditor(int type) const
{
    const QWidget *slot = ui->effectPropertiesStack->widget(type);
    return slot ? slot->findChild<MSPEffectWidget *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void MSPSceneSettingsWidget::buildShownEditor()
{
    editor(ui->effectPropertiesStack->currentIndex());
}

MSPEffectWidget *MSPSceneSettingsWidget::editor(int type)
{
    QWidget *slot = ui->effectPropertiesStack->widget(type);
    if (!slot)
        return nullptr;
    if (MSPEffectWidget *page = builtEditor(type))
        return page;
    MSPEffectWidget *page = MSPEffectWidgetFactory::instance()->create(type, slot);
    if (!page)
        return nullptr;
    slot->layout()->addWidget(page);
    // A widget added to a shown page appears only once the event loop runs:
    // show it with the page, as if it had been there all along.
    if (slot->isVisible())
        page->show();
    connect(page, &MSPEffectWidget::intermediateChange, this, &MSPSceneSettingsWidget::handleIntermediateChange);
    connect(page, &MSPEffectWidget::changeFinished, this, &MSPSceneSettingsWidget::handleChangeFinished);
    // Undo and Save sit beside the effect, but Tab goes from the effect to
    // the page, then to Undo and Save: they move behind the controls of the
    // editor just built, which joined the end of the window's focus chain.
    QWidget *lastControl = nullptr;
    for (QWidget *w = page; w == page || page->isAncestorOf(w); w = w->nextInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus)
            lastControl = w;
    }
    if (lastControl) {
        setTabOrder(lastControl, ui->retryButton);
        setTabOrder(ui->retryButton, ui->revertButton);
        setTabOrder(ui->revertButton, ui->applyButton);
    }
    return page;
}

bool MSPSceneSettingsWidget::hasUnsavedChanges() const
{
    // Also while the keypad is out of reach and the buttons are off; a Save
    // on its way is no longer the user's to settle.
    const MSPComm::EditState edit = MSPComm::instance()->editState(m_model->activeSceneIndex());
    return m_unsaved || (edit != MSPComm::EditState::None && edit != MSPComm::EditState::Saving);
}

bool MSPSceneSettingsWidget::editsReachKeypad()
{
    // Posts are suspended while the keypad's own shows are applied: those
    // are what the keypad already plays, nothing to save or undo.
    return ConnectionState::instance()->state() == ConnectionState::Connected
        && !MSPComm::instance()->postsSuspended();
}

void MSPSceneSettingsWidget::offerUnsavedEdit()
{
    const int index = m_model->activeSceneIndex();
    MSPComm *comm = MSPComm::instance();
    const bool connected = ConnectionState::instance()->state() == ConnectionState::Connected;
    const MSPComm::EditState edit = comm->editState(index);
    const bool notOnKeypad = edit == MSPComm::EditState::NotSent || edit == MSPComm::EditState::SaveNotSent;
    ui->unsentLabel->setText(edit == MSPComm::EditState::SaveNotSent
                                 ? tr("Not on the keypad: the keypad did not receive the Save.")
                                 : tr("Not on the keypad: the keypad did not receive this change."));
    ui->unsentFrame->setVisible(notOnKeypad);
    ui->retryButton->setEnabled(connected);
    // While a Save is on its way, it is neither offered again nor undone.
    setUndoSaveEnabled(connected && edit != MSPComm::EditState::None && edit != MSPComm::EditState::Saving);
}

void MSPSceneSettingsWidget::on_retryButton_clicked()
{
    MSPComm::instance()->retryEdit(m_model->activeSceneIndex());
}

void MSPSceneSettingsWidget::setUndoSaveEnabled(bool enabled)
{
    m_unsaved = enabled;
    ui->revertButton->setEnabled(enabled);
    ui->applyButton->setEnabled(enabled && !m_dragging);
}

void MSPSceneSettingsWidget::on_revertButton_clicked()
{
    MSPScene *scene = m_model->sceneAt(m_model->activeSceneIndex());
    setUndoSaveEnabled(false);
    if (!scene)
        return;
    // The kept scene is read back once the keypad has dropped the preview.
    MSPComm::instance()->revertScene(scene, m_model->activeSceneIndex());
}

void MSPSceneSettingsWidget::on_applyButton_clicked()
{
    MSPScene *scene = m_model->sceneAt(m_model->activeSceneIndex());
    setUndoSaveEnabled(false);
    if (scene)
        MSPComm::instance()->applyScene(scene);
}

void MSPSceneSettingsWidget::on_effectsComboBox_currentIndexChanged(int index)
{
    if (!m_model || index < 0 || index >= MSPEffect::typeCount)
        return;
    ui->effectPropertiesStack->setCurrentIndex(index);
    MSPScene *scene = m_model->sceneAt(m_model->activeSceneIndex());
    if (!scene)
        return;
    if (scene->effect() && scene->effect()->type() == index)
        return;
    scene->setEffect(MSPEffectFactory::instance()->create(index, scene), true);
}

void MSPSceneSettingsWidget::showEffect(int type, MSPEffect *effect)
{
    ui->effectPropertiesStack->setCurrentIndex(type);
    {
        const QSignalBlocker blocker(ui->effectsComboBox);
        ui->effectsComboBox->setCurrentIndex(type);
    }
    if (MSPEffectWidget *page = editor(type))
        page->setEffect(effect);
}

void MSPSceneSettingsWidget::activeSceneChanged(int index)
{
    m_shownScene = index;
    ui->sceneNumberLabel->setText(tr("Scene: %1").arg(index + 1));
    MSPScene *scene = m_model->sceneAt(index);
    if (scene && scene->effect()) {
        const int type = scene->effect()->type();
        ui->effectPropertiesStack->setCurrentIndex(type);
        {
            const QSignalBlocker blocker(ui->effectsComboBox);
            ui->effectsComboBox->setCurrentIndex(type);
        }
        if (MSPEffectWidget *page = editor(type)) {
            page->clearPreviousSelection();
            page->setEffect(scene->effect());
        }
    }
    m_dragging = false;
    setUndoSaveEnabled(false);
    offerUnsavedEdit();
}

void MSPSceneSettingsWidget::handleActiveSceneChangedEffect()
{
    activeSceneChanged(m_model->activeSceneIndex());
}

void MSPSceneSettingsWidget::handleSceneChangedEffect(MSPScene *scene)
{
    if (!scene || m_model->indexOf(scene) != m_model->activeSceneIndex() || !scene->effect())
        return;
    showEffect(scene->effect()->type(), scene->effect());
    if (editsReachKeypad())
        setUndoSaveEnabled(true);
}

void MSPSceneSettingsWidget::handleEffectParametersChanged(MSPScene *scene)
{
    Q_UNUSED(scene)
    if (editsReachKeypad())
        setUndoSaveEnabled(true);
}

void MSPSceneSettingsWidget::handleIntermediateChange()
{
    m_dragging = true;
    ui->applyButton->setEnabled(false);
}

void MSPSceneSettingsWidget::handleChangeFinished()
{
    m_dragging = false;
    ui->applyButton->setEnabled(m_unsaved);
}

void MSPSceneSettingsWidget::clearPreviousSelection()
{
    if (MSPEffectWidget *page = builtEditor(ui->effectPropertiesStack->currentIndex()))
        page->clearPreviousSelection();
}

void MSPSceneSettingsWidget::setEnabled(bool enabled)
{
    if (ConnectionState::instance()->state() == ConnectionState::DemoMode) {
        SystemConfiguration::instance()->setVersion(QLatin1String(demoFirmware), true);
        for (int i = 0; i < MSPSceneModel::sceneCount; ++i) {
            MSPScene *scene = m_model->sceneAt(i);
            if (scene && scene->effect()) {
                if (MSPEffectWidget *page = builtEditor(i))
                    page->setEffect(scene->effect());
            }
        }
        // The pages must edit the active scene, whatever the offer above
        // attached them to.
        activeSceneChanged(m_model->activeSceneIndex());
    }
    QWidget::setEnabled(enabled);
}

void MSPSceneSettingsWidget::showEvent(QShowEvent *event)
{
    rebuildEffectSelector();
    QWidget::showEvent(event);
}

void MSPSceneSettingsWidget::rebuildEffectSelector()
{
    QComboBox *old = ui->effectsComboBox;
    auto *combo = new QComboBox(this);
    combo->setSizeAdjustPolicy(old->sizeAdjustPolicy());
    combo->setAccessibleName(old->accessibleName());
    {
        const QSignalBlocker blocker(combo);
        for (int type = 0; type < MSPEffect::typeCount; ++type)
            combo->addItem(MSPEffect::effectTypeName(type));
        combo->setCurrentIndex(old->currentIndex());
    }
    old->setObjectName(QString());
    combo->setObjectName(QStringLiteral("effectsComboBox"));
    delete ui->headerLayout->replaceWidget(old, combo);
    old->hide();
    old->deleteLater();
    // The new selector takes the old one's place in the focus chain.
    setTabOrder(old, combo);
    ui->effectsComboBox = combo;
    ui->effectLabel->setBuddy(combo);
    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &MSPSceneSettingsWidget::on_effectsComboBox_currentIndexChanged);
}
