#include "recorders/DriveDecisions.h"

#include "reclib_api.h"

#include <algorithm>

namespace reclib {

int64_t driveCapacitySectors(MediumKind kind, bool blank, int64_t availableBytes)
{
    if (availableBytes > 0)
        return availableBytes / SECTOR_SIZE;
    // libburn reports no free space on a written sequential disc; once it is
    // erased for the burn, the whole disc is free again.
    if (!blank && traitsOf(kind).rewritable)
        return traitsOf(kind).capacitySectors;
    return 0;
}

int blankingSpeedFor(const std::vector<ReportedSpeed> &speeds, int loadedProfile)
{
    int fastest = 0;
    for (const ReportedSpeed &speed : speeds)
        if (speed.loadedProfile == loadedProfile)
            fastest = std::max(fastest, speed.writeSpeed);
    return fastest;
}

bool askBeforeOverwriting(bool blank, bool rewritable, bool checkRequested)
{
    return !blank && rewritable && checkRequested;
}

std::string noWritableDiscText(const std::string &recorder)
{
    return "There is no writable disc in " + recorder;
}

std::string notOverwrittenText(MediumKind kind)
{
    return "The written " + std::string(traitsOf(kind).name) + " was not overwritten";
}

std::string notErasableText(const std::string &recorder)
{
    return "The disc in " + recorder + " cannot be erased";
}

std::string eraseFailureText(const std::vector<std::string> &libburnMessages)
{
    return libburnMessages.empty() ? "the recorder reported an erase failure" : libburnMessages.front();
}

} // namespace reclib
