#pragma once

#include <dirent.h>

#include <memory>

namespace jobs {

// An open directory stream, closed on every path out of its scope. A stream
// made with fdopendir closes its descriptor too.
struct DirectoryStreamCloser
{
    void operator()(DIR *dir) const { ::closedir(dir); }
};
using DirectoryStream = std::unique_ptr<DIR, DirectoryStreamCloser>;

// "." and "..", which a walk must not follow.
inline bool IsDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace jobs
