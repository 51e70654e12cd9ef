// orvane-make-image: streams the image of a DVD-Video folder to a file and
// reports how long it took and how much memory the process needed at most.
// The benchmark script runs it beside cat and genisoimage.
//
//   orvane-make-image [--slots] <folder> <image> [flags, default 0x18] [label]
//
// By default the builder writes straight into the image file (the kernel
// copies the file data); --slots reads the image through the track's
// readBlocks slot into a buffer and writes that, the way a burn's data
// source takes it.

#include "ItemTree.h"
#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Sectors per call: through the slots a buffer of this size is filled and
// written (128 KiB stays in the processor's cache; 512 KiB and 1 MiB
// buffers made the copy two to three times slower on the test machine); the
// direct write only uses it to bound each step.
constexpr uint32_t kSlotBlocks = 64;     // 128 KiB
constexpr uint32_t kDirectBlocks = 4096; // 8 MiB

int streamThroughSlots(IsoTrack *track, int fd)
{
    std::vector<unsigned char> buffer(size_t(kSlotBlocks) * SECTOR_SIZE);
    for (;;) {
        const int32_t n = track->vtbl->readBlocks(track, buffer.data(), kSlotBlocks);
        if (n < 0) {
            std::fprintf(stderr, "failed: %s\n", track->vtbl->lastError(track));
            return 1;
        }
        if (n == 0)
            return 0;
        if (::write(fd, buffer.data(), size_t(n) * SECTOR_SIZE) != ssize_t(size_t(n) * SECTOR_SIZE)) {
            std::perror("write");
            return 1;
        }
    }
}

int streamDirectly(IsoTrack *track, int fd)
{
    image::ImageTrack *builder = imageTrackOf(track);
    for (;;) {
        const int32_t n = builder->writeBlocks(fd, kDirectBlocks);
        if (n < 0) {
            std::fprintf(stderr, "failed: %s\n", builder->lastError().c_str());
            return 1;
        }
        if (n == 0)
            return 0;
    }
}

} // namespace

int main(int argc, char **argv)
{
    const bool viaSlots = argc > 1 && std::strcmp(argv[1], "--slots") == 0;
    if (viaSlots) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s [--slots] <folder> <image> [flags] [label]\n", argv[0]);
        return 2;
    }
    const uint32_t flags = argc > 3 ? uint32_t(std::strtoul(argv[3], nullptr, 0)) : 0x18;
    const char *label = argc > 4 ? argv[4] : "DVD_VIDEO";
    const auto start = std::chrono::steady_clock::now();
    bench::ItemTree tree;
    tree.addDvd(argv[1]);
    IsoTrack *track = CreateIsoImageTrack(tree.root(), label, flags);
    if (!track)
        return 1;
    int status = 0;
    if (const char *warning = track->vtbl->placementWarning(track))
        std::fprintf(stderr, "warning: %s\n", warning);
    const int fd = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || track->vtbl->openStream(track) != 0) {
        std::fprintf(stderr, "cannot start: %s\n",
                     fd < 0 ? std::strerror(errno) : track->vtbl->lastError(track));
        status = 1;
    } else {
        status = viaSlots ? streamThroughSlots(track, fd) : streamDirectly(track, fd);
    }
    track->vtbl->closeStream(track);
    const int64_t sectors = track->vtbl->sizeInBlocks(track);
    track->vtbl->destroy(track, 1);
    if (fd >= 0)
        ::close(fd);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("sectors %lld seconds %.3f peak_rss_kib %ld\n", static_cast<long long>(sectors), seconds,
                usage.ru_maxrss);
    return status;
}
