#include "sysio/FolderProbe.h"

#include "sysio/UniqueFd.h"

#include <cerrno>
#include <cstdlib>

#include <unistd.h>

namespace sysio {

int fileCreationError(const std::string &folder)
{
    std::string pattern = folder + "/.orvane-write-test-XXXXXX";
    const UniqueFd fd(::mkstemp(pattern.data()));
    if (!fd.valid())
        return errno;
    ::unlink(pattern.c_str());
    return 0;
}

} // namespace sysio
