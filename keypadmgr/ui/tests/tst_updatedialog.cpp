// SPDX-License-Identifier: GPL-3.0-or-later
#include "ownmethods.h"
#include "programsettings.h"
#include "proxypasswordstore.h"
#include "testhttpserver.h"
#include "updatechecker.h"
#include "updatedialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool fileContains(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(text);
}

const QByteArray versionFilePath = QByteArrayLiteral("/software/OvrAppVersions.xml");
const QByteArray sameVersion = QByteArrayLiteral(
    "<?xml version=\"1.0\"?>\n<Applications><Application name=\"Lumetra Keypad Effect Manager\"><OS name=\"Windows\">"
    "<Release type=\"Gold\"><Major>1</Major><Minor>3</Minor><Rev>0</Rev><Build>20131127</Build>"
    "<URL>http://example.test/dl</URL></Release></OS></Application></Applications>\n");

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

// The dialog's fields, found by their object names.
struct Fields
{
    explicit Fields(UpdateDialog *dialog)
        : autoCheck(dialog->findChild<QCheckBox *>(QStringLiteral("m_autoCheckForUpdatesCheckbox")))
        , interval(dialog->findChild<QSpinBox *>(QStringLiteral("m_checkForUpdateEveryNDaysSpinBox")))
        , lastChecked(dialog->findChild<QLabel *>(QStringLiteral("m_lastUpdatedLabel")))
        , checkNow(dialog->findChild<QPushButton *>(QStringLiteral("m_checkForUpdatesNowButton")))
        , useProxy(dialog->findChild<QCheckBox *>(QStringLiteral("proxyCheckBox")))
        , proxyFrame(dialog->findChild<QFrame *>(QStringLiteral("proxyFrame")))
        , proxyHost(dialog->findChild<QLineEdit *>(QStringLiteral("proxyLineEdit")))
        , proxyPort(dialog->findChild<QSpinBox *>(QStringLiteral("proxyPortSpinBox")))
        , user(dialog->findChild<QLineEdit *>(QStringLiteral("usernameLineEdit")))
        , password(dialog->findChild<QLineEdit *>(QStringLiteral("passwordLineEdit")))
        , buttons(dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox")))
    {
    }
    bool complete() const
    {
        return autoCheck && interval && lastChecked && checkNow && useProxy && proxyFrame && proxyHost && proxyPort
               && user && password && buttons;
    }
    QCheckBox *autoCheck;
    QSpinBox *interval;
    QLabel *lastChecked;
    QPushButton *checkNow;
    QCheckBox *useProxy;
    QFrame *proxyFrame;
    QLineEdit *proxyHost;
    QSpinBox *proxyPort;
    QLineEdit *user;
    QLineEdit *password;
    QDialogButtonBox *buttons;
};

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void typeInto(QSpinBox *spin, int value)
{
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
}

} // namespace

class tst_UpdateDialog : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { m_openedUrls.append(url); }

private:
    QTemporaryDir m_settingsDir;
    QList<QUrl> m_openedUrls;

private slots:
    void initTestCase()
    {
        QVERIFY(m_settingsDir.isValid());
        QVERIFY(ProgramSettings::useFolder(m_settingsDir.path()));
        for (const char *scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
    void init()
    {
        QSettings().clear();
        ProxyPasswordStore::instance()->setPassword(QString());
    }
    void cleanup()
    {
        while (QMessageBox *box = visibleMessageBox()) {
            box->close();
            QCoreApplication::processEvents();
        }
        QVERIFY(m_openedUrls.isEmpty());
    }

    void form()
    {
        UpdateDialog dialog;
        Fields f(&dialog);
        QVERIFY(f.complete());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Check For Updates"));
        QCOMPARE(dialog.findChild<QGroupBox *>(QStringLiteral("groupBox_3"))->title(), QStringLiteral("HTTP Proxy"));
        QCOMPARE(f.useProxy->text(), QStringLiteral("Use a proxy to access the internet"));
        QCOMPARE(f.autoCheck->text(), QStringLiteral("Automatically check for updates"));
        QCOMPARE(f.checkNow->text(), QStringLiteral("Check Now"));
        QCOMPARE(f.proxyPort->minimum(), 0);
        QCOMPARE(f.proxyPort->maximum(), 65535);
        QCOMPARE(f.interval->minimum(), 0);
        QCOMPARE(f.interval->maximum(), 365);
        QCOMPARE(f.password->echoMode(), QLineEdit::Password);

        const QByteArrayList expected = {"updateLastCheckedOnLabel()", "resetUpdateLabel()",
                                         "on_m_checkForUpdatesNowButton_clicked()", "savePreferences()"};
        QCOMPARE(ownMethodSignatures(UpdateDialog::staticMetaObject), expected);
    }

    void loadPreferences_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<bool>("autoCheck");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("useProxy");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");

        // An absent port gives 0, not the form's 8080.
        QTest::newRow("nothing stored") << QVariantMap() << true << 14 << false << QString() << 0 << QString() << QString();
        QTest::newRow("everything stored")
            << QVariantMap{{"update_never_check", true}, {"update_check_interval_days", 30}, {"use_proxy", true},
                           {"proxy_host", "proxy.site.test"}, {"proxy_port", 3128}, {"proxy_user", "installer"},
                           {"proxy_password", "p@ss word"}}
            << false << 30 << true << "proxy.site.test" << 3128 << "installer" << "p@ss word";
        QTest::newRow("proxy off, fields kept")
            << QVariantMap{{"use_proxy", false}, {"proxy_host", "proxy.site.test"}, {"proxy_port", 8081}}
            << true << 14 << false << "proxy.site.test" << 8081 << QString() << QString();
        QTest::newRow("interval 0") << QVariantMap{{"update_check_interval_days", 0}} << true << 0 << false << QString()
                                    << 0 << QString() << QString();
    }
    void loadPreferences()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(bool, autoCheck);
        QFETCH(int, interval);
        QFETCH(bool, useProxy);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, user);
        QFETCH(QString, password);

        {
            QSettings settings;
            for (auto it = stored.cbegin(); it != stored.cend(); ++it)
                settings.setValue(it.key(), it.value());
        }
        // Loaded at construction, and again each time the dialog is shown.
        UpdateDialog first;
        UpdateDialog second;
        Fields f2(&second);
        f2.useProxy->setChecked(!useProxy);
        f2.proxyHost->setText(QStringLiteral("stale"));
        second.showUpdater();
        QVERIFY(second.isVisible());
        QVERIFY(!second.isModal());

        for (UpdateDialog *dialog : {&first, &second}) {
            Fields f(dialog);
            QCOMPARE(f.autoCheck->isChecked(), autoCheck);
            QCOMPARE(f.interval->value(), interval);
            QCOMPARE(f.useProxy->isChecked(), useProxy);
            QCOMPARE(f.proxyFrame->isEnabled(), useProxy);
            QCOMPARE(f.proxyHost->text(), host);
            QCOMPARE(f.proxyPort->value(), port);
            QCOMPARE(f.user->text(), user);
            QCOMPARE(f.password->text(), password);
        }
    }

    void proxyCheckBoxEnablesFrame()
    {
        UpdateDialog dialog;
        dialog.show();
        Fields f(&dialog);
        QVERIFY(!f.proxyFrame->isEnabled());
        QTest::mouseClick(f.useProxy, Qt::LeftButton);
        QVERIFY(f.useProxy->isChecked());
        QVERIFY(f.proxyFrame->isEnabled());
        QTest::mouseClick(f.useProxy, Qt::LeftButton);
        QVERIFY(!f.proxyFrame->isEnabled());
    }

    // OK stores what the user typed; a new dialog reads it back.
    void savePreferences()
    {
        {
            UpdateDialog dialog;
            dialog.showUpdater();
            Fields f(&dialog);
            QTest::mouseClick(f.autoCheck, Qt::LeftButton);
            typeInto(f.interval, 7);
            QTest::mouseClick(f.useProxy, Qt::LeftButton);
            typeInto(f.proxyHost, QStringLiteral("proxy.site.test"));
            typeInto(f.proxyPort, 3128);
            typeInto(f.user, QStringLiteral("installer"));
            typeInto(f.password, QStringLiteral("s3cret pw"));
            QSignalSpy accepted(&dialog, &QDialog::accepted);
            QTest::mouseClick(f.buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            QCOMPARE(accepted.count(), 1);
            QVERIFY(!dialog.isVisible());
        }

        const QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("update_never_check")).toBool(), true);
        QCOMPARE(settings.value(QStringLiteral("update_check_interval_days")).toInt(), 7);
        QCOMPARE(settings.value(QStringLiteral("use_proxy")).toBool(), true);
        QCOMPARE(settings.value(QStringLiteral("proxy_host")).toString(), QStringLiteral("proxy.site.test"));
        QCOMPARE(settings.value(QStringLiteral("proxy_port")).toInt(), 3128);
        QCOMPARE(settings.value(QStringLiteral("proxy_user")).toString(), QStringLiteral("installer"));
        // The password never goes into the settings file.
        QVERIFY(!settings.contains(QStringLiteral("proxy_password")));
        QVERIFY(!fileContains(settings.fileName(), "s3cret"));
        QVERIFY(!settings.contains(QStringLiteral("update_last_check")));

        UpdateDialog reopened;
        Fields f(&reopened);
        QVERIFY(!f.autoCheck->isChecked());
        QCOMPARE(f.interval->value(), 7);
        QVERIFY(f.useProxy->isChecked());
        QVERIFY(f.proxyFrame->isEnabled());
        QCOMPARE(f.proxyHost->text(), QStringLiteral("proxy.site.test"));
        QCOMPARE(f.proxyPort->value(), 3128);
        QCOMPARE(f.user->text(), QStringLiteral("installer"));
        QCOMPARE(f.password->text(), QStringLiteral("s3cret pw"));
    }

    // A password an older version wrote as typed leaves the settings file
    // once; with no secret store on this desktop it is kept for this run
    // only, and the dialog says so.
    void plainPasswordMovesOut()
    {
        {
            QSettings settings;
            settings.setValue(QStringLiteral("use_proxy"), true);
            settings.setValue(QStringLiteral("proxy_host"), QStringLiteral("proxy.site.test"));
            settings.setValue(QStringLiteral("proxy_password"), QStringLiteral("old plain secret"));
        }
        UpdateDialog dialog;
        dialog.showUpdater();
        Fields f(&dialog);
        QCOMPARE(f.password->text(), QStringLiteral("old plain secret"));
        const QSettings settings;
        QVERIFY(!settings.contains(QStringLiteral("proxy_password")));
        QVERIFY(!fileContains(settings.fileName(), "old plain secret"));
        QCOMPARE(settings.value(QStringLiteral("proxy_host")).toString(), QStringLiteral("proxy.site.test"));

        QCOMPARE(ProxyPasswordStore::instance()->storage(), ProxyPasswordStore::ThisRunOnly);
        auto *storage = dialog.findChild<QLabel *>(QStringLiteral("passwordStorageLabel"));
        QVERIFY(storage);
        QVERIFY(storage->isVisible());
        QCOMPARE(storage->text(),
                 QStringLiteral("No secret store answers on this desktop: the password is kept only until the program ends."));
        // The automatic check still has it for this run.
        QCOMPARE(ProxyPasswordStore::instance()->password(), QStringLiteral("old plain secret"));
    }

    void cancelStoresNothing()
    {
        UpdateDialog dialog;
        dialog.showUpdater();
        Fields f(&dialog);
        QTest::mouseClick(f.useProxy, Qt::LeftButton);
        typeInto(f.proxyHost, QStringLiteral("proxy.site.test"));
        QTest::mouseClick(f.buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(QSettings().allKeys().isEmpty());
    }

    void lastCheckedLabel_data()
    {
        QTest::addColumn<QVariant>("lastCheck"); // days ago as int, or a raw stored value
        QTest::addColumn<QString>("text");

        QTest::newRow("never stored") << QVariant() << "Last checked: never";
        QTest::newRow("0 days") << QVariant(0) << "Last checked: today";
        QTest::newRow("1 day") << QVariant(1) << "Last checked: 1 day ago";
        QTest::newRow("2 days") << QVariant(2) << "Last checked: 2 days ago";
        QTest::newRow("5 days") << QVariant(5) << "Last checked: 5 days ago";
        QTest::newRow("365 days") << QVariant(365) << "Last checked: 365 days ago";
        QTest::newRow("366 days") << QVariant(366) << "Last checked: never";
        QTest::newRow("400 days") << QVariant(400) << "Last checked: never";
        QTest::newRow("in the future") << QVariant(-2) << "Last checked: today";
        QTest::newRow("unreadable") << QVariant(QStringLiteral("yesterday")) << "Last checked: never";
    }
    void lastCheckedLabel()
    {
        QFETCH(QVariant, lastCheck);
        QFETCH(QString, text);

        if (lastCheck.type() == QVariant::Int)
            QSettings().setValue(QStringLiteral("update_last_check"), QDateTime::currentDateTime().addDays(-lastCheck.toInt()));
        else if (lastCheck.isValid())
            QSettings().setValue(QStringLiteral("update_last_check"), lastCheck);

        UpdateDialog dialog;
        Fields f(&dialog);
        dialog.updateLastCheckedOnLabel();
        QCOMPARE(f.lastChecked->text(), text);
        dialog.resetUpdateLabel();
        QCOMPARE(f.lastChecked->text(), QStringLiteral("Last checked today"));
    }

    // "Check Now" runs with the fields as they stand, ignores
    // "update_never_check" and stores none of the fields.
    void checkNow_data()
    {
        QTest::addColumn<bool>("storedProxy"); // proxy stored as in use, pointing at the server
        QTest::addColumn<bool>("tickProxy");
        QTest::addColumn<bool>("typeProxyHost");
        QTest::addColumn<bool>("serveFile");
        QTest::addColumn<bool>("viaProxy");
        QTest::addColumn<QString>("title");

        QTest::newRow("direct") << false << false << false << true << false << "No Update Available";
        QTest::newRow("unsaved proxy fields") << false << true << true << true << true << "No Update Available";
        QTest::newRow("proxy ticked, no host") << false << true << false << true << false << "No Update Available";
        QTest::newRow("stored proxy, unticked now") << true << true << false << true << false << "No Update Available";
        QTest::newRow("file missing") << false << false << false << false << false << "Update Error";
    }
    void checkNow()
    {
        QFETCH(bool, storedProxy);
        QFETCH(bool, tickProxy);
        QFETCH(bool, typeProxyHost);
        QFETCH(bool, serveFile);
        QFETCH(bool, viaProxy);
        QFETCH(QString, title);

        TestHttpServer server;
        QVERIFY(server.listen());
        if (serveFile)
            server.setResponse(versionFilePath, sameVersion);
        QSettings().setValue(QStringLiteral("update_never_check"), true);
        if (storedProxy) {
            QSettings settings;
            settings.setValue(QStringLiteral("use_proxy"), true);
            settings.setValue(QStringLiteral("proxy_host"), QStringLiteral("127.0.0.1"));
            settings.setValue(QStringLiteral("proxy_port"), int(server.port()));
        }
        const QStringList storedKeys = QSettings().allKeys();

        QWidget window;
        auto *dialog = new UpdateDialog(&window);
        // Direct requests go to the server itself; a proxied request names
        // a host that only the proxy (the same server) can serve.
        dialog->setUpdateHost(viaProxy ? QStringLiteral("updates.example.invalid") : server.hostAndPort());
        dialog->showUpdater();
        Fields f(dialog);
        if (tickProxy)
            QTest::mouseClick(f.useProxy, Qt::LeftButton);
        if (typeProxyHost) {
            typeInto(f.proxyHost, QStringLiteral("127.0.0.1"));
            typeInto(f.proxyPort, server.port());
        }
        QCOMPARE(f.useProxy->isChecked(), tickProxy != storedProxy);

        for (int round = 0; round < 2; ++round) {
            QTest::mouseClick(f.checkNow, Qt::LeftButton);
            QMessageBox *box = nullptr;
            QTRY_VERIFY_WITH_TIMEOUT((box = visibleMessageBox()) != nullptr, 15000);
            QCOMPARE(box->windowTitle(), title);
            if (serveFile) {
                QCOMPARE(box->text(), QStringLiteral("You have the latest version: v1.3.0 build 20131127"));
                QCOMPARE(f.lastChecked->text(), QStringLiteral("Last checked today"));
            } else {
                QCOMPARE(box->text(), QStringLiteral("Unable to retrieve update file."));
            }
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            QTRY_VERIFY(!visibleMessageBox());
        }
        // One checker serves every click.
        QCOMPARE(dialog->findChildren<UpdateChecker *>().size(), 1);

        const QByteArray expectedLine = viaProxy
            ? QByteArray("GET http://updates.example.invalid/software/OvrAppVersions.xml HTTP/1.1")
            : QByteArray("GET /software/OvrAppVersions.xml HTTP/1.1");
        QCOMPARE(server.requestLines(), (QList<QByteArray>{expectedLine, expectedLine}));

        QStringList keysAfter = QSettings().allKeys();
        keysAfter.removeOne(QStringLiteral("update_last_check"));
        // A failed check is remembered with its reason.
        QCOMPARE(keysAfter.removeAll(QStringLiteral("update_last_failure")), serveFile ? 0 : 1);
        QCOMPARE(keysAfter.removeAll(QStringLiteral("update_last_failure_reason")), serveFile ? 0 : 1);
        QCOMPARE(keysAfter, storedKeys);
        QCOMPARE(QSettings().contains(QStringLiteral("update_last_check")), serveFile);
    }
};

QTEST_MAIN(tst_UpdateDialog)
#include "tst_updatedialog.moc"
