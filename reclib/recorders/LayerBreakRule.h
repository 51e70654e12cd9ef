#pragma once

#include <cstdint>
#include <string>

namespace reclib {

// Why a dual-layer disc would not take this layer break (the size of layer
// 0) for an image of imageSectors, on a disc whose layer 0 holds at most
// limit sectors (0: a single-layer disc), or empty when it would. Layer 1
// runs back over layer 0, so layer 0 holds at least half, and the break is
// a whole ECC block. The virtual recorders refuse such a break as a drive
// would; the library must never ask for one.
std::string RefusedLayerBreak(int64_t layerBreak, int64_t imageSectors, int64_t limit);

} // namespace reclib
