#pragma once

#include <QString>

// The Write Speed list (1046). Any thread; the answer waits for the GUI
// thread.
class ISpeedListPort
{
public:
    virtual ~ISpeedListPort() = default;

    virtual void ClearSpeedList() = 0;
    virtual void AddSpeed(const QString &text) = 0;
    virtual void EnableSpeedList(bool enable) = 0;
    virtual void SelectSpeed(int index) = 0;
    // The selected entry, -1 without a selection.
    virtual int SelectedSpeed() const = 0;
};
