// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

/**
 * The "Scene Settings" tab: shows and edits the active scene. This first
 * version shows which scene is active; the effect editors plug in here.
 */
class MSPSceneSettingsWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPSceneSettingsWidget)
public:
    explicit MSPSceneSettingsWidget(QWidget *parent = nullptr);

    int shownSceneIndex() const { return m_shownScene; }

public slots:
    void activeSceneChanged(int index);

private:
    QLabel *m_sceneLabel;
    int m_shownScene = -1;
};
