#include "jobs/tree/DvdVideoNames.h"
#include "jobs/tree/FolderListing.h"

#include <gtest/gtest.h>

namespace {

TEST(DvdVideoNamesTest, JacketPicturePattern)
{
    const struct
    {
        const char *name;
        bool matches;
    } cases[] = {
        {"J00___5L.MP2", true},
        {"j00___5l.mp2", true},
        {"JAB___CD.Mp2", true},
        {"J\xc3\x84\xc3\x96___\xc3\x9c\x31.MP2", true}, // three letters of two bytes each
        {"J00___5L.MP3", false},
        {"J00__5L.MP2", false},
        {"J00____5L.MP2", false},
        {"K00___5L.MP2", false},
        {"J00-__5L.MP2", false},
        {"J00___5L.MP2.bak", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsJacketPictureName(c.name), c.matches) << c.name;
}

TEST(DvdVideoNamesTest, FixedNamesIgnoreOnlyAsciiCase)
{
    std::vector<FolderEntry> entries = {{"Video_Ts.Ifo", EntryKind::File}, {"VIDEO_TS.IFO", EntryKind::File}};
    EXPECT_EQ(FindEntryNoCase(entries, "VIDEO_TS.IFO")->name, "VIDEO_TS.IFO");
    EXPECT_EQ(FindEntryNoCase(entries, "video_ts.ifo")->name, "Video_Ts.Ifo");
    EXPECT_EQ(FindEntryNoCase(entries, "video_ts.bup"), nullptr);
    EXPECT_FALSE(EqualsNoCase("\xc3\xa4", "\xc3\x84")); // no folding outside ASCII
}

} // namespace
