#pragma once

#include <QString>

#include <optional>

// Which sound file ends a burn, and when the Audio dialog's Play buttons play.
namespace jobs {

struct SoundSettings
{
    bool enabled = false;
    QString successWave;
    QString errorWave;
};

// The file to play after a burn with this result: the error sound for any
// result but 0, and only when audio is enabled and the file's extension
// (after its last dot, any case) is "wav".
std::optional<QString> ResultSoundFile(int result, const SoundSettings &settings);

} // namespace jobs
