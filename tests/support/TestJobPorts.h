#pragma once

#include "BoxRecorder.h"
#include "CallRecord.h"
#include "RecordingJobWindow.h"
#include "RecordingProgress.h"
#include "jobs/ports/IBusyPort.h"
#include "jobs/ports/IQuestionPort.h"
#include "jobs/ports/IRecorderListPort.h"
#include "jobs/ports/ISetupWindowPort.h"
#include "jobs/ports/ISpeedListPort.h"
#include "jobs/ports/JobPorts.h"
#include "jobs/ports/JobSettings.h"
#include "settings/SettingsFlags.h"

#include <QStringList>

#include <functional>
#include <mutex>
#include <utility>
#include <vector>

// The settings a test gives the jobs; set them before a job starts.
class FixedSettings : public ISettingsPort
{
public:
    FixedSettings() { settings.fsFlags = FS_UDF | FS_ISO9660; }
    JobSettings TakeJobSettings() const override { return settings; }

    JobSettings settings;
};

// The busy state's changes and the data exchanges, in order.
class RecordingBusy : public IBusyPort, public CallRecord
{
public:
    void EnableBusyUi(AbortButton abort) override
    {
        Add(QStringLiteral("EnableBusyUi"),
            abort == AbortButton::Enabled ? QStringLiteral("1") : QStringLiteral("0"));
    }
    void RestoreIdleUi() override { Add(QStringLiteral("RestoreIdleUi")); }
    void EnableAbort(bool enable) override
    {
        Add(QStringLiteral("EnableAbort"), QString::number(enable ? 1 : 0));
    }
    void UpdateData(bool toMembers) override
    {
        Add(QStringLiteral("UpdateData"), QString::number(toMembers ? 1 : 0));
    }
};

// The application boxes go to a BoxRecorder (marked as such); the image file
// question is answered by chooseImage (Cancel without it).
class RecordingQuestions : public IQuestionPort
{
public:
    explicit RecordingQuestions(BoxRecorder &boxes) : m_boxes(boxes) {}

    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return m_boxes.Show({text, caption, type, true});
    }
    std::optional<QString> ChooseImageFile(const QString &proposedName) override
    {
        proposedImageName = proposedName;
        return chooseImage ? chooseImage(proposedName) : std::nullopt;
    }

    std::function<std::optional<QString>(const QString &)> chooseImage;
    QString proposedImageName;

private:
    BoxRecorder &m_boxes;
};

// The window operations the set-up ran, in order.
class RecordingSetupWindow : public ISetupWindowPort, public CallRecord
{
public:
    void EndDialog(int result) override { Add(QStringLiteral("EndDialog"), QString::number(result)); }
    void ApplyFsDefaults(int media) override
    {
        Add(QStringLiteral("ApplyFsDefaults"), QString::number(media));
    }
    void CheckSourceSize() override { Add(QStringLiteral("CheckSourceSize")); }
};

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

// One recording double for every port the jobs use; the window's own box
// and the application box share one BoxRecorder.
struct TestJobPorts
{
    RecordingJobWindow report;
    RecordingQuestions questions{report.boxes};
    RecordingProgress progress;
    RecordingRecorderList recorders;
    RecordingSpeedList speeds;
    RecordingBusy busy;
    RecordingSetupWindow setup;
    FixedSettings settings;

    JobPorts Ports() { return {report, questions, progress, recorders, speeds, busy, setup, settings}; }
};
