#include "log/SystemShutdown.h"
#include "PrivateSystemBus.h"
#include "TestEnvironment.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

TEST(SystemShutdown, PowersOffThroughLogindOnTheSystemBus)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    EXPECT_EQ(GetWindowsPlatform(), 0);
    EXPECT_TRUE(ShutdownWindows());
    ASSERT_TRUE(bus.WaitForPowerOffCalls(1, 5000));
    EXPECT_TRUE(bus.PowerOffCalls().first().startsWith("PowerOff false"));
}

TEST(SystemShutdown, WithoutASystemBusItGivesUpAtOnce)
{
    // The test environment points the system bus at an address nobody serves.
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(ShutdownWindows());
    EXPECT_LT(timer.elapsed(), 5000);
}
