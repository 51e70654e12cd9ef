#pragma once

#include "reclib_api.h"

#include <QString>

#include <atomic>

class EraseJob;
class IRecordingWindow;
class ISoundPlayer;
struct RecordingState;

// The burn run: checks the source and the label, opens the selected
// recorder, looks at the disc (a used rewritable one is erased first, the
// burn then following on the erase worker), builds the compilation, has the
// library create the ISO track and burn it, and reports the outcome in the
// log, the status line and a message box. Runs on its caller's thread.
class BurnRun
{
public:
    BurnRun(IRecordingWindow &window, RecordingState &state, ISoundPlayer &sound, EraseJob &erase);

    // The whole run; its result (RunBurnResult or the library's NeroBurn
    // result). 0 also when an erase was started and the burn follows on the
    // erase worker: RunBurnToTheEnd waits for that burn.
    int RunBurn();
    // RunBurn, and when it started an erase first, waits for the burn that
    // follows the erase and answers that burn's result. The Burn command and
    // the command-line run call this.
    int RunBurnToTheEnd();
    // The burn that follows an erase (the erase worker runs it): a disc that
    // is still not blank fails with RunBurnStillNotBlank instead of being
    // erased again.
    int RunBurnAfterErase();

    // Looks at the disc in the open recorder m_hDevice: 0 write it as it is,
    // 1 a used rewritable disc to erase first, -1 no open recorder or the
    // user declined to overwrite.
    int CheckMedium();

    // Replaces the player of the result sound (tests listen to it).
    void SetSoundPlayer(ISoundPlayer &sound) { m_sound = &sound; }

    // The burn proper on the open recorder; the NeroBurn result, or
    // RunBurnCompilationFailed when the compilation could not be built.
    int BurnCompilation(const DeviceInfo &device);

private:
    enum class Attempt { First, AfterErase };

    int RunBurn(Attempt attempt);
    int CheckMedium(Attempt attempt);
    int StopStillNotBlank();
    uint32_t SpeedArgument(const DeviceInfo &device);
    int BurnTrack(IsoTrack *track, const DeviceInfo &device, uint32_t burnFlags);
    void ReportResult(int result, uint32_t moreFlags);
    void ReportTrackFailure(uint32_t moreFlags);
    void LogLibraryErrors();
    bool ErrorBoxShown(uint32_t moreFlags) const;

    IRecordingWindow &m_window;
    RecordingState &m_state;
    ISoundPlayer *m_sound;
    EraseJob &m_erase;
    // Set when the last run handed the burn over to the erase worker.
    std::atomic<bool> m_burnFollowsErase{false};
};
