// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

class MSPEffect;
class MSPEffectWidget;
class MSPScene;
class MSPSceneModel;
class QComboBox;
namespace Ui { class MSPSceneSettings; }

/**
 * The "Scene Settings" tab: which scene is active, its effect type, and one
 * editor page per effect type. Every edit goes straight into the scene
 * model, which makes the keypad preview it; "Save" keeps the scene on the
 * keypad, "Undo" drops the preview and reads the kept scene back. Undo and
 * Save are only ever enabled with a connected keypad.
 */
class MSPSceneSettingsWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPSceneSettingsWidget)
public:
    /** When the editor of the effect shown first is built. */
    enum class FirstEditor {
        Now, ///< with the tab
        Later ///< by buildShownEditor(), or as soon as an editor is asked for
    };
    explicit MSPSceneSettingsWidget(QWidget *parent = nullptr, FirstEditor firstEditor = FirstEditor::Now);
    ~MSPSceneSettingsWidget() override;
    /** Builds the editor of the effect shown, if it is not built yet. */
    void buildShownEditor();

    /** Whether the scene shown has an edit the keypad plays but has not saved. */
    bool hasUnsavedEdit() const { return m_unsaved; }

    /** The scene the tab shows (0-based), or -1 before the first. */
    int shownSceneIndex() const { return m_shownScene; }
    /** The editor page of effect @p type, built the first time it is shown or asked for. */
    MSPEffectWidget *editor(int type);
    /** Whether the shown scene has a change the keypad has not kept (Save would keep it). */
    bool hasUnsavedChanges() const;

signals:
    void closeSignal();

public slots:
    void on_revertButton_clicked();
    void on_applyButton_clicked();
    /** Sends the active scene's edit (or its Save) that did not reach the keypad again. */
    void on_retryButton_clicked();
    void on_effectsComboBox_currentIndexChanged(int index);
    void activeSceneChanged(int index);
    void handleActiveSceneChangedEffect();
    void handleSceneChangedEffect(MSPScene *scene);
    void handleEffectParametersChanged(MSPScene *scene);
    void handleIntermediateChange();
    void clearPreviousSelection();
    /**
     * Enables or disables the tab; entering demo mode first makes every
     * editor feature available (firmware "1.1.24") and offers each scene's
     * effect to the editors.
     */
    void setEnabled(bool enabled);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void handleChangeFinished();
    void setUndoSaveEnabled(bool enabled);
    void offerUnsavedEdit();
    /** Whether a change may be saved or undone: a connected keypad, and not the keypad's own reply. */
    static bool editsReachKeypad();
    void showEffect(int type, MSPEffect *effect);
    /** The editor of effect @p type if it is built already, else null. */
    MSPEffectWidget *builtEditor(int type) const;
    void rebuildEffectSelector();

    std::unique_ptr<Ui::MSPSceneSettings> ui;
    MSPSceneModel *m_model = nullptr;
    int m_shownScene = -1;
    bool m_dragging = false;
    bool m_unsaved = false;
};
