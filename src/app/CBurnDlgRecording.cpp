// The recording set-up: the recording library is loaded while the window is
// open and released when it closes.
#include "app/CBurnDlg.h"

#include "platform/MessageBoxType.h"
#include "recorder/LibraryAdapters.h"
#include "recorder/RecordingLibrary.h"

namespace {

enum : int {
    TextSettingUp = 660,
    TextLibraryMissing = 604,
    TextLibraryMissingBox = 807,
};

} // namespace

void CBurnDlg::InitRecording(int mediaSet)
{
    (void)mediaSet;
    m_cmbDevice->clear();
    m_bAbort = 0;
    AppendLogText(TextSettingUp);
    if (LoadRecordingLibrary() == 0) {
        AppendLogText(TextLibraryMissing);
        ShowMessageBox(GetText(TextLibraryMissingBox), QStringLiteral("Error"), mb::Ok | mb::IconStop);
        EndDialog(ResultFailed);
        return;
    }
}

void CBurnDlg::DoneRecording()
{
    if (m_pDeviceInfos != nullptr) {
        NeroFreeMem(m_pDeviceInfos);
        m_pDeviceInfos = nullptr;
    }
    NeroClearErrors();
    NeroDone();
    UnloadRecordingLibrary();
    m_cmbSpeed->clear();
}
