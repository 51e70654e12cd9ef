#include "jobs/RecordingJobs.h"

RecordingJobs::RecordingJobs(const JobPorts &ports, ISoundPlayer &sound, RegistryStore &registry)
    : m_callbacks(ports, m_state), m_setup(ports, m_state, m_callbacks, registry), m_erase(ports, m_state),
      m_burn(ports, m_state, sound), m_command(ports, m_state, m_job),
      m_copies(ports, m_state, m_burn, m_command), m_job(m_burn, m_erase)
{
}
