#pragma once

// The values the Other Settings dialog edits: six BurnFlags states, three
// MoreFlags states and the four capacity limits in megabytes.
class OtherSettingsValues
{
public:
    static constexpr int DefaultLimitCD = 650;
    static constexpr int DefaultLimitDVD = 4482;
    static constexpr int DefaultLimitCDRed = 700;
    static constexpr int DefaultLimitDVDRed = 8106;
    // How long a run of copies waits without a person for the next disc.
    static constexpr int DefaultDiscChangeWaitSecs = 600;

    virtual ~OtherSettingsValues() = default;

    // A state counts when it is not 0.
    int GetBurnFlags() const;
    // No-overwrite-ask is set when the word is negative as a signed 32-bit number.
    void SetBurnFlags(int word);
    int GetMoreFlags() const;
    void SetMoreFlags(int word);

    int GetLimitCD() const { return m_nLimitCD; }
    int GetLimitDVD() const { return m_nLimitDVD; }
    int GetLimitCDRed() const { return m_nLimitCDRed; }
    int GetLimitDVDRed() const { return m_nLimitDVDRed; }
    void SetLimitCD(int mb) { m_nLimitCD = mb; }
    void SetLimitDVD(int mb) { m_nLimitDVD = mb; }
    void SetLimitCDRed(int mb) { m_nLimitCDRed = mb; }
    void SetLimitDVDRed(int mb) { m_nLimitDVDRed = mb; }
    int GetDiscChangeWaitSecs() const { return m_nDiscChangeWaitSecs; }
    // Zero or less keeps the default.
    void SetDiscChangeWaitSecs(int secs)
    {
        m_nDiscChangeWaitSecs = secs > 0 ? secs : DefaultDiscChangeWaitSecs;
    }
    // Restores the four limits; the check states stay.
    void ResetLimits();

    int m_bBurnProof = 1;
    int m_bSimulate = 0;
    int m_bNoEject = 0;
    int m_bVerify = 0;
    int m_bNoOverwriteAsk = 0;
    int m_bBookType = 0;
    int m_bForceShutdown = 0;
    int m_bLabel16 = 0;
    int m_bIgnoreSize = 0;
    int m_nLimitCD = DefaultLimitCD;
    int m_nLimitDVD = DefaultLimitDVD;
    int m_nLimitCDRed = DefaultLimitCDRed;
    int m_nLimitDVDRed = DefaultLimitDVDRed;
    int m_nDiscChangeWaitSecs = DefaultDiscChangeWaitSecs;
};
