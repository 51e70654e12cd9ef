#include "log/LogFile.h"

#include "log/ProductInfo.h"
#include "platform/TextFormat.h"

#include "TextIds.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>

#include <sys/stat.h>

namespace {

// Exceeding the process's file-size limit raises SIGXFSZ, whose default
// action ends the process. A log file is auxiliary output, so a limit must
// only make the write fail (EFBIG), never end the program.
void IgnoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

} // namespace

int LogFileTemplateId(int kind)
{
    switch (kind) {
    case static_cast<int>(LogFileKind::BeforeShutdown):
        return textid::LogShutdownTemplate;
    case static_cast<int>(LogFileKind::CommandLineRun):
        return textid::LogUnattendedTemplate;
    case static_cast<int>(LogFileKind::SavedByUser):
        return textid::LogSavedTemplate;
    default:
        return 0;
    }
}

QString AutomaticLogPath(const QString &desktopFolder, const QString &volumeLabel)
{
    if (desktopFolder.isEmpty())
        return {};
    return desktopFolder + QLatin1Char('/') + volumeLabel + QStringLiteral(".log");
}

QString LogFileText(const QString &templ, const QString &timeText, const QString &volumeLabel,
                    const QString &logText)
{
    QString log = logText;
    log.remove(QLatin1Char('\r'));
    return FormatText(templ, {timeText, volumeLabel, ProductVersion, log, timeText});
}

QString WriteLogFileText(const QString &path, const QString &text)
{
    if (path.isEmpty())
        return QString::fromLocal8Bit(std::strerror(ENOENT));
    IgnoreFileSizeSignal();
    // Only a log file (or a link, which is replaced) may be replaced: never a
    // device, a folder or a FIFO that happens to have the name.
    struct stat existing
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
        !S_ISLNK(existing.st_mode))
        return QString::fromLocal8Bit(std::strerror(EEXIST));
    const QFileInfo target(path);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!file.open())
        return file.errorString();
    const QByteArray bytes = text.toUtf8();
    // Readable by others, as a file the user saved on the desktop would be.
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                             QFileDevice::ReadOther))
        return file.errorString();
    // rename(2) replaces a link at the name itself, where QFile::rename
    // would refuse an existing name and QSaveFile would write the link's
    // target.
    if (::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    file.setAutoRemove(false);
    return QString();
}
