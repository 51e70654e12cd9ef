#include "jobs/RecordingJobs.h"

RecordingJobs::RecordingJobs(const JobPorts &ports, RecordingState &state, ISoundPlayer &sound,
                             RegistryStore &registry)
    : m_callbacks(ports, state), m_setup(ports, state, m_callbacks, registry), m_erase(ports, state),
      m_burn(ports, state, sound), m_job(m_burn, m_erase)
{
}
