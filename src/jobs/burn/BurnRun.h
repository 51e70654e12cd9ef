#pragma once

#include "jobs/ports/JobPorts.h"
#include "reclib_api.h"
#include "recorder/IsoTrackHandle.h"

#include <QString>

#include <cstdint>

class ISoundPlayer;
struct RecordingState;

// The burn run's steps: checks the source and the label, opens the selected
// recorder, looks at the disc, builds the compilation and has the library
// create the ISO track, checks that the track fits the disc, runs the
// DVD-Video check of the folder (Prepare); then burns (BurnPrepared), or,
// when the disc is a used rewritable one, burns after the erase
// (RunBurnAfterErase). It reports the outcome in the log, the status line
// and a message box. RecordingJob runs the steps in their order, each on
// the thread it belongs to.
//
// The recorder stays open from the first look at the disc to the end of the
// burn, across the erase, so no other job can come between them; a disc is
// never erased for a burn that could not follow.
class BurnRun
{
public:
    BurnRun(const JobPorts &ports, RecordingState &state, ISoundPlayer &sound);

    // Everything up to writing the disc, with the settings taken now. 0 when
    // the burn is ready (EraseFirst tells whether the disc must be erased
    // first); otherwise the run has ended, reported and released what it
    // took, and this is its result (RunBurnResult or a library result).
    int Prepare();
    // The disc Prepare looked at is a used rewritable one that the burn
    // needs erased; the recorder stays open for the erase.
    bool EraseFirst() const { return m_eraseFirst; }
    // Burns the prepared track on the open recorder, reports, releases; the
    // NeroBurn result.
    int BurnPrepared();
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
        int result = 0;           // CheckMedium's answer
        int64_t freeSectors = -1; // room for the track; -1 when unknown
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
    int EndPreparedRun(int result);
    uint32_t SpeedArgument(const DeviceInfo &device);
    void ReportResult(int result, uint32_t moreFlags);
    void ReportFailure(const QString &text, uint32_t moreFlags);
    void ReportTrackFailure(uint32_t moreFlags);
    void LogLibraryErrors();
    // Logs what the error log holds and empties it (notes, not failures).
    void LogLibraryNotes();
    bool ErrorBoxShown(uint32_t moreFlags) const;
    bool Simulating() const;
    void CloseRecorder();

    JobPorts m_ports;
    // The settings as they were when the run began.
    JobSettings m_settings;
    RecordingState &m_state;
    ISoundPlayer *m_sound;
    // Set when the last run found a disc to erase before the burn.
    bool m_eraseFirst = false;
    bool m_recorderOpened = false;
    // The run has put the window into its busy state.
    bool m_busy = false;

    // The prepared burn: the device and the flags taken when the run began.
    // The recorder stays open in m_state.m_recorder; the tree the track
    // reads lives in m_state.
    const DeviceInfo *m_device = nullptr;
    IsoTrackHandle m_track;
    uint32_t m_burnFlags = 0;
    uint32_t m_moreFlags = 0;
};
