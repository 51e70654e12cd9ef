#pragma once

#include <QString>

// The settings the main window holds itself, with their defaults.
struct MainWindowSettings
{
    QString m_strDeviceName; // "Device" as loaded; the recorder to select
    int m_nMedia = 0;        // 0 DVD, 1 CD
    int m_nSpeedIndex = -1;  // index into the write-speed list
    int m_bReallocate = 1;   // FSFlags bit 0x40
    QString m_strLangFile;   // a bare file name such as "english.lng"
    QString m_strSourceDir;  // "DefaultSourceDir"
};
