// The current device record turned into the legacy one that libraries
// below 5555 open.
#include "recorder/LegacyDevices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

namespace {

// Write speeds 1x, 2x ... countx, or as many as the block holds.
std::unique_ptr<DeviceInfo> DeviceWithWriteSpeeds(int count)
{
    auto device = std::make_unique<DeviceInfo>();
    device->writeSpeeds.count = count;
    for (int i = 0; i < count && i < SPEED_BLOCK_MAX; ++i)
        device->writeSpeeds.multiples[i] = i + 1;
    return device;
}

std::vector<int32_t> OneTo(int32_t last)
{
    std::vector<int32_t> values(static_cast<size_t>(last));
    std::iota(values.begin(), values.end(), 1);
    return values;
}

TEST(MakeLegacyDeviceInfo, SpeedListsLongerThanTheLegacyOneAreCutKeepingTheFastestLast)
{
    std::vector<int32_t> cut = OneTo(19);
    cut.push_back(25);
    std::vector<int32_t> cutAtTheBlockEnd = OneTo(19);
    cutAtTheBlockEnd.push_back(SPEED_BLOCK_MAX);
    const std::pair<int, std::vector<int32_t>> cases[] = {
        {0, {}},
        {1, {1}},
        {3, {1, 2, 3}},
        {20, OneTo(20)},
        {25, cut},
        // An implausible count must not reach past the block for "the last".
        {100000, cutAtTheBlockEnd},
        {-3, {}},
    };
    for (const auto &[count, expected] : cases) {
        SCOPED_TRACE(count);
        const auto legacy = MakeLegacyDeviceInfo(DeviceWithWriteSpeeds(count).get());
        ASSERT_TRUE(legacy);
        EXPECT_EQ(std::vector<int32_t>(legacy->writeSpeeds, legacy->writeSpeeds + legacy->writeSpeedCount),
                  expected);
    }
}

// Every field a legacy record has is carried through a real open of a legacy
// stand-in library; here the texts the legacy record has less room for.
TEST(MakeLegacyDeviceInfo, TextsAreCutToTheLegacyFields)
{
    auto device = DeviceWithWriteSpeeds(2);
    std::memset(device->name, 'N', sizeof device->name); // not terminated
    std::strcpy(device->libText, "0123456789012345678901234567890123456789");
    const auto legacy = MakeLegacyDeviceInfo(device.get());
    EXPECT_EQ(std::string(legacy->name), std::string(31, 'N'));
    EXPECT_STREQ(legacy->libText, "0123456789012345678901234567890");
    EXPECT_EQ(MakeLegacyDeviceInfo(nullptr), nullptr);
}

} // namespace
