// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor_export.h"

#include <QDomElement>
#include <QObject>
#include <QStringList>

class QDomDocument;
class QIODevice;
class QXmlStreamWriter;

/**
 * Reads and writes colour-library documents: "ColorLibrary" elements
 * (attributes "isUserLibrary" and "name") holding "Color" elements
 * (attributes "uid", "name", "value", "originatingPreset", "colorId").
 * Reading reports each list and colour through signals.
 */
class OVRCOLOR_EXPORT Zeplo3ProjectHelper : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(Zeplo3ProjectHelper)

public:
    /** Elements nested deeper than this are skipped when a document is read. */
    static constexpr int MaximumDepth = 64;

    explicit Zeplo3ProjectHelper(QObject *parent = nullptr);
    ~Zeplo3ProjectHelper() override;

    /**
     * Parses XML from device into document. Whatever was read before a
     * fault in the XML is kept; elements deeper than MaximumDepth are
     * skipped. Returns false (with the parser's message in errorText) when
     * the text was not well-formed or empty.
     */
    static bool readDocument(QIODevice *device, QDomDocument &document, QString *errorText = nullptr);

    /**
     * Emits insertList() and insertColor() for every "ColorLibrary" element
     * of the document, in document order. List names are made unique in the
     * colour library. error receives the last problem met; oldPresetUids
     * receives the uids of the first 12 colours of nameless lists when
     * version is below 0.96.
     */
    void loadDocument(QDomDocument &document, QString &error, double version, QStringList &oldPresetUids);

    /**
     * As loadDocument(), reading the document straight from device without
     * building a DOM (the library reads its files this way). Lists and
     * colours come in document order up to the first fault in the XML.
     * Returns false when the text was not well-formed or had no element;
     * xmlError then receives the parser's message.
     */
    bool loadDevice(QIODevice *device, QString &error, double version, QStringList &oldPresetUids,
                    QString *xmlError = nullptr);

    /**
     * Writes one "ColorLibrary" element with its "Color" children to an XML
     * stream (same content as createElement() with the list's attributes).
     */
    static void writeList(QXmlStreamWriter &writer, const QString &name, bool isUserList, const QStringList &uids,
                          const QStringList &names, const QStringList &values, const QStringList &originatingPresets,
                          const QStringList &colorIds);

    /**
     * Builds one "ColorLibrary" element with a "Color" child per uid (the
     * five lists are index-aligned; missing entries are empty). Characters
     * XML cannot carry are left out. Sets ok to true.
     */
    static QDomElement createElement(QDomDocument &document, bool &ok, const QStringList &uids,
                                     const QStringList &names, const QStringList &values,
                                     const QStringList &originatingPresets, const QStringList &colorIds);

    /** text without the characters an XML 1.0 document cannot hold. */
    static QString xmlSafe(const QString &text);

Q_SIGNALS:
    void insertList(const QString &name, bool isUserList);
    /** One colour of the list listId; colorId is the document's "colorId" (the colour's vendor id). */
    void insertColor(QString uid, QString name, QString value, QString originatingPreset, const QString &listId,
                     const QString &colorId);
    void foundOldPreset(const QString &uid);
};
