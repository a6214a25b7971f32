// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QItemSelection>
#include <QTreeView>

#include <memory>

class QAction;
class QMimeData;

namespace OvrColorPickerLib {

class ColorLibraryFilterModel;

/**
 * The colour library as a tree of lists and colours, filtered by name.
 * User lists can be edited in place, by the context menu, by keys (F2,
 * Delete, Ctrl+X/C/V) and by drag and drop; read-only lists (presets,
 * "Halvane Swatches", "Project Swatches") only give colours away. The
 * expanded state of each list is remembered between runs.
 */
class OvrColorLibraryTreeView : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY(OvrColorLibraryTreeView)

public:
    explicit OvrColorLibraryTreeView(QWidget *parent = nullptr);
    ~OvrColorLibraryTreeView() override;

    ColorLibraryFilterModel *filterModel() const;
    QString currentFilterText() const;

    /** The library index (not the view's) of a view index. */
    QModelIndex libraryIndex(const QModelIndex &viewIndex) const;
    /** The view index of a library index; invalid when filtered out. */
    QModelIndex viewIndex(const QModelIndex &libraryIndex) const;
    /** The library list ids the selection touches (lists, and lists of selected colours). */
    QStringList selectedListIds() const;
    /** Whether the library index may be renamed or deleted by the user. */
    static bool isModifiable(const QModelIndex &libraryIndex);

    /** What a drag of the selection may do: colours of read-only lists are only copied. */
    Qt::DropActions dragActionsForSelection() const;

    /** Settings key of a list's expanded state. */
    static QString expandedKey(const QString &listId);

    QAction *renameAction() const;
    QAction *deleteAction() const;
    QAction *exportAction() const;
    QAction *cutAction() const;
    QAction *copyAction() const;
    QAction *pasteAction() const;

    using QTreeView::edit;

public slots:
    void setFilterText(const QString &text);
    /** Renames the current item if it is modifiable; read-only items are refused silently. */
    void renameCurrent();
    /** Deletes the selected modifiable items; read-only items are left alone silently. */
    void deleteSelected();
    void copySelected();
    void cutSelected();
    /** Pastes colours from the clipboard into the user list of the current item. */
    bool paste();
    /** Pastes colours from mime data into a user list; false (nothing changed) when refused. */
    bool pasteMimeData(const QMimeData *data, const QString &listId, QString *errorText = nullptr);
    /** Asks for a file and exports the selected lists to it. */
    void exportSelected();
    /** Writes lists as a colour document; false (old file intact) on failure. */
    static bool exportLists(const QStringList &listIds, const QString &path, QString *errorText = nullptr);
    /** Applies the remembered expanded state to every list (or expands all matches under a filter). */
    void restoreExpandedState();

signals:
    void colorItemClicked(const OvrColor &color, const QString &uid);
    /** A colour was double-clicked; the data is valid during the signal only. */
    void doubleClickedOnWidget(const QMimeData *data);
    void filterText(const QString &text);
    void selectionChangedSignal(const QItemSelection &selected, const QItemSelection &deselected);
    void showed();

protected:
    /** Every route to an editor (F2, a click on the selected item, the menu) ends here. */
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void showEvent(QShowEvent *event) override;

private:
    void updateActions();
    void pickCurrent();
    void showError(const QString &title, const QString &text);

    class Private;
    std::unique_ptr<Private> d;
};

} // namespace OvrColorPickerLib
