#include "platform/AutoResetEvent.h"

#include <chrono>

void AutoResetEvent::Set()
{
    {
        const std::lock_guard lock(m_mutex);
        m_signalled = true;
    }
    m_signal.notify_one();
}

bool AutoResetEvent::Wait(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    const auto signalled = [this] { return m_signalled; };
    if (timeoutMs < 0)
        m_signal.wait(lock, signalled);
    else if (!m_signal.wait_for(lock, std::chrono::milliseconds(timeoutMs), signalled))
        return false;
    m_signalled = false;
    return true;
}

void AutoResetEvent::Reset()
{
    const std::lock_guard lock(m_mutex);
    m_signalled = false;
}
