// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolorlibrary.h"
#include "zeplo3projecthelper.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <csignal>

namespace {

OvrColor nChannelColor()
{
    return OvrColor::fromNChannel16({65535, 1000, 2000, 3000, 40000}, ColorUtils::ChannelConfiguration(5),
                                    ColorUtils::PrismalProfileID(0));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}


void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QByteArray colorElement(const QByteArray &name, const QByteArray &uid = QByteArray())
{
    return "<Color name=\"" + name + "\" uid=\"" + uid + "\" value=\"aRgb;1;0;#ffff000000000000\"/>";
}

// Names of the lists in a written user file, in order.
QStringList listsInFile(const QString &path)
{
    QDomDocument document;
    document.setContent(readFile(path));
    QStringList names;
    const QDomNodeList lists = document.elementsByTagName(QStringLiteral("ColorLibrary"));
    for (int i = 0; i < lists.count(); ++i)
        names.append(lists.item(i).toElement().attribute(QStringLiteral("name")));
    return names;
}

} // namespace

class tst_OvrColorLibrary : public QObject
{
    Q_OBJECT

private:
    OvrColorLibrary *lib = nullptr;
    QString userFile;

    // A fresh library with the default user file read, as the program has it.
    void restart()
    {
        OvrColorLibrary::cleanup();
        lib = OvrColorLibrary::Instance();
        lib->init(true, true, true);
        lib->loadUserColors();
    }

private Q_SLOTS:
    void initTestCase()
    {
        userFile = OvrColorLibrary::defaultUserColorsPath();
        // The test runner gives every run its own data folder.
        QVERIFY(userFile.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
        QVERIFY(userFile.endsWith(QLatin1String("/Halvane Lighting/userColors.xml")));
    }

    void init()
    {
        QDir(QFileInfo(userFile).absolutePath()).removeRecursively();
        restart();
    }

    void cleanupTestCase() { OvrColorLibrary::cleanup(); }

    void newListNames_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("free") << QStringList() << "Favourites";
        QTest::newRow("taken") << QStringList{"Favourites"} << "Favourites 2";
        QTest::newRow("taken twice") << QStringList{"Favourites", "Favourites 2"} << "Favourites 3";
        QTest::newRow("case matters") << QStringList{"favourites"} << "Favourites";
    }

    void newListNames()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        for (const QString &name : existing)
            lib->createColorList(name, true);
        QCOMPARE(lib->getNewColorListName(QStringLiteral("Favourites")), expected);
    }

    void modifiableList_data()
    {
        // Existing lists, read-only ones marked "ro:".
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList() << "Favourites";
        QTest::newRow("user list") << QStringList{"Favourites"} << "Favourites";
        QTest::newRow("read-only") << QStringList{"ro:Favourites"} << "Favourites 2";
        QTest::newRow("read-only, user list beside")
            << QStringList{"ro:Favourites", "ro:Favourites 2", "Favourites 3"} << "Favourites 3";
        QTest::newRow("read-only twice") << QStringList{"ro:Favourites", "ro:Favourites 2"} << "Favourites 3";
    }

    void modifiableList()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        for (const QString &name : existing) {
            if (name.startsWith(QLatin1String("ro:")))
                lib->createColorList(name.mid(3), false);
            else
                lib->createColorList(name, true);
        }
        const QString name = lib->modifiableList(QStringLiteral("Favourites"));
        QCOMPARE(name, expected);
        QVERIFY(lib->isUserList(name));
        // The same list every time, and it reaches the user file.
        const QStringList lists = lib->getListNames();
        QCOMPARE(lib->modifiableList(QStringLiteral("Favourites")), expected);
        QCOMPARE(lib->getListNames(), lists);
        lib->createColor(Qt::red, QStringLiteral("Red"), name);
        QVERIFY(listsInFile(userFile).contains(expected));
    }

    void uidAndValue_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("uid");
        QTest::addColumn<QString>("value");
        QTest::newRow("both") << "{abc}aRgb;1;0;#ffffffff00000000" << "{abc}" << "aRgb;1;0;#ffffffff00000000";
        QTest::newRow("no brace") << "aRgb;1;0;#ffffffff00000000" << "" << "aRgb;1;0;#ffffffff00000000";
        QTest::newRow("brace first") << "}abc" << "}" << "}abc";
    }

    void uidAndValue()
    {
        QFETCH(QString, input);
        QFETCH(QString, uid);
        QFETCH(QString, value);
        QCOMPARE(OvrColorLibrary::UidAndValueToUid(input), uid);
        QCOMPARE(OvrColorLibrary::UidAndValueToValue(input), value);
    }

    void createGetRemove()
    {
        int added = 0;
        connect(lib, &OvrColorLibrary::addedColorToList, this, [&added](QModelIndex &list) {
            QCOMPARE(list.data().toString(), QStringLiteral("Stage"));
            ++added;
        });
        const OvrColor red = OvrColor::fromRgb8(255, 0, 0);
        const QString uid = lib->createColor(red, QStringLiteral("Red"), QStringLiteral("Stage"), QString(),
                                             QStringLiteral("R1"));
        QVERIFY(uid.startsWith(QLatin1Char('{')) && uid.endsWith(QLatin1Char('}')));
        QCOMPARE(added, 1);
        QVERIFY(!lib->isUserList(QStringLiteral("Stage")));
        QCOMPARE(lib->get(uid), red);
        QVERIFY(lib->containsUid(uid));
        QCOMPARE(lib->pathOfUid(uid), QStringLiteral("Stage"));
        QCOMPARE(lib->getExposableUidFromUid(uid), uid + red.aName());

        const QModelIndex index = lib->getIndexOfUid(uid);
        QCOMPARE(index.row(), 0);
        QCOMPARE(index.parent(), lib->getIndexOfList(QStringLiteral("Stage")));
        QVERIFY(lib->isListIndex(index.parent()));
        QVERIFY(!lib->isUserListIndex(index.parent()));
        QCOMPARE(index.data().toString(), QStringLiteral("Red"));
        QCOMPARE(index.sibling(0, 1).data().toString(), QStringLiteral("R1"));
        QCOMPARE(index.data(OvrColorLibrary::UidRole).toString(), uid);
        QCOMPARE(index.data(OvrColorLibrary::ValueRole).toString(), red.aName());
        QCOMPARE(index.data(OvrColorLibrary::ColorIdRole).toString(), QStringLiteral("R1"));
        QCOMPARE(index.data(OvrColorLibrary::UserFlagRole).toInt(), 0);
        QCOMPARE(index.data(OvrColorLibrary::ItemKindRole).toInt(), int(OvrColorLibrary::ColorItem));
        QCOMPARE(*static_cast<const OvrColor *>(index.data(OvrColorLibrary::ColorPointerRole).value<void *>()), red);

        QVERIFY(lib->set(uid, Qt::blue));
        QCOMPARE(lib->getQColor(uid), QColor(Qt::blue));
        QVERIFY(lib->remove(uid));
        QVERIFY(!lib->get(uid).isValid());
        QVERIFY(!lib->getIndexOfUid(uid).isValid());
        QVERIFY(lib->pathOfUid(uid).isEmpty());
        QVERIFY(!lib->remove(uid));
    }

    void saveLoadRoundTrip()
    {
        struct Entry
        {
            QString list, name, colorId, origin;
            OvrColor color;
            QString uid = QString();
        };
        QVector<Entry> entries{
            {"Favs", "Warm red", "R-7", "Stage", OvrColor::fromRgb8(250, 10, 0, 255)},
            {"Favs", "North sky", "", "", OvrColor::fromxyY(0.29902, 0.31485, 0.8)},
            {"Favs", "Fixture mix", "N-1", "", nChannelColor()},
            {"Favs", QString::fromUtf8("Grün, \"hell\" <&>"), "", "", OvrColor::fromRgb8(0, 255, 0, 128)},
            {OvrColorLibrary::explicitColorsListName(), "", "", "", OvrColor::fromRgb8(1, 2, 3)},
        };
        lib->createColorList(QStringLiteral("Favs"), true);
        for (Entry &e : entries)
            e.uid = lib->createColor(e.color, e.name, e.list, e.origin, e.colorId);
        // Never written: preset lists and the project's swatches.
        lib->createColor(Qt::red, QStringLiteral("Red"), QStringLiteral("Stage"));
        lib->createColor(Qt::red, QStringLiteral("Red"), OvrColorLibrary::projectSwatchesListName());

        QCOMPARE(listsInFile(userFile),
                 (QStringList{OvrColorLibrary::explicitColorsListName(), QStringLiteral("Favs")}));

        restart();
        QCOMPARE(lib->getListNames(),
                 (QStringList{OvrColorLibrary::explicitColorsListName(), OvrColorLibrary::projectSwatchesListName(),
                              QStringLiteral("Favs")}));
        QVERIFY(lib->isUserList(QStringLiteral("Favs")));
        for (const Entry &e : qAsConst(entries)) {
            QCOMPARE(lib->pathOfUid(e.uid), e.list);
            QCOMPARE(lib->getColorName(e.uid), e.name);
            QCOMPARE(lib->getColorId(e.uid), e.colorId);
            QCOMPARE(lib->getOriginatingPreset(e.uid), e.origin);
            QCOMPARE(lib->get(e.uid).aName(), e.color.aName());
            QCOMPARE(lib->get(e.uid).spec(), e.color.spec());
        }
        QCOMPARE(lib->getColorUids(QStringLiteral("Favs")).size(), 4);
    }

    void hostileDocuments_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QStringList>("lists");     // after "Explicit Colors" and "Project Swatches"
        QTest::addColumn<QList<int>>("colorCounts");
        // Rows named "broken: ..." are not well-formed XML: read up to the fault, with a warning.
        const QByteArray red = colorElement("Red");
        QTest::newRow("broken: tail") << "<L><ColorLibrary name=\"A\">" + red + "</ColorLibrary><ColorLibrary name=\"B\"><Co"
                                     << QStringList{"A", "B"} << QList<int>{1, 0};
        QTest::newRow("no name") << "<ColorLibrary isUserLibrary=\"1\">" + red + "</ColorLibrary>" << QStringList{""}
                                 << QList<int>{1};
        QTest::newRow("same names") << "<L><ColorLibrary name=\"A\">" + red + "</ColorLibrary><ColorLibrary name=\"A\">"
                + red + red + "</ColorLibrary></L>"
                                    << QStringList{"A", "A 2"} << QList<int>{1, 2};
        QTest::newRow("other children") << "<ColorLibrary name=\"A\"><x/>" + red + "<y>" + red + "</y>" + red
                + "</ColorLibrary>"
                                        << QStringList{"A"} << QList<int>{2};
        QTest::newRow("one uid twice") << "<ColorLibrary name=\"A\">" + colorElement("a", "{1}") + colorElement("b", "{1}")
                + "</ColorLibrary>"
                                       << QStringList{"A"} << QList<int>{2};
        QTest::newRow("broken: control character reference")
            << "<ColorLibrary name=\"A\">" + colorElement("x&#1;y") + "</ColorLibrary>" << QStringList{"A"}
            << QList<int>{0};
        QByteArray deep = QByteArray("<a>").repeated(100000) + "<ColorLibrary name=\"deep\">" + red + "</ColorLibrary>"
            + QByteArray("</a>").repeated(100000);
        QTest::newRow("deeply nested") << deep << QStringList{"deep"} << QList<int>{1};
        QByteArray many = "<ColorLibrary name=\"many\">" + red.repeated(100000) + "</ColorLibrary>";
        QTest::newRow("100000 colours") << many << QStringList{"many"} << QList<int>{100000};
        QTest::newRow("broken: entity expansion")
            << QByteArray("<!DOCTYPE L [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                          "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
                          "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
                          "<ColorLibrary name=\"&f;\"/>")
            << QStringList() << QList<int>();
        QTest::newRow("broken: not xml") << QByteArray("\x00\xff\xfe garbage", 12) << QStringList() << QList<int>();
    }

    void hostileDocuments()
    {
        QFETCH(QByteArray, document);
        QFETCH(QStringList, lists);
        QFETCH(QList<int>, colorCounts);
        const QString path = QDir::temp().filePath(QStringLiteral("hostile.xml"));
        writeFile(path, document);
        if (QByteArray(QTest::currentDataTag()).startsWith("broken"))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("is not well-formed")));
        lib->loadUserColors(path);
        QFile::remove(path);
        QCOMPARE(lib->getListNames().mid(2), lists);
        for (int i = 0; i < lists.size(); ++i)
            QCOMPARE(lib->getColorUids(lists.at(i)).size(), colorCounts.at(i));
    }

    void readerErrorTexts_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("error");
        QTest::newRow("fine") << "<ColorLibrary name=\"A\">" + colorElement("a") + "</ColorLibrary>" << "";
        QTest::newRow("no colours") << QByteArray("<ColorLibrary name=\"A\"><x/></ColorLibrary>")
                                    << "Found NULL OvrColorLibrary element";
        QTest::newRow("other child first") << "<ColorLibrary name=\"A\"><x/>" + colorElement("a") + "</ColorLibrary>"
                                           << "Expected OvrColorLibrary element";
    }

    void readerErrorTexts()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, error);
        QBuffer buffer(&document);
        buffer.open(QIODevice::ReadOnly);
        QDomDocument dom;
        QVERIFY(Zeplo3ProjectHelper::readDocument(&buffer, dom));
        Zeplo3ProjectHelper helper;
        QSignalSpy lists(&helper, &Zeplo3ProjectHelper::insertList);
        QString text;
        QStringList oldPresets;
        helper.loadDocument(dom, text, 1.0, oldPresets);
        QCOMPARE(text, error);
        QCOMPARE(lists.count(), 1);

        // The same from the streaming reader the library uses.
        buffer.seek(0);
        text.clear();
        QVERIFY(helper.loadDevice(&buffer, text, 1.0, oldPresets));
        QCOMPARE(text, error);
        QCOMPARE(lists.count(), 2);
    }

    void unsafeTextSavedReadable()
    {
        lib->createColorList(QStringLiteral("Favs"), true);
        const QString uid = lib->createColor(Qt::red, QStringLiteral("a\x01z\x1f") + QChar(0xFFFE) + QChar(0xD800),
                                             QStringLiteral("Favs"));
        restart();
        QCOMPARE(lib->getColorName(uid), QStringLiteral("az"));
    }

    void unreadableUserFileKeptAside()
    {
        const QByteArray broken = "<ColorLibraryList><ColorLibrary isUserLibrary=\"1\" name=\"Favs\">"
            + colorElement("a", "{a}") + "</ColorLibrary><ColorLibrary name=\"Lost";
        writeFile(userFile, broken);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("is not well-formed")));
        restart();
        QCOMPARE(lib->get(QStringLiteral("{a}")).isValid(), true);
        const QStringList copies =
            QDir(QFileInfo(userFile).absolutePath()).entryList({QStringLiteral("userColors.xml.unreadable-*")});
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readFile(QFileInfo(userFile).absolutePath() + QLatin1Char('/') + copies.first()), broken);
    }

    void failedWriteKeepsPreviousFile()
    {
        lib->createColorList(QStringLiteral("Favs"), true);
        lib->createColor(Qt::red, QStringLiteral("Red"), QStringLiteral("Favs"));
        const QByteArray before = readFile(userFile);
        QVERIFY(!before.isEmpty());

        // A file size limit below the next document fails the write half-way,
        // as a full disk would (root ignores a read-only folder).
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit limited = saved;
        limited.rlim_cur = rlim_t(before.size() + 200);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        QSignalSpy savedSpy(lib, &OvrColorLibrary::userColorsSaved);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot write")));
        lib->setEditingMultipleColors(true);
        for (int i = 0; i < 50; ++i)
            lib->createColor(Qt::green, QStringLiteral("Green %1").arg(i), QStringLiteral("Favs"));
        lib->setEditingMultipleColors(false);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(savedSpy.count(), 1);
        QCOMPARE(savedSpy.at(0).at(0).toBool(), false);
        QCOMPARE(readFile(userFile), before);
        QCOMPARE(QDir(QFileInfo(userFile).absolutePath()).entryList(QDir::Files), QStringList{"userColors.xml"});
    }

    void presetsAreReadOnly()
    {
        lib->loadPresetFiles();
        QVERIFY(lib->containsList(QStringLiteral("Architectural Whites")));
        QVERIFY(lib->containsList(QStringLiteral("Stage Colors")));
        QCOMPARE(lib->getModifiableLists(),
                 (QStringList{OvrColorLibrary::explicitColorsListName(), OvrColorLibrary::projectSwatchesListName()}));
        const QModelIndex whites = lib->getIndexOfList(QStringLiteral("Architectural Whites"));
        QVERIFY(!lib->isUserListIndex(whites));
        QVERIFY(lib->rowCount(whites) >= 8);
        const QModelIndex first = lib->index(0, 0, whites);
        QVERIFY(!(lib->flags(first) & Qt::ItemIsEditable));
        QCOMPARE(lib->colorAt(first).spec(), OvrColor::Yxy);
        QVERIFY(lib->rowCount(lib->getIndexOfList(QStringLiteral("Stage Colors"))) >= 12);
        QVERIFY(!QFile::exists(userFile));
    }

    void flagsFollowCapabilities()
    {
        const QString translucent = lib->createExplicitColor(OvrColor::fromRgb8(1, 2, 3, 100));
        const QString channels = lib->createExplicitColor(nChannelColor());
        const QModelIndex list = lib->getIndexOfList(OvrColorLibrary::explicitColorsListName());
        QCOMPARE(lib->flags(list) & Qt::ItemIsDragEnabled, Qt::ItemFlags());
        QVERIFY(lib->flags(list) & Qt::ItemIsEditable);
        QCOMPARE(lib->flags(lib->getIndexOfList(OvrColorLibrary::projectSwatchesListName())) & Qt::ItemIsEditable,
                 Qt::ItemFlags());
        QVERIFY(lib->flags(lib->getIndexOfUid(translucent)) & Qt::ItemIsSelectable);
        lib->setSupportsOpacity(false);
        lib->setSupportsNChannel(false);
        QCOMPARE(lib->flags(lib->getIndexOfUid(translucent)) & Qt::ItemIsSelectable, Qt::ItemFlags());
        QCOMPARE(lib->flags(lib->getIndexOfUid(channels)) & Qt::ItemIsSelectable, Qt::ItemFlags());
        QVERIFY(lib->flags(lib->getIndexOfUid(channels)) & Qt::ItemIsDragEnabled);
        QCOMPARE(lib->flags(QModelIndex()), Qt::NoItemFlags);
        QCOMPARE(lib->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Swatches"));
        QCOMPARE(lib->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Color ID"));
    }

    void mimeData()
    {
        lib->createColorList(QStringLiteral("Favs"), true);
        const OvrColor yxy = OvrColor::fromxyY(0.3127, 0.329, 1.0);
        const QString a = lib->createColor(Qt::red, QStringLiteral("Red"), QStringLiteral("Stage"), QString(),
                                           QStringLiteral("R1"));
        const QString b = lib->createColor(yxy, QStringLiteral("D65"), QStringLiteral("Favs"), QStringLiteral("Whites"));

        std::unique_ptr<QMimeData> one(lib->mimeData({lib->getIndexOfUid(a)}));
        QCOMPARE(one->data(OvrColorLibrary::colorMimeType()), OvrColor(Qt::red).aName().toLatin1());
        QCOMPARE(one->data(OvrColorLibrary::nameMimeType()), QByteArray("Red"));
        QCOMPARE(one->data(OvrColorLibrary::vendorIdMimeType()), QByteArray("R1"));
        QCOMPARE(OvrColorLibrary::getOriginatingPresetFromMimeData(one.get()), QStringLiteral("Stage"));
        QCOMPARE(one->text(), lib->getExposableUidFromUid(a));

        const QModelIndex ia = lib->getIndexOfUid(a), ib = lib->getIndexOfUid(b);
        std::unique_ptr<QMimeData> two(lib->mimeData({ia, ia.sibling(ia.row(), 1), ib}));
        QCOMPARE(two->data(OvrColorLibrary::colorMimeType()), (OvrColor(Qt::red).aName() + ',' + yxy.aName()).toLatin1());
        QCOMPARE(two->data(OvrColorLibrary::nameMimeType()), QByteArray("Red,D65"));
        QCOMPARE(two->data(OvrColorLibrary::originatingPresetMimeType()), QByteArray("Stage,Whites"));
        QCOMPARE(two->data(OvrColorLibrary::entriesMimeType()),
                 "[{\"name\":\"Red\",\"originatingPreset\":\"Stage\",\"value\":\"" + OvrColor(Qt::red).aName().toLatin1()
                     + "\",\"vendorId\":\"R1\"},{\"name\":\"D65\",\"originatingPreset\":\"Whites\",\"value\":\""
                     + yxy.aName().toLatin1() + "\",\"vendorId\":\"\"}]");
        QStringList uids;
        QCOMPARE(OvrColorLibrary::colorsFromMimeData(two.get(), &uids), (QVector<OvrColor>{Qt::red, yxy}));
        QCOMPARE(uids, (QStringList{QString(), QString()}));

        QMimeData strip;
        strip.setData(OvrColorLibrary::luxeplotMimeType(), (lib->getExposableUidFromUid(b) + ",#00ff00").toUtf8());
        QCOMPARE(OvrColorLibrary::colorsFromMimeData(&strip, &uids), (QVector<OvrColor>{yxy, OvrColor(Qt::green)}));
        QCOMPARE(uids, (QStringList{b, QString()}));

        // Drops copy into user lists only, with names and origins.
        QVERIFY(!lib->dropMimeData(two.get(), Qt::CopyAction, -1, 0, lib->getIndexOfList(QStringLiteral("Stage"))));
        const QModelIndex favs = lib->getIndexOfList(QStringLiteral("Favs"));
        QVERIFY(lib->dropMimeData(two.get(), Qt::CopyAction, 0, 0, favs));
        QCOMPARE(lib->rowCount(favs), 3);
        QCOMPARE(lib->index(0, 0, favs).data().toString(), QStringLiteral("Red"));
        QCOMPARE(lib->index(0, 0, favs).data(OvrColorLibrary::OriginatingPresetRole).toString(), QStringLiteral("Stage"));
        QCOMPARE(lib->index(1, 0, favs).data(OvrColorLibrary::OriginatingPresetRole).toString(), QStringLiteral("Whites"));
        QCOMPARE(lib->colorAt(lib->index(1, 0, favs)), yxy);
    }

    void getName_data()
    {
        QTest::addColumn<QString>("uidAndValue");
        QTest::addColumn<int>("descriptor");
        QTest::addColumn<QString>("expected");
        const QString unknown = QStringLiteral("{nope}") + OvrColor::fromRgb8(0, 0, 255).aName();
        QTest::newRow("library name") << "known" << 0 << "Known";
        QTest::newRow("explicit colour by value") << "{nope}" + OvrColor::fromRgb8(9, 9, 9).aName() << 0 << "Nine";
        QTest::newRow("none") << unknown << 0 << "";
        QTest::newRow("uid and value") << unknown << 1 << unknown;
        QTest::newRow("short name") << unknown << 2 << OvrColor::fromRgb8(0, 0, 255).name8();
        QTest::newRow("n-channel name") << "{nope}" + nChannelColor().aName() << 2 << nChannelColor().nameFull8();
    }

    void getName()
    {
        QFETCH(QString, uidAndValue);
        QFETCH(int, descriptor);
        QFETCH(QString, expected);
        const QString known = lib->createColor(Qt::red, QStringLiteral("Known"), QStringLiteral("Stage"));
        lib->createExplicitColor(OvrColor::fromRgb8(9, 9, 9), QStringLiteral("Nine"));
        if (uidAndValue == QLatin1String("known"))
            uidAndValue = lib->getExposableUidFromUid(known);
        QCOMPARE(lib->getName(uidAndValue, OvrColorLibrary::ColorDescriptor(descriptor)), expected);
    }

    void suggestedName_data()
    {
        QTest::addColumn<OvrColor>("color");
        QTest::addColumn<bool>("byUid");
        QTest::addColumn<bool>("emptyLibrary");
        QTest::addColumn<QString>("expected");
        const OvrColor chosen = OvrColor::fromRgb8(3, 77, 201);
        QTest::newRow("from the library: its name") << OvrColor::fromRgb8(10, 10, 10) << true << false << "Chosen Blue";
        QTest::newRow("same value") << chosen << false << false << "Chosen Blue";
        QTest::newRow("nearest named") << OvrColor::fromRgb8(5, 78, 199) << false << false << "Chosen Blue";
        QTest::newRow("nothing named: hex") << chosen << false << true << "#034dc9";
        QTest::newRow("invalid") << OvrColor() << false << false << "";
    }

    void suggestedName()
    {
        QFETCH(OvrColor, color);
        QFETCH(bool, byUid);
        QFETCH(bool, emptyLibrary);
        QFETCH(QString, expected);
        if (emptyLibrary) {
            OvrColorLibrary::cleanup();
            lib = OvrColorLibrary::Instance();
        }
        const QString uid = emptyLibrary ? QString()
                                         : lib->createColor(OvrColor::fromRgb8(3, 77, 201), QStringLiteral("Chosen Blue"),
                                                            QStringLiteral("Stage"));
        QCOMPARE(lib->suggestedName(color, byUid ? uid : QString()), expected);
    }

    void newSwatchFromUid()
    {
        const QString source = lib->createColor(Qt::red, QStringLiteral("Red"), QStringLiteral("Stage"), QString(),
                                                QStringLiteral("R1"));
        lib->createColorList(QStringLiteral("Favs"), true);
        const QString first = lib->createNewSwatchUidFromUid(source, QStringLiteral("Favs"));
        const QString second = lib->createNewSwatchUidFromUid(source, QStringLiteral("Favs"));
        QCOMPARE(lib->getColorName(first), QStringLiteral("Red"));
        QCOMPARE(lib->getColorName(second), QStringLiteral("Red 2"));
        QCOMPARE(lib->getOriginatingPreset(second), QStringLiteral("Stage"));
        QCOMPARE(lib->getColorId(second), QStringLiteral("R1"));
        QCOMPARE(lib->get(second), OvrColor(Qt::red));
        QVERIFY(lib->createNewSwatchUidFromUid(QStringLiteral("{unknown}"), QStringLiteral("Favs")).isEmpty());
    }

    void oldPresets()
    {
        QByteArray colors;
        for (int i = 0; i < 14; ++i)
            colors += colorElement(QByteArray::number(i), "{old" + QByteArray::number(i) + "}");
        writeFile(userFile, "<ColorLibraryList><ColorLibrary isUserLibrary=\"1\" name=\"\">" + colors
                      + "</ColorLibrary></ColorLibraryList>");
        restart();
        QCOMPARE(lib->oldPresets().size(), 12);
        QCOMPARE(lib->getIndexOfUid(QStringLiteral("{old0}")).data(OvrColorLibrary::ItemKindRole).toInt(),
                 int(OvrColorLibrary::OldPresetColorItem));
        QCOMPARE(lib->getIndexOfUid(QStringLiteral("{old12}")).data(OvrColorLibrary::ItemKindRole).toInt(),
                 int(OvrColorLibrary::ColorItem));
        lib->clearOldPresets();
        QVERIFY(lib->oldPresets().isEmpty());
        QCOMPARE(lib->getColorUids(QString()), (QStringList{"{old12}", "{old13}"}));
    }

    void modelTester()
    {
        QAbstractItemModelTester tester(lib, QAbstractItemModelTester::FailureReportingMode::QtTest);
        lib->loadPresetFiles();
        lib->createColorList(QStringLiteral("Favs"), true);
        const QString red = lib->createColor(Qt::red, QStringLiteral("Red"), QStringLiteral("Favs"));
        lib->createColor(nChannelColor(), QStringLiteral("Mix"), QStringLiteral("Favs"));
        lib->createExplicitColor(Qt::blue);
        const QModelIndex favs = lib->getIndexOfList(QStringLiteral("Favs"));
        QVERIFY(lib->insertRows(1, 2, favs));
        QVERIFY(lib->insertRows(0, 1));
        QVERIFY(lib->setData(lib->getIndexOfUid(red), QStringLiteral("Crimson")));
        QVERIFY(lib->rename(QStringLiteral("Favs"), QStringLiteral("Favourites"), false));
        QVERIFY(!lib->rename(QStringLiteral("Favourites"), QStringLiteral("Stage Colors"), false));
        QVERIFY(lib->set(red, Qt::darkRed));
        QVERIFY(lib->removeRows(1, 2, lib->getIndexOfList(QStringLiteral("Favourites"))));
        QCOMPARE(lib->getIndexOfUid(red).row(), 0);
        QCOMPARE(lib->index(1, 0, lib->getIndexOfList(QStringLiteral("Favourites"))).data().toString(),
                 QStringLiteral("Mix"));
        lib->clear(QStringLiteral("Stage Colors"));
        QVERIFY(lib->removeColorList(QStringLiteral("Architectural Whites")));
        QVERIFY(lib->removeRows(0, 1));
        QCOMPARE(lib->getColorName(red), QStringLiteral("Crimson"));
    }

    void userListNamedLikeProjectSwatchesSaved()
    {
        // A program without project swatches reading a file that has a user
        // list of that name keeps it, and reading the user file again adds nothing.
        OvrColorLibrary::cleanup();
        lib = OvrColorLibrary::Instance();
        lib->init(false, true, true);
        lib->loadUserColors();
        const QString name = OvrColorLibrary::projectSwatchesListName();
        lib->createColorList(name, true);
        lib->createColor(Qt::red, QStringLiteral("Red"), name);
        QVERIFY(lib->isUserListIndex(lib->getIndexOfList(name)));
        QVERIFY(listsInFile(userFile).contains(name));
        lib->loadUserColors();
        QCOMPARE(lib->getListNames(), (QStringList{OvrColorLibrary::explicitColorsListName(), name}));
    }

    void batchWritesOnce()
    {
        QSignalSpy saved(lib, &OvrColorLibrary::userColorsSaved);
        lib->setEditingMultipleColors(true);
        lib->createColorList(QStringLiteral("Batch"), true);
        for (int i = 0; i < 10; ++i)
            lib->createColor(Qt::green, QString::number(i), QStringLiteral("Batch"));
        QCOMPARE(saved.count(), 0);
        QVERIFY(!QFile::exists(userFile));
        lib->setEditingMultipleColors(false);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.at(0).at(0).toBool(), true);
        lib->setEditingMultipleColors(false);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(listsInFile(userFile).count(QStringLiteral("Batch")), 1);
    }
};

QTEST_GUILESS_MAIN(tst_OvrColorLibrary)
#include "tst_ovrcolorlibrary.moc"
