#pragma once

#include "jobs/BurnCommand.h"
#include "jobs/RecordingJob.h"
#include "jobs/RecordingState.h"
#include "jobs/burn/BurnCallbacks.h"
#include "jobs/burn/BurnRun.h"
#include "jobs/copies/CopiesCommand.h"
#include "jobs/erase/EraseJob.h"
#include "jobs/setup/RecordingSetup.h"

class ISoundPlayer;
class RegistryStore;

// The recording jobs of one main window, wired to each other: the library's
// callbacks, the set-up, the burn run and the erase job. The window holds
// one and forwards its commands:
//   start-up           Setup().InitRecording(MEDIA_SET_DVD or MEDIA_SET_CD)
//   Quit               Setup().DoneRecording()
//   DVD / CD radios    Job().WhenIdle(Setup().OnMediaDvd / OnMediaCd)
//   speed refresh      Job().WhenIdle(Setup().OnRefreshDevices)
//   Devices list       Job().WhenIdle(Setup().OnDeviceChanged) (the user's choice only)
//   Reallocate box     Setup().OnReallocateClicked()
//   Burn               Command().Run(...) (the burn, the retry, the power-off decision)
//   Erase / eject      Job().OnEraseButton() / Job().OnEject()
// Job() alone says whether a job runs. State() is the one record the jobs
// share (RecordingState); the window reads and writes the fields it shows
// through references into it.
class RecordingJobs
{
public:
    // registry: where the set-up looks for the recording library.
    RecordingJobs(const JobPorts &ports, ISoundPlayer &sound, RegistryStore &registry);

    RecordingState &State() { return m_state; }
    const RecordingState &State() const { return m_state; }
    RecordingSetup &Setup() { return m_setup; }
    BurnRun &Burn() { return m_burn; }
    EraseJob &Erase() { return m_erase; }
    BurnCallbacks &Callbacks() { return m_callbacks; }
    RecordingJob &Job() { return m_job; }
    BurnCommand &Command() { return m_command; }
    // Burn with more than one copy (the Copies field, -n).
    jobs::CopiesCommand &Copies() { return m_copies; }

private:
    // First: every part below holds a reference to it.
    RecordingState m_state;
    BurnCallbacks m_callbacks;
    RecordingSetup m_setup;
    EraseJob m_erase;
    BurnRun m_burn;
    BurnCommand m_command;
    jobs::CopiesCommand m_copies;
    // Last: it waits for its worker before the steps it runs go.
    RecordingJob m_job;
};
