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
};

class DisplayFallbackTest : public testing::TestWithParam<FallbackCase>
{
};

TEST_P(DisplayFallbackTest, OnlyARunWithoutAnyDisplayGoesOffscreen)
{
    const FallbackCase &c = GetParam();
    EXPECT_EQ(NeedsOffscreenPlatform(c.commandLineRun, {c.qpa, c.display, c.wayland}), c.offscreen);
}

INSTANTIATE_TEST_SUITE_P(Environments, DisplayFallbackTest,
                         testing::Values(FallbackCase{true, "", "", "", true},
                                         FallbackCase{true, "", ":0", "", false},
                                         FallbackCase{true, "", "", "wayland-0", false},
                                         // the person's own choice of platform stands
                                         FallbackCase{true, "xcb", "", "", false},
                                         FallbackCase{true, "offscreen", "", "", false},
                                         // a plain start keeps Qt's refusal rather than an invisible window
                                         FallbackCase{false, "", "", "", false}),
                         [](const testing::TestParamInfo<FallbackCase> &info) {
                             return "Environment" + std::to_string(info.index);
                         });

} // namespace
