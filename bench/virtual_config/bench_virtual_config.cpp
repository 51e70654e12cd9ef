// The library reads the virtual-recorder configuration whenever it lists
// or opens a recorder. This reads configurations of 100 to 10,000 sections
// and fits the time to the number of sections, which should come out
// linear.
#include "recorders/VirtualRecorderConfig.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string configWith(int64_t sections)
{
    std::string text;
    for (int64_t i = 0; i < sections; ++i) {
        const std::string name = "Recorder " + std::to_string(i);
        text += "[" + name + "]\nmedium = DVD+RW blank\nfile = media/" + std::to_string(i) +
                ".iso\nspeeds = 2.4x 4x 8x\npacing = paced\n";
    }
    return text;
}

void ParseSections(benchmark::State &state)
{
    const std::string text = configWith(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(reclib::VirtualRecorderConfig::parse(text));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(ParseSections)->RangeMultiplier(10)->Range(100, 10000)->Complexity();

} // namespace

BENCHMARK_MAIN();
