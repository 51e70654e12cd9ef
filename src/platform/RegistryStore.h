#pragma once

#include <QString>

#include <optional>

// A small key/value store with the key paths of the Windows registry
// ("SOFTWARE\\ahead\\Shared", value "NeroAPI"). Keys are compared
// case-insensitively, as the registry does; value names too.
class RegistryStore
{
public:
    virtual ~RegistryStore();

    // The value's text, or nothing when the key or the value does not exist.
    virtual std::optional<QString> ReadString(const QString &key, const QString &valueName) const = 0;
    virtual bool KeyExists(const QString &key) const = 0;
    // Sets the value; false when the key does not exist or the store cannot
    // be written.
    virtual bool WriteString(const QString &key, const QString &valueName, const QString &data) = 0;
    // Creates the key (and nothing else) when it does not exist yet.
    virtual void CreateKey(const QString &key) = 0;
};

// Well-known keys and value names.
namespace regkey {
inline const QString SharedKey = QStringLiteral("SOFTWARE\\ahead\\Shared");
inline const QString LibraryFolderValue = QStringLiteral("NeroAPI");
inline const QString SuiteAppPathsKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Nero.exe");
inline const QString ShellFoldersKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
inline const QString DesktopValue = QStringLiteral("Desktop");
} // namespace regkey

// The file name of the machine hive inside the program (or configuration) folder.
inline const QString RegistryFileName = QStringLiteral("registry.ini");
