#pragma once

#include "jobs/ports/JobPorts.h"

#include <QStringList>

#include <cstdint>

class BurnCallbacks;
class RegistryStore;
struct RecordingState;

// The recording set-up: loads and initialises the recording library, lists
// the recorders that write the chosen media, preselects one and fills the
// Write Speed list; DoneRecording releases it all in reverse. The handlers
// redo the set-up when the media type changes or the refresh button is
// pressed. Runs on the GUI thread.
class RecordingSetup
{
public:
    // registry: where the recording library is looked for.
    RecordingSetup(const JobPorts &ports, RecordingState &state, BurnCallbacks &callbacks,
                   RegistryStore &registry);

    // mediaSet: MEDIA_SET_DVD (12) or MEDIA_SET_CD (1). When the library
    // cannot be loaded the main window is ended with -1.
    void InitRecording(uint32_t mediaSet);
    void DoneRecording();
    void FillSpeedList();

    void OnMediaDvd();
    void OnMediaCd();
    void OnRefreshDevices();
    void OnDeviceChanged();
    void OnReallocateClicked();

private:
    void LogLibraryVersion();
    void FillLibraryRecords();
    void LogInitResult(int result);
    // Lists the suitable recorders of the library's list; their names.
    QStringList ListRecorders(uint32_t mediaSet);
    void Reload(uint32_t mediaSet);

    JobPorts m_ports;
    RecordingState &m_state;
    BurnCallbacks &m_callbacks;
    RegistryStore &m_registry;
};
