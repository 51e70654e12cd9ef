#include "settings/OtherSettingsValues.h"

#include "settings/SettingsFlags.h"

int OtherSettingsValues::GetBurnFlags() const
{
    unsigned word = 0;
    if (m_bVerify)
        word |= BURN_VERIFY;
    if (m_bSimulate)
        word |= BURN_SIMULATE;
    if (m_bNoEject)
        word |= BURN_NO_EJECT;
    if (m_bBurnProof)
        word |= BURN_PROOF;
    if (m_bNoOverwriteAsk)
        word |= BURN_NO_OVERWRITE_ASK;
    if (m_bBookType)
        word |= BURN_DVDROM_BOOKTYPE;
    return static_cast<int>(word);
}

void OtherSettingsValues::SetBurnFlags(int word)
{
    m_bVerify = (word & BURN_VERIFY) ? 1 : 0;
    m_bSimulate = (word & BURN_SIMULATE) ? 1 : 0;
    m_bNoEject = (word & BURN_NO_EJECT) ? 1 : 0;
    m_bBurnProof = (word & BURN_PROOF) ? 1 : 0;
    m_bNoOverwriteAsk = word < 0 ? 1 : 0;
    m_bBookType = (word & BURN_DVDROM_BOOKTYPE) ? 1 : 0;
}

int OtherSettingsValues::GetMoreFlags() const
{
    int word = 0;
    if (m_bForceShutdown)
        word |= MORE_FORCE_SHUTDOWN;
    if (m_bLabel16)
        word |= MORE_LABEL16;
    if (m_bIgnoreSize)
        word |= MORE_IGNORE_SIZE;
    return word;
}

void OtherSettingsValues::SetMoreFlags(int word)
{
    m_bForceShutdown = (word & MORE_FORCE_SHUTDOWN) ? 1 : 0;
    m_bLabel16 = (word & MORE_LABEL16) ? 1 : 0;
    m_bIgnoreSize = (word & MORE_IGNORE_SIZE) ? 1 : 0;
}

void OtherSettingsValues::ResetLimits()
{
    m_nLimitCD = DefaultLimitCD;
    m_nLimitDVD = DefaultLimitDVD;
    m_nLimitCDRed = DefaultLimitCDRed;
    m_nLimitDVDRed = DefaultLimitDVDRed;
}
