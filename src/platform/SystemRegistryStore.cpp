#include "platform/SystemRegistryStore.h"

#include <QStandardPaths>

namespace {

bool IsDesktopValue(const QString &key, const QString &valueName)
{
    return key.compare(regkey::ShellFoldersKey, Qt::CaseInsensitive) == 0 &&
           valueName.compare(regkey::DesktopValue, Qt::CaseInsensitive) == 0;
}

} // namespace

SystemRegistryStore::SystemRegistryStore(RegistryStore &hive) : m_hive(hive) {}

std::optional<QString> SystemRegistryStore::ReadString(const QString &key, const QString &valueName) const
{
    if (IsDesktopValue(key, valueName)) {
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (desktop.isEmpty())
            return std::nullopt;
        return desktop;
    }
    return m_hive.ReadString(key, valueName);
}

bool SystemRegistryStore::KeyExists(const QString &key) const
{
    if (key.compare(regkey::ShellFoldersKey, Qt::CaseInsensitive) == 0)
        return true;
    return m_hive.KeyExists(key);
}

bool SystemRegistryStore::WriteString(const QString &key, const QString &valueName, const QString &data)
{
    // The desktop folder belongs to the desktop settings, not to us.
    if (IsDesktopValue(key, valueName))
        return false;
    return m_hive.WriteString(key, valueName, data);
}

void SystemRegistryStore::CreateKey(const QString &key)
{
    m_hive.CreateKey(key);
}
