// SPDX-License-Identifier: GPL-3.0-or-later
//
// The baseline for the start-up benchmark: the least a Qt Widgets program
// does to put a main window on screen, quitting at its first paint.
#include "firstpaintprobe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    FirstPaintProbe::mark("main");
    QApplication app(argc, argv);
    FirstPaintProbe::mark("application");
    QMainWindow window;
    new FirstPaintProbe(&window);
    FirstPaintProbe::mark("window_built");
    window.show();
    FirstPaintProbe::mark("shown");
    return app.exec();
}
