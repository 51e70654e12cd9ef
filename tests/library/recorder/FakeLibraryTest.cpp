#include "FakeLibraryTest.h"

#include "recorder/RecordingLibrary.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <sstream>

bool WatchedRegistry::WriteString(const QString &key, const QString &valueName, const QString &data)
{
    writes << key + QLatin1Char('|') + valueName + QLatin1Char('=') + data;
    return MemoryRegistryStore::WriteString(key, valueName, data);
}

void FakeLibraryTest::SetUp()
{
    SetMachineRegistry(&m_registry);
    if (qEnvironmentVariableIsSet("PATH"))
        m_savedPath = qgetenv("PATH");
    g_szRecLibDir[0] = '\0';
}

void FakeLibraryTest::TearDown()
{
    UnloadRecordingLibrary();
    SetMachineRegistry(nullptr);
    if (m_savedPath)
        qputenv("PATH", *m_savedPath);
    else
        qunsetenv("PATH");
    g_szRecLibDir[0] = '\0';
}

QString FakeLibraryTest::InstallFake(const char *generation, const QString &name)
{
    const QString folder = testenv::makeTempDir(QString::fromLatin1(generation)) + QLatin1Char('/') + name;
    EXPECT_TRUE(QDir().mkpath(folder));
    const QString source =
        QStringLiteral(ORVANE_FAKE_RECLIB_DIR "/%1/NeroAPI.so").arg(QLatin1String(generation));
    EXPECT_TRUE(QFile::copy(source, folder + QStringLiteral("/NeroAPI.so"))) << source.toStdString();
    return folder;
}

int FakeLibraryTest::LoadFake(const char *generation)
{
    m_folder = InstallFake(generation);
    SetSharedValue(m_folder);
    return LoadRecordingLibrary();
}

std::string FakeLibraryTest::CallLog()
{
    const auto log = g_hRecLib.Symbol<const char *(*)()>("FakeCallLog");
    return log != nullptr ? log() : std::string("(no stand-in loaded)");
}

void FakeLibraryTest::ClearCallLog()
{
    if (const auto clear = g_hRecLib.Symbol<void (*)()>("FakeClearLog"))
        clear();
}

std::string FakeLibraryTest::LoggedLine(const std::string &prefix)
{
    std::istringstream lines(CallLog());
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) == 0)
            return line;
    }
    return {};
}

void FakeLibraryTest::SetFakeVersion(unsigned single, LibraryVersion components)
{
    using Setter = void (*)(unsigned, uint16_t, uint16_t, uint16_t, uint16_t);
    const auto set = g_hRecLib.Symbol<Setter>("FakeSetVersion");
    ASSERT_NE(set, nullptr);
    set(single, components.major, components.minor, components.third, components.fourth);
}
