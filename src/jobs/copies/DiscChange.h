#pragma once

#include "reclib_api.h"

#include <chrono>
#include <cstdint>
#include <functional>

namespace jobs {

// The change of discs between two copies: the copy just burned is looked at
// and ejected, and a disc counts as the next one only when it cannot be that
// copy: the tray was seen empty since, or the disc is blank, or it differs
// in kind or size. So a recorder that cannot eject (or a person who closes
// the tray on the same disc) never gets the finished copy written over.
class DiscChange
{
public:
    explicit DiscChange(const DeviceInfo &device) : m_device(device) {}

    // Remembers the disc in the recorder and ejects it.
    void EjectBurnedCopy();
    // Another disc than the copy just burned is in the recorder.
    bool NextDiscIn();

private:
    struct Look
    {
        bool present = false;
        bool blank = false;
        uint32_t mediaType = 0;
        int32_t usedSectors = 0;
    };
    Look LookAtDisc() const;

    const DeviceInfo &m_device;
    Look m_burned;
    bool m_sawEmptyTray = false;
};

enum class DiscWait { Inserted, TimedOut, Stopped };

// Waits, looking every poll, until the next disc is in, the timeout passes
// or stop answers true; the command-line run's wait without a person.
DiscWait WaitForNextDisc(DiscChange &change, std::chrono::milliseconds timeout,
                         const std::function<bool()> &stop,
                         std::chrono::milliseconds poll = std::chrono::milliseconds(250));

} // namespace jobs
