// Reads arbitrary bytes as a virtual disc's state file. The first byte picks
// the configured medium (and whether it starts written), the rest is the
// file. Whatever the input, the state belongs to the configured medium,
// counts nothing below zero, and reads back unchanged from the text it
// writes, so a saved state survives the next start of the library.
#include "recorders/MediumState.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// No file of this name exists, so a written disc counts no sectors of it.
const std::string kMediumPath = "/nonexistent/orvane-fuzz/medium.iso";

bool Same(const reclib::MediumState &a, const reclib::MediumState &b)
{
    return a.configured == b.configured && a.kind == b.kind && a.blank == b.blank &&
           a.contentCount == b.contentCount && a.usedSectors == b.usedSectors &&
           a.dvdRomBookType == b.dvdRomBookType;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    reclib::VirtualRecorderSettings settings;
    settings.medium = static_cast<reclib::MediumKind>(data[0] % 7);
    settings.written = (data[0] & 0x80) != 0;
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);

    const reclib::MediumState state = reclib::MediumState::fromText(settings, text, kMediumPath);
    if (state.configured != settings.medium || state.contentCount < 0 || state.usedSectors < 0)
        std::abort();
    if (!Same(reclib::MediumState::fromText(settings, state.text(), kMediumPath), state))
        std::abort();
    return 0;
}
