#pragma once

#include "platform/ExchangeDirection.h"

// Whether the Abort button stays usable while the window is busy.
enum class AbortButton { Disabled, Enabled };

// The window's busy state, which keeps the user from starting a second job,
// and the data exchange that shows the members a job changed. Any thread;
// every operation waits for the GUI thread.
class IBusyPort
{
public:
    virtual ~IBusyPort() = default;

    // Locks every control that could start another job.
    virtual void EnableBusyUi(AbortButton abort) = 0;
    virtual void RestoreIdleUi() = 0;
    virtual void EnableAbort(bool enable) = 0;
    virtual void UpdateData(Exchange direction) = 0;
    // Locked by EnableBusyUi and not yet restored.
    virtual bool IsBusy() const = 0;
};
