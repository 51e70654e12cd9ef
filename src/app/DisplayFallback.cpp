#include "app/DisplayFallback.h"

#include <QtGlobal>

bool NeedsOffscreenPlatform(bool commandLineRun, const DisplayEnvironment &environment)
{
    return commandLineRun && environment.qpaPlatform.isEmpty() && environment.display.isEmpty() &&
           environment.waylandDisplay.isEmpty();
}

void SelectOffscreenWithoutDisplay(bool commandLineRun)
{
    const DisplayEnvironment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"),
                                         qgetenv("WAYLAND_DISPLAY")};
    if (NeedsOffscreenPlatform(commandLineRun, environment))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
