// How a command-line run ends and whether a start without a display that
// answers goes offscreen; the reason line of each status is checked on real runs.
#include "cmdline/RunExitStatus.h"
#include "app/DisplayFallback.h"
#include "app/DisplayProbe.h"
#include "cmdline/RunReason.h"
#include "jobs/burn/BurnReport.h"

#include "TestEnvironment.h"
#include "TextIds.h"
#include "sysio/UniqueFd.h"

#include <reclib_api.h>

#include <gtest/gtest.h>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>

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

TEST(DisplayFallback, OnlyARunWithoutADisplayThatAnswersGoesOffscreen)
{
    const struct
    {
        bool commandLineRun;
        const char *qpa, *display, *wayland;
        bool xAnswers, waylandAnswers;
        const char *platform;
        bool lacksDisplay;
        const char *unreachable;
    } cases[] = {
        {true, "", "", "", false, false, "offscreen", false, ""},
        {true, "", ":0", "", true, false, "", false, ""},
        {true, "", "", "wayland-0", false, true, "wayland", false, ""},
        {true, "xcb", "", "", false, false, "", false, ""}, // the person's own choice of platform stands
        {false, "", "", "", false, false, "", true,
         ""}, // a plain start ends with a reason, not an unseen window
        {false, "offscreen", "", "", false, false, "", false, ""},
        // Named but silent servers count as none; Qt's X plugin would abort.
        {true, "", ":99", "", false, false, "offscreen", false, ":99"},
        {true, "", "", "wayland-9", false, false, "offscreen", false, "wayland-9"},
        {false, "", ":99", "", false, false, "", true, ":99"},
        {false, "", ":99", "wayland-0", false, true, "wayland", false, ":99"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.commandLineRun << " '" << c.qpa << "' '" << c.display << "' '" << c.wayland << "'");
        const DisplayEnvironment environment{c.qpa, c.display, c.wayland, c.xAnswers, c.waylandAnswers};
        EXPECT_EQ(PlatformToChoose(c.commandLineRun, environment), QByteArray(c.platform));
        EXPECT_EQ(LacksDisplayForWindow(c.commandLineRun, environment), c.lacksDisplay);
        EXPECT_EQ(UnreachableDisplayName(environment), QByteArray(c.unreachable));
    }
}

// The probes find a listening socket and nothing where none listens.
TEST(DisplayProbe, AsksTheServerItself)
{
    EXPECT_FALSE(XServerAnswers(":99"));
    EXPECT_FALSE(XServerAnswers(""));
    const QByteArray runtime = testenv::makeTempDir(u"runtime"_s).toUtf8();
    EXPECT_FALSE(WaylandServerAnswers("wayland-9", runtime));
    const sysio::UniqueFd listener(::socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = runtime + "/wayland-9";
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(listener.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener.get(), 1), 0);
    EXPECT_TRUE(WaylandServerAnswers("wayland-9", runtime));
    EXPECT_TRUE(WaylandServerAnswers(path, ""));
    EXPECT_FALSE(WaylandServerAnswers("wayland-9", ""));
}

} // namespace
