#pragma once

#include "jobs/ports/IRecorderListPort.h"
#include "jobs/ports/ISpeedListPort.h"

#include <QStringList>

#include <mutex>
#include <utility>
#include <vector>

// A Devices list in memory. Safe from the job threads.
class RecordingRecorderList : public IRecorderListPort
{
public:
    void ClearDeviceList() override
    {
        std::lock_guard lock(m_mutex);
        m_devices.clear();
        m_selected = -1;
    }
    void AddDevice(const QString &name, const DeviceInfo *device) override
    {
        std::lock_guard lock(m_mutex);
        m_devices.emplace_back(name, device);
    }
    void SelectDevice(int index) override
    {
        std::lock_guard lock(m_mutex);
        m_selected = index >= 0 && index < static_cast<int>(m_devices.size()) ? index : -1;
    }
    const DeviceInfo *SelectedDevice() const override
    {
        std::lock_guard lock(m_mutex);
        return m_selected >= 0 ? m_devices[static_cast<size_t>(m_selected)].second : nullptr;
    }
    QString SelectedDeviceText() const override
    {
        std::lock_guard lock(m_mutex);
        return m_selected >= 0 ? m_devices[static_cast<size_t>(m_selected)].first : QString();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::pair<QString, const DeviceInfo *>> m_devices;
    int m_selected = -1;
};

// A Write Speed list in memory. Safe from the job threads.
class RecordingSpeedList : public ISpeedListPort
{
public:
    void ClearSpeedList() override
    {
        std::lock_guard lock(m_mutex);
        speeds.clear();
        m_selected = -1;
    }
    void AddSpeed(const QString &text) override
    {
        std::lock_guard lock(m_mutex);
        speeds << text;
    }
    void EnableSpeedList(bool enable) override
    {
        std::lock_guard lock(m_mutex);
        enabled = enable;
    }
    void SelectSpeed(int index) override
    {
        std::lock_guard lock(m_mutex);
        m_selected = index >= 0 && index < speeds.size() ? index : -1;
    }
    int SelectedSpeed() const override
    {
        std::lock_guard lock(m_mutex);
        return m_selected;
    }

    QStringList speeds;
    bool enabled = true;

private:
    mutable std::mutex m_mutex;
    int m_selected = -1;
};
