#include "recorders/SpeedMapping.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace reclib {
namespace {

double libburnRate1x(SpeedFamily family)
{
    return family == SpeedFamily::Dvd ? 1385.0 : 176.4;
}

} // namespace

int32_t speedBlockRate1x(SpeedFamily family)
{
    return family == SpeedFamily::Dvd ? 1385 : 176;
}

int32_t speedBlockKBsFromLibburn(int libburnSpeed, SpeedFamily family)
{
    // Otherwise take the value that maps back exactly (libburn rounds
    // fractional speeds up, so several kB/s values give one libburn speed).
    // A drive's figure within one unit of a whole multiple of 1x (8467 for
    // 48x CD) is that multiple.
    const double multiple = std::round(libburnSpeed / libburnRate1x(family));
    if (multiple >= 1 && std::fabs(libburnSpeed - multiple * libburnRate1x(family)) < 1.0)
        return static_cast<int32_t>(multiple) * speedBlockRate1x(family);
    const double exact = libburnSpeed * speedBlockRate1x(family) / libburnRate1x(family);
    const auto candidate = static_cast<int32_t>(std::floor(exact + 1e-9));
    for (int32_t kBs : {candidate, candidate + 1}) {
        if (libburnFromSpeedBlockKBs(kBs, family) == libburnSpeed)
            return kBs;
    }
    return static_cast<int32_t>(std::lround(exact));
}

int libburnFromSpeedBlockKBs(int32_t kBs, SpeedFamily family)
{
    // The small allowance keeps exact products (7040 kB/s -> 7056) from
    // rounding up because of binary fractions.
    const double exact = kBs * libburnRate1x(family) / speedBlockRate1x(family);
    return static_cast<int>(std::ceil(exact - 1e-6));
}

int32_t multipleFromLibburn(int libburnSpeed, SpeedFamily family)
{
    const long multiple = std::lround(libburnSpeed / libburnRate1x(family));
    return static_cast<int32_t>(std::max(1L, multiple));
}

int libburnFromMultiple(double multiple, SpeedFamily family)
{
    return static_cast<int>(std::ceil(multiple * libburnRate1x(family) - 1e-6));
}

SpeedBlock speedBlockFromLibburn(std::vector<int> libburnSpeeds, SpeedFamily family)
{
    std::erase_if(libburnSpeeds, [](int speed) { return speed <= 0; });
    std::sort(libburnSpeeds.begin(), libburnSpeeds.end());
    libburnSpeeds.erase(std::unique(libburnSpeeds.begin(), libburnSpeeds.end()), libburnSpeeds.end());
    if (libburnSpeeds.size() > SPEED_BLOCK_MAX)
        libburnSpeeds.resize(SPEED_BLOCK_MAX);

    SpeedBlock block;
    std::memset(&block, 0, sizeof block);
    block.count = static_cast<int32_t>(libburnSpeeds.size());
    block.rate1x = block.count > 0 ? speedBlockRate1x(family) : 0;
    for (size_t i = 0; i < libburnSpeeds.size(); ++i) {
        block.kBs[i] = speedBlockKBsFromLibburn(libburnSpeeds[i], family);
        block.multiples[i] = multipleFromLibburn(libburnSpeeds[i], family);
    }
    return block;
}

} // namespace reclib
