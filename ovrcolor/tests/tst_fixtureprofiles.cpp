// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrdatafiles.h"
#include "colorutils.h"
#include "debugmessages.h"
#include "iomode.h"
#include "iomodefactory.h"
#include "ovrcolor.h"
#include "prismalprofile.h"
#include "prismalprofilefactory.h"
#include "tristimulus.h"
#include "tristimulusfactory.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>

using CU = ColorUtils;
using ModeList = QList<CU::IOModeID>;
using PrismalList = QList<CU::PrismalMode>;
Q_DECLARE_METATYPE(ModeList)
Q_DECLARE_METATYPE(PrismalList)

namespace {

// The test's data files. QFINDTESTDATA resolves a relative __FILE__ (as a
// compiler cache with a base folder makes it) against the top build folder,
// and misses; the test helper names the source folder.
QString testData(const char *name)
{
    const QString source = qEnvironmentVariable("KEYPAD_SOURCE_DIR");
    if (!source.isEmpty())
        return source + QStringLiteral("/ovrcolor/tests/") + QLatin1String(name);
    return QFINDTESTDATA(name);
}

QVector<double> xOf(CU::PrismalProfileID profile, CU::ChannelConfiguration configuration)
{
    return TristimulusFactory::getInstance()->getTristimulus(profile, configuration)->getX();
}
} // namespace

class tst_FixtureProfiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void profiles_data();
    void profiles();
    void profileLists();
    void unknownIds();
    void ioModes_data();
    void ioModes();
    void defaultTristimulus_data();
    void defaultTristimulus();
    void gamut();
    void startupDatabase();
    void overrideFile();
    void badIndex();
    void incompleteProfiles();
    void malformedFile();
    void missingFile();
};

void tst_FixtureProfiles::initTestCase()
{
    // The profile reader's debug lines are checked; the test environment
    // switches debug output off, so the category is enabled here.
    DebugMessages::enable("ovrcolor");
}

void tst_FixtureProfiles::init()
{
    TristimulusFactory::getInstance()->restoreDefaults();
}

void tst_FixtureProfiles::profiles_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("configuration");
    QTest::addColumn<int>("curve");
    QTest::addColumn<ModeList>("modes");
    QTest::addColumn<int>("defaultMode");
    QTest::addColumn<int>("defaultMode3toN");
    QTest::addColumn<ModeList>("prismalOn");

    QTest::newRow("0") << 0 << "Generic RGB" << 1 << 0 << ModeList{CU::IOModeID(0)} << 0 << 0 << ModeList{};
    QTest::newRow("1") << 1 << "Kestrel/Kite QRZ" << 2 << 1 << ModeList{CU::IOModeID(0), CU::IOModeID(7), CU::IOModeID(3)}
                       << 7 << 7 << ModeList{CU::IOModeID(0), CU::IOModeID(7)};
    QTest::newRow("2") << 2 << "Veloria LumaBand" << 5 << 1
                       << ModeList{CU::IOModeID(0), CU::IOModeID(8), CU::IOModeID(4)} << 8 << 8
                       << ModeList{CU::IOModeID(0), CU::IOModeID(8), CU::IOModeID(4)};
    QTest::newRow("3") << 3 << "Generic RGBW" << 3 << 0 << ModeList{CU::IOModeID(2)} << 2 << 0 << ModeList{};
    QTest::newRow("4") << 4 << "Single Channel" << 4 << 0 << ModeList{CU::IOModeID(9)} << 9 << 9 << ModeList{};
    QTest::newRow("5") << 5 << "Fenwash LX6 RGBA" << 6 << 1
                       << ModeList{CU::IOModeID(0), CU::IOModeID(5), CU::IOModeID(1)} << 1 << 5
                       << ModeList{CU::IOModeID(0), CU::IOModeID(5), CU::IOModeID(1)};
    QTest::newRow("6") << 6 << "Fenwash LX6 RGBW" << 3 << 1
                       << ModeList{CU::IOModeID(0), CU::IOModeID(6), CU::IOModeID(2)} << 2 << 6
                       << ModeList{CU::IOModeID(0), CU::IOModeID(6), CU::IOModeID(2)};
    QTest::newRow("7") << 7 << "Marlspot RGB" << 1 << 1 << ModeList{CU::IOModeID(0)} << 0 << 0
                       << ModeList{CU::IOModeID(0)};
    QTest::newRow("8") << 8 << "Quillbar ZP2 RGBA" << 6 << 1
                       << ModeList{CU::IOModeID(0), CU::IOModeID(5), CU::IOModeID(1)} << 1 << 5
                       << ModeList{CU::IOModeID(0), CU::IOModeID(5), CU::IOModeID(1)};
    QTest::newRow("9") << 9 << "Quillbar ZP2 RGBW" << 3 << 1
                       << ModeList{CU::IOModeID(0), CU::IOModeID(6), CU::IOModeID(2)} << 2 << 6
                       << ModeList{CU::IOModeID(0), CU::IOModeID(6), CU::IOModeID(2)};
}

void tst_FixtureProfiles::profiles()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(int, configuration);
    QFETCH(int, curve);
    QFETCH(ModeList, modes);
    QFETCH(int, defaultMode);
    QFETCH(int, defaultMode3toN);
    QFETCH(ModeList, prismalOn);

    const auto pid = CU::PrismalProfileID(id);
    const PrismalProfile *profile = PrismalProfileFactory::instance()->getProfile(pid);
    QVERIFY(profile);
    QCOMPARE(profile->name(), name);
    QCOMPARE(int(profile->getChannelConfiguration()), configuration);
    QCOMPARE(profile->getDefaultOnboardCurve(), curve);
    QCOMPARE(profile->getAvailableIOModeIDs(), modes);
    QCOMPARE(int(profile->getDefaultIOModeID()), defaultMode);
    QCOMPARE(int(profile->getDefaultIOModeID3toN()), defaultMode3toN);
    QCOMPARE(profile->getChannelNames().size(), CU::configChannelCount(configuration) < 3 ? 3
                                                                                            : CU::configChannelCount(configuration));

    QCOMPARE(CU::prismalProfileIDName(pid), name);
    QCOMPARE(int(CU::nChannelConfigurationForPrismalProfileID(pid)), configuration);
    QCOMPARE(CU::defaultCurveTypeForPrismalProfileID(pid), curve);
    QCOMPARE(int(CU::defaultIOModeIDForPrismalProfileID(pid)), defaultMode);
    QCOMPARE(int(CU::defaultIOModeIDForPrismalProfileID3toN(pid)), defaultMode3toN);
    QCOMPARE(CU::ioModesForPrismalProfileID(pid), modes);
    for (int mode = 0; mode < CU::IOModeCount; ++mode) {
        const bool on = prismalOn.contains(CU::IOModeID(mode));
        QCOMPARE(profile->getDefaultIsPrismalEnabled(CU::IOModeID(mode)), on);
        QCOMPARE(CU::defaultPrismalEnabled(pid, CU::IOModeID(mode)), on ? 1 : 0);
    }
}

void tst_FixtureProfiles::profileLists()
{
    QCOMPARE(CU::prismalProfileIDList(false),
             QList<CU::PrismalProfileID>({CU::PrismalProfileID(0), CU::PrismalProfileID(1), CU::PrismalProfileID(2),
                                          CU::PrismalProfileID(5), CU::PrismalProfileID(6), CU::PrismalProfileID(7),
                                          CU::PrismalProfileID(8), CU::PrismalProfileID(9)}));
    QCOMPARE(CU::prismalProfileIDList(true).size(), 10);
    const QStringList names = CU::prismalProfileIDNameList(false);
    QCOMPARE(names.size(), 8);
    QCOMPARE(names.at(3), QStringLiteral("Fenwash LX6 RGBA"));
    const auto map = CU::prismalProfileIDNameMap();
    QCOMPARE(map.size(), 10);
    QCOMPARE(map.value(CU::ProfileSingleChannel), QStringLiteral("Single Channel"));
}

void tst_FixtureProfiles::unknownIds()
{
    const auto bad = CU::PrismalProfileID(12);
    QVERIFY(!PrismalProfileFactory::instance()->getProfile(bad));
    QCOMPARE(CU::prismalProfileIDName(bad), QString());
    QCOMPARE(CU::defaultPrismalEnabled(bad, CU::IOModeRGB), 0);
    QCOMPARE(CU::defaultCurveTypeForPrismalProfileID(bad), 0);
    QVERIFY(CU::ioModesForPrismalProfileID(bad).isEmpty());

    IOModeFactory *modes = IOModeFactory::instance();
    QVERIFY(!modes->ioMode(CU::IOModeID(10)));
    QCOMPARE(modes->nameForIOModeID(CU::IOModeID(-1)), QString());
    QVERIFY(!modes->ioModeIs3toN(CU::IOModeID(10)));
    QVERIFY(!modes->ioModeIsNtoN(CU::IOModeID(10)));
    QVERIFY(modes->availablePrismalEnabled(CU::IOModeID(10)).isEmpty());

    // A colour naming a profile without a table entry still converts.
    OvrColor c = OvrColor::fromRgb8(255, 0, 0);
    c.setPrismalProfileID(bad);
    QVERIFY(qAbs(c.getx() - 0.64) < 1e-6);
}

void tst_FixtureProfiles::ioModes_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("is3toN");
    QTest::addColumn<bool>("isNtoN");
    QTest::addColumn<int>("input");
    QTest::addColumn<PrismalList>("prismal");

    const PrismalList onOff{CU::PrismalOn, CU::PrismalOff};
    const PrismalList off{CU::PrismalOff};
    const PrismalList on{CU::PrismalOn};
    QTest::newRow("0") << 0 << "RGB In/Out" << true << true << 1 << onOff;
    QTest::newRow("1") << 1 << "RGBA In/Out" << false << true << 6 << onOff;
    QTest::newRow("2") << 2 << "RGBW In/Out" << false << true << 3 << onOff;
    QTest::newRow("3") << 3 << "RGBAW In/Out" << false << true << 2 << off;
    QTest::newRow("4") << 4 << "RGBWW In/Out" << false << true << 5 << onOff;
    QTest::newRow("5") << 5 << "RGB In / RGBA Out" << true << false << 1 << on;
    QTest::newRow("6") << 6 << "RGB In / RGBW Out" << true << false << 1 << on;
    QTest::newRow("7") << 7 << "RGB In / RGBAW Out" << true << false << 1 << on;
    QTest::newRow("8") << 8 << "RGB In / RGBWW Out" << true << false << 1 << on;
    QTest::newRow("9") << 9 << "Single Channel In/Out" << false << true << 4 << off;
}

void tst_FixtureProfiles::ioModes()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(bool, is3toN);
    QFETCH(bool, isNtoN);
    QFETCH(int, input);
    QFETCH(PrismalList, prismal);

    const IOMode *mode = IOModeFactory::instance()->ioMode(CU::IOModeID(id));
    QVERIFY(mode);
    QCOMPARE(int(mode->index()), id);
    QCOMPARE(mode->name(), name);
    QCOMPARE(mode->is3toN(), is3toN);
    QCOMPARE(mode->isNtoN(), isNtoN);
    QCOMPARE(int(mode->inputChannelConfiguration()), input);
    QCOMPARE(mode->availablePrismalEnabled(), prismal);
    QCOMPARE(IOModeFactory::instance()->nameForIOModeID(CU::IOModeID(id)), name);
}

void tst_FixtureProfiles::defaultTristimulus_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<int>("configuration");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QVector<double>>("X");

    const QString R = QStringLiteral("Red"), G = QStringLiteral("Green"), B = QStringLiteral("Blue");
    QTest::newRow("1") << 1 << 2 << QStringList{R, G, B, QStringLiteral("Amber"), QStringLiteral("White")}
                       << QVector<double>{11740, 1554, 5410, 5553, 6491};
    QTest::newRow("2") << 2 << 5 << QStringList{R, G, B, QStringLiteral("Mint"), QStringLiteral("White")}
                       << QVector<double>{510, 188, 181, 319, 334};
    QTest::newRow("0 as RGBW is key 3") << 0 << 3 << QStringList{R, G, B, QStringLiteral("White")}
                                        << QVector<double>{11740, 1554, 5410, 6491};
    QTest::newRow("0 as RGBAW is key 1") << 0 << 2
                                         << QStringList{R, G, B, QStringLiteral("Amber"), QStringLiteral("White")}
                                         << QVector<double>{11740, 1554, 5410, 5553, 6491};
    QTest::newRow("0 as RGBWW is key 2") << 0 << 5
                                         << QStringList{R, G, B, QStringLiteral("Mint"), QStringLiteral("White")}
                                         << QVector<double>{510, 188, 181, 319, 334};
    QTest::newRow("0 generic") << 0 << 1 << QStringList{R, G, B} << QVector<double>{0.4123152, 0.35765, 0.18025};
    QTest::newRow("4 generic") << 4 << 4 << QStringList{R, G, B} << QVector<double>{0.4123152, 0.35765, 0.18025};
    QTest::newRow("7") << 7 << 1 << QStringList{R, G, B} << QVector<double>{442.9544, 160.8801, 150};
    QTest::newRow("9") << 9 << 3 << QStringList{R, G, B, QStringLiteral("White")}
                       << QVector<double>{1241.8235, 531.2934, 402.7027, 870.3271};
}

void tst_FixtureProfiles::defaultTristimulus()
{
    QFETCH(int, profile);
    QFETCH(int, configuration);
    QFETCH(QStringList, names);
    QFETCH(QVector<double>, X);
    const Tristimulus *record = TristimulusFactory::getInstance()->getTristimulus(
        CU::PrismalProfileID(profile), CU::ChannelConfiguration(configuration));
    QCOMPARE(record->getChannelNames(), names);
    QCOMPARE(record->numChannels(), names.size());
    QCOMPARE(record->getX(), X);
    QCOMPARE(record->getY().size(), X.size());
    QCOMPARE(record->getZ().size(), X.size());
}

void tst_FixtureProfiles::gamut()
{
    const Tristimulus *record = TristimulusFactory::getInstance()->getTristimulus(CU::ProfileGenericRGB, CU::ConfigRGB);
    const QList<QPointF> corners = record->corners();
    QCOMPARE(corners.size(), 3);
    // Generic red, green, blue: (0.64, 0.33), (0.30, 0.60), (0.15, 0.06).
    QVERIFY(qAbs(corners.at(0).x() - 0.64) < 1e-5 && qAbs(corners.at(0).y() - 0.33) < 1e-5);
    QVERIFY(qAbs(corners.at(1).x() - 0.30) < 1e-5 && qAbs(corners.at(1).y() - 0.60) < 1e-5);
    QVERIFY(qAbs(corners.at(2).x() - 0.15) < 1e-5 && qAbs(corners.at(2).y() - 0.06) < 1e-5);

    double x = 0, y = 0;
    QVERIFY(record->inside(0.3127, 0.329));
    QVERIFY(record->closestPtOnGamut(0.3127, 0.329, x, y));
    QCOMPARE(x, 0.3127);
    QCOMPARE(y, 0.329);
    QVERIFY(!record->inside(0.7, 0.3));
    // Straight below the red-blue edge's end: the nearest point is the
    // blue corner.
    QVERIFY(!record->closestPtOnGamut(0.15, 0.0, x, y));
    QVERIFY(qAbs(x - corners.at(2).x()) < 1e-12);
    QVERIFY(qAbs(y - corners.at(2).y()) < 1e-12);
}

void tst_FixtureProfiles::startupDatabase()
{
    QCOMPARE(TristimulusFactory::profileDatabasePath(),
             OvrDataFiles::locate(QStringLiteral("FixtureProfiles.xml")));
}

void tst_FixtureProfiles::overrideFile()
{
    TristimulusFactory *factory = TristimulusFactory::getInstance();
    const double xBefore = OvrColor::fromRgb8(255, 0, 0, 255, CU::ProfileMarlspotRGB).getx();
    QVERIFY(factory->readProfileDatabase(testData("data/override.xml")));

    const Tristimulus *record = factory->getTristimulus(CU::ProfileMarlspotRGB, CU::ConfigRGB);
    // Channels are taken in position order, whatever order the file lists them.
    QCOMPARE(record->getX(), QVector<double>({440, 161, 150.5}));
    QCOMPARE(record->getY(), QVector<double>({200, 505, 90.25}));
    QCOMPARE(record->getZ(), QVector<double>({10, 92.5, 761}));
    QCOMPARE(record->getChannelNames(), QStringList({"Red", "Green", "Blue"}));
    // The profile table shares the record; the gamut is recalculated.
    QCOMPARE(PrismalProfileFactory::instance()->getProfile(CU::ProfileMarlspotRGB)->getTristimulus(), record);
    QVERIFY(qAbs(record->corners().at(0).x() - 440.0 / 650.0) < 1e-12);
    QVERIFY(OvrColor::fromRgb8(255, 0, 0, 255, CU::ProfileMarlspotRGB).getx() != xBefore);

    // Profile 3 shares its record with profile 0 asked for as RGBW.
    QCOMPARE(xOf(CU::ProfileGenericRGB, CU::ConfigRGBW), QVector<double>({1, 4, 7, 10}));
    QCOMPARE(factory->getTristimulus(CU::ProfileGenericRGBW, CU::ConfigRGBW)->getChannelNames(),
             QStringList({"R", "G", "B", "W"}));

    factory->restoreDefaults();
    QCOMPARE(xOf(CU::ProfileMarlspotRGB, CU::ConfigRGB), QVector<double>({442.9544, 160.8801, 150}));
}

void tst_FixtureProfiles::badIndex()
{
    QTest::ignoreMessage(QtDebugMsg, "invalid profile definition");
    QVERIFY(!TristimulusFactory::getInstance()->readProfileDatabase(testData("data/badindex.xml")));
    // The profile before the bad one stays applied; the one after is not read.
    QCOMPARE(xOf(CU::ProfileFenwashLX6RGBA, CU::ConfigRGBA), QVector<double>({500, 170, 165, 365}));
    QCOMPARE(xOf(CU::ProfileFenwashLX6RGBW, CU::ConfigRGBW), QVector<double>({490.1758, 167.1244, 162.222, 416.7922}));
}

void tst_FixtureProfiles::incompleteProfiles()
{
    QVERIFY(TristimulusFactory::getInstance()->readProfileDatabase(testData("data/incomplete.xml")));
    // Too few channels, unreadable or negative numbers, and the indices -1
    // and 10 leave the records alone; a good profile after them applies.
    QCOMPARE(xOf(CU::ProfileKestrelKiteQRZ, CU::ConfigRGBAW), QVector<double>({11740, 1554, 5410, 5553, 6491}));
    QCOMPARE(xOf(CU::ProfileMarlspotRGB, CU::ConfigRGB), QVector<double>({442.9544, 160.8801, 150}));
    QCOMPARE(xOf(CU::ProfileQuillbarZP2RGBW, CU::ConfigRGBW),
             QVector<double>({1241.8235, 531.2934, 402.7027, 870.3271}));
    QCOMPARE(xOf(CU::ProfileVeloriaLumaBand, CU::ConfigRGBWW), QVector<double>({500, 190, 180, 320, 330}));
}

void tst_FixtureProfiles::malformedFile()
{
    QVERIFY(!TristimulusFactory::getInstance()->readProfileDatabase(testData("data/malformed.xml")));
    QCOMPARE(xOf(CU::ProfileMarlspotRGB, CU::ConfigRGB), QVector<double>({1, 4, 7}));
    QCOMPARE(xOf(CU::ProfileQuillbarZP2RGBA, CU::ConfigRGBA),
             QVector<double>({1241.8235, 531.2934, 402.7027, 987.0858}));
}

void tst_FixtureProfiles::missingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QTest::ignoreMessage(QtDebugMsg, "could not open prismal profile database");
    QVERIFY(!TristimulusFactory::getInstance()->readProfileDatabase(dir.filePath(QStringLiteral("FixtureProfiles.xml"))));
    // The built-in values stay: profile 1 has its five named channels.
    const Tristimulus *record =
        TristimulusFactory::getInstance()->getTristimulus(CU::ProfileKestrelKiteQRZ, CU::ConfigRGBAW);
    QCOMPARE(record->getChannelNames(), QStringList({"Red", "Green", "Blue", "Amber", "White"}));
    QCOMPARE(record->getY(), QVector<double>({5160, 5817, 480, 4321, 6777}));
    QCOMPARE(record->getZ(), QVector<double>({0, 521, 32210, 55, 4092}));
}

QTEST_GUILESS_MAIN(tst_FixtureProfiles)
#include "tst_fixtureprofiles.moc"
