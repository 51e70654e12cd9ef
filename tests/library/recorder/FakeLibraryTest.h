#pragma once

// Each test gets its own in-memory machine registry, its own copy of a
// stand-in recording library in a fresh folder, and PATH and the library
// folder restored afterwards.
#include "recorder/LibraryVersion.h"
#include "recorder/RecordingLibrary.h"

#include "platform/MemoryRegistryStore.h"

#include "TestEnvironment.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

// Counts the writes, so tests can tell a write-back of the same value from none.
class WatchedRegistry : public MemoryRegistryStore
{
public:
    bool WriteString(const QString &key, const QString &valueName, const QString &data) override
    {
        ++writes;
        return MemoryRegistryStore::WriteString(key, valueName, data);
    }
    int writes = 0;
};

class FakeLibraryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsSet("PATH"))
            m_savedPath = qgetenv("PATH");
    }

    void TearDown() override
    {
        UnloadRecordingLibrary();
        if (m_savedPath)
            qputenv("PATH", *m_savedPath);
        else
            qunsetenv("PATH");
        g_szRecLibDir[0] = '\0';
    }

    // A copy of that generation's stand-in in folder (by default a fresh one).
    static QString InstallFake(const char *generation, QString folder = {})
    {
        if (folder.isEmpty())
            folder = testenv::makeTempDir(QString::fromLatin1(generation)) + QStringLiteral("/lib");
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString source =
            QStringLiteral(ORVANE_FAKE_RECLIB_DIR "/%1/NeroAPI.so").arg(QLatin1String(generation));
        EXPECT_TRUE(QFile::copy(source, folder + QStringLiteral("/NeroAPI.so"))) << source.toStdString();
        return folder;
    }

    // Installs the generation, names its folder as the first source and
    // loads it; LoadRecordingLibrary's result.
    int LoadFake(const char *generation)
    {
        m_folder = InstallFake(generation);
        SetSharedValue(m_folder);
        return Load();
    }
    // A load that does not start from the folder an earlier one found.
    int Load()
    {
        m_registry.writes = 0;
        g_szRecLibDir[0] = '\0';
        return LoadRecordingLibrary(m_registry);
    }

    void SetSharedValue(const QString &folder)
    {
        m_registry.Set(regkey::SharedKey, regkey::LibraryFolderValue, folder);
    }
    void SetAppPathsValue(const QString &folder)
    {
        m_registry.Set(regkey::SuiteAppPathsKey, QStringLiteral("Path"), folder);
    }
    std::optional<QString> SharedValue() const
    {
        return m_registry.ReadString(regkey::SharedKey, regkey::LibraryFolderValue);
    }

    // What the loaded stand-in has received so far, one call a line.
    static std::string CallLog()
    {
        const auto log = g_hRecLib.Symbol<const char *(*)()>("FakeCallLog");
        return log != nullptr ? log() : std::string("(no stand-in loaded)");
    }
    static void ClearCallLog()
    {
        if (const auto clear = g_hRecLib.Symbol<void (*)()>("FakeClearLog"))
            clear();
    }
    static bool Logged(const std::string &text) { return CallLog().find(text) != std::string::npos; }
    // The first logged line that starts with prefix, or an empty text.
    static std::string LoggedLine(const std::string &prefix)
    {
        const std::string log = '\n' + CallLog();
        const size_t start = std::min(log.find('\n' + prefix), log.size() - 1) + 1;
        return log.substr(start, log.find('\n', start) - start);
    }
    // Makes the loaded stand-in report another version.
    static void SetFakeVersion(unsigned single, LibraryVersion components)
    {
        using Setter = void (*)(unsigned, uint16_t, uint16_t, uint16_t, uint16_t);
        const auto set = g_hRecLib.Symbol<Setter>("FakeSetVersion");
        ASSERT_NE(set, nullptr);
        set(single, components.major, components.minor, components.third, components.fourth);
    }
    static std::string Pointer(const void *pointer) { return QString::asprintf("%p", pointer).toStdString(); }

    WatchedRegistry m_registry;
    QString m_folder; // the folder LoadFake installed into

private:
    std::optional<QByteArray> m_savedPath;
};
