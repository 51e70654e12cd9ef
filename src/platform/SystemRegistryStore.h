#pragma once

#include "platform/RegistryStore.h"

// Answers the values that have a Linux counterpart from the system itself
// (the desktop folder is the XDG desktop directory) and everything else
// from the hive it wraps. Values without a counterpart on Linux (the web
// page association, the suite's App Paths entry) are simply absent unless
// the hive holds them.
class SystemRegistryStore : public RegistryStore
{
public:
    explicit SystemRegistryStore(RegistryStore &hive);

    std::optional<QString> ReadString(const QString &key, const QString &valueName) const override;
    bool KeyExists(const QString &key) const override;
    bool WriteString(const QString &key, const QString &valueName, const QString &data) override;
    void CreateKey(const QString &key) override;

private:
    RegistryStore &m_hive;
};
