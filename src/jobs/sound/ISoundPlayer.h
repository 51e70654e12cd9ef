#pragma once

#include <QString>

// Plays a sound file without waiting for it; a new sound cuts off the one
// still playing. Failures are not reported: a sound only accompanies an
// outcome the log already shows.
class ISoundPlayer
{
public:
    virtual ~ISoundPlayer() = default;
    virtual void Play(const QString &path) = 0;
};
