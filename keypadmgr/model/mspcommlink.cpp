// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcommlink.h"

#include <QEventLoop>
#include <QTimer>

namespace {

class OfflineLink final : public MSPCommLink
{
};

MSPCommLink *registeredLink = nullptr;

} // namespace

MSPCommLink::~MSPCommLink()
{
    if (registeredLink == this)
        registeredLink = nullptr;
}

MSPCommLink *MSPCommLink::instance()
{
    if (registeredLink)
        return registeredLink;
    static OfflineLink offline;
    return &offline;
}

void MSPCommLink::setInstance(MSPCommLink *link)
{
    registeredLink = link;
}

void MSPCommLink::requestShow(int, bool)
{
}

void MSPCommLink::postToDevice(const QString &, QString, bool, bool, bool)
{
}

void MSPCommLink::waitProcessingEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
