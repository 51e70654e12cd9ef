#pragma once
// What the DVD-Video preflight says about a folder: one finding per problem,
// with its severity and the names and numbers its text needs. The program
// turns a finding into a line of the user's language; this library only
// decides what is wrong.

#include <cstdint>
#include <string>
#include <vector>

namespace dvdvideo {

enum class Severity {
    Error,   // the disc would not play (or the burn would fail): may hold a burn back
    Warning, // the disc may not play everywhere, or differs from the folder
    Note,    // unusual, but players cope
};

enum class FindingKind {
    FileMissing,            // name: missing or unreadable (VIDEO_TS.IFO, a BUP, a VOB part)
    TitleSetFileMissing,    // number: title set named by the VMG; name: its missing file
    CellUnreadable,         // number: title, number2: chapter
    ReallocationImpossible, // name: the file whose addresses cannot be corrected
    BackupDiffers,          // name: the BUP, name2: its IFO, number: first differing byte
    TitleSetNotNamed,       // name: the title set's IFO
    LeftOut,                // name: a file of VIDEO_TS the compilation leaves off
    FileSystemLacks,        // name: "UDF" or "ISO 9660"
    Mode2OnDvd,
    SectorCount,  // name: file(s), number: sectors found, number2: sectors expected
    DiscTooSmall, // number: room in MB, number2: needed MB
    // name: a DVD-Video file that cannot be opened or is no regular file;
    // number: its SourceRefusal, number2: the system's error when it
    // cannot be read
    FileRefused,
};

struct Finding
{
    Severity severity = Severity::Error;
    FindingKind kind = FindingKind::FileMissing;
    std::string name;
    std::string name2;
    int64_t number = 0;
    int64_t number2 = 0;

    bool operator==(const Finding &) const = default;
};

using Findings = std::vector<Finding>;

// Whether any finding is an error.
bool HasError(const Findings &findings);
// The first error, or null.
const Finding *FirstError(const Findings &findings);

} // namespace dvdvideo
