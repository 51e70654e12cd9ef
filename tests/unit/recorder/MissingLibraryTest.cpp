// With no library loaded every adapter answers its missing-library result
// and touches nothing.
#include "recorder/LibraryAdapters.h"
#include "recorder/LibraryVersion.h"
#include "recorder/RecordingLibrary.h"

#include <gtest/gtest.h>

namespace {

TEST(MissingLibrary, AdaptersAnswerTheirFailureResults)
{
    ASSERT_FALSE(g_hRecLib);
    auto *device = reinterpret_cast<RecDeviceHandle>(&g_hRecLib);
    DeviceInfo info{};
    WriteRecord record{};
    EXPECT_EQ(NeroGetAPIVersion(), 0u);
    uint16_t components[4] = {9, 9, 9, 9};
    EXPECT_EQ(NeroGetAPIVersionEx(&components[0], &components[1], &components[2], &components[3], nullptr),
              0);
    EXPECT_EQ(std::vector<uint16_t>(components, components + 4), std::vector<uint16_t>(4, 9));
    EXPECT_EQ(QueryLibraryVersion(), std::nullopt);
    EXPECT_TRUE(IsLibraryOlderThan5_5_9_16());
    EXPECT_EQ(NeroSetExpectedAPIVersion(6000), 0);
    EXPECT_EQ(NeroSetExpectedAPIVersionEx(6, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(SetExpectedLibraryVersion(6, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(NeroInit(nullptr, nullptr), 1);
    EXPECT_EQ(NeroDone(), 1);
    EXPECT_EQ(NeroGetErrorLog(), nullptr);
    EXPECT_EQ(NeroCreateIsoItemOfSize(16), nullptr);
    EXPECT_EQ(NeroGetAvailableDrivesEx(MEDIA_SET_DVD, nullptr), nullptr);
    EXPECT_EQ(NeroGetAvailableDrivesEx(MEDIA_SET_CD, nullptr), nullptr);
    EXPECT_EQ(NeroGetAvailableDrives(), nullptr);
    EXPECT_EQ(NeroOpenDevice(&info), nullptr);
    EXPECT_EQ(NeroGetCDInfo(device, CDINFO_FLAGS_DEFAULT), nullptr);
    EXPECT_EQ(NeroCreateIsoTrackEx(nullptr, "LABEL", ISO_TRACK_UDF), nullptr);
    EXPECT_EQ(NeroBurn(device, 0, &record, BURN_FLAG_WRITE, 0, nullptr), 1);
    EXPECT_EQ(NeroEjectLoadCD(device, 1), -1);
    EXPECT_EQ(NeroGetCDRWErasingTime(device, ERASE_MODE_QUICK), -1);
    EXPECT_EQ(NeroEraseCDRW(device, ERASE_MODE_QUICK), -1);
    // No allocator to put the fallback name in.
    EXPECT_EQ(NeroGetTypeNameOfMedia(MEDIA_SET_DVD, nullptr), nullptr);
    EXPECT_EQ(NeroGetLocalizedWaitCDTexts(WAIT_REASON_INSERT_MEDIUM), nullptr);
    NeroClearErrors();
    NeroFreeMem(&info);
    NeroCloseDevice(device);
    NeroFreeIsoTrack(nullptr);
}

} // namespace
