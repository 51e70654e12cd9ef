// The log lines that explain a real drive: the permission note, the media
// identifier and the offered speeds, table by table.
#include "recorders/DriveIdentity.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace reclib;

namespace {

const std::tuple<NodeAccess, std::string, std::string> kPermissionNotes[] = {
    {NodeAccess::Usable, "cdrom", ""},
    {NodeAccess::Missing, "cdrom", ""},
    {NodeAccess::Other, "cdrom", ""},
    {NodeAccess::NoPermission, "cdrom",
     "The drive /dev/sr0 is there, but you may not use it: add yourself to group cdrom (then log in again)."},
    {NodeAccess::NoPermission, "optical",
     "The drive /dev/sr0 is there, but you may not use it: add yourself to group optical (then log in "
     "again)."},
    {NodeAccess::NoPermission, "root",
     "The drive /dev/sr0 is there, but you may not use it: ask the administrator for read and write access "
     "to /dev/sr0."},
    {NodeAccess::NoPermission, "",
     "The drive /dev/sr0 is there, but you may not use it: ask the administrator for read and write access "
     "to /dev/sr0."},
};

TEST(DriveIdentity, OnlyAMissingPermissionIsExplainedWithTheNodesGroup)
{
    for (const auto &[access, group, note] : kPermissionNotes)
        EXPECT_EQ(drivePermissionNote("/dev/sr0", access, group), note) << int(access) << " " << group;
}

const std::tuple<std::string, std::string, std::string, std::string> kIdentities[] = {
    {"RITEKF1", "Ritek Corp", "DVD+R", "Media identifier: RITEKF1 (Ritek Corp), book type DVD+R"},
    {"MCC_03RG20", "Unknown DVD-R manufacturer", "DVD-R", "Media identifier: MCC_03RG20, book type DVD-R"},
    {"97m26s66f/79m59s71f", "CMC Magnetics Corporation", "",
     "Media identifier: 97m26s66f/79m59s71f (CMC Magnetics Corporation)"}, // a CD has no book type
    {"", "", "", "Media identifier: the disc reports none"},
};

TEST(DriveIdentity, MediaIdentifierLeavesOutWhatSaysNothing)
{
    for (const auto &[product, manufacturer, book, text] : kIdentities)
        EXPECT_EQ(mediaIdentityText(product, manufacturer, book), text);
}

const std::tuple<std::vector<ReportedSpeed>, SpeedFamily, std::string> kSpeeds[] = {
    {{{0x1b, 5540}, {0x1b, 22160}, {0x1b, 11080}},
     SpeedFamily::Dvd,
     "Speeds offered for this disc: 16x, 8x, 4x"},
    {{{0x1b, 3324}, {0x1b, 3324}, {0x1b, 3330}}, SpeedFamily::Dvd, "Speeds offered for this disc: 2.4x"},
    {{{0x11, 22160}, {0x1b, 5540}},
     SpeedFamily::Dvd,
     "Speeds offered for this disc: 4x"}, // another disc's entry
    {{{0x09, 7056}, {0x09, 4234}}, SpeedFamily::Cd, "Speeds offered for this disc: 40x, 24x"},
    {{{0x1b, 0}}, SpeedFamily::Dvd, "Speeds offered for this disc: the drive lists none"},
    {{}, SpeedFamily::Cd, "Speeds offered for this disc: the drive lists none"},
};

TEST(DriveIdentity, OfferedSpeedsAreTheLoadedDiscsFastestFirst)
{
    for (const auto &[speeds, family, text] : kSpeeds) {
        const int profile = speeds.empty() ? 0x09 : speeds.back().loadedProfile;
        EXPECT_EQ(offeredSpeedsText(speeds, profile, family), text) << text;
    }
}

} // namespace
