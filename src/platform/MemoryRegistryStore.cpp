#include "platform/MemoryRegistryStore.h"

std::optional<QString> MemoryRegistryStore::ReadString(const QString &key, const QString &valueName) const
{
    const std::lock_guard lock(m_mutex);
    const auto keyIt = m_keys.constFind(key.toLower());
    if (keyIt == m_keys.constEnd())
        return std::nullopt;
    const auto valueIt = keyIt->constFind(valueName.toLower());
    if (valueIt == keyIt->constEnd())
        return std::nullopt;
    return *valueIt;
}

bool MemoryRegistryStore::KeyExists(const QString &key) const
{
    const std::lock_guard lock(m_mutex);
    return m_keys.contains(key.toLower());
}

bool MemoryRegistryStore::WriteString(const QString &key, const QString &valueName, const QString &data)
{
    const std::lock_guard lock(m_mutex);
    const auto keyIt = m_keys.find(key.toLower());
    if (keyIt == m_keys.end())
        return false;
    keyIt->insert(valueName.toLower(), data);
    return true;
}

void MemoryRegistryStore::CreateKey(const QString &key)
{
    const std::lock_guard lock(m_mutex);
    if (!m_keys.contains(key.toLower()))
        m_keys.insert(key.toLower(), {});
}

void MemoryRegistryStore::Set(const QString &key, const QString &valueName, const QString &data)
{
    CreateKey(key);
    WriteString(key, valueName, data);
}
