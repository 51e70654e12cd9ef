#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <mutex>

namespace {

std::mutex g_mutex;
QString g_testFolder;

QString ExecutableFolder()
{
    // /proc/self/exe names the real file even when started through a
    // symbolic link, so a copied program folder finds its own files.
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    if (!exe.isEmpty())
        return QFileInfo(exe).absolutePath();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

} // namespace

QString ProgramFolder()
{
    {
        const std::lock_guard lock(g_mutex);
        if (!g_testFolder.isEmpty())
            return g_testFolder;
    }
    static const QString folder = ExecutableFolder();
    return folder;
}

void SetProgramFolderForTesting(const QString &folder)
{
    const std::lock_guard lock(g_mutex);
    QString cleaned = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
    if (cleaned.size() > 1 && cleaned.endsWith(QLatin1Char('/')))
        cleaned.chop(1);
    g_testFolder = cleaned;
}
