#pragma once

#include "jobs/ports/IRecorderListPort.h"

class CBurnDlg;

// The main window's Devices list; the item data of an entry is the address
// of its DeviceInfo. Every operation waits for the GUI thread.
class WindowRecorderListPort : public IRecorderListPort
{
public:
    explicit WindowRecorderListPort(CBurnDlg &window) : m_window(window) {}

    void ClearDeviceList() override;
    void AddDevice(const QString &name, const DeviceInfo *device) override;
    void SelectDevice(int index) override;
    const DeviceInfo *SelectedDevice() const override;
    QString SelectedDeviceText() const override;

private:
    CBurnDlg &m_window;
};
