// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

/**
 * Ends a start-up measurement at the watched widget's first paint and
 * quits the event loop; later paint events pass through untouched.
 *
 * Milestones go to standard output as "phase <name> <CLOCK_MONOTONIC ns>",
 * the last one being "phase first_paint ..."; that clock is system-wide,
 * so the runner subtracts the moment it started the process.
 */
class FirstPaintProbe : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FirstPaintProbe)
public:
    explicit FirstPaintProbe(QObject *watched);

    /** Writes one milestone line. */
    static void mark(const char *phase);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_seen = false;
};
