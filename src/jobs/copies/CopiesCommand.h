#pragma once

#include "jobs/BurnCommand.h"
#include "jobs/copies/CopiesHost.h"

#include <optional>

class BurnRun;
struct RecordingState;

namespace jobs {

// Several copies of the folder as one command, for the window and the
// command-line run alike: the selected recorder takes them (never the Image
// Recorder), each copy a burn of the BurnCommand.
class CopiesCommand
{
public:
    CopiesCommand(const JobPorts &ports, RecordingState &state, BurnRun &burn, BurnCommand &command);

    // unattended: without a person (see CopiesHost); std::nullopt asks in boxes.
    CopiesOutcome Run(int copies, const RecordingJob::Prelude &prelude, const BurnPolicy &policy,
                      std::optional<CopiesHost::Unattended> unattended);

private:
    JobPorts m_ports;
    RecordingState &m_state;
    BurnRun &m_burn;
    BurnCommand &m_command;
};

} // namespace jobs
