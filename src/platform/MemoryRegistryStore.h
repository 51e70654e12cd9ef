#pragma once

#include "platform/RegistryStore.h"

#include <QMap>

#include <mutex>

// A registry held in memory only; tests fill it with the keys they need.
class MemoryRegistryStore : public RegistryStore
{
public:
    std::optional<QString> ReadString(const QString &key, const QString &valueName) const override;
    bool KeyExists(const QString &key) const override;
    bool WriteString(const QString &key, const QString &valueName, const QString &data) override;
    void CreateKey(const QString &key) override;

    // Creates the key if needed and sets the value.
    void Set(const QString &key, const QString &valueName, const QString &data);

private:
    // Lower-cased key -> lower-cased value name -> data.
    QMap<QString, QMap<QString, QString>> m_keys;
    mutable std::mutex m_mutex;
};
