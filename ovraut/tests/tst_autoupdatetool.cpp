// SPDX-License-Identifier: GPL-3.0-or-later
#include "autoupdatetool.h"
#include "testhttpserver.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

using OvrCommonUtils::AutoUpdateTool;

namespace {

const QByteArray versionFilePath = QByteArrayLiteral("/software/OvrAppVersions.xml");
const QString appName = QStringLiteral("Lumetra Keypad Effect Manager");

// One Release element, written out as it appears on the server.
QByteArray release(const char *type, const char *major, const char *minor, const char *rev,
                   const char *build, const char *url)
{
    return QByteArray("<Release type=\"") + type + "\"><Major>" + major + "</Major><Minor>" + minor
           + "</Minor><Rev>" + rev + "</Rev><Build>" + build + "</Build><URL>" + url + "</URL></Release>";
}

QByteArray windowsApp(const QByteArray &releases, const char *name = "Lumetra Keypad Effect Manager")
{
    return QByteArray("<Application name=\"") + name + "\"><OS name=\"Windows\">" + releases + "</OS></Application>";
}

QByteArray applications(const QByteArray &content)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Applications>" + content + "</Applications>\n";
}

// Every signal of the tool as one line, in the order they came.
QStringList *recordSignals(AutoUpdateTool *tool)
{
    auto *log = new QStringList;
    QObject::connect(tool, &QObject::destroyed, [log] { delete log; });
    QObject::connect(tool, &AutoUpdateTool::fileDownloadSuccess, tool, [log] { log->append(QStringLiteral("success")); });
    QObject::connect(tool, &AutoUpdateTool::unableToRetrieveFile, tool, [log] { log->append(QStringLiteral("unable")); });
    QObject::connect(tool, &AutoUpdateTool::updateAvailable, tool,
                     [log](const QString &app, const QString &version, const QString &url) {
                         log->append(QStringLiteral("available|%1|%2|%3").arg(app, version, url));
                     });
    QObject::connect(tool, &AutoUpdateTool::noUpdateAvailable, tool, [log](const QString &app, const QString &version) {
        log->append(QStringLiteral("none|%1|%2").arg(app, version));
    });
    QObject::connect(tool, &AutoUpdateTool::updateLatestVersion, tool,
                     [log](const QString &app, uint major, uint minor, uint rev, uint build) {
                         log->append(QStringLiteral("latest|%1|%2.%3.%4.%5").arg(app).arg(major).arg(minor).arg(rev).arg(build));
                     });
    return log;
}

} // namespace

class tst_AutoUpdateTool : public QObject
{
    Q_OBJECT

private:
    // Serves @p file and downloads it into @p tool.
    bool download(AutoUpdateTool *tool, TestHttpServer *server, const QByteArray &file)
    {
        server->setResponse(versionFilePath, file);
        tool->setHost(server->hostAndPort());
        tool->setUpdateFile(QString::fromLatin1(versionFilePath));
        QSignalSpy success(tool, &AutoUpdateTool::fileDownloadSuccess);
        tool->getVersionInfo();
        return success.wait(15000);
    }

private slots:
    void releaseTypeToString_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("alpha") << 0u << "a";
        QTest::newRow("beta") << 1u << "b";
        QTest::newRow("rc") << 2u << "rc";
        QTest::newRow("gold") << 3u << "";
        QTest::newRow("just past gold") << 4u << "Unknown";
        QTest::newRow("largest") << 0xffffffffu << "Unknown";
    }
    void releaseTypeToString()
    {
        QFETCH(uint, type);
        QFETCH(QString, suffix);
        QCOMPARE(AutoUpdateTool::releaseTypeToString(type), suffix);
    }

    void initialState()
    {
        AutoUpdateTool tool;
        QCOMPARE(tool.property("host_name").toString(), QString());
        QCOMPARE(tool.property("update_file_name").toString(), QString());
        QVERIFY(!tool.isBusy());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(tool.getToolVersion()).hasMatch());

        // The five signals keep the order declared in ovraut/autoupdatetool.h.
        const QMetaObject *mo = tool.metaObject();
        const int first = mo->methodOffset();
        QCOMPARE(mo->method(first + 0).name(), QByteArray("fileDownloadSuccess"));
        QCOMPARE(mo->method(first + 1).name(), QByteArray("unableToRetrieveFile"));
        QCOMPARE(mo->method(first + 2).name(), QByteArray("updateAvailable"));
        QCOMPARE(mo->method(first + 3).name(), QByteArray("noUpdateAvailable"));
        QCOMPARE(mo->method(first + 4).name(), QByteArray("updateLatestVersion"));
    }

    void checkForUpdate_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<uint>("releaseType");
        QTest::addColumn<QList<uint>>("current");
        QTest::addColumn<QStringList>("expected");

        const QList<uint> shipped{1, 3, 0, 20131127};
        const QByteArray betaAndGold = applications(windowsApp(
            release("Beta", "1", "4", "0", "5", "http://example.test/beta")
            + release("Gold", "1", "3", "9", "9", "http://example.test/gold")));

        QTest::newRow("beta user gets the newer beta") << betaAndGold << 1u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.4.0.5",
                           "available|Lumetra Keypad Effect Manager|1.4.0 build 5b|http://example.test/beta"};
        QTest::newRow("gold user ignores the beta") << betaAndGold << 3u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.9.9",
                           "available|Lumetra Keypad Effect Manager|1.3.9 build 9|http://example.test/gold"};

        const QByteArray gold130 = applications(windowsApp(release("Gold", "1", "3", "0", "20131127", "http://example.test/130")));
        QTest::newRow("equal version") << gold130 << 3u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.20131127",
                           "none|Lumetra Keypad Effect Manager|1.3.0 build 20131127"};
        QTest::newRow("older running version") << gold130 << 3u << QList<uint>{1, 2, 9, 99999999}
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.20131127",
                           "available|Lumetra Keypad Effect Manager|1.3.0 build 20131127|http://example.test/130"};
        QTest::newRow("running version is newer") << gold130 << 3u << QList<uint>{1, 3, 1, 0}
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.20131127",
                           "none|Lumetra Keypad Effect Manager|1.3.1 build 0"};
        QTest::newRow("alpha user, equal gold: current text has its suffix") << gold130 << 0u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.20131127",
                           "none|Lumetra Keypad Effect Manager|1.3.0 build 20131127a"};
        QTest::newRow("build number decides")
            << applications(windowsApp(release("Gold", "1", "3", "0", "20131128", "u"))) << 3u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.20131128",
                           "available|Lumetra Keypad Effect Manager|1.3.0 build 20131128|u"};
        QTest::newRow("major outranks a huge build")
            << applications(windowsApp(release("Gold", "2", "0", "0", "0", "u"))) << 3u << QList<uint>{1, 9, 9, 4294967295u}
            << QStringList{"latest|Lumetra Keypad Effect Manager|2.0.0.0",
                           "available|Lumetra Keypad Effect Manager|2.0.0 build 0|u"};
        QTest::newRow("numbers compare unsigned")
            << applications(windowsApp(release("Gold", "1", "3", "0", "3000000000", "u"))) << 3u << QList<uint>{1, 3, 0, 2000000000u}
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.3000000000",
                           "available|Lumetra Keypad Effect Manager|1.3.0 build 3000000000|u"};
        QTest::newRow("rc release text")
            << applications(windowsApp(release("RC", "1", "4", "0", "1", "u"))) << 1u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.4.0.1",
                           "available|Lumetra Keypad Effect Manager|1.4.0 build 1rc|u"};
        QTest::newRow("same version as beta and gold: gold offered")
            << applications(windowsApp(release("Beta", "1", "4", "0", "5", "b") + release("Gold", "1", "4", "0", "5", "g")))
            << 1u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.4.0.5",
                           "available|Lumetra Keypad Effect Manager|1.4.0 build 5|g"};
        QTest::newRow("spaces around texts")
            << applications("<Application name=\"Lumetra Keypad Effect Manager\"><OS name=\"Windows\"><Release type=\"Gold\">"
                            "<Major> 1 </Major><Minor>\n4\n</Minor><Rev>0</Rev><Build>2</Build>"
                            "<URL>\n  http://example.test/x  \n</URL></Release></OS></Application>")
            << 3u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.4.0.2",
                           "available|Lumetra Keypad Effect Manager|1.4.0 build 2|http://example.test/x"};

        // First entry per key wins.
        QTest::newRow("duplicate release")
            << applications(windowsApp(release("Gold", "1", "3", "0", "20131127", "first")
                                       + release("Gold", "9", "0", "0", "0", "second")))
            << 3u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.20131127",
                           "none|Lumetra Keypad Effect Manager|1.3.0 build 20131127"};
        QTest::newRow("duplicate OS")
            << applications("<Application name=\"Lumetra Keypad Effect Manager\">"
                            "<OS name=\"Windows\">" + release("Gold", "1", "3", "0", "20131127", "first") + "</OS>"
                            "<OS name=\"Windows\">" + release("Gold", "9", "0", "0", "0", "second") + "</OS>"
                            "</Application>")
            << 3u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.20131127",
                           "none|Lumetra Keypad Effect Manager|1.3.0 build 20131127"};
        QTest::newRow("duplicate application, also when the first lacks Windows")
            << applications("<Application name=\"Lumetra Keypad Effect Manager\"><OS name=\"Mac\">"
                            + release("Gold", "9", "0", "0", "0", "mac") + "</OS></Application>"
                            + windowsApp(release("Gold", "9", "0", "0", "0", "second")))
            << 3u << shipped << QStringList{};
        QTest::newRow("duplicate field inside a release")
            << applications(windowsApp("<Release type=\"Gold\"><Major>1</Major><Major>9</Major><Minor>3</Minor>"
                                       "<Rev>0</Rev><Build>20131127</Build><URL>u</URL><URL>v</URL></Release>"))
            << 3u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.20131127",
                           "none|Lumetra Keypad Effect Manager|1.3.0 build 20131127"};

        // Other elements are skipped with everything inside them.
        QTest::newRow("unknown elements at every level")
            << applications("<Comment>ignore me</Comment>"
                            "<Archive>" + windowsApp(release("Gold", "9", "0", "0", "0", "hidden")) + "</Archive>"
                            "<Application name=\"Lumetra Keypad Effect Manager\"><Vendor>Halvane</Vendor>"
                            "<OS name=\"Windows\"><Notes><Release type=\"Gold\"><Major>8</Major></Release></Notes>"
                            "<Release type=\"Nightly\"><Major>7</Major></Release>"
                            "<Release type=\"Gold\"><Size>123</Size><Major>1</Major><Minor>3</Minor><Rev>1</Rev>"
                            "<Build>4</Build><Checksum><Major>6</Major></Checksum><URL>http://example.test/131</URL></Release>"
                            "</OS></Application>")
            << 3u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.3.1.4",
                           "available|Lumetra Keypad Effect Manager|1.3.1 build 4|http://example.test/131"};

        // No answer at all.
        QTest::newRow("wrong root")
            << QByteArray("<Apps>" + windowsApp(release("Gold", "9", "0", "0", "0", "u")) + "</Apps>")
            << 3u << shipped << QStringList{};
        QTest::newRow("root nested one level down")
            << QByteArray("<Document><Applications>" + windowsApp(release("Gold", "9", "0", "0", "0", "u"))
                          + "</Applications></Document>")
            << 3u << shipped << QStringList{};
        QTest::newRow("other application only")
            << applications(windowsApp(release("Gold", "9", "0", "0", "0", "u"), "Another Tool"))
            << 3u << shipped << QStringList{};
        QTest::newRow("application name differs in case")
            << applications(windowsApp(release("Gold", "9", "0", "0", "0", "u"), "lumetra keypad effect manager"))
            << 3u << shipped << QStringList{};
        QTest::newRow("no Windows entry")
            << applications("<Application name=\"Lumetra Keypad Effect Manager\"><OS name=\"Linux\">"
                            + release("Gold", "9", "0", "0", "0", "u") + "</OS></Application>")
            << 3u << shipped << QStringList{};
        QTest::newRow("beta user ignores a newer alpha")
            << applications(windowsApp(release("Alpha", "2", "0", "0", "0", "a") + release("Beta", "1", "4", "0", "5", "b")))
            << 1u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.4.0.5",
                           "available|Lumetra Keypad Effect Manager|1.4.0 build 5b|b"};
        QTest::newRow("gold user, only a beta")
            << applications(windowsApp(release("Beta", "9", "0", "0", "0", "u"))) << 3u << shipped << QStringList{};
        QTest::newRow("release type past gold") << gold130 << 4u << shipped << QStringList{};
        QTest::newRow("empty OS") << applications(windowsApp(QByteArray())) << 3u << shipped << QStringList{};
        QTest::newRow("empty file") << QByteArray() << 3u << shipped << QStringList{};

        // Hostile or broken content.
        QTest::newRow("broken XML adds nothing")
            << QByteArray("<Applications>" + windowsApp(release("Gold", "9", "0", "0", "0", "u")) + "<Application name=\"x\">")
            << 3u << shipped << QStringList{};
        QTest::newRow("garbage after the root adds nothing")
            << QByteArray(applications(windowsApp(release("Gold", "9", "0", "0", "0", "u"))) + "<more/>")
            << 3u << shipped << QStringList{};
        QTest::newRow("html page") << QByteArray("<html><body>Please log in</body></html>") << 3u << shipped << QStringList{};
        QTest::newRow("negative number drops the release")
            << applications(windowsApp(release("Gold", "-1", "3", "0", "0", "u"))) << 3u << shipped << QStringList{};
        QTest::newRow("number past 32 bits drops the release")
            << applications(windowsApp(release("Gold", "1", "3", "0", "4294967296", "u"))) << 3u << shipped << QStringList{};
        QTest::newRow("hex number drops the release, a sound duplicate counts")
            << applications(windowsApp(release("Gold", "0x9", "0", "0", "0", "bad")
                                       + release("Gold", "1", "4", "0", "0", "good")))
            << 3u << shipped
            << QStringList{"latest|Lumetra Keypad Effect Manager|1.4.0.0",
                           "available|Lumetra Keypad Effect Manager|1.4.0 build 0|good"};
    }
    void checkForUpdate()
    {
        QFETCH(QByteArray, file);
        QFETCH(uint, releaseType);
        QFETCH(QList<uint>, current);
        QFETCH(QStringList, expected);

        TestHttpServer server;
        QVERIFY(server.listen());
        AutoUpdateTool tool;
        QStringList *log = recordSignals(&tool);
        QVERIFY(download(&tool, &server, file));
        QCOMPARE(*log, QStringList{"success"});
        QCOMPARE(server.requestLines(), QList<QByteArray>{"GET /software/OvrAppVersions.xml HTTP/1.1"});
        QVERIFY(!tool.isBusy());

        log->clear();
        tool.checkForUpdate(appName, releaseType, current.at(0), current.at(1), current.at(2), current.at(3));
        QCOMPARE(*log, expected);
    }

    void checkBeforeAnyDownloadIsSilent()
    {
        AutoUpdateTool tool;
        QStringList *log = recordSignals(&tool);
        tool.checkForUpdate(appName, 3, 1, 3, 0, 20131127);
        QVERIFY(log->isEmpty());
    }

    // Entries of an earlier download stay; later ones only add new keys.
    void downloadsAccumulate()
    {
        TestHttpServer server;
        QVERIFY(server.listen());
        AutoUpdateTool tool;
        QVERIFY(download(&tool, &server, applications(windowsApp(release("Gold", "1", "3", "0", "20131127", "old")))));
        QVERIFY(download(&tool, &server, applications(windowsApp(release("Gold", "2", "0", "0", "0", "new"))
                                                       + windowsApp(release("Gold", "5", "0", "0", "0", "other"), "Other"))));
        QStringList *log = recordSignals(&tool);
        tool.checkForUpdate(appName, 3, 1, 3, 0, 20131127);
        tool.checkForUpdate(QStringLiteral("Other"), 3, 1, 0, 0, 0);
        QCOMPARE(*log, (QStringList{"latest|Lumetra Keypad Effect Manager|1.3.0.20131127",
                                     "none|Lumetra Keypad Effect Manager|1.3.0 build 20131127",
                                     "latest|Other|5.0.0.0",
                                     "available|Other|5.0.0 build 0|other"}));
    }

    // A failed request is answered at once, like an unanswered one, and
    // leaves the tool ready for the next request.
    void failuresReportUnableToRetrieve_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("status");
        QTest::addColumn<AutoUpdateTool::Failure>("failure");

        QTest::newRow("404") << QString() << 404 << AutoUpdateTool::ServerError;
        QTest::newRow("500") << QString() << 500 << AutoUpdateTool::ServerError;
        QTest::newRow("redirect not followed") << QString() << 301 << AutoUpdateTool::ServerError;
        QTest::newRow("connection refused") << QStringLiteral("refused") << 0 << AutoUpdateTool::ConnectionFailed;
        QTest::newRow("unknown host") << QStringLiteral("no-such-host.invalid") << 0 << AutoUpdateTool::HostNotFound;
        QTest::newRow("not a host name") << QStringLiteral("bad host/%%") << 0 << AutoUpdateTool::HostNotFound;
        QTest::newRow("proxy refuses") << QStringLiteral("proxy refused") << 0 << AutoUpdateTool::ProxyFailed;
        QTest::newRow("proxy wants a password") << QStringLiteral("proxy") << 407 << AutoUpdateTool::ProxyAuthentication;
    }
    void failuresReportUnableToRetrieve()
    {
        QFETCH(QString, host);
        QFETCH(int, status);
        QFETCH(AutoUpdateTool::Failure, failure);

        TestHttpServer server;
        QVERIFY(server.listen());
        AutoUpdateTool tool;
        tool.setUpdateFile(QString::fromLatin1(versionFilePath));
        if (host == QLatin1String("proxy refused")) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
            tool.setProxy(QStringLiteral("127.0.0.1"), closed.serverPort(), QString(), QString());
            closed.close();
            host = server.hostAndPort();
        } else if (host == QLatin1String("proxy")) {
            // The test server plays a proxy that refuses the request until it gets a password.
            tool.setProxy(QStringLiteral("127.0.0.1"), server.port(), QString(), QString());
            server.setResponse(versionFilePath, QByteArray(), status);
            host = QStringLiteral("updates.example.invalid");
        } else if (host == QLatin1String("refused")) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
            host = QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
            closed.close();
        } else if (host.isEmpty()) {
            host = server.hostAndPort();
            if (status != 404)
                server.setResponse(versionFilePath, applications(windowsApp(release("Gold", "9", "0", "0", "0", "u"))), status);
        }
        tool.setHost(host);

        QStringList *log = recordSignals(&tool);
        QSignalSpy unable(&tool, &AutoUpdateTool::unableToRetrieveFile);
        QElapsedTimer clock;
        clock.start();
        tool.getVersionInfo();
        QVERIFY(tool.isBusy());
        QVERIFY(unable.wait(15000));
        // Well before the busy time: the failure itself was reported.
        QVERIFY2(clock.elapsed() < AutoUpdateTool::busyTimeoutMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(*log, QStringList{"unable"});
        QCOMPARE(tool.lastFailure(), failure);
        QCOMPARE(tool.lastHttpStatus(), status);
        QVERIFY(!tool.isBusy());
        tool.checkForUpdate(appName, 3, 1, 3, 0, 0);
        QCOMPARE(*log, QStringList{"unable"});

        // Ready again, and the failed answer does not come twice.
        tool.clearProxy();
        tool.setHost(server.hostAndPort());
        server.setResponse(versionFilePath, applications(windowsApp(release("Gold", "1", "3", "0", "20131127", "u"))));
        QSignalSpy success(&tool, &AutoUpdateTool::fileDownloadSuccess);
        tool.getVersionInfo();
        QVERIFY(success.wait(15000));
        QCOMPARE(log->count(QStringLiteral("unable")), 1);
        QCOMPARE(tool.lastFailure(), AutoUpdateTool::NoFailure);
    }

    // A download that is no version file arrives, but says so.
    void malformedFileIsAFailure()
    {
        TestHttpServer server;
        QVERIFY(server.listen());
        AutoUpdateTool tool;
        QVERIFY(download(&tool, &server, QByteArray("<html><body>Please log in</body></html>")));
        QCOMPARE(tool.lastFailure(), AutoUpdateTool::MalformedFile);
        QCOMPARE(tool.lastHttpStatus(), 200);
        QVERIFY(download(&tool, &server, applications(windowsApp(release("Gold", "1", "3", "0", "0", "u")))));
        QCOMPARE(tool.lastFailure(), AutoUpdateTool::NoFailure);
    }

    // One request at a time; an unanswered one is given up after the busy
    // time, and only its own timer may give it up.
    void busyTimer()
    {
        TestHttpServer server;
        QVERIFY(server.listen());
        AutoUpdateTool tool;
        QVERIFY(download(&tool, &server, applications(windowsApp(release("Gold", "1", "3", "0", "20131127", "u")))));

        // The first request's timer would fire 10 s after it started; the
        // held request below starts 3 s later and must get its full time.
        QTest::qWait(3000);
        server.setHoldRequests(true);
        QStringList *log = recordSignals(&tool);
        QSignalSpy requests(&server, &TestHttpServer::requestReceived);
        QElapsedTimer clock;
        clock.start();
        tool.getVersionInfo();
        QVERIFY(requests.wait(5000));

        tool.getVersionInfo(); // refused: still busy
        QVERIFY(tool.isBusy());

        QSignalSpy unable(&tool, &AutoUpdateTool::unableToRetrieveFile);
        QVERIFY(unable.wait(30000));
        QVERIFY2(clock.elapsed() >= AutoUpdateTool::busyTimeoutMs - 100, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!tool.isBusy());
        QCOMPARE(server.requestLines().size(), 2);
        // The aborted reply does not answer a second time.
        QTest::qWait(200);
        QCOMPARE(*log, QStringList{"unable"});

        // Free for a new request after giving up.
        server.setHoldRequests(false);
        QSignalSpy success(&tool, &AutoUpdateTool::fileDownloadSuccess);
        tool.getVersionInfo();
        QVERIFY(success.wait(15000));
        QCOMPARE(*log, (QStringList{"unable", "success"}));
    }

    void proxy()
    {
        TestHttpServer proxyServer;
        QVERIFY(proxyServer.listen());
        proxyServer.setResponse(versionFilePath, applications(windowsApp(release("Gold", "1", "3", "0", "20131127", "u"))));

        AutoUpdateTool tool;
        tool.setHost(QStringLiteral("updates.example.invalid"));
        tool.setUpdateFile(QString::fromLatin1(versionFilePath));
        tool.setProxy(QStringLiteral("127.0.0.1"), proxyServer.port(), QStringLiteral("site"), QStringLiteral("secret"));
        QSignalSpy success(&tool, &AutoUpdateTool::fileDownloadSuccess);
        QSignalSpy unable(&tool, &AutoUpdateTool::unableToRetrieveFile);
        tool.getVersionInfo();
        QVERIFY(success.wait(15000));
        QCOMPARE(proxyServer.requestLines(),
                 QList<QByteArray>{"GET http://updates.example.invalid/software/OvrAppVersions.xml HTTP/1.1"});

        // Without the proxy the made-up host cannot be reached.
        tool.clearProxy();
        tool.getVersionInfo();
        QVERIFY(unable.wait(15000));
        QCOMPARE(proxyServer.requestLines().size(), 1);
        QCOMPARE(success.count(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_AutoUpdateTool)
#include "tst_autoupdatetool.moc"
