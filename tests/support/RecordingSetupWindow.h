#pragma once

#include "CallRecord.h"
#include "jobs/ports/ISetupWindowPort.h"

// The window operations the set-up ran, in order.
class RecordingSetupWindow : public ISetupWindowPort, public CallRecord
{
public:
    void EndDialog(int result) override { Add(QStringLiteral("EndDialog"), QString::number(result)); }
    void ApplyFsDefaults(int media) override
    {
        Add(QStringLiteral("ApplyFsDefaults"), QString::number(media));
    }
    void CheckSourceSize() override { Add(QStringLiteral("CheckSourceSize")); }
};
