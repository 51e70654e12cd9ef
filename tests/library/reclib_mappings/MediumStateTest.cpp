// The state file of a virtual disc: what the reader keeps and what makes it
// fall back to the configuration's disc.
#include "recorders/MediumState.h"

#include <gtest/gtest.h>

#include <string>

using namespace reclib;

namespace {

const std::string kNoMedium = "/nonexistent/orvane-test/medium.iso";

VirtualRecorderSettings Configured(MediumKind medium, bool written)
{
    VirtualRecorderSettings spec;
    spec.medium = medium;
    spec.written = written;
    return spec;
}

} // namespace

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
    for (const auto &c : cases) {
        const MediumState state =
            MediumState::fromText(Configured(MediumKind::DvdPlusRw, false), c.text, kNoMedium);
        EXPECT_EQ(state.usedSectors, c.kept ? 7 : 0) << c.name;
        EXPECT_EQ(state.blank, !c.kept) << c.name;
        EXPECT_EQ(state.configured, MediumKind::DvdPlusRw) << c.name;
    }
}

TEST(ReclibMediumState, ReadsBackWhatItWrites)
{
    MediumState state = MediumState::initial(Configured(MediumKind::CdRw, true), kNoMedium);
    state.kind = MediumKind::None; // ejected
    state.contentCount = 3;
    state.usedSectors = 359846;
    state.dvdRomBookType = true;
    EXPECT_EQ(MediumState::fromText(Configured(MediumKind::CdRw, true), state.text(), kNoMedium).text(),
              state.text());
}
