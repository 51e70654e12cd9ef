#pragma once

#include "reclib_api.h"

// Owner of one open recorder: opened through the NeroOpenDevice adapter and
// closed through NeroCloseDevice on every path out of the job that holds it.
// While it is open the library keeps the recorder for this job alone, so a
// job that looks at the disc, erases it and burns it holds one handle from
// the first look to the end of the burn. Moves, never copies.
class RecorderHandle
{
public:
    RecorderHandle() = default;
    // Opens the recorder; check IsOpen.
    explicit RecorderHandle(const DeviceInfo &device);
    ~RecorderHandle();

    RecorderHandle(RecorderHandle &&other) noexcept;
    RecorderHandle &operator=(RecorderHandle &&other) noexcept;
    RecorderHandle(const RecorderHandle &) = delete;
    RecorderHandle &operator=(const RecorderHandle &) = delete;

    bool IsOpen() const { return m_handle != nullptr; }
    RecDeviceHandle Get() const { return m_handle; }
    // Closes the recorder now; nothing when none is open.
    void Close();

private:
    RecDeviceHandle m_handle = nullptr;
};
