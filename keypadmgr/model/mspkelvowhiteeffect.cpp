// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspkelvowhiteeffect.h"

MSPKelvoWhiteEffect::MSPKelvoWhiteEffect(QObject *parent)
    : MSPWhiteEffect(parent, KelvoWhite)
{
}

MSPKelvoWhiteEffect::~MSPKelvoWhiteEffect() = default;

#include "moc_mspkelvowhiteeffect.cpp"
