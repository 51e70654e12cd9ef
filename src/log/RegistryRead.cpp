#include "log/RegistryRead.h"

#include "platform/RegistryStore.h"

int ReadRegistryString(const RegistryStore &root, const QString &keyPath, const QString &valueName,
                       QString &value, int bufferBytes)
{
    value.clear();
    const std::optional<QString> stored = root.ReadString(keyPath, valueName);
    if (!stored)
        return regresult::NotFound;
    if (stored->toUtf8().size() + 1 > bufferBytes)
        return regresult::MoreData;
    value = *stored;
    return regresult::Success;
}

QString DesktopFolder(const RegistryStore &root)
{
    constexpr int kPathBufferBytes = 260;
    QString folder;
    ReadRegistryString(root, regkey::ShellFoldersKey, regkey::DesktopValue, folder, kPathBufferBytes);
    return folder;
}
