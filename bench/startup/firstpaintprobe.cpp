// SPDX-License-Identifier: GPL-3.0-or-later
#include "firstpaintprobe.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <ctime>

FirstPaintProbe::FirstPaintProbe(QObject *watched)
    : QObject(watched)
{
    watched->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_seen && event->type() == QEvent::Paint) {
        m_seen = true;
        timespec now {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        // The clock is taken before the paint itself; the frame's content
        // is not what is measured, only that the window got that far.
        std::printf("first_paint_ns %lld\n",
                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        QCoreApplication::quit();
    }
    return QObject::eventFilter(watched, event);
}
