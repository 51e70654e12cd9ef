#include "app/DisplayFallback.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FallbackCase
{
    bool commandLineRun;
    const char *qpa;
    const char *display;
    const char *wayland;
    bool offscreen;
    bool lacksDisplay; // a plain start that nothing could show
};

class DisplayFallbackTest : public testing::TestWithParam<FallbackCase>
{
};

TEST_P(DisplayFallbackTest, OnlyARunWithoutAnyDisplayGoesOffscreen)
{
    const FallbackCase &c = GetParam();
    EXPECT_EQ(NeedsOffscreenPlatform(c.commandLineRun, {c.qpa, c.display, c.wayland}), c.offscreen);
    EXPECT_EQ(LacksDisplayForWindow(c.commandLineRun, {c.qpa, c.display, c.wayland}), c.lacksDisplay);
}

INSTANTIATE_TEST_SUITE_P(Environments, DisplayFallbackTest,
                         testing::Values(FallbackCase{true, "", "", "", true, false},
                                         FallbackCase{true, "", ":0", "", false, false},
                                         FallbackCase{true, "", "", "wayland-0", false, false},
                                         // the person's own choice of platform stands
                                         FallbackCase{true, "xcb", "", "", false, false},
                                         FallbackCase{true, "offscreen", "", "", false, false},
                                         // a plain start ends with a reason rather than an invisible window
                                         FallbackCase{false, "", "", "", false, true},
                                         FallbackCase{false, "", ":0", "", false, false},
                                         FallbackCase{false, "", "", "wayland-0", false, false},
                                         FallbackCase{false, "offscreen", "", "", false, false}),
                         [](const testing::TestParamInfo<FallbackCase> &testInfo) {
                             return "Environment" + std::to_string(testInfo.index);
                         });

} // namespace
