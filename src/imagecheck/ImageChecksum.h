#pragma once
// The SHA-256 of an image file, as sha256sum prints it and as the burn logs
// it for the sectors it wrote: what --check -i prints, so the disc can be
// told from the file later.

#include <optional>
#include <string>

namespace imagecheck {

// Nothing when the file is no regular file (never waited on) or a read fails.
std::optional<std::string> fileSha256(const std::string &path);

} // namespace imagecheck
