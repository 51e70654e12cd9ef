// Appending to the log pane must cost the same however long the log is:
// 100,000 lines go into the main window's pane, and the average time of
// the last 1,000 appends is compared with that of the first 1,000 (the
// target is a ratio of at most 2).
#include "app/CBurnDlg.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Lines = 100000;
constexpr int Window = 1000;

void BM_LogPaneAppend(benchmark::State &state)
{
    for (auto _ : state) {
        CBurnDlg dlg;
        dlg.show();
        std::vector<double> micros;
        micros.reserve(Lines);
        for (int i = 0; i < Lines; ++i) {
            const QString line =
                QStringLiteral("Adding file VIDEO_TS/VTS_%1_1.VOB (1073709056 bytes)").arg(i);
            const auto start = std::chrono::steady_clock::now();
            dlg.AppendLog(line);
            const auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        double first = 0;
        double last = 0;
        for (int i = 0; i < Window; ++i) {
            first += micros[static_cast<std::size_t>(i)];
            last += micros[static_cast<std::size_t>(Lines - Window + i)];
        }
        state.counters["first1000_avg_us"] = first / Window;
        state.counters["last1000_avg_us"] = last / Window;
        state.counters["last_over_first"] = last / first;
    }
}

BENCHMARK(BM_LogPaneAppend)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
