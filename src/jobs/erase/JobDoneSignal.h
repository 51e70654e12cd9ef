#pragma once

#include <condition_variable>
#include <mutex>

// Tells a caller that a job running on a worker thread has ended, with the
// job's result. Wait on the GUI thread keeps handling the window's events
// (the job's window operations are queued to that thread); on any other
// thread it simply blocks.
class JobDoneSignal
{
public:
    // Marks a job as started.
    void Reset();
    void Set(int result);
    bool IsSet() const;
    // Waits until Set and answers the result; at once when no job was
    // started since the last Set.
    int Wait();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_done = true;
    int m_result = 0;
};
