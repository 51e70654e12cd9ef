#include "jobs/copies/DiscChange.h"

#include "recorder/LibraryAdapters.h"
#include "recorder/RecorderHandle.h"

#include <thread>

namespace jobs {

DiscChange::Look DiscChange::LookAtDisc() const
{
    Look look;
    const RecorderHandle recorder(m_device);
    if (!recorder.IsOpen())
        return look;
    DiscInfo *info = NeroGetCDInfo(recorder.Get(), CDINFO_FLAGS_DEFAULT);
    if (info == nullptr)
        return look;
    look.present = info->mediumType != MEDIUM_TYPE_NONE;
    look.blank = info->contentCount == 0;
    look.mediaType = info->mediaType;
    look.usedSectors = info->usedSectors;
    NeroFreeMem(info);
    // The library keeps its notes on the disc; they are not this look's.
    NeroClearErrors();
    return look;
}

void DiscChange::EjectBurnedCopy()
{
    m_burned = LookAtDisc();
    m_sawEmptyTray = false;
    const RecorderHandle recorder(m_device);
    if (recorder.IsOpen())
        NeroEjectLoadCD(recorder.Get(), 1);
    NeroClearErrors();
}

bool DiscChange::NextDiscIn()
{
    const Look now = LookAtDisc();
    if (!now.present) {
        m_sawEmptyTray = true;
        return false;
    }
    return m_sawEmptyTray || now.blank || now.mediaType != m_burned.mediaType ||
           now.usedSectors != m_burned.usedSectors;
}

DiscWait WaitForNextDisc(DiscChange &change, std::chrono::milliseconds timeout,
                         const std::function<bool()> &stop, std::chrono::milliseconds poll)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (stop())
            return DiscWait::Stopped;
        if (change.NextDiscIn())
            return DiscWait::Inserted;
        if (std::chrono::steady_clock::now() >= end)
            return DiscWait::TimedOut;
        std::this_thread::sleep_for(poll);
    }
}

} // namespace jobs
