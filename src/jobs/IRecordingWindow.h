#pragma once

#include "jobs/IJobWindow.h"
#include "jobs/ResultSound.h"
#include "reclib_api.h"

#include <QString>

#include <cstdint>
#include <optional>

// Whether the Abort button stays usable while the window is busy.
enum class AbortButton { Disabled, Enabled };

// The main window as the recording jobs drive it: its controls, its busy
// state and the settings it holds. CBurnDlg implements it; tests implement
// it to watch a job.
//
// Every operation may be called from any thread (the erase worker, the erase
// clock and the command-line worker call them); the window marshals widget
// work to the GUI thread. Operations that answer something (message boxes,
// the selections, the image file dialog) wait for the GUI thread.
class IRecordingWindow : public IJobWindow
{
public:
    // Devices list (1029). Selecting from code must not run OnDeviceChanged:
    // only a choice the user makes does.
    virtual void ClearDeviceList() = 0;
    virtual void AddDevice(const QString &name, const DeviceInfo *device) = 0;
    virtual void SelectDevice(int index) = 0;
    // The item data of the selected entry, or null without a selection.
    virtual const DeviceInfo *SelectedDevice() const = 0;
    virtual QString SelectedDeviceText() const = 0;

    // Write Speed list (1046).
    virtual void ClearSpeedList() = 0;
    virtual void AddSpeed(const QString &text) = 0;
    virtual void EnableSpeedList(bool enable) = 0;
    virtual void SelectSpeed(int index) = 0;
    // The selected entry, -1 without a selection.
    virtual int SelectedSpeed() const = 0;

    // The busy state: locks every control that could start another job.
    virtual void EnableBusyUi(AbortButton abort) = 0;
    virtual void RestoreIdleUi() = 0;
    virtual void EnableAbort(bool enable) = 0;

    // Progress displays: bar (1030), percent (1050), "Time Remaining:"
    // (1047), "Time Total:" (1048) and the window title.
    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPos(int position) = 0;
    virtual void SetPercentText(const QString &text) = 0;
    virtual void SetTimeLeftText(const QString &text) = 0;
    virtual void SetTimeTotalText(const QString &text) = 0;
    virtual void SetWindowTitleText(const QString &title) = 0;

    // Data exchange: true moves the controls into the members, false the
    // members into the controls.
    virtual void UpdateData(bool saveAndValidate) = 0;
    // Ends the main window with this result (the recording library could not
    // be loaded).
    virtual void EndDialog(int result) = 0;
    // An application message box: like ShowMessageBox, but without first
    // bringing a minimised window back.
    virtual int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) = 0;
    // The save dialog for an image file the library asks for: proposedName
    // preselected, the image filters, overwrite prompt. The chosen full path,
    // nothing after Cancel.
    virtual std::optional<QString> ChooseImageFile(const QString &proposedName) = 0;

    // Settings the window holds.
    virtual uint32_t GetFsFlags() const = 0;
    virtual uint32_t GetBurnFlags() const = 0;
    virtual uint32_t GetMoreFlags() const = 0;
    virtual jobs::SoundSettings GetSoundSettings() const = 0;
    // The label limit of the short-label option (16 or 32).
    virtual int LabelLimit() const = 0;
    // The size limit (MB) the settings give the selected media type, which
    // the DVD-Video check measures the track against when the recorder
    // reports no free space; 0 when there is none.
    virtual int64_t MediaLimitMb() const { return 0; }

    // Window operations of other parts the set-up runs in its order.
    // media 0 applies the Filesystem Flags dialog's DVD defaults, 1 its CD
    // ("cDVD") defaults.
    virtual void ApplyFsDefaults(int media) = 0;
    virtual void CheckSourceSize() = 0;
};
