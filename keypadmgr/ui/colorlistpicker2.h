// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

#include <memory>

/**
 * A row of colour patches that shows and edits a list of colours (OvrColor
 * names). Pressing a patch selects it for editing (editColor); clicking the
 * empty slot after the last patch adds a copy of the last colour; dragging a
 * patch along the row reorders, dragging it off the row deletes it, and
 * dropping it on the empty slot duplicates it. A context menu inserts and
 * deletes; colours dropped from the colour library replace a patch or are
 * appended.
 *
 * Patches beyond the maximum count (a list loaded from elsewhere) are shown
 * but crossed out.
 */
class ColorListPicker2 : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorListPicker2)
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    /** The strip's own drag format; the colour library's "data/x-ovrcolor" is accepted too. */
    static const char *const mimeType;

    explicit ColorListPicker2(QWidget *parent = nullptr);
    ~ColorListPicker2() override;

    QStringList colors() const;
    /** Replaces the list without signals; the current index is kept when still valid. */
    void setColors(const QStringList &colors);

    /** The whole list joined with "|". */
    QString text() const;
    void setText(const QString &text);

    int patchSize() const;
    void setPatchSize(int size);
    int maximumCount() const;
    void setMaximumCount(int count);
    int minimumCount() const;
    void setMinimumCount(int count);
    int currentIndex() const;
    /** Selects a patch (-1: none) without signals. */
    void setCurrentIndex(int index);
    /** The colour an add starts from when the strip is empty. */
    void setDefaultColor(const QString &color);

    /** Square of patch @p index, and of the add slot (null when there is none). */
    QRect patchRect(int index) const;
    QRect addSlotRect() const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

signals:
    void editColor(const QString &color);
    void colorChanged(int index, const QString &color);
    void colorCountChanged();

public slots:
    void editColorChanged(const QString &inNewColor);
    void onCancelledColor(const QString &c);
    void onContextMenuDelete();
    void onContextMenuInsert();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    class Private;
    std::unique_ptr<Private> d;
};
