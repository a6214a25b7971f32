// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(tr("Lumetra Keypad Effect Manager"));
    resize(1024, 720);
}

MainWindow::~MainWindow() = default;
