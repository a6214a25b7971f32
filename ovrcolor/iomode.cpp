// SPDX-License-Identifier: GPL-3.0-or-later
#include "iomode.h"

IOMode::IOMode(ColorUtils::IOModeID id, const QString &name, bool is3toN, bool isNtoN,
               ColorUtils::ChannelConfiguration inputConfiguration,
               const QList<ColorUtils::PrismalMode> &availablePrismalEnabled)
    : m_id(id)
    , m_name(name)
    , m_is3toN(is3toN)
    , m_isNtoN(isNtoN)
    , m_inputConfiguration(inputConfiguration)
    , m_availablePrismalEnabled(availablePrismalEnabled)
{
}
