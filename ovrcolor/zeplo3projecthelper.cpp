// SPDX-License-Identifier: GPL-3.0-or-later
#include "zeplo3projecthelper.h"

#include "ovrcolorlibrary.h"
#include "ovrcolorlogging.h"

#include <QDomDocument>
#include <QIODevice>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString libraryTag = QStringLiteral("ColorLibrary");
const QString colorTag = QStringLiteral("Color");
const QString emptyAttribute = QStringLiteral("empty attribute");

// Colours of a nameless list in documents older than this are copies of the
// old built-in swatches.
constexpr double oldPresetVersion = 0.96;
constexpr int oldPresetCount = 12;

bool isXmlChar(uint c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

Zeplo3ProjectHelper::Zeplo3ProjectHelper(QObject *parent)
    : QObject(parent)
{
}

Zeplo3ProjectHelper::~Zeplo3ProjectHelper() = default;

bool Zeplo3ProjectHelper::readDocument(QIODevice *device, QDomDocument &document, QString *errorText)
{
    // Built from a stream reader rather than QDomDocument::setContent() so
    // that a broken file still yields what came before the fault, and so
    // that no element tree deeper than MaximumDepth is ever built (the DOM
    // frees its nodes recursively).
    document.clear();
    if (errorText)
        errorText->clear();
    if (!device)
        return false;

    QXmlStreamReader xml(device);
    QDomNode current;
    int depth = 0;
    bool sawElement = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            sawElement = true;
            if (depth >= MaximumDepth) {
                xml.skipCurrentElement();
                break;
            }
            QDomElement element = document.createElement(xml.qualifiedName().toString());
            const QXmlStreamAttributes attributes = xml.attributes();
            for (const QXmlStreamAttribute &attribute : attributes)
                element.setAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
            if (depth == 0)
                document.appendChild(element);
            else
                current.appendChild(element);
            current = element;
            ++depth;
            break;
        }
        case QXmlStreamReader::EndElement:
            if (depth > 0) {
                current = depth == 1 ? QDomNode() : current.parentNode();
                --depth;
            }
            break;
        default:
            break;
        }
    }
    if (xml.hasError()) {
        if (errorText)
            *errorText = xml.errorString();
        return false;
    }
    return sawElement;
}

void Zeplo3ProjectHelper::loadDocument(QDomDocument &document, QString &error, double version,
                                       QStringList &oldPresetUids)
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    const QString explicitName = OvrColorLibrary::explicitColorsListName();
    const QDomNodeList lists = document.elementsByTagName(libraryTag);
    const int listCount = lists.count();
    for (int i = 0; i < listCount; ++i) {
        const QDomNode node = lists.item(i);
        if (node.isNull()) {
            error = QStringLiteral("Found NULL OvrColorLibrary node");
            continue;
        }
        const QDomElement element = node.toElement();
        if (element.isNull()) {
            error = QStringLiteral("Found NULL OvrColorLibrary element");
            continue;
        }

        const bool isUser = element.attribute(QStringLiteral("isUserLibrary")).toInt() != 0;
        const QString storedName = element.attribute(QStringLiteral("name"));
        // The user's "Explicit Colors" come back into the list the library
        // made at start-up instead of a second "Explicit Colors 2" each run.
        const QString name = isUser && storedName == explicitName && library->isUserList(explicitName)
            ? storedName
            : library->getNewColorListName(storedName);
        Q_EMIT insertList(name, isUser);

        const QDomElement firstChild = element.firstChildElement();
        if (!firstChild.isNull() && firstChild.tagName() != colorTag)
            error = QStringLiteral("Expected OvrColorLibrary element");
        QDomElement color = element.firstChildElement(colorTag);
        if (color.isNull())
            error = QStringLiteral("Found NULL OvrColorLibrary element");

        const bool oldPresets = storedName.isEmpty() && version < oldPresetVersion;
        int count = 0;
        for (; !color.isNull(); color = color.nextSiblingElement(colorTag), ++count) {
            const QString uid = color.attribute(QStringLiteral("uid"));
            if (oldPresets && count < oldPresetCount) {
                oldPresetUids.append(uid);
                Q_EMIT foundOldPreset(uid);
            }
            Q_EMIT insertColor(uid, color.attribute(QStringLiteral("name"), emptyAttribute),
                               color.attribute(QStringLiteral("value"), emptyAttribute),
                               color.attribute(QStringLiteral("originatingPreset")), name,
                               color.attribute(QStringLiteral("colorId")));
        }
    }
}

bool Zeplo3ProjectHelper::loadDevice(QIODevice *device, QString &error, double version, QStringList &oldPresetUids,
                                    QString *xmlError)
{
    if (xmlError)
        xmlError->clear();
    if (!device)
        return false;

    // One frame per open element; list frames belong to "ColorLibrary"
    // elements, whose direct "Color" children are their colours.
    struct Frame
    {
        bool isList = false;
        bool sawChild = false;
        bool oldPresets = false;
        int colors = 0;
        QString name;
    };
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    const QString explicitName = OvrColorLibrary::explicitColorsListName();
    const QLatin1String libraryName("ColorLibrary");
    const QLatin1String colorName("Color");
    QVector<Frame> stack;
    bool sawElement = false;

    QXmlStreamReader xml(device);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (stack.isEmpty())
                continue;
            if (stack.constLast().isList && stack.constLast().colors == 0)
                error = QStringLiteral("Found NULL OvrColorLibrary element");
            stack.removeLast();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;

        sawElement = true;
        const QStringRef tag = xml.qualifiedName();
        if (!stack.isEmpty() && stack.constLast().isList) {
            Frame &list = stack.last();
            if (!list.sawChild && tag != colorName)
                error = QStringLiteral("Expected OvrColorLibrary element");
            list.sawChild = true;
            if (tag == colorName) {
                QString uid, name = emptyAttribute, value = emptyAttribute, originatingPreset, colorId;
                const QXmlStreamAttributes attributes = xml.attributes();
                for (const QXmlStreamAttribute &attribute : attributes) {
                    const QStringRef key = attribute.qualifiedName();
                    if (key == QLatin1String("uid"))
                        uid = attribute.value().toString();
                    else if (key == QLatin1String("name"))
                        name = attribute.value().toString();
                    else if (key == QLatin1String("value"))
                        value = attribute.value().toString();
                    else if (key == QLatin1String("originatingPreset"))
                        originatingPreset = attribute.value().toString();
                    else if (key == QLatin1String("colorId"))
                        colorId = attribute.value().toString();
                }
                if (list.oldPresets && list.colors < oldPresetCount) {
                    oldPresetUids.append(uid);
                    Q_EMIT foundOldPreset(uid);
                }
                ++list.colors;
                Q_EMIT insertColor(uid, name, value, originatingPreset, list.name, colorId);
            }
        }

        Frame frame;
        if (tag == libraryName) {
            const QXmlStreamAttributes attributes = xml.attributes();
            const bool isUser = attributes.value(QLatin1String("isUserLibrary")).toInt() != 0;
            const QString storedName = attributes.value(QLatin1String("name")).toString();
            frame.isList = true;
            frame.oldPresets = storedName.isEmpty() && version < oldPresetVersion;
            frame.name = isUser && storedName == explicitName && library->isUserList(explicitName)
                ? storedName
                : library->getNewColorListName(storedName);
            Q_EMIT insertList(frame.name, isUser);
        }
        stack.append(frame);
    }
    if (xml.hasError()) {
        if (xmlError)
            *xmlError = xml.errorString();
        return false;
    }
    return sawElement;
}

void Zeplo3ProjectHelper::writeList(QXmlStreamWriter &writer, const QString &name, bool isUserList,
                                   const QStringList &uids, const QStringList &names, const QStringList &values,
                                   const QStringList &originatingPresets, const QStringList &colorIds)
{
    writer.writeStartElement(libraryTag);
    writer.writeAttribute(QStringLiteral("name"), xmlSafe(name));
    writer.writeAttribute(QStringLiteral("isUserLibrary"), isUserList ? QStringLiteral("1") : QStringLiteral("0"));
    for (int i = 0; i < uids.size(); ++i) {
        writer.writeEmptyElement(colorTag);
        writer.writeAttribute(QStringLiteral("name"), xmlSafe(names.value(i)));
        writer.writeAttribute(QStringLiteral("uid"), xmlSafe(uids.at(i)));
        writer.writeAttribute(QStringLiteral("value"), xmlSafe(values.value(i)));
        writer.writeAttribute(QStringLiteral("originatingPreset"), xmlSafe(originatingPresets.value(i)));
        writer.writeAttribute(QStringLiteral("colorId"), xmlSafe(colorIds.value(i)));
    }
    writer.writeEndElement();
}

QDomElement Zeplo3ProjectHelper::createElement(QDomDocument &document, bool &ok, const QStringList &uids,
                                               const QStringList &names, const QStringList &values,
                                               const QStringList &originatingPresets, const QStringList &colorIds)
{
    QDomElement library = document.createElement(libraryTag);
    for (int i = 0; i < uids.size(); ++i) {
        QDomElement color = document.createElement(colorTag);
        color.setAttribute(QStringLiteral("name"), xmlSafe(names.value(i)));
        color.setAttribute(QStringLiteral("uid"), xmlSafe(uids.at(i)));
        color.setAttribute(QStringLiteral("value"), xmlSafe(values.value(i)));
        color.setAttribute(QStringLiteral("originatingPreset"), xmlSafe(originatingPresets.value(i)));
        color.setAttribute(QStringLiteral("colorId"), xmlSafe(colorIds.value(i)));
        library.appendChild(color);
    }
    ok = true;
    return library;
}

QString Zeplo3ProjectHelper::xmlSafe(const QString &text)
{
    // A character XML cannot hold would make the whole file unreadable the
    // next time, and with it every user colour.
    const int size = text.size();
    const QChar *chars = text.constData();
    int i = 0;
    for (; i < size; ++i) {
        const ushort c = chars[i].unicode();
        if (c >= 0x20 && c < 0xD800)
            continue;
        break;
    }
    if (i == size)
        return text;

    QString result;
    result.reserve(size);
    result.append(chars, i);
    for (; i < size; ++i) {
        const QChar c = chars[i];
        if (c.isHighSurrogate() && i + 1 < size && chars[i + 1].isLowSurrogate()) {
            result.append(c);
            result.append(chars[++i]);
        } else if (!c.isSurrogate() && isXmlChar(c.unicode())) {
            result.append(c);
        }
    }
    return result;
}
