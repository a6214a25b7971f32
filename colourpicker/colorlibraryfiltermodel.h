// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSortFilterProxyModel>

namespace OvrColorPickerLib {

/**
 * Filters the colour library by name, ignoring case: a list whose name
 * matches is shown whole, any other list only with its matching colours, and
 * a list without a match not at all.
 */
class ColorLibraryFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorLibraryFilterModel)

public:
    explicit ColorLibraryFilterModel(QObject *parent = nullptr);

    QString filterText() const { return m_text; }
    void setFilterText(const QString &text);
    /** As the library's, except that the root takes no drops: colours go into lists. */
    Qt::ItemFlags flags(const QModelIndex &index) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool matches(const QModelIndex &sourceIndex) const;

    QString m_text;
};

} // namespace OvrColorPickerLib
