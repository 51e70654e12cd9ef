// The current device record turned into the legacy one that libraries
// below 5555 open.
#include "recorder/LegacyDevices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

namespace {

std::unique_ptr<DeviceInfo> DeviceWithWriteSpeeds(int count)
{
    auto device = std::make_unique<DeviceInfo>();
    device->writeSpeeds.count = count;
    device->writeSpeeds.rate1x = 1385;
    for (int i = 0; i < count && i < SPEED_BLOCK_MAX; ++i) {
        device->writeSpeeds.multiples[i] = i + 1;
        device->writeSpeeds.kBs[i] = (i + 1) * 1385;
    }
    return device;
}

std::vector<int32_t> LegacyWriteSpeeds(const LegacyDeviceInfo &legacy)
{
    return {legacy.writeSpeeds, legacy.writeSpeeds + legacy.writeSpeedCount};
}

TEST(MakeLegacyDeviceInfo, CutsALongSpeedListButKeepsTheFastestLast)
{
    const auto device = DeviceWithWriteSpeeds(25);
    const auto legacy = MakeLegacyDeviceInfo(device.get());
    ASSERT_TRUE(legacy);
    std::vector<int32_t> expected(19);
    std::iota(expected.begin(), expected.end(), 1);
    expected.push_back(25);
    EXPECT_EQ(LegacyWriteSpeeds(*legacy), expected);
}

TEST(MakeLegacyDeviceInfo, CopiesShortSpeedListsAsTheyAre)
{
    struct Case
    {
        int count;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {{0, {}}, {1, {1}}, {3, {1, 2, 3}}, {20, {}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count);
        const auto legacy = MakeLegacyDeviceInfo(DeviceWithWriteSpeeds(c.count).get());
        std::vector<int32_t> expected = c.expected;
        if (c.count == 20) {
            expected.resize(20);
            std::iota(expected.begin(), expected.end(), 1);
        }
        EXPECT_EQ(LegacyWriteSpeeds(*legacy), expected);
    }
}

TEST(MakeLegacyDeviceInfo, ImplausibleSpeedCountsStayInsideTheRecord)
{
    // A count above 64 must not reach past the speed array for "the last".
    auto device = DeviceWithWriteSpeeds(SPEED_BLOCK_MAX);
    device->writeSpeeds.count = 100000;
    device->readSpeeds.count = -3;
    const auto legacy = MakeLegacyDeviceInfo(device.get());
    EXPECT_EQ(legacy->writeSpeedCount, LEGACY_SPEED_MAX);
    EXPECT_EQ(legacy->writeSpeeds[LEGACY_SPEED_MAX - 1], SPEED_BLOCK_MAX);
    EXPECT_EQ(legacy->readSpeedCount, 0);
}

TEST(MakeLegacyDeviceInfo, CarriesTheFieldsTheLegacyLayoutHas)
{
    auto device = DeviceWithWriteSpeeds(2);
    std::memset(device->name, 'N', sizeof device->name); // not terminated
    std::strcpy(device->shortText, "SEVEN77");
    std::strcpy(device->libText, "0123456789012345678901234567890123456789");
    device->value72 = 72;
    device->value76 = 76;
    device->deviceType = DEVICE_TYPE_WRITER;
    device->letter = 'F';
    device->capabilities = 0x11;
    device->libPointer = device.get();
    device->value1456 = 1456;
    device->readSpeeds.count = 1;
    device->readSpeeds.multiples[0] = 40;
    const auto legacy = MakeLegacyDeviceInfo(device.get());
    EXPECT_EQ(std::string(legacy->name), std::string(31, 'N'));
    EXPECT_STREQ(legacy->shortText, "SEVEN77");
    EXPECT_STREQ(legacy->libText, "0123456789012345678901234567890");
    EXPECT_EQ(legacy->value72, 72);
    EXPECT_EQ(legacy->value76, 76);
    EXPECT_EQ(legacy->deviceType, DEVICE_TYPE_WRITER);
    EXPECT_EQ(legacy->letter, 'F');
    EXPECT_EQ(legacy->capabilities, 0x11);
    EXPECT_EQ(legacy->libPointer, device.get());
    EXPECT_EQ(legacy->value1456, 1456);
    EXPECT_EQ(legacy->readSpeedCount, 1);
    EXPECT_EQ(legacy->readSpeeds[0], 40);
}

TEST(MakeLegacyDeviceInfo, NullDeviceGivesNull)
{
    EXPECT_EQ(MakeLegacyDeviceInfo(nullptr), nullptr);
}

} // namespace
