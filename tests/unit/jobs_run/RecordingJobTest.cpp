// The one owner of a job's sequence: which phases a job passes, and that
// nothing else starts while one runs (also not in the moment between an
// erase and the burn that follows it). No recording library is loaded here.
#include "RecordingSoundPlayer.h"
#include "TestJobPorts.h"

#include "jobs/RecordingJobs.h"
#include "jobs/RecordingState.h"
#include "jobs/burn/BurnReport.h"
#include "platform/MemoryRegistryStore.h"
#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
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
        std::unique_lock lock(m_mutex);
        m_reached = true;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
    }
    void WaitUntilReached()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_reached; });
    }
    void Open()
    {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_reached = false;
    bool m_open = false;
};

class RecordingJobTest : public testing::Test
{
protected:
    RecordingJobTest()
    {
        SetMachineRegistry(&m_registry);
        jobs.Job().ObservePhases([this](JobPhase phase) {
            std::lock_guard lock(m_mutex);
            m_phases.push_back(phase);
        });
    }
    ~RecordingJobTest() override
    {
        busy.Open();
        jobs.Job().Wait();
        SetMachineRegistry(nullptr);
    }
    std::vector<JobPhase> Phases()
    {
        std::lock_guard lock(m_mutex);
        return m_phases;
    }

    MemoryRegistryStore m_registry;
    TestJobPorts t;
    GatedBusy busy;
    RecordingState state;
    RecordingSoundPlayer sound;
    RecordingJobs jobs{
        JobPorts{t.report, t.questions, t.progress, t.recorders, t.speeds, busy, t.setup, t.settings}, state,
        sound};
    std::mutex m_mutex;
    std::vector<JobPhase> m_phases;
};

TEST_F(RecordingJobTest, EachJobPassesItsPhasesAndEndsIdle)
{
    using P = JobPhase;
    busy.Open();
    struct Case
    {
        const char *name;
        std::function<void()> run;
        std::vector<JobPhase> phases;
    };
    const Case cases[] = {
        {"burn without a source",
         [this] { EXPECT_EQ(jobs.Job().RunBurn(), jobs::RunBurnNoSource); },
         {P::Checking, P::Idle}},
        {"burn stopped by its prelude",
         [this] { EXPECT_EQ(jobs.Job().RunBurn([] { return 7; }), 7); },
         {P::Checking, P::Idle}},
        {"erase without a recorder",
         [this] {
             jobs.Job().OnEraseButton();
             jobs.Job().Wait();
         },
         {P::Erasing, P::Idle}},
        {"eject", [this] { jobs.Job().OnEject(); }, {P::Command, P::Idle}},
    };
    for (const Case &c : cases) {
        {
            std::lock_guard lock(m_mutex);
            m_phases.clear();
        }
        c.run();
        EXPECT_EQ(Phases(), c.phases) << c.name;
        EXPECT_FALSE(jobs.Job().Running()) << c.name;
        EXPECT_EQ(jobs.Job().Phase(), JobPhase::Idle) << c.name;
    }
}

TEST_F(RecordingJobTest, NothingStartsWhileAnEraseRuns)
{
    jobs.Job().OnEraseButton();
    busy.WaitUntilReached();
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
    EXPECT_EQ(t.report.boxes.Showed("<642>"), 1) << "one erase question only";

    busy.Open();
    EXPECT_EQ(jobs.Job().Wait(), 0);
    EXPECT_FALSE(jobs.Job().Running());
    EXPECT_TRUE(jobs.Job().WhenIdle([&] { commandRan = true; }));
    EXPECT_TRUE(commandRan);
}

TEST_F(RecordingJobTest, DeclinedEraseEndsTheJobAtOnce)
{
    t.report.boxes.answer = [](const BoxRecorder::Box &) { return int(mb::IdNo); };
    jobs.Job().OnEraseButton();
    EXPECT_FALSE(jobs.Job().Running());
    EXPECT_EQ(Phases(), std::vector<JobPhase>({JobPhase::Idle}));
    EXPECT_TRUE(busy.Calls().isEmpty());
}

} // namespace
