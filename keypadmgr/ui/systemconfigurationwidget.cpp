// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemconfigurationwidget.h"
#include "ui_systemconfigurationwidget.h"

#include "ip4validator.h"

#include "colorutils.h"
#include "connectionstate.h"
#include "discoverer.h"
#include "dravon.h"
#include "mspcomm.h"
#include "systemconfiguration.h"

#include <QApplication>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

// One to 31 characters the keypad can store in its Latin-1 name and that
// keep its form bodies and files well formed: printable Latin-1 without
// the double quote (0x22), the ampersand (0x26) and the comma (0x2C).
const char namePattern[] =
    "[\\x{20}\\x{21}\\x{23}-\\x{25}\\x{27}-\\x{2B}\\x{2D}-\\x{7E}\\x{A0}-\\x{FF}]{1,31}";

const QColor warningColor(255, 0, 0);

// How long a Save waits for the keypad to answer its settings.
constexpr int configurationAnswerWait = 5000;

QString warningPiece(const QString &text)
{
    return QLatin1String("<font color='red'>") + text + QLatin1String("</font>");
}

// The PC's addresses a keypad cannot take: the interface chosen for the
// keypad, or every interface when any may be used.
QList<QNetworkAddressEntry> ownAddressEntries()
{
    QHostAddress ip;
    uint netmask = 0;
    QHostAddress broadcast;
    Discoverer::instance()->dravon()->getInterface(ip, netmask, broadcast);
    if (!ip.isNull() && ip != QHostAddress(QHostAddress::AnyIPv4) && ip != QHostAddress(QHostAddress::Any)) {
        QNetworkAddressEntry entry;
        entry.setIp(ip);
        entry.setNetmask(QHostAddress(quint32(netmask)));
        return {entry};
    }
    QList<QNetworkAddressEntry> entries;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto addresses = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : addresses) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.ip().isLoopback())
                entries << entry;
        }
    }
    return entries;
}

} // namespace

SystemConfigurationWidget::SystemConfigurationWidget(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::SysConfig>())
{
    ui->setupUi(this);
    // The fields scroll inside the tab's own background; the warning and the
    // buttons below them stay in view however short the window is.
    ui->scrollArea->viewport()->setAutoFillBackground(false);
    ui->scrollAreaWidgetContents->setAutoFillBackground(false);
    ui->nameEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(namePattern)), this));
    m_addressValidator = new IP4Validator(this);
    ui->addressEdit->setValidator(m_addressValidator);
    ui->fixtureClassComboBox->addItems(ColorUtils::prismalProfileIDNameList(true));
    ui->warningLabel->hide();
    ui->revertButton->setEnabled(false);
    ui->applyButton->setEnabled(false);

    connect(ui->nameEdit, &QLineEdit::textEdited, this, &SystemConfigurationWidget::handleFieldChanged);
    connect(ui->addressEdit, &QLineEdit::textEdited, this, &SystemConfigurationWidget::handleFieldChanged);
    // A keystroke or paste the field refuses is said, not swallowed. The
    // notice stays while the user types on in that field and goes when it
    // is emptied or the other one is edited.
    connect(ui->nameEdit, &QLineEdit::inputRejected, this, [this] {
        m_inputNoticeField = ui->nameEdit;
        m_inputNotice = ui->nameEdit->text().size() >= ui->nameEdit->maxLength()
            ? tr("A name holds at most %1 characters; the rest was not taken.").arg(ui->nameEdit->maxLength())
            : tr("A name cannot contain an ampersand (&), a comma (,), a double quote (\") or characters the "
                 "keypad cannot store; that was not taken.");
        showWarning();
    });
    connect(ui->addressEdit, &QLineEdit::inputRejected, this, [this] {
        m_inputNoticeField = ui->addressEdit;
        m_inputNotice = m_addressValidator->refusalReason();
        if (m_inputNotice.isEmpty())
            m_inputNotice = tr("An address has at most %1 characters; the rest was not taken.")
                                .arg(ui->addressEdit->maxLength());
        showWarning();
    });
    for (QLineEdit *edit : {ui->nameEdit, ui->addressEdit}) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            // Emptying the field starts it afresh.
            if (m_inputNotice.isEmpty() || (edit == m_inputNoticeField && !edit->text().isEmpty()))
                return;
            m_inputNotice.clear();
            showWarning();
        });
    }
    for (QSpinBox *spinBox : {ui->universeSpinBox, ui->DravonModeSpinBox, ui->lightsPerPortSpinBox,
                              ui->numberOfPortsSpinBox}) {
        connect(spinBox, qOverload<int>(&QSpinBox::valueChanged), this, &SystemConfigurationWidget::handleFieldChanged);
    }
    const auto boxes = buttonBoxes();
    for (const ButtonBox &button : boxes)
        connect(button.box, &QCheckBox::stateChanged, this, &SystemConfigurationWidget::handleFieldChanged);
    connect(ui->fixtureClassComboBox, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &SystemConfigurationWidget::handleFieldChanged);
    connect(SystemConfiguration::instance(), &SystemConfiguration::configurationChanged, this,
            &SystemConfigurationWidget::handleSysConfigChanged);

    fillFromRecord();
}

SystemConfigurationWidget::~SystemConfigurationWidget() = default;

QList<SystemConfigurationWidget::ButtonBox> SystemConfigurationWidget::buttonBoxes() const
{
    // The keypad's switch numbers: scenes 1..8, On/Off 9, Up 10, Down 11.
    return {{ui->scene1CheckBox, 1}, {ui->scene2CheckBox, 2}, {ui->scene3CheckBox, 3}, {ui->scene4CheckBox, 4},
            {ui->scene5CheckBox, 5}, {ui->scene6CheckBox, 6}, {ui->scene7CheckBox, 7}, {ui->scene8CheckBox, 8},
            {ui->downCheckBox, 11},  {ui->upCheckBox, 10},    {ui->onOffCheckBox, 9}};
}

QString SystemConfigurationWidget::enteredAddress() const
{
    // "192.168.077.010" is the keypad's "192.168.77.10": the same address,
    // not a move, and the form the keypad and the subnet test read. An
    // empty field is no address at all (normalising would make it "0").
    const QString text = ui->addressEdit->text();
    return text.isEmpty() ? text : MSPComm::normalizeAddress(text);
}

void SystemConfigurationWidget::setTextColor(QLineEdit *edit, const QColor &color)
{
    // Only the enabled look: a disabled field keeps the style's grey.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Active, QPalette::Text, color);
    palette.setColor(QPalette::Inactive, QPalette::Text, color);
    edit->setPalette(palette);
}

void SystemConfigurationWidget::takeAddressFocus()
{
    // Draw the eye to the address, but never pull the keyboard out of
    // another field while the user types there: the rest of a name would
    // land in the address.
    const QWidget *focus = QApplication::focusWidget();
    if (focus && focus != ui->addressEdit && isAncestorOf(focus))
        return;
    ui->addressEdit->setFocus();
}

void SystemConfigurationWidget::handleFieldChanged()
{
    if (m_filling || ConnectionState::instance()->state() == ConnectionState::DemoMode)
        return;
    ui->revertButton->setEnabled(true);

    QString warning;
    const QString unusable = ui->addressEdit->hasAcceptableInput()
        ? IP4Validator::unusableReason(enteredAddress(), ownAddressEntries())
        : QString();
    const bool addressAcceptable = ui->addressEdit->hasAcceptableInput() && unusable.isEmpty();
    if (!unusable.isEmpty()) {
        warning = warningPiece(unusable.toHtmlEscaped());
        setTextColor(ui->addressEdit, warningColor);
    } else if (addressAcceptable) {
        if (!MSPComm::instance()->isAddressReachable(enteredAddress())) {
            warning = warningPiece(tr("Changing the device's IP address to this value may prevent its light "
                                      "<br>settings from being available through this application."));
            setTextColor(ui->addressEdit, warningColor);
            takeAddressFocus();
        } else {
            setTextColor(ui->addressEdit, Qt::black);
        }
    }

    // Only fields the user can edit count: in address-only mode the name and
    // the buttons are the keypad's own and cannot be corrected here.
    bool nameAcceptable = true;
    if (ui->nameEdit->isEnabled()) {
        nameAcceptable = ui->nameEdit->hasAcceptableInput();
        if (!nameAcceptable) {
            // Typing cannot get a refused character past the validator, but
            // a record filled from a keypad or a file can hold one.
            const QString text = ui->nameEdit->text().isEmpty()
                ? tr("The device's name cannot be empty.")
                : tr("The device's name cannot contain an ampersand, a comma, a double quote or characters "
                     "the keypad cannot store.");
            warning += QLatin1String("<br><br>") + warningPiece(text);
        }
        setTextColor(ui->nameEdit, nameAcceptable ? QColor(Qt::black) : warningColor);
    }

    bool sceneEnabled = !ui->groupBox->isEnabled();
    const auto boxes = buttonBoxes();
    for (const ButtonBox &button : boxes) {
        // Up, Down and On/Off alone leave the keypad without a scene to play.
        if (button.switchNumber <= 8 && button.box->isChecked())
            sceneEnabled = true;
    }
    if (!sceneEnabled)
        warning += QLatin1String("<br><br>") + warningPiece(tr("At least one scene button must be enabled."));

    m_fieldWarning = warning;
    showWarning();
    ui->applyButton->setEnabled(addressAcceptable && nameAcceptable && sceneEnabled);
}

void SystemConfigurationWidget::showWarning()
{
    // A refused keystroke first, then the fields' warnings, then why the
    // buttons cannot be changed.
    QString warning = m_fieldWarning;
    if (m_notOnKeypad) {
        const QString notice = warningPiece(
            tr("Not on the keypad: the keypad did not receive these settings. Save sends them again.").toHtmlEscaped());
        warning = warning.isEmpty() ? notice : notice + QLatin1String("<br><br>") + warning;
    }
    if (!m_inputNotice.isEmpty()) {
        const QString notice = warningPiece(m_inputNotice.toHtmlEscaped());
        warning = warning.isEmpty() ? notice : notice + QLatin1String("<br><br>") + warning;
    }
    const QString note = ui->groupBox->toolTip();
    if (!note.isEmpty() && !m_addressOnly) {
        if (!warning.isEmpty())
            warning += QLatin1String("<br><br>");
        warning += note.toHtmlEscaped();
    }
    ui->warningLabel->setText(warning);
    ui->warningLabel->setVisible(!warning.isEmpty());
}

void SystemConfigurationWidget::saveToRecord()
{
    SystemConfiguration *config = SystemConfiguration::instance();
    config->setName(ui->nameEdit->text(), false);
    const QString address = enteredAddress();
    if (address != config->ipAddress())
        config->setIpAddress(address, false);
    config->setUniverse(ui->universeSpinBox->value(), false);
    config->setDravonMode(ui->DravonModeSpinBox->value(), false);
    config->setLightsPerPort(ui->lightsPerPortSpinBox->value(), false);
    config->setNumberOfPorts(ui->numberOfPortsSpinBox->value(), false);
    const auto profiles = ColorUtils::prismalProfileIDList(true);
    const int index = ui->fixtureClassComboBox->currentIndex();
    if (index >= 0 && index < profiles.size())
        config->setFixtureClass(profiles.at(index), false);
    const auto boxes = buttonBoxes();
    for (const ButtonBox &button : boxes)
        config->setSwitchEnabled(button.switchNumber, button.box->isChecked(), false);
}

bool SystemConfigurationWidget::hasUnsavedChanges() const
{
    if (m_notOnKeypad)
        return true;
    const SystemConfiguration *config = SystemConfiguration::instance();
    const auto profiles = ColorUtils::prismalProfileIDList(true);
    const int profile = ui->fixtureClassComboBox->currentIndex();
    if (ui->nameEdit->text() != config->name() || enteredAddress() != config->ipAddress()
        || ui->universeSpinBox->value() != config->universe() || ui->DravonModeSpinBox->value() != config->DravonMode()
        || ui->lightsPerPortSpinBox->value() != config->lightsPerPort()
        || ui->numberOfPortsSpinBox->value() != config->numberOfPorts()
        || (profile >= 0 && profile < profiles.size() && profiles.at(profile) != config->fixtureClass()))
        return true;
    // Older firmware shows every button checked whatever the record says.
    if (!m_buttonsSupported)
        return false;
    const auto boxes = buttonBoxes();
    for (const ButtonBox &button : boxes) {
        if (button.box->isChecked() != config->switchEnabled(button.switchNumber))
            return true;
    }
    return false;
}

bool SystemConfigurationWidget::canSave() const
{
    return ui->applyButton->isEnabled();
}

void SystemConfigurationWidget::on_applyButton_clicked()
{
    ui->revertButton->setEnabled(false);
    ui->applyButton->setEnabled(false);

    SystemConfiguration *config = SystemConfiguration::instance();
    const QString address = enteredAddress();
    const bool moved = address != config->ipAddress();
    saveToRecord();

    // A connected keypad takes the settings and, when asked, its new
    // address. An unreachable one cannot be posted to, but the set-IP
    // broadcast reaches it on the same link: that is how it is brought into
    // the interface's subnet.
    const ConnectionState::State state = ConnectionState::instance()->state();
    if (state != ConnectionState::Connected && !(state == ConnectionState::Unreachable && moved))
        return;
    MSPComm *comm = MSPComm::instance();
    // A move is followed by its own countdown and result; settings that
    // stay at the address are Saved only once the keypad has answered.
    if (!moved)
        comm->startCountingChanges();
    comm->postConfiguration(config->formBodies(false, false), moved ? address : QString());
    if (moved) {
        // A reading of the keypad answered while the settings went out
        // holds the address it is leaving.
        config->setIpAddress(address, false);
        emit addressChanged();
        return;
    }
    const bool received = comm->finishCountingChanges(configurationAnswerWait).isEmpty();
    setNotOnKeypad(!received);
}

void SystemConfigurationWidget::setNotOnKeypad(bool notOnKeypad)
{
    // Settings the keypad did not receive stay the user's unsaved changes:
    // reading the keypad back must not replace them, Save sends them again
    // and Undo shows what the keypad keeps.
    m_notOnKeypad = notOnKeypad;
    if (notOnKeypad) {
        ui->revertButton->setEnabled(true);
        ui->applyButton->setEnabled(true);
    }
    showWarning();
}

void SystemConfigurationWidget::setEnabled(bool enabled)
{
    if (enabled && ConnectionState::instance()->state() == ConnectionState::DemoMode) {
        ui->revertButton->setEnabled(false);
        ui->applyButton->setEnabled(false);
    }
    QWidget::setEnabled(enabled);
}

void SystemConfigurationWidget::on_revertButton_clicked()
{
    ui->revertButton->setEnabled(false);
    ui->applyButton->setEnabled(false);
    m_fieldWarning.clear();
    m_inputNotice.clear();
    // The record holds what was sent, not what the keypad keeps: read it.
    if (m_notOnKeypad && ConnectionState::instance()->state() == ConnectionState::Connected)
        MSPComm::instance()->requestConfig();
    m_notOnKeypad = false;
    showWarning();
    fillFromRecord();
    setTextColor(ui->nameEdit, Qt::black);
    setTextColor(ui->addressEdit, Qt::black);
}

void SystemConfigurationWidget::handleSysConfigChanged()
{
    // Every configuration reply from the keypad reports the record changed,
    // and the window fetches one whenever the connection comes back; that
    // must not wipe what the user is typing. Undo shows the record.
    if (ui->revertButton->isEnabled())
        return;
    fillFromRecord();
}

void SystemConfigurationWidget::fillFromRecord()
{
    const SystemConfiguration *config = SystemConfiguration::instance();
    m_filling = true;
    ui->nameEdit->setText(config->name());
    ui->addressEdit->setText(config->ipAddress());
    ui->universeSpinBox->setValue(config->universe());
    ui->DravonModeSpinBox->setValue(config->DravonMode());
    ui->lightsPerPortSpinBox->setValue(config->lightsPerPort());
    ui->numberOfPortsSpinBox->setValue(config->numberOfPorts());
    ui->versionLabel->setText(config->version());
    ui->fixtureClassComboBox->setCurrentIndex(ColorUtils::prismalProfileIDList(true).indexOf(config->fixtureClass()));

    // Older firmware answers every button whatever it is told.
    m_buttonsSupported = !SystemConfiguration::isLegacyFirmware(config->version());
    ui->groupBox->setEnabled(m_buttonsSupported && !m_addressOnly);
    // A greyed group says why.
    ui->groupBox->setToolTip(buttonsNote(config->version()));
    const auto boxes = buttonBoxes();
    for (const ButtonBox &button : boxes)
        button.box->setChecked(!m_buttonsSupported || config->switchEnabled(button.switchNumber));
    m_filling = false;
    showWarning();
}

QString SystemConfigurationWidget::buttonsNote(const QString &version)
{
    if (!SystemConfiguration::isLegacyFirmware(version))
        return QString();
    if (version.split(QLatin1Char('.')).size() < 3)
        return tr("The keypad's firmware version is not known, so its buttons cannot be enabled or disabled here.");
    return tr("Firmware %1 cannot enable or disable the keypad's buttons: all of them stay enabled.").arg(version);
}

void SystemConfigurationWidget::setAddressOnly(bool addressOnly)
{
    m_addressOnly = addressOnly;
    for (QWidget *field : {static_cast<QWidget *>(ui->nameEdit), static_cast<QWidget *>(ui->universeSpinBox),
                           static_cast<QWidget *>(ui->DravonModeSpinBox),
                           static_cast<QWidget *>(ui->lightsPerPortSpinBox),
                           static_cast<QWidget *>(ui->numberOfPortsSpinBox),
                           static_cast<QWidget *>(ui->fixtureClassComboBox)}) {
        field->setEnabled(!addressOnly);
    }
    ui->groupBox->setEnabled(m_buttonsSupported && !addressOnly);
    showWarning();
    ui->addressEdit->setEnabled(true);
    if (!addressOnly) {
        setTextColor(ui->addressEdit, Qt::black);
    } else if (!MSPComm::instance()->isAddressReachable(enteredAddress())) {
        setTextColor(ui->addressEdit, warningColor);
        ui->addressEdit->setFocus();
    }
}

void SystemConfigurationWidget::showEvent(QShowEvent *event)
{
    rebuildFixtureComboBox();
    QWidget::showEvent(event);
}

void SystemConfigurationWidget::rebuildFixtureComboBox()
{
    // A fresh box each time the tab is shown, so the profile names are those
    // of the profile table now.
    QComboBox *old = ui->fixtureClassComboBox;
    auto *combo = new QComboBox(this);
    combo->setObjectName(old->objectName());
    combo->setAccessibleName(old->accessibleName());
    combo->setSizePolicy(old->sizePolicy());
    combo->addItems(ColorUtils::prismalProfileIDNameList(true));
    {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(old->currentIndex());
    }
    combo->setEnabled(old->isEnabledTo(this));
    delete ui->formLayout->replaceWidget(old, combo);
    ui->fixtureClassLabel->setBuddy(combo);
    setTabOrder(ui->numberOfPortsSpinBox, combo);
    setTabOrder(combo, ui->scene1CheckBox);
    ui->fixtureClassComboBox = combo;
    delete old;
    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &SystemConfigurationWidget::handleFieldChanged);
}
