// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QWidget>

class QToolButton;

namespace OvrWidgetsLib {
class FilterBox;
}

namespace OvrColorPickerLib {

class OvrColorLibraryTreeView;

/** The colour library tree with its filter box and the new-group, load-from-file and export buttons. */
class ColorTreeAndFilterWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorTreeAndFilterWidget)

public:
    explicit ColorTreeAndFilterWidget(QWidget *parent = nullptr);

    OvrColorLibraryTreeView *treeView() const { return m_tree; }
    OvrWidgetsLib::FilterBox *filterBox() const { return m_filter; }
    QToolButton *newGroupButton() const { return m_newGroup; }
    QToolButton *loadButton() const { return m_load; }
    QToolButton *exportButton() const { return m_export; }
    /** Wide enough for the library's list names; the picker's pages get the rest. */
    QSize sizeHint() const override;

public slots:
    /** Creates a user list named "New Group" (made unique) and starts renaming it; returns its name. */
    QString createNewGroup();
    /** Asks for a colour file and adds its lists to the library. */
    void loadFromFile();
    /** Adds the lists of a colour file; on failure says why and changes nothing. */
    bool loadFile(const QString &path, bool showErrors = true);

signals:
    void colorItemClicked(const OvrColor &color, const QString &uid);

private:
    void selectList(const QString &listId, bool edit);

    OvrWidgetsLib::FilterBox *m_filter = nullptr;
    QToolButton *m_newGroup = nullptr;
    QToolButton *m_load = nullptr;
    QToolButton *m_export = nullptr;
    OvrColorLibraryTreeView *m_tree = nullptr;
};

} // namespace OvrColorPickerLib
