#pragma once

#include "sysio/DirectoryStream.h"

namespace jobs {

using sysio::DirectoryStream;

// "." and "..", which a walk must not follow.
inline bool IsDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace jobs
