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

void FirstPaintProbe::mark(const char *phase)
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("phase %s %lld\n", phase,
                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
}

bool FirstPaintProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_seen && event->type() == QEvent::Paint) {
        m_seen = true;
        // Taken before the frame is drawn: what counts is that the window
        // got this far, not how long its first frame takes.
        mark("first_paint");
        QCoreApplication::quit();
    }
    return QObject::eventFilter(watched, event);
}
