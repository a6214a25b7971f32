// SPDX-License-Identifier: GPL-3.0-or-later
#include <ovrcolorlibrary.h>
#include <zeplo3projecthelper.h>

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
