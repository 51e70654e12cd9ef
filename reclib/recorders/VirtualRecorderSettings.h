#pragma once

#include "recorders/MediumKind.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace reclib {

// A deliberate fault for tests: corrupt one sector after it was written
// (verify must notice), fail the write when it reaches a sector, end the
// process at a step of the commit that replaces the medium and its state
// (as a kill would), or make writing the new state fail (as a full disk
// would).
struct FaultInjection
{
    enum class Kind { None, CorruptSector, FailAtSector, KillAtCommitStep, StateWriteFails };
    Kind kind = Kind::None;
    int64_t sector = 0;
    int commitStep = 0; // 1 to 5, for KillAtCommitStep
};

// One virtual recorder as its configuration section describes it.
struct VirtualRecorderSettings
{
    std::string name;
    MediumKind medium = MediumKind::None; // the disc it holds at first
    // Why the configuration does not say which disc that is ("<file>: line
    // N: ..."); empty when it does or names none.
    std::string mediumProblem;
    bool written = false;    // that disc already holds data
    std::string mediumFile;  // as written: relative to the library folder unless absolute
    uint32_t mediaSet = 0;   // media bits the recorder writes
    std::vector<int> speeds; // libburn units, ascending
    bool paced = false;      // writes and erases take the time a disc would
    double eraseTimeScale = 1.0;
    bool checksum = true; // the write hashes the image (off: for benchmarks)
    FaultInjection fault;
    std::optional<int64_t> capacitySectors; // overrides the medium's usual size
    // The disc changer's folder, as written (relative to the library folder
    // unless absolute); empty without one. See DiscChanger.
    std::string changerFolder;
};

} // namespace reclib
