#pragma once

#include "jobs/IRecordingWindow.h"
#include "jobs/ISoundPlayer.h"
#include "jobs/RecordingState.h"
#include "platform/MessageBoxType.h"
#include "settings/SettingsFlags.h"

#include <QStringList>

#include <functional>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

// A main window for the recording jobs that records what they did to it.
// Texts are "<id>" unless a test gives one; message boxes are answered by
// answerBox (default: the first button). Safe to call from the job threads.
class FakeRecordingWindow : public IRecordingWindow, public RecordingState
{
public:
    struct Box
    {
        QString text;
        QString caption;
        unsigned type = 0;
        bool application = false;
    };

    FakeRecordingWindow();

    void AppendLog(const QString &line) override;
    void AppendLogText(int textId) override { AppendLog(GetText(textId)); }
    QString GetText(int textId) const override;
    void SetStatusText(const QString &status) override;
    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override;
    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override;

    void ClearDeviceList() override;
    void AddDevice(const QString &name, const DeviceInfo *device) override;
    void SelectDevice(int index) override;
    const DeviceInfo *SelectedDevice() const override;
    QString SelectedDeviceText() const override;

    void ClearSpeedList() override;
    void AddSpeed(const QString &text) override;
    void EnableSpeedList(bool enable) override;
    void SelectSpeed(int index) override;
    int SelectedSpeed() const override;

    void EnableBusyUi(AbortButton abort) override;
    void RestoreIdleUi() override;
    void EnableAbort(bool enable) override;

    void SetProgressRange(int low, int high) override;
    void SetProgressPos(int position) override;
    void SetPercentText(const QString &text) override;
    void SetTimeLeftText(const QString &text) override;
    void SetTimeTotalText(const QString &text) override;
    void SetWindowTitleText(const QString &title) override;

    void UpdateData(bool saveAndValidate) override;
    void EndDialog(int result) override;
    std::optional<QString> ChooseImageFile(const QString &proposedName) override;

    uint32_t GetFsFlags() const override { return fsFlags; }
    uint32_t GetBurnFlags() const override { return burnFlags; }
    uint32_t GetMoreFlags() const override { return moreFlags; }
    jobs::SoundSettings GetSoundSettings() const override { return sound; }
    int LabelLimit() const override { return 32; }
    void ApplyFsDefaults(int media) override;
    void CheckSourceSize() override;

    // Snapshots, taken under the lock.
    QStringList Log() const;
    QStringList Events() const;
    std::vector<Box> Boxes() const;
    QStringList Status() const;
    QStringList DeviceNames() const;
    QStringList Speeds() const;
    // True when the log holds this line.
    bool Logged(const QString &line) const { return Log().contains(line); }

    // Settings and answers the test chooses.
    uint32_t fsFlags = FS_UDF | FS_ISO9660;
    uint32_t burnFlags = 0;
    uint32_t moreFlags = 0;
    jobs::SoundSettings sound;
    std::map<int, QString> texts;
    std::function<int(const Box &)> answerBox;
    std::function<std::optional<QString>(const QString &)> chooseImage;

    // Displays as the jobs left them.
    mutable std::recursive_mutex mutex;
    QString percentText, timeLeftText, timeTotalText, titleText;
    int progressLow = 0, progressHigh = 100, progressPos = 0;
    bool speedListEnabled = true, abortEnabled = false, busy = false;
    int endDialogResult = 0;
    bool ended = false;
    std::vector<int> progressPositions;
    QStringList percentTexts, timeLeftTexts, titles;
    QString proposedImageName;

private:
    int Answer(const Box &box);

    QStringList m_log;
    QStringList m_events;
    QStringList m_status;
    std::vector<Box> m_boxes;
    std::vector<std::pair<QString, const DeviceInfo *>> m_devices;
    int m_device = -1;
    QStringList m_speeds;
    int m_speed = -1;
};

// A sound player that remembers what it was asked to play.
class RecordingSoundPlayer : public ISoundPlayer
{
public:
    void Play(const QString &path) override
    {
        std::lock_guard lock(m_mutex);
        m_played << path;
    }
    QStringList Played() const
    {
        std::lock_guard lock(m_mutex);
        return m_played;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_played;
};
