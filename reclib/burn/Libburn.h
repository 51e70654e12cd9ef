#pragma once

#include <libburn/libburn.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace reclib {

// libburn's process-wide start and stop, and the drain of its message
// queue (where it puts the reasons for refusals and failures).
class Libburn
{
public:
    Libburn();
    ~Libburn();
    Libburn(const Libburn &) = delete;
    Libburn &operator=(const Libburn &) = delete;

    bool ok() const { return m_ok; }

    // Messages of severity SORRY and above since the last call.
    static std::vector<std::string> takeMessages();

    // How many of libburn's write threads have said goodbye so far. libburn
    // shows the drive idle before its write thread is gone (after a cancel
    // or a failure the thread still sleeps half a second, then touches the
    // drive and leaves libburn's job list): a write grabbed into the same
    // drive slot meanwhile is refused with "A drive operation is still going
    // on", and a release would pull the drive from under the thread.
    static uint64_t writeThreadsEnded();
    // Waits until writeThreadsEnded() exceeds endedBefore; false on timeout.
    static bool awaitWriteThreadEnd(uint64_t endedBefore, std::chrono::milliseconds timeout);

private:
    bool m_ok = false;
};

// A grabbed drive; released (and the tray opened, if asked) on destruction.
class GrabbedDrive
{
public:
    // address: "stdio:/path", "stdio:/dev/fd/N" or a real drive's address.
    static std::unique_ptr<GrabbedDrive> grab(const std::string &address, std::string &error);
    ~GrabbedDrive();
    GrabbedDrive(const GrabbedDrive &) = delete;
    GrabbedDrive &operator=(const GrabbedDrive &) = delete;

    burn::burn_drive *drive() const;
    void ejectOnRelease(bool eject) { m_eject = eject; }

    // A write or erase starts on a libburn thread: waits (at most a few
    // seconds) until the drive reports it busy, so that a following
    // waitUntilIdle does not mistake "not started yet" for "finished".
    // A write thread that already ended (writeThreadsEnded() moved past
    // endedBefore) also counts. False when nothing started.
    bool waitUntilBusy(uint64_t endedBefore = UINT64_MAX) const;

    // Polls until the drive is idle; onTick gets each status and may cancel.
    template <typename OnTick> void waitUntilIdle(OnTick onTick) const;

private:
    explicit GrabbedDrive(burn::burn_drive_info *info) : m_info(info) {}
    burn::burn_drive_info *m_info;
    bool m_eject = false;
};

template <typename OnTick> void GrabbedDrive::waitUntilIdle(OnTick onTick) const
{
    burn::burn_progress progress{};
    // 1 ms steps for the first 50 ms, then 10 ms: for a small image the wait
    // for the end is most of the run.
    for (int tick = 0; burn::burn_drive_get_status(drive(), &progress) != burn::BURN_DRIVE_IDLE; ++tick) {
        onTick(progress);
        // Keeps libburn's queue short during a long run (DEBUG messages
        // are queued too); the reportable ones are kept for takeMessages.
        Libburn::writeThreadsEnded();
        std::this_thread::sleep_for(std::chrono::milliseconds(tick < 50 ? 1 : 10));
    }
}

} // namespace reclib
