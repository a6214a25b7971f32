// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"
#include "ovrcolor_export.h"

#include <QAbstractItemModel>
#include <QDomDocument>
#include <QHash>
#include <QPixmap>
#include <QStringList>
#include <QVector>

#include <memory>

class QIODevice;
class QMimeData;

/**
 * The process-wide store of named colours: the user's own colour lists
 * (kept in "userColors.xml" in the user's data folder), the read-only lists
 * of the preset files (the "*.ovrcolors" files of the "Presets" folder
 * beside the program), and the special lists "Explicit Colors" and
 * "Project Swatches".
 *
 * It is a two-level item model: the top-level rows (children of the
 * invalid index, which rootIndex() returns) are the colour lists, their
 * children the colours. Column 0 shows names and thumbnails, column 1 the
 * colour ids. Every colour has a unique uid ("{...}" as QUuid writes it);
 * lookups by uid are constant time.
 *
 * Edits of user lists save the user file at once, or once at the end of an
 * editing batch (setEditingMultipleColors()). Nothing is saved until the
 * user colours have been loaded from the default file.
 */
class OVRCOLOR_EXPORT OvrColorLibrary : public QAbstractItemModel
{
    Q_OBJECT
    Q_DISABLE_COPY(OvrColorLibrary)

public:
    /** Item data roles beyond Qt's own. */
    enum Role {
        ColorPointerRole = Qt::UserRole + 1,   ///< 257: const OvrColor* of a colour as void*
        UidRole = Qt::UserRole + 2,            ///< 258: a colour's uid (lists: empty)
        NameRole = Qt::UserRole + 3,           ///< 259: the display name (list id for lists)
        ValueRole = Qt::UserRole + 4,          ///< 260: a colour's aName() value string
        UserFlagRole = Qt::UserRole + 5,       ///< 261: 1 for user lists and their colours, else 0
        ItemKindRole = Qt::UserRole + 6,       ///< 262: an ItemKind
        ColorSpecRole = Qt::UserRole + 7,      ///< 263: a colour's OvrColor::Spec (lists: Invalid)
        OriginatingPresetRole = Qt::UserRole + 8, ///< 264: the list a colour was copied from
        ColorIdRole = Qt::UserRole + 9         ///< 265: the colour id
    };

    /** Values of ItemKindRole. */
    enum ItemKind { ListItem = 1, ColorItem = 2, OldPresetColorItem = 3 };

    /** What getName() falls back to when no library name is known. */
    enum ColorDescriptor {
        NoDescriptor = 0,          ///< an empty string
        UidAndValueDescriptor = 1, ///< the uid-and-value string itself
        ColorNameDescriptor = 2    ///< the colour's short name (name8(), nameFull8() for n-channel)
    };

    /** A plain function that paints a small patch of a colour for views. */
    using ThumbnailGenerator = QPixmap (*)(const OvrColor &);

    static constexpr int ColumnCount = 2;

    /** The library, created on first use. */
    static OvrColorLibrary *Instance();
    /** Destroys the library (at program end, or between tests). */
    static void cleanup();

    // Names and formats
    static QString explicitColorsListName();   ///< "Explicit Colors" (translated)
    static QString projectSwatchesListName();  ///< "Project Swatches" (translated)
    static QString colorMimeType();             ///< "data/x-ovrcolor"
    static QString nameMimeType();              ///< "data/x-ovrcolor-name"
    static QString vendorIdMimeType();          ///< "data/x-ovrcolor-vendorid"
    static QString originatingPresetMimeType(); ///< "data/x-ovrcolor-originatingPreset"
    static QString luxeplotMimeType();          ///< "x-luxeplot3/color", accepted on drops
    /**
     * "data/x-ovrcolor-entries": the four colour formats again as one JSON
     * array of objects ("value", "name", "vendorId", "originatingPreset"),
     * so that names holding "," or any other character survive. Readers
     * prefer it and fall back to the comma-joined formats of older copies.
     */
    static QString entriesMimeType();
    /** "userColors.xml" in the vendor folder of the user's data folder, computed once. */
    static QString defaultUserColorsPath();
    /** The "Presets" folder beside the program. */
    static QString presetFolderPath();

    /** The uid part of a uid-and-value string: up to and including the first "}", else empty. */
    static QString UidAndValueToUid(const QString &uidAndValue);
    /** The value part: what follows the first "}"; the whole string when "}" is absent or first. */
    static QString UidAndValueToValue(const QString &uidAndValue);

    // Set-up
    /**
     * Creates the user list "Explicit Colors", optionally the non-user list
     * "Project Swatches" (user flag 1, so colours can be added to it, but
     * never saved), and stores the capability flags.
     */
    void init(bool withProjectSwatches, bool supportsNChannel, bool supportsOpacity);
    void setSupportsNChannel(bool supports);
    bool supportsNChannel() const { return m_supportsNChannel; }
    void setSupportsOpacity(bool supports);
    bool supportsOpacity() const { return m_supportsOpacity; }

    /**
     * Reads a colour-library document into the library. An empty path reads
     * the default user file (once; later calls do nothing) and, whatever it
     * held, enables saving to it.
     * A missing file adds nothing; a broken one adds what could be read
     * before the fault (and the default file is first copied aside, so the
     * next save cannot destroy what was not understood).
     */
    void loadUserColors(const QString &path = QString());
    /** Reads every "*.ovrcolors" file of the preset folder as read-only lists. */
    void loadPresetFiles();
    /**
     * Reads a colour-library document from an open device; lists keep the
     * user flag written in the document. Returns false when the document was
     * not well-formed (what came before the fault is still added).
     */
    bool loadColors(QIODevice *device, double version = 0.0, QString *errorText = nullptr);
    /** Uids of the colours read from lists of old preset files. */
    QStringList oldPresets() const { return m_oldPresets; }
    /** Removes the old-preset colours (and lists they leave empty and nameless) and forgets them. */
    void clearOldPresets();
    bool containsDefaults() const { return m_containsDefaults; }
    void setContainsDefaults(bool contains = true) { m_containsDefaults = contains; }
    /** True once loadUserColors() has read the default file: from then on edits are saved. */
    bool userColorsLoaded() const { return m_userColorsLoaded; }
    /** Writes the user lists to the default file now (or marks it pending inside a batch). */
    void saveUserColors();
    /**
     * A colour-library document ("ColorLibraryList") holding the given lists
     * in the given order; unknown names are left out.
     */
    QDomDocument createDocument(const QStringList &listIds) const;
    /** The text of createDocument(listIds) as it is written to files (UTF-8, indentation 1). */
    QByteArray documentText(const QStringList &listIds) const;
    /** Writes the lists to path (complete or not at all); false on failure. */
    bool exportColorLists(const QStringList &listIds, const QString &path) const;

    void setThumbnailGenerator(ThumbnailGenerator generator);
    /** Drops the generated thumbnails, for when the generator's picture of a colour changed; views repaint. */
    void clearThumbnails();
    bool canGeneratePixmap() const { return m_thumbnailGenerator != nullptr; }
    /** The generator's pixmap of the colour, or a null pixmap without a generator. */
    QPixmap generatePixmap(const OvrColor &color) const;

    /** While true, saves are deferred; any call performs a pending save. */
    void setEditingMultipleColors(bool editing);
    bool isEditingMultipleColors() const { return m_editingMultipleColors; }

    /** The colour that insertRows() gives new colour entries. */
    void setSampleColor(const OvrColor &color) { m_sampleColor = color; }
    OvrColor sampleColor() const { return m_sampleColor; }

    // Lists
    /** The name itself if no list has it, else the first free "name 2", "name 3", ... */
    QString getNewColorListName(const QString &name) const;
    /**
     * Renames a list (isUid false: oldName is a list id) or a colour (isUid
     * true: oldName is a uid). A list cannot take the name of another list.
     * Returns true when something changed.
     */
    bool rename(const QString &oldName, const QString &newName, bool isUid);
    /** Whether a list of that name exists. */
    bool nameExists(const QString &name) const;
    /** Whether the list listId holds a colour of that name. */
    bool nameExists(const QString &listId, const QString &name) const;
    /** Names of the lists colours can be added to (user flag set), in row order. */
    QStringList getModifiableLists() const;
    /**
     * The list that colours meant for the list \a name go to: \a name itself
     * when it is a list colours can be added to; when a read-only list has
     * that name, the first of "name 2", "name 3", ... that is a user list,
     * or else the first free one, created as a user list. Empty for an
     * empty name.
     */
    QString modifiableList(const QString &name);
    /** All list names in row order. */
    QStringList getListNames() const;
    bool containsList(const QString &listId) const { return m_listsByName.contains(listId); }
    bool isUserList(const QString &listId) const;
    /** Removes a whole list with its colours. */
    bool removeColorList(const QString &listId);
    /** The index of a list (column 0), invalid if unknown. */
    QModelIndex getIndexOfList(const QString &listId) const;
    QModelIndex rootIndex() const { return QModelIndex(); }
    bool isListIndex(const QModelIndex &index) const;
    bool isUserListIndex(const QModelIndex &index) const;
    /** The index (column 0) of the colour with that uid, invalid if unknown. */
    QModelIndex getIndexOfUid(const QString &uid) const;
    bool containsUid(const QString &uid) const { return m_colorsByUid.contains(uid); }
    /** The id of the list holding the colour, empty if unknown. */
    QString pathOfUid(const QString &uid) const;
    QStringList getColorUids(const QString &listId) const;
    QVector<OvrColor> getColors(const QString &listId) const;

    // Colours
    /** Appends a colour to a list (created as a non-user list if missing); returns its uid. */
    QString createColor(const OvrColor &color, const QString &name, const QString &listId,
                        const QString &originatingPreset = QString(), const QString &colorId = QString());
    /** As createColor(), for a colour whose display name is given. */
    QString createColorWithName(const OvrColor &color, const QString &name, const QString &listId,
                                const QString &originatingPreset = QString(),
                                const QString &colorId = QString());
    /** Appends to "Explicit Colors" (created as a user list if missing). */
    QString createExplicitColor(const OvrColor &color, const QString &name = QString());
    /**
     * Copies the colour uid into listId under the source's name (made unique
     * in the target list) with the source's list as originating preset.
     * Returns the new uid, empty when uid is unknown.
     */
    QString createNewSwatchUidFromUid(const QString &uid, const QString &listId);

    /** The colour, invalid if the uid is unknown. */
    OvrColor get(const QString &uid) const;
    QColor getQColor(const QString &uid) const;
    /** Replaces a colour's value; true on success. */
    bool set(const QString &uid, const OvrColor &color);
    bool remove(const QString &uid);
    /** Removes every colour of a list (the list stays). */
    void clear(const QString &listId);
    /** The colour's loss-free text form. */
    static QString color2Text(const OvrColor &color);
    /** The uid-and-value string of a colour (uid followed by its value), empty if unknown. */
    QString getExposableUidFromUid(const QString &uid) const;
    /** The display name of a colour by uid, empty if unknown. */
    QString getColorName(const QString &uid) const;
    QString getColorId(const QString &uid) const;
    /** The vendor id carried in drag data: the colour id. */
    QString getVendorId(const QString &uid) const;
    QString getOriginatingPreset(const QString &uid) const;
    /** The display name for a uid-and-value string, see ColorDescriptor for the fallback. */
    QString getName(const QString &uidAndValue, ColorDescriptor descriptor = NoDescriptor) const;
    /**
     * A name for a colour being added to a list: its library name when it
     * came from the library (@p uid), else the name of the library's named
     * colour nearest to it on screen, else its hex text.
     */
    QString suggestedName(const OvrColor &color, const QString &uid = QString()) const;

    // Conveniences for views
    OvrColor colorAt(const QModelIndex &index) const;
    QString uidAt(const QModelIndex &index) const;
    /** The list id of a list index or of a colour's list. */
    QString listIdAt(const QModelIndex &index) const;

    /** One colour carried by clipboard or drag data. */
    struct MimeEntry
    {
        QString uid;   ///< the uid part of a uid-and-value entry, else empty
        QString value; ///< the value string as carried (without the uid part)
        OvrColor color; ///< the colour read from value; invalid when it is none
        QString name;
        QString vendorId;
        QString originatingPreset;
    };
    /**
     * Every entry of clipboard or drag data, in order, the unreadable ones
     * included (their colour is invalid): from entriesMimeType() when it
     * holds a JSON array, else from "data/x-ovrcolor" (Latin-1) or
     * "x-luxeplot3/color" with the name, vendor id and origin formats
     * (UTF-8), each split at ",". Values may be uid-and-value strings.
     */
    static QVector<MimeEntry> entriesFromMimeData(const QMimeData *data);
    /** Whether the data is in one of the formats entriesFromMimeData() reads. */
    static bool hasColorEntries(const QMimeData *data);
    /** The originating preset of the first entry of drag data. */
    static QString getOriginatingPresetFromMimeData(const QMimeData *data);
    /**
     * The readable colours of entriesFromMimeData(). uids, when given,
     * receives the uid part of each of them (empty where there is none).
     */
    static QVector<OvrColor> colorsFromMimeData(const QMimeData *data, QStringList *uids = nullptr);

    // Model
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    /** Under a list: new colours (the sample colour); at the top: new user lists. */
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    QStringList mimeTypes() const override;
    /**
     * The four colour formats, entries of several colours joined by ",",
     * the same entries in entriesMimeType(); the text holds their
     * uid-and-value strings.
     */
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    /** Copies dropped colours into the user list under parent. */
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

Q_SIGNALS:
    void changed(const QString &listId);
    void addedColorToList(QModelIndex &listIndex);
    void listsChanged(QStringList currentLists);
    void listRenamed(const QString &oldName, const QString &newName);
    /** The user file was written (ok) or could not be (not ok; the previous file is intact). */
    void userColorsSaved(bool ok);

public Q_SLOTS:
    /** Another party changed a list: saves it when it is a user list and emits changed(). */
    void onColorLibraryListChanged(const QString &listId);
    void createColorList(const QString &colorListName, bool isUserList);
    /** Adds a colour read from a document; vendorID is its colour id. Returns the colour's uid. */
    QString handleInsertColor(QString uid, QString name, QString valueString, QString originatingPreset,
                              const QString &listId, const QString &vendorID);

private:
    struct Item;
    explicit OvrColorLibrary(QObject *parent = nullptr);
    ~OvrColorLibrary() override;

    Item *itemFromIndex(const QModelIndex &index) const;
    QModelIndex indexOfItem(const Item *item, int column = 0) const;
    Item *createNewLibraryIfNecessary(const QString &listId, bool isUserList);
    QString addColor(Item *list, int row, const OvrColor &color, const QString &valueString, QString uid,
                     const QString &name, const QString &originatingPreset, const QString &colorId);
    void removeColorItems(Item *list, int row, int count);
    void removeListItems(int row, int count);
    void renumber(QVector<Item *> &items, int from);
    bool listIsSaved(const Item *list) const;
    void listEdited(Item *list);
    bool writeUserColors();
    static bool writeText(const QByteArray &text, const QString &path);
    bool readDocument(QIODevice *device, double version, QString *errorText);

    std::unique_ptr<Item> m_root;
    Item *m_projectSwatches = nullptr;
    QHash<QString, Item *> m_listsByName;
    QHash<QString, Item *> m_colorsByUid;
    mutable QHash<const Item *, QPixmap> m_thumbnails;
    mutable QHash<QString, int> m_nameSuffixHints;
    QStringList m_oldPresets;
    OvrColor m_sampleColor;
    ThumbnailGenerator m_thumbnailGenerator = nullptr;
    bool m_containsDefaults = false;
    bool m_editingMultipleColors = false;
    bool m_savePending = false;
    bool m_userColorsLoaded = false;
    bool m_supportsNChannel = true;
    bool m_supportsOpacity = true;
    bool m_nextColorIsOldPreset = false;
    bool m_readingPresets = false;

    static OvrColorLibrary *s_instance;
};
