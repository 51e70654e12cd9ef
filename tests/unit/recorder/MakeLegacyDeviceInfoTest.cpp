// The current device record turned into the legacy one that libraries
// below 5555 open.
#include "recorder/LegacyDevices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

namespace {

// A full legacy list, 1x, 2x ... and last.
std::vector<int32_t> FullListEndingWith(int32_t last)
{
    std::vector<int32_t> values(LEGACY_SPEED_MAX);
    std::iota(values.begin(), values.end(), 1);
    values.back() = last;
    return values;
}

TEST(MakeLegacyDeviceInfo, SpeedListsLongerThanTheLegacyOneAreCutKeepingTheFastestLast)
{
    const std::pair<int, std::vector<int32_t>> cases[] = {
        {0, {}},
        {3, {1, 2, 3}},
        {LEGACY_SPEED_MAX, FullListEndingWith(LEGACY_SPEED_MAX)},
        {25, FullListEndingWith(25)},
    };
    for (const auto &[count, expected] : cases) {
        SCOPED_TRACE(count);
        auto device = std::make_unique<DeviceInfo>();
        device->writeSpeeds.count = count;
        for (int i = 0; i < count; ++i)
            device->writeSpeeds.multiples[i] = i + 1;
        const auto legacy = MakeLegacyDeviceInfo(device.get());
        ASSERT_TRUE(legacy);
        EXPECT_EQ(std::vector<int32_t>(legacy->writeSpeeds, legacy->writeSpeeds + legacy->writeSpeedCount),
                  expected);
    }
}

// Every field a legacy record has is carried through a real open of a legacy
// stand-in library; here the texts the legacy record has less room for.
TEST(MakeLegacyDeviceInfo, TextsAreCutToTheLegacyFields)
{
    auto device = std::make_unique<DeviceInfo>();
    std::memset(device->name, 'N', sizeof device->name); // not terminated
    std::strcpy(device->libText, "0123456789012345678901234567890123456789");
    const auto legacy = MakeLegacyDeviceInfo(device.get());
    EXPECT_EQ(std::string(legacy->name), std::string(31, 'N'));
    EXPECT_STREQ(legacy->libText, "0123456789012345678901234567890");
    EXPECT_EQ(MakeLegacyDeviceInfo(nullptr), nullptr);
}

} // namespace
