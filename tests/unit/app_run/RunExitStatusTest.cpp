// How a command-line run ends: its exit status, the line that names the
// reason, and whether a start without a display goes offscreen.
#include "app/RunExitStatus.h"
#include "app/DisplayFallback.h"
#include "app/RunReason.h"
#include "jobs/burn/BurnReport.h"

#include "TextIds.h"

#include <reclib_api.h>

#include <gtest/gtest.h>

namespace {

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
        {jobs::RunBurnNoSource, RecorderOpened::Yes, runexit::NothingToBurn},
        {jobs::RunBurnRefusedLabel, RecorderOpened::Yes, runexit::LabelRefused},
        // -1 before the recorder opened, and after it when the overwrite was declined
        {jobs::RunBurnNoRecorder, RecorderOpened::No, runexit::RecorderUnavailable},
        {jobs::RunBurnNoRecorder, RecorderOpened::Yes, runexit::OverwriteDeclined},
        {jobs::RunBurnCompilationFailed, RecorderOpened::Yes, runexit::CompilationFailed},
        {jobs::RunBurnStillNotBlank, RecorderOpened::Yes, runexit::BurnFailed},
        {BURN_UNKNOWN_CD_FORMAT, RecorderOpened::Yes, runexit::BurnFailed},
        {BURN_DRIVE_NOT_ALLOWED, RecorderOpened::Yes, runexit::BurnFailed},
        {BURN_USER_ABORT, RecorderOpened::Yes, runexit::BurnAborted},
        {17, RecorderOpened::Yes, runexit::BurnFailed},
    };
    for (const auto &c : cases)
        EXPECT_EQ(runexit::ForBurnResult(c.result, c.opened), c.status) << c.result;
}

QString Lookup(int id)
{
    return id == textid::ExitReasonLine ? QStringLiteral("status %d [%s]: %s")
                                        : QStringLiteral("<%1>").arg(id);
}

// The cause becomes one line; a run that knows no cause says so rather than
// ending in a colon, and only a declined overwrite has a cause of its own.
TEST(RunReason, NamesTheStatusItsMeaningAndTheCause)
{
    const struct
    {
        runexit::Status status;
        const char *cause, *expected;
    } cases[] = {
        {runexit::StartupFailed, "no library", "status 1 [<976>]: no library"},
        {runexit::CompilationFailed, "The disc holds 0 MB,\n\nbut the folder needs 9 MB.",
         "status 7 [<982>]: The disc holds 0 MB, but the folder needs 9 MB."},
        {runexit::BurnAborted, "  \n ", "status 9 [<984>]: <989>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(runexit::ReasonLine(c.status, QString::fromUtf8(c.cause), Lookup),
                  QString::fromUtf8(c.expected));
    for (int status = runexit::StartupFailed; status <= runexit::BurnAborted; ++status)
        EXPECT_EQ(runexit::DefaultCause(static_cast<runexit::Status>(status), Lookup),
                  status == runexit::OverwriteDeclined ? QStringLiteral("<988>") : QString())
            << status;
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
        {false, "", ":0", "", false, false},
        {false, "", "", "wayland-0", false, false},
        {false, "offscreen", "", "", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.commandLineRun << " '" << c.qpa << "' '" << c.display << "'");
        EXPECT_EQ(NeedsOffscreenPlatform(c.commandLineRun, {c.qpa, c.display, c.wayland}), c.offscreen);
        EXPECT_EQ(LacksDisplayForWindow(c.commandLineRun, {c.qpa, c.display, c.wayland}), c.lacksDisplay);
    }
}

} // namespace
