// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QString>
#include <QWidget>

class QMenu;

namespace OvrColorPickerLib {

/**
 * One swatch: the main colour or a comparison colour. A click (or Space) selects
 * it; its context menu adds the colour to the favourites list, copies it to
 * the main swatch, opens it on the RGB or white page, or resets it to the
 * colour it last had from outside. Colours can be dragged out of it and
 * dropped on it.
 */
class ColorViewWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorViewWidget)
public:
    explicit ColorViewWidget(bool isMain, QWidget *parent = nullptr);
    ~ColorViewWidget() override;

    OvrColor color() const { return m_color; }
    QString uid() const { return m_uid; }
    bool isMain() const { return m_isMain; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    /** The colour "Reset" goes back to. */
    void setOriginalColor(const OvrColor &color, const QString &uid);
    void setFavoritesListName(const QString &listName);
    /** Whether a translucent colour is painted over a checkerboard (on by default). */
    bool isOpacityShown() const { return m_opacityShown; }
    void setOpacityShown(bool shown);
    QString favoritesListName() const { return m_listName; }

    /** The context menu as it would open now (the caller owns it). */
    QMenu *createContextMenu(QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    /** Shows the colour without emitting colorChanged(). */
    void setColor(const OvrColor &color, const QString &uid);
    /** Back to the original colour; emits colorChanged() if it differs. */
    void onReset();

signals:
    /** The user changed the colour here (drop or reset). */
    void colorChanged(const OvrColor &color, const QString &uid);
    void selected();
    void addToFavorites(const OvrColor &color, const QString &uid);
    void copyToMainColor(const OvrColor &color, const QString &uid);
    void openInRGBPicker(const OvrColor &color, const QString &uid);
    void openInWhitePicker(const OvrColor &color, const QString &uid);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void updateDescription();

    bool m_isMain;
    bool m_selected = false;
    bool m_opacityShown = true;
    OvrColor m_color;
    QString m_uid;
    OvrColor m_originalColor;
    QString m_originalUid;
    QString m_listName;
    QPoint m_pressPos;
};

} // namespace OvrColorPickerLib
