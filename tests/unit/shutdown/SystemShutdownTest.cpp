#include "log/SystemShutdown.h"
#include "TestEnvironment.h"

#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

TEST(SystemShutdown, WithoutASystemBusItGivesUpAtOnce)
{
    // The test environment points the system bus at an address nobody serves.
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(ShutdownWindows().isEmpty()) << "a reason";
    EXPECT_LT(timer.elapsed(), 5000);
}

// The stand-in must never answer on the machine's own bus.
TEST(PrivateSystemBus, FakeLogindRefusesToRunOutsideAPrivateBus)
{
    QProcess logind;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/run/dbus/system_bus_socket");
    env.remove("ORVANE_FAKE_LOGIND_PRIVATE_BUS");
    logind.setProcessEnvironment(env);
    logind.start(ORVANE_TEST_BUILD_DIR "/tests-bin/fake-logind", {testenv::makeTempDir("record") + "/calls"});
    ASSERT_TRUE(logind.waitForFinished(5000));
    EXPECT_EQ(logind.exitCode(), 2);
}
