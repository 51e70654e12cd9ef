#pragma once
// What the log says about a real drive so that a user can tell why it is
// missing and which disc it holds: the note on a drive node the user may
// not open, the disc's media identifier and the speeds the drive offers for
// it. Pure functions over what the system and libburn report, so tests
// check them table by table; README.md lists what was checked on paper.

#include "recorders/DriveDecisions.h"
#include "recorders/SpeedMapping.h"

#include <string>
#include <vector>

namespace reclib {

// What the system answered when the program asked to read and write a
// drive's device node.
enum class NodeAccess {
    Usable,
    NoPermission, // EACCES or EPERM: the node's owner or group rights exclude the user
    Missing,      // gone between the listing of /dev and the check
    Other,        // anything else: libburn reports it itself when it opens the drive
};

// The log line for a drive node: empty unless the user lacks the permission,
// then it names the node and the group that owns it (read from the node).
// A node owned by group root, or by a group without a name, cannot be
// helped by joining its group; the line asks for access instead.
std::string drivePermissionNote(const std::string &node, NodeAccess access, const std::string &group);

// The disc's identifier as libburn reads it: its product id (manufacturer
// and dye code), libburn's guess of the manufacturer (a guess that begins
// with "Unknown " says nothing and is left out) and the DVD book type.
std::string mediaIdentityText(const std::string &productId, const std::string &manufacturer,
                              const std::string &bookType);

// The write speeds the drive offers for the loaded disc, fastest first, as
// multiples of 1x with at most one decimal ("16x, 8x, 2.4x"). Entries
// libburn reported for another profile are left out.
std::string offeredSpeedsText(const std::vector<ReportedSpeed> &speeds, int loadedProfile,
                              SpeedFamily family);

} // namespace reclib
