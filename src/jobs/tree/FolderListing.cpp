#include "jobs/tree/FolderListing.h"

#include "jobs/tree/DirectoryStream.h"

#include <cerrno>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

using jobs::DirectoryStream;
using jobs::IsDotOrDotDot;

// Decides the kind from the entry's own type and, where the file system
// does not tell or the entry is a link, from a status query.
EntryKind KindOf(const std::string &folder, const dirent &entry)
{
    if (entry.d_type == DT_DIR)
        return EntryKind::Folder;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return EntryKind::File;
    const std::string path = folder + "/" + entry.d_name;
    struct stat info
    {
    };
    if (::lstat(path.c_str(), &info) != 0)
        return EntryKind::File;
    if (S_ISDIR(info.st_mode))
        return EntryKind::Folder;
    if (!S_ISLNK(info.st_mode))
        return EntryKind::File;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return EntryKind::FolderLink;
    return EntryKind::File;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

ListStatus ListFolder(const std::string &path, std::vector<FolderEntry> &entries, int *errorCode)
{
    entries.clear();
    DirectoryStream dir(::opendir(path.c_str()));
    if (!dir) {
        const int reason = errno;
        if (errorCode != nullptr)
            *errorCode = reason;
        return (reason == ENOENT || reason == ENOTDIR) ? ListStatus::Missing : ListStatus::Unreadable;
    }
    errno = 0;
    while (const dirent *entry = ::readdir(dir.get())) {
        if (!IsDotOrDotDot(entry->d_name))
            entries.push_back({entry->d_name, KindOf(path, *entry)});
        errno = 0;
    }
    if (errno != 0) {
        if (errorCode != nullptr)
            *errorCode = errno;
        entries.clear();
        return ListStatus::Unreadable;
    }
    return ListStatus::Listed;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

const FolderEntry *FindEntryNoCase(const std::vector<FolderEntry> &entries, std::string_view name)
{
    const FolderEntry *found = nullptr;
    for (const FolderEntry &entry : entries) {
        if (entry.name == name)
            return &entry;
        if (found == nullptr && EqualsNoCase(entry.name, name))
            found = &entry;
    }
    return found;
}
