// SPDX-License-Identifier: GPL-3.0-or-later
#include "eepromaddress.h"

EEPROMAddress::EEPROMAddress()
    : m_mode(0)
    , m_a1(0x54)
    , m_a2(0x49)
    , m_a3(0x54)
    , m_a4(0x53)
{
}

EEPROMAddress::EEPROMAddress(unsigned char a1, unsigned char a2, unsigned char a3,
                             unsigned char a4)
    : m_mode(1)
    , m_a1(a1)
    , m_a2(a2)
    , m_a3(a3)
    , m_a4(a4)
{
}

EEPROMAddress::EEPROMAddress(int n)
    : m_mode(2)
    , m_a1(0xFF)
    , m_a2(0xFF)
    , m_a3((n >> 8) & 0xFF)
    , m_a4(n & 0xFF)
{
}
