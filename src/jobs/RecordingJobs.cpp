#include "jobs/RecordingJobs.h"

RecordingJobs::RecordingJobs(IRecordingWindow &window, RecordingState &state, ISoundPlayer &sound)
    : m_callbacks(window, state)
    , m_setup(window, state, m_callbacks)
    , m_erase(window, state, [this] { return m_burn.RunBurnAfterErase(); })
    , m_burn(window, state, sound, m_erase)
{
}
