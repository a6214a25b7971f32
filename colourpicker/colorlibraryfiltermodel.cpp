// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorlibraryfiltermodel.h"

namespace OvrColorPickerLib {

ColorLibraryFilterModel::ColorLibraryFilterModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    // Lists keep the order of the library; nothing is sorted.
    setDynamicSortFilter(false);
}

void ColorLibraryFilterModel::setFilterText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == m_text)
        return;
    m_text = trimmed;
    invalidateFilter();
}

Qt::ItemFlags ColorLibraryFilterModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? QSortFilterProxyModel::flags(index) : Qt::NoItemFlags;
}

bool ColorLibraryFilterModel::matches(const QModelIndex &sourceIndex) const
{
    return sourceIndex.data(Qt::DisplayRole).toString().contains(m_text, Qt::CaseInsensitive);
}

bool ColorLibraryFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (m_text.isEmpty())
        return true;
    const QAbstractItemModel *model = sourceModel();
    const QModelIndex index = model->index(sourceRow, 0, sourceParent);
    if (matches(index))
        return true;
    if (sourceParent.isValid())
        return matches(sourceParent); // a colour of a list whose name matches
    const int count = model->rowCount(index);
    for (int i = 0; i < count; ++i) {
        if (matches(model->index(i, 0, index)))
            return true;
    }
    return false;
}

} // namespace OvrColorPickerLib
