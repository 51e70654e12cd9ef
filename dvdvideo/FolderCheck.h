#pragma once
// The checks the preflight makes on the files of a VIDEO_TS folder and the
// addresses in their IFO files, without libdvdread: the video manager and
// the title sets it names, the backup copies, the VOB part sequences and
// their sizes against the IFO sector counts, and whether the recording
// library's reallocation could correct the addresses.
//
// Input is untrusted: files are read only through the loader (which bounds
// their size), and every number taken from an IFO is checked before use.
// The checks never read a VOB, only its size.

#include "dvdvideo/Finding.h"
#include "dvdvideo/IfoReader.h"
#include "dvdvideo/SourceFile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dvdvideo {

// One entry of the VIDEO_TS folder.
struct FolderFile
{
    std::string name; // as the file system spells it
    uint64_t size = 0;
    bool regular = true; // false: a folder or anything else that is no file
    // Set when the file was opened for the check and refused (regular is
    // then false); the check names it with this reason.
    SourceRefusal refusal = SourceRefusal::None;
    int error = 0; // SourceRefusal::Unreadable: errno
};

// VIDEO_TS.IFO, VTS_01_2.VOB and the like, in any letter case: the files the
// check and a player read.
bool IsDvdVideoFileName(std::string_view name);

enum class Reallocation { Off, On };

class FolderCheck
{
public:
    // Reads a whole IFO or BUP; nothing when it cannot be read or is larger
    // than IfoReader::kMaxIfoBytes.
    using Loader = std::function<std::optional<std::vector<uint8_t>>(const FolderFile &)>;

    FolderCheck(std::vector<FolderFile> files, Loader loader);

    // The findings, errors and warnings in the order a player meets the files.
    Findings Run(Reallocation reallocation);

    // The title sets the video manager names (1 to its count) whose IFO and
    // title VOB exist and none of whose files (nor the video manager's) was
    // refused: the playback walk visits only these. Valid after Run.
    const std::vector<int> &PlayableSets() const { return m_playable; }

    // The entry named name in any letter case (an exact spelling wins), or
    // null; folders count, as they can shadow a file's name.
    const FolderFile *Find(std::string_view name) const;

private:
    bool CheckVmg();
    void CheckTitleSet(int number);
    void CheckTitleVobs(int number, const VtsAddresses &addresses);
    void CheckBackup(const std::string &ifoName, const std::string &bupName);
    void CheckUnnamedSets();
    void CheckReallocation();
    void NameRefusedFiles();
    bool Refused(std::string_view name) const;
    std::optional<std::vector<uint8_t>> Load(std::string_view name) const;
    void Add(Severity severity, FindingKind kind, std::string name = {}, int64_t number = 0,
             int64_t number2 = 0, std::string name2 = {});

    std::vector<FolderFile> m_files;
    Loader m_loader;
    Findings m_findings;
    int m_namedSets = 0;
    std::vector<int> m_playable;
};

// "VTS_07_0.IFO" for (7, 0, "IFO").
std::string TitleSetFileName(int set, int part, std::string_view extension);

} // namespace dvdvideo
