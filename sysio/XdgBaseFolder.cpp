#include "sysio/XdgBaseFolder.h"

#include <filesystem>
#include <system_error>

namespace sysio {
namespace {

namespace fs = std::filesystem;

bool isAbsolute(const char *path)
{
    return path != nullptr && path[0] == '/';
}

bool isFolder(const char *path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

} // namespace

bool usableXdgValue(const char *value)
{
    if (!isAbsolute(value))
        return false;
    std::error_code ignored;
    return !fs::exists(value, ignored) || isFolder(value);
}

bool usableHome(const char *home)
{
    return isAbsolute(home) && isFolder(home);
}

} // namespace sysio
