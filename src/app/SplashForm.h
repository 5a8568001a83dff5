// TSplashForm: the window shown while the main window is created - no border
// or caption, centred on the screen, 423 by 372 pixels, one picture inside a
// lowered bevel. The picture is drawn in code.
#pragma once

#include <QPixmap>
#include <QSplashScreen>

class TSplashForm : public QSplashScreen {
    Q_OBJECT

public:
    static constexpr int SplashWidth = 423;
    static constexpr int SplashHeight = 372;

    TSplashForm();

    // Shows the window and paints it at once, before the event loop runs.
    void showNow();
};

// The splash picture with its bevel, at the splash window's size.
QPixmap splashPicture(qreal devicePixelRatio = 1.0);
