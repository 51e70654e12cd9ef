#include "core/Recorder.h"

#include "recorders/SpeedMapping.h"

namespace reclib {

std::optional<int> Recorder::libburnSpeedFor(uint32_t speed, uint32_t flags) const
{
    const SpeedBlock &speeds = m_entry.writeSpeeds;
    if (speed == 0 || speeds.count <= 0)
        return 0;
    const SpeedFamily family =
        speeds.rate1x == speedBlockRate1x(SpeedFamily::Dvd) ? SpeedFamily::Dvd : SpeedFamily::Cd;
    const bool inKBs = (flags & BURN_FLAG_SPEED_IN_KBS) != 0;
    for (int32_t i = 0; i < speeds.count && i < SPEED_BLOCK_MAX; ++i) {
        const int32_t listed = inKBs ? speeds.kBs[i] : speeds.multiples[i];
        if (static_cast<uint32_t>(listed) == speed)
            return libburnFromSpeedBlockKBs(speeds.kBs[i], family);
    }
    return std::nullopt;
}

} // namespace reclib
