#include "recorder/RecordingLibrary.h"

#include "recorder/LibraryAdapters.h"

#include "platform/RegistryStore.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

ModuleHandle g_hRecLib;
char g_szRecLibDir[kRecLibDirSize] = {};

namespace {

// The registry is read into a 255-byte buffer: a value whose text and
// terminator do not fit is a failed read.
constexpr std::size_t kValueReadLimit = 255;
// A folder of this many characters or more is never used for a path.
constexpr std::size_t kUnusableFolderLength = 243;
constexpr char kLibraryFileName[] = "/NeroAPI.so";
constexpr char kFolderSeparator = '/';
constexpr char kPathListSeparator = ':';

const QString &AppPathsPathValue()
{
    static const QString name = QStringLiteral("Path");
    return name;
}

// Reads a string value into g_szRecLibDir. A string value ends at its first
// NUL, whatever the store holds after it. On failure g_szRecLibDir keeps its
// old text.
bool ReadFolderValue(const RegistryStore &registry, const QString &key, const QString &valueName)
{
    const std::optional<QString> value = registry.ReadString(key, valueName);
    if (!value)
        return false;
    QByteArray text = value->toUtf8();
    const qsizetype terminator = text.indexOf('\0');
    if (terminator >= 0)
        text.truncate(terminator);
    if (static_cast<std::size_t>(text.size()) + 1 > kValueReadLimit)
        return false;
    std::memcpy(g_szRecLibDir, text.constData(), static_cast<std::size_t>(text.size()));
    g_szRecLibDir[text.size()] = '\0';
    return true;
}

bool FolderUsableForPath()
{
    return std::strlen(g_szRecLibDir) < kUnusableFolderLength;
}

// First source: the suite's shared key. Returns the library path, or an
// empty text when the value is missing or too long to use.
std::string PathFromSharedKey(RegistryStore &registry)
{
    if (!ReadFolderValue(registry, regkey::SharedKey, regkey::LibraryFolderValue) || !FolderUsableForPath())
        return {};
    std::string folder = g_szRecLibDir;
    if (!folder.empty() && folder.back() == kFolderSeparator) {
        folder.pop_back();
        StoreLibraryFolder(registry, folder.c_str());
    }
    return folder + kLibraryFileName;
}

// Second source: the suite's App Paths entry, copied to the first source
// unchanged so that later runs find it there.
std::string PathFromAppPaths(RegistryStore &registry)
{
    if (!ReadFolderValue(registry, regkey::SuiteAppPathsKey, AppPathsPathValue()))
        return {};
    std::string path;
    if (FolderUsableForPath())
        path = std::string(g_szRecLibDir) + kLibraryFileName;
    StoreLibraryFolder(registry, g_szRecLibDir);
    return path;
}

// The library's own dependencies may live beside it: its folder goes in
// front of PATH unless PATH already mentions it anywhere.
void PutFolderInFrontOfPath()
{
    if (g_szRecLibDir[0] == '\0')
        return;
    const QByteArray oldPath = qgetenv("PATH");
    if (oldPath.contains(g_szRecLibDir))
        return;
    QByteArray newPath(g_szRecLibDir);
    // An empty entry in a Linux PATH means the current folder, so an unset or
    // empty PATH gets no separator.
    if (!oldPath.isEmpty()) {
        newPath += kPathListSeparator;
        newPath += oldPath;
    }
    qputenv("PATH", newPath);
}

} // namespace

int LoadRecordingLibrary(RegistryStore &registry)
{
    UnloadRecordingLibrary();
    std::string libraryPath = PathFromSharedKey(registry);
    if (g_szRecLibDir[0] == '\0') {
        std::string fromAppPaths = PathFromAppPaths(registry);
        if (!fromAppPaths.empty())
            libraryPath = std::move(fromAppPaths);
    }
    PutFolderInFrontOfPath();
    if (!g_hRecLib.Open(libraryPath.c_str()))
        return 0;
    if (SetExpectedLibraryVersion(6, 0, 0, 0, nullptr) == 0) {
        UnloadRecordingLibrary();
        return 0;
    }
    return 1;
}

void UnloadRecordingLibrary()
{
    g_hRecLib.Close();
}

int SetExpectedLibraryVersion(uint16_t major, uint16_t minor, uint16_t third, uint16_t fourth, void *reserved)
{
    if (g_hRecLib.RawSymbol("NeroSetExpectedAPIVersionEx") != nullptr)
        return NeroSetExpectedAPIVersionEx(major, minor, third, fourth, reserved);
    const auto digit = [](uint16_t component) { return std::min<unsigned>(component, 9u); };
    return NeroSetExpectedAPIVersion(digit(major) * 1000 + digit(minor) * 100 + digit(third) * 10 +
                                     digit(fourth));
}

void StoreLibraryFolder(RegistryStore &registry, const char *folder)
{
    if (folder == nullptr)
        return;
    registry.WriteString(regkey::SharedKey, regkey::LibraryFolderValue, QString::fromUtf8(folder));
}
