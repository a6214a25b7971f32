// SPDX-License-Identifier: GPL-3.0-or-later
#include "ownmethods.h"
#include "programsettings.h"
#include "testhttpserver.h"
#include "updatechecker.h"
#include "updatedialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

const QByteArray versionFilePath = QByteArrayLiteral("/software/OvrAppVersions.xml");

QByteArray versionFile(const char *application, const char *major, const char *minor, const char *rev,
                       const char *build, const char *url)
{
    return QByteArray("<?xml version=\"1.0\"?>\n<Applications><Application name=\"") + application
           + "\"><OS name=\"Windows\"><Release type=\"Gold\"><Major>" + major + "</Major><Minor>" + minor
           + "</Minor><Rev>" + rev + "</Rev><Build>" + build + "</Build><URL>" + url
           + "</URL></Release></OS></Application></Applications>\n";
}

const QByteArray sameVersion = versionFile("Lumetra Keypad Effect Manager", "1", "3", "0", "20131127", "http://example.test/dl");
const QByteArray newerVersion = versionFile("Lumetra Keypad Effect Manager", "1", "4", "0", "2", "http://example.test/dl");

QMessageBox *visibleMessageBox()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (box && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

class tst_UpdateChecker : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the desktop's URL handler.
    void openUrl(const QUrl &url) { m_openedUrls.append(url); }

private:
    QTemporaryDir m_settingsDir;
    QList<QUrl> m_openedUrls;

    // A checker for this program that asks @p server.
    static void setUp(UpdateChecker *checker, const TestHttpServer &server, bool interactive)
    {
        checker->setUpForThisProgram(server.hostAndPort());
        checker->setInteractive(interactive);
    }

    static void closeMessageBoxes()
    {
        while (QMessageBox *box = visibleMessageBox()) {
            box->close();
            QCoreApplication::processEvents();
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_settingsDir.isValid());
        QVERIFY(ProgramSettings::useFolder(m_settingsDir.path()));
        // Nothing may reach a real browser or file manager.
        for (const char *scheme : {"http", "https", "file", "ftp", "javascript", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
    void init()
    {
        QSettings().clear();
        m_openedUrls.clear();
    }
    void cleanup()
    {
        closeMessageBoxes();
    }

    void interfaceOrder()
    {
        const QByteArrayList expected = {"updateLabelShouldReset()", "handleXMLFileDownloadSuccess()",
                                         "handleUnableToRetrieveFile()",
                                         "handleUpdateAvailable(QString,QString,QString)",
                                         "handleNoUpdateAvailable(QString,QString)"};
        QCOMPARE(ownMethodSignatures(UpdateChecker::staticMetaObject), expected);
    }

    // When the start-up check runs. An invalid QVariant leaves the key out.
    void checkForUpdateIfNecessary_data()
    {
        QTest::addColumn<QVariant>("neverCheck");
        QTest::addColumn<QVariant>("interval");
        QTest::addColumn<QVariant>("lastCheck");
        QTest::addColumn<bool>("checks");

        const QDateTime now = QDateTime::currentDateTime();
        QTest::newRow("first start") << QVariant() << QVariant() << QVariant() << true;
        QTest::newRow("13 days, default interval") << QVariant() << QVariant() << QVariant(now.addDays(-13)) << false;
        QTest::newRow("14 days, default interval") << QVariant() << QVariant() << QVariant(now.addDays(-14)) << true;
        QTest::newRow("interval 0, checked today") << QVariant() << QVariant(0) << QVariant(now) << true;
        QTest::newRow("interval 7, 6 days") << QVariant(false) << QVariant(7) << QVariant(now.addDays(-6)) << false;
        QTest::newRow("interval 7, 8 days") << QVariant(false) << QVariant(7) << QVariant(now.addDays(-8)) << true;
        QTest::newRow("clock went back") << QVariant() << QVariant() << QVariant(now.addDays(3)) << true;
        QTest::newRow("unreadable last check") << QVariant() << QVariant() << QVariant(QStringLiteral("soon")) << true;
        QTest::newRow("never check, first start") << QVariant(true) << QVariant() << QVariant() << false;
        QTest::newRow("never check, interval 0") << QVariant(true) << QVariant(0) << QVariant(now.addDays(-400)) << false;
    }
    void checkForUpdateIfNecessary()
    {
        QFETCH(QVariant, neverCheck);
        QFETCH(QVariant, interval);
        QFETCH(QVariant, lastCheck);
        QFETCH(bool, checks);

        {
            QSettings settings;
            if (neverCheck.isValid())
                settings.setValue(QStringLiteral("update_never_check"), neverCheck);
            if (interval.isValid())
                settings.setValue(QStringLiteral("update_check_interval_days"), interval);
            if (lastCheck.isValid())
                settings.setValue(QStringLiteral("update_last_check"), lastCheck);
        }

        TestHttpServer server;
        QVERIFY(server.listen());
        server.setResponse(versionFilePath, sameVersion);
        UpdateChecker checker;
        setUp(&checker, server, false);
        QSignalSpy reset(&checker, &UpdateChecker::updateLabelShouldReset);
        const QDateTime before = QDateTime::currentDateTime();
        checker.checkForUpdateIfNecessary();
        QCOMPARE(checker.isCheckPending(), checks);
        if (!checks) {
            QCOMPARE(QSettings().value(QStringLiteral("update_last_check")), lastCheck);
            return;
        }

        QVERIFY(reset.wait(15000));
        QCOMPARE(server.requestLines(), QList<QByteArray>{"GET /software/OvrAppVersions.xml HTTP/1.1"});
        QVERIFY(!checker.isCheckPending());
        const QDateTime stored = QSettings().value(QStringLiteral("update_last_check")).toDateTime();
        QVERIFY(stored >= before.addSecs(-1) && stored <= QDateTime::currentDateTime());
        // Silent and up to date: nothing to show.
        QVERIFY(!visibleMessageBox());
    }

    // Stored proxy settings are used by the automatic check.
    void checkForUpdateIfNecessaryUsesStoredProxy()
    {
        TestHttpServer proxy;
        QVERIFY(proxy.listen());
        proxy.setResponse(versionFilePath, sameVersion);
        {
            QSettings settings;
            settings.setValue(QStringLiteral("use_proxy"), true);
            settings.setValue(QStringLiteral("proxy_host"), QStringLiteral("127.0.0.1"));
            settings.setValue(QStringLiteral("proxy_port"), int(proxy.port()));
            settings.setValue(QStringLiteral("proxy_user"), QStringLiteral("site"));
            settings.setValue(QStringLiteral("proxy_password"), QStringLiteral("secret"));
        }
        UpdateChecker checker;
        checker.setUpForThisProgram(QStringLiteral("updates.example.invalid"));
        checker.setInteractive(false);
        QSignalSpy reset(&checker, &UpdateChecker::updateLabelShouldReset);
        checker.checkForUpdateIfNecessary();
        QVERIFY(reset.wait(15000));
        QCOMPARE(proxy.requestLines(),
                 QList<QByteArray>{"GET http://updates.example.invalid/software/OvrAppVersions.xml HTTP/1.1"});
    }

    // Each answer and what the user sees of it.
    void answers_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: the server has no such file
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("interactive");
        QTest::addColumn<QString>("title"); // empty: no message box
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("downloaded");

        const QString available = QStringLiteral("A newer version (1.4.0 build 2) of this application is available.\n\n"
                                                 "Would you like to go to the download page?");
        const QString latest = QStringLiteral("You have the latest version: v1.3.0 build 20131127");
        const QString unable = QStringLiteral("Unable to retrieve update file.");

        QTest::newRow("update, interactive") << newerVersion << false << true << "Update Available" << available << true;
        QTest::newRow("update, silent") << newerVersion << false << false << "Update Available" << available << true;
        QTest::newRow("up to date, interactive") << sameVersion << false << true << "No Update Available" << latest << true;
        QTest::newRow("up to date, silent") << sameVersion << false << false << QString() << QString() << true;
        QTest::newRow("404, interactive") << QByteArray() << false << true << "Update Error" << unable << false;
        QTest::newRow("404, silent") << QByteArray() << false << false << QString() << QString() << false;
        QTest::newRow("refused, interactive") << QByteArray() << true << true << "Update Error" << unable << false;
        QTest::newRow("refused, silent") << QByteArray() << true << false << QString() << QString() << false;
        QTest::newRow("file without this program")
            << versionFile("Another Tool", "9", "0", "0", "0", "http://example.test/") << false << true << QString()
            << QString() << true;
        // A captive portal's page is no successful check.
        QTest::newRow("not a version file") << QByteArray("<html>captive portal</html>") << false << true
                                            << "Update Error" << unable << false;
    }
    void answers()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, refused);
        QFETCH(bool, interactive);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, downloaded);

        TestHttpServer server;
        QVERIFY(server.listen());
        if (!file.isEmpty())
            server.setResponse(versionFilePath, file);
        UpdateChecker checker;
        setUp(&checker, server, interactive);
        if (refused) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
            checker.setHostAndFile(QStringLiteral("127.0.0.1:%1").arg(closed.serverPort()), QString::fromLatin1(versionFilePath));
        }
        QSignalSpy reset(&checker, &UpdateChecker::updateLabelShouldReset);

        checker.checkForUpdate(false, QString(), 0, QString(), QString());
        QVERIFY(checker.isCheckPending());
        QTRY_VERIFY_WITH_TIMEOUT(!checker.isCheckPending(), 15000);

        QCOMPARE(reset.count(), downloaded ? 1 : 0);
        QCOMPARE(QSettings().contains(QStringLiteral("update_last_check")), downloaded);
        // The box is opened by the answer itself, so it is there by now.
        QMessageBox *box = visibleMessageBox();
        if (title.isEmpty()) {
            QVERIFY(!box);
            return;
        }
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), title);
        QCOMPARE(box->text(), text);
        QAbstractButton *button = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok) : box->button(QMessageBox::No);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(!visibleMessageBox());
        QVERIFY(m_openedUrls.isEmpty());
    }

    // A failed check says why, with a warning, and is remembered with its reason.
    void failureReasons_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        const QString proxyHint = QStringLiteral(" Check the proxy settings under Help > Update....");
        QTest::newRow("server error") << "500"
                                      << "The update server answered with an error (HTTP status 500).";
        QTest::newRow("malformed file") << "malformed"
                                        << "The update server sent something that is not a list of versions.";
        QTest::newRow("host not found")
            << "no host"
            << "The update server no-such-host.invalid was not found. Is this computer connected to the internet?";
        QTest::newRow("connection refused") << "refused"
                                            << "The update server could not be reached: Connection refused";
        QTest::newRow("proxy refused") << "proxy"
                                       << "The proxy refused the connection or could not be reached." + proxyHint;
    }
    void failureReasons()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);

        TestHttpServer server;
        QVERIFY(server.listen());
        UpdateChecker checker;
        setUp(&checker, server, true);
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        const quint16 closedPort = closed.serverPort();
        closed.close();
        bool useProxy = false;
        if (failure == QLatin1String("500"))
            server.setResponse(versionFilePath, sameVersion, 500);
        else if (failure == QLatin1String("malformed"))
            server.setResponse(versionFilePath, "<html>captive portal</html>");
        else if (failure == QLatin1String("no host"))
            checker.setHostAndFile(QStringLiteral("no-such-host.invalid"), QString::fromLatin1(versionFilePath));
        else if (failure == QLatin1String("refused"))
            checker.setHostAndFile(QStringLiteral("127.0.0.1:%1").arg(closedPort), QString::fromLatin1(versionFilePath));
        else
            useProxy = true;
        QStringList failed;
        UpdateDialog dialog;
        checker.setFailureHandler([&failed, &dialog](const QString &why) {
            failed << why;
            dialog.updateLastCheckedOnLabel();
        });
        checker.checkForUpdate(useProxy, QStringLiteral("127.0.0.1"), closedPort, QString(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(!checker.isCheckPending(), 15000);

        QCOMPARE(failed, QStringList{reason});
        QCOMPARE(checker.lastFailureReason(), reason);
        QMessageBox *box = visibleMessageBox();
        QVERIFY(box);
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->text(), QStringLiteral("Unable to retrieve update file."));
        QCOMPARE(box->informativeText(), reason);
        QVERIFY(!QSettings().contains(QStringLiteral("update_last_check")));
        QCOMPARE(QSettings().value(QStringLiteral("update_last_failure_reason")).toString(), reason);
        QVERIFY(QSettings().value(QStringLiteral("update_last_failure")).toDateTime().isValid());

        // The dialog shows the attempt until a check succeeds.
        auto *label = dialog.findChild<QLabel *>(QStringLiteral("m_lastFailureLabel"));
        QVERIFY(label);
        QVERIFY2(label->text().startsWith(QStringLiteral("Last attempt failed (")), qPrintable(label->text()));
        QVERIFY(label->text().endsWith(QStringLiteral("): ") + reason));
        QSettings().setValue(QStringLiteral("update_last_check"), QDateTime::currentDateTime().addSecs(1));
        dialog.resetUpdateLabel();
        QVERIFY(label->text().isEmpty());
    }

    void repeatedFailureWrittenOnce_data()
    {
        QTest::addColumn<int>("storedDaysAgo"); // -1: nothing stored
        QTest::addColumn<QString>("storedReason");
        QTest::addColumn<bool>("succeededSince");
        QTest::addColumn<bool>("written");
        const QString sameReason =
            QStringLiteral("The update server no-such-host.invalid was not found. Is this computer connected to the internet?");
        QTest::newRow("first failure") << -1 << QString() << false << true;
        QTest::newRow("same failure today") << 0 << sameReason << false << false;
        QTest::newRow("other failure today") << 0 << QStringLiteral("The update server answered with an error (HTTP status 500).") << false << true;
        QTest::newRow("same failure yesterday") << 1 << sameReason << false << true;
        QTest::newRow("same failure today, success since") << 0 << sameReason << true << true;
    }
    void repeatedFailureWrittenOnce()
    {
        QFETCH(int, storedDaysAgo);
        QFETCH(QString, storedReason);
        QFETCH(bool, succeededSince);
        QFETCH(bool, written);
        // A silent check that fails as it failed before today leaves the
        // settings alone; anything new about it is written.
        const QDateTime stored(QDate::currentDate().addDays(-storedDaysAgo), QTime(0, 0));
        if (storedDaysAgo >= 0) {
            QSettings().setValue(QStringLiteral("update_last_failure"), stored);
            QSettings().setValue(QStringLiteral("update_last_failure_reason"), storedReason);
        }
        if (succeededSince)
            QSettings().setValue(QStringLiteral("update_last_check"), stored.addMSecs(500));
        QSettings().sync();
        UpdateChecker checker;
        checker.setUpForThisProgram(QStringLiteral("no-such-host.invalid"));
        checker.setInteractive(false);
        checker.checkForUpdate(false, QString(), 0, QString(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(!checker.isCheckPending(), 15000);
        QVERIFY(!checker.lastFailureReason().isEmpty());
        const QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("update_last_failure")).toDateTime() != stored, written);
        QCOMPARE(settings.value(QStringLiteral("update_last_failure_reason")).toString(), checker.lastFailureReason());
    }

    void emptyApplicationName()
    {
        TestHttpServer server;
        QVERIFY(server.listen());
        server.setResponse(versionFilePath, sameVersion);
        UpdateChecker checker;
        checker.setHostAndFile(server.hostAndPort(), QString::fromLatin1(versionFilePath));
        QSignalSpy reset(&checker, &UpdateChecker::updateLabelShouldReset);
        QTest::ignoreMessage(QtWarningMsg, "Bug: No appname set");
        checker.checkForUpdate(false, QString(), 0, QString(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(!checker.isCheckPending(), 15000);
        QCOMPARE(reset.count(), 0);
        QVERIFY(!QSettings().contains(QStringLiteral("update_last_check")));
        QVERIFY(!visibleMessageBox());
    }

    // "Yes" opens the download page, but only a web page.
    void downloadPage_data()
    {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QUrl>("opened"); // empty: nothing opened

        QTest::newRow("http, yes") << QByteArray("http://example.test/downloads") << QMessageBox::Yes
                                   << QUrl(QStringLiteral("http://example.test/downloads"));
        QTest::newRow("https, yes") << QByteArray("https://example.test/dl?v=1.4") << QMessageBox::Yes
                                    << QUrl(QStringLiteral("https://example.test/dl?v=1.4"));
        QTest::newRow("upper-case scheme, yes") << QByteArray("HTTPS://example.test/x") << QMessageBox::Yes
                                                << QUrl(QStringLiteral("https://example.test/x"));
        QTest::newRow("http, no") << QByteArray("http://example.test/downloads") << QMessageBox::No << QUrl();
        QTest::newRow("empty URL, yes") << QByteArray() << QMessageBox::Yes << QUrl();
        QTest::newRow("local file") << QByteArray("file:///etc/passwd") << QMessageBox::Yes << QUrl();
        QTest::newRow("javascript") << QByteArray("javascript:alert(1)") << QMessageBox::Yes << QUrl();
        QTest::newRow("ftp") << QByteArray("ftp://example.test/setup.exe") << QMessageBox::Yes << QUrl();
        QTest::newRow("mail") << QByteArray("mailto:someone@example.test") << QMessageBox::Yes << QUrl();
        QTest::newRow("relative path") << QByteArray("downloads/setup.exe") << QMessageBox::Yes << QUrl();
        QTest::newRow("http without host") << QByteArray("http:setup.exe") << QMessageBox::Yes << QUrl();
    }
    void downloadPage()
    {
        QFETCH(QByteArray, url);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QUrl, opened);

        TestHttpServer server;
        QVERIFY(server.listen());
        server.setResponse(versionFilePath, versionFile("Lumetra Keypad Effect Manager", "2", "0", "0", "1", url.constData()));
        UpdateChecker checker;
        setUp(&checker, server, false);
        checker.checkForUpdate(false, QString(), 0, QString(), QString());

        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = visibleMessageBox()) != nullptr, 15000);
        QCOMPARE(box->windowTitle(), QStringLiteral("Update Available"));
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
        QTRY_VERIFY(!visibleMessageBox());
        QCOMPARE(m_openedUrls, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{opened});
    }

    // The main window's start-up hook on a first start.
    void startSilentCheck()
    {
        TestHttpServer server;
        QVERIFY(server.listen());
        server.setResponse(versionFilePath, sameVersion);
        QSignalSpy requests(&server, &TestHttpServer::requestReceived);

        QWidget window;
        auto *dialog = new UpdateDialog(&window);
        auto *label = dialog->findChild<QLabel *>(QStringLiteral("m_lastUpdatedLabel"));
        QVERIFY(label);
        UpdateChecker *checker = UpdateChecker::startSilentCheck(dialog, &window, server.hostAndPort());
        QCOMPARE(checker->parent(), &window);
        QVERIFY(!checker->isInteractive());
        QCOMPARE(label->text(), QStringLiteral("Last checked: never"));
        QVERIFY(checker->isCheckPending());

        QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("Last checked today"), 15000);
        QCOMPARE(requests.count(), 1);
        QVERIFY(!visibleMessageBox());

        // Next start on the same day: no check.
        UpdateChecker *again = UpdateChecker::startSilentCheck(dialog, &window, server.hostAndPort());
        QVERIFY(!again->isCheckPending());
        QCOMPARE(label->text(), QStringLiteral("Last checked: today"));
    }
};

QTEST_MAIN(tst_UpdateChecker)
#include "tst_updatechecker.moc"
