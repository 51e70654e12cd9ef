#pragma once

#include "platform/RegistryStore.h"

#include <mutex>

// The machine hive as a text file, read afresh on every access and replaced
// atomically on every write, so several processes and a copied program
// folder all see a consistent file.
//
// File format (UTF-8):
//   # comment
//   [SOFTWARE\ahead\Shared]
//   NeroAPI=.
// Value names escape "\" and "=" with a backslash; data escapes "\", line
// feed and carriage return as "\\", "\n", "\r". A value that names the
// program folder or a path inside it is stored relative to the folder ("."
// or "./sub") and read back absolute, so a moved folder keeps working.
class FileRegistryStore : public RegistryStore
{
public:
    FileRegistryStore(QString filePath, QString programFolder);

    std::optional<QString> ReadString(const QString &key, const QString &valueName) const override;
    bool KeyExists(const QString &key) const override;
    bool WriteString(const QString &key, const QString &valueName, const QString &data) override;
    void CreateKey(const QString &key) override;

private:
    QString m_filePath;
    QString m_programFolder;
    mutable std::mutex m_mutex;
};
