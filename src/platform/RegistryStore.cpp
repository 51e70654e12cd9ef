#include "platform/RegistryStore.h"

RegistryStore::~RegistryStore() = default;
