#include "jobs/sound/ResultSound.h"

namespace jobs {

std::optional<QString> ResultSoundFile(int result, const SoundSettings &settings)
{
    if (!settings.enabled)
        return std::nullopt;
    const QString &path = result != 0 ? settings.errorWave : settings.successWave;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : path.mid(dot + 1).toLower();
    if (extension != QLatin1String("wav"))
        return std::nullopt;
    return path;
}

} // namespace jobs
