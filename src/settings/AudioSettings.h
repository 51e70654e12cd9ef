#pragma once

#include <QString>

// The values the Audio dialog edits: the two sound files and the switch.
class AudioSettings
{
public:
    virtual ~AudioSettings() = default;

    QString GetSuccessWave() const { return m_strSuccessWave; }
    QString GetErrorWave() const { return m_strErrorWave; }
    int IsAudioEnabled() const { return m_bEnableAudio; }
    void SetSuccessWave(const QString &path) { m_strSuccessWave = path; }
    void SetErrorWave(const QString &path) { m_strErrorWave = path; }
    void SetAudioEnabled(int enabled) { m_bEnableAudio = enabled; }

    QString m_strSuccessWave;
    QString m_strErrorWave;
    int m_bEnableAudio = 0;
};
