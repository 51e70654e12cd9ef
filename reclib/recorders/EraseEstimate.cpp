#include "recorders/EraseEstimate.h"

#include "reclib_api.h"

#include <algorithm>
#include <cmath>

namespace reclib {
namespace {
constexpr int64_t QuickEraseBytes = 64LL * 1024 * 1024;
}

int eraseSeconds(int64_t capacitySectors, int eraseMode, int libburnSpeed, double scale)
{
    const int64_t discBytes = std::max<int64_t>(0, capacitySectors) * SECTOR_SIZE;
    const int64_t bytes = eraseMode == ERASE_MODE_QUICK ? std::min(discBytes, QuickEraseBytes) : discBytes;
    const double bytesPerSecond = std::max(1, libburnSpeed) * 1000.0;
    const double seconds = bytes / bytesPerSecond * std::max(0.0, scale);
    return static_cast<int>(std::min(std::ceil(seconds - 1e-9), 86400.0));
}

} // namespace reclib
