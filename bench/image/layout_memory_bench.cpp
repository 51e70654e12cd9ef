// What the image builder keeps per file once the layout is computed: a
// folder of many small files costs the library its per-file records many
// thousand times over. Reports the heap bytes per file for the bridge and
// the three-file-system layout (run-image-bench.sh --small-files has the
// whole-run figures) and fails a run that exceeds the bound: the node (136
// bytes, with the source's stamp), the name, the file's directory records in
// each ISO 9660 hierarchy (48 and 60 bytes), and no string, segment or list
// entry of its own per file.
#include "ItemTree.h"
#include "image/IsoImageTrack.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kFileCount = 6000;

// 500 files to a folder, 100 to 149 bytes each, written once per run and
// removed at its end.
struct SmallFiles
{
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("layout-memory-" + std::to_string(::getpid()));
    bench::ItemTree tree;

    SmallFiles()
    {
        IsoItem *extra = tree.add(nullptr, "EXTRA", "", true);
        IsoItem *sub = nullptr;
        for (int i = 0; i < kFileCount; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "F%06d.TXT", i);
            const std::string subName = "D" + std::to_string(i / 500);
            if (i % 500 == 0) {
                sub = tree.add(extra, subName, "", true);
                std::filesystem::create_directories(folder / subName);
            }
            const std::filesystem::path source = folder / subName / name;
            std::ofstream(source) << std::string(100 + i % 50, 'x');
            tree.add(sub, name, source.string(), false);
        }
    }
    ~SmallFiles() { std::filesystem::remove_all(folder); }
    SmallFiles(const SmallFiles &) = delete;
    SmallFiles &operator=(const SmallFiles &) = delete;
};

void LayoutBytesPerFile(benchmark::State &state)
{
    const bool joliet = state.range(0) != 0;
    const uint32_t flags = ISO_TRACK_ISO9660 | ISO_TRACK_UDF | (joliet ? ISO_TRACK_JOLIET : 0u);
    static SmallFiles files;
    double perFile = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        IsoTrack *track = CreateIsoImageTrack(files.tree.root(), "MANY", flags);
        perFile = double(mallinfo2().uordblks - before) / kFileCount;
        if (track != nullptr)
            track->vtbl->destroy(track, 1);
    }
    state.counters["bytes_per_file"] = perFile;
    if (perFile >= (joliet ? 300 : 240))
        state.SkipWithError("the layout keeps more than its bound per file");
}
BENCHMARK(LayoutBytesPerFile)->Arg(0)->Arg(1)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
