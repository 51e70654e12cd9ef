#include "platform/StateFolders.h"

#include "platform/RegistryStore.h"
#include "sysio/FolderProbe.h"
#include "sysio/XdgBaseFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Creates the folder and its missing parents as private folders (0700, as
// the XDG rules ask for the base folders); 0 or the errno of the failure.
int MakePrivateFolders(const QString &folder)
{
    const QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path;
    for (const QString &part : parts) {
        path += QLatin1Char('/') + part;
        const QByteArray native = QFile::encodeName(path);
        if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    return QFileInfo(folder).isDir() ? 0 : ENOTDIR;
}

int CreateFileError(const QString &folder)
{
    return sysio::fileCreationError(QFile::encodeName(folder).toStdString());
}

struct Home
{
    QString path;
    bool usable = false;
};

Home ReadHome()
{
    const QString home = QDir::cleanPath(qEnvironmentVariable("HOME"));
    return {home, sysio::usableHome(QFile::encodeName(home).constData())};
}

// The XDG base folder (the rule of sysio/XdgBaseFolder.h), its path cleaned;
// a variable that is set but names no usable folder is reported.
std::optional<QString> BaseFolder(const char *variable, const QString &belowHome, const Home &home,
                                  std::vector<StateFolderProblem> &problems)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty()) {
        if (sysio::usableXdgValue(QFile::encodeName(value).constData()))
            return QDir::cleanPath(value);
        problems.push_back(
            {StateFolderProblem::Kind::IgnoredVariable, value, QString::fromLatin1(variable), {}});
    }
    if (!home.usable)
        return std::nullopt;
    return home.path + belowHome;
}

// Makes base/orvane-burn usable; its path, or nothing with the problem noted.
std::optional<QString> UsableFolder(const std::optional<QString> &base, StateFolderProblem::Kind failure,
                                    std::vector<StateFolderProblem> &problems)
{
    if (!base)
        return std::nullopt;
    const QString folder = *base + QLatin1Char('/') + StateFolderName;
    int error = MakePrivateFolders(folder);
    if (error == 0)
        error = CreateFileError(folder);
    if (error == 0)
        return folder;
    problems.push_back({failure, folder, QString(), SystemReason(error)});
    return std::nullopt;
}

void CopyMissingDefaults(const QString &programFolder, const QString &configFolder)
{
    for (const QString &name : {RegistryFileName, VirtualRecorderConfigFileName}) {
        const QString target = configFolder + QLatin1Char('/') + name;
        const QString source = programFolder + QLatin1Char('/') + name;
        if (!QFileInfo::exists(target) && QFileInfo::exists(source))
            QFile::copy(source, target);
    }
}

} // namespace

FolderAccess ProbeFolderAccess(const QString &folder)
{
    return CreateFileError(folder) == 0 ? FolderAccess::Writable : FolderAccess::ReadOnly;
}

StateFolders PrepareStateFolders(const QString &programFolder, FolderAccess access)
{
    StateFolders folders;
    folders.config = programFolder;
    folders.data = programFolder;
    if (access == FolderAccess::Writable)
        return folders;

    folders.home = StateHome::PerUser;
    const Home home = ReadHome();
    auto &problems = folders.problems;
    const auto configBase = BaseFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"), home, problems);
    const auto dataBase = BaseFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"), home, problems);
    if (!configBase || !dataBase)
        problems.push_back({StateFolderProblem::Kind::NoHome, home.path, QString(), QString()});

    const bool configExisted =
        configBase && QFileInfo(*configBase + QLatin1Char('/') + StateFolderName).isDir();
    if (const auto config = UsableFolder(configBase, StateFolderProblem::Kind::ConfigUnusable, problems)) {
        folders.config = *config;
        folders.createdNow = !configExisted;
        CopyMissingDefaults(programFolder, *config);
    }
    if (const auto data = UsableFolder(dataBase, StateFolderProblem::Kind::DataUnusable, problems))
        folders.data = *data;
    return folders;
}

const StateFolders &StateFoldersFor(const QString &programFolder)
{
    static std::mutex mutex;
    static std::map<QString, StateFolders> prepared;
    const std::lock_guard lock(mutex);
    auto found = prepared.find(programFolder);
    if (found == prepared.end())
        found =
            prepared
                .emplace(programFolder, PrepareStateFolders(programFolder, ProbeFolderAccess(programFolder)))
                .first;
    return found->second;
}
