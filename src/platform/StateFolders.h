#pragma once

#include <QString>

#include <vector>

// Where the program keeps what it writes. A program folder that can be
// written (the build tree, a copied folder) keeps everything, as it always
// has. An installed one cannot be written, so each user gets folders of
// their own:
//   $XDG_CONFIG_HOME/orvane-burn (default ~/.config/orvane-burn): the
//       settings file, the registry hive and virtual-recorders.conf;
//   $XDG_DATA_HOME/orvane-burn (default ~/.local/share/orvane-burn): the
//       virtual recorders' media and their state files.
// The recording library makes the same choice for its configuration and
// media on its own (reclib/recorders/StateFolderChoice.h); both follow the
// XDG rules below.

enum class StateHome { ProgramFolder, PerUser };

struct StateFolderProblem
{
    enum class Kind {
        // An XDG variable names a relative path or something that is not a
        // folder; it is ignored and the default below HOME is used.
        IgnoredVariable,
        // HOME is unset, relative or not an existing folder: nothing is created.
        NoHome,
        // The configuration folder cannot be created or written: settings
        // and hive values are read from the program folder and not saved.
        ConfigUnusable,
        // The data folder cannot be created or written: virtual recorders
        // cannot keep their discs.
        DataUnusable,
    };
    Kind kind;
    QString path;     // the variable's value, the home folder or the folder
    QString variable; // IgnoredVariable: the variable's name
    QString reason;   // ConfigUnusable, DataUnusable: the system's reason
};

struct StateFolders
{
    StateHome home = StateHome::ProgramFolder;
    QString config; // settings file and registry hive (no trailing slash)
    QString data;   // virtual media
    // PerUser: the user's folders were made on this start (first start).
    bool createdNow = false;
    std::vector<StateFolderProblem> problems;
};

// The name of the per-user folders below the XDG base folders.
inline const QString StateFolderName = QStringLiteral("orvane-burn");
// The installed defaults a per-user configuration folder starts from,
// copied from the program folder when missing.
inline const QString VirtualRecorderConfigFileName = QStringLiteral("virtual-recorders.conf");

enum class FolderAccess { Writable, ReadOnly };

// Whether a new file can be created in the folder, found out by creating
// (and removing) one: the mode bits do not say what root may do.
FolderAccess ProbeFolderAccess(const QString &folder);

// Where state lives for a program folder with this access. For a read-only
// one, prepares the per-user folders: creates them (0700) and copies the
// installed defaults that are missing. Reads HOME, XDG_CONFIG_HOME and
// XDG_DATA_HOME; never creates the home folder itself. Where a per-user
// folder cannot be used, the program folder stands in for reading (writes
// there fail) and the problem is reported.
StateFolders PrepareStateFolders(const QString &programFolder, FolderAccess access);

// PrepareStateFolders with the probed access, done once per process and
// folder; the machine hive and the main window share it.
const StateFolders &StateFoldersFor(const QString &programFolder);
