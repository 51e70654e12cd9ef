#pragma once

#include "jobs/ports/JobPorts.h"

#include <atomic>
#include <chrono>
#include <thread>

struct RecordingState;

// The erase progress clock: counts the library's erase estimate down on the
// progress displays while the erase runs, one step a tick (a second), until
// the erase worker sets m_evtJobDone. When the estimate runs out first it
// cycles the bar for up to 600 more ticks, and an erase that ends in that
// overtime earns the "Timeout Error" box (ShowEraseTimeout).
//
// The clock runs on its own thread and touches the window only through its
// display operations and the message box. Destroying the clock stops and
// joins its thread.
class EraseClock
{
public:
    static constexpr int OvertimeTicks = 600;

    EraseClock(const JobPorts &ports, RecordingState &state);
    ~EraseClock();

    EraseClock(const EraseClock &) = delete;
    EraseClock &operator=(const EraseClock &) = delete;

    // Starts the clock thread on m_nEraseSecs (read once, now). A clock
    // still running from an earlier erase is waited for first.
    void Start();
    // Waits until the clock thread has ended.
    void Join();

    // Shows the box about an erase that took longer than estimated.
    void ShowEraseTimeout();

    // The length of one step; tests shorten it.
    void SetTick(std::chrono::milliseconds tick) { m_tick = tick; }

private:
    void Run(int estimate);
    // One wait for the end of the erase: true when it has ended (or the
    // clock is being stopped).
    bool EraseEnded();

    JobPorts m_ports;
    RecordingState &m_state;
    std::chrono::milliseconds m_tick{1000};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
