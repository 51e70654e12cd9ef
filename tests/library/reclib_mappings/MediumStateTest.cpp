// The state file of a virtual disc: what makes the reader fall back to the
// configuration's disc. What it keeps is read back through the library.
#include "recorders/MediumState.h"
#include "recorders/LayerBreakRule.h"

#include <gtest/gtest.h>

using namespace reclib;

TEST(ReclibMediumState, AStateThatCannotBeTrustedGivesTheConfiguredDisc)
{
    const struct
    {
        const char *name;
        const char *text;
        bool kept; // false: the configuration's blank DVD+RW instead
    } cases[] = {
        {"written disc",
         "configured = DVD+RW\nmedium = DVD+RW\nblank = no\ncontent-count = 2\nused-sectors = 7\n", true},
        {"other configured medium", "configured = DVD-RW\nmedium = DVD+RW\nused-sectors = 7\n", false},
        {"no configured medium", "medium = DVD+RW\nused-sectors = 7\n", false},
        {"damaged", "configured = DVD+RW\nused-sectors = 7x\n", false},
    };
    VirtualRecorderSettings blankDvdPlusRw;
    blankDvdPlusRw.medium = MediumKind::DvdPlusRw;
    for (const auto &c : cases) {
        const MediumState state = MediumState::fromText(blankDvdPlusRw, c.text, "/nonexistent/medium.iso");
        EXPECT_EQ(state.usedSectors, c.kept ? 7 : 0) << c.name;
        EXPECT_EQ(state.blank, !c.kept) << c.name;
        EXPECT_EQ(state.configured, MediumKind::DvdPlusRw) << c.name;
    }
}

// The dual-layer oracle: the breaks a drive would refuse, with the reason.
TEST(ReclibMediumState, ADualLayerDiscRefusesABreakADriveWouldRefuse)
{
    const struct
    {
        int64_t layerBreak, image, limit;
        const char *refusal; // "" when taken
    } cases[] = {
        {2086912, 4173824, 2086912, ""},
        {1600, 3200, 2086912, ""},
        {1600, 3201, 2086912, "leaves layer 0 smaller than layer 1"},
        {1608, 3200, 2086912, "not a multiple of 16"},
        {2086928, 4000000, 2086912, "beyond the largest layer 0"},
        {3200, 3200, 2086912, "past the end of the image"},
        {1600, 3200, 0, "single-layer disc"},
    };
    for (const auto &c : cases) {
        const std::string refusal = reclib::RefusedLayerBreak(c.layerBreak, c.image, c.limit);
        EXPECT_EQ(refusal.empty(), *c.refusal == '\0') << c.layerBreak << " " << refusal;
        EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
    }
    // The two dual-layer kinds: capacity and largest layer 0.
    EXPECT_EQ(traitsOf(*mediumKindFromName("DVD+R DL")).layer0LimitSectors, 2086912);
    EXPECT_EQ(traitsOf(*mediumKindFromName("dvd-r dl")).capacitySectors, 4171712);
    // The state keeps the break of a dual-layer disc.
    VirtualRecorderSettings dl;
    dl.medium = MediumKind::DvdPlusRDl;
    MediumState written = MediumState::initial(dl, "/nonexistent/medium.iso");
    written.layerBreak = 1600;
    EXPECT_EQ(MediumState::fromText(dl, written.text(), "/nonexistent/medium.iso").layerBreak, 1600);
}
