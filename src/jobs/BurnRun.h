#pragma once

#include "jobs/JobPorts.h"
#include "recorder/IsoTrackHandle.h"
#include "recorder/RecorderHandle.h"
#include "reclib_api.h"

#include <QString>

#include <atomic>
#include <cstdint>

class EraseJob;
class ISoundPlayer;
struct RecordingState;

// The burn run: checks the source and the label, opens the selected
// recorder, looks at the disc, builds the compilation and has the library
// create the ISO track, checks that the track fits the disc, runs the
// DVD-Video check of the folder, and only then
// erases a used rewritable disc (on the erase worker, the burn following
// there) and burns; it reports the outcome in the log, the status line and a
// message box. Runs on its caller's thread.
//
// The recorder stays open from the first look at the disc to the end of the
// burn, across the erase, so no other job can come between them; a disc is
// never erased for a burn that could not follow.
class BurnRun
{
public:
    BurnRun(const JobPorts &ports, RecordingState &state, ISoundPlayer &sound, EraseJob &erase);

    // The whole run; its result (RunBurnResult or the library's NeroBurn
    // result). 0 also when an erase was started and the burn follows on the
    // erase worker: RunBurnToTheEnd waits for that burn.
    int RunBurn();
    // RunBurn, and when it started an erase first, waits for the burn that
    // follows the erase and answers that burn's result. The Burn command and
    // the command-line run call this.
    int RunBurnToTheEnd();
    // The burn that follows an erase (the erase worker runs it) on the
    // compilation prepared before the erase: a disc that is still not blank
    // fails with RunBurnStillNotBlank instead of being erased again. Without
    // a prepared burn it fails the same way once it has looked at the disc.
    int RunBurnAfterErase();

    // Looks at the disc in the open recorder m_hDevice: 0 write it as it is,
    // 1 a used rewritable disc to erase first, -1 no open recorder or the
    // user declined to overwrite.
    int CheckMedium();

    // Whether the last run could open the recorder: RunBurnNoRecorder then
    // means the user declined to overwrite the disc.
    bool RecorderWasOpened() const { return m_recorderOpened; }

    // Replaces the player of the result sound (tests listen to it).
    void SetSoundPlayer(ISoundPlayer &sound) { m_sound = &sound; }

    // The burn proper on the open recorder, of a disc that is written as it
    // is; the NeroBurn result, or RunBurnCompilationFailed when the
    // compilation could not be built.
    int BurnCompilation(const DeviceInfo &device);

private:
    enum class Attempt { First, AfterErase };
    // What the disc in the recorder asks of the burn.
    struct MediumCheck
    {
        int result = 0;            // CheckMedium's answer
        int64_t freeSectors = -1;  // room for the track; -1 when unknown
    };

    MediumCheck LookAtMedium(Attempt attempt);
    int StopStillNotBlank();
    // Steps up to the track: busy state, flag lines, compilation, track.
    // 0 when the track is ready, else the run's result (reported).
    int PrepareCompilation();
    bool TrackFits(int64_t freeSectors);
    // The DVD-Video check of the folder, logged; on an error the user says
    // whether to burn anyway (No by default). False when the burn stops.
    bool CheckAllowsBurn(int64_t freeSectors);
    // Burns the prepared track on the open recorder, reports, releases.
    int BurnPrepared();
    int EndPreparedRun(int result);
    uint32_t SpeedArgument(const DeviceInfo &device);
    void ReportResult(int result, uint32_t moreFlags);
    void ReportFailure(const QString &text, uint32_t moreFlags);
    void ReportTrackFailure(uint32_t moreFlags);
    void LogLibraryErrors();
    bool ErrorBoxShown(uint32_t moreFlags) const;
    bool Simulating() const;
    void CloseRecorder();

    JobPorts m_ports;
    // The settings as they were when the run began.
    JobSettings m_settings;
    RecordingState &m_state;
    ISoundPlayer *m_sound;
    EraseJob &m_erase;
    // Set when the last run handed the burn over to the erase worker.
    std::atomic<bool> m_burnFollowsErase{false};
    bool m_recorderOpened = false;
    // The run has put the window into its busy state.
    bool m_busy = false;

    // The prepared burn: the recorder, the device it is and the flags taken
    // when the run began. The track is declared after the recorder so that
    // it goes first; the tree it reads lives in m_state.
    RecorderHandle m_recorder;
    const DeviceInfo *m_device = nullptr;
    IsoTrackHandle m_track;
    uint32_t m_burnFlags = 0;
    uint32_t m_moreFlags = 0;
};
