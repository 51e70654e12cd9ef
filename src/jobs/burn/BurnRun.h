#pragma once

#include "jobs/burn/DiscCheck.h"
#include "jobs/burn/DvdVideoPreflight.h"
#include "jobs/ports/JobPorts.h"
#include "reclib_api.h"
#include "recorder/IsoTrackHandle.h"

#include <QString>

#include <cstdint>

class ISoundPlayer;
struct RecordingState;

// The burn run's steps: the point of no return (Prepare), which rules out
// every failure that can be foreseen before the disc is changed; then the
// burn (BurnCompilation), or, when the disc is a used rewritable one, the burn
// after the erase (RunBurnAfterErase). It reports the outcome in the log,
// the status line and a message box. RecordingJob runs the steps in their
// order, each on the thread it belongs to.
//
// The recorder stays open from the first look at the disc to the end of the
// burn, across the erase, so no other job can come between them; a disc is
// never erased for a burn that could not follow.
class BurnRun
{
public:
    BurnRun(const JobPorts &ports, RecordingState &state, ISoundPlayer &sound);

    // The point of no return, with the settings taken now: the checks of
    // its list (BurnRunChecks.cpp) in their order, the abort flag after
    // each. 0 when the burn may change the disc (EraseFirst tells
    // whether it erases first); otherwise the run has ended, reported and
    // released what it took, the disc untouched, and this is its result
    // (RunBurnResult or a library result; BURN_USER_ABORT when aborted).
    int Prepare();
    // The disc Prepare looked at is a used rewritable one that the burn
    // needs erased; the recorder stays open for the erase.
    bool EraseFirst() const { return m_eraseFirst; }
    // The burn proper: burns the track Prepare made on the open recorder,
    // reports, releases; the NeroBurn result.
    int BurnCompilation();
    // The burn that follows an erase (the erase worker runs it) on the
    // compilation prepared before the erase: a disc that is still not blank
    // fails with RunBurnStillNotBlank instead of being erased again. Without
    // a prepared burn it fails the same way once it has looked at the disc.
    int RunBurnAfterErase();

    // Whether the last run could open the recorder: RunBurnNoRecorder then
    // means the user declined to overwrite the disc.
    bool RecorderWasOpened() const { return m_recorderOpened; }

    // The runs from now on leave the disc in the recorder whatever the
    // settings say (the copies before the last: they eject it themselves).
    void KeepDiscIn(bool keep) { m_keepDiscIn = keep; }

    // Replaces the player of the result sound (tests listen to it).
    void SetSoundPlayer(ISoundPlayer &sound) { m_sound = &sound; }

private:
    // What the first look at the disc found; nothing is asked then.
    struct DiscLook
    {
        jobs::UsedRewritable used = jobs::UsedRewritable::No;
        int64_t freeSectors = -1; // room for the track (after the erase); -1 when unknown
    };
    // One check of the point of no return: 0 passes, anything else is the
    // run's result, already reported.
    using Check = int (BurnRun::*)();

    int CheckSource();
    int CheckFolder();
    int CheckLabel();
    int OpenRecorder();
    int LookAtDisc();
    int BuildTrack();
    int CheckRoomForImage();
    int CheckDiscRoom();
    int CheckDvdVideo();
    int AskOverwrite();
    // The checks an image file gets in place of the folder's
    // (BurnRunImageChecks.cpp).
    int CheckImageRecorder();
    int CheckImageFile();
    int BuildImageTrack();
    int CheckImageContent();
    bool BurnsImage() const;
    // Ends a run that was aborted before the disc was changed.
    int StopAborted();

    DiscLook ReadDisc();
    int StopStillNotBlank();
    // Steps up to the track: busy state, flag lines, compilation, track.
    // 0 when the track is ready, else the run's result (reported).
    int PrepareCompilation();
    bool TrackFits(int64_t freeSectors);
    // The DVD-Video check of the folder, logged; on an error the user says
    // whether to burn anyway (No by default). False when the burn stops.
    bool CheckAllowsBurn(int64_t freeSectors);
    // The DVD-Video check's findings of the source (folder or image) logged;
    // on an error the user says whether to burn anyway.
    bool PreflightAllowsBurn(jobs::PreflightOutcome outcome, const QString &source, int64_t freeSectors);
    // Starts the burn's part of the log and the busy state.
    void BeginBurnLog();
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
    DiscLook m_disc;
    // The line that the disc is erased first is in the log.
    bool m_eraseAnnounced = false;
    bool m_keepDiscIn = false;

    // The prepared burn: the device and the flags taken when the run began.
    // The recorder stays open in m_state.m_recorder; the tree the track
    // reads lives in m_state.
    const DeviceInfo *m_device = nullptr;
    IsoTrackHandle m_track;
    uint32_t m_burnFlags = 0;
    uint32_t m_moreFlags = 0;
};
