#pragma once

#include "reclib_api.h"

#include <QString>

// The Devices list (1029), whose item data is the recorder's DeviceInfo.
// Selecting from code must not run OnDeviceChanged: only a choice the user
// makes does. Any thread; the answers wait for the GUI thread.
class IRecorderListPort
{
public:
    virtual ~IRecorderListPort() = default;

    virtual void ClearDeviceList() = 0;
    virtual void AddDevice(const QString &name, const DeviceInfo *device) = 0;
    virtual void SelectDevice(int index) = 0;
    // The item data of the selected entry, or null without a selection.
    virtual const DeviceInfo *SelectedDevice() const = 0;
    virtual QString SelectedDeviceText() const = 0;
};
