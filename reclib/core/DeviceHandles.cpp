#include "core/DeviceHandles.h"

namespace reclib {

RecDeviceHandle DeviceHandles::add(std::shared_ptr<Recorder> recorder)
{
    const std::lock_guard lock(m_mutex);
    m_next += 0x10;
    m_open.emplace(m_next, std::move(recorder));
    return reinterpret_cast<RecDeviceHandle>(m_next);
}

std::shared_ptr<Recorder> DeviceHandles::find(RecDeviceHandle handle) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_open.find(reinterpret_cast<uintptr_t>(handle));
    return found == m_open.end() ? nullptr : found->second;
}

bool DeviceHandles::remove(RecDeviceHandle handle)
{
    const std::lock_guard lock(m_mutex);
    return m_open.erase(reinterpret_cast<uintptr_t>(handle)) == 1;
}

void DeviceHandles::clear()
{
    const std::lock_guard lock(m_mutex);
    m_open.clear();
}

} // namespace reclib
