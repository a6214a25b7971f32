// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolorlibrarytreeview.h"

#include "colorfileimporter.h"
#include "colorlibraryfiltermodel.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorpickerlogging.h"
#include "zeplo3projecthelper.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QDomDocument>
#include <QDragMoveEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QSettings>

#include <memory>

namespace OvrColorPickerLib {

namespace {
const QString kExportDirKey = QStringLiteral("colorPickerExportDir");
const QString kExpandedSuffix = QStringLiteral("_expanded");

bool isColorIndex(const QModelIndex &libraryIndex)
{
    return libraryIndex.isValid() && libraryIndex.parent().isValid();
}

QString listIdOf(const QModelIndex &libraryIndex)
{
    return OvrColorLibrary::Instance()->listIdAt(libraryIndex);
}
} // namespace

class OvrColorLibraryTreeView::Private
{
public:
    ColorLibraryFilterModel *filter = nullptr;
    QAction *rename = nullptr;
    QAction *remove = nullptr;
    QAction *exportLists = nullptr;
    QAction *cut = nullptr;
    QAction *copy = nullptr;
    QAction *paste = nullptr;
    bool restoring = false;
};

OvrColorLibraryTreeView::OvrColorLibraryTreeView(QWidget *parent)
    : QTreeView(parent)
    , d(new Private)
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    d->filter = new ColorLibraryFilterModel(this);
    d->filter->setSourceModel(library);
    setModel(d->filter);

    setAccessibleName(tr("Colour library"));
    setHeaderHidden(true);
    setColumnHidden(1, true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    // Drags copy: a colour dragged onto another list or onto a colour strip
    // stays where it was (Cut and Paste move colours between lists).
    setDefaultDropAction(Qt::CopyAction);
    const int icon = fontMetrics().height();
    setIconSize(QSize(icon, icon));

    auto makeAction = [this](const QString &text, const QKeySequence &keys, void (OvrColorLibraryTreeView::*slot)()) {
        auto *action = new QAction(text, this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        return action;
    };
    d->rename = makeAction(tr("Rename"), QKeySequence(Qt::Key_F2), &OvrColorLibraryTreeView::renameCurrent);
    d->remove = makeAction(tr("Delete"), QKeySequence(QKeySequence::Delete), &OvrColorLibraryTreeView::deleteSelected);
    d->exportLists = makeAction(tr("Export..."), QKeySequence(), &OvrColorLibraryTreeView::exportSelected);
    d->cut = makeAction(tr("Cut"), QKeySequence(QKeySequence::Cut), &OvrColorLibraryTreeView::cutSelected);
    d->copy = makeAction(tr("Copy"), QKeySequence(QKeySequence::Copy), &OvrColorLibraryTreeView::copySelected);
    d->paste = new QAction(tr("Paste"), this);
    d->paste->setShortcut(QKeySequence::Paste);
    d->paste->setShortcutContext(Qt::WidgetShortcut);
    connect(d->paste, &QAction::triggered, this, &OvrColorLibraryTreeView::paste);
    addAction(d->paste);

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        const QModelIndex source = libraryIndex(index);
        if (isColorIndex(source)) {
            OvrColorLibrary *lib = OvrColorLibrary::Instance();
            emit colorItemClicked(lib->colorAt(source), lib->uidAt(source));
        }
    });
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        if (!d->restoring && d->filter->filterText().isEmpty())
            QSettings().setValue(expandedKey(listIdOf(libraryIndex(index))), true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex &index) {
        if (!d->restoring && d->filter->filterText().isEmpty())
            QSettings().setValue(expandedKey(listIdOf(libraryIndex(index))), false);
    });
    connect(d->filter, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &parent) {
        if (!parent.isValid())
            restoreExpandedState();
    });
    connect(d->filter, &QAbstractItemModel::modelReset, this, &OvrColorLibraryTreeView::restoreExpandedState);
    connect(library, &OvrColorLibrary::listRenamed, this, [](const QString &oldName, const QString &newName) {
        QSettings settings;
        const QString oldKey = expandedKey(oldName);
        if (settings.contains(oldKey)) {
            settings.setValue(expandedKey(newName), settings.value(oldKey));
            settings.remove(oldKey);
        }
    });
    restoreExpandedState();
    updateActions();
}

OvrColorLibraryTreeView::~OvrColorLibraryTreeView() = default;

ColorLibraryFilterModel *OvrColorLibraryTreeView::filterModel() const
{
    return d->filter;
}

QString OvrColorLibraryTreeView::currentFilterText() const
{
    return d->filter->filterText();
}

QModelIndex OvrColorLibraryTreeView::libraryIndex(const QModelIndex &viewIndex) const
{
    return d->filter->mapToSource(viewIndex);
}

QModelIndex OvrColorLibraryTreeView::viewIndex(const QModelIndex &libraryIndex) const
{
    return d->filter->mapFromSource(libraryIndex);
}

QString OvrColorLibraryTreeView::expandedKey(const QString &listId)
{
    return listId + kExpandedSuffix;
}

bool OvrColorLibraryTreeView::isModifiable(const QModelIndex &libraryIndex)
{
    if (!libraryIndex.isValid())
        return false;
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    const QModelIndex list = isColorIndex(libraryIndex) ? libraryIndex.parent() : libraryIndex;
    if (!library->isUserListIndex(list.siblingAtColumn(0)))
        return false;
    // The list of explicitly made colours belongs to the program: its colours
    // may go, the list itself stays.
    return isColorIndex(libraryIndex) || library->listIdAt(list) != OvrColorLibrary::explicitColorsListName();
}

QAction *OvrColorLibraryTreeView::renameAction() const
{
    return d->rename;
}
QAction *OvrColorLibraryTreeView::deleteAction() const
{
    return d->remove;
}
QAction *OvrColorLibraryTreeView::exportAction() const
{
    return d->exportLists;
}
QAction *OvrColorLibraryTreeView::cutAction() const
{
    return d->cut;
}
QAction *OvrColorLibraryTreeView::copyAction() const
{
    return d->copy;
}
QAction *OvrColorLibraryTreeView::pasteAction() const
{
    return d->paste;
}

QStringList OvrColorLibraryTreeView::selectedListIds() const
{
    QStringList ids;
    for (const QModelIndex &index : selectionModel()->selectedRows(0)) {
        const QString id = listIdOf(libraryIndex(index));
        if (!id.isEmpty() && !ids.contains(id))
            ids.append(id);
    }
    return ids;
}

void OvrColorLibraryTreeView::setFilterText(const QString &text)
{
    if (text.trimmed() == d->filter->filterText())
        return;
    d->filter->setFilterText(text);
    restoreExpandedState();
    emit filterText(d->filter->filterText());
}

void OvrColorLibraryTreeView::restoreExpandedState()
{
    const QScopedValueRollback<bool> guard(d->restoring, true);
    if (!d->filter->filterText().isEmpty()) {
        // Every list still shown holds a match: open them all.
        expandAll();
        return;
    }
    QSettings settings;
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    const int count = d->filter->rowCount();
    for (int row = 0; row < count; ++row) {
        const QModelIndex index = d->filter->index(row, 0);
        const QString listId = library->listIdAt(libraryIndex(index));
        // Until the user says otherwise their own lists are open and the read-only ones closed.
        const bool open = settings.value(expandedKey(listId), library->isUserList(listId)).toBool();
        setExpanded(index, open);
    }
}

void OvrColorLibraryTreeView::renameCurrent()
{
    const QModelIndex current = currentIndex().siblingAtColumn(0);
    if (!isModifiable(libraryIndex(current)))
        return;
    edit(current);
}

void OvrColorLibraryTreeView::deleteSelected()
{
    const QModelIndexList rows = selectionModel()->selectedRows(0);
    if (rows.isEmpty())
        return;
    QStringList uids;
    QStringList lists;
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    for (const QModelIndex &row : rows) {
        const QModelIndex source = libraryIndex(row);
        if (!isModifiable(source))
            return; // anything read-only in the selection refuses the whole deletion
        if (isColorIndex(source))
            uids.append(library->uidAt(source));
        else
            lists.append(library->listIdAt(source));
    }
    int listedColors = 0;
    for (const QString &list : qAsConst(lists))
        listedColors += library->getColorUids(list).size();
    if (listedColors > 0) {
        const QString question = lists.size() == 1
            ? tr("Delete the list \"%1\" with its %n colour(s)?", nullptr, listedColors).arg(lists.first())
            : tr("Delete %1 lists with their %n colour(s)?", nullptr, listedColors).arg(lists.size());
        if (QMessageBox::question(this, tr("Delete Colors"), question) != QMessageBox::Yes)
            return;
    }
    library->setEditingMultipleColors(true);
    for (const QString &uid : qAsConst(uids)) {
        if (!lists.contains(library->pathOfUid(uid)))
            library->remove(uid);
    }
    for (const QString &list : qAsConst(lists))
        library->removeColorList(list);
    library->setEditingMultipleColors(false);
}

void OvrColorLibraryTreeView::copySelected()
{
    QModelIndexList colors;
    for (const QModelIndex &row : selectionModel()->selectedRows(0)) {
        const QModelIndex source = libraryIndex(row);
        if (isColorIndex(source))
            colors.append(source);
    }
    if (colors.isEmpty())
        return;
    QApplication::clipboard()->setMimeData(OvrColorLibrary::Instance()->mimeData(colors));
}

void OvrColorLibraryTreeView::cutSelected()
{
    const QModelIndexList rows = selectionModel()->selectedRows(0);
    for (const QModelIndex &row : rows) {
        const QModelIndex source = libraryIndex(row);
        if (!isColorIndex(source) || !isModifiable(source))
            return;
    }
    copySelected();
    deleteSelected();
}

bool OvrColorLibraryTreeView::paste()
{
    const QModelIndex source = libraryIndex(currentIndex());
    const QModelIndex list = isColorIndex(source) ? source.parent() : source;
    if (!isModifiable(list))
        return false; // read-only or nothing chosen: refused without a word
    QString error;
    if (pasteMimeData(QApplication::clipboard()->mimeData(), listIdOf(list), &error))
        return true;
    if (!error.isEmpty())
        showError(tr("Paste Colors"), error);
    return false;
}

bool OvrColorLibraryTreeView::pasteMimeData(const QMimeData *data, const QString &listId, QString *errorText)
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    if (!data || !library->isUserList(listId) || listId == OvrColorLibrary::projectSwatchesListName())
        return false;

    QVector<OvrColor> colors;
    QStringList uids;
    QStringList names;
    if (OvrColorLibrary::hasColorEntries(data)) {
        const QVector<OvrColorLibrary::MimeEntry> entries = OvrColorLibrary::entriesFromMimeData(data);
        for (const OvrColorLibrary::MimeEntry &entry : entries) {
            if (!entry.color.isValid())
                continue;
            colors.append(entry.color);
            uids.append(entry.uid);
            names.append(entry.name);
        }
    } else if (data->hasText()) {
        const QString text = data->text().trimmed();
        if (text.size() > ColorFileImporter::MaximumDocumentSize) {
            if (errorText)
                *errorText = tr("The clipboard holds too much text to be colours.");
            return false;
        }
        if (text.startsWith(QLatin1Char('<')))
            return ColorFileImporter::importDocument(text.toUtf8(), errorText);
        const QStringList entries = text.split(QRegularExpression(QStringLiteral("[,\\n]")), Qt::SkipEmptyParts);
        if (entries.size() > ColorFileImporter::MaximumColorCount) {
            if (errorText)
                *errorText = tr("The clipboard holds more than %1 colours.").arg(ColorFileImporter::MaximumColorCount);
            return false;
        }
        for (const QString &entry : entries) {
            const QString trimmed = entry.trimmed();
            const QString value = OvrColorLibrary::UidAndValueToValue(trimmed);
            const bool knownForm = value.startsWith(QLatin1String("aRgb;")) || value.startsWith(QLatin1String("aYxy;"))
                || value.startsWith(QLatin1String("aNchannel;")) || value.startsWith(QLatin1Char('#'));
            const OvrColor color = knownForm ? OvrColor(value) : OvrColor();
            if (!color.isValid()) {
                if (errorText)
                    *errorText = tr("\"%1\" is not a colour.").arg(trimmed.left(60));
                return false;
            }
            colors.append(color);
            uids.append(OvrColorLibrary::UidAndValueToUid(trimmed));
        }
    }
    if (colors.isEmpty()) {
        if (errorText)
            *errorText = tr("The clipboard holds no colours.");
        return false;
    }
    library->setEditingMultipleColors(true);
    for (int i = 0; i < colors.size(); ++i) {
        const QString uid = uids.value(i);
        if (!uid.isEmpty() && library->containsUid(uid) && library->get(uid) == colors.at(i))
            library->createNewSwatchUidFromUid(uid, listId);
        else
            library->createColor(colors.at(i), names.value(i), listId);
    }
    library->setEditingMultipleColors(false);
    return true;
}

void OvrColorLibraryTreeView::exportSelected()
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    QStringList lists = selectedListIds();
    if (lists.isEmpty())
        lists = library->getModifiableLists();
    if (lists.isEmpty())
        return;
    QSettings settings;
    const QString dir = settings.value(kExportDirKey, QDir::homePath()).toString();
    QString name = lists.size() == 1 ? lists.first() : tr("Colors");
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
    QString selectedFilter;
    QString path = QFileDialog::getSaveFileName(this, tr("Export Colors to a File"),
                                                QDir(dir).filePath(name + QStringLiteral(".ovrcolors")),
                                                tr("Ovr Color Files (*.ovrcolors);;All Files (*.* *)"),
                                                &selectedFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty() && selectedFilter.contains(QLatin1String("*.ovrcolors")))
        path += QStringLiteral(".ovrcolors");
    settings.setValue(kExportDirKey, QFileInfo(path).absolutePath());
    QString error;
    if (!exportLists(lists, path, &error))
        showError(tr("Export Colors"), error);
}

bool OvrColorLibraryTreeView::exportLists(const QStringList &listIds, const QString &path, QString *errorText)
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("ColorLibraryList"));
    document.appendChild(root);
    for (const QString &listId : listIds) {
        if (!library->containsList(listId))
            continue;
        const QStringList uids = library->getColorUids(listId);
        QStringList names;
        QStringList values;
        QStringList presets;
        QStringList colorIds;
        for (const QString &uid : uids) {
            names.append(library->getColorName(uid));
            values.append(OvrColorLibrary::color2Text(library->get(uid)));
            presets.append(library->getOriginatingPreset(uid));
            colorIds.append(library->getColorId(uid));
        }
        bool ok = false;
        QDomElement element = Zeplo3ProjectHelper::createElement(document, ok, uids, names, values, presets, colorIds);
        element.setAttribute(QStringLiteral("name"), Zeplo3ProjectHelper::xmlSafe(listId));
        element.setAttribute(QStringLiteral("isUserLibrary"), library->isUserList(listId) ? 1 : 0);
        root.appendChild(element);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        if (errorText)
            *errorText = tr("The file \"%1\" cannot be written: %2").arg(QDir::toNativeSeparators(path),
                                                                         file.errorString());
        return false;
    }
    const QByteArray bytes = document.toByteArray(1);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (errorText)
            *errorText = tr("The file \"%1\" could not be written completely: %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString());
        qCWarning(lcColorPicker) << "export failed:" << path << file.errorString();
        return false;
    }
    return true;
}

void OvrColorLibraryTreeView::showError(const QString &title, const QString &text)
{
    QMessageBox::warning(this, title, text);
}

void OvrColorLibraryTreeView::pickCurrent()
{
    const QModelIndex current = currentIndex();
    const QModelIndex source = libraryIndex(current);
    if (isColorIndex(source)) {
        OvrColorLibrary *library = OvrColorLibrary::Instance();
        emit colorItemClicked(library->colorAt(source), library->uidAt(source));
    } else if (current.isValid()) {
        setExpanded(current, !isExpanded(current));
    }
}

bool OvrColorLibraryTreeView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (!isModifiable(libraryIndex(index.siblingAtColumn(0))))
        return false; // read-only lists and the program's own lists keep their names
    return QTreeView::edit(index, trigger, event);
}

void OvrColorLibraryTreeView::keyPressEvent(QKeyEvent *event)
{
    if (state() != QAbstractItemView::EditingState
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        pickCurrent();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void OvrColorLibraryTreeView::updateActions()
{
    if (!d->rename)
        return; // setModel() reports a selection before the actions exist
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows(0) : QModelIndexList();
    bool allModifiable = !rows.isEmpty();
    bool allColors = !rows.isEmpty();
    for (const QModelIndex &row : rows) {
        const QModelIndex source = libraryIndex(row);
        allModifiable = allModifiable && isModifiable(source);
        allColors = allColors && isColorIndex(source);
    }
    const QModelIndex current = libraryIndex(currentIndex());
    d->rename->setEnabled(rows.size() == 1 && isModifiable(current));
    d->remove->setEnabled(allModifiable);
    d->cut->setEnabled(allModifiable && allColors);
    d->copy->setEnabled(allColors);
    const QModelIndex list = isColorIndex(current) ? current.parent() : current;
    d->paste->setEnabled(list.isValid() && isModifiable(list)
                         && listIdOf(list) != OvrColorLibrary::projectSwatchesListName());
    d->exportLists->setEnabled(!rows.isEmpty() || !OvrColorLibrary::Instance()->getModifiableLists().isEmpty());
}

void OvrColorLibraryTreeView::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid() && !selectionModel()->isSelected(index))
        setCurrentIndex(index);
    updateActions();
    QMenu menu(this);
    menu.addAction(d->rename);
    menu.addAction(d->remove);
    menu.addAction(d->exportLists);
    menu.addSeparator();
    menu.addAction(d->cut);
    menu.addAction(d->copy);
    menu.addAction(d->paste);
    menu.exec(event->globalPos());
}

void OvrColorLibraryTreeView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex source = libraryIndex(indexAt(event->pos()));
    if (isColorIndex(source)) {
        const std::unique_ptr<QMimeData> data(OvrColorLibrary::Instance()->mimeData({source}));
        emit doubleClickedOnWidget(data.get());
    }
    QTreeView::mouseDoubleClickEvent(event);
}

Qt::DropActions OvrColorLibraryTreeView::dragActionsForSelection() const
{
    Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    for (const QModelIndex &row : selectionModel()->selectedRows(0)) {
        if (!isModifiable(libraryIndex(row)))
            actions &= ~Qt::MoveAction;
    }
    return actions;
}

void OvrColorLibraryTreeView::startDrag(Qt::DropActions supportedActions)
{
    QTreeView::startDrag(supportedActions & dragActionsForSelection());
}

void OvrColorLibraryTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    QTreeView::dragMoveEvent(event);
    // A drop from outside the view is always a copy.
    if (event->isAccepted() && event->source() != this && event->dropAction() == Qt::MoveAction) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void OvrColorLibraryTreeView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    updateActions();
    emit selectionChangedSignal(selected, deselected);
}

void OvrColorLibraryTreeView::showEvent(QShowEvent *event)
{
    QTreeView::showEvent(event);
    emit showed();
}

} // namespace OvrColorPickerLib
