#include "PrivateSystemBus.h"
#include "TestEnvironment.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>

#include <gtest/gtest.h>

TEST(PrivateSystemBus, SystemBusCallsReachTheFakeLogind)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                                       "org.freedesktop.login1.Manager", "PowerOff");
    call << false;
    const QDBusMessage reply = QDBusConnection::systemBus().call(call, QDBus::Block, 5000);
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    ASSERT_TRUE(bus.WaitForPowerOffCalls(1, 5000));
    EXPECT_TRUE(bus.PowerOffCalls().first().startsWith("PowerOff false"));
}

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
