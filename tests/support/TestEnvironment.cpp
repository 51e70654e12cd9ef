#include "TestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace testenv {
namespace {

std::string g_root;

std::string makeDir(const std::string &path, mode_t mode = 0700)
{
    std::filesystem::create_directories(path);
    ::chmod(path.c_str(), mode);
    return path;
}

} // namespace

void isolate()
{
    if (!g_root.empty())
        return;
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    g_root = pattern;

    const std::string home = makeDir(g_root + "/home");
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", makeDir(home + "/.config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", makeDir(home + "/.local/share").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", makeDir(home + "/.cache").c_str(), 1);
    ::setenv("XDG_STATE_HOME", makeDir(home + "/.local/state").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", makeDir(g_root + "/runtime").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", makeDir(g_root + "/xdg-data").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", makeDir(g_root + "/xdg-config").c_str(), 1);
    makeDir(home + "/Desktop");
    // Nothing listens at these addresses unless a test starts its own bus.
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + g_root + "/runtime/no-system-bus").c_str(), 1);
    ::setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + g_root + "/runtime/no-session-bus").c_str(), 1);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("PULSE_SERVER", ("unix:" + g_root + "/runtime/no-pulse").c_str(), 1);
}

QString root()
{
    return QString::fromStdString(g_root);
}

QString makeTempDir(const QString &purpose)
{
    const QString path =
        root() + "/tmp/" + purpose + "-" + QUuid::createUuid().toString(QUuid::Id128).left(8);
    QDir().mkpath(path);
    return path;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            if (!copyFolder(entry.filePath(), target))
                return false;
        } else if (!QFile::copy(entry.canonicalFilePath(), target)) {
            return false;
        }
    }
    return true;
}

} // namespace testenv

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
