#pragma once

#include "BoxRecorder.h"
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

#include <atomic>
#include <functional>

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
        m_busy = true;
    }
    void RestoreIdleUi() override
    {
        Add(QStringLiteral("RestoreIdleUi"));
        m_busy = false;
    }
    bool IsBusy() const override { return m_busy; }
    void EnableAbort(bool enable) override
    {
        Add(QStringLiteral("EnableAbort"), QString::number(enable ? 1 : 0));
    }
    void UpdateData(Exchange direction) override
    {
        Add(QStringLiteral("UpdateData"), QString::number(direction == Exchange::FromControls ? 1 : 0));
    }

private:
    std::atomic<bool> m_busy{false};
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

// The job tests run without a recording library: no recorder or speed is
// ever listed, and the set-up never reaches the window.
class NoRecorders : public IRecorderListPort, public ISpeedListPort, public ISetupWindowPort
{
public:
    void ClearDeviceList() override {}
    void AddDevice(const QString &, const DeviceInfo *) override {}
    void SelectDevice(int) override {}
    const DeviceInfo *SelectedDevice() const override { return nullptr; }
    QString SelectedDeviceText() const override { return {}; }
    void ClearSpeedList() override {}
    void AddSpeed(const QString &) override {}
    void EnableSpeedList(bool) override {}
    void SelectSpeed(int) override {}
    int SelectedSpeed() const override { return -1; }
    void EndDialog(int) override {}
    void ApplyFsDefaults(int) override {}
    void CheckSourceSize() override {}
};

// The doubles for every port but the busy state, which each test brings;
// the window's own box and the application box share one BoxRecorder.
struct TestJobPorts
{
    RecordingJobWindow report;
    RecordingQuestions questions{report.boxes};
    RecordingProgress progress;
    NoRecorders none;
    FixedSettings settings;
};
