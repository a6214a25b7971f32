// SPDX-License-Identifier: GPL-3.0-or-later
//
// Starting in demo mode (keypadmgr --demo): the window is ready to edit
// offline scenes at once and sends no discovery request, with a keypad on
// the network that would answer one.

#include "mainwindow.h"
#include "mspcontrolpanelwidget.h"
#include "mspscenesettingswidget.h"
#include "programsettings.h"

#include "connectionstate.h"
#include "keypadtestbed.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "networkprefs.h"

#include <QAbstractButton>
#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

class tst_DemoStart : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startsInDemoModeWithoutDiscovery();
    void demoStartChecksNoUpdates();
    void updateCheckWaitsForFirstPaint();
    void secondStartWritesNoSettings();

private:
    int discoverRequests();

    std::unique_ptr<KeypadTestBed> m_bed;
    int m_keypad = -1;
};

void tst_DemoStart::initTestCase()
{
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
    m_keypad = m_bed->startSimulator();
    QVERIFY2(m_keypad >= 0, qPrintable(m_bed->errorString()));

    ProgramSettings::useForTest(KeypadTestBed::hostAddress());
}

int tst_DemoStart::discoverRequests()
{
    static const QRegularExpression field(QStringLiteral(" discovers=(\\d+) "));
    const QRegularExpressionMatch match = field.match(m_bed->command(m_keypad, QStringLiteral("status")));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

void tst_DemoStart::startsInDemoModeWithoutDiscovery()
{
    QCOMPARE(discoverRequests(), 0);
    MainWindow window;
    window.startInDemoMode();
    window.show();

    ConnectionState *state = ConnectionState::instance();
    QCOMPARE(state->state(), ConnectionState::DemoMode);
    QVERIFY(window.sceneSettings()->isEnabled());
    // The scene being edited is the lit one.
    QVERIFY(window.controlPanel()->findChild<QAbstractButton *>(QStringLiteral("scene1Button"))->isChecked());
    QVERIFY(!window.controlPanel()->findChild<QFrame *>(QStringLiteral("overlay"))->isVisible());
    MSPSceneModel *model = MSPSceneModel::instance();
    for (int i = 0; i < MSPSceneModel::sceneCount; ++i)
        QVERIFY(model->sceneAt(i)->effect());

    // Well past the moment the start-up discovery would have gone out.
    QTest::qWait(MainWindow::startupDiscoveryDelay + MainWindow::discoveryTimeLimit + 1500);
    QCOMPARE(state->state(), ConnectionState::DemoMode);
    QCOMPARE(discoverRequests(), 0);

    // The keypad does hear a discovery the user asks for, so the count
    // above means something.
    QAction *discover = nullptr;
    const auto actions = window.findChildren<QAction *>();
    for (QAction *action : actions) {
        if (action->text() == QLatin1String("Discover Device"))
            discover = action;
    }
    QVERIFY(discover);
    discover->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(discoverRequests() > 0, 10000);
}

void tst_DemoStart::demoStartChecksNoUpdates()
{
    // A first start, so an update check is due.
    QSettings settings;
    settings.setValue(QStringLiteral("update_never_check"), false);
    settings.remove(QStringLiteral("update_last_check"));
    {
        MainWindow window;
        window.startInDemoMode();
        window.show();
        QTest::qWait(200);
        QVERIFY(!window.updateChecker());
    }
    // Without demo mode the same start does check, so the above means something.
    {
        MainWindow window;
        window.show();
        QTRY_VERIFY(window.updateChecker());
    }
    settings.setValue(QStringLiteral("update_never_check"), true);
}

void tst_DemoStart::updateCheckWaitsForFirstPaint()
{
    MainWindow window;
    // As the program does between building the window and showing it: no
    // name lookup may delay the window.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QVERIFY(!window.updateChecker());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.updateChecker());
}

void tst_DemoStart::secondStartWritesNoSettings()
{
    const QString path = QSettings().fileName();
    const auto startAndQuit = [] {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The update check starts after the first paint.
        QTRY_VERIFY(window.updateChecker());
    };
    const auto content = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // A first start may store what it found; the second one finds it stored.
    startAndQuit();
    const QDateTime written = QFileInfo(path).lastModified();
    const QByteArray before = content();
    QVERIFY(!before.isEmpty());
    QTest::qWait(50);
    startAndQuit();
    QCOMPARE(QFileInfo(path).lastModified(), written);
    QCOMPARE(content(), before);
}

QTEST_MAIN(tst_DemoStart)
#include "tst_demostart.moc"
