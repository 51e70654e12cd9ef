// The library callbacks as the library calls them (through the records and
// their context pointers), the erase clock, the phases a job passes and that
// nothing else starts while one runs (also not between an erase and the burn
// that follows it). No recording library is loaded here.
#include "RecordingSoundPlayer.h"
#include "TestJobPorts.h"

#include "jobs/RecordingJobs.h"
#include "jobs/RecordingState.h"
#include "jobs/burn/BurnReport.h"
#include "platform/MemoryRegistryStore.h"
#include "platform/RegistryStore.h"

#include <QDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>

namespace {

// m_hDevice is a view of the job's one recorder owner: no code can store a
// raw handle in it (and so leave one unclosed), and the owner only moves.
static_assert(!std::is_assignable_v<decltype((std::declval<RecordingState &>().m_hDevice)), RecDeviceHandle>);
static_assert(!std::is_copy_constructible_v<RecorderHandle> && std::is_move_assignable_v<RecorderHandle>);

// A busy port whose EnableAbort (the erase worker's first step) waits until
// the test opens the gate: the worker is then held inside its job.
class GatedBusy : public RecordingBusy
{
public:
    void EnableAbort(bool enable) override
    {
        RecordingBusy::EnableAbort(enable);
        reached = true;
        reached.notify_all();
        open.wait(false);
    }
    void Open()
    {
        open = true;
        open.notify_all();
    }

    std::atomic<bool> reached{false};
    std::atomic<bool> open{false};
};

class RecordingJobsTest : public testing::Test
{
protected:
    RecordingJobsTest()
    {
        jobs.Callbacks().FillLibrarySettings(window.m_libSettings);
        jobs.Callbacks().FillProgressRecord(window.m_libProgress);
        jobs.Job().ObservePhases([this](JobPhase phase) {
            std::lock_guard lock(m_mutex);
            m_phases.push_back(phase);
        });
    }
    ~RecordingJobsTest() override
    {
        busy.Open();
        jobs.Job().Wait();
    }

    int Dialog(int type, void *data = nullptr)
    {
        return window.m_libSettings.userDialogCallback(window.m_libSettings.userDialogContext, type, data);
    }
    void LogLine(const char *text)
    {
        window.m_libProgress.logLineCallback(window.m_libProgress.context, 0, text);
    }
    int Progress(int percent)
    {
        return window.m_libProgress.progressCallback(window.m_libProgress.context, percent);
    }
    // Runs the erase clock for an erase of secs seconds until ended() says it is over.
    void RunEraseClock(int secs, int tickMs, const std::function<bool()> &ended)
    {
        jobs.Erase().Clock().SetTick(std::chrono::milliseconds(tickMs));
        window.m_nEraseSecs = secs;
        window.m_evtJobDone.Reset();
        jobs.Erase().Clock().Start();
        while (!ended())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        window.m_evtJobDone.Set();
        jobs.Erase().Clock().Join();
    }
    QStringList Log() const { return ports.report.log; }
    std::vector<BoxRecorder::Box> Boxes() const { return ports.report.boxes.Boxes(); }
    std::vector<JobPhase> Phases()
    {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_phases, {});
    }

    // An empty machine registry: the recording library is never found.
    MemoryRegistryStore m_registry;
    TestJobPorts ports;
    GatedBusy busy;
    RecordingSoundPlayer sound;
    RecordingJobs jobs{JobPorts{ports.report, ports.questions, ports.progress, ports.none, ports.none, busy,
                                ports.none, ports.settings},
                       sound, m_registry};
    RecordingState &window = jobs.State();
    std::mutex m_mutex;
    std::vector<JobPhase> m_phases;
};

// The library's dialogs: most answer by type alone; the overwrite question
// asks and logs the answer; waiting for a disc shows none of the library's text.
TEST_F(RecordingJobsTest, UserDialogsAnswerPerTypeOrAskTheOverwriteQuestion)
{
    const std::pair<int, int> answers[] = {{2, 5},  {7, 5}, {12, 5}, {6, 3},
                                           {13, 1}, {0, 0}, {99, 0}, {-4, 0}};
    for (const auto &[type, answer] : answers)
        EXPECT_EQ(Dialog(type), answer) << "type " << type;
    EXPECT_TRUE(Boxes().empty());

    EXPECT_EQ(Dialog(DLG_NON_EMPTY_REWRITABLE), 5);
    ports.report.boxes.answer = [](const BoxRecorder::Box &) { return int(mb::IdNo); };
    EXPECT_EQ(Dialog(DLG_NON_EMPTY_REWRITABLE), 0);
    EXPECT_EQ(Log(), QStringList({"<769>", "<716>"}));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, "<714>");
    EXPECT_EQ(Boxes()[0].caption, "Overwrite ReWriteable?!");
    EXPECT_EQ(Boxes()[0].type, mb::YesNo | mb::IconQuestion | mb::DefaultButton2);

    EXPECT_EQ(Dialog(DLG_WAITCD, reinterpret_cast<void *>(intptr_t(WAIT_REASON_INSERT_MEDIUM))), 0);
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[2].text, "");
    EXPECT_EQ(Boxes()[2].caption, "Information");
    EXPECT_EQ(Boxes()[2].type, mb::IconInformation);
}

// One byte of the library's buffer is left for the terminating zero.
TEST_F(RecordingJobsTest, ImageFileDialogProposesTheLabelAndFillsTheBufferIfThePathFits)
{
    window.m_strVolume = "MY_FILM";
    char buffer[IMAGE_PATH_BUFFER_SIZE + 16];
    std::memset(buffer, 'x', sizeof buffer);
    QString chosen = "/tmp/Bild ä.nrg";
    ports.questions.chooseImage = [&](const QString &) { return std::optional<QString>(chosen); };
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, buffer), 1);
    EXPECT_EQ(ports.questions.proposedImageName, "MY_FILM.nrg");
    EXPECT_STREQ(buffer, "/tmp/Bild ä.nrg");
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, nullptr), 0);

    chosen = "/" + QString(IMAGE_PATH_BUFFER_SIZE - 2, 'a');
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, buffer), 1);
    EXPECT_EQ(std::strlen(buffer), size_t(IMAGE_PATH_BUFFER_SIZE - 1));
    std::memset(buffer, 'x', sizeof buffer);
    chosen += "b";
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, buffer), 0);
    EXPECT_EQ(buffer[0], 'x') << "nothing may be copied";
    EXPECT_TRUE(Log().contains("<909>"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].type, mb::IconStop);

    ports.questions.chooseImage = [](const QString &) { return std::nullopt; };
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, buffer), 0);
}

TEST_F(RecordingJobsTest, LogLinesAndPhases)
{
    ports.report.texts[672] = "A file is missing.";
    ports.report.texts[1070] = "Die Disc wird beschrieben";
    LogLine("Required file xyz.dll not found");
    LogLine("Required fil");
    LogLine("Burning at 4x");
    EXPECT_EQ(window.m_bReallocProblem, 0);
    LogLine("DVD-Video files reallocation failed");
    EXPECT_EQ(window.m_bReallocProblem, 1);
    window.m_libProgress.phaseCallback(window.m_libProgress.context, "Writing the disc");
    EXPECT_EQ(Log(),
              QStringList({"===> A file is missing.", "===> Required fil", "===> Burning at 4x",
                           "===> DVD-Video files reallocation failed", "=> Die Disc wird beschrieben"}));
}

TEST_F(RecordingJobsTest, ProgressMovesDisplaysTitleAndEstimate)
{
    int64_t now = 1000;
    jobs.Callbacks().SetClock([&] { return now; });
    EXPECT_EQ(Progress(0), 0);
    EXPECT_EQ(ports.progress.Last("SetTimeLeftText"), "?:??");
    EXPECT_EQ(ports.progress.Last("SetPercentText"), "0 %");
    EXPECT_EQ(ports.progress.Last("SetWindowTitleText"), "0 % Orvane Burn 1.2.0");

    ports.progress.SetTimeLeftText("--:--");
    Progress(5);
    EXPECT_EQ(ports.progress.Last("SetTimeLeftText"), "--:--") << "the first percent only starts the clock";
    EXPECT_EQ(ports.progress.Last("SetWindowTitleText"), "5 % Orvane Burn 1.2.0");
    now += 60;
    Progress(5);
    Progress(10);
    EXPECT_EQ(ports.progress.Last("SetTimeLeftText"), "18:00");
    EXPECT_EQ(ports.progress.Last("SetTimeTotalText"), "20:00");
    EXPECT_EQ(ports.progress.Last("SetWindowTitleText"), "10 % Orvane Burn 1.2.0");
    EXPECT_EQ(ports.progress.Args("SetProgressPos"), QStringList({"0", "5", "5", "10"}));

    window.m_bAbort = true;
    EXPECT_EQ(Progress(10), 1);
    EXPECT_EQ(window.m_libProgress.abortCallback(window.m_libProgress.context), 1);
    EXPECT_EQ(window.m_libSettings.idleCallback(window.m_libSettings.idleContext), 1);
}

TEST_F(RecordingJobsTest, EraseClockWithAZeroEstimateShowsZeroAndDividesByNothing)
{
    RunEraseClock(0, 5, [] { return true; });
    EXPECT_EQ(ports.progress.Last("SetTimeTotalText"), "0:00");
    ASSERT_FALSE(ports.progress.Args("SetPercentText").isEmpty());
    EXPECT_EQ(ports.progress.Args("SetPercentText").first(), "0.0 %");
    EXPECT_EQ(ports.progress.Args("SetTimeLeftText").first(), "0:00");
}

TEST_F(RecordingJobsTest, EraseClockEndingDuringTheCountdownShowsNoBox)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(130);
    RunEraseClock(125, 20, [&] { return std::chrono::steady_clock::now() >= until; });
    EXPECT_EQ(ports.progress.Last("SetTimeTotalText"), "2:05");
    EXPECT_EQ(ports.progress.Last("SetProgressRange"), "0,125");
    EXPECT_EQ(ports.progress.Args("SetTimeLeftText").first(), "2:05");
    EXPECT_GE(ports.progress.Args("SetTimeLeftText").size(), 3);
    EXPECT_LT(ports.progress.Args("SetTimeLeftText").size(), 60);
    EXPECT_EQ(ports.progress.Args("SetPercentText")[1], "0.8 %");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(RecordingJobsTest, EraseClockPastTheEstimateCyclesAndThenReportsTheTimeout)
{
    // Countdown 0:02 .. 0:00 (3 ticks), then twelve positions of the overtime.
    RunEraseClock(2, 5, [this] { return ports.progress.Args("SetProgressPos").size() >= 15; });
    EXPECT_EQ(ports.progress.Last("SetTimeLeftText"), "?:??");
    EXPECT_EQ(ports.progress.Last("SetTimeTotalText"), "?:??");
    EXPECT_EQ(ports.progress.Last("SetProgressRange"), "0,100");
    EXPECT_EQ(ports.progress.Last("SetPercentText"), "");
    const QStringList positions = ports.progress.Args("SetProgressPos");
    ASSERT_GE(positions.size(), 15);
    EXPECT_EQ(positions.mid(3, 12),
              QStringList({"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100", "0"}));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "<806>");
    EXPECT_EQ(Boxes()[0].caption, "Timeout Error");
    EXPECT_EQ(Boxes()[0].type, mb::IconStop);
}

TEST_F(RecordingJobsTest, ReallocateBoxLogsAndInformsWhenSwitchedOff)
{
    window.m_bReallocate = 0;
    jobs.Setup().OnReallocateClicked();
    window.m_bReallocate = 1;
    jobs.Setup().OnReallocateClicked();
    EXPECT_EQ(Log(), QStringList({"<678>", "<680>"}));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].caption, "Just 4 Info");
    EXPECT_EQ(Boxes()[0].text, "<640>");
}

// The policy around a failed burn (the prelude stands in for it): only a
// caller that offers the retry is asked, never with a forced power-off
// pending, and only a forced power-off follows a failure.
TEST_F(RecordingJobsTest, BurnCommandAsksAndPowersOffAsItsPolicySays)
{
    struct Case
    {
        bool offer, wanted, forced;
        int questions;
        bool shutDown;
    } const cases[] = {{true, false, false, 1, false},
                       {false, true, false, 0, false},
                       {true, true, true, 0, true},
                       {false, true, true, 0, true}};
    ports.report.boxes.answer = [](const BoxRecorder::Box &) { return int(mb::IdNo); };
    for (const Case &c : cases) {
        window.m_bReallocProblem = 1;
        const std::size_t boxesBefore = Boxes().size();
        BurnPolicy policy{c.offer, c.forced, [&c] { return c.wanted; }};
        const BurnOutcome outcome = jobs.Command().Run([] { return int(BURN_FAILED); }, policy);
        EXPECT_EQ(outcome.result, BURN_FAILED);
        EXPECT_EQ(outcome.shutDown, c.shutDown) << c.offer << c.wanted << c.forced;
        EXPECT_EQ(Boxes().size() - boxesBefore, std::size_t(c.questions)) << c.offer << c.wanted << c.forced;
        EXPECT_EQ(window.m_bReallocProblem, c.questions == 0 ? 1 : 0);
    }
    EXPECT_EQ(Boxes()[0].caption, "Problem Reallocation!");
    EXPECT_TRUE(Log().contains("<658>")) << "No stops with the reason";
}

// Each job that ends before it needs a recorder passes its phases and
// leaves the window idle.
TEST_F(RecordingJobsTest, EachJobPassesItsPhasesAndEndsIdle)
{
    using P = JobPhase;
    busy.Open();
    const auto ended = [this](const char *job, const std::vector<JobPhase> &phases) {
        EXPECT_EQ(Phases(), phases) << job;
        EXPECT_FALSE(jobs.Job().Running()) << job;
        EXPECT_EQ(jobs.Job().Phase(), JobPhase::Idle) << job;
    };
    window.m_strSourceDir.clear();
    EXPECT_EQ(jobs.Job().RunBurn(), jobs::RunBurnNoSource);
    EXPECT_EQ(Log(), QStringList({"<700>"}));
    ended("burn without a source", {P::Checking, P::Idle});

    window.m_strSourceDir = QDir::tempPath(); // a folder that exists
    window.m_strVolume = "BAD!NAME";
    EXPECT_EQ(jobs.Job().RunBurn(), jobs::RunBurnRefusedLabel);
    EXPECT_EQ(Boxes().size(), 1u);
    ended("burn with a refused label", {P::Checking, P::Idle});

    window.m_strVolume = "GOOD";
    EXPECT_EQ(jobs.Job().RunBurn(), jobs::RunBurnNoRecorder);
    EXPECT_TRUE(busy.Calls().isEmpty()) << "the window state never changes";
    ended("burn without a recorder selected", {P::Checking, P::Idle});

    ports.report.boxes.answer = [](const BoxRecorder::Box &) { return int(mb::IdNo); };
    jobs.Job().OnEraseButton();
    EXPECT_TRUE(busy.Calls().isEmpty());
    ended("declined erase", {P::Idle});
    ports.report.boxes.answer = nullptr;

    EXPECT_EQ(jobs.Job().RunBurn([] { return 7; }), 7);
    ended("burn stopped by its prelude", {P::Checking, P::Idle});
    jobs.Job().OnEraseButton();
    jobs.Job().Wait();
    ended("erase without a recorder", {P::Erasing, P::Idle});
    jobs.Job().OnEject();
    ended("eject", {P::Command, P::Idle});
}

TEST_F(RecordingJobsTest, NothingStartsWhileAnEraseRuns)
{
    jobs.Job().OnEraseButton();
    busy.reached.wait(false);
    ASSERT_TRUE(jobs.Job().Running());
    EXPECT_EQ(jobs.Job().Phase(), JobPhase::Erasing);

    bool preludeRan = false;
    EXPECT_EQ(jobs.Job().RunBurn([&] {
        preludeRan = true;
        return 0;
    }),
              jobs::RunBurnJobRunning);
    EXPECT_FALSE(preludeRan) << "a refused burn touches nothing";
    jobs.Job().OnEraseButton();
    jobs.Job().OnEject();
    bool commandRan = false;
    EXPECT_FALSE(jobs.Job().WhenIdle([&] { commandRan = true; }));
    EXPECT_FALSE(commandRan);
    EXPECT_EQ(ports.report.boxes.Showed("<642>"), 1) << "one erase question only";

    busy.Open();
    EXPECT_EQ(jobs.Job().Wait(), 0);
    EXPECT_FALSE(jobs.Job().Running());
    EXPECT_TRUE(jobs.Job().WhenIdle([&] { commandRan = true; }));
    EXPECT_TRUE(commandRan);
}

} // namespace
