#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sysio {

// The whole content of a regular file of at most maxBytes bytes, or nothing:
// for a path that cannot be opened, for anything but a regular file (a
// folder, a FIFO, a device, a socket; links are followed) and for a file
// larger than the bound, also one that grows past it while it is read.
// Never blocks on a FIFO without a writer and never reads more than
// maxBytes + 1 bytes, so a named file cannot hang or exhaust the caller.
std::optional<std::vector<uint8_t>> readRegularFile(const std::string &path, uint64_t maxBytes);

} // namespace sysio
