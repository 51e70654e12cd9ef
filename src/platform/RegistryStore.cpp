#include "platform/RegistryStore.h"

#include "platform/FileRegistryStore.h"
#include "platform/ProgramFolder.h"
#include "platform/StateFolders.h"
#include "platform/SystemRegistryStore.h"

#include <atomic>

RegistryStore::~RegistryStore() = default;

namespace {

std::atomic<RegistryStore *> g_injectedStore{nullptr};

RegistryStore &DefaultMachineRegistry()
{
    // Built on first use, after the program folder is known; lives until exit.
    // An installed program keeps each user's hive in their own folder.
    static FileRegistryStore hive(
        StateFoldersFor(ProgramFolder()).config + QLatin1Char('/') + RegistryFileName, ProgramFolder());
    static SystemRegistryStore machine(hive);
    return machine;
}

} // namespace

RegistryStore &MachineRegistry()
{
    if (RegistryStore *store = g_injectedStore.load())
        return *store;
    return DefaultMachineRegistry();
}

void SetMachineRegistry(RegistryStore *store)
{
    g_injectedStore.store(store);
}
