#include "platform/MachineRegistryStore.h"

#include "platform/FileRegistryStore.h"
#include "platform/StateFolders.h"
#include "platform/SystemRegistryStore.h"

MachineRegistryStore::MachineRegistryStore(QString programFolder) : m_programFolder(std::move(programFolder))
{
}

MachineRegistryStore::~MachineRegistryStore() = default;

RegistryStore &MachineRegistryStore::Machine() const
{
    std::call_once(m_opened, [this] {
        // An installed program keeps each user's hive in their own folder.
        m_hive = std::make_unique<FileRegistryStore>(
            StateFoldersFor(m_programFolder).config + QLatin1Char('/') + RegistryFileName, m_programFolder);
        m_machine = std::make_unique<SystemRegistryStore>(*m_hive);
    });
    return *m_machine;
}

std::optional<QString> MachineRegistryStore::ReadString(const QString &key, const QString &valueName) const
{
    return Machine().ReadString(key, valueName);
}

bool MachineRegistryStore::KeyExists(const QString &key) const
{
    return Machine().KeyExists(key);
}

bool MachineRegistryStore::WriteString(const QString &key, const QString &valueName, const QString &data)
{
    return Machine().WriteString(key, valueName, data);
}

void MachineRegistryStore::CreateKey(const QString &key)
{
    Machine().CreateKey(key);
}
