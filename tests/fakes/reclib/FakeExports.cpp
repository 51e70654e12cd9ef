// The stand-in library's version declarations, memory and the calls that
// need no records of their own.
#include "FakeState.h"

#include <cstdlib>

#if FAKE_HAS_GET_VERSION
FAKE_EXPORT unsigned NeroGetAPIVersion(void)
{
    return fake::SingleVersion();
}
#endif

#if FAKE_HAS_GET_VERSION_EX
FAKE_EXPORT int NeroGetAPIVersionEx(uint16_t *major, uint16_t *minor, uint16_t *third, uint16_t *fourth,
                                    void *)
{
    const uint16_t *components = fake::VersionComponents();
    for (uint16_t *part : {major, minor, third, fourth})
        *part = *components++;
    return 1;
}
#endif

#if FAKE_HAS_SET_VERSION
FAKE_EXPORT int NeroSetExpectedAPIVersion(unsigned version)
{
    fake::Log("NeroSetExpectedAPIVersion %u", version);
    return FAKE_ACCEPTS_VERSION;
}
#endif

#if FAKE_HAS_SET_VERSION_EX
FAKE_EXPORT int NeroSetExpectedAPIVersionEx(uint16_t major, uint16_t minor, uint16_t third, uint16_t fourth,
                                            void *reserved)
{
    fake::Log("NeroSetExpectedAPIVersionEx %u.%u.%u.%u reserved=%p", major, minor, third, fourth, reserved);
    return FAKE_ACCEPTS_VERSION;
}
#endif

#if FAKE_HAS_BASICS
FAKE_EXPORT void *NeroCreateIsoItemOfSize(size_t size)
{
    fake::Log("NeroCreateIsoItemOfSize %zu", size);
    return std::calloc(1, size);
}

FAKE_EXPORT void NeroFreeMem(void *block)
{
    fake::Log("NeroFreeMem %p", block);
    std::free(block);
}
#endif

#if FAKE_HAS_SURFACE
FAKE_EXPORT int NeroInit(const RecLibSettings *settings, const char *reserved)
{
    fake::Log("NeroInit files=%s reserved=%p", settings != nullptr ? settings->filesFolder : "(null)",
              static_cast<const void *>(reserved));
    return 0;
}

FAKE_EXPORT int NeroDone(void)
{
    fake::Log("NeroDone");
    return 0;
}

FAKE_EXPORT void NeroClearErrors(void)
{
    fake::Log("NeroClearErrors");
}

FAKE_EXPORT char *NeroGetErrorLog(void)
{
    fake::Log("NeroGetErrorLog");
    return fake::CopyText("fake error log");
}

FAKE_EXPORT char *NeroGetLocalizedWaitCDTexts(int waitType)
{
    fake::Log("NeroGetLocalizedWaitCDTexts %d", waitType);
    return fake::CopyText("Insert a disc");
}
#endif

#if FAKE_HAS_TYPE_NAME
FAKE_EXPORT char *NeroGetTypeNameOfMedia(uint32_t mediaSet, const char *separator)
{
    fake::Log("NeroGetTypeNameOfMedia %u separator=%s", mediaSet,
              separator != nullptr ? separator : "(null)");
    return fake::CopyText("DVD-R, DVD+R");
}
#endif
