#pragma once

#include <QByteArray>

// A command-line run needs no person, so it must not fail for want of a
// screen: where no display is available (no DISPLAY, no WAYLAND_DISPLAY and
// no platform chosen in QT_QPA_PLATFORM) it runs on Qt's offscreen platform.
// A plain start keeps Qt's own refusal: an invisible window nobody can
// close would only hang.
struct DisplayEnvironment
{
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray display;        // DISPLAY
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
};

bool NeedsOffscreenPlatform(bool commandLineRun, const DisplayEnvironment &environment);

// Reads the environment and sets QT_QPA_PLATFORM=offscreen when needed.
// Call before the application object is created.
void SelectOffscreenWithoutDisplay(bool commandLineRun);
