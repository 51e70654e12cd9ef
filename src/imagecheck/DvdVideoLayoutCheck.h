#pragma once
// Checks an image's DVD-Video placement against the addresses its own IFO
// files (as written into the image, read by libdvdread) give.

#include <string>
#include <vector>

namespace imagecheck {

// Empty when every DVD-Video file starts at the sector its IFO gives, each
// set's BUP ends at the set's last sector and the title VOB parts follow each
// other; otherwise one line per mismatch.
std::vector<std::string> placementMismatches(const std::string &image);

// Mismatches of the replication rule: an IFO and its BUP share a
// 16-sector block.
std::vector<std::string> sharedBlocks(const std::string &image);

} // namespace imagecheck
