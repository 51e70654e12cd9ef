#include "platform/GuiThread.h"

#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(GuiThread, RunsAtOnceOnTheGuiThread)
{
    bool ran = false;
    RunOnGuiThread([&] { ran = true; }, Blocking::NoWait);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(IsGuiThread());
}

TEST(GuiThread, WorkerCallsRunOnTheGuiThread)
{
    std::atomic<QThread *> ranOn{nullptr};
    std::atomic<bool> returned{false};
    std::atomic<bool> workerWasGui{true};
    std::thread worker([&] {
        workerWasGui = IsGuiThread();
        RunOnGuiThread([&] { ranOn = QThread::currentThread(); }, Blocking::Wait);
        // Blocking::Wait: the call has run before RunOnGuiThread returns.
        returned = ranOn.load() != nullptr;
    });
    QElapsedTimer clock;
    clock.start();
    while (!returned && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_FALSE(workerWasGui);
    EXPECT_TRUE(returned);
    EXPECT_EQ(ranOn.load(), QCoreApplication::instance()->thread());
}

TEST(GuiThread, NoWaitReturnsBeforeTheCallRuns)
{
    std::atomic<bool> ran{false};
    std::thread worker([&] { RunOnGuiThread([&] { ran = true; }, Blocking::NoWait); });
    worker.join();
    EXPECT_FALSE(ran) << "nothing runs until the GUI thread handles its events";
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

} // namespace
