#include "recorders/LayerBreakRule.h"

namespace reclib {

std::string RefusedLayerBreak(int64_t layerBreak, int64_t imageSectors, int64_t limit)
{
    const std::string at = "The layer break at sector " + std::to_string(layerBreak);
    if (limit == 0)
        return at + " was asked of a single-layer disc";
    if (layerBreak % 16 != 0)
        return at + " is not a multiple of 16 sectors";
    if (layerBreak > limit)
        return at + " is beyond the largest layer 0 of the disc (" + std::to_string(limit) + " sectors)";
    if (layerBreak >= imageSectors)
        return at + " lies past the end of the image";
    if (2 * layerBreak < imageSectors)
        return at + " leaves layer 0 smaller than layer 1";
    return {};
}

} // namespace reclib
