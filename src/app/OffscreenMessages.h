#pragma once

// On Qt's offscreen platform (a command-line run without a display) the
// platform plugin warns about window features it leaves out, such as size
// hints, each time a window is shown. Nothing is wrong and nobody can act
// on it; on a terminal the lines only hide the run's own. This filter drops
// exactly those warnings and hands every other message on unchanged.
void QuietOffscreenPluginWarnings();
