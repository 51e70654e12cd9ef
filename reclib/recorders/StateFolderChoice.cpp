#include "recorders/StateFolderChoice.h"

#include "recorders/VirtualRecorderConfig.h"
#include "sysio/FolderProbe.h"
#include "sysio/XdgBaseFolder.h"

#include <filesystem>
#include <optional>

namespace reclib {
namespace {

namespace fs = std::filesystem;

constexpr const char *StateFolderName = "/orvane-burn";

bool isFolder(const std::string &path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

std::optional<std::string> baseFolder(const char *variable, const char *belowHome,
                                      const EnvironmentLookup &environment)
{
    if (const char *value = environment(variable); sysio::usableXdgValue(value))
        return std::string(value);
    const char *home = environment("HOME");
    if (!sysio::usableHome(home))
        return std::nullopt;
    return std::string(home) + belowHome;
}

} // namespace

StateFolderChoice chooseStateFolders(const std::string &libraryFolder, FolderAccess access,
                                     const EnvironmentLookup &environment)
{
    StateFolderChoice choice{libraryFolder, libraryFolder};
    if (access == FolderAccess::Writable)
        return choice;
    if (const auto base = baseFolder("XDG_CONFIG_HOME", "/.config", environment)) {
        const std::string folder = *base + StateFolderName;
        std::error_code ignored;
        if (fs::is_regular_file(folder + "/" + std::string(VirtualRecorderConfigName), ignored))
            choice.config = folder;
    }
    if (const auto base = baseFolder("XDG_DATA_HOME", "/.local/share", environment)) {
        const std::string folder = *base + StateFolderName;
        if (isFolder(folder))
            choice.data = folder;
    }
    return choice;
}

FolderAccess probeFolderAccess(const std::string &folder)
{
    return sysio::fileCreationError(folder) == 0 ? FolderAccess::Writable : FolderAccess::ReadOnly;
}

} // namespace reclib
