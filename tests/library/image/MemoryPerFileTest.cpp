// What the image builder keeps per file once the layout is computed. A
// folder of many small files costs the library its per-file records many
// thousand times over; this guards the bound the benchmark's memory figures
// rely on (bench/image/run-image-bench.sh --small-files has the figures).

#include "ImageTestSupport.h"
#include "IsoItemTree.h"

#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <malloc.h>

using namespace imagetest;

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kOwnAllocator = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kOwnAllocator = true;
#else
constexpr bool kOwnAllocator = false;
#endif
#else
constexpr bool kOwnAllocator = false;
#endif

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

TEST(MemoryPerFileTest, TheLayoutKeepsFewBytesPerSmallFile)
{
    if (kOwnAllocator)
        GTEST_SKIP() << "a sanitizer's allocator does not report to mallinfo2";
    // As in the benchmark: 500 files to a folder, 100 to 149 bytes each.
    constexpr int kFileCount = 6000;
    const std::string folder = tempDir("many");
    IsoItemTree tree;
    IsoItem *extra = tree.addFolder(nullptr, "EXTRA");
    IsoItem *sub = nullptr;
    for (int i = 0; i < kFileCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "F%06d.TXT", i);
        if (i % 500 == 0)
            sub = tree.addFolder(extra, "D" + std::to_string(i / 500));
        tree.addFile(
            sub, name,
            writeFile(folder + "/D" + std::to_string(i / 500) + "/" + name, std::string(100 + i % 50, 'x')));
    }
    for (const uint32_t flags :
         {ISO_TRACK_ISO9660 | ISO_TRACK_UDF, ISO_TRACK_ISO9660 | ISO_TRACK_UDF | ISO_TRACK_JOLIET}) {
        SCOPED_TRACE("flags " + std::to_string(flags));
        const size_t before = heapInUse();
        TrackPtr track(CreateIsoImageTrack(tree.root(), "MANY", flags));
        ASSERT_TRUE(track);
        ASSERT_EQ(track->vtbl->layoutError(track.get()), nullptr);
        const double perFile = double(heapInUse() - before) / kFileCount;
        std::printf("flags 0x%x: %.0f bytes per file\n", flags, perFile);
        // The node (about 100 bytes), the name, the file's directory
        // records in each ISO 9660 hierarchy (48 and 60 bytes), and little
        // else: no string, segment or list entry of its own per file.
        EXPECT_LT(perFile, flags & ISO_TRACK_JOLIET ? 300 : 240);
    }
}

} // namespace
