// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

#include <memory>

class QAction;
class QMenu;
class QToolButton;

namespace Ui {
class OvrColorPickerButtonsWidget;
}

namespace OvrColorPickerLib {

/**
 * The row above the picker: toggles that show or hide the RGB, white and
 * channel pages, and "Add to User Group" with one action per user colour
 * list. The toggles' states are kept in the settings under
 * "colorPickerRGBPickerDisplayed", "colorPickerWhitePickerDisplayed" and
 * "colorPickerNChannelPickerDisplayed" and restored at construction.
 */
class OvrColorPickerButtonsWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(OvrColorPickerButtonsWidget)
public:
    explicit OvrColorPickerButtonsWidget(QWidget *parent = nullptr);
    ~OvrColorPickerButtonsWidget() override;

    /** Whether page 0 (RGB), 1 (white) or 2 (channel) is displayed. */
    bool isPageDisplayed(int page) const;
    void setPageDisplayed(int page, bool displayed);
    void setPageEnabled(int page, bool enabled);
    QToolButton *pageButton(int page) const;
    QToolButton *addToUserGroupButton() const;
    QMenu *favoriteListsMenu() const;
    QStringList colorLists() const;
    /** The page updatePickerButtons() marked last, -1 before. */
    int markedPage() const { return m_markedPage; }

    /** Settings key of a page toggle. */
    static QString settingsKey(int page);

    QSize minimumSizeHint() const override;

public slots:
    /** Rebuilds the "Add to User Group" menu from the user colour lists. */
    void updateColorLists(const QStringList &lists);
    void handleListRenamed(const QString &oldName, const QString &newName);
    void triggeredFavoriteList(QAction *action);
    /** Marks the page that matches the colour set last. */
    void updatePickerButtons(int selectedPickerIndex, bool enableSliders);

protected:
    void resizeEvent(QResizeEvent *event) override;

signals:
    void pageDisplayedChanged(int page, bool displayed);
    /** The user chose a list in the "Add to User Group" menu. */
    void addToFavoriteList(const QString &list);

private:
    /** Full texts when they fit, short ones ("RGB", "White", "Channel") in a narrow dock. */
    void fitTexts(int width);
    int widthWithTexts(bool full) const;

    std::unique_ptr<Ui::OvrColorPickerButtonsWidget> ui;
    QStringList m_fullTexts;
    QStringList m_shortTexts;
    QMenu *m_menu;
    QStringList m_lists;
    int m_markedPage = -1;
};

} // namespace OvrColorPickerLib
