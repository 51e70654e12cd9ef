#include "app/DisplayFallback.h"

#include <QtGlobal>

namespace {

bool NoDisplayAtAll(const DisplayEnvironment &environment)
{
    return environment.qpaPlatform.isEmpty() && environment.display.isEmpty() &&
           environment.waylandDisplay.isEmpty();
}

} // namespace

bool NeedsOffscreenPlatform(bool commandLineRun, const DisplayEnvironment &environment)
{
    return commandLineRun && NoDisplayAtAll(environment);
}

bool LacksDisplayForWindow(bool commandLineRun, const DisplayEnvironment &environment)
{
    return !commandLineRun && NoDisplayAtAll(environment);
}

DisplayEnvironment CurrentDisplayEnvironment()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")};
}

void SelectOffscreenWithoutDisplay(bool commandLineRun)
{
    if (NeedsOffscreenPlatform(commandLineRun, CurrentDisplayEnvironment()))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
