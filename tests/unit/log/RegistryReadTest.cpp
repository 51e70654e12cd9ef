#include "log/RegistryRead.h"

#include "platform/MemoryRegistryStore.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ReadRegistryString, AValueThatDoesNotFitIsRefusedNotCut)
{
    const QString key = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"_s;
    MemoryRegistryStore store;
    EXPECT_TRUE(DesktopFolder(store).isEmpty());
    const QString exact(259, QLatin1Char('a'));
    store.Set(key, u"Desktop"_s, exact);
    store.Set(key, u"Long"_s, exact + QLatin1Char('a'));
    store.Set(key, u"Wide"_s, QString(130, QChar(0x00E4))); // 260 bytes in UTF-8
    store.CreateKey(u"Software\\Empty"_s);
    const struct
    {
        QString key, name;
        int code;
    } cases[] = {
        {key, u"Desktop"_s, regresult::Success},
        {key, u"Long"_s, regresult::MoreData},
        {key, u"Wide"_s, regresult::MoreData},
        {key, u"Music"_s, regresult::NotFound},
        {u"Software\\Missing"_s, u"Desktop"_s, regresult::NotFound},
        {u"Software\\Empty"_s, u"Desktop"_s, regresult::NotFound},
    };
    for (const auto &c : cases) {
        QString value = u"stale"_s;
        EXPECT_EQ(ReadRegistryString(store, c.key, c.name, value, 260), c.code) << c.name.toStdString();
        EXPECT_EQ(value, c.code == regresult::Success ? exact : QString()) << c.name.toStdString();
    }
    EXPECT_EQ(DesktopFolder(store), exact);
}
