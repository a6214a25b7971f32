// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolorlibrary.h"

#include "ovrbusycursor.h"
#include "ovrcolorlogging.h"
#include "ovrdatafiles.h"
#include "zeplo3projecthelper.h"

#include "platformpaths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QSaveFile>
#include <QUuid>
#include <QXmlStreamWriter>

#include <algorithm>

struct OvrColorLibrary::Item
{
    Q_DISABLE_COPY(Item)
    Item() = default;
    ~Item() { qDeleteAll(children); }

    bool isList() const { return kind == ListItem; }
    bool isColor() const { return kind != ListItem; }
    Item *list() const { return isList() ? const_cast<Item *>(this) : parent; }

    Item *parent = nullptr;
    int row = 0;
    ItemKind kind = ListItem;
    bool user = false;
    QString name;
    QString uid;
    QString value;
    QString originatingPreset;
    QString colorId; // also the colour's vendor id in drag data
    OvrColor color;
    QVector<Item *> children;
};

OvrColorLibrary *OvrColorLibrary::s_instance = nullptr;

namespace {

const char vendorFolderName[] = "Halvane Lighting";
const char userColorsFileName[] = "userColors.xml";

QStringList splitEntries(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
}


} // namespace

// ---------------------------------------------------------------------------
// Lifetime, names and formats

OvrColorLibrary::OvrColorLibrary(QObject *parent)
    : QAbstractItemModel(parent)
    , m_root(new Item)
    , m_sampleColor(Qt::white)
{
}

OvrColorLibrary::~OvrColorLibrary() = default;

OvrColorLibrary *OvrColorLibrary::Instance()
{
    if (!s_instance) {
        s_instance = new OvrColorLibrary;
        // Thumbnails are pixmaps: let them go before the application does.
        if (QCoreApplication::instance())
            qAddPostRoutine(&OvrColorLibrary::cleanup);
    }
    return s_instance;
}

void OvrColorLibrary::cleanup()
{
    if (s_instance)
        qRemovePostRoutine(&OvrColorLibrary::cleanup);
    delete s_instance;
    s_instance = nullptr;
}

QString OvrColorLibrary::explicitColorsListName()
{
    return tr("Explicit Colors");
}

QString OvrColorLibrary::projectSwatchesListName()
{
    return tr("Project Swatches");
}

QString OvrColorLibrary::colorMimeType()
{
    return QStringLiteral("data/x-ovrcolor");
}

QString OvrColorLibrary::nameMimeType()
{
    return QStringLiteral("data/x-ovrcolor-name");
}

QString OvrColorLibrary::vendorIdMimeType()
{
    return QStringLiteral("data/x-ovrcolor-vendorid");
}

QString OvrColorLibrary::originatingPresetMimeType()
{
    return QStringLiteral("data/x-ovrcolor-originatingPreset");
}

QString OvrColorLibrary::luxeplotMimeType()
{
    return QStringLiteral("x-luxeplot3/color");
}

QString OvrColorLibrary::entriesMimeType()
{
    return QStringLiteral("data/x-ovrcolor-entries");
}

QString OvrColorLibrary::defaultUserColorsPath()
{
    static const QString path = platformUserDataFolder() + QLatin1Char('/') + QLatin1String(vendorFolderName)
        + QLatin1Char('/') + QLatin1String(userColorsFileName);
    return path;
}

QString OvrColorLibrary::presetFolderPath()
{
    return OvrDataFiles::locate(QStringLiteral("Presets"));
}

QString OvrColorLibrary::UidAndValueToUid(const QString &uidAndValue)
{
    const int brace = uidAndValue.indexOf(QLatin1Char('}'));
    return brace < 0 ? QString() : uidAndValue.left(brace + 1);
}

QString OvrColorLibrary::UidAndValueToValue(const QString &uidAndValue)
{
    const int brace = uidAndValue.indexOf(QLatin1Char('}'));
    return brace <= 0 ? uidAndValue : uidAndValue.mid(brace + 1);
}

QString OvrColorLibrary::color2Text(const OvrColor &color)
{
    return color.aName();
}

// ---------------------------------------------------------------------------
// Set-up

void OvrColorLibrary::init(bool withProjectSwatches, bool supportsNChannel, bool supportsOpacity)
{
    createNewLibraryIfNecessary(explicitColorsListName(), true)->user = true;
    if (withProjectSwatches) {
        Item *swatches = createNewLibraryIfNecessary(projectSwatchesListName(), false);
        m_projectSwatches = swatches;
        setData(indexOfItem(swatches), 1, UserFlagRole);
    }
    setSupportsNChannel(supportsNChannel);
    setSupportsOpacity(supportsOpacity);
}

void OvrColorLibrary::setSupportsNChannel(bool supports)
{
    m_supportsNChannel = supports;
}

void OvrColorLibrary::setSupportsOpacity(bool supports)
{
    m_supportsOpacity = supports;
}

void OvrColorLibrary::setThumbnailGenerator(ThumbnailGenerator generator)
{
    if (m_thumbnailGenerator == generator)
        return;
    m_thumbnailGenerator = generator;
    m_thumbnails.clear();
}

void OvrColorLibrary::clearThumbnails()
{
    m_thumbnails.clear();
}

QPixmap OvrColorLibrary::generatePixmap(const OvrColor &color) const
{
    return m_thumbnailGenerator ? m_thumbnailGenerator(color) : QPixmap();
}

void OvrColorLibrary::setEditingMultipleColors(bool editing)
{
    m_editingMultipleColors = editing;
    if (m_savePending) {
        m_savePending = false;
        writeUserColors();
    }
}

// ---------------------------------------------------------------------------
// Files

void OvrColorLibrary::loadUserColors(const QString &path)
{
    const OvrBusyCursor busy;
    const bool wasEditing = m_editingMultipleColors;
    setEditingMultipleColors(true);

    const bool useDefault = path.isEmpty();
    if (useDefault && m_userColorsLoaded) {
        // A second read would add every user list again ("Favs 2", ...) and
        // the next save would keep the copies.
        qCDebug(lcOvrColor) << "User colours are loaded already";
        setEditingMultipleColors(wasEditing);
        return;
    }
    const QString filePath = useDefault ? defaultUserColorsPath() : path;
    QFile file(filePath);
    if (file.open(QIODevice::ReadOnly)) {
        QString errorText;
        if (!loadColors(&file, 0.0, &errorText) && file.size() > 0) {
            qCWarning(lcOvrColor) << "Colour library" << filePath << "is not well-formed:" << errorText;
            if (useDefault) {
                // Saving replaces the file with what could be read; keep the
                // original for the user (or support) to recover the rest.
                const QString copy = filePath + QLatin1String(".unreadable-")
                    + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
                file.close();
                if (!QFile::copy(filePath, copy))
                    qCWarning(lcOvrColor) << "Could not keep a copy of" << filePath << "as" << copy;
            }
        }
    }

    if (useDefault)
        m_userColorsLoaded = true;
    setEditingMultipleColors(wasEditing);
}

bool OvrColorLibrary::loadColors(QIODevice *device, double version, QString *errorText)
{
    Zeplo3ProjectHelper helper;
    connect(&helper, &Zeplo3ProjectHelper::insertList, this,
            [this](const QString &name, bool isUser) { createColorList(name, isUser && !m_readingPresets); });
    connect(&helper, &Zeplo3ProjectHelper::insertColor, this, &OvrColorLibrary::handleInsertColor);
    connect(&helper, &Zeplo3ProjectHelper::foundOldPreset, this, [this] { m_nextColorIsOldPreset = true; });
    QString error;
    QStringList oldPresetUids;
    const bool wellFormed = helper.loadDevice(device, error, version, oldPresetUids, errorText);
    m_nextColorIsOldPreset = false;
    if (!error.isEmpty())
        qCDebug(lcOvrColor) << "Colour library document:" << error;
    return wellFormed;
}

void OvrColorLibrary::loadPresetFiles()
{
    static const QStringList filters{QStringLiteral("*.ovrcolors")};
    const QDir folder(presetFolderPath());
    const QStringList files = folder.entryList(filters, QDir::Files, QDir::NoSort);
    if (files.isEmpty())
        return;

    const OvrBusyCursor busy;
    const bool wasEditing = m_editingMultipleColors;
    setEditingMultipleColors(true);
    m_readingPresets = true;
    for (const QString &name : files) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(lcOvrColor) << "Cannot read preset file" << file.fileName();
            continue;
        }
        QString errorText;
        if (!loadColors(&file, 0.0, &errorText))
            qCWarning(lcOvrColor) << "Preset file" << file.fileName() << "is not well-formed:" << errorText;
    }
    m_readingPresets = false;
    setEditingMultipleColors(wasEditing);
}

void OvrColorLibrary::clearOldPresets()
{
    if (m_oldPresets.isEmpty())
        return;
    const bool wasEditing = m_editingMultipleColors;
    setEditingMultipleColors(true);
    for (const QString &uid : qAsConst(m_oldPresets)) {
        Item *item = m_colorsByUid.value(uid);
        if (!item)
            continue;
        Item *list = item->parent;
        removeColorItems(list, item->row, 1);
        if (list->children.isEmpty() && list->name.isEmpty())
            removeListItems(list->row, 1);
    }
    m_oldPresets.clear();
    setEditingMultipleColors(wasEditing);
}

void OvrColorLibrary::saveUserColors()
{
    if (!m_userColorsLoaded)
        return;
    if (m_editingMultipleColors) {
        m_savePending = true;
        return;
    }
    m_savePending = false;
    writeUserColors();
}

QDomDocument OvrColorLibrary::createDocument(const QStringList &listIds) const
{
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("ColorLibraryList"));
    document.appendChild(root);
    for (const QString &listId : listIds) {
        const Item *list = m_listsByName.value(listId);
        if (!list)
            continue;
        QStringList uids, names, values, presets, ids;
        uids.reserve(list->children.size());
        names.reserve(list->children.size());
        values.reserve(list->children.size());
        presets.reserve(list->children.size());
        ids.reserve(list->children.size());
        for (const Item *color : list->children) {
            uids.append(color->uid);
            names.append(color->name);
            values.append(color->value);
            presets.append(color->originatingPreset);
            ids.append(color->colorId);
        }
        bool ok = false;
        QDomElement element = Zeplo3ProjectHelper::createElement(document, ok, uids, names, values, presets, ids);
        if (!ok)
            continue;
        element.setAttribute(QStringLiteral("name"), Zeplo3ProjectHelper::xmlSafe(list->name));
        element.setAttribute(QStringLiteral("isUserLibrary"), list->user ? 1 : 0);
        root.appendChild(element);
    }
    return document;
}

QByteArray OvrColorLibrary::documentText(const QStringList &listIds) const
{
    QByteArray text;
    QXmlStreamWriter writer(&text);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writer.writeStartElement(QStringLiteral("ColorLibraryList"));
    QStringList uids, names, values, presets, ids;
    for (const QString &listId : listIds) {
        const Item *list = m_listsByName.value(listId);
        if (!list)
            continue;
        uids.clear();
        names.clear();
        values.clear();
        presets.clear();
        ids.clear();
        for (const Item *color : list->children) {
            uids.append(color->uid);
            names.append(color->name);
            values.append(color->value);
            presets.append(color->originatingPreset);
            ids.append(color->colorId);
        }
        Zeplo3ProjectHelper::writeList(writer, list->name, list->user, uids, names, values, presets, ids);
    }
    writer.writeEndElement();
    text += '\n';
    return text;
}

bool OvrColorLibrary::exportColorLists(const QStringList &listIds, const QString &path) const
{
    return writeText(documentText(listIds), path);
}

bool OvrColorLibrary::writeText(const QByteArray &text, const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        qCWarning(lcOvrColor) << "Cannot create the folder" << folder;
        return false;
    }
    // Written beside the old file and renamed over it when complete, so a
    // crash or a full disk leaves the previous file in place. Always UTF-8,
    // which is what a reader assumes of a document without a declaration.
    qCDebug(lcOvrColor).noquote() << text;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Unbuffered)) {
        qCWarning(lcOvrColor) << "Cannot write" << path << ":" << file.errorString();
        return false;
    }
    // A short write (disk full, file size limit) is not an error to
    // QSaveFile, which would then put the truncated file in place; written
    // unbuffered, the write itself reports it.
    if (file.write(text) != text.size() || !file.flush()) {
        qCWarning(lcOvrColor) << "Cannot write" << path << ":" << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qCWarning(lcOvrColor) << "Cannot write" << path << ":" << file.errorString();
        return false;
    }
    return true;
}

bool OvrColorLibrary::writeUserColors()
{
    QStringList saved;
    for (const Item *list : qAsConst(m_root->children)) {
        if (listIsSaved(list))
            saved.append(list->name);
    }
    const bool ok = writeText(documentText(saved), defaultUserColorsPath());
    Q_EMIT userColorsSaved(ok);
    return ok;
}

// ---------------------------------------------------------------------------
// Lists

QString OvrColorLibrary::getNewColorListName(const QString &name) const
{
    if (!m_listsByName.contains(name))
        return name;
    // The numbers below the hint are taken (lists are only added between
    // removals and renames, which forget the hints), so a document with
    // thousands of lists of one name is not read in quadratic time.
    int &hint = m_nameSuffixHints[name];
    for (int n = qMax(2, hint);; ++n) {
        const QString candidate = QStringLiteral("%1 %2").arg(name).arg(n);
        if (!m_listsByName.contains(candidate)) {
            hint = n;
            return candidate;
        }
    }
}

OvrColorLibrary::Item *OvrColorLibrary::createNewLibraryIfNecessary(const QString &listId, bool isUserList)
{
    if (Item *existing = m_listsByName.value(listId))
        return existing;
    const int row = m_root->children.size();
    beginInsertRows(QModelIndex(), row, row);
    auto *list = new Item;
    list->parent = m_root.get();
    list->row = row;
    list->kind = ListItem;
    list->user = isUserList;
    list->name = listId;
    m_root->children.append(list);
    m_listsByName.insert(listId, list);
    endInsertRows();
    return list;
}

void OvrColorLibrary::createColorList(const QString &colorListName, bool isUserList)
{
    // There is one "Explicit Colors" list; the user file's copy of it fills
    // the one made at start-up.
    if (isUserList && colorListName == explicitColorsListName() && this->isUserList(colorListName))
        return;
    Item *list = createNewLibraryIfNecessary(getNewColorListName(colorListName), isUserList);
    list->user = isUserList;
    if (isUserList && m_userColorsLoaded) {
        saveUserColors();
        Q_EMIT listsChanged(getModifiableLists());
    }
}

bool OvrColorLibrary::rename(const QString &oldName, const QString &newName, bool isUid)
{
    if (isUid) {
        Item *color = m_colorsByUid.value(oldName);
        if (!color || color->name == newName)
            return false;
        color->name = newName;
        const QModelIndex index = indexOfItem(color);
        Q_EMIT dataChanged(index, index);
        listEdited(color->parent);
        return true;
    }

    Item *list = m_listsByName.value(oldName);
    if (!list || newName.isEmpty() || newName == oldName || m_listsByName.contains(newName))
        return false;
    m_listsByName.remove(oldName);
    m_nameSuffixHints.clear();
    list->name = newName;
    m_listsByName.insert(newName, list);
    const QModelIndex index = indexOfItem(list);
    Q_EMIT dataChanged(index, index);
    Q_EMIT listRenamed(oldName, newName);
    if (list->user) {
        saveUserColors();
        Q_EMIT listsChanged(getModifiableLists());
    }
    return true;
}

bool OvrColorLibrary::nameExists(const QString &name) const
{
    return m_listsByName.contains(name);
}

bool OvrColorLibrary::nameExists(const QString &listId, const QString &name) const
{
    const Item *list = m_listsByName.value(listId);
    if (!list)
        return false;
    return std::any_of(list->children.cbegin(), list->children.cend(),
                       [&name](const Item *color) { return color->name == name; });
}

QStringList OvrColorLibrary::getModifiableLists() const
{
    QStringList names;
    for (const Item *list : qAsConst(m_root->children)) {
        if (list->user)
            names.append(list->name);
    }
    return names;
}

QString OvrColorLibrary::modifiableList(const QString &name)
{
    if (name.isEmpty())
        return QString();
    // A read-only list of that name (a preset, another program's list) takes
    // no colours; its user sibling does, and the same one every time.
    QString candidate = name;
    for (int n = 2; containsList(candidate); ++n) {
        if (isUserList(candidate))
            return candidate;
        candidate = QStringLiteral("%1 %2").arg(name).arg(n);
    }
    createColorList(candidate, true);
    return candidate;
}

QStringList OvrColorLibrary::getListNames() const
{
    QStringList names;
    names.reserve(m_root->children.size());
    for (const Item *list : qAsConst(m_root->children))
        names.append(list->name);
    return names;
}

bool OvrColorLibrary::isUserList(const QString &listId) const
{
    const Item *list = m_listsByName.value(listId);
    return list && list->user;
}

bool OvrColorLibrary::removeColorList(const QString &listId)
{
    const Item *list = m_listsByName.value(listId);
    if (!list)
        return false;
    removeListItems(list->row, 1);
    return true;
}

QModelIndex OvrColorLibrary::getIndexOfList(const QString &listId) const
{
    const Item *list = m_listsByName.value(listId);
    return list ? indexOfItem(list) : QModelIndex();
}

bool OvrColorLibrary::isListIndex(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && !index.parent().isValid();
}

bool OvrColorLibrary::isUserListIndex(const QModelIndex &index) const
{
    return isListIndex(index) && (flags(index) & Qt::ItemIsEditable);
}

QModelIndex OvrColorLibrary::getIndexOfUid(const QString &uid) const
{
    const Item *color = m_colorsByUid.value(uid);
    return color ? indexOfItem(color) : QModelIndex();
}

QString OvrColorLibrary::pathOfUid(const QString &uid) const
{
    const Item *color = m_colorsByUid.value(uid);
    return color ? color->parent->name : QString();
}

QStringList OvrColorLibrary::getColorUids(const QString &listId) const
{
    QStringList uids;
    if (const Item *list = m_listsByName.value(listId)) {
        uids.reserve(list->children.size());
        for (const Item *color : list->children)
            uids.append(color->uid);
    }
    return uids;
}

QVector<OvrColor> OvrColorLibrary::getColors(const QString &listId) const
{
    QVector<OvrColor> colors;
    if (const Item *list = m_listsByName.value(listId)) {
        colors.reserve(list->children.size());
        for (const Item *color : list->children)
            colors.append(color->color);
    }
    return colors;
}

// ---------------------------------------------------------------------------
// Colours

QString OvrColorLibrary::addColor(Item *list, int row, const OvrColor &color, const QString &valueString,
                                  QString uid, const QString &name, const QString &originatingPreset,
                                  const QString &colorId)
{
    // Every colour needs its own uid for the index; a document without one,
    // or one whose uid is taken already, gets a fresh one.
    if (uid.isEmpty() || m_colorsByUid.contains(uid))
        uid = QUuid::createUuid().toString();

    const QModelIndex listIndex = indexOfItem(list);
    beginInsertRows(listIndex, row, row);
    auto *item = new Item;
    item->parent = list;
    item->row = row;
    item->kind = ColorItem;
    item->name = name;
    item->uid = uid;
    item->value = valueString;
    item->originatingPreset = originatingPreset;
    item->colorId = colorId;
    item->color = color;
    if (row == list->children.size()) {
        list->children.append(item);
    } else {
        list->children.insert(row, item);
        renumber(list->children, row + 1);
    }
    m_colorsByUid.insert(uid, item);
    endInsertRows();

    listEdited(list);
    if (!m_editingMultipleColors)
        Q_EMIT dataChanged(listIndex, listIndex);
    QModelIndex addedTo = listIndex;
    Q_EMIT addedColorToList(addedTo);
    return uid;
}

QString OvrColorLibrary::createColor(const OvrColor &color, const QString &name, const QString &listId,
                                     const QString &originatingPreset, const QString &colorId)
{
    Item *list = createNewLibraryIfNecessary(listId, false);
    return addColor(list, list->children.size(), color, color.aName(), QString(), name, originatingPreset, colorId);
}

QString OvrColorLibrary::createColorWithName(const OvrColor &color, const QString &name, const QString &listId,
                                             const QString &originatingPreset, const QString &colorId)
{
    return createColor(color, name, listId, originatingPreset, colorId);
}

QString OvrColorLibrary::createExplicitColor(const OvrColor &color, const QString &name)
{
    Item *list = createNewLibraryIfNecessary(explicitColorsListName(), true);
    return addColor(list, list->children.size(), color, color.aName(), QString(), name, QString(), QString());
}

QString OvrColorLibrary::handleInsertColor(QString uid, QString name, QString valueString,
                                           QString originatingPreset, const QString &listId,
                                           const QString &vendorID)
{
    // The value string is kept as read, so a value this version cannot
    // parse still goes back to the file unchanged. The documents carry one
    // identifier per colour, its colour id, which is also the vendor id
    // that drag data carries.
    Item *list = createNewLibraryIfNecessary(listId, false);
    const OvrColor color(valueString);
    const QString newUid =
        addColor(list, list->children.size(), color, valueString, uid, name, originatingPreset, vendorID);
    if (m_nextColorIsOldPreset) {
        m_nextColorIsOldPreset = false;
        m_colorsByUid.value(newUid)->kind = OldPresetColorItem;
        m_oldPresets.append(newUid);
    }
    return newUid;
}

QString OvrColorLibrary::createNewSwatchUidFromUid(const QString &uid, const QString &listId)
{
    const Item *source = m_colorsByUid.value(uid);
    if (!source)
        return QString();
    // Copies of the source, taken before the list may grow.
    const OvrColor color = source->color;
    const QString value = source->value;
    const QString sourceName = source->name;
    const QString colorId = source->colorId;
    const QString origin = pathOfUid(uid);

    QString name = sourceName;
    for (int n = 2; nameExists(listId, name); ++n)
        name = QStringLiteral("%1 %2").arg(sourceName).arg(n);

    Item *list = createNewLibraryIfNecessary(listId, false);
    const QString newUid =
        addColor(list, list->children.size(), color, value, QString(), QString(), origin, colorId);
    rename(newUid, name, true);
    return newUid;
}

OvrColor OvrColorLibrary::get(const QString &uid) const
{
    const Item *color = m_colorsByUid.value(uid);
    return color ? color->color : OvrColor();
}

QColor OvrColorLibrary::getQColor(const QString &uid) const
{
    const Item *color = m_colorsByUid.value(uid);
    return color ? color->color.getQColor() : QColor();
}

bool OvrColorLibrary::set(const QString &uid, const OvrColor &color)
{
    Item *item = m_colorsByUid.value(uid);
    if (!item)
        return false;
    item->color = color;
    item->value = color.aName();
    m_thumbnails.remove(item);
    Q_EMIT dataChanged(indexOfItem(item, 0), indexOfItem(item, ColumnCount - 1));
    listEdited(item->parent);
    return true;
}

bool OvrColorLibrary::remove(const QString &uid)
{
    const Item *item = m_colorsByUid.value(uid);
    if (!item)
        return false;
    removeColorItems(item->parent, item->row, 1);
    return true;
}

void OvrColorLibrary::clear(const QString &listId)
{
    Item *list = m_listsByName.value(listId);
    if (list && !list->children.isEmpty())
        removeColorItems(list, 0, list->children.size());
}

QString OvrColorLibrary::getExposableUidFromUid(const QString &uid) const
{
    const Item *color = m_colorsByUid.value(uid);
    return color ? color->uid + color->value : QString();
}

QString OvrColorLibrary::getColorName(const QString &uid) const
{
    const Item *color = m_colorsByUid.value(uid);
    return color ? color->name : QString();
}

QString OvrColorLibrary::getColorId(const QString &uid) const
{
    const Item *color = m_colorsByUid.value(uid);
    return color ? color->colorId : QString();
}

QString OvrColorLibrary::getVendorId(const QString &uid) const
{
    const Item *color = m_colorsByUid.value(uid);
    return color ? color->colorId : QString();
}

QString OvrColorLibrary::getOriginatingPreset(const QString &uid) const
{
    const Item *color = m_colorsByUid.value(uid);
    return color ? color->originatingPreset : QString();
}

QString OvrColorLibrary::getName(const QString &uidAndValue, ColorDescriptor descriptor) const
{
    if (const Item *color = m_colorsByUid.value(UidAndValueToUid(uidAndValue))) {
        if (!color->name.isEmpty())
            return color->name;
    }
    const QString value = UidAndValueToValue(uidAndValue);
    if (const Item *explicitList = m_listsByName.value(explicitColorsListName())) {
        for (const Item *color : explicitList->children) {
            if (color->value == value && !color->name.isEmpty())
                return color->name;
        }
    }
    switch (descriptor) {
    case UidAndValueDescriptor:
        return uidAndValue;
    case ColorNameDescriptor: {
        const OvrColor color(value);
        return color.spec() == OvrColor::NChannel ? color.nameFull8() : color.name8();
    }
    case NoDescriptor:
        break;
    }
    return QString();
}

QString OvrColorLibrary::suggestedName(const OvrColor &color, const QString &uid) const
{
    if (!uid.isEmpty()) {
        const QString name = getColorName(uid);
        if (!name.isEmpty())
            return name;
    }
    if (!color.isValid())
        return QString();
    const QColor wanted = color.getQColor();
    const auto distance = [&wanted](const QColor &other) {
        const int r = wanted.red() - other.red();
        const int g = wanted.green() - other.green();
        const int b = wanted.blue() - other.blue();
        return r * r + g * g + b * b;
    };
    QString nearest;
    int best = 0;
    for (const Item *color : m_colorsByUid) {
        if (color->name.isEmpty() || !color->color.isValid())
            continue;
        const int d = distance(color->color.getQColor());
        // Ties go to the alphabetically first name, so the choice does not
        // depend on the hash's order.
        if (nearest.isEmpty() || d < best || (d == best && color->name < nearest)) {
            nearest = color->name;
            best = d;
        }
    }
    return nearest.isEmpty() ? color.name8() : nearest;
}

OvrColor OvrColorLibrary::colorAt(const QModelIndex &index) const
{
    const Item *item = itemFromIndex(index);
    return item && item->isColor() ? item->color : OvrColor();
}

QString OvrColorLibrary::uidAt(const QModelIndex &index) const
{
    const Item *item = itemFromIndex(index);
    return item && item->isColor() ? item->uid : QString();
}

QString OvrColorLibrary::listIdAt(const QModelIndex &index) const
{
    const Item *item = itemFromIndex(index);
    return item && item != m_root.get() ? item->list()->name : QString();
}

void OvrColorLibrary::onColorLibraryListChanged(const QString &listId)
{
    if (Item *list = m_listsByName.value(listId))
        listEdited(list);
}

// ---------------------------------------------------------------------------
// Internals

OvrColorLibrary::Item *OvrColorLibrary::itemFromIndex(const QModelIndex &index) const
{
    if (!index.isValid())
        return m_root.get();
    return index.model() == this ? static_cast<Item *>(index.internalPointer()) : nullptr;
}

QModelIndex OvrColorLibrary::indexOfItem(const Item *item, int column) const
{
    if (!item || item == m_root.get())
        return QModelIndex();
    return createIndex(item->row, column, const_cast<Item *>(item));
}

void OvrColorLibrary::renumber(QVector<Item *> &items, int from)
{
    for (int i = from; i < items.size(); ++i)
        items[i]->row = i;
}

bool OvrColorLibrary::listIsSaved(const Item *list) const
{
    // The project's swatches take colours but belong to the project, not to
    // the user file. Known by identity rather than by name, so that a user
    // list of that name (from another program's file) is still saved.
    return list->user && list != m_projectSwatches;
}

void OvrColorLibrary::listEdited(Item *list)
{
    if (listIsSaved(list))
        saveUserColors();
    Q_EMIT changed(list->name);
}

void OvrColorLibrary::removeColorItems(Item *list, int row, int count)
{
    beginRemoveRows(indexOfItem(list), row, row + count - 1);
    for (int i = row; i < row + count; ++i) {
        Item *color = list->children.at(i);
        m_colorsByUid.remove(color->uid);
        m_thumbnails.remove(color);
        delete color;
    }
    list->children.remove(row, count);
    renumber(list->children, row);
    endRemoveRows();
    listEdited(list);
}

void OvrColorLibrary::removeListItems(int row, int count)
{
    bool userListRemoved = false;
    bool savedListRemoved = false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (int i = row; i < row + count; ++i) {
        Item *list = m_root->children.at(i);
        userListRemoved = userListRemoved || list->user;
        savedListRemoved = savedListRemoved || listIsSaved(list);
        for (Item *color : qAsConst(list->children)) {
            m_colorsByUid.remove(color->uid);
            m_thumbnails.remove(color);
        }
        m_listsByName.remove(list->name);
        if (list == m_projectSwatches)
            m_projectSwatches = nullptr;
        delete list;
        m_nameSuffixHints.clear();
    }
    m_root->children.remove(row, count);
    renumber(m_root->children, row);
    endRemoveRows();
    if (savedListRemoved)
        saveUserColors();
    if (userListRemoved)
        Q_EMIT listsChanged(getModifiableLists());
}

// ---------------------------------------------------------------------------
// Model

QModelIndex OvrColorLibrary::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount || parent.column() > 0)
        return QModelIndex();
    const Item *parentItem = itemFromIndex(parent);
    if (!parentItem || row >= parentItem->children.size())
        return QModelIndex();
    return createIndex(row, column, parentItem->children.at(row));
}

QModelIndex OvrColorLibrary::parent(const QModelIndex &index) const
{
    const Item *item = index.isValid() ? itemFromIndex(index) : nullptr;
    if (!item)
        return QModelIndex();
    return indexOfItem(item->parent);
}

int OvrColorLibrary::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    const Item *item = itemFromIndex(parent);
    return item ? item->children.size() : 0;
}

int OvrColorLibrary::columnCount(const QModelIndex &parent) const
{
    Q_UNUSED(parent)
    return ColumnCount;
}

bool OvrColorLibrary::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) != 0;
}

QVariant OvrColorLibrary::data(const QModelIndex &index, int role) const
{
    const Item *item = index.isValid() ? itemFromIndex(index) : nullptr;
    if (!item)
        return QVariant();

    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return index.column() == 0 ? item->name : item->colorId;
    case Qt::EditRole:
        return index.column() == 0 ? item->name : item->colorId;
    case Qt::DecorationRole: {
        if (index.column() != 0 || !item->isColor() || !m_thumbnailGenerator)
            return QVariant();
        auto it = m_thumbnails.constFind(item);
        if (it == m_thumbnails.constEnd())
            it = m_thumbnails.insert(item, m_thumbnailGenerator(item->color));
        return *it;
    }
    case ColorPointerRole:
        return item->isColor() ? QVariant::fromValue(static_cast<void *>(const_cast<OvrColor *>(&item->color)))
                               : QVariant();
    case UidRole:
        return item->uid;
    case NameRole:
        return item->name;
    case ValueRole:
        return item->value;
    case UserFlagRole:
        return item->list()->user ? 1 : 0;
    case ItemKindRole:
        return int(item->kind);
    case ColorSpecRole:
        return int(item->color.spec());
    case OriginatingPresetRole:
        return item->originatingPreset;
    case ColorIdRole:
        return item->colorId;
    default:
        return QVariant();
    }
}

bool OvrColorLibrary::setData(const QModelIndex &index, const QVariant &value, int role)
{
    Item *item = index.isValid() ? itemFromIndex(index) : nullptr;
    if (!item)
        return false;

    if ((role == Qt::EditRole || role == Qt::DisplayRole) && index.column() == 0)
        role = NameRole;
    else if ((role == Qt::EditRole || role == Qt::DisplayRole) && index.column() == 1)
        role = ColorIdRole;

    switch (role) {
    case NameRole:
        return item->isList() ? rename(item->name, value.toString(), false)
                              : rename(item->uid, value.toString(), true);
    case ValueRole:
        return item->isColor() && set(item->uid, OvrColor(value.toString()));
    case UserFlagRole: {
        if (!item->isList())
            return false;
        const bool user = value.toInt() != 0;
        if (user == item->user)
            return true;
        // Before and after: a list that leaves the file must be saved
        // without it, one that joins it with it.
        const bool wasSaved = listIsSaved(item);
        item->user = user;
        Q_EMIT dataChanged(index, index);
        if (wasSaved || listIsSaved(item))
            saveUserColors();
        Q_EMIT listsChanged(getModifiableLists());
        return true;
    }
    case ItemKindRole:
        if (!item->isColor() || (value.toInt() != ColorItem && value.toInt() != OldPresetColorItem))
            return false;
        item->kind = ItemKind(value.toInt());
        Q_EMIT dataChanged(index, index);
        return true;
    case OriginatingPresetRole:
    case ColorIdRole: {
        if (!item->isColor())
            return false;
        QString &field = role == ColorIdRole ? item->colorId : item->originatingPreset;
        if (field == value.toString())
            return true;
        field = value.toString();
        Q_EMIT dataChanged(indexOfItem(item, 0), indexOfItem(item, ColumnCount - 1));
        listEdited(item->parent);
        return true;
    }
    default:
        return false;
    }
}

QVariant OvrColorLibrary::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return section == 0 ? tr("Swatches") : tr("Color ID");
}

Qt::ItemFlags OvrColorLibrary::flags(const QModelIndex &index) const
{
    // The invisible root takes no flags (the item model contract allows
    // only "drop enabled" there, and drops need a list).
    const Item *item = index.isValid() ? itemFromIndex(index) : nullptr;
    if (!item)
        return Qt::NoItemFlags;

    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsDropEnabled;
    const bool unsupported = item->isColor()
        && ((!m_supportsNChannel && item->color.spec() == OvrColor::NChannel)
            || (!m_supportsOpacity && item->color.isValid() && item->color.alphaF() < 1.0));
    if (!unsupported)
        result |= Qt::ItemIsSelectable;
    if (item->isColor())
        result |= Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == 0 && item->list()->user && item != m_projectSwatches)
        result |= Qt::ItemIsEditable;
    return result;
}

bool OvrColorLibrary::insertRows(int row, int count, const QModelIndex &parent)
{
    Item *parentItem = itemFromIndex(parent);
    if (!parentItem || parentItem->isColor() || count <= 0 || row < 0 || row > parentItem->children.size())
        return false;

    const bool wasEditing = m_editingMultipleColors;
    setEditingMultipleColors(true);
    if (parentItem == m_root.get()) {
        for (int i = 0; i < count; ++i) {
            const QString name = getNewColorListName(tr("New Color List"));
            beginInsertRows(QModelIndex(), row + i, row + i);
            auto *list = new Item;
            list->parent = m_root.get();
            list->kind = ListItem;
            list->user = true;
            list->name = name;
            m_root->children.insert(row + i, list);
            renumber(m_root->children, row + i);
            m_listsByName.insert(name, list);
            endInsertRows();
        }
        saveUserColors();
        Q_EMIT listsChanged(getModifiableLists());
    } else {
        for (int i = 0; i < count; ++i)
            addColor(parentItem, row + i, m_sampleColor, m_sampleColor.aName(), QString(), QString(), QString(),
                     QString());
    }
    setEditingMultipleColors(wasEditing);
    return true;
}

bool OvrColorLibrary::removeRows(int row, int count, const QModelIndex &parent)
{
    Item *parentItem = itemFromIndex(parent);
    if (!parentItem || parentItem->isColor() || count <= 0 || row < 0 || row + count > parentItem->children.size())
        return false;
    if (parentItem == m_root.get())
        removeListItems(row, count);
    else
        removeColorItems(parentItem, row, count);
    return true;
}

QStringList OvrColorLibrary::mimeTypes() const
{
    return {colorMimeType(), nameMimeType(), vendorIdMimeType(), originatingPresetMimeType(), entriesMimeType(),
            luxeplotMimeType()};
}

QMimeData *OvrColorLibrary::mimeData(const QModelIndexList &indexes) const
{
    QVector<const Item *> colors;
    for (const QModelIndex &index : indexes) {
        const Item *item = index.isValid() ? itemFromIndex(index) : nullptr;
        if (item && item->isColor() && !colors.contains(item))
            colors.append(item);
    }
    if (colors.isEmpty())
        return nullptr;

    QStringList values, names, vendorIds, presets, uidAndValues;
    QJsonArray entries;
    for (const Item *color : qAsConst(colors)) {
        // Where the colour first came from: its own origin if it is a copy,
        // else the list it lives in.
        const QString preset = color->originatingPreset.isEmpty() ? color->parent->name : color->originatingPreset;
        values.append(color->value);
        names.append(color->name);
        vendorIds.append(color->colorId);
        presets.append(preset);
        uidAndValues.append(color->uid + color->value);
        entries.append(QJsonObject{{QStringLiteral("value"), color->value},
                                   {QStringLiteral("name"), color->name},
                                   {QStringLiteral("vendorId"), color->colorId},
                                   {QStringLiteral("originatingPreset"), preset}});
    }
    // The comma-joined formats are for other programs and older versions;
    // a name with a comma in it only survives the JSON list.
    const QLatin1Char comma(',');
    auto *mime = new QMimeData;
    mime->setData(colorMimeType(), values.join(comma).toLatin1());
    mime->setData(nameMimeType(), names.join(comma).toUtf8());
    mime->setData(vendorIdMimeType(), vendorIds.join(comma).toUtf8());
    mime->setData(originatingPresetMimeType(), presets.join(comma).toUtf8());
    mime->setData(entriesMimeType(), QJsonDocument(entries).toJson(QJsonDocument::Compact));
    mime->setText(uidAndValues.join(comma));
    return mime;
}

Qt::DropActions OvrColorLibrary::supportedDropActions() const
{
    return Qt::CopyAction;
}

Qt::DropActions OvrColorLibrary::supportedDragActions() const
{
    return Qt::CopyAction;
}

QVector<OvrColorLibrary::MimeEntry> OvrColorLibrary::entriesFromMimeData(const QMimeData *data)
{
    QVector<MimeEntry> entries;
    if (!data)
        return entries;
    // Without the characters the user file cannot hold, so that a dropped
    // colour is saved as it is shown.
    const auto append = [&entries](const QString &uidAndValue, const QString &name, const QString &vendorId,
                                   const QString &originatingPreset) {
        const QString trimmed = Zeplo3ProjectHelper::xmlSafe(uidAndValue.trimmed());
        MimeEntry entry;
        entry.uid = UidAndValueToUid(trimmed);
        entry.value = UidAndValueToValue(trimmed);
        entry.color = OvrColor(entry.value);
        entry.name = Zeplo3ProjectHelper::xmlSafe(name);
        entry.vendorId = Zeplo3ProjectHelper::xmlSafe(vendorId);
        entry.originatingPreset = Zeplo3ProjectHelper::xmlSafe(originatingPreset);
        entries.append(entry);
    };

    if (data->hasFormat(entriesMimeType())) {
        const QJsonDocument json = QJsonDocument::fromJson(data->data(entriesMimeType()));
        if (json.isArray()) {
            const QJsonArray array = json.array();
            entries.reserve(array.size());
            for (const QJsonValue &element : array) {
                const QJsonObject object = element.toObject();
                append(object.value(QLatin1String("value")).toString(), object.value(QLatin1String("name")).toString(),
                       object.value(QLatin1String("vendorId")).toString(),
                       object.value(QLatin1String("originatingPreset")).toString());
            }
            return entries;
        }
        qCDebug(lcOvrColor) << "Drag data with unreadable colour entries; reading the other formats";
    }

    // Older copies, other programs: one comma-joined list per format.
    QString text;
    if (data->hasFormat(colorMimeType()))
        text = QString::fromLatin1(data->data(colorMimeType()));
    else if (data->hasFormat(luxeplotMimeType()))
        text = QString::fromUtf8(data->data(luxeplotMimeType()));
    else
        return entries;
    const QStringList values = splitEntries(text);
    const QStringList names = splitEntries(QString::fromUtf8(data->data(nameMimeType())));
    const QStringList vendorIds = splitEntries(QString::fromUtf8(data->data(vendorIdMimeType())));
    const QStringList presets = splitEntries(QString::fromUtf8(data->data(originatingPresetMimeType())));
    entries.reserve(values.size());
    for (int i = 0; i < values.size(); ++i)
        append(values.at(i), names.value(i), vendorIds.value(i), presets.value(i));
    return entries;
}

bool OvrColorLibrary::hasColorEntries(const QMimeData *data)
{
    return data
        && (data->hasFormat(entriesMimeType()) || data->hasFormat(colorMimeType())
            || data->hasFormat(luxeplotMimeType()));
}

QString OvrColorLibrary::getOriginatingPresetFromMimeData(const QMimeData *data)
{
    return entriesFromMimeData(data).value(0).originatingPreset;
}

QVector<OvrColor> OvrColorLibrary::colorsFromMimeData(const QMimeData *data, QStringList *uids)
{
    QVector<OvrColor> colors;
    if (uids)
        uids->clear();
    const QVector<MimeEntry> entries = entriesFromMimeData(data);
    for (const MimeEntry &entry : entries) {
        if (!entry.color.isValid())
            continue;
        colors.append(entry.color);
        if (uids)
            uids->append(entry.uid);
    }
    return colors;
}

bool OvrColorLibrary::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                      const QModelIndex &parent) const
{
    Q_UNUSED(row)
    Q_UNUSED(column)
    if (!hasColorEntries(data) || !(action & (Qt::CopyAction | Qt::MoveAction)))
        return false;
    const Item *target = parent.isValid() ? itemFromIndex(parent) : nullptr;
    return target && target->list()->user;
}

bool OvrColorLibrary::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                   const QModelIndex &parent)
{
    if (action == Qt::IgnoreAction)
        return true;
    if (!canDropMimeData(data, action, row, column, parent))
        return false;

    Item *target = itemFromIndex(parent);
    Item *list = target->list();
    int insertAt = target->isColor() ? target->row + 1
                                     : (row < 0 || row > list->children.size() ? list->children.size() : row);

    // Entries keep their value text exactly as dragged.
    const QVector<MimeEntry> entries = entriesFromMimeData(data);
    const bool wasEditing = m_editingMultipleColors;
    setEditingMultipleColors(true);
    bool added = false;
    for (const MimeEntry &entry : entries) {
        if (!entry.color.isValid())
            continue;
        addColor(list, insertAt++, entry.color, entry.value, QString(), entry.name, entry.originatingPreset,
                 entry.vendorId);
        added = true;
    }
    setEditingMultipleColors(wasEditing);
    return added;
}
