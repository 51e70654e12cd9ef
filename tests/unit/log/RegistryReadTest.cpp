#include "log/RegistryRead.h"

#include "platform/MemoryRegistryStore.h"

#include <gtest/gtest.h>

namespace {

const QString Key = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");

TEST(ReadRegistryString, CodesAndValues)
{
    MemoryRegistryStore store;
    store.Set(Key, QStringLiteral("Desktop"), QStringLiteral("/home/user/Desktop"));
    store.CreateKey(QStringLiteral("Software\\Empty"));

    QString value = QStringLiteral("stale");
    EXPECT_EQ(ReadRegistryString(store, Key, QStringLiteral("Desktop"), value, 260), regresult::Success);
    EXPECT_EQ(value, QStringLiteral("/home/user/Desktop"));

    EXPECT_EQ(ReadRegistryString(store, Key, QStringLiteral("Music"), value, 260), regresult::NotFound);
    EXPECT_TRUE(value.isEmpty());
    EXPECT_EQ(
        ReadRegistryString(store, QStringLiteral("Software\\Missing"), QStringLiteral("Desktop"), value, 260),
        regresult::NotFound);
    EXPECT_EQ(
        ReadRegistryString(store, QStringLiteral("Software\\Empty"), QStringLiteral("Desktop"), value, 260),
        regresult::NotFound);
}

TEST(ReadRegistryString, AValueThatDoesNotFitIsRefusedNotCut)
{
    MemoryRegistryStore store;
    const QString exact(259, QLatin1Char('a'));
    store.Set(Key, QStringLiteral("Exact"), exact);
    store.Set(Key, QStringLiteral("Long"), exact + QLatin1Char('a'));
    store.Set(Key, QStringLiteral("Wide"), QString(130, QChar(0x00E4))); // 260 bytes in UTF-8

    QString value;
    EXPECT_EQ(ReadRegistryString(store, Key, QStringLiteral("Exact"), value, 260), regresult::Success);
    EXPECT_EQ(value, exact);
    EXPECT_EQ(ReadRegistryString(store, Key, QStringLiteral("Long"), value, 260), regresult::MoreData);
    EXPECT_TRUE(value.isEmpty());
    EXPECT_EQ(ReadRegistryString(store, Key, QStringLiteral("Wide"), value, 260), regresult::MoreData);
}

TEST(DesktopFolder, EmptyWhenTheValueIsMissing)
{
    MemoryRegistryStore store;
    EXPECT_TRUE(DesktopFolder(store).isEmpty());
    store.Set(Key, QStringLiteral("Desktop"), QStringLiteral("/d"));
    EXPECT_EQ(DesktopFolder(store), QStringLiteral("/d"));
}

} // namespace
