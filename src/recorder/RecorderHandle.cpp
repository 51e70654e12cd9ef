#include "recorder/RecorderHandle.h"

#include "recorder/LibraryAdapters.h"

#include <utility>

RecorderHandle::RecorderHandle(const DeviceInfo &device) : m_handle(NeroOpenDevice(&device)) {}

RecorderHandle::~RecorderHandle()
{
    Close();
}

RecorderHandle::RecorderHandle(RecorderHandle &&other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr))
{
}

RecorderHandle &RecorderHandle::operator=(RecorderHandle &&other) noexcept
{
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

void RecorderHandle::Close()
{
    if (m_handle != nullptr)
        NeroCloseDevice(std::exchange(m_handle, nullptr));
}
