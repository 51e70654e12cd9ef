#include "burn/DriveNodeAccess.h"

#include "recorders/DriveIdentity.h"

#include <cerrno>
#include <filesystem>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reclib {
namespace {

NodeAccess accessOf(const std::string &node)
{
    // The effective ids, as an open would use them; ACLs (a desktop's
    // uaccess) count.
    if (::faccessat(AT_FDCWD, node.c_str(), R_OK | W_OK, AT_EACCESS) == 0)
        return NodeAccess::Usable;
    if (errno == EACCES || errno == EPERM)
        return NodeAccess::NoPermission;
    return errno == ENOENT ? NodeAccess::Missing : NodeAccess::Other;
}

// The name of the group that owns the node, from the node itself.
std::string owningGroup(const std::string &node)
{
    struct stat status
    {
    };
    if (::stat(node.c_str(), &status) != 0)
        return {};
    const struct group *entry = ::getgrgid(status.st_gid);
    return entry != nullptr && entry->gr_name != nullptr ? entry->gr_name : "";
}

} // namespace

std::vector<std::string> unusableDriveNotes()
{
    std::vector<std::string> notes;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/dev", error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("sr", 0) != 0 || !entry.is_block_file(error))
            continue;
        const std::string node = entry.path().string();
        const std::string note = drivePermissionNote(node, accessOf(node), owningGroup(node));
        if (!note.empty())
            notes.push_back(note);
    }
    return notes;
}

} // namespace reclib
