// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemconfiguration.h"

#include "modellogging.h"
#include "mspwiretext.h"

namespace {

QString configProperty(const char *key, const QString &value)
{
    return QLatin1String("<property>\n<url>/api/v1/config/") % QLatin1String(key)
            % QLatin1String("</url>\n<value>") % value % QLatin1String("</value>\n</property>");
}

} // namespace

SystemConfiguration *SystemConfiguration::instance()
{
    static SystemConfiguration *const record = new SystemConfiguration;
    return record;
}

SystemConfiguration::SystemConfiguration(QObject *parent)
    : QObject(parent)
    , m_version(tr("Not Available"))
{
    for (bool &enabled : m_enabled)
        enabled = true;
}

SystemConfiguration::~SystemConfiguration() = default;

void SystemConfiguration::setText(QString &field, const QString &value, bool emitSignal,
                                  void (SystemConfiguration::*changed)(const QString &))
{
    if (value == field)
        return;
    field = value;
    if (emitSignal) {
        emit(this->*changed)(field);
        emit configurationChanged();
    }
}

void SystemConfiguration::setName(const QString &name, bool emitSignal)
{
    setText(m_name, name, emitSignal, &SystemConfiguration::nameChanged);
}

void SystemConfiguration::setIpAddress(const QString &address, bool emitSignal)
{
    setText(m_ipAddress, address, emitSignal, &SystemConfiguration::ipAddressChanged);
}

void SystemConfiguration::setVersion(const QString &version, bool emitSignal)
{
    if (version == m_version)
        return;
    m_version = version;
    if (emitSignal)
        emit configurationChanged();
}

bool SystemConfiguration::setInt(int &field, int value, int minimum, int maximum, bool emitSignal,
                                 void (SystemConfiguration::*changed)(int))
{
    if (value < minimum || value > maximum || value == field)
        return false;
    field = value;
    if (emitSignal) {
        emit(this->*changed)(value);
        emit configurationChanged();
    }
    return true;
}

void SystemConfiguration::setUniverse(int universe, bool emitSignal)
{
    setInt(m_universe, universe, 0, maximumUniverse, emitSignal, &SystemConfiguration::universeChanged);
}

void SystemConfiguration::setDravonMode(int mode, bool emitSignal)
{
    setInt(m_DravonMode, mode, 1, 2, emitSignal, &SystemConfiguration::DravonModeChanged);
}

void SystemConfiguration::setLightsPerPort(int lights, bool emitSignal)
{
    setInt(m_lightsPerPort, lights, 1, maximumLightsPerPort, emitSignal, &SystemConfiguration::lightsPerPortChanged);
}

void SystemConfiguration::setNumberOfPorts(int ports, bool emitSignal)
{
    setInt(m_numberOfPorts, ports, 1, maximumNumberOfPorts, emitSignal, &SystemConfiguration::numberOfPortsChanged);
}

void SystemConfiguration::setBrightness(int brightness)
{
    m_brightness = brightness;
    emit brightnessChanged(brightness);
}

void SystemConfiguration::setFixtureClass(int fixtureClass, bool emitSignal)
{
    if (fixtureClass < 0 || fixtureClass >= ColorUtils::PrismalProfileCount)
        fixtureClass = ColorUtils::ProfileGenericRGB;
    if (fixtureClass == m_fixtureClass)
        return;
    m_fixtureClass = ColorUtils::PrismalProfileID(fixtureClass);
    if (emitSignal)
        emit configurationChanged();
}

void SystemConfiguration::setButtonEnabled(int button, bool enabled, bool emitSignal)
{
    if (m_enabled[button] == enabled) {
        if (emitSignal)
            emit configurationChanged();
        return;
    }
    m_enabled[button] = enabled;
    if (emitSignal)
        emit configurationChanged();
    emitButtonChanged(button, enabled);
}

void SystemConfiguration::emitButtonChanged(int button, bool enabled)
{
    switch (button) {
    case 0: emit scene1CheckBoxStateChanged(enabled); break;
    case 1: emit scene2CheckBoxStateChanged(enabled); break;
    case 2: emit scene3CheckBoxStateChanged(enabled); break;
    case 3: emit scene4CheckBoxStateChanged(enabled); break;
    case 4: emit scene5CheckBoxStateChanged(enabled); break;
    case 5: emit scene6CheckBoxStateChanged(enabled); break;
    case 6: emit scene7CheckBoxStateChanged(enabled); break;
    case 7: emit scene8CheckBoxStateChanged(enabled); break;
    case 8: emit onOffCheckBoxStateChanged(enabled); break;
    case 9: emit upCheckBoxStateChanged(enabled); break;
    case 10: emit downCheckBoxStateChanged(enabled); break;
    default: break;
    }
}

bool SystemConfiguration::switchEnabled(int switchNumber) const
{
    return switchNumber >= 1 && switchNumber <= buttonCount && m_enabled[switchNumber - 1];
}

void SystemConfiguration::setSwitchEnabled(int switchNumber, bool enabled, bool emitSignal)
{
    if (switchNumber >= 1 && switchNumber <= buttonCount)
        setButtonEnabled(switchNumber - 1, enabled, emitSignal);
}

void SystemConfiguration::handleDiscovering()
{
    for (int button = 0; button < buttonCount; ++button)
        setButtonEnabled(button, true, false);
}

bool SystemConfiguration::sceneEnabled(int index) const
{
    if (index < 0 || index > 7)
        return true;
    return m_enabled[index];
}

int SystemConfiguration::firstEnabledScene() const
{
    for (int index = 0; index < 8; ++index) {
        if (m_enabled[index])
            return index;
    }
    return 0;
}

bool SystemConfiguration::isVersionNewerThan(const QString &other) const
{
    return compareVersions(m_version, other) > 0;
}

int SystemConfiguration::compareVersions(const QString &a, const QString &b, bool *comparable)
{
    const QStringList first = a.split(QLatin1Char('.'));
    const QStringList second = b.split(QLatin1Char('.'));
    const bool both = first.size() >= 3 && second.size() >= 3;
    if (comparable)
        *comparable = both;
    if (!both)
        return 0;
    for (int i = 0; i < 3; ++i) {
        const int x = first.at(i).toInt();
        const int y = second.at(i).toInt();
        if (x != y)
            return x > y ? 1 : -1;
    }
    return 0;
}

bool SystemConfiguration::isLegacyFirmware(const QString &version)
{
    if (version.split(QLatin1Char('.')).size() < 3)
        return true;
    // Firmware after 1.1.14 resets itself, except every 1.2 version, which
    // is sent the defaults file; 1.3 and later reset themselves again.
    const auto compare = [&version](const char *other) {
        return compareVersions(version, QLatin1String(other));
    };
    const bool line12 = compare("1.2.0") >= 0 && compare("1.3.0") < 0;
    return !(compare("1.1.14") > 0 && !line12);
}

QStringList SystemConfiguration::formBodies(bool includeIp, bool includeBrightness) const
{
    QString settings = QLatin1String("name=") % MSPWireText::formEncoded(m_name)
            % QLatin1String("&universe=") % QString::number(m_universe)
            % QLatin1String("&dravon=") % QString::number(m_DravonMode)
            % QLatin1String("&num_ports=") % QString::number(m_numberOfPorts)
            % QLatin1String("&num_lights=") % QString::number(m_lightsPerPort);
    if (includeBrightness) {
        settings += QLatin1String("&abs_bright=")
                % (m_brightness <= brightnessOff ? QStringLiteral("off") : QString::number(m_brightness));
    }
    settings += QLatin1String("&global_profile=") % QString::number(int(m_fixtureClass));

    // Scenes 1..8, then Down, Up and On/Off: the order the keypad expects.
    static const int order[] = { 0, 1, 2, 3, 4, 5, 6, 7, 10, 9, 8 };
    QString buttons;
    for (const int button : order) {
        buttons += (m_enabled[button] ? QLatin1String("&enable") : QLatin1String("&disable"))
                % QLatin1String("_switch=") % QString::number(button + 1);
    }
    if (includeIp)
        buttons += QLatin1String("&ip=") % MSPWireText::formEncoded(m_ipAddress);

    return { settings, buttons };
}

QString SystemConfiguration::configXML(bool includeIp) const
{
    QString xml = QLatin1String("<config>\n") % configProperty("name", MSPWireText::xmlEscaped(m_name))
            % QLatin1Char('\n');
    if (includeIp)
        xml += configProperty("ip", MSPWireText::xmlEscaped(m_ipAddress)) % QLatin1Char('\n');
    // No line break after the fixture class: the keypad's own layout.
    xml += configProperty("global_profile", QString::number(int(m_fixtureClass)))
            % configProperty("universe", QString::number(m_universe)) % QLatin1Char('\n')
            % configProperty("dravon", QString::number(m_DravonMode)) % QLatin1Char('\n')
            % configProperty("num_ports", QString::number(m_numberOfPorts)) % QLatin1Char('\n')
            % configProperty("num_lights", QString::number(m_lightsPerPort)) % QLatin1Char('\n')
            % configProperty("brightness",
                       m_brightness == brightnessOff ? QStringLiteral("off") : QString::number(m_brightness))
            % QLatin1Char('\n');

    // Scenes 1..8, On/Off, Up, Down: switch numbers 1..11 in order.
    QString switches;
    for (int button = 0; button < buttonCount; ++button) {
        switches += m_enabled[button] ? QLatin1Char('1') : QLatin1Char('0');
        if (button + 1 < buttonCount)
            switches += QLatin1Char(',');
    }
    xml += configProperty("switch_state", switches) % QLatin1String("\n</config>\n");
    return xml;
}

#include "moc_systemconfiguration.cpp"
