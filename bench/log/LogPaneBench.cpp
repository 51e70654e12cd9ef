// Appending to the log pane must cost the same however long the log is:
// 100,000 lines go into the main window's pane (a real, shown widget on the
// offscreen platform) and the average time of the last 1,000 appends is
// compared with that of the first 1,000; the target is a ratio of at most 2.
//
// Three ways the program appends are measured:
//  - GuiThreadBurst: the GUI thread appends line after line without
//    returning to its event loop (the compilation logs one line per file);
//  - GuiThreadShown: the GUI thread handles its events after every append,
//    so each line is also painted before the next one comes;
//  - WorkerEach: a worker thread appends and waits, line by line, until the
//    GUI thread has put the line into the pane and painted it (a job that
//    logs now and then);
//  - WorkerFlood: a worker thread appends 1,000 lines at once and then waits
//    until the pane has taken and painted them all (a job that logs fast;
//    the GUI thread takes whatever has gathered in one go).
//
// Each window is timed by the process's CPU time, which other programs on a
// busy machine do not inflate, and by the wall clock. Every benchmark runs
// five times unless --benchmark_repetitions says otherwise; the median
// aggregate of ratio_cpu is the figure to compare with the target.
//
// The process keeps to one CPU (ORVANE_BENCH_ALL_CPUS=1 lifts that): with
// two, Qt's helper threads that share out large fills while painting and the
// hand-offs between worker and GUI thread across CPUs made the cost of a
// window of painted lines swing by a factor of two or more from run to run,
// early and late windows alike, which hid how the cost depends on the
// log's length.
#include "app/CBurnDlg.h"
#include "platform/GuiThread.h"
#include "platform/MemoryRegistryStore.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

#include <sched.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int Lines = 100000;
constexpr int Window = 1000;

QString LogLine(int i)
{
    return QStringLiteral("Adding file VIDEO_TS/VTS_%1_1.VOB (1073709056 bytes)").arg(i);
}

struct Stamp
{
    double cpuMicros = 0;
    double wallMicros = 0;

    static Stamp Now()
    {
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        const auto wall = std::chrono::steady_clock::now().time_since_epoch();
        return {static_cast<double>(cpu.tv_sec) * 1e6 + static_cast<double>(cpu.tv_nsec) / 1e3,
                std::chrono::duration<double, std::micro>(wall).count()};
    }
};

// Times the first and the last Window lines of a run of Lines appends.
class WindowTimer
{
public:
    void BeforeLine(int line)
    {
        if (line == 0 || line == Lines - Window)
            m_start = Stamp::Now();
    }
    void AfterLine(int line)
    {
        if (line == Window - 1)
            m_first = Elapsed();
        else if (line == Lines - 1)
            m_last = Elapsed();
    }
    void Report(benchmark::State &state) const
    {
        state.counters["first_us_cpu"] = m_first.cpuMicros / Window;
        state.counters["last_us_cpu"] = m_last.cpuMicros / Window;
        state.counters["ratio_cpu"] = m_last.cpuMicros / m_first.cpuMicros;
        state.counters["first_us_wall"] = m_first.wallMicros / Window;
        state.counters["last_us_wall"] = m_last.wallMicros / Window;
        state.counters["ratio_wall"] = m_last.wallMicros / m_first.wallMicros;
    }

private:
    Stamp Elapsed() const
    {
        const Stamp now = Stamp::Now();
        return {now.cpuMicros - m_start.cpuMicros, now.wallMicros - m_start.wallMicros};
    }

    Stamp m_start;
    Stamp m_first;
    Stamp m_last;
};

// Counts the paints of the pane, to show that the shown variants really
// paint what they append.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *viewport) { viewport->installEventFilter(this); }
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return QObject::eventFilter(watched, event);
    }

private:
    int m_count = 0;
};

// A window shown on the offscreen platform, its first paint done.
struct ShownWindow
{
    ShownWindow()
    {
        dlg.show();
        QCoreApplication::processEvents();
    }
    QPlainTextEdit &Pane() { return *dlg.findChild<QPlainTextEdit *>(QStringLiteral("m_edtLog")); }

    // The window only logs here; it reads nothing from the registry.
    MemoryRegistryStore registry;
    CBurnDlg dlg{registry};
};

// Fonts, glyph caches and the allocator are warmed on a throwaway window
// first: a cold first window would flatter the ratio.
void WarmUp()
{
    ShownWindow window;
    for (int i = 0; i < 2 * Window; ++i) {
        window.dlg.AppendLog(LogLine(i));
        QCoreApplication::processEvents();
    }
}

void BM_GuiThreadBurst(benchmark::State &state)
{
    WarmUp();
    for (auto _ : state) {
        ShownWindow window;
        WindowTimer timer;
        for (int i = 0; i < Lines; ++i) {
            const QString line = LogLine(i);
            timer.BeforeLine(i);
            window.dlg.AppendLog(line);
            timer.AfterLine(i);
        }
        timer.Report(state);
    }
}

void BM_GuiThreadShown(benchmark::State &state)
{
    WarmUp();
    for (auto _ : state) {
        ShownWindow window;
        PaintCounter paints(window.Pane().viewport());
        WindowTimer timer;
        for (int i = 0; i < Lines; ++i) {
            const QString line = LogLine(i);
            timer.BeforeLine(i);
            window.dlg.AppendLog(line);
            QCoreApplication::processEvents();
            timer.AfterLine(i);
        }
        timer.Report(state);
        state.counters["paints"] = paints.Count();
    }
}

// Posted to the GUI thread behind everything already queued there.
class MarkerEvent : public QEvent
{
public:
    explicit MarkerEvent(std::promise<void> &reached) : QEvent(QEvent::User), m_reached(reached) {}
    ~MarkerEvent() override { m_reached.set_value(); }

private:
    std::promise<void> &m_reached;
};

// Returns once the GUI thread has applied every append made before and has
// painted the result. Repaints are posted at low priority, so a marker
// posted at low priority after the appends were applied comes after them.
void WaitUntilShown(QObject &guiObject)
{
    RunOnGuiThread([] {}, Blocking::Wait);
    std::promise<void> reached;
    std::future<void> done = reached.get_future();
    QCoreApplication::postEvent(&guiObject, new MarkerEvent(reached), Qt::LowEventPriority);
    done.wait();
}

// Runs appendLines on a worker thread while the GUI thread runs its event
// loop.
template <typename AppendLines> void RunOnWorker(AppendLines appendLines)
{
    QEventLoop loop;
    std::thread worker([&] {
        appendLines();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
}

// A worker appends every line and, after every waitEvery lines, waits until
// the window has shown them; waiting after every Window lines keeps a flood's
// queue from growing without bound and ends each timed window.
void RunWorkerAppends(benchmark::State &state, int waitEvery)
{
    WarmUp();
    for (auto _ : state) {
        ShownWindow window;
        PaintCounter paints(window.Pane().viewport());
        WindowTimer timer;
        QObject guiObject;
        RunOnWorker([&] {
            for (int i = 0; i < Lines; ++i) {
                const QString line = LogLine(i);
                timer.BeforeLine(i);
                window.dlg.AppendLog(line);
                if ((i + 1) % waitEvery == 0)
                    WaitUntilShown(guiObject);
                timer.AfterLine(i);
            }
        });
        timer.Report(state);
        state.counters["paints"] = paints.Count();
    }
}

void BM_WorkerEach(benchmark::State &state)
{
    RunWorkerAppends(state, 1);
}
void BM_WorkerFlood(benchmark::State &state)
{
    RunWorkerAppends(state, Window);
}

BENCHMARK(BM_GuiThreadBurst)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GuiThreadShown)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorkerEach)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WorkerFlood)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void KeepToOneCpu()
{
    if (std::getenv("ORVANE_BENCH_ALL_CPUS") != nullptr)
        return;
    const int cpu = sched_getcpu();
    if (cpu < 0)
        return;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(cpu, &one);
    sched_setaffinity(0, sizeof one, &one);
}

} // namespace

int main(int argc, char **argv)
{
    // Before any thread starts, so that all of them inherit it.
    KeepToOneCpu();
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // Five runs by default; a --benchmark_repetitions given later wins.
    std::string repetitions = "--benchmark_repetitions=5";
    std::vector<char *> args{argv[0], repetitions.data()};
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
