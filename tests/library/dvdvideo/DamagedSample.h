#pragma once
// Copies of the committed DVD-Video samples for one test, and the damage a
// test does to them: files removed, cut, replaced, bytes changed.

#include "dvdvideo/Finding.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace dvdtest {

// A fresh copy of samples/<sample> in the test's private space; the path
// of the copy (the folder holding VIDEO_TS).
std::string CopySample(const std::string &sample);

std::string VideoTs(const std::string &folder, const std::string &name);
void Remove(const std::string &path);
void Resize(const std::string &path, uint64_t bytes);
// Puts a big-endian number of width 1, 2 or 4 bytes at offset.
void PutBe(const std::string &path, uint64_t offset, uint32_t value, int width);
uint32_t GetBe(const std::string &path, uint64_t offset, int width);
// Patches an IFO and its BUP alike, so only the intended fault shows.
void PutBeBoth(const std::string &folder, const std::string &ifoName, uint64_t offset, uint32_t value,
               int width);

// Where the first cell playback record of the first title program chain
// of a title set IFO lies (offsets read from the IFO itself).
uint64_t FirstCellPlayback(const std::string &ifoPath);

} // namespace dvdtest

namespace dvdvideo {
void PrintTo(const Finding &finding, std::ostream *os);
}
