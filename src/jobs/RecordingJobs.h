#pragma once

#include "jobs/BurnCallbacks.h"
#include "jobs/BurnRun.h"
#include "jobs/EraseJob.h"
#include "jobs/RecordingSetup.h"

class ISoundPlayer;
struct RecordingState;

// The recording jobs of one main window, wired to each other: the library's
// callbacks, the set-up, the burn run and the erase job. The window holds
// one and forwards its commands:
//   start-up           Setup().InitRecording(MEDIA_SET_DVD or MEDIA_SET_CD)
//   Quit               Setup().DoneRecording()
//   DVD / CD radios    Setup().OnMediaDvd() / OnMediaCd()
//   speed refresh      Setup().OnRefreshDevices()
//   Devices list       Setup().OnDeviceChanged() (the user's choice only)
//   Reallocate box     Setup().OnReallocateClicked()
//   Burn               Burn().RunBurnToTheEnd()
//   Erase / eject      Erase().OnEraseButton() / Erase().OnEject()
class RecordingJobs
{
public:
    RecordingJobs(const JobPorts &ports, RecordingState &state, ISoundPlayer &sound);

    RecordingSetup &Setup() { return m_setup; }
    BurnRun &Burn() { return m_burn; }
    EraseJob &Erase() { return m_erase; }
    BurnCallbacks &Callbacks() { return m_callbacks; }

private:
    BurnCallbacks m_callbacks;
    RecordingSetup m_setup;
    // Declared before the burn run it calls back, and destroyed after it has
    // waited for its worker.
    EraseJob m_erase;
    BurnRun m_burn;
};
