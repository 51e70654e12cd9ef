#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

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
    static const QString folder = ExecutableFolder();
    return folder;
}
