#include "burn/ScsiSense.h"

#include <cstdio>

namespace reclib::mmc {
namespace {

const char *keyName(uint8_t key)
{
    static const char *const names[16] = {
        "NO SENSE",       "RECOVERED ERROR", "NOT READY",      "MEDIUM ERROR",
        "HARDWARE ERROR", "ILLEGAL REQUEST", "UNIT ATTENTION", "DATA PROTECT",
        "BLANK CHECK",    "VENDOR SPECIFIC", "COPY ABORTED",   "ABORTED COMMAND",
        "key 0Ch",        "VOLUME OVERFLOW", "MISCOMPARE",     "key 0Fh"};
    return names[key & 0x0F];
}

struct AscText
{
    uint8_t asc;
    uint8_t ascq;
    const char *text;
};

// The pairs a drive may answer to the layer boundary commands.
constexpr AscText kAscTexts[] = {
    {0x04, 0x00, "the drive is not ready"},
    {0x04, 0x01, "the drive is becoming ready"},
    {0x04, 0x08, "the drive is busy with a long write"},
    {0x20, 0x00, "the drive does not know the command"},
    {0x24, 0x00, "invalid field in command block"},
    {0x26, 0x00, "invalid field in parameter list"},
    {0x28, 0x00, "the medium may have changed"},
    {0x29, 0x00, "the drive was reset"},
    {0x2C, 0x00, "command out of sequence"},
    {0x30, 0x00, "incompatible medium"},
    {0x30, 0x05, "cannot write: the medium's format is incompatible"},
    {0x3A, 0x00, "no medium in the drive"},
    {0x3A, 0x01, "no medium, tray closed"},
    {0x3A, 0x02, "no medium, tray open"},
    {0x55, 0x00, "the drive's resources are exhausted"},
    {0x72, 0x00, "session fixation error"},
};

} // namespace

std::optional<Sense> decodeSense(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return std::nullopt;
    const uint8_t code = bytes[0] & 0x7F;
    if ((code == 0x70 || code == 0x71) && bytes.size() >= 14)
        return Sense{uint8_t(bytes[2] & 0x0F), bytes[12], bytes[13]};
    if ((code == 0x72 || code == 0x73) && bytes.size() >= 4)
        return Sense{uint8_t(bytes[1] & 0x0F), bytes[2], bytes[3]};
    return std::nullopt;
}

std::string describeSense(const Sense &sense)
{
    char numbers[16];
    std::snprintf(numbers, sizeof numbers, "%X/%02X/%02X", sense.key, sense.asc, sense.ascq);
    std::string text = keyName(sense.key);
    for (const AscText &known : kAscTexts) {
        if (known.asc == sense.asc && known.ascq == sense.ascq) {
            text += ", ";
            text += known.text;
            break;
        }
    }
    return text + " (" + numbers + ")";
}

} // namespace reclib::mmc
