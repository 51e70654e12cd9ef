#include "platform/GuiThread.h"
#include "platform/AutoResetEvent.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(GuiThread, CallsRunOnTheGuiThreadWaitingOnlyWhenAsked)
{
    bool ranHere = false;
    RunOnGuiThread([&] { ranHere = true; }, Blocking::NoWait);
    EXPECT_TRUE(ranHere) << "on the GUI thread a call runs at once";

    std::atomic<QThread *> ranOn{nullptr};
    std::atomic<bool> returned{false};
    std::atomic<bool> workerWasGui{true};
    std::thread worker([&] {
        workerWasGui = IsGuiThread();
        RunOnGuiThread([&] { ranOn = QThread::currentThread(); }, Blocking::Wait);
        returned = ranOn.load() != nullptr; // Wait: the call has run before RunOnGuiThread returns
    });
    QElapsedTimer clock;
    clock.start();
    while (!returned && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_FALSE(workerWasGui);
    EXPECT_TRUE(returned);
    EXPECT_EQ(ranOn.load(), QCoreApplication::instance()->thread());

    std::atomic<bool> ran{false};
    std::thread noWait([&] { RunOnGuiThread([&] { ran = true; }, Blocking::NoWait); });
    noWait.join();
    EXPECT_FALSE(ran) << "nothing runs until the GUI thread handles its events";
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

TEST(AutoResetEvent, ASignalWakesOneWaitAndIsConsumed)
{
    AutoResetEvent event;
    EXPECT_FALSE(event.Wait(0));
    event.Set();
    event.Set();
    EXPECT_TRUE(event.Wait(0));
    EXPECT_FALSE(event.Wait(10)) << "two Sets before a Wait are one signal";
    event.Set();
    event.Reset();
    EXPECT_FALSE(event.Wait(0));
    std::atomic<bool> woke{false};
    std::thread waiter([&] { woke = event.Wait(-1); });
    event.Set();
    waiter.join();
    EXPECT_TRUE(woke);
}

} // namespace
