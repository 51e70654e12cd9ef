#pragma once

#include "CallRecord.h"
#include "jobs/ports/IProgressPort.h"

// Every display change, as "SetPercentText(0 %)" and so on.
class RecordingProgress : public IProgressPort, public CallRecord
{
public:
    void SetProgressRange(int low, int high) override
    {
        Add(QStringLiteral("SetProgressRange"), QStringLiteral("%1,%2").arg(low).arg(high));
    }
    void SetProgressPos(int position) override
    {
        Add(QStringLiteral("SetProgressPos"), QString::number(position));
    }
    void SetPercentText(const QString &text) override { Add(QStringLiteral("SetPercentText"), text); }
    void SetTimeLeftText(const QString &text) override { Add(QStringLiteral("SetTimeLeftText"), text); }
    void SetTimeTotalText(const QString &text) override { Add(QStringLiteral("SetTimeTotalText"), text); }
    void SetWindowTitleText(const QString &title) override
    {
        Add(QStringLiteral("SetWindowTitleText"), title);
    }
};
