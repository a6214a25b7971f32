// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/**
 * Milestones of the program's start-up (the steps of building the main
 * window, the first paint, the work put off until after it). The program
 * itself records nothing; the start-up benchmark sets a recorder that
 * prints each milestone with its time.
 */
class StartupMarks
{
public:
    using Recorder = void (*)(const char *phase);

    /** Where milestones go from now on; nullptr records nothing. */
    static void setRecorder(Recorder recorder);
    /** Records one milestone, if a recorder is set. */
    static void mark(const char *phase);

private:
    static Recorder s_recorder;
};
