// SPDX-License-Identifier: GPL-3.0-or-later
//
// The start-up update check must never hold up the program while the
// desktop's secret store is asked for the proxy password. Its own process:
// the store is asked once per run.

#include "proxypasswordstore.h"
#include "testhttpserver.h"
#include "updatechecker.h"

#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

class tst_ProxyPasswordStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
        QCoreApplication::setApplicationName(QStringLiteral("Lumetra Keypad Effect Manager"));
        // The tests' session bus address names no bus: no secret store answers.
        QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), QByteArrayLiteral("disabled:"));
    }

    void startUpCheckDoesNotWaitForTheStore()
    {
        TestHttpServer proxy;
        QVERIFY(proxy.listen());
        // This very version: nothing to offer.
        proxy.setResponse(QByteArrayLiteral("/software/OvrAppVersions.xml"),
                          QByteArrayLiteral("<?xml version=\"1.0\"?>\n<Applications><Application name=\"Lumetra Keypad "
                                            "Effect Manager\"><OS name=\"Windows\"><Release type=\"Gold\"><Major>1</Major>"
                                            "<Minor>3</Minor><Rev>0</Rev><Build>20131127</Build><URL>http://example.test/dl"
                                            "</URL></Release></OS></Application></Applications>\n"));
        {
            QSettings settings;
            settings.clear();
            settings.setValue(QStringLiteral("use_proxy"), true);
            settings.setValue(QStringLiteral("proxy_host"), QStringLiteral("127.0.0.1"));
            settings.setValue(QStringLiteral("proxy_port"), int(proxy.port()));
            settings.setValue(QStringLiteral("proxy_user"), QStringLiteral("site"));
        }
        UpdateChecker checker;
        checker.setUpForThisProgram(QStringLiteral("updates.example.invalid"));
        checker.setInteractive(false);
        QSignalSpy reset(&checker, &UpdateChecker::updateLabelShouldReset);

        checker.checkForUpdateIfNecessary();
        // Back at once: the store has not answered, nothing has gone out yet.
        QCOMPARE(ProxyPasswordStore::instance()->storage(), ProxyPasswordStore::NotYetKnown);
        QVERIFY(!checker.isCheckPending());
        QVERIFY(proxy.requestLines().isEmpty());

        // Once it has, the check goes out through the proxy.
        QVERIFY(reset.wait(15000));
        QCOMPARE(ProxyPasswordStore::instance()->storage(), ProxyPasswordStore::ThisRunOnly);
        QCOMPARE(proxy.requestLines(),
                 QList<QByteArray>{"GET http://updates.example.invalid/software/OvrAppVersions.xml HTTP/1.1"});
    }
};

QTEST_MAIN(tst_ProxyPasswordStore)
#include "tst_proxypasswordstore.moc"
