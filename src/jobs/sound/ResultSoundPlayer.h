#pragma once

#include "jobs/sound/ISoundPlayer.h"
#include "jobs/sound/ResultSound.h"

namespace jobs {

// Plays the sound that ends a burn with this result, if any (ResultSoundFile).
inline void PlayResultSound(int result, const SoundSettings &settings, ISoundPlayer &player)
{
    if (const std::optional<QString> file = ResultSoundFile(result, settings))
        player.Play(*file);
}

} // namespace jobs
