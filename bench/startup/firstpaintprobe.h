// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

/**
 * Ends a start-up measurement at the watched widget's first paint: writes
 * "first_paint_ns <CLOCK_MONOTONIC nanoseconds>" to standard output, so the
 * runner can subtract the moment it started the process, and quits the
 * event loop. Later paint events pass through untouched.
 */
class FirstPaintProbe : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FirstPaintProbe)
public:
    explicit FirstPaintProbe(QObject *watched);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_seen = false;
};
