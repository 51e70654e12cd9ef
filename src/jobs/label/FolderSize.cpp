#include "jobs/label/FolderSize.h"

#include "jobs/tree/DirectoryStream.h"
#include "sysio/UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using jobs::DirectoryStream;
using jobs::IsDotOrDotDot;

// Opens a folder relative to its parent's descriptor, refusing links, so a
// walk never leaves the tree it started in and works at any path length.
DirectoryStream OpenFolderAt(int parent, const char *name, int extraFlags)
{
    sysio::UniqueFd fd(::openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags));
    if (!fd.valid())
        return nullptr;
    DirectoryStream dir(::fdopendir(fd.get()));
    // The stream owns the descriptor from now on.
    if (dir)
        fd.release();
    return dir;
}

double SizeOfFolder(DIR *dir);

// Size an entry adds: a folder its contents, a file (or a link to one) its
// length, a link to a folder nothing. The entry's own type spares a status
// query for every folder; file systems that do not report it get one.
double SizeOfEntry(int parent, const dirent &entry)
{
    unsigned char type = entry.d_type;
    struct stat info
    {
    };
    if (type == DT_UNKNOWN) {
        if (::fstatat(parent, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return 0.0;
        type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISLNK(info.st_mode) ? DT_LNK : DT_REG;
    }
    if (type == DT_DIR) {
        const DirectoryStream child = OpenFolderAt(parent, entry.d_name, O_NOFOLLOW);
        return child ? SizeOfFolder(child.get()) : 0.0;
    }
    if (type == DT_LNK || entry.d_type != DT_UNKNOWN) {
        const int flags = type == DT_LNK ? 0 : AT_SYMLINK_NOFOLLOW;
        if (::fstatat(parent, entry.d_name, &info, flags) != 0)
            return 0.0;
    }
    return S_ISREG(info.st_mode) ? double(info.st_size) : 0.0;
}

double SizeOfFolder(DIR *dir)
{
    const int fd = ::dirfd(dir);
    double total = 0.0;
    while (const dirent *entry = ::readdir(dir)) {
        if (!IsDotOrDotDot(entry->d_name))
            total += SizeOfEntry(fd, *entry);
    }
    return total;
}

} // namespace

double GetFolderSize(const QString &path)
{
    QString folder = path;
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    if (folder.isEmpty())
        return 0.0;
    const DirectoryStream dir = OpenFolderAt(AT_FDCWD, folder.toUtf8().constData(), 0);
    return dir ? SizeOfFolder(dir.get()) : 0.0;
}
