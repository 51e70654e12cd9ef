#pragma once

#include <condition_variable>
#include <mutex>

// An event that wakes one waiter and resets itself when that waiter returns.
class AutoResetEvent
{
public:
    void Set();
    // True when the event was signalled within the time (the signal is
    // consumed); false on time-out. A negative time waits without limit.
    bool Wait(int timeoutMs);
    void Reset();

private:
    std::mutex m_mutex;
    std::condition_variable m_signal;
    bool m_signalled = false;
};
