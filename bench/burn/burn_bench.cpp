// orvane-burn-bench: burns a DVD-Video folder through NeroAPI.so (loaded
// from the given program folder, like the program does) to its first
// virtual recorder, and reports the wall time and the time spent inside the
// program's callbacks. bench/burn.sh runs it beside a cat baseline.
//
//   orvane-burn-bench <program folder with NeroAPI.so> <DVD-Video folder> [verify]

#include "ItemTree.h"
#include "reclib_api.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

// What the callbacks cost: each one adds its own duration.
struct CallbackClock
{
    Clock::duration spent{};
    long calls = 0;
    int lastPercent = 0;
};

struct Timed
{
    CallbackClock &clock;
    Clock::time_point start = Clock::now();
    explicit Timed(void *context) : clock(*static_cast<CallbackClock *>(context)) { ++clock.calls; }
    ~Timed() { clock.spent += Clock::now() - start; }
};

int onIdle(void *context)
{
    Timed t(context);
    return 0;
}
int onDialog(void *context, int type, void *)
{
    Timed t(context);
    return type == DLG_NON_EMPTY_REWRITABLE ? 5 : 0;
}
int onProgress(void *context, int percent)
{
    Timed t(context);
    t.clock.lastPercent = percent;
    return 0;
}
int onAbort(void *context)
{
    Timed t(context);
    return 0;
}
void onLog(void *context, int, const char *text)
{
    Timed t(context);
    std::fprintf(stderr, "log: %s\n", text);
}
void onPhase(void *context, const char *)
{
    Timed t(context);
}

template <typename Function> Function symbol(void *module, const char *name)
{
    return reinterpret_cast<Function>(dlsym(module, name));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program folder> <DVD-Video folder> [verify]\n", argv[0]);
        return 2;
    }
    const std::string library = std::string(argv[1]) + "/NeroAPI.so";
    void *module = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    CallbackClock clock;
    RecLibSettings settings{};
    settings.idleCallback = onIdle;
    settings.idleContext = &clock;
    settings.userDialogCallback = onDialog;
    settings.userDialogContext = &clock;
    RecProgress progress{onProgress, onAbort, onLog, onPhase, &clock, {}};

    symbol<PFN_NeroInit>(module, "NeroInit")(&settings, nullptr);
    DeviceInfoList *list =
        symbol<PFN_NeroGetAvailableDrivesEx>(module, "NeroGetAvailableDrivesEx")(MEDIA_SET_DVD, nullptr);
    if (list == nullptr || list->count == 0)
        return 1;
    RecDeviceHandle device = symbol<PFN_NeroOpenDevice>(module, "NeroOpenDevice")(&list->devices[0]);

    const Clock::time_point start = Clock::now();
    bench::ItemTree tree;
    tree.addDvd(argv[2]);
    IsoTrack *track =
        symbol<PFN_NeroCreateIsoTrackEx>(module, "NeroCreateIsoTrackEx")(tree.root(), "BENCH", 0x18);
    WriteRecord record{};
    record.track = track;
    record.mediaType = MEDIA_SET_DVD;
    const uint32_t flags = 0x190C | (argc > 3 ? BURN_FLAG_VERIFY : 0);
    const int result = symbol<PFN_NeroBurn>(module, "NeroBurn")(device, 0, &record, flags, 0, &progress);
    symbol<PFN_NeroFreeIsoTrack>(module, "NeroFreeIsoTrack")(track);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double inCallbacks = std::chrono::duration<double>(clock.spent).count();

    symbol<PFN_NeroCloseDevice>(module, "NeroCloseDevice")(device);
    symbol<PFN_NeroFreeMem>(module, "NeroFreeMem")(list);
    symbol<PFN_NeroDone>(module, "NeroDone")();
    std::printf("result %d seconds %.3f callbacks %ld callback_seconds %.6f callback_share %.4f%%\n", result,
                seconds, clock.calls, inCallbacks, 100.0 * inCallbacks / seconds);
    return result == 0 ? 0 : 1;
}
