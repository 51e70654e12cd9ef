#pragma once

#include <functional>
#include <string>

namespace reclib {

// Where the library finds its virtual-recorder configuration and keeps the
// virtual media. A library folder that can be written holds both, as it
// always has. An installed one cannot be written; the program then prepares
// folders of the user's own, and the library uses them once they exist:
//   config: $XDG_CONFIG_HOME/orvane-burn (default ~/.config/orvane-burn) when
//           it holds virtual-recorders.conf, else the library folder (the
//           installed default, read only);
//   data:   $XDG_DATA_HOME/orvane-burn (default ~/.local/share/orvane-burn)
//           when that folder exists, else the library folder; relative
//           "file =" paths of the configuration are resolved against it.
// An XDG variable counts only when it names an absolute path that is a
// folder or does not exist; HOME only when it is an existing folder. The
// library never creates these folders: a user whose folders could not be
// made (the program says why) gets the installed recorders, which cannot write.
struct StateFolderChoice
{
    std::string config;
    std::string data;
};

// getenv, or a stand-in in tests.
using EnvironmentLookup = std::function<const char *(const char *name)>;

enum class FolderAccess { Writable, ReadOnly };

StateFolderChoice chooseStateFolders(const std::string &libraryFolder, FolderAccess access,
                                     const EnvironmentLookup &environment);

// Whether a new file can be created in the folder, found out by creating
// (and removing) one: root may write where the mode bits say no.
FolderAccess probeFolderAccess(const std::string &folder);

} // namespace reclib
