#pragma once

#include "core/Recorder.h"
#include "reclib_api.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace reclib {

// The open recorders. A handle is a number the program cannot dereference
// and the library never reuses, so a stale or made-up handle is recognised
// instead of followed.
class DeviceHandles
{
public:
    RecDeviceHandle add(std::shared_ptr<Recorder> recorder);
    std::shared_ptr<Recorder> find(RecDeviceHandle handle) const;
    bool remove(RecDeviceHandle handle);
    void clear();

private:
    mutable std::mutex m_mutex;
    std::map<uintptr_t, std::shared_ptr<Recorder>> m_open;
    uintptr_t m_next = 0x5ec000;
};

} // namespace reclib
