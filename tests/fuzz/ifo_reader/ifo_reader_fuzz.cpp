// Reads the input as a VMG and as a title set IFO, then writes addresses
// back into a copy, as the reallocation does.

#include "image/IfoReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::span<const uint8_t> input(data, size);
    std::vector<uint8_t> copy(data, data + size);
    if (auto vmg = image::IfoReader::readVmg(input)) {
        for (auto &[set, start] : vmg->titleSetStarts)
            start += uint32_t(set);
        vmg->lastSector += 1;
        if (!image::IfoReader::writeVmg(copy, *vmg))
            std::abort(); // an accepted IFO must accept its own corrections
        if (!image::IfoReader::readVmg(copy))
            std::abort();
    }
    if (auto vts = image::IfoReader::readVts(input)) {
        vts->titleVobStart += 1;
        if (!image::IfoReader::writeVts(copy, *vts) || copy.size() != size)
            std::abort();
    }
    return 0;
}
