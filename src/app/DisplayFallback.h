#pragma once

#include <QByteArray>

// A command-line run needs no person, so it must not fail for want of a
// screen: where no display is available (no DISPLAY, no WAYLAND_DISPLAY and
// no platform chosen in QT_QPA_PLATFORM) it runs on Qt's offscreen platform.
// A plain start (a command line of at most one character) needs a person at
// the window: without a display it ends with a reason rather than with an
// invisible window nobody could close, or with the abort of Qt's platform
// plugin.
struct DisplayEnvironment
{
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray display;        // DISPLAY
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
};

bool NeedsOffscreenPlatform(bool commandLineRun, const DisplayEnvironment &environment);
// Whether the start needs a window that no display could show.
bool LacksDisplayForWindow(bool commandLineRun, const DisplayEnvironment &environment);

// The variables of this process's environment.
DisplayEnvironment CurrentDisplayEnvironment();

// Reads the environment and sets QT_QPA_PLATFORM=offscreen when needed.
// Call before the application object is created.
void SelectOffscreenWithoutDisplay(bool commandLineRun);
