// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class MainWindow : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(MainWindow)
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;
};
