// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dravonlib_export.h"

/**
 * Names the fixture or fixtures an EEPROMWriter command is meant for.
 *
 * Only the four address bytes a1..a4 travel in commands; the mode records
 * how the address was made: 0 every fixture (the default constructor, bytes
 * 0x54 0x49 0x54 0x53), 1 four explicit bytes, 2 a fixture number n
 * (0xFF, 0xFF, n bits 15..8, n bits 7..0).
 */
class DRAVONLIB_EXPORT EEPROMAddress
{
public:
    EEPROMAddress();
    EEPROMAddress(unsigned char a1, unsigned char a2, unsigned char a3, unsigned char a4);
    explicit EEPROMAddress(int n);

    int mode() const { return m_mode; }
    unsigned char a1() const { return static_cast<unsigned char>(m_a1); }
    unsigned char a2() const { return static_cast<unsigned char>(m_a2); }
    unsigned char a3() const { return static_cast<unsigned char>(m_a3); }
    unsigned char a4() const { return static_cast<unsigned char>(m_a4); }

private:
    int m_mode;
    int m_a1;
    int m_a2;
    int m_a3;
    int m_a4;
};
