#include "FakeState.h"

#include <dlfcn.h>

#include <algorithm>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fake {
namespace {

std::string g_log;
unsigned g_singleVersion = FAKE_SINGLE_VERSION;
uint16_t g_components[4] = {static_cast<uint16_t>(FAKE_SINGLE_VERSION / 1000 % 10),
                            static_cast<uint16_t>(FAKE_SINGLE_VERSION / 100 % 10),
                            static_cast<uint16_t>(FAKE_SINGLE_VERSION / 10 % 10),
                            static_cast<uint16_t>(FAKE_SINGLE_VERSION % 10)};

} // namespace

void Log(const char *format, ...)
{
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    g_log += line;
    g_log += '\n';
}

unsigned SingleVersion()
{
    return g_singleVersion;
}

const uint16_t *VersionComponents()
{
    return g_components;
}

bool LegacyDeviceLayout()
{
    return g_singleVersion < 5555;
}

bool LegacyTracks()
{
    static const uint16_t first[4] = {5, 5, 9, 16};
    return std::lexicographical_compare(g_components, g_components + 4, first, first + 4);
}

std::string OwnFolder()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void *>(&OwnFolder), &info) == 0 || info.dli_fname == nullptr)
        return {};
    const std::string path = info.dli_fname;
    return path.substr(0, path.rfind('/'));
}

char *CopyText(const char *text)
{
    return ::strdup(text); // released with free() by NeroFreeMem
}

} // namespace fake

// The calls only tests make.
FAKE_EXPORT const char *FakeCallLog(void)
{
    return fake::g_log.c_str();
}

FAKE_EXPORT void FakeClearLog(void)
{
    fake::g_log.clear();
}

// Makes the library report another version from now on.
FAKE_EXPORT void FakeSetVersion(unsigned single, uint16_t major, uint16_t minor, uint16_t third,
                                uint16_t fourth)
{
    fake::g_singleVersion = single;
    const uint16_t components[4] = {major, minor, third, fourth};
    std::memcpy(fake::g_components, components, sizeof components);
}
