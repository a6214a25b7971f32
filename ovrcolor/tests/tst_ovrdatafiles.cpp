// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrdatafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_OvrDataFiles : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void locate_data();
    void locate();
    void runningProgram();

private:
    void touch(const QString &path);
    std::unique_ptr<QTemporaryDir> m_root;
};

void tst_OvrDataFiles::init()
{
    // root/bin holds the program; root/share/keypadmgr the installed data.
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QVERIFY(QDir(m_root->path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(m_root->path()).mkpath(QStringLiteral("share/keypadmgr")));
}

void tst_OvrDataFiles::touch(const QString &path)
{
    const QString full = m_root->filePath(path);
    QVERIFY(QDir().mkpath(QFileInfo(full).absolutePath()));
    QFile file(full);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void tst_OvrDataFiles::locate_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("expected");

    QTest::newRow("beside only") << QStringList{"bin/defaultConfiguration.xml"}
                                 << "defaultConfiguration.xml" << "bin/defaultConfiguration.xml";
    QTest::newRow("installed only") << QStringList{"share/keypadmgr/FixtureProfiles.xml"}
                                    << "FixtureProfiles.xml" << "share/keypadmgr/FixtureProfiles.xml";
    QTest::newRow("beside wins") << QStringList{"bin/FixtureProfiles.xml", "share/keypadmgr/FixtureProfiles.xml"}
                                 << "FixtureProfiles.xml" << "bin/FixtureProfiles.xml";
    QTest::newRow("nested file") << QStringList{"share/keypadmgr/help/guide.pdf"}
                                 << "help/guide.pdf" << "share/keypadmgr/help/guide.pdf";
    QTest::newRow("folder") << QStringList{"share/keypadmgr/Presets/a.ovrcolors"}
                            << "Presets" << "share/keypadmgr/Presets";
    QTest::newRow("missing names the place beside") << QStringList{}
                                                    << "help/guide.pdf" << "bin/help/guide.pdf";
}

void tst_OvrDataFiles::locate()
{
    QFETCH(QStringList, present);
    QFETCH(QString, asked);
    QFETCH(QString, expected);
    for (const QString &path : present)
        touch(path);
    QCOMPARE(OvrDataFiles::locate(asked, m_root->filePath(QStringLiteral("bin"))), m_root->filePath(expected));
}

void tst_OvrDataFiles::runningProgram()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    QCOMPARE(OvrDataFiles::searchFolders().constFirst(), programDir);
    QCOMPARE(OvrDataFiles::searchFolders().constLast(),
             QDir::cleanPath(programDir + QStringLiteral("/" OVR_INSTALLED_DATA_DIR)));
}

QTEST_GUILESS_MAIN(tst_OvrDataFiles)
#include "tst_ovrdatafiles.moc"
