#include "platform/FileRegistryStore.h"
#include "platform/MemoryRegistryStore.h"
#include "platform/SystemRegistryStore.h"

#include "FileSizeLimit.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

const QString Shared = regkey::SharedKey;
const QString Value = regkey::LibraryFolderValue;

// The rules every store shares, run against both kinds.
void CheckStoreRules(RegistryStore &store)
{
    EXPECT_FALSE(store.KeyExists(Shared));
    EXPECT_FALSE(store.ReadString(Shared, Value).has_value());
    EXPECT_FALSE(store.WriteString(Shared, Value, QStringLiteral("/opt/x"))) << "a write needs the key";
    store.CreateKey(Shared);
    EXPECT_TRUE(store.KeyExists(Shared));
    EXPECT_TRUE(store.KeyExists(Shared.toUpper())) << "key names ignore letter case";
    EXPECT_FALSE(store.ReadString(Shared, Value).has_value());
    EXPECT_TRUE(store.WriteString(Shared, Value, QStringLiteral("/opt/x")));
    EXPECT_EQ(store.ReadString(Shared.toLower(), QStringLiteral("neroapi")), QStringLiteral("/opt/x"));
    EXPECT_TRUE(store.WriteString(Shared, QStringLiteral("NEROAPI"), QStringLiteral("/opt/y")));
    EXPECT_EQ(store.ReadString(Shared, Value), QStringLiteral("/opt/y"));
    store.CreateKey(Shared);
    EXPECT_EQ(store.ReadString(Shared, Value), QStringLiteral("/opt/y"))
        << "creating an existing key keeps its values";
}

TEST(RegistryStore, MemoryAndFileStoresShareTheRules)
{
    MemoryRegistryStore memory;
    CheckStoreRules(memory);
    const QString folder = testenv::makeTempDir(QStringLiteral("hive"));
    FileRegistryStore file(folder + QStringLiteral("/registry.ini"), folder);
    CheckStoreRules(file);
}

TEST(RegistryStore, FileStoreKeepsAwkwardDataIntact)
{
    const QString folder = testenv::makeTempDir(QStringLiteral("hive"));
    const QString path = folder + QStringLiteral("/registry.ini");
    FileRegistryStore store(path, folder);
    store.CreateKey(QStringLiteral("Key\\With]Bracket"));
    const QStringList data = {
        QStringLiteral("line one\nline two\r\n[Injected]\nNeroAPI=/evil"),
        QStringLiteral("C:\\Program Files\\ahead\\"),
        QStringLiteral("."),
        QStringLiteral("./not/a/folder/of/ours"),
        QStringLiteral("\\."),
        QStringLiteral("a=b=c"),
        QString(),
        QStringLiteral("\u00DF\u00C4 \U0001F4BF"),
    };
    for (const QString &value : data) {
        ASSERT_TRUE(store.WriteString(QStringLiteral("Key\\With]Bracket"), QStringLiteral("na=me\\"), value));
        EXPECT_EQ(store.ReadString(QStringLiteral("Key\\With]Bracket"), QStringLiteral("na=me\\")), value);
    }
    EXPECT_FALSE(store.KeyExists(QStringLiteral("Injected")));
    // A second store on the same file (another process) sees the same.
    FileRegistryStore other(path, folder);
    EXPECT_EQ(other.ReadString(QStringLiteral("key\\with]bracket"), QStringLiteral("NA=ME\\")), data.last());
}

TEST(RegistryStore, FoldersInsideTheProgramFolderSurviveAMove)
{
    const QString root = testenv::makeTempDir(QStringLiteral("move"));
    const QString before = root + QStringLiteral("/before");
    const QString after = root + QStringLiteral("/after");
    QDir().mkpath(before);
    {
        FileRegistryStore store(before + QStringLiteral("/registry.ini"), before);
        store.CreateKey(Shared);
        ASSERT_TRUE(store.WriteString(Shared, Value, before));
        ASSERT_TRUE(
            store.WriteString(Shared, QStringLiteral("Plugins"), before + QStringLiteral("/plug ins/")));
        ASSERT_TRUE(
            store.WriteString(Shared, QStringLiteral("Elsewhere"), root + QStringLiteral("/before-not")));
        EXPECT_EQ(store.ReadString(Shared, Value), before);
    }
    const QByteArray stored = testenv::readFile(before + QStringLiteral("/registry.ini"));
    EXPECT_TRUE(stored.contains("NeroAPI=.\n")) << stored.constData();
    EXPECT_FALSE(stored.contains(before.toUtf8() + '\n')) << "the program folder itself is not stored";
    ASSERT_TRUE(QDir().rename(before, after));

    FileRegistryStore moved(after + QStringLiteral("/registry.ini"), after);
    EXPECT_EQ(moved.ReadString(Shared, Value), after);
    EXPECT_EQ(moved.ReadString(Shared, QStringLiteral("Plugins")), after + QStringLiteral("/plug ins"));
    EXPECT_EQ(moved.ReadString(Shared, QStringLiteral("Elsewhere")), root + QStringLiteral("/before-not"))
        << "a sibling whose name merely starts like the folder stays absolute";
}

TEST(RegistryStore, FailedWriteKeepsTheOldHive)
{
    const QString folder = testenv::makeTempDir(QStringLiteral("hive"));
    const QString path = folder + QStringLiteral("/registry.ini");
    FileRegistryStore store(path, folder);
    store.CreateKey(Shared);
    ASSERT_TRUE(store.WriteString(Shared, Value, QStringLiteral("/old")));
    const QByteArray before = testenv::readFile(path);
    {
        const testenv::FileSizeLimit limit(static_cast<rlim_t>(before.size()) + 100);
        EXPECT_FALSE(store.WriteString(Shared, Value, QString(4096, QLatin1Char('x'))));
    }
    EXPECT_EQ(testenv::readFile(path), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("registry.ini")})
        << "no temporary file left";
    EXPECT_FALSE(FileRegistryStore(folder + QStringLiteral("/no/such/registry.ini"), folder)
                     .WriteString(Shared, Value, QStringLiteral("/new")));
}

TEST(RegistryStore, SystemViewAnswersTheDesktopFolderOnly)
{
    MemoryRegistryStore hive;
    SystemRegistryStore system(hive);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    ASSERT_FALSE(desktop.isEmpty());
    EXPECT_EQ(system.ReadString(regkey::ShellFoldersKey, regkey::DesktopValue), desktop);
    EXPECT_TRUE(desktop.startsWith(testenv::root())) << "tests run in a private home";
    EXPECT_FALSE(system.WriteString(regkey::ShellFoldersKey, regkey::DesktopValue, QStringLiteral("/tmp")));
    EXPECT_FALSE(system.ReadString(regkey::SuiteAppPathsKey, QString()).has_value());
    EXPECT_FALSE(system.KeyExists(regkey::SuiteAppPathsKey));
    hive.Set(regkey::SuiteAppPathsKey, QStringLiteral("Path"), QStringLiteral("/opt/suite"));
    EXPECT_EQ(system.ReadString(regkey::SuiteAppPathsKey, QStringLiteral("Path")),
              QStringLiteral("/opt/suite"));
}

} // namespace
