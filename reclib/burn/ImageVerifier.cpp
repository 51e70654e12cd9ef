#include "burn/ImageVerifier.h"

#include "burn/TrackReader.h"
#include "sysio/UniqueFd.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>

namespace reclib {
namespace {

constexpr uint32_t ChunkSectors = 512; // 1 MiB per comparison step

// Reads exactly size bytes unless the file ends first; answers the count or -1.
ssize_t readFully(int fd, unsigned char *buffer, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

std::string mismatchAt(int64_t sector, const SectorDescriber &describe)
{
    std::string text = "Verify failed: the disc differs from the image at sector " + std::to_string(sector);
    if (describe)
        text += " " + describe(sector);
    return text;
}

} // namespace

JobOutcome verifyImage(IsoTrack *track, const std::string &writtenFile, JobChannel &channel,
                       const std::function<void(int)> &onPercent, const SectorDescriber &describe, int speed)
{
    const auto start = std::chrono::steady_clock::now();
    TrackReader reader(track);
    if (!reader.open())
        return JobOutcome::failed(reader.failure());
    const sysio::UniqueFd file(::open(writtenFile.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid())
        return JobOutcome::failed("Verify failed: cannot read back " + writtenFile + ": " +
                                  std::strerror(errno));

    const int64_t total = reader.sizeInBlocks();
    std::vector<unsigned char> expected(static_cast<size_t>(ChunkSectors) * SECTOR_SIZE);
    std::vector<unsigned char> actual(expected.size());
    int64_t sector = 0;
    while (sector < total) {
        if (channel.cancelRequested())
            return JobOutcome::cancelled();
        const int64_t got = reader.read(expected.data(), ChunkSectors);
        if (got < 0)
            return JobOutcome::failed(reader.failure());
        if (got == 0)
            return JobOutcome::failed("the image ended early while verifying");
        const size_t bytes = static_cast<size_t>(got) * SECTOR_SIZE;
        const ssize_t read = readFully(file.get(), actual.data(), bytes);
        if (read < 0)
            return JobOutcome::failed("Verify failed: read error at sector " + std::to_string(sector));
        for (int64_t i = 0; i < got; ++i) {
            const size_t offset = static_cast<size_t>(i) * SECTOR_SIZE;
            const bool short_ = offset + SECTOR_SIZE > static_cast<size_t>(read);
            if (short_ || std::memcmp(expected.data() + offset, actual.data() + offset, SECTOR_SIZE) != 0)
                return JobOutcome::failed(mismatchAt(sector + i, describe));
        }
        sector += got;
        onPercent(static_cast<int>(sector * 100 / total));
        if (speed > 0)
            std::this_thread::sleep_until(start + std::chrono::milliseconds(sector * SECTOR_SIZE / speed));
    }
    return JobOutcome::done();
}

} // namespace reclib
