#include "app/DisplayFallback.h"

#include "app/DisplayProbe.h"

#include <QtGlobal>

namespace {

bool NoDisplayAnswers(const DisplayEnvironment &environment)
{
    return environment.qpaPlatform.isEmpty() && !environment.xAnswers && !environment.waylandAnswers;
}

} // namespace

bool NeedsOffscreenPlatform(bool commandLineRun, const DisplayEnvironment &environment)
{
    return commandLineRun && NoDisplayAnswers(environment);
}

bool LacksDisplayForWindow(bool commandLineRun, const DisplayEnvironment &environment)
{
    return !commandLineRun && NoDisplayAnswers(environment);
}

QByteArray PlatformToChoose(bool commandLineRun, const DisplayEnvironment &environment)
{
    if (NeedsOffscreenPlatform(commandLineRun, environment))
        return "offscreen";
    if (environment.qpaPlatform.isEmpty() && !environment.xAnswers && environment.waylandAnswers)
        return "wayland";
    return {};
}

QByteArray UnreachableDisplayName(const DisplayEnvironment &environment)
{
    if (!environment.display.isEmpty() && !environment.xAnswers)
        return environment.display;
    if (!environment.waylandDisplay.isEmpty() && !environment.waylandAnswers)
        return environment.waylandDisplay;
    return {};
}

DisplayEnvironment CurrentDisplayEnvironment()
{
    DisplayEnvironment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"),
                                   qgetenv("WAYLAND_DISPLAY")};
    if (environment.qpaPlatform.isEmpty()) {
        environment.xAnswers = XServerAnswers(environment.display);
        environment.waylandAnswers =
            WaylandServerAnswers(environment.waylandDisplay, qgetenv("XDG_RUNTIME_DIR"));
    }
    return environment;
}

void ChoosePlatform(bool commandLineRun, const DisplayEnvironment &environment)
{
    const QByteArray platform = PlatformToChoose(commandLineRun, environment);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}
