// Finding the library through the registry, the write-backs, PATH, the
// version declaration, and what goes wrong on purpose.
#include "FakeLibraryTest.h"

#include "recorder/LibraryAdapters.h"

#include <cstring>

namespace {

using LoadRecordingLibraryTest = FakeLibraryTest;

TEST_F(LoadRecordingLibraryTest, FirstSourceIsStoredBackOnlyToRemoveATrailingSlash)
{
    for (const QString &slash : {QStringLiteral("/"), QString()}) {
        SCOPED_TRACE(slash.toStdString());
        const QString folder = InstallFake("current");
        SetSharedValue(folder + slash);
        SetAppPathsValue(QStringLiteral("/elsewhere"));
        ASSERT_EQ(Load(), 1);
        EXPECT_EQ(SharedValue(), folder);
        EXPECT_EQ(m_registry.writes, slash.size());
        // The folder as read, slash and all, is what PATH is given.
        EXPECT_STREQ(g_szRecLibDir, (folder + slash).toUtf8().constData());
        EXPECT_TRUE(qgetenv("PATH").startsWith((folder + slash + ':').toUtf8()));
    }
}

TEST_F(LoadRecordingLibraryTest, SecondSourceIsCopiedUnchangedToTheFirstOnlyWhereItsKeyExists)
{
    SetAppPathsValue(InstallFake("current"));
    ASSERT_EQ(Load(), 1);
    EXPECT_FALSE(m_registry.KeyExists(regkey::SharedKey));
    const QString folder = InstallFake("current");
    SetAppPathsValue(folder + '/');
    // Present, but too long to read: the second source still answers.
    SetSharedValue(QString(300, QLatin1Char('z')));
    // Loaded from "<folder>//NeroAPI.so": the slash is not removed here.
    ASSERT_EQ(Load(), 1);
    EXPECT_EQ(SharedValue(), folder + '/');
}

TEST_F(LoadRecordingLibraryTest, FolderOf242CharactersIsUsedAnd243IsNot)
{
    const QString base = testenv::makeTempDir(QStringLiteral("long"));
    const QString fallback = InstallFake("current");
    for (const int length : {242, 243}) {
        SCOPED_TRACE(length);
        const QString folder = base + '/' + QString(length - base.size() - 1, QLatin1Char('d'));
        ASSERT_EQ(folder.size(), length);
        SetSharedValue(InstallFake("current", folder));
        // The second source would work, but a found first source wins.
        SetAppPathsValue(fallback);
        EXPECT_EQ(Load(), length == 242 ? 1 : 0);
        EXPECT_EQ(m_registry.writes, 0);
        EXPECT_STREQ(g_szRecLibDir, folder.toUtf8().constData());
    }
}

TEST_F(LoadRecordingLibraryTest, PathGainsTheFolderUnlessItIsAlreadyInside)
{
    const QString folder = InstallFake("current");
    SetSharedValue(folder);
    const QByteArray dir = folder.toUtf8();
    const std::tuple<const char *, std::optional<QByteArray>, QByteArray> cases[] = {
        {"absent", QByteArray("/usr/bin:/bin"), dir + ":/usr/bin:/bin"},
        {"inside a longer name", "/usr/bin:" + dir + "-old/bin", "/usr/bin:" + dir + "-old/bin"},
        {"already first", dir + ":/bin", dir + ":/bin"},
        // An empty PATH entry would mean the current folder.
        {"empty", QByteArray(""), dir},
        {"unset", std::nullopt, dir},
    };
    for (const auto &[name, before, after] : cases) {
        SCOPED_TRACE(name);
        if (before)
            qputenv("PATH", *before);
        else
            qunsetenv("PATH");
        ASSERT_EQ(Load(), 1);
        EXPECT_EQ(qgetenv("PATH"), after);
    }
}

// Libraries that refuse the version or lack every export are the adapter
// tests' generation table; a library that cannot be opened, the strange
// values below.
TEST_F(LoadRecordingLibraryTest, WithoutALibraryEveryAdapterAnswersItsFailure)
{
    EXPECT_EQ(Load(), 0); // no source at all
    EXPECT_STREQ(g_szRecLibDir, "");
    ASSERT_FALSE(g_hRecLib);

    auto *device = reinterpret_cast<RecDeviceHandle>(&g_hRecLib);
    DeviceInfo info{};
    WriteRecord record{};
    EXPECT_EQ(NeroGetAPIVersion(), 0u);
    EXPECT_EQ(QueryLibraryVersion(), std::nullopt);
    EXPECT_TRUE(IsLibraryOlderThan5_5_9_16());
    EXPECT_EQ(NeroSetExpectedAPIVersion(6000), 0);
    EXPECT_EQ(NeroSetExpectedAPIVersionEx(6, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(SetExpectedLibraryVersion(6, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(NeroInit(nullptr, nullptr), 1);
    EXPECT_EQ(NeroDone(), 1);
    EXPECT_EQ(NeroGetErrorLog(), nullptr);
    EXPECT_EQ(NeroCreateIsoItemOfSize(16), nullptr);
    EXPECT_EQ(NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr), nullptr);
    EXPECT_EQ(NeroGetAvailableDrivesEx(MEDIA_SET_CD, nullptr), nullptr);
    EXPECT_EQ(NeroGetAvailableDrives(), nullptr);
    EXPECT_EQ(NeroOpenDevice(&info), nullptr);
    EXPECT_EQ(NeroGetCDInfo(device, CDINFO_FLAGS_DEFAULT), nullptr);
    EXPECT_EQ(NeroCreateIsoTrackEx(nullptr, "LABEL", ISO_TRACK_UDF), nullptr);
    EXPECT_EQ(NeroBurn(device, 0, &record, BURN_FLAG_WRITE, 0, nullptr), 1);
    EXPECT_EQ(NeroEjectLoadCD(device, 1), -1);
    EXPECT_EQ(NeroGetCDRWErasingTime(device, ERASE_MODE_QUICK), -1);
    EXPECT_EQ(NeroEraseCDRW(device, ERASE_MODE_QUICK), -1);
    // No allocator to put the fallback name in.
    EXPECT_EQ(NeroGetTypeNameOfMedia(MEDIA_SET_DVD, nullptr), nullptr);
    EXPECT_EQ(NeroGetLocalizedWaitCDTexts(WAIT_REASON_INSERT_MEDIUM), nullptr);
    NeroClearErrors();
    NeroFreeMem(&info);
    NeroCloseDevice(device);
    NeroFreeIsoTrack(nullptr);
}

TEST_F(LoadRecordingLibraryTest, StrangeRegistryValuesFailQuietly)
{
    const QString values[] = {
        QStringLiteral("relative/folder"), // read and used, but no library there
        QString(254, QLatin1Char('x')),    // fits the read, too long to use
        QString(100000, QLatin1Char('y')), // too long to read
    };
    for (const QString &value : values) {
        SCOPED_TRACE(value.left(40).toStdString());
        SetSharedValue(value);
        EXPECT_EQ(Load(), 0);
        EXPECT_FALSE(g_hRecLib);
        EXPECT_LT(std::strlen(g_szRecLibDir), kRecLibDirSize);
    }
}

TEST_F(LoadRecordingLibraryTest, ValueEndsAtItsFirstNulAndMayNameAnyFolder)
{
    const QString folder = InstallFake("current", testenv::makeTempDir("umlaut") + "/Brennprogramm äöü ß");
    SetSharedValue(folder + QChar(u'\0') + QStringLiteral("/ignored"));
    EXPECT_EQ(Load(), 1);
    EXPECT_STREQ(g_szRecLibDir, folder.toUtf8().constData());
}

TEST_F(LoadRecordingLibraryTest, ReloadTakesTheNewLibraryAndUnloadKeepsTheFolder)
{
    ASSERT_EQ(LoadFake("current"), 1);
    EXPECT_EQ(NeroGetAPIVersion(), 6000u);
    ASSERT_EQ(LoadFake("v5564"), 1);
    EXPECT_EQ(NeroGetAPIVersion(), 5564u);
    // The single number has room for one digit a component.
    EXPECT_EQ(SetExpectedLibraryVersion(12, 3, 40, 5, nullptr), 1);
    EXPECT_TRUE(Logged("NeroSetExpectedAPIVersion 6000\nNeroSetExpectedAPIVersion 9395\n")) << CallLog();
    EXPECT_STREQ(g_szRecLibDir, m_folder.toUtf8().constData());
    UnloadRecordingLibrary();
    EXPECT_FALSE(g_hRecLib);
    EXPECT_EQ(NeroGetAPIVersion(), 0u);
    EXPECT_STREQ(g_szRecLibDir, m_folder.toUtf8().constData());
}

} // namespace
