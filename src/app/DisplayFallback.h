#pragma once

#include <QByteArray>

// A command-line run needs no person, so it must not fail for want of a
// screen: where no display answers (none is named in DISPLAY or
// WAYLAND_DISPLAY, or the one named does not answer) and no platform is
// chosen in QT_QPA_PLATFORM, it runs on Qt's offscreen platform. A plain
// start (a command line of at most one character) needs a person at the
// window: without a display it ends with a reason rather than with an
// invisible window nobody could close, or with the abort of Qt's platform
// plugin.
struct DisplayEnvironment
{
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray display;        // DISPLAY
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    // Whether the servers they name answer (false for an empty name).
    bool xAnswers = false;
    bool waylandAnswers = false;
};

bool NeedsOffscreenPlatform(bool commandLineRun, const DisplayEnvironment &environment);
// Whether the start needs a window that no display could show.
bool LacksDisplayForWindow(bool commandLineRun, const DisplayEnvironment &environment);
// The platform Qt is to use: "offscreen" as above; "wayland" when only the
// Wayland compositor answers (Qt could pick the X platform, whose plugin
// aborts); empty when Qt's own choice can work or the person made one.
QByteArray PlatformToChoose(bool commandLineRun, const DisplayEnvironment &environment);
// The named display that does not answer ("" when none was named), for the
// reason a plain start ends with.
QByteArray UnreachableDisplayName(const DisplayEnvironment &environment);

// The variables of this process's environment, and whether their servers
// answer (asked only when no platform is chosen).
DisplayEnvironment CurrentDisplayEnvironment();

// Sets QT_QPA_PLATFORM to what PlatformToChoose says, if anything. Call
// before the application object is created.
void ChoosePlatform(bool commandLineRun, const DisplayEnvironment &environment);
