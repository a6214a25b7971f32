// SPDX-License-Identifier: GPL-3.0-or-later
#include "startupmarks.h"

StartupMarks::Recorder StartupMarks::s_recorder = nullptr;

void StartupMarks::setRecorder(Recorder recorder)
{
    s_recorder = recorder;
}

void StartupMarks::mark(const char *phase)
{
    if (s_recorder)
        s_recorder(phase);
}
