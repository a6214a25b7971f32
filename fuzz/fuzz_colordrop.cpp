// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: clipboard and drag data from anywhere, offered to every
// place that takes colours from it: the colour library's drop, the colour
// tree's paste, a colour swatch's drop and the colour strip's drop.
//
// Input: one byte whose low seven bits say which formats are present
// (bit 0 the JSON entries, then "data/x-ovrcolor", its name, vendor id and
// origin formats, "x-luxeplot3/color" and plain text), followed by the data
// of the present formats in that order, separated by NUL bytes.
//
// Each place must either refuse the data and change nothing, or take it,
// and then what it holds must save and read back the same.
#include "colorlibrarycheck.h"

#include "colorlistpicker2.h"
#include "colorviewwidget.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorlibrarytreeview.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>

using namespace FuzzColorLibrary;

namespace {

const QString userList = QStringLiteral("Mine");
const QString readOnlyList = QStringLiteral("Stage");

std::unique_ptr<QMimeData> mimeDataFrom(const QByteArray &bytes)
{
    auto data = std::make_unique<QMimeData>();
    if (bytes.isEmpty())
        return data;
    const QStringList formats{OvrColorLibrary::entriesMimeType(),     OvrColorLibrary::colorMimeType(),
                              OvrColorLibrary::nameMimeType(),        OvrColorLibrary::vendorIdMimeType(),
                              OvrColorLibrary::originatingPresetMimeType(), OvrColorLibrary::luxeplotMimeType()};
    const auto present = uchar(bytes.at(0));
    const QList<QByteArray> parts = bytes.mid(1).split('\0');
    int part = 0;
    for (int i = 0; i < formats.size(); ++i) {
        if (present & (1u << i))
            data->setData(formats.at(i), parts.value(part++));
    }
    if (present & (1u << formats.size()))
        data->setText(QString::fromUtf8(parts.value(part)));
    return data;
}

// A library with a user list and a read-only list, one colour each.
OvrColorLibrary *baseLibrary()
{
    OvrColorLibrary *library = freshLibrary();
    library->createColorList(userList, true);
    library->createColor(OvrColor::fromRgb8(200, 40, 40), QStringLiteral("red-ish"), userList);
    library->createColor(OvrColor::fromRgb8(139, 0, 0), QStringLiteral("Deep Red"), readOnlyList);
    return library;
}

// A drop that was taken added colours to the user list only, each readable.
void checkOnlyUserListGrew(OvrColorLibrary *library, const QStringList &before)
{
    const QStringList after = contents(library);
    const int listAt = after.indexOf(QStringLiteral("list:") + userList + QLatin1Char('u'));
    check(listAt >= 0, "the user list is still there");
    check(after.size() > before.size(), "a drop that was taken added colours");
    check(after.mid(0, listAt + 2) == before.mid(0, listAt + 2), "lists before the target are unchanged");
    check(after.mid(listAt + 2 + after.size() - before.size()) == before.mid(listAt + 2),
          "lists after the target are unchanged");
    for (const QString &uid : library->getColorUids(userList))
        check(library->get(uid).isValid(), "every dropped colour is a colour");
}

void libraryDrop(const QMimeData *data)
{
    OvrColorLibrary *library = baseLibrary();
    const QStringList before = contents(library);
    const QModelIndex readOnly = library->getIndexOfList(readOnlyList);
    check(!library->canDropMimeData(data, Qt::CopyAction, -1, 0, readOnly), "read-only lists take no drops");
    check(!library->dropMimeData(data, Qt::CopyAction, -1, 0, readOnly), "read-only lists take no drops");
    check(contents(library) == before, "a refused drop changes nothing");

    const QModelIndex target = library->getIndexOfList(userList);
    if (library->dropMimeData(data, Qt::CopyAction, -1, 0, target))
        checkOnlyUserListGrew(library, before);
    else
        check(contents(library) == before, "a refused drop changes nothing");
    checkSavesAndReadsBack(library);
}

void treePaste(const QMimeData *data)
{
    OvrColorLibrary *library = baseLibrary();
    const QStringList before = contents(library);
    {
        OvrColorPickerLib::OvrColorLibraryTreeView view;
        QString error;
        check(!view.pasteMimeData(data, readOnlyList, &error), "read-only lists take no paste");
        check(contents(library) == before, "a refused paste changes nothing");
        error.clear();
        if (view.pasteMimeData(data, userList, &error)) {
            // A pasted colour document adds lists of its own.
            check(contents(library) != before, "a paste that was taken added something");
        } else {
            check(contents(library) == before, "a refused paste changes nothing");
            check(!error.isEmpty(), "a refused paste says why");
        }
    }
    checkSavesAndReadsBack(library);
}

void swatchDrop(OvrColorPickerLib::ColorViewWidget *swatch, QMimeData *data)
{
    const OvrColor original = OvrColor::fromRgb8(1, 2, 3);
    swatch->setColor(original, QStringLiteral("{original}"));
    const QPoint pos(2, 2);
    QDragEnterEvent enter(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(swatch, &enter);
    QDropEvent drop(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(swatch, &drop);
    if (!drop.isAccepted()) {
        check(swatch->color() == original && swatch->uid() == QLatin1String("{original}"),
              "a refused drop leaves the swatch");
        return;
    }
    QStringList uids;
    const QVector<OvrColor> colors = OvrColorLibrary::colorsFromMimeData(data, &uids);
    check(!colors.isEmpty() && swatch->color() == colors.first() && swatch->uid() == uids.first(),
          "a swatch takes the first dropped colour");
    check(OvrColor(swatch->color().aName()) == swatch->color(), "the swatch's colour reads back from its text");
}

void stripDrop(ColorListPicker2 *strip, QMimeData *data, bool onAddSlot)
{
    const QStringList original{OvrColor::fromRgb8(255, 0, 0).aName(), OvrColor::fromRgb8(0, 0, 255).aName()};
    strip->setColors(original);
    const QPoint pos = onAddSlot ? strip->addSlotRect().center() : QPoint(2, 2);
    QDragEnterEvent enter(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(strip, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(strip, &move);
    QDropEvent drop(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(strip, &drop);
    const QStringList colors = strip->colors();
    if (!drop.isAccepted()) {
        check(colors == original, "a refused drop leaves the strip");
        return;
    }
    check(colors.size() == original.size() + (onAddSlot ? 1 : 0), "a drop replaces one colour or adds one");
    check(onAddSlot ? colors.mid(0, original.size()) == original : colors.mid(1) == original.mid(1),
          "the other colours stay");
    // The strip's colours are kept (and saved by the effect) as its text.
    ColorListPicker2 reread;
    reread.setText(strip->text());
    check(reread.colors() == colors, "the strip's colours read back from its text");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Widgets without a display, and settings and colour files in a folder
    // of our own: nothing of the user's is read or written.
    static QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    silenceLogging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    static OvrColorPickerLib::ColorViewWidget swatch(false);
    static ColorListPicker2 strip;
    const std::unique_ptr<QMimeData> data =
        mimeDataFrom(QByteArray::fromRawData(reinterpret_cast<const char *>(bytes), int(size)));
    libraryDrop(data.get());
    treePaste(data.get());
    swatchDrop(&swatch, data.get());
    stripDrop(&strip, data.get(), false);
    stripDrop(&strip, data.get(), true);
    OvrColorLibrary::cleanup();
    return 0;
}
