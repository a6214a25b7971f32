// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSplashScreen>

/** The start-up splash: the product image with the version drawn on it. */
class SplashScreen : public QSplashScreen
{
    Q_OBJECT
    Q_DISABLE_COPY(SplashScreen)
public:
    SplashScreen();

    /**
     * Starts reading the splash image in a thread of its own while the main
     * window is built; the constructor takes the image from there.
     */
    static void preload();

    /** "Version 1.3 20131127-196". */
    static QString versionLine();

protected:
    void drawContents(QPainter *painter) override;
};
