// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspwhiteeffect.h"

/** Type 7: white from the fixture's own white channels; otherwise as type 6. */
class MSPKelvoWhiteEffect : public MSPWhiteEffect
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPKelvoWhiteEffect)
public:
    explicit MSPKelvoWhiteEffect(QObject *parent = nullptr);
    ~MSPKelvoWhiteEffect() override;
};
