#include "log/LogFile.h"

#include "log/ProductInfo.h"
#include "platform/TextFormat.h"

#include "TextIds.h"

#include <QFile>

#include <csignal>
#include <mutex>

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

bool WriteLogFileText(const QString &path, const QString &text)
{
    if (path.isEmpty())
        return false;
    IgnoreFileSizeSignal();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) == bytes.size())
        return true;
    // A half-written log would look complete to whoever opens it later.
    if (!file.isSequential())
        file.resize(0);
    return false;
}
