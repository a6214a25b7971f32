// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadwindowtitle.h"

#include "connectionstate.h"
#include "mspcomm.h"
#include "systemconfiguration.h"


KeypadWindowTitle::KeypadWindowTitle(QObject *parent)
    : QObject(parent)
{
    SystemConfiguration *config = SystemConfiguration::instance();
    connect(config, &SystemConfiguration::configurationChanged, this, &KeypadWindowTitle::changed);
    connect(config, &SystemConfiguration::ipAddressChanged, this, &KeypadWindowTitle::changed);
    connect(ConnectionState::instance(), &ConnectionState::stateChanged, this, &KeypadWindowTitle::changed);
}

KeypadWindowTitle::~KeypadWindowTitle() = default;

QString KeypadWindowTitle::title()
{
    const QString program = tr("Lumetra Keypad Effect Manager");
    const QString address = MSPComm::instance()->address();
    if (address.isEmpty() || ConnectionState::instance()->state() == ConnectionState::DemoMode)
        return program;
    const SystemConfiguration *config = SystemConfiguration::instance();
    const QString keypad = config->name().isEmpty()
        ? tr("%1 (firmware %2)").arg(address, config->version())
        : tr("%1 (%2, firmware %3)").arg(config->name(), address, config->version());
    return tr("%1 - %2").arg(keypad, program);
}
