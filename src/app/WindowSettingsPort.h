#pragma once

#include "jobs/ports/JobSettings.h"

class CBurnDlg;

// The settings the window's dialogs hold, taken for a job as it starts.
class WindowSettingsPort : public ISettingsPort
{
public:
    explicit WindowSettingsPort(const CBurnDlg &window) : m_window(window) {}

    JobSettings TakeJobSettings() const override;

private:
    const CBurnDlg &m_window;
};
