#include "recorders/DriveIdentity.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace reclib {
namespace {

// libburn's 1x rates in its own units (1000 bytes/s).
double libburnRate1x(SpeedFamily family)
{
    return family == SpeedFamily::Dvd ? 1385.0 : 176.4;
}

std::string multipleText(int libburnSpeed, SpeedFamily family)
{
    const double tenths = std::round(libburnSpeed * 10.0 / libburnRate1x(family));
    char text[32];
    if (std::fmod(tenths, 10.0) == 0.0)
        std::snprintf(text, sizeof text, "%.0fx", tenths / 10.0);
    else
        std::snprintf(text, sizeof text, "%.1fx", tenths / 10.0);
    return text;
}

} // namespace

std::string drivePermissionNote(const std::string &node, NodeAccess access, const std::string &group)
{
    if (access != NodeAccess::NoPermission)
        return {};
    const std::string head = "The drive " + node + " is there, but you may not use it: ";
    if (group.empty() || group == "root")
        return head + "ask the administrator for read and write access to " + node + ".";
    return head + "add yourself to group " + group + " (then log in again).";
}

std::string mediaIdentityText(const std::string &productId, const std::string &manufacturer,
                              const std::string &bookType)
{
    if (productId.empty())
        return "Media identifier: the disc reports none";
    std::string text = "Media identifier: " + productId;
    if (!manufacturer.empty() && manufacturer.rfind("Unknown ", 0) != 0)
        text += " (" + manufacturer + ")";
    if (!bookType.empty())
        text += ", book type " + bookType;
    return text;
}

std::string offeredSpeedsText(const std::vector<ReportedSpeed> &speeds, int loadedProfile, SpeedFamily family)
{
    std::vector<int> offered;
    for (const ReportedSpeed &speed : speeds) {
        if (speed.loadedProfile == loadedProfile && speed.writeSpeed > 0)
            offered.push_back(speed.writeSpeed);
    }
    std::sort(offered.begin(), offered.end(), std::greater<>());
    std::vector<std::string> multiples;
    for (int speed : offered) {
        std::string text = multipleText(speed, family);
        // Two libburn figures that round to one multiple read as one speed.
        if (std::find(multiples.begin(), multiples.end(), text) == multiples.end())
            multiples.push_back(std::move(text));
    }
    if (multiples.empty())
        return "Speeds offered for this disc: the drive lists none";
    std::string text = "Speeds offered for this disc: ";
    for (size_t i = 0; i < multiples.size(); ++i)
        text += (i == 0 ? "" : ", ") + multiples[i];
    return text;
}

} // namespace reclib
