#pragma once

#include <dirent.h>

#include <memory>

namespace sysio {

struct DirectoryStreamCloser
{
    void operator()(DIR *dir) const { ::closedir(dir); }
};

// Owns an open directory stream; closing a stream made with fdopendir
// closes its descriptor too.
using DirectoryStream = std::unique_ptr<DIR, DirectoryStreamCloser>;

} // namespace sysio
