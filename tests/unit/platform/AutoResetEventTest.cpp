#include "platform/AutoResetEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

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
