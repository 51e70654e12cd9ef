// The library callbacks as the library calls them (through the records and
// their context pointers), the erase clock, and the jobs' paths that end
// before a recorder is needed. No recording library is loaded here.
#include "RecordingSoundPlayer.h"
#include "TestJobPorts.h"

#include "jobs/RecordingJobs.h"
#include "jobs/RecordingState.h"
#include "jobs/burn/BurnReport.h"
#include "platform/MemoryRegistryStore.h"
#include "platform/RegistryStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

class RecordingJobsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // An empty machine registry: the recording library is never found.
        SetMachineRegistry(&m_registry);
        jobs.Callbacks().FillLibrarySettings(window.m_libSettings);
        jobs.Callbacks().FillProgressRecord(window.m_libProgress);
    }
    void TearDown() override { SetMachineRegistry(nullptr); }

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

    QStringList Log() const { return ports.report.log; }
    std::vector<BoxRecorder::Box> Boxes() const { return ports.report.boxes.Boxes(); }
    void AnswerNo()
    {
        ports.report.boxes.answer = [](const BoxRecorder::Box &) { return int(mb::IdNo); };
    }

    MemoryRegistryStore m_registry;
    TestJobPorts ports;
    RecordingState window;
    RecordingSoundPlayer sound;
    RecordingJobs jobs{ports.Ports(), window, sound};
};

TEST_F(RecordingJobsTest, UserDialogsWithoutQuestionsAnswerPerType)
{
    const std::pair<int, int> answers[] = {{2, 5},  {7, 5}, {12, 5}, {6, 3},
                                           {13, 1}, {0, 0}, {99, 0}, {-4, 0}};
    for (const auto &[type, answer] : answers)
        EXPECT_EQ(Dialog(type), answer) << "type " << type;
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(RecordingJobsTest, OverwriteQuestionLogsTheAnswer)
{
    EXPECT_EQ(Dialog(DLG_NON_EMPTY_REWRITABLE), 5);
    AnswerNo();
    EXPECT_EQ(Dialog(DLG_NON_EMPTY_REWRITABLE), 0);
    EXPECT_EQ(Log(), QStringList({"<769>", "<716>"}));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, "<714>");
    EXPECT_EQ(Boxes()[0].caption, "Overwrite ReWriteable?!");
    EXPECT_EQ(Boxes()[0].type, mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
}

TEST_F(RecordingJobsTest, ImageFileDialogProposesTheLabelAndFillsTheBuffer)
{
    window.m_strVolume = "MY_FILM";
    char buffer[IMAGE_PATH_BUFFER_SIZE];
    std::memset(buffer, 'x', sizeof buffer);
    ports.questions.chooseImage = [](const QString &) { return std::optional<QString>("/tmp/Bild ä.nrg"); };
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, buffer), 1);
    EXPECT_EQ(ports.questions.proposedImageName, "MY_FILM.nrg");
    EXPECT_STREQ(buffer, "/tmp/Bild ä.nrg");

    ports.questions.chooseImage = [](const QString &) { return std::nullopt; };
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, buffer), 0);
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, nullptr), 0);
}

TEST_F(RecordingJobsTest, ImagePathThatDoesNotFitTheLibrarysBufferIsRefused)
{
    // One byte is left for the terminating zero: 1023 bytes fit, 1024 do not.
    char buffer[IMAGE_PATH_BUFFER_SIZE + 16];
    std::memset(buffer, 'x', sizeof buffer);
    const QString fits = "/" + QString(IMAGE_PATH_BUFFER_SIZE - 2, 'a');
    ports.questions.chooseImage = [&](const QString &) { return std::optional<QString>(fits); };
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, buffer), 1);
    EXPECT_EQ(std::strlen(buffer), size_t(IMAGE_PATH_BUFFER_SIZE - 1));

    std::memset(buffer, 'x', sizeof buffer);
    const QString tooLong = fits + "b";
    ports.questions.chooseImage = [&](const QString &) { return std::optional<QString>(tooLong); };
    EXPECT_EQ(Dialog(DLG_IMAGE_FILENAME, buffer), 0);
    EXPECT_EQ(buffer[0], 'x') << "nothing may be copied";
    EXPECT_TRUE(Log().contains("<909>"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].type, mb::IconStop);
}

TEST_F(RecordingJobsTest, WaitForDiscShowsAnEmptyBoxWithoutTheLibrarysText)
{
    EXPECT_EQ(Dialog(DLG_WAITCD, reinterpret_cast<void *>(intptr_t(WAIT_REASON_INSERT_MEDIUM))), 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "");
    EXPECT_EQ(Boxes()[0].caption, "Information");
    EXPECT_EQ(Boxes()[0].type, mb::IconInformation);
}

TEST_F(RecordingJobsTest, LogLinesAndPhases)
{
    ports.report.texts[672] = "A file is missing.";
    LogLine("Required file xyz.dll not found");
    LogLine("Required fil");
    LogLine("Burning at 4x");
    EXPECT_EQ(window.m_bReallocProblem, 0);
    LogLine("DVD-Video files reallocation failed");
    EXPECT_EQ(window.m_bReallocProblem, 1);
    window.m_libProgress.phaseCallback(window.m_libProgress.context, "Writing the disc");
    EXPECT_EQ(Log(), QStringList({"===> A file is missing.", "===> Required fil", "===> Burning at 4x",
                                  "===> DVD-Video files reallocation failed", "=> Writing the disc"}));
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
    jobs.Erase().Clock().SetTick(std::chrono::milliseconds(5));
    window.m_nEraseSecs = 0;
    window.m_evtJobDone.Reset();
    jobs.Erase().Clock().Start();
    window.m_evtJobDone.Set();
    jobs.Erase().Clock().Join();
    EXPECT_EQ(ports.progress.Last("SetTimeTotalText"), "0:00");
    ASSERT_FALSE(ports.progress.Args("SetPercentText").isEmpty());
    EXPECT_EQ(ports.progress.Args("SetPercentText").first(), "0.0 %");
    EXPECT_EQ(ports.progress.Args("SetTimeLeftText").first(), "0:00");
}

TEST_F(RecordingJobsTest, EraseClockEndingDuringTheCountdownShowsNoBox)
{
    jobs.Erase().Clock().SetTick(std::chrono::milliseconds(20));
    window.m_nEraseSecs = 125;
    window.m_evtJobDone.Reset();
    jobs.Erase().Clock().Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(130));
    window.m_evtJobDone.Set();
    jobs.Erase().Clock().Join();
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
    jobs.Erase().Clock().SetTick(std::chrono::milliseconds(5));
    window.m_nEraseSecs = 2;
    window.m_evtJobDone.Reset();
    jobs.Erase().Clock().Start();
    // Countdown 0:02 .. 0:00 (3 ticks), then the overtime until at least
    // twelve of its positions are shown.
    while (true) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (ports.progress.Args("SetProgressPos").size() >= 15)
            break;
    }
    window.m_evtJobDone.Set();
    jobs.Erase().Clock().Join();
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

TEST_F(RecordingJobsTest, BurnWithoutSourceOrWithARefusedLabelStopsBeforeTheRecorder)
{
    window.m_strSourceDir.clear();
    EXPECT_EQ(jobs.Job().RunBurn(), jobs::RunBurnNoSource);
    EXPECT_EQ(Log(), QStringList({"<700>"}));

    window.m_strSourceDir = "/somewhere";
    window.m_strVolume = "BAD!NAME";
    EXPECT_EQ(jobs.Job().RunBurn(), jobs::RunBurnRefusedLabel);
    EXPECT_EQ(Boxes().size(), 1u);

    window.m_strVolume = "GOOD";
    EXPECT_EQ(jobs.Job().RunBurn(), jobs::RunBurnNoRecorder) << "nothing selected";
    EXPECT_TRUE(ports.busy.Calls().isEmpty()) << "the window state never changes";
    EXPECT_EQ(jobs.Burn().CheckMedium(), -1) << "no open recorder";
}

TEST_F(RecordingJobsTest, SetUpWithoutTheLibraryClosesTheWindow)
{
    jobs.Setup().InitRecording(MEDIA_SET_DVD);
    EXPECT_EQ(Log(), QStringList({"<660>", "<604>"}));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "<807>");
    EXPECT_EQ(Boxes()[0].caption, "Error");
    EXPECT_EQ(ports.setup.Args("EndDialog"), QStringList({"-1"}));
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

TEST_F(RecordingJobsTest, EraseDeclinedChangesNothingAndEjectWithoutRecorderDoesNothing)
{
    AnswerNo();
    window.m_evtJobDone.Set();
    jobs.Job().OnEraseButton();
    EXPECT_EQ(window.m_bEraseInteractive, 1);
    EXPECT_TRUE(ports.report.status.isEmpty());
    EXPECT_TRUE(ports.busy.Calls().isEmpty());
    EXPECT_TRUE(window.m_evtJobDone.Wait(0)) << "the event keeps its state";
    jobs.Job().OnEject();
    EXPECT_EQ(jobs.Job().Wait(), 0);
    EXPECT_EQ(Boxes().size(), 1u);
}

} // namespace
