#include "recorders/RecorderEntry.h"

#include <algorithm>
#include <cstring>

namespace reclib {
namespace {

template <size_t Size> void copyText(char (&target)[Size], const std::string &text)
{
    const size_t length = std::min(text.size(), Size - 1);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

const char *shortTextOf(RecorderKind kind)
{
    switch (kind) {
    case RecorderKind::Drive:
        return "DRIVE";
    case RecorderKind::Virtual:
        return "VIRTUAL";
    case RecorderKind::Image:
        return "IMAGE";
    }
    return "";
}

} // namespace

std::string RecorderEntry::key() const
{
    switch (kind) {
    case RecorderKind::Drive:
        return "drive:" + driveAddress;
    case RecorderKind::Virtual:
        return "virtual:" + name;
    case RecorderKind::Image:
        return "image:";
    }
    return {};
}

DeviceInfo RecorderEntry::toDeviceInfo(int32_t index) const
{
    DeviceInfo info;
    std::memset(&info, 0, sizeof info);
    copyText(info.name, name);
    copyText(info.shortText, shortTextOf(kind));
    info.deviceType = DEVICE_TYPE_WRITER;
    info.capabilities = DEVICE_CAP_WRITE;
    info.readSpeeds = writeSpeeds;
    info.writeSpeeds = writeSpeeds;
    copyText(info.libText, key());
    info.value1456 = index;
    info.mediaSet = mediaSet;
    return info;
}

} // namespace reclib
