#include "jobs/setup/RecorderChoice.h"

#include <cstring>

namespace jobs {

bool IsListedRecorder(const DeviceInfo &device, uint32_t mediaSet)
{
    return device.deviceType == DEVICE_TYPE_WRITER && (device.capabilities & DEVICE_CAP_WRITE) != 0 &&
           (device.mediaSet & mediaSet) != 0;
}

int PreselectRecorder(const QStringList &names, const QString &storedName)
{
    if (names.isEmpty())
        return -1;
    if (storedName.isEmpty())
        return 0;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].startsWith(storedName, Qt::CaseInsensitive))
            return i;
    }
    return 0;
}

int PreselectSpeed(int storedIndex, int count)
{
    return storedIndex >= 0 && storedIndex < count ? storedIndex : count - 1;
}

bool IsImageRecorder(const DeviceInfo &device)
{
    return std::strncmp(device.name, "Image Recorder", sizeof device.name) == 0;
}

} // namespace jobs
