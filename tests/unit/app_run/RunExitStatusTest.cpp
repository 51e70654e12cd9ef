// How a command-line run ends and whether a start without a display goes
// offscreen; the reason line of each status is checked on real runs.
#include "app/RunExitStatus.h"
#include "app/DisplayFallback.h"
#include "app/RunReason.h"
#include "jobs/burn/BurnReport.h"

#include "TextIds.h"

#include <reclib_api.h>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

using runexit::RecorderOpened;

TEST(RunExitStatus, EachBurnResultHasItsStatus)
{
    const struct
    {
        int result;
        RecorderOpened opened;
        runexit::Status status;
    } cases[] = {
        {BURN_OK, RecorderOpened::Yes, runexit::Success},
        // -1 before the recorder opened, and after it when the overwrite was declined
        {jobs::RunBurnNoRecorder, RecorderOpened::No, runexit::RecorderUnavailable},
        {jobs::RunBurnNoRecorder, RecorderOpened::Yes, runexit::OverwriteDeclined},
        {jobs::RunBurnStillNotBlank, RecorderOpened::Yes, runexit::BurnFailed},
        {BURN_USER_ABORT, RecorderOpened::Yes, runexit::BurnAborted},
    };
    for (const auto &c : cases)
        EXPECT_EQ(runexit::ForBurnResult(c.result, c.opened), c.status) << c.result;
}

// A cause becomes one line, and a run that knows none says so rather than
// ending in a colon.
TEST(RunReason, OneLineEvenForACauseOfSeveralOrNone)
{
    const auto lookup = [](int id) {
        return id == textid::ExitReasonLine ? u"%d [%s]: %s"_s : u"<%1>"_s.arg(id);
    };
    EXPECT_EQ(runexit::ReasonLine(runexit::CompilationFailed, "holds 0 MB,\n\nneeds 9 MB.", lookup),
              "7 [<982>]: holds 0 MB, needs 9 MB.");
    EXPECT_EQ(runexit::ReasonLine(runexit::BurnAborted, "  \n ", lookup), "9 [<984>]: <989>");
}

TEST(DisplayFallback, OnlyARunWithoutAnyDisplayGoesOffscreen)
{
    const struct
    {
        bool commandLineRun;
        const char *qpa, *display, *wayland;
        bool offscreen, lacksDisplay;
    } cases[] = {
        {true, "", "", "", true, false},
        {true, "", ":0", "", false, false},
        {true, "", "", "wayland-0", false, false},
        {true, "xcb", "", "", false, false}, // the person's own choice of platform stands
        {false, "", "", "", false, true},    // a plain start ends with a reason, not an unseen window
        {false, "offscreen", "", "", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.commandLineRun << " '" << c.qpa << "' '" << c.display << "'");
        EXPECT_EQ(NeedsOffscreenPlatform(c.commandLineRun, {c.qpa, c.display, c.wayland}), c.offscreen);
        EXPECT_EQ(LacksDisplayForWindow(c.commandLineRun, {c.qpa, c.display, c.wayland}), c.lacksDisplay);
    }
}

} // namespace
