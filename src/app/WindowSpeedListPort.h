#pragma once

#include "jobs/ports/ISpeedListPort.h"

class CBurnDlg;

// The main window's Write Speed list. Every operation waits for the GUI
// thread.
class WindowSpeedListPort : public ISpeedListPort
{
public:
    explicit WindowSpeedListPort(CBurnDlg &window) : m_window(window) {}

    void ClearSpeedList() override;
    void AddSpeed(const QString &text) override;
    void EnableSpeedList(bool enable) override;
    void SelectSpeed(int index) override;
    int SelectedSpeed() const override;

private:
    CBurnDlg &m_window;
};
