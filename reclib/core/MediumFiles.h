#pragma once

#include "core/FileTarget.h"
#include "recorders/MediumState.h"

#include <string>

namespace reclib {

// The two files of a virtual disc, the image "<medium>" and its state
// "<medium>.state", and how a job replaces both in one step. The new image
// (a FileTarget's temporary file) and the new state ("<medium>.state.new")
// are written beside the old pair first; then a journal "<medium>.commit"
// naming the new image appears by rename. That rename is the commit: before
// it the old pair stands, after it the new one, and the two renames that
// follow are finished by whoever opens the recorder next if the process
// ends in between. The order holds against the process ending at any point
// (a kill, a crash, a full disk); it promises nothing after a power loss,
// which would need the whole image flushed to the disk first.
//
// Everything here assumes the recorder's lock is held (RecorderLock).
class MediumFiles
{
public:
    explicit MediumFiles(std::string mediumPath) : m_medium(std::move(mediumPath)) {}

    // Completes a commit that a process left after its journal appeared,
    // rolls back one that ended before, and removes the temporary images
    // of jobs that never finished.
    void recover() const;

    // Makes image, cut to bytes, the medium and state its state: both or,
    // with an error, neither. fault may stop the commit at a step (tests).
    bool replace(FileTarget &image, int64_t bytes, const MediumState &state, const FaultInjection &fault,
                 std::string &error) const;

    std::string statePath() const { return MediumState::statePathFor(m_medium); }
    std::string newStatePath() const { return statePath() + ".new"; }
    std::string journalPath() const { return m_medium + ".commit"; }

private:
    std::string m_medium;
};

} // namespace reclib
