// Text lookups read the language file afresh each time; applying a window's
// texts makes some forty of them. These measure one lookup in the shipped
// English file (an early id, a late id and one the file lacks, which scans
// it all) and the forty lookups of a window.
#include "lang/CLanguageText.h"
#include "platform/TextFormat.h"

#include <benchmark/benchmark.h>

namespace {

const QString English = QStringLiteral(ORVANE_BENCH_LANG_DIR "/english.lng");

void LookupOne(benchmark::State &state)
{
    const CLanguageText texts(English);
    const int id = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(texts.GetText(id));
}
BENCHMARK(LookupOne)->Arg(510)->Arg(832)->Arg(999999);

void LookupWindowTexts(benchmark::State &state)
{
    const CLanguageText texts(English);
    for (auto _ : state) {
        for (int id = 722; id < 762; ++id)
            benchmark::DoNotOptimize(texts.GetText(id));
    }
}
BENCHMARK(LookupWindowTexts);

void FormatSettingsLine(benchmark::State &state)
{
    const QString templ = QStringLiteral("Device: %s\nMediaType: %d\nFSFlags: %X\nSpeed: %d\n");
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatText(templ, {QStringLiteral("Virtual DVD-R"), 0, 0x58, -1}));
}
BENCHMARK(FormatSettingsLine);

} // namespace

BENCHMARK_MAIN();
