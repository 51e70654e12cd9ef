#pragma once
// The dates outside readers show for the entries of an image: 7-Zip reads
// the UDF file entries, xorriso restores the ISO 9660 recording dates onto
// the files it extracts.

#include <cstdint>
#include <map>
#include <string>

namespace imagetest {

// Path below the root ("Dated/plain.txt") -> seconds since 1970, UTC.
using DatedPaths = std::map<std::string, int64_t>;

DatedPaths sevenZipDates(const std::string &image);
// Extracts into a fresh folder; the names are those of the tree xorriso
// loads (Joliet when the image has one).
DatedPaths xorrisoExtractedDates(const std::string &image);

// Sets a file's or folder's modification time.
bool setModified(const std::string &path, int64_t seconds);

} // namespace imagetest
