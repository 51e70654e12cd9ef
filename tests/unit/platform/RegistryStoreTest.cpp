#include "platform/FileRegistryStore.h"
#include "platform/MemoryRegistryStore.h"
#include "platform/SystemRegistryStore.h"

#include "FileSizeLimit.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

const QString Shared = regkey::SharedKey;
const QString Value = regkey::LibraryFolderValue;

// The rules every store shares, run against both kinds.
void CheckStoreRules(RegistryStore &store)
{
    EXPECT_FALSE(store.KeyExists(Shared));
    EXPECT_FALSE(store.ReadString(Shared, Value).has_value());
    EXPECT_FALSE(store.WriteString(Shared, Value, u"/opt/x"_s)) << "a write needs the key";
    store.CreateKey(Shared);
    EXPECT_TRUE(store.KeyExists(Shared));
    EXPECT_TRUE(store.KeyExists(Shared.toUpper())) << "key names ignore letter case";
    EXPECT_FALSE(store.ReadString(Shared, Value).has_value());
    EXPECT_TRUE(store.WriteString(Shared, Value, u"/opt/x"_s));
    EXPECT_EQ(store.ReadString(Shared.toLower(), u"neroapi"_s), u"/opt/x"_s);
    EXPECT_TRUE(store.WriteString(Shared, u"NEROAPI"_s, u"/opt/y"_s));
    EXPECT_EQ(store.ReadString(Shared, Value), u"/opt/y"_s);
    store.CreateKey(Shared);
    EXPECT_EQ(store.ReadString(Shared, Value), u"/opt/y"_s) << "creating an existing key keeps its values";
}

TEST(RegistryStore, MemoryAndFileStoresShareTheRules)
{
    MemoryRegistryStore memory;
    CheckStoreRules(memory);
    const QString folder = testenv::makeTempDir(u"hive"_s);
    FileRegistryStore file(folder + u"/registry.ini"_s, folder);
    CheckStoreRules(file);
}

TEST(RegistryStore, FileStoreKeepsAwkwardDataIntact)
{
    const QString folder = testenv::makeTempDir(u"hive"_s);
    const QString path = folder + u"/registry.ini"_s;
    FileRegistryStore store(path, folder);
    store.CreateKey(u"Key\\With]Bracket"_s);
    const QStringList data = {
        u"line one\nline two\r\n[Injected]\nNeroAPI=/evil"_s,
        u"C:\\Program Files\\ahead\\"_s,
        u"."_s,
        u"./not/a/folder/of/ours"_s,
        u"\\."_s,
        u"a=b=c"_s,
        QString(),
        u"\u00DF\u00C4 \U0001F4BF"_s,
    };
    for (const QString &value : data) {
        ASSERT_TRUE(store.WriteString(u"Key\\With]Bracket"_s, u"na=me\\"_s, value));
        EXPECT_EQ(store.ReadString(u"Key\\With]Bracket"_s, u"na=me\\"_s), value);
    }
    EXPECT_FALSE(store.KeyExists(u"Injected"_s));
    // A second store on the same file (another process) sees the same.
    FileRegistryStore other(path, folder);
    EXPECT_EQ(other.ReadString(u"key\\with]bracket"_s, u"NA=ME\\"_s), data.last());
}

TEST(RegistryStore, FoldersInsideTheProgramFolderSurviveAMove)
{
    const QString root = testenv::makeTempDir(u"move"_s);
    const QString before = root + u"/before"_s;
    const QString after = root + u"/after"_s;
    QDir().mkpath(before);
    {
        FileRegistryStore store(before + u"/registry.ini"_s, before);
        store.CreateKey(Shared);
        ASSERT_TRUE(store.WriteString(Shared, Value, before));
        ASSERT_TRUE(store.WriteString(Shared, u"Plugins"_s, before + u"/plug ins/"_s));
        ASSERT_TRUE(store.WriteString(Shared, u"Elsewhere"_s, root + u"/before-not"_s));
        EXPECT_EQ(store.ReadString(Shared, Value), before);
    }
    const QByteArray stored = testenv::readFile(before + u"/registry.ini"_s);
    EXPECT_TRUE(stored.contains("NeroAPI=.\n")) << stored.constData();
    EXPECT_FALSE(stored.contains(before.toUtf8() + '\n')) << "the program folder itself is not stored";
    ASSERT_TRUE(QDir().rename(before, after));

    FileRegistryStore moved(after + u"/registry.ini"_s, after);
    EXPECT_EQ(moved.ReadString(Shared, Value), after);
    EXPECT_EQ(moved.ReadString(Shared, u"Plugins"_s), after + u"/plug ins"_s);
    EXPECT_EQ(moved.ReadString(Shared, u"Elsewhere"_s), root + u"/before-not"_s)
        << "a sibling whose name merely starts like the folder stays absolute";
}

TEST(RegistryStore, FailedWriteKeepsTheOldHive)
{
    const QString folder = testenv::makeTempDir(u"hive"_s);
    const QString path = folder + u"/registry.ini"_s;
    FileRegistryStore store(path, folder);
    store.CreateKey(Shared);
    ASSERT_TRUE(store.WriteString(Shared, Value, u"/old"_s));
    const QByteArray before = testenv::readFile(path);
    {
        const testenv::FileSizeLimit limit(static_cast<rlim_t>(before.size()) + 100);
        EXPECT_FALSE(store.WriteString(Shared, Value, QString(4096, QLatin1Char('x'))));
    }
    EXPECT_EQ(testenv::readFile(path), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"registry.ini"_s})
        << "no temporary file left";
    EXPECT_FALSE(
        FileRegistryStore(folder + u"/no/such/registry.ini"_s, folder).WriteString(Shared, Value, u"/new"_s));
}

TEST(RegistryStore, SystemViewAnswersTheDesktopFolderOnly)
{
    MemoryRegistryStore hive;
    SystemRegistryStore system(hive);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    ASSERT_FALSE(desktop.isEmpty());
    EXPECT_EQ(system.ReadString(regkey::ShellFoldersKey, regkey::DesktopValue), desktop);
    EXPECT_TRUE(desktop.startsWith(testenv::root())) << "tests run in a private home";
    EXPECT_FALSE(system.WriteString(regkey::ShellFoldersKey, regkey::DesktopValue, u"/tmp"_s));
    EXPECT_FALSE(system.ReadString(regkey::SuiteAppPathsKey, QString()).has_value());
    EXPECT_FALSE(system.KeyExists(regkey::SuiteAppPathsKey));
    hive.Set(regkey::SuiteAppPathsKey, u"Path"_s, u"/opt/suite"_s);
    EXPECT_EQ(system.ReadString(regkey::SuiteAppPathsKey, u"Path"_s), u"/opt/suite"_s);
}

} // namespace
