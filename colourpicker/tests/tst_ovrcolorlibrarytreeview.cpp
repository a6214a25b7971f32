// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorfileimporter.h"
#include "colorlibraryfiltermodel.h"
#include "colortreeandfilterwidget.h"
#include "filterbox.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorlibrarytreeview.h"
#include "ovrcolorpicker.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace OvrColorPickerLib;

namespace {
// Selects one row whatever modifier keys the previous key clicks left behind.
void selectIn(QAbstractItemView *view, const QModelIndex &index)
{
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool isEditing(const QAbstractItemView *view)
{
    for (const QLineEdit *editor : view->viewport()->findChildren<QLineEdit *>()) {
        if (editor->isVisible())
            return true;
    }
    return false;
}
} // namespace

using ListContents = QMap<QString, QStringList>;
Q_DECLARE_METATYPE(ListContents)

class tst_OvrColorLibraryTreeView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void filter_data();
    void filter();
    void filterOpensMatchingListsOnly();
    void expandedGroupsRemembered();
    void readOnlyRefusals_data();
    void readOnlyRefusals();
    void userListEditsByKey();
    void copyAndPasteByKey();
    void pasteText_data();
    void pasteText();
    void drops_data();
    void drops();
    void namesSurviveCopies_data();
    void namesSurviveCopies();
    void exportImportRoundTrip();
    void exportFailure();
    void loadRefusals_data();
    void loadRefusals();
    void clickAndEnterPick();
    void inThePicker();

private:
    void makeWidget();
    QModelIndex viewIndexOf(const QString &list, const QString &colour = QString()) const;
    ListContents shown() const;
    void select(const QModelIndex &index) { selectIn(view, index); }

    OvrColorLibrary *library = nullptr;
    std::unique_ptr<ColorTreeAndFilterWidget> widget;
    OvrColorLibraryTreeView *view = nullptr;
    QString candle;
    QString deepRed;
};

void tst_OvrColorLibraryTreeView::init()
{
    QSettings().clear();
    OvrColorLibrary::cleanup();
    library = OvrColorLibrary::Instance();
    library->init(true, true, true);
    library->createColorList(QStringLiteral("Warm Whites"), true);
    candle = library->createColor(OvrColor(0.50563, 0.4152), QStringLiteral("Candle"), QStringLiteral("Warm Whites"));
    library->createColor(OvrColor(0.44757, 0.40745), QStringLiteral("Sunset"), QStringLiteral("Warm Whites"));
    // Lists made by createColor are read-only, as presets are.
    deepRed = library->createColor(OvrColor::fromRgb8(139, 0, 0), QStringLiteral("Deep Red"), QStringLiteral("Stage"));
    library->createColor(OvrColor::fromRgb8(255, 147, 41), QStringLiteral("Candle Glow"), QStringLiteral("Stage"));
    library->createColorList(QStringLiteral("Mine"), true);
    library->createColor(OvrColor::fromRgb8(200, 40, 40), QStringLiteral("red-ish"), QStringLiteral("Mine"));
    QVERIFY(library->isUserList(QStringLiteral("Mine")));
    QVERIFY(!library->isUserList(QStringLiteral("Stage")));
    makeWidget();
}

void tst_OvrColorLibraryTreeView::cleanup()
{
    widget.reset();
    OvrColorLibrary::cleanup();
}

void tst_OvrColorLibraryTreeView::makeWidget()
{
    widget.reset(new ColorTreeAndFilterWidget);
    view = widget->treeView();
    widget->resize(320, 480);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
}

QModelIndex tst_OvrColorLibraryTreeView::viewIndexOf(const QString &list, const QString &colour) const
{
    QModelIndex index = library->getIndexOfList(list);
    if (!colour.isEmpty()) {
        for (const QString &uid : library->getColorUids(list)) {
            if (library->getColorName(uid) == colour)
                index = library->getIndexOfUid(uid);
        }
    }
    return view->viewIndex(index);
}

ListContents tst_OvrColorLibraryTreeView::shown() const
{
    ListContents contents;
    const QAbstractItemModel *model = view->model();
    for (int i = 0; i < model->rowCount(); ++i) {
        const QModelIndex list = model->index(i, 0);
        QStringList colours;
        for (int j = 0; j < model->rowCount(list); ++j)
            colours.append(model->index(j, 0, list).data().toString());
        contents.insert(list.data().toString(), colours);
    }
    return contents;
}

void tst_OvrColorLibraryTreeView::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ListContents>("expected");
    ListContents all{{"Warm Whites", {"Candle", "Sunset"}}, {"Stage", {"Deep Red", "Candle Glow"}}, {"Mine", {"red-ish"}}};
    QTest::newRow("empty shows all") << QString() << all;
    QTest::newRow("colour names, any case") << QStringLiteral("CANDLE")
                                            << ListContents{{"Warm Whites", {"Candle"}}, {"Stage", {"Candle Glow"}}};
    QTest::newRow("list name shows the whole list") << QStringLiteral("stag")
                                                    << ListContents{{"Stage", {"Deep Red", "Candle Glow"}}};
    QTest::newRow("inside a word") << QStringLiteral("red")
                                   << ListContents{{"Stage", {"Deep Red"}}, {"Mine", {"red-ish"}}};
    QTest::newRow("spaces around") << QStringLiteral("  sunset ") << ListContents{{"Warm Whites", {"Sunset"}}};
    QTest::newRow("no match") << QStringLiteral("zzz") << ListContents{};
}

void tst_OvrColorLibraryTreeView::filter()
{
    QFETCH(QString, text);
    QFETCH(ListContents, expected);
    QAbstractItemModelTester tester(view->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy spy(view, &OvrColorLibraryTreeView::filterText);
    widget->filterBox()->clear();
    QTest::keyClicks(widget->filterBox(), text);
    QCOMPARE(view->currentFilterText(), text.trimmed());
    QCOMPARE(spy.isEmpty(), text.trimmed().isEmpty());
    ListContents actual = shown();
    // The lists the program makes by itself are empty here and not at issue.
    actual.remove(OvrColorLibrary::explicitColorsListName());
    actual.remove(OvrColorLibrary::projectSwatchesListName());
    QCOMPARE(actual, expected);
    if (!text.trimmed().isEmpty()) {
        for (int i = 0; i < view->model()->rowCount(); ++i)
            QVERIFY(view->isExpanded(view->model()->index(i, 0)));
    }
}

void tst_OvrColorLibraryTreeView::filterOpensMatchingListsOnly()
{
    const QModelIndex stage = viewIndexOf(QStringLiteral("Stage"));
    QVERIFY(!view->isExpanded(stage)); // read-only lists start closed
    QVERIFY(view->isExpanded(viewIndexOf(QStringLiteral("Mine"))));
    view->collapse(viewIndexOf(QStringLiteral("Mine")));
    view->setFilterText(QStringLiteral("deep"));
    QVERIFY(view->isExpanded(viewIndexOf(QStringLiteral("Stage"))));
    // Opening lists for a filter is not the user's choice and is not remembered.
    QVERIFY(!QSettings().contains(OvrColorLibraryTreeView::expandedKey(QStringLiteral("Stage"))));
    view->setFilterText(QString());
    QVERIFY(!view->isExpanded(viewIndexOf(QStringLiteral("Stage"))));
    QVERIFY(!view->isExpanded(viewIndexOf(QStringLiteral("Mine"))));
}

void tst_OvrColorLibraryTreeView::expandedGroupsRemembered()
{
    view->collapse(viewIndexOf(QStringLiteral("Warm Whites")));
    view->expand(viewIndexOf(QStringLiteral("Stage")));
    QCOMPARE(QSettings().value(QStringLiteral("Warm Whites_expanded")), QVariant(false));
    QCOMPARE(QSettings().value(QStringLiteral("Stage_expanded")), QVariant(true));

    makeWidget();
    QVERIFY(!view->isExpanded(viewIndexOf(QStringLiteral("Warm Whites"))));
    QVERIFY(view->isExpanded(viewIndexOf(QStringLiteral("Stage"))));
    QVERIFY(view->isExpanded(viewIndexOf(QStringLiteral("Mine"))));

    // A renamed list keeps its state.
    QVERIFY(library->rename(QStringLiteral("Warm Whites"), QStringLiteral("Cosy"), false));
    QCOMPARE(QSettings().value(QStringLiteral("Cosy_expanded")), QVariant(false));
    QVERIFY(!QSettings().contains(QStringLiteral("Warm Whites_expanded")));
}

void tst_OvrColorLibraryTreeView::readOnlyRefusals_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("Delete key") << "delete";
    QTest::newRow("F2") << "f2";
    QTest::newRow("menu Delete") << "menu delete";
    QTest::newRow("menu Rename") << "menu rename";
    QTest::newRow("Ctrl+X") << "cut";
    QTest::newRow("drag out") << "drag";
    QTest::newRow("delete the list") << "list";
    QTest::newRow("F2 on the program's own list") << "explicit";
}

void tst_OvrColorLibraryTreeView::readOnlyRefusals()
{
    QFETCH(QString, route);
    view->expand(viewIndexOf(QStringLiteral("Stage")));
    const QModelIndex target = route == QLatin1String("list")       ? viewIndexOf(QStringLiteral("Stage"))
                               : route == QLatin1String("explicit") ? viewIndexOf(OvrColorLibrary::explicitColorsListName())
                                                                    : viewIndexOf(QStringLiteral("Stage"), QStringLiteral("Deep Red"));
    QVERIFY(target.isValid());
    select(target);
    view->setFocus();
    QVERIFY(!view->renameAction()->isEnabled());
    QVERIFY(!view->deleteAction()->isEnabled());
    QVERIFY(!view->cutAction()->isEnabled());
    if (route == QLatin1String("delete") || route == QLatin1String("list"))
        QTest::keyClick(view, Qt::Key_Delete);
    else if (route == QLatin1String("f2") || route == QLatin1String("explicit"))
        QTest::keyClick(view, Qt::Key_F2);
    else if (route == QLatin1String("menu delete"))
        view->deleteAction()->trigger();
    else if (route == QLatin1String("menu rename"))
        view->renameAction()->trigger();
    else if (route == QLatin1String("cut"))
        QTest::keySequence(view, QKeySequence::Cut);
    else if (route == QLatin1String("drag"))
        QCOMPARE(view->dragActionsForSelection(), Qt::DropActions(Qt::CopyAction));
    QCoreApplication::processEvents();
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(!isEditing(view));
    QCOMPARE(library->getColorUids(QStringLiteral("Stage")).size(), 2);
    QCOMPARE(library->getColorName(deepRed), QStringLiteral("Deep Red"));
    QVERIFY(library->containsList(OvrColorLibrary::explicitColorsListName()));
}

void tst_OvrColorLibraryTreeView::userListEditsByKey()
{
    select(viewIndexOf(QStringLiteral("Warm Whites"), QStringLiteral("Sunset")));
    view->setFocus();
    QCOMPARE(view->dragActionsForSelection(), Qt::CopyAction | Qt::MoveAction);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(library->getColorUids(QStringLiteral("Warm Whites")), QStringList{candle});

    select(viewIndexOf(QStringLiteral("Warm Whites"), QStringLiteral("Candle")));
    QTest::keyClick(view, Qt::Key_F2);
    QVERIFY(isEditing(view));
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor && editor != view);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("Tea Light"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(library->getColorName(candle), QStringLiteral("Tea Light"));
}

void tst_OvrColorLibraryTreeView::copyAndPasteByKey()
{
    view->expand(viewIndexOf(QStringLiteral("Stage")));
    select(viewIndexOf(QStringLiteral("Stage"), QStringLiteral("Candle Glow")));
    view->setFocus();
    QTest::keySequence(view, QKeySequence::Copy);
    QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(OvrColorLibrary::colorMimeType()));

    // Pasting into a read-only list does nothing.
    QTest::keySequence(view, QKeySequence::Paste);
    QCOMPARE(library->getColorUids(QStringLiteral("Stage")).size(), 2);

    select(viewIndexOf(QStringLiteral("Mine")));
    QTest::keySequence(view, QKeySequence::Paste);
    const QStringList mine = library->getColorUids(QStringLiteral("Mine"));
    QCOMPARE(mine.size(), 2);
    QCOMPARE(library->getColorName(mine.last()), QStringLiteral("Candle Glow"));
    QCOMPARE(library->get(mine.last()), OvrColor::fromRgb8(255, 147, 41));

    // Cut moves between user lists.
    select(viewIndexOf(QStringLiteral("Mine"), QStringLiteral("red-ish")));
    QVERIFY(view->cutAction()->isEnabled());
    QTest::keySequence(view, QKeySequence::Cut);
    QCOMPARE(library->getColorUids(QStringLiteral("Mine")).size(), 1);
    select(viewIndexOf(QStringLiteral("Warm Whites")));
    QTest::keySequence(view, QKeySequence::Paste);
    QCOMPARE(library->getColorUids(QStringLiteral("Warm Whites")).size(), 3);
    QCOMPARE(library->getColorName(library->getColorUids(QStringLiteral("Warm Whites")).last()), QStringLiteral("red-ish"));
}

void tst_OvrColorLibraryTreeView::pasteText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("added");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("a word") << QStringLiteral("hello") << 0;
    QTest::newRow("bad hex") << QStringLiteral("aRgb;1;0;#zzzzzzzzzzzzzzzz") << 0;
    QTest::newRow("short hex") << QStringLiteral("#12345") << 0;
    QTest::newRow("one good, one bad") << QStringLiteral("aRgb;1;0;#ffffffff00000000,bogus") << 0;
    QTest::newRow("broken document") << QStringLiteral("<ColorLibraryList><ColorLibrary name=\"x\">") << 0;
    QTest::newRow("two colours") << QStringLiteral("aRgb;1;0;#ffffffff00000000,\n#ff8000") << 2;
    QTest::newRow("uid and value") << QStringLiteral("{1234}aYxy;1;0;65535;1.000000;0.312700;0.329000") << 1;
}

void tst_OvrColorLibraryTreeView::pasteText()
{
    QFETCH(QString, text);
    QFETCH(int, added);
    QMimeData data;
    data.setText(text);
    const QStringList lists = library->getListNames();
    QString error;
    QCOMPARE(view->pasteMimeData(&data, QStringLiteral("Mine"), &error), added > 0);
    QCOMPARE(error.isEmpty(), added > 0);
    QCOMPARE(library->getColorUids(QStringLiteral("Mine")).size(), 1 + added);
    QCOMPARE(library->getListNames(), lists);
}

void tst_OvrColorLibraryTreeView::drops_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("targetList");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("library colour onto a user list") << "library" << "Mine" << true;
    QTest::newRow("strip colour onto a user list") << "x-luxeplot3/color" << "Mine" << true;
    QTest::newRow("library colour onto a read-only list") << "library" << "Stage" << false;
    QTest::newRow("strip colour onto a read-only list") << "x-luxeplot3/color" << "Stage" << false;
}

void tst_OvrColorLibraryTreeView::drops()
{
    QFETCH(QString, format);
    QFETCH(QString, targetList);
    QFETCH(bool, accepted);
    QAbstractItemModel *model = view->model();
    std::unique_ptr<QMimeData> data;
    if (format == QLatin1String("library")) {
        // What dragging "Deep Red" out of the view carries.
        data.reset(model->mimeData({viewIndexOf(QStringLiteral("Stage"), QStringLiteral("Deep Red"))}));
        QVERIFY(data);
        // The colour strip reads the first entry as a uid-and-value string.
        const QString first = QString::fromLatin1(data->data(OvrColorLibrary::colorMimeType())).split(QLatin1Char(',')).first();
        QCOMPARE(OvrColor(OvrColorLibrary::UidAndValueToValue(first)), OvrColor::fromRgb8(139, 0, 0));
    } else {
        data.reset(new QMimeData);
        data->setData(format, OvrColor::fromRgb8(1, 2, 3).aName().toLatin1());
    }
    const QModelIndex target = viewIndexOf(targetList);
    const int before = library->getColorUids(targetList).size();
    QCOMPARE(model->canDropMimeData(data.get(), Qt::CopyAction, -1, -1, target), accepted);
    if (accepted)
        QVERIFY(model->dropMimeData(data.get(), Qt::CopyAction, -1, -1, target));
    QCOMPARE(library->getColorUids(targetList).size(), before + (accepted ? 1 : 0));
    if (accepted) {
        const OvrColor expected = format == QLatin1String("library") ? OvrColor::fromRgb8(139, 0, 0) : OvrColor::fromRgb8(1, 2, 3);
        QCOMPARE(library->get(library->getColorUids(targetList).last()), expected);
    }
}

void tst_OvrColorLibraryTreeView::namesSurviveCopies_data()
{
    QTest::addColumn<bool>("older"); // as older versions copied: the comma-joined formats only
    QTest::addColumn<QStringList>("names");
    QTest::newRow("umlaut") << false << QStringList{QStringLiteral("Grün")};
    QTest::newRow("comma") << false << QStringList{QStringLiteral("Red, warm"), QStringLiteral("Blue")};
    QTest::newRow("quotes, percent, empty")
        << false << QStringList{QStringLiteral("50% \"grey\""), QString(), QStringLiteral("%2C")};
    QTest::newRow("older copy") << true << QStringList{QStringLiteral("Grün"), QStringLiteral("Blau")};
}

void tst_OvrColorLibraryTreeView::namesSurviveCopies()
{
    QFETCH(bool, older);
    QFETCH(QStringList, names);
    QVector<OvrColor> colors;
    for (int i = 0; i < names.size(); ++i)
        colors.append(OvrColor::fromRgb8(10 * i, 100, 200));

    std::unique_ptr<QMimeData> data(new QMimeData);
    if (older) {
        QStringList values;
        for (const OvrColor &color : qAsConst(colors))
            values.append(color.aName());
        data->setData(OvrColorLibrary::colorMimeType(), values.join(QLatin1Char(',')).toLatin1());
        data->setData(OvrColorLibrary::nameMimeType(), names.join(QLatin1Char(',')).toUtf8());
    } else {
        // Copied from a list whose colours are gone by the time of the paste (cut, or another window).
        library->createColorList(QStringLiteral("Source"), true);
        QModelIndexList copied;
        for (int i = 0; i < names.size(); ++i)
            copied.append(library->getIndexOfUid(library->createColor(colors.at(i), names.at(i), QStringLiteral("Source"))));
        data.reset(library->mimeData(copied));
        library->removeColorList(QStringLiteral("Source"));
    }

    const auto lastNames = [this](const QString &list, int count) {
        QStringList result;
        for (const QString &uid : library->getColorUids(list).mid(library->getColorUids(list).size() - count))
            result.append(library->getColorName(uid));
        return result;
    };
    QVERIFY(view->pasteMimeData(data.get(), QStringLiteral("Mine")));
    QCOMPARE(lastNames(QStringLiteral("Mine"), names.size()), names);
    QCOMPARE(library->getColors(QStringLiteral("Mine")).mid(1), colors);
    QVERIFY(library->dropMimeData(data.get(), Qt::CopyAction, -1, 0, library->getIndexOfList(QStringLiteral("Warm Whites"))));
    QCOMPARE(lastNames(QStringLiteral("Warm Whites"), names.size()), names);
    QCOMPARE(library->getColors(QStringLiteral("Warm Whites")).mid(2), colors);
}

void tst_OvrColorLibraryTreeView::exportImportRoundTrip()
{
    OvrColor nChannel = OvrColor::fromNChannel8({255, 10, 20, 30, 40, 50}, ColorUtils::ConfigRGBAW,
                                                ColorUtils::ProfileKestrelKiteQRZ);
    library->createColor(nChannel, QStringLiteral("Five, with a comma & <ampersand>"), QStringLiteral("Warm Whites"));
    library->createExplicitColor(OvrColor(Qt::cyan), QStringLiteral("Cyan"));
    const QStringList lists{QStringLiteral("Warm Whites"), QStringLiteral("Stage"), OvrColorLibrary::explicitColorsListName()};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.ovrcolors"));
    QVERIFY(OvrColorLibraryTreeView::exportLists(lists, path));

    // Each list comes back as a list of its own, the program's own list too.
    QVERIFY(widget->loadFile(path, false));
    for (const QString &list : lists) {
        const QString copy = list + QStringLiteral(" 2");
        QVERIFY2(library->containsList(copy), qPrintable(library->getListNames().join(QLatin1Char('|'))));
        QVERIFY(library->isUserList(copy)); // what the user loads is theirs to edit
        const QStringList a = library->getColorUids(list);
        const QStringList b = library->getColorUids(copy);
        QCOMPARE(b.size(), a.size());
        for (int i = 0; i < a.size(); ++i) {
            QCOMPARE(library->getColorName(b.at(i)), library->getColorName(a.at(i)));
            QCOMPARE(library->get(b.at(i)).aName(), library->get(a.at(i)).aName());
        }
    }
    // The loaded list is selected in the view.
    QCOMPARE(view->libraryIndex(view->currentIndex()), library->getIndexOfList(QStringLiteral("Warm Whites 2")));
}

void tst_OvrColorLibraryTreeView::exportFailure()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("plainfile")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    QVERIFY(!OvrColorLibraryTreeView::exportLists({QStringLiteral("Mine")}, dir.filePath(QStringLiteral("plainfile/x.ovrcolors")), &error));
    QVERIFY(!error.isEmpty());

    // Over an existing file the new content replaces the old whole.
    const QString path = dir.filePath(QStringLiteral("old.ovrcolors"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    QVERIFY(OvrColorLibraryTreeView::exportLists({QStringLiteral("Mine")}, path, &error));
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray written = old.readAll();
    QVERIFY(written.startsWith("<ColorLibraryList>"));
    QVERIFY(written.contains("name=\"red-ish\""));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left behind
}

void tst_OvrColorLibraryTreeView::loadRefusals_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("malformed") << QByteArray("<ColorLibraryList><ColorLibrary name=\"x\" isUserLibrary=\"1\"><Color name=\"a\" value=\"#ff0000\"/>");
    QTest::newRow("not a colour document") << QByteArray("<html><body/></html>");
    QTest::newRow("unreadable colour after good ones")
        << QByteArray("<ColorLibraryList><ColorLibrary name=\"x\" isUserLibrary=\"1\"><Color name=\"a\" value=\"#ff0000\"/>"
                      "<Color name=\"b\" value=\"nonsense\"/></ColorLibrary></ColorLibraryList>");
    QTest::newRow("colour without a value")
        << QByteArray("<ColorLibraryList><ColorLibrary name=\"x\"><Color name=\"a\"/></ColorLibrary></ColorLibraryList>");
    QTest::newRow("huge") << (QByteArray("<ColorLibraryList><!--") + QByteArray(ColorFileImporter::MaximumDocumentSize, ' ')
                              + QByteArray("--></ColorLibraryList>"));
}

void tst_OvrColorLibraryTreeView::loadRefusals()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.ovrcolors"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    const QStringList lists = library->getListNames();
    const int colours = library->getColorUids(QStringLiteral("Mine")).size();
    QString error;
    QVERIFY(!ColorFileImporter::importFile(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!widget->loadFile(path, false));
    QCOMPARE(library->getListNames(), lists);
    QCOMPARE(library->getColorUids(QStringLiteral("Mine")).size(), colours);
    QVERIFY(!ColorFileImporter::importFile(dir.filePath(QStringLiteral("missing.ovrcolors")), &error));
}

void tst_OvrColorLibraryTreeView::clickAndEnterPick()
{
    QSignalSpy spy(view, &OvrColorLibraryTreeView::colorItemClicked);
    QSignalSpy forwarded(widget.get(), &ColorTreeAndFilterWidget::colorItemClicked);
    const QModelIndex index = viewIndexOf(QStringLiteral("Warm Whites"), QStringLiteral("Candle"));
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<OvrColor>(), library->get(candle));
    QCOMPARE(spy.at(0).at(1).toString(), candle);
    QCOMPARE(forwarded.count(), 1);

    // Arrows move without picking; Enter picks.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(spy.count(), 1);
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(library->getColorName(spy.at(1).at(1).toString()), QStringLiteral("Sunset"));
}

void tst_OvrColorLibraryTreeView::inThePicker()
{
    OvrColorPicker picker;
    picker.resize(900, 600);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    auto *tree = picker.findChild<OvrColorLibraryTreeView *>();
    QVERIFY(tree);
    QSignalSpy main(&picker, &OvrColorPicker::mainColorChanged);
    const QModelIndex index = tree->viewIndex(library->getIndexOfUid(candle));
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualRect(index).center());
    QCOMPARE(main.count(), 1);
    QCOMPARE(main.at(0).at(0).value<OvrColor>(), library->get(candle));
    QCOMPARE(main.at(0).at(1).toString(), candle);
}

QTEST_MAIN(tst_OvrColorLibraryTreeView)
#include "tst_ovrcolorlibrarytreeview.moc"
