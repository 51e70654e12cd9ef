#pragma once

#include "platform/RegistryStore.h"

#include <QString>

#include <memory>
#include <mutex>

class FileRegistryStore;
class SystemRegistryStore;

// The machine hive the program runs with: the hive file in the
// configuration folder of StateFoldersFor(programFolder), that is the
// program folder unless it cannot be written (see FileRegistryStore), seen
// through SystemRegistryStore. The application object makes one and hands
// it to whatever reads or writes the registry; tests hand their own store
// instead.
//
// The hive is opened on the first access, so the state folders are prepared
// only once a value is needed. Any thread.
class MachineRegistryStore : public RegistryStore
{
public:
    explicit MachineRegistryStore(QString programFolder);
    ~MachineRegistryStore() override;
    MachineRegistryStore(const MachineRegistryStore &) = delete;
    MachineRegistryStore &operator=(const MachineRegistryStore &) = delete;

    std::optional<QString> ReadString(const QString &key, const QString &valueName) const override;
    bool KeyExists(const QString &key) const override;
    bool WriteString(const QString &key, const QString &valueName, const QString &data) override;
    void CreateKey(const QString &key) override;

private:
    RegistryStore &Machine() const;

    QString m_programFolder;
    mutable std::once_flag m_opened;
    mutable std::unique_ptr<FileRegistryStore> m_hive;
    mutable std::unique_ptr<SystemRegistryStore> m_machine;
};
