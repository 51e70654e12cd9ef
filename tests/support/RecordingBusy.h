#pragma once

#include "CallRecord.h"
#include "jobs/ports/IBusyPort.h"

// The busy state's changes and the data exchanges, in order.
class RecordingBusy : public IBusyPort, public CallRecord
{
public:
    void EnableBusyUi(AbortButton abort) override
    {
        Add(QStringLiteral("EnableBusyUi"),
            abort == AbortButton::Enabled ? QStringLiteral("1") : QStringLiteral("0"));
    }
    void RestoreIdleUi() override { Add(QStringLiteral("RestoreIdleUi")); }
    void EnableAbort(bool enable) override
    {
        Add(QStringLiteral("EnableAbort"), QString::number(enable ? 1 : 0));
    }
    void UpdateData(bool toMembers) override
    {
        Add(QStringLiteral("UpdateData"), QString::number(toMembers ? 1 : 0));
    }
};
