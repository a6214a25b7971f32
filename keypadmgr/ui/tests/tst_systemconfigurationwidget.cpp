// SPDX-License-Identifier: GPL-3.0-or-later
#include "ip4validator.h"
#include "mainwindow.h"
#include "mspcontrolpanelwidget.h"
#include "programsettings.h"
#include "systemconfigurationwidget.h"

#include "connectionstate.h"
#include "discoverer.h"
#include "keypadtestbed.h"
#include "mspcomm.h"
#include "networkprefs.h"
#include "systemconfiguration.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(ConnectionState::State)
Q_DECLARE_METATYPE(QValidator::State)

namespace {

const QString ipWarning = QStringLiteral(
    "<font color='red'>Changing the device's IP address to this value may prevent its light <br>settings from being "
    "available through this application.</font>");
const QString nameWarning = QStringLiteral("<br><br><font color='red'>The device's name cannot be empty.</font>");
const QString sceneWarning =
    QStringLiteral("<br><br><font color='red'>At least one scene button must be enabled.</font>");

const QColor red(255, 0, 0);

const char *const fieldNames[] = {"nameEdit", "addressEdit", "universeSpinBox", "DravonModeSpinBox",
                                  "lightsPerPortSpinBox", "numberOfPortsSpinBox", "fixtureClassComboBox",
                                  "scene1CheckBox", "scene2CheckBox", "scene3CheckBox", "scene4CheckBox",
                                  "scene5CheckBox", "scene6CheckBox", "scene7CheckBox", "scene8CheckBox",
                                  "downCheckBox", "upCheckBox", "onOffCheckBox", "revertButton", "applyButton"};

} // namespace

class tst_SystemConfigurationWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void ip4Validator_data();
    void ip4Validator();
    void nameValidator_data();
    void nameValidator();
    void liveValidation_data();
    void liveValidation();
    void unusableAddressRefused_data();
    void unusableAddressRefused();
    void refusedInputIsSaid_data();
    void refusedInputIsSaid();
    void typingElsewhereKeepsTheKeyboard();
    void enabledButtonsFollowFirmware_data();
    void enabledButtonsFollowFirmware();
    void saveWritesRecordAndUndoRevertsFields();
    void fixtureBoxRebuiltWhenShown();
    void addressOnlyMode();
    void demoModeChangesNothingOnKeypad();
    void keyboardOrderAndAccessibleNames();

    void universeOnlyStaysAtAddress();
    void saveNotReceivedStaysUnsaved_data();
    void saveNotReceivedStaysUnsaved();
    void renameAndMoveInSubnet();
    void unreachableKeypadIsBroughtBack();

private:
    template<typename T>
    T *field(const char *name) const { return m_widget->findChild<T *>(QLatin1String(name)); }
    ConnectionState *state() const { return ConnectionState::instance(); }
    SystemConfigurationWidget *windowEditor() const { return m_window->systemConfiguration(); }
    template<typename T>
    T *windowField(const char *name) const { return windowEditor()->findChild<T *>(QLatin1String(name)); }
    static void retype(QLineEdit *edit, const QString &text);
    void startKeypad(const KeypadTestBed::SimulatorOptions &options, ConnectionState::State expected);
    // A keypad of firmware 2.0.0, connected, its name on the window's editor.
    void startConnectedKeypad(const QString &name, const QString &address);
    QByteArray keypadConfig(const QHostAddress &address);
    QList<KeypadTestBed::Request> configPosts(int from) const;

    std::unique_ptr<KeypadTestBed> m_bed;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<SystemConfigurationWidget> m_widget;
    int m_keypad = -1;
};

void tst_SystemConfigurationWidget::initTestCase()
{
    qRegisterMetaType<ConnectionState::State>();
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
    QVERIFY2(m_bed->startDecoy() == 0, qPrintable(m_bed->errorString()));

    ProgramSettings::useForTest(KeypadTestBed::hostAddress());

    // The simulator is back on its new address at once; no need for the
    // ten seconds a real keypad gets.
    m_window = std::make_unique<MainWindow>();
    m_window->setAddressChangeWait(1500);
    m_window->show();
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::NoDevice, 10000);
}

void tst_SystemConfigurationWidget::init()
{
    SystemConfiguration *config = SystemConfiguration::instance();
    config->setName(QStringLiteral("Hall"));
    config->setIpAddress(QStringLiteral("192.168.77.30"));
    config->setVersion(QStringLiteral("2.0.0"));
    config->setUniverse(1);
    config->setFixtureClass(0);
    for (int i = 1; i <= 11; ++i)
        config->setSwitchEnabled(i, true, true);
    if (QTest::currentTestFunction() != QByteArrayLiteral("demoModeChangesNothingOnKeypad"))
        state()->setState(ConnectionState::Connected);
    m_widget = std::make_unique<SystemConfigurationWidget>();
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowActive(m_widget.get()));
}

void tst_SystemConfigurationWidget::cleanup()
{
    m_widget.reset();
}

void tst_SystemConfigurationWidget::cleanupTestCase()
{
    m_window.reset();
}

void tst_SystemConfigurationWidget::retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(edit, text);
    } else {
        // What the keyboard cannot type, the user pastes.
        QGuiApplication::clipboard()->setText(text);
        QTest::keySequence(edit, QKeySequence::Paste);
    }
}

void tst_SystemConfigurationWidget::ip4Validator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QValidator::State>("expected");
    QTest::newRow("empty") << "" << QValidator::Intermediate;
    QTest::newRow("ends in full stop") << "192.168.1." << QValidator::Intermediate;
    QTest::newRow("three parts") << "192.168.1" << QValidator::Intermediate;
    QTest::newRow("empty middle part") << "192..1.1" << QValidator::Intermediate;
    QTest::newRow("four parts") << "192.168.1.255" << QValidator::Acceptable;
    QTest::newRow("zeros") << "0.0.0.0" << QValidator::Acceptable;
    QTest::newRow("leading zeros") << "192.168.077.010" << QValidator::Acceptable;
    QTest::newRow("part of 256") << "192.168.1.256" << QValidator::Invalid;
    QTest::newRow("five parts") << "1.2.3.4.5" << QValidator::Invalid;
    QTest::newRow("five, last empty") << "1.2.3.4." << QValidator::Invalid;
    QTest::newRow("letter") << "1.a.3.4" << QValidator::Invalid;
    QTest::newRow("sign") << "1.2.3.-4" << QValidator::Invalid;
    QTest::newRow("space") << " 1.2.3.4" << QValidator::Invalid;
    // "00010" would reach the keypad as octal "010" once normalised.
    QTest::newRow("four digits") << "1.2.3.0010" << QValidator::Invalid;
}

void tst_SystemConfigurationWidget::ip4Validator()
{
    QFETCH(QString, text);
    QFETCH(QValidator::State, expected);
    IP4Validator validator;
    int pos = text.size();
    QCOMPARE(validator.validate(text, pos), expected);
}

void tst_SystemConfigurationWidget::nameValidator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QValidator::State>("expected");
    QTest::newRow("plain") << "Lobby 2" << QValidator::Acceptable;
    QTest::newRow("Latin-1 letters") << QStringLiteral("Caf\u00e9 S\u00fcd \u00bd") << QValidator::Acceptable;
    QTest::newRow("31 characters") << QString(31, QLatin1Char('x')) << QValidator::Acceptable;
    QTest::newRow("empty") << "" << QValidator::Intermediate;
    QTest::newRow("32 characters") << QString(32, QLatin1Char('x')) << QValidator::Invalid;
    QTest::newRow("comma") << "Hall, east" << QValidator::Invalid;
    QTest::newRow("ampersand") << "Bar & Grill" << QValidator::Invalid;
    QTest::newRow("double quote") << "The \"Room\"" << QValidator::Invalid;
    QTest::newRow("euro sign") << QStringLiteral("\u20ac Bar") << QValidator::Invalid;
    QTest::newRow("Chinese") << QStringLiteral("\u5927\u5385") << QValidator::Invalid;
    QTest::newRow("emoji") << QStringLiteral("Hall \U0001F600") << QValidator::Invalid;
    QTest::newRow("tab") << "Hall\t2" << QValidator::Invalid;
}

void tst_SystemConfigurationWidget::nameValidator()
{
    QFETCH(QString, text);
    QFETCH(QValidator::State, expected);
    const QValidator *validator = field<QLineEdit>("nameEdit")->validator();
    QVERIFY(validator);
    int pos = text.size();
    QCOMPARE(validator->validate(text, pos), expected);
}

void tst_SystemConfigurationWidget::liveValidation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("scenes");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<bool>("saveEnabled");
    const QString near = QStringLiteral("192.168.77.31");
    const QString far = QStringLiteral("192.168.78.31");
    QTest::newRow("valid") << "Hall 2" << near << true << "" << true;
    QTest::newRow("other subnet, warned, not refused") << "Hall 2" << far << true << ipWarning << true;
    QTest::newRow("empty name") << "" << near << true << nameWarning << false;
    QTest::newRow("no scene button, Up alone") << "Hall 2" << near << false << sceneWarning << false;
    QTest::newRow("all three") << "" << far << false << ipWarning + nameWarning + sceneWarning << false;
    QTest::newRow("incomplete address") << "Hall 2" << "192.168.77." << true << "" << false;
}

void tst_SystemConfigurationWidget::liveValidation()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(bool, scenes);
    QFETCH(QString, warning);
    QFETCH(bool, saveEnabled);

    auto *apply = field<QPushButton>("applyButton");
    auto *revert = field<QPushButton>("revertButton");
    QVERIFY(!apply->isEnabled() && !revert->isEnabled());

    if (!scenes) {
        for (int i = 1; i <= 8; ++i)
            field<QCheckBox>(qPrintable(QStringLiteral("scene%1CheckBox").arg(i)))->click();
        QVERIFY(field<QCheckBox>("upCheckBox")->isChecked());
    }
    retype(field<QLineEdit>("addressEdit"), address);
    retype(field<QLineEdit>("nameEdit"), name);

    auto *label = field<QLabel>("warningLabel");
    QCOMPARE(label->text(), warning);
    QCOMPARE(label->isVisible(), !warning.isEmpty());
    QCOMPARE(apply->isEnabled(), saveEnabled);
    QVERIFY(revert->isEnabled());
    QCOMPARE(field<QLineEdit>("addressEdit")->palette().color(QPalette::Text),
             warning.contains(ipWarning) ? red : QColor(Qt::black));
    QCOMPARE(field<QLineEdit>("nameEdit")->palette().color(QPalette::Text),
             warning.contains(nameWarning) ? red : QColor(Qt::black));
}

void tst_SystemConfigurationWidget::unusableAddressRefused_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("reason");
    // The chosen interface is 192.168.77.1/24.
    QTest::newRow("this computer") << "192.168.77.1" << "192.168.77.1 is this computer's own address.";
    QTest::newRow("network address") << "192.168.77.0"
                                     << "192.168.77.0 is the address of the network itself, not of a device in it.";
    QTest::newRow("broadcast address") << "192.168.77.255" << "192.168.77.255 is the broadcast address of the network.";
    QTest::newRow("zeros") << "0.0.0.0" << "0.0.0.0 is no device's address.";
    QTest::newRow("loopback") << "127.0.0.1" << "127.0.0.1 is a loopback address; it never leaves this computer.";
    QTest::newRow("group") << "239.1.2.3" << "239.1.2.3 is a group or broadcast address, never a single device's.";
}

void tst_SystemConfigurationWidget::unusableAddressRefused()
{
    QFETCH(QString, address);
    QFETCH(QString, reason);
    auto *edit = field<QLineEdit>("addressEdit");
    retype(edit, address);
    QCOMPARE(field<QLabel>("warningLabel")->text(), QStringLiteral("<font color='red'>%1</font>").arg(reason));
    QVERIFY(field<QLabel>("warningLabel")->isVisible());
    QVERIFY(!field<QPushButton>("applyButton")->isEnabled());
    QCOMPARE(edit->palette().color(QPalette::Text), red);
    // A usable address next to it is taken again.
    retype(edit, QStringLiteral("192.168.77.31"));
    QVERIFY(field<QLabel>("warningLabel")->isHidden());
    QVERIFY(field<QPushButton>("applyButton")->isEnabled());
}

void tst_SystemConfigurationWidget::refusedInputIsSaid_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("notice");
    QTest::newRow("address part above 255") << "addressEdit" << "192.168.77.300" << "192.168.77.30"
                                            << "Each part of an address is a number from 0 to 255; \"300\" was not taken.";
    QTest::newRow("fifth address part") << "addressEdit" << "192.168.77.3.4" << "192.168.77.34"
                                        << "An address has four numbers; \"192.168.77.3.\" was not taken.";
    QTest::newRow("four digits") << "addressEdit" << "192.168.1000.4" << "192.168.100.4"
                                 << "Each part of an address is a number from 0 to 255; \"1000\" was not taken.";
    const QString character = QStringLiteral("A name cannot contain an ampersand (&), a comma (,), a double quote (\") or "
                                             "characters the keypad cannot store; that was not taken.");
    QTest::newRow("ampersand") << "nameEdit" << "Bar & Grill" << "Bar  Grill" << character;
    QTest::newRow("comma") << "nameEdit" << "Hall,east" << "Halleast" << character;
    QTest::newRow("double quote") << "nameEdit" << "\"Hall\"" << "Hall" << character;
    QTest::newRow("32 characters") << "nameEdit" << QString(32, QLatin1Char('x')) << QString(31, QLatin1Char('x'))
                                   << "A name holds at most 31 characters; the rest was not taken.";
}

void tst_SystemConfigurationWidget::refusedInputIsSaid()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, notice);
    auto *edit = field<QLineEdit>(qPrintable(fieldName));
    auto *label = field<QLabel>("warningLabel");
    retype(edit, typed);
    QCOMPARE(edit->text(), kept);
    QVERIFY(label->isVisible());
    QVERIFY2(label->text().startsWith(QStringLiteral("<font color='red'>%1</font>").arg(notice.toHtmlEscaped())),
             qPrintable(label->text()));
    // It stays while the user types on there, and goes with an edit of the other field.
    auto *other = field<QLineEdit>(fieldName == QLatin1String("nameEdit") ? "addressEdit" : "nameEdit");
    other->setFocus();
    QTest::keyClick(other, Qt::Key_End);
    QTest::keyClick(other, Qt::Key_Backspace);
    QVERIFY2(!label->text().contains(notice.toHtmlEscaped()), qPrintable(label->text()));
}

void tst_SystemConfigurationWidget::typingElsewhereKeepsTheKeyboard()
{
    // An address in another subnet draws the keyboard to itself, but not
    // away from a field the user is typing in.
    retype(field<QLineEdit>("addressEdit"), QStringLiteral("192.168.78.31"));
    QVERIFY(field<QLineEdit>("addressEdit")->hasFocus());
    retype(field<QLineEdit>("nameEdit"), QStringLiteral("Side room"));
    QCOMPARE(field<QLineEdit>("nameEdit")->text(), QStringLiteral("Side room"));
    QCOMPARE(field<QLineEdit>("addressEdit")->text(), QStringLiteral("192.168.78.31"));

    // A pasted name the keypad could not store is refused whole.
    retype(field<QLineEdit>("nameEdit"), QStringLiteral("\u5927\u5385"));
    QCOMPARE(field<QLineEdit>("nameEdit")->text(), QString());
    retype(field<QLineEdit>("nameEdit"), QStringLiteral("Caf\u00e9"));
    QCOMPARE(field<QLineEdit>("nameEdit")->text(), QStringLiteral("Caf\u00e9"));

    // A name the record brought that the keypad cannot hold is named as such.
    QTest::mouseClick(field<QPushButton>("revertButton"), Qt::LeftButton);
    SystemConfiguration::instance()->setName(QStringLiteral("Bar & Grill"));
    QCOMPARE(field<QLineEdit>("nameEdit")->text(), QStringLiteral("Bar & Grill"));
    QTest::keyClick(field<QSpinBox>("universeSpinBox"), Qt::Key_Up);
    QVERIFY(field<QLabel>("warningLabel")->text().contains(QLatin1String("cannot contain an ampersand")));
    QVERIFY(!field<QPushButton>("applyButton")->isEnabled());
}

void tst_SystemConfigurationWidget::enabledButtonsFollowFirmware_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("supported");
    // Why the group is grey, in its tool tip and the warning line.
    QTest::addColumn<QString>("reason");
    const QString unknown =
        QStringLiteral("The keypad's firmware version is not known, so its buttons cannot be enabled or disabled here.");
    const QString old = QStringLiteral("Firmware %1 cannot enable or disable the keypad's buttons: all of them stay enabled.");
    QTest::newRow("2.0.0") << "2.0.0" << true << QString();
    QTest::newRow("1.3.0") << "1.3.0" << true << QString();
    QTest::newRow("1.1.15") << "1.1.15" << true << QString();
    QTest::newRow("1.1.14") << "1.1.14" << false << old.arg("1.1.14");
    QTest::newRow("1.2.0") << "1.2.0" << false << old.arg("1.2.0");
    QTest::newRow("1.2.9") << "1.2.9" << false << old.arg("1.2.9");
    QTest::newRow("1.0.30") << "1.0.30" << false << old.arg("1.0.30");
    QTest::newRow("two numbers") << "2.0" << false << unknown;
    QTest::newRow("Not Available") << "Not Available" << false << unknown;
}

void tst_SystemConfigurationWidget::enabledButtonsFollowFirmware()
{
    QFETCH(QString, version);
    QFETCH(bool, supported);
    QFETCH(QString, reason);
    SystemConfiguration *config = SystemConfiguration::instance();
    config->setScene3CheckBoxState(false);
    config->setDownCheckBoxState(false);
    config->setVersion(version);
    QCOMPARE(field<QLabel>("versionLabel")->text(), version);
    QCOMPARE(field<QGroupBox>("groupBox")->isEnabled(), supported);
    QCOMPARE(field<QCheckBox>("scene3CheckBox")->isChecked(), !supported);
    QCOMPARE(field<QCheckBox>("downCheckBox")->isChecked(), !supported);
    QVERIFY(field<QCheckBox>("scene4CheckBox")->isChecked());
    QCOMPARE(field<QGroupBox>("groupBox")->toolTip(), reason);
    QCOMPARE(field<QLabel>("warningLabel")->text(), reason);
    QCOMPARE(field<QLabel>("warningLabel")->isVisibleTo(m_widget.get()), !reason.isEmpty());
    // Filling is not an edit.
    QVERIFY(!field<QPushButton>("revertButton")->isEnabled());
}

void tst_SystemConfigurationWidget::saveWritesRecordAndUndoRevertsFields()
{
    SystemConfiguration *config = SystemConfiguration::instance();
    QSignalSpy changes(config, &SystemConfiguration::configurationChanged);
    QSignalSpy moved(m_widget.get(), &SystemConfigurationWidget::addressChanged);
    state()->setState(ConnectionState::NoDevice);

    retype(field<QLineEdit>("nameEdit"), QStringLiteral("Caf\u00e9"));
    retype(field<QLineEdit>("addressEdit"), QStringLiteral("192.168.077.031"));
    field<QSpinBox>("universeSpinBox")->setValue(200);
    field<QSpinBox>("DravonModeSpinBox")->setValue(2);
    field<QSpinBox>("lightsPerPortSpinBox")->setValue(170);
    field<QSpinBox>("numberOfPortsSpinBox")->setValue(16);
    field<QComboBox>("fixtureClassComboBox")->setCurrentIndex(8);
    field<QCheckBox>("scene2CheckBox")->click();
    field<QCheckBox>("onOffCheckBox")->click();
    QTest::mouseClick(field<QPushButton>("applyButton"), Qt::LeftButton);

    // Written without the record's change signals, and with no keypad
    // connected nothing is posted and nobody waits for a move.
    QCOMPARE(changes.count(), 0);
    QCOMPARE(moved.count(), 0);
    QCOMPARE(config->name(), QStringLiteral("Caf\u00e9"));
    QCOMPARE(config->ipAddress(), QStringLiteral("192.168.77.31"));
    QCOMPARE(config->universe(), 200);
    QCOMPARE(config->DravonMode(), 2);
    QCOMPARE(config->lightsPerPort(), 170);
    QCOMPARE(config->numberOfPorts(), 16);
    QCOMPARE(int(config->fixtureClass()), 8);
    QVERIFY(!config->scene2CheckBoxState());
    QVERIFY(!config->onOffCheckBoxState());
    QVERIFY(config->upCheckBoxState());
    QVERIFY(!field<QPushButton>("applyButton")->isEnabled());
    QVERIFY(!field<QPushButton>("revertButton")->isEnabled());

    // Undo brings back what the record holds, in black, without a warning.
    retype(field<QLineEdit>("nameEdit"), QString());
    retype(field<QLineEdit>("addressEdit"), QStringLiteral("10.1.1.1"));
    field<QSpinBox>("universeSpinBox")->setValue(3);
    QVERIFY(field<QLabel>("warningLabel")->isVisible());
    // A configuration reply meanwhile leaves the edits alone.
    config->setUniverse(77);
    QCOMPARE(field<QSpinBox>("universeSpinBox")->value(), 3);
    QCOMPARE(field<QLineEdit>("nameEdit")->text(), QString());
    QTest::mouseClick(field<QPushButton>("revertButton"), Qt::LeftButton);
    QCOMPARE(field<QLineEdit>("nameEdit")->text(), QStringLiteral("Caf\u00e9"));
    QCOMPARE(field<QLineEdit>("addressEdit")->text(), QStringLiteral("192.168.77.31"));
    QCOMPARE(field<QSpinBox>("universeSpinBox")->value(), 77);
    QVERIFY(!field<QCheckBox>("scene2CheckBox")->isChecked());
    QVERIFY(!field<QLabel>("warningLabel")->isVisible());
    QCOMPARE(field<QLineEdit>("nameEdit")->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(field<QLineEdit>("addressEdit")->palette().color(QPalette::Text), QColor(Qt::black));
    QVERIFY(!field<QPushButton>("applyButton")->isEnabled());
    QVERIFY(!field<QPushButton>("revertButton")->isEnabled());
}

void tst_SystemConfigurationWidget::fixtureBoxRebuiltWhenShown()
{
    QPointer<QComboBox> before = field<QComboBox>("fixtureClassComboBox");
    QCOMPARE(before->count(), 10);
    QCOMPARE(before->itemText(2), QStringLiteral("Veloria LumaBand"));
    SystemConfiguration::instance()->setFixtureClass(5);
    QCOMPARE(before->currentIndex(), 5);

    m_widget->hide();
    m_widget->show();
    QVERIFY(!before);
    QCOMPARE(m_widget->findChildren<QComboBox *>().size(), 1);
    QComboBox *after = field<QComboBox>("fixtureClassComboBox");
    QCOMPARE(after->currentIndex(), 5);
    QVERIFY(!field<QPushButton>("revertButton")->isEnabled());
    // The new box is wired like the old one.
    after->setCurrentIndex(7);
    QVERIFY(field<QPushButton>("revertButton")->isEnabled());
}

void tst_SystemConfigurationWidget::addressOnlyMode()
{
    SystemConfiguration *config = SystemConfiguration::instance();
    config->setIpAddress(QStringLiteral("192.168.78.31"));
    config->setName(QString());
    m_widget->setAddressOnly(true);
    QVERIFY(m_widget->isAddressOnly());
    auto *address = field<QLineEdit>("addressEdit");
    QVERIFY(address->isEnabled());
    for (const char *name : fieldNames) {
        if (QByteArray(name).endsWith("Button") || QByteArray(name) == "addressEdit")
            continue;
        QVERIFY2(!field<QWidget>(name)->isEnabled(), name);
    }
    QCOMPARE(address->palette().color(QPalette::Text), red);
    QVERIFY(address->hasFocus());

    // The empty name it cannot edit does not hold the address back.
    retype(address, QStringLiteral("192.168.77.31"));
    QCOMPARE(field<QLabel>("warningLabel")->text(), QString());
    QVERIFY(field<QPushButton>("applyButton")->isEnabled());
    QCOMPARE(address->palette().color(QPalette::Text), QColor(Qt::black));

    m_widget->setAddressOnly(false);
    for (const char *name : fieldNames) {
        if (!QByteArray(name).endsWith("Button"))
            QVERIFY2(field<QWidget>(name)->isEnabled(), name);
    }
}

void tst_SystemConfigurationWidget::demoModeChangesNothingOnKeypad()
{
    state()->setState(ConnectionState::DemoMode);
    m_widget->setEnabled(true);
    QVERIFY(m_widget->isEnabled());
    QSignalSpy changes(SystemConfiguration::instance(), &SystemConfiguration::configurationChanged);
    retype(field<QLineEdit>("nameEdit"), QStringLiteral("Demo"));
    retype(field<QLineEdit>("addressEdit"), QStringLiteral("192.168.77.99"));
    field<QSpinBox>("universeSpinBox")->setValue(9);
    field<QComboBox>("fixtureClassComboBox")->setCurrentIndex(1);
    field<QCheckBox>("scene1CheckBox")->click();
    QCOMPARE(field<QSpinBox>("universeSpinBox")->value(), 9);
    QVERIFY(!field<QPushButton>("applyButton")->isEnabled());
    QVERIFY(!field<QPushButton>("revertButton")->isEnabled());
    QVERIFY(!field<QLabel>("warningLabel")->isVisible());
    QCOMPARE(changes.count(), 0);
}

void tst_SystemConfigurationWidget::keyboardOrderAndAccessibleNames()
{
    field<QCheckBox>("scene1CheckBox")->click(); // so that Undo and Save take part
    QVERIFY(field<QPushButton>("applyButton")->isEnabled());
    QWidget *focus = field<QWidget>("nameEdit");
    focus->setFocus();
    for (const char *name : fieldNames) {
        QWidget *expected = field<QWidget>(name);
        QVERIFY2(expected, name);
        QCOMPARE(QApplication::focusWidget() == expected || expected->isAncestorOf(QApplication::focusWidget()), true);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(expected);
        QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

void tst_SystemConfigurationWidget::startKeypad(const KeypadTestBed::SimulatorOptions &options,
                                                ConnectionState::State expected)
{
    // One keypad at a time, found by discovery as the user would find it.
    if (m_keypad >= 0)
        m_bed->stopSimulator(m_keypad);
    m_keypad = m_bed->startSimulator(options);
    QVERIFY2(m_keypad >= 0, qPrintable(m_bed->errorString()));
    // A keypad just started on a loaded machine may answer after the
    // half-second window: then the user presses Retry, and so does this.
    const QString address = m_bed->simulatorAddress(m_keypad).toString();
    const auto found = [&address] {
        const auto &keypads = Discoverer::instance()->keypads();
        return std::any_of(keypads.cbegin(), keypads.cend(),
                           [&address](const DiscoveredKeypad &keypad) { return keypad.address == address; });
    };
    for (int run = 1; run <= 3; ++run) {
        QSignalSpy ended(Discoverer::instance(), &Discoverer::reachedDiscoverTimeLimit);
        m_window->discover();
        QVERIFY(ended.wait(10000));
        if (found())
            break;
        qWarning("discovery run %d did not hear the keypad at %s", run, qPrintable(address));
    }
    QTRY_VERIFY2_WITH_TIMEOUT(state()->state() == expected,
                              qPrintable(QStringLiteral("state %1").arg(int(state()->state()))), 15000);
    QCOMPARE(MSPComm::instance()->address(), m_bed->simulatorAddress(m_keypad).toString());
    if (expected == ConnectionState::Connected)
        QTRY_COMPARE_WITH_TIMEOUT(SystemConfiguration::instance()->name(), options.name, 10000);
    m_window->settingsTabs()->setCurrentWidget(windowEditor());
}

void tst_SystemConfigurationWidget::startConnectedKeypad(const QString &name, const QString &address)
{
    KeypadTestBed::SimulatorOptions options;
    options.name = name;
    options.address = address;
    options.firmware = QStringLiteral("2.0.0");
    startKeypad(options, ConnectionState::Connected);
    if (!QTest::currentTestFailed())
        QTRY_COMPARE_WITH_TIMEOUT(windowField<QLineEdit>("nameEdit")->text(), name, 10000);
}

QByteArray tst_SystemConfigurationWidget::keypadConfig(const QHostAddress &address)
{
    QNetworkAccessManager manager;
    QNetworkReply *reply =
        manager.get(QNetworkRequest(QUrl(QStringLiteral("http://%1/api/v1/config").arg(address.toString()))));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!finished.wait(10000))
        return {};
    reply->deleteLater();
    return reply->readAll();
}

QList<KeypadTestBed::Request> tst_SystemConfigurationWidget::configPosts(int from) const
{
    QList<KeypadTestBed::Request> posts;
    const auto requests = m_bed->requestLog(m_keypad).mid(from);
    for (const auto &request : requests) {
        if (request.method == QLatin1String("POST") && request.path == QLatin1String("/api/v1/config"))
            posts << request;
    }
    return posts;
}

void tst_SystemConfigurationWidget::universeOnlyStaysAtAddress()
{
    startConnectedKeypad(QStringLiteral("Stage"), QStringLiteral("192.168.77.40/24"));
    if (QTest::currentTestFailed())
        return;

    const int from = m_bed->requestLog(m_keypad).size();
    QSignalSpy moved(windowEditor(), &SystemConfigurationWidget::addressChanged);
    windowField<QSpinBox>("universeSpinBox")->setValue(42);
    QTest::mouseClick(windowField<QPushButton>("applyButton"), Qt::LeftButton);

    QTRY_COMPARE_WITH_TIMEOUT(configPosts(from).size(), 2, 10000);
    const auto posts = configPosts(from);
    QVERIFY2(posts.at(0).body.startsWith("name=Stage&universe=42&"), posts.at(0).body.constData());
    QVERIFY(posts.at(0).body.endsWith("&apply=1"));
    QVERIFY(posts.at(1).body.startsWith("&enable_switch=1&"));
    QVERIFY2(!posts.at(1).body.contains("ip="), posts.at(1).body.constData());
    QCOMPARE(moved.count(), 0);
    QVERIFY(keypadConfig(QHostAddress(QStringLiteral("192.168.77.40")))
                .contains("<url>/api/v1/config/universe</url>\n<value>42</value>"));
    QCOMPARE(state()->state(), ConnectionState::Connected);
}

void tst_SystemConfigurationWidget::saveNotReceivedStaysUnsaved_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("refused with an error") << "fault error on";
    QTest::newRow("dropped") << "fault drop 100";
}

void tst_SystemConfigurationWidget::saveNotReceivedStaysUnsaved()
{
    QFETCH(QString, fault);
    startConnectedKeypad(QStringLiteral("Balcony"), QStringLiteral("192.168.77.45/24"));
    if (QTest::currentTestFailed())
        return;
    auto *name = windowField<QLineEdit>("nameEdit");
    auto *save = windowField<QPushButton>("applyButton");
    auto *warning = windowField<QLabel>("warningLabel");

    retype(name, QStringLiteral("Gallery"));
    QCOMPARE(m_bed->command(m_keypad, fault), QStringLiteral("ok"));
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY2(warning->text().contains(
                 QLatin1String("Not on the keypad: the keypad did not receive these settings. Save sends them again.")),
             qPrintable(warning->text()));
    QVERIFY(save->isEnabled());
    QVERIFY(windowEditor()->hasUnsavedChanges());

    // Reading the keypad back keeps the user's name on screen.
    QCOMPARE(m_bed->command(m_keypad, QStringLiteral("fault clear")), QStringLiteral("ok"));
    QSignalSpy read(MSPComm::instance(), &MSPComm::configReceived);
    MSPComm::instance()->requestConfig();
    QVERIFY(read.wait(10000));
    QCOMPARE(SystemConfiguration::instance()->name(), QStringLiteral("Balcony"));
    QCOMPARE(name->text(), QStringLiteral("Gallery"));

    // Save again: now it arrives, and the notice goes.
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(!warning->text().contains(QLatin1String("Not on the keypad")));
    QVERIFY(!save->isEnabled());
    QVERIFY(keypadConfig(QHostAddress(QStringLiteral("192.168.77.45")))
                .contains("<url>/api/v1/config/name</url>\n<value>Gallery</value>"));
}

void tst_SystemConfigurationWidget::renameAndMoveInSubnet()
{
    startConnectedKeypad(QStringLiteral("Lobby"), QStringLiteral("192.168.77.50/24"));
    if (QTest::currentTestFailed())
        return;

    QSignalSpy moved(windowEditor(), &SystemConfigurationWidget::addressChanged);
    retype(windowField<QLineEdit>("nameEdit"), QStringLiteral("Lobby West"));
    retype(windowField<QLineEdit>("addressEdit"), QStringLiteral("192.168.77.60"));
    QVERIFY(!windowField<QLabel>("warningLabel")->isVisible());
    // While the window waits for the keypad on its new address, it says so
    // and counts down; the planned silence is no failure.
    QStringList said;
    bool failureShown = false;
    QSignalSpy states(state(), &ConnectionState::stateChanged);
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        const QString text = m_window->findChild<QLabel *>(QStringLiteral("textLabel"))->text();
        if (said.isEmpty() || said.last() != text)
            said << text;
        failureShown = failureShown
            || m_window->controlPanel()->findChild<QWidget *>(QStringLiteral("connectionFailedFrame"))->isVisible();
    });
    watch.start(20);
    QTest::mouseClick(windowField<QPushButton>("applyButton"), Qt::LeftButton);
    watch.stop();
    QVERIFY2(said.contains(QStringLiteral("Moving the keypad to 192.168.77.60… 2 s left")), qPrintable(said.join('|')));
    QVERIFY2(said.contains(QStringLiteral("Moving the keypad to 192.168.77.60… 1 s left")), qPrintable(said.join('|')));
    QVERIFY(!said.contains(QString()));
    QVERIFY(!failureShown);
    for (const auto &change : states)
        QVERIFY(change.at(0).value<ConnectionState::State>() != ConnectionState::ConnectionLost);

    // The keypad took the name at its old address, then moved; the window
    // waited for it and found it again.
    QCOMPARE(moved.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_bed->simulatorAddress(m_keypad).toString(), QStringLiteral("192.168.77.60"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(MSPComm::instance()->address(), QStringLiteral("192.168.77.60"), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 15000);
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("status")).contains(QLatin1String(" name=Lobby West")));
    QTRY_COMPARE_WITH_TIMEOUT(windowField<QLineEdit>("addressEdit")->text(), QStringLiteral("192.168.77.60"), 10000);
    QVERIFY(windowEditor()->isEnabled());
    QVERIFY(!windowEditor()->isAddressOnly());
}

void tst_SystemConfigurationWidget::unreachableKeypadIsBroughtBack()
{
    // A keypad on another subnet of the same wire: found, but the program
    // cannot talk to it over HTTP.
    KeypadTestBed::SimulatorOptions options;
    options.name = QStringLiteral("Basement");
    options.address = QStringLiteral("192.168.78.10/24");
    startKeypad(options, ConnectionState::Unreachable);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(windowEditor()->isAddressOnly());
    QCOMPARE(m_window->settingsTabs()->currentWidget(), windowEditor());
    auto *address = windowField<QLineEdit>("addressEdit");
    QCOMPARE(address->text(), QStringLiteral("192.168.78.10"));
    QCOMPARE(address->palette().color(QPalette::Text), red);
    QVERIFY(!windowField<QLineEdit>("nameEdit")->isEnabled());

    QSignalSpy moved(windowEditor(), &SystemConfigurationWidget::addressChanged);
    const int from = m_bed->requestLog(m_keypad).size();
    retype(address, QStringLiteral("192.168.77.70"));
    QVERIFY(windowField<QPushButton>("applyButton")->isEnabled());
    QTest::mouseClick(windowField<QPushButton>("applyButton"), Qt::LeftButton);

    QCOMPARE(moved.count(), 1);
    QVERIFY(m_bed->waitForEvent(m_keypad, QStringLiteral("restarted"), 20000));
    QCOMPARE(m_bed->simulatorAddress(m_keypad).toString(), QStringLiteral("192.168.77.70"));
    QTRY_COMPARE_WITH_TIMEOUT(state()->state(), ConnectionState::Connected, 20000);
    QCOMPARE(MSPComm::instance()->address(), QStringLiteral("192.168.77.70"));
    QTRY_COMPARE_WITH_TIMEOUT(SystemConfiguration::instance()->name(), QStringLiteral("Basement"), 10000);
    QVERIFY(!windowEditor()->isAddressOnly());
    QVERIFY(windowField<QLineEdit>("nameEdit")->isEnabled());
    // Nothing was posted while it was out of reach.
    QVERIFY(configPosts(from).isEmpty());
}

QTEST_MAIN(tst_SystemConfigurationWidget)
#include "tst_systemconfigurationwidget.moc"
