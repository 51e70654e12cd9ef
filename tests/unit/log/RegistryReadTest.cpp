#include "log/RegistryRead.h"

#include "platform/MemoryRegistryStore.h"

#include <gtest/gtest.h>

TEST(ReadRegistryString, AValueThatDoesNotFitIsRefusedNotCut)
{
    const QString key =
        QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    MemoryRegistryStore store;
    EXPECT_TRUE(DesktopFolder(store).isEmpty());
    const QString exact(259, QLatin1Char('a'));
    store.Set(key, QStringLiteral("Desktop"), exact);
    store.Set(key, QStringLiteral("Long"), exact + QLatin1Char('a'));
    store.Set(key, QStringLiteral("Wide"), QString(130, QChar(0x00E4))); // 260 bytes in UTF-8
    store.CreateKey(QStringLiteral("Software\\Empty"));
    const struct
    {
        QString key, name;
        int code;
    } cases[] = {
        {key, QStringLiteral("Desktop"), regresult::Success},
        {key, QStringLiteral("Long"), regresult::MoreData},
        {key, QStringLiteral("Wide"), regresult::MoreData},
        {key, QStringLiteral("Music"), regresult::NotFound},
        {QStringLiteral("Software\\Missing"), QStringLiteral("Desktop"), regresult::NotFound},
        {QStringLiteral("Software\\Empty"), QStringLiteral("Desktop"), regresult::NotFound},
    };
    for (const auto &c : cases) {
        QString value = QStringLiteral("stale");
        EXPECT_EQ(ReadRegistryString(store, c.key, c.name, value, 260), c.code) << c.name.toStdString();
        EXPECT_EQ(value, c.code == regresult::Success ? exact : QString()) << c.name.toStdString();
    }
    EXPECT_EQ(DesktopFolder(store), exact);
}
