#pragma once
// Helpers the image tests share: building and writing a track, running the
// outside readers (isoinfo) and reading their answers.

#include "reclib_api.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace imagetest {

// Owns a track and frees it through its own slot 0.
struct TrackDeleter
{
    void operator()(IsoTrack *track) const
    {
        if (track)
            track->vtbl->destroy(track, 1);
    }
};
using TrackPtr = std::unique_ptr<IsoTrack, TrackDeleter>;

// The file systems of a DVD-Video bridge disc, and all three.
inline constexpr uint32_t kBridge = ISO_TRACK_ISO9660 | ISO_TRACK_UDF;
inline constexpr uint32_t kAll = ISO_TRACK_ISO9660 | ISO_TRACK_UDF | ISO_TRACK_JOLIET;

std::string samplePath(const std::string &sample);

// Streams the track into path through its slots. Zero sectors are skipped
// (the file stays sparse), so huge images of sparse sources stay cheap.
// Returns "" on success, else the track's error text (or why the file
// failed), or the faults the strict structure check found in the image.
std::string writeImage(IsoTrack *track, const std::string &path, uint32_t blocksPerRead = 256);
struct CommandResult
{
    int exitCode = -1;
    std::string output;
};
CommandResult run(const std::string &command);

// One file or folder as isoinfo lists it (multi-extent files appear once
// per extent).
struct ListedEntry
{
    std::string folder; // "/" or "/VIDEO_TS/"
    std::string name;   // as listed, e.g. "VIDEO_TS.IFO;1"
    uint64_t size = 0;
    uint32_t extent = 0;
    bool isFolder = false;
};
// isoinfo -l on the primary volume, or with joliet on the Joliet volume.
std::vector<ListedEntry> isoinfoListing(const std::string &image, bool joliet);

// libdvdread's reading of an image: the absolute first sector of each cell
// of the first program chain of title set `set`; empty when it cannot read it.
std::vector<uint64_t> cellStarts(const std::string &image, int set);

// Every regular file below a folder, relative paths, sorted.
std::vector<std::string> filesBelow(const std::string &folder);
std::vector<uint8_t> readFile(const std::string &path);
inline std::vector<uint8_t> bytes(const std::string &text)
{
    return {text.begin(), text.end()};
}
// Creates the file (and its folders) with these bytes; returns its path.
std::string writeFile(const std::string &path, const std::string &bytes);
void copyFolder(const std::string &from, const std::string &to);

// A fresh folder for one test (below the test's private home).
std::string tempDir(const std::string &purpose);

} // namespace imagetest
