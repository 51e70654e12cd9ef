#pragma once

#include <QString>

// The settings the main window's fields show and the recording jobs read,
// with their defaults. The language file, which only the window uses, is
// kept beside them (SettingsValues::language).
struct MainWindowSettings
{
    QString m_strDeviceName; // "Device" as loaded; the recorder to select
    int m_nMedia = 0;        // 0 DVD, 1 CD
    int m_nSpeedIndex = -1;  // index into the write-speed list
    int m_bReallocate = 1;   // FSFlags bit 0x40
    QString m_strSourceDir;  // "DefaultSourceDir"
};
