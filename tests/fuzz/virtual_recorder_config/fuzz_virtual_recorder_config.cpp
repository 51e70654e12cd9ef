// Reads arbitrary bytes as the virtual-recorder configuration. Whatever the
// input, every recorder the reader accepts is one the library can list and
// drive: a name that fits the device record, a medium file, speeds that are
// positive and ascending, an erase-time scale from 0 to 10 and a capacity
// the disc information's 32-bit count holds.
#include "recorders/VirtualRecorderConfig.h"

#include "reclib_api.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool Usable(const reclib::VirtualRecorderSettings &recorder)
{
    const bool speedsOk =
        std::is_sorted(recorder.speeds.begin(), recorder.speeds.end()) &&
        std::all_of(recorder.speeds.begin(), recorder.speeds.end(), [](int s) { return s > 0; });
    return !recorder.name.empty() && recorder.name.size() < DEVICE_NAME_SIZE &&
           !recorder.mediumFile.empty() && speedsOk && std::isfinite(recorder.eraseTimeScale) &&
           recorder.eraseTimeScale >= 0 && recorder.eraseTimeScale <= 10 &&
           (!recorder.capacitySectors ||
            (*recorder.capacitySectors > 0 && *recorder.capacitySectors <= INT32_MAX));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const reclib::VirtualRecorderConfig config = reclib::VirtualRecorderConfig::parse(text);
    for (const reclib::VirtualRecorderSettings &recorder : config.recorders) {
        if (!Usable(recorder))
            std::abort();
    }
    return 0;
}
