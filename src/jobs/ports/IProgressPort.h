#pragma once

#include <QString>

// The progress displays a job moves: the bar (1030), the percent field
// (1050), "Time Remaining:" (1047), "Time Total:" (1048) and the window
// title. Any thread; nothing waits for the displays.
class IProgressPort
{
public:
    virtual ~IProgressPort() = default;

    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPos(int position) = 0;
    virtual void SetPercentText(const QString &text) = 0;
    virtual void SetTimeLeftText(const QString &text) = 0;
    virtual void SetTimeTotalText(const QString &text) = 0;
    virtual void SetWindowTitleText(const QString &title) = 0;
};
