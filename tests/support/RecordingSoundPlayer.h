#pragma once

#include "jobs/sound/ISoundPlayer.h"

#include <QStringList>

#include <mutex>

// A sound player that remembers what it was asked to play.
class RecordingSoundPlayer : public ISoundPlayer
{
public:
    void Play(const QString &path) override
    {
        std::lock_guard lock(m_mutex);
        m_played << path;
    }
    QStringList Played() const
    {
        std::lock_guard lock(m_mutex);
        return m_played;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_played;
};
