#pragma once

// The values the Filesystem Flags dialog edits; the dialog object holds one
// for the program's lifetime. Each state is 0 or 1.
class FsFlagsSettings
{
public:
    virtual ~FsFlagsSettings() = default;

    // 0x10 UDF | 0x08 ISO 9660 | 0x01 Joliet | 0x02 Mode 2; a state counts
    // only when it equals 1.
    int GetFsFlags() const;
    // Sets the four states from the word; bit 0x40 is not this object's.
    void SetFsFlags(int word);

    // UDF, ISO 9660 on; Joliet, Mode 2 off.
    void ApplyDvdDefaults();
    // As DVD, with Mode 2 on.
    void ApplyCdvdDefaults();

    int m_bUdf = 1;
    int m_bJoliet = 0;
    int m_bIso9660 = 1;
    int m_bMode2 = 0;
};
