// The state file of a virtual disc: what makes the reader fall back to the
// configuration's disc. What it keeps is read back through the library.
#include "recorders/MediumState.h"

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
