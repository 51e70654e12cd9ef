#pragma once
// Sense data a drive returns with CHECK CONDITION, in words a log can show.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace reclib::mmc {

struct Sense
{
    uint8_t key = 0;
    uint8_t asc = 0;
    uint8_t ascq = 0;
};

// Fixed format (response code 70h current, 71h deferred; bit 7 is the
// VALID bit of the information field) and descriptor format (72h, 73h).
// Nothing when the bytes are too few or of another response code.
std::optional<Sense> decodeSense(std::span<const uint8_t> bytes);

// "ILLEGAL REQUEST, invalid field in command block (5/24/00)"; an unknown
// pair keeps only the numbers.
std::string describeSense(const Sense &sense);

} // namespace reclib::mmc
