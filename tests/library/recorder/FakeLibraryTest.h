#pragma once

// Each test gets its own in-memory machine registry, its own copy of a
// stand-in recording library in a fresh folder, and PATH and the library
// folder restored afterwards.
#include "recorder/LibraryVersion.h"

#include "platform/MemoryRegistryStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

// Remembers every write, so tests can tell a write-back from none.
class WatchedRegistry : public MemoryRegistryStore
{
public:
    bool WriteString(const QString &key, const QString &valueName, const QString &data) override;
    QStringList writes;
};

class FakeLibraryTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh folder (named name) holding a copy of that generation's stand-in.
    static QString InstallFake(const char *generation, const QString &name = QStringLiteral("lib"));
    // Installs the generation, names its folder as the first source and
    // loads it; LoadRecordingLibrary's result.
    int LoadFake(const char *generation);
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
    static std::string CallLog();
    static void ClearCallLog();
    static bool Logged(const std::string &text) { return CallLog().find(text) != std::string::npos; }
    // The first logged line that starts with prefix, or an empty text.
    static std::string LoggedLine(const std::string &prefix);
    // Makes the loaded stand-in report another version.
    static void SetFakeVersion(unsigned single, LibraryVersion components);
    static std::string Pointer(const void *pointer) { return QString::asprintf("%p", pointer).toStdString(); }

    WatchedRegistry m_registry;
    QString m_folder; // the folder LoadFake installed into

private:
    std::optional<QByteArray> m_savedPath;
};
