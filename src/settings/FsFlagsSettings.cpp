#include "settings/FsFlagsSettings.h"

#include "settings/SettingsFlags.h"

int FsFlagsSettings::GetFsFlags() const
{
    int word = 0;
    if (m_bUdf == 1)
        word |= FS_UDF;
    if (m_bIso9660 == 1)
        word |= FS_ISO9660;
    if (m_bJoliet == 1)
        word |= FS_JOLIET;
    if (m_bMode2 == 1)
        word |= FS_MODE2;
    return word;
}

void FsFlagsSettings::SetFsFlags(int word)
{
    m_bUdf = (word & FS_UDF) ? 1 : 0;
    m_bIso9660 = (word & FS_ISO9660) ? 1 : 0;
    m_bMode2 = (word & FS_MODE2) ? 1 : 0;
    m_bJoliet = (word & FS_JOLIET) ? 1 : 0;
}

void FsFlagsSettings::ApplyDvdDefaults()
{
    m_bUdf = 1;
    m_bIso9660 = 1;
    m_bJoliet = 0;
    m_bMode2 = 0;
}

void FsFlagsSettings::ApplyCdvdDefaults()
{
    m_bJoliet = 0;
    m_bUdf = 1;
    m_bIso9660 = 1;
    m_bMode2 = 1;
}
