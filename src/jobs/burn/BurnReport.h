#pragma once

// How the end of a burn is reported: which language text goes to the log,
// whether a message box shows it, and what the status line becomes.
namespace jobs {

enum class ReportBox { None, Info, Error };

struct BurnReport
{
    int logTextId = 0; // 0: nothing logged; BurnUnknownResult is a format taking the result
    ReportBox box = ReportBox::None;
    int statusTextId = 0;       // 0: the status line stays as it is
    bool totalTimeLine = false; // success also logs the total-time line
};

struct BurnReportContext
{
    bool shutdownAfterBurn = false; // m_bShutdown
    bool forceShutdown = false;     // MORE_FORCE_SHUTDOWN
    bool reallocProblem = false;    // the library reported a failed reallocation
    bool simulation = false;        // the burn only simulated the write
};

// Result codes of RunBurn that are not library results.
enum RunBurnResult : int {
    RunBurnNoSource = -9,
    RunBurnNoRecorder = -1,
    RunBurnRefusedLabel = 42,
    // The compilation could not be built: nothing was burned. Not 0, so no
    // caller mistakes it for a successful burn.
    RunBurnCompilationFailed = -20,
    // The disc was still not blank after the erase that preceded the burn.
    RunBurnStillNotBlank = -21,
    // The compilation is larger than the room on the disc: nothing was
    // erased or burned.
    RunBurnDiscTooSmall = -23,
    // The DVD-Video check found an error and the burn was not confirmed:
    // nothing was erased or burned.
    RunBurnCheckRefused = -24,
    // Another job (an erase, a burn, a command on the recorders) was still
    // running: this burn did not start.
    RunBurnJobRunning = -25,
    // The source folder does not exist, is not a folder or cannot be read:
    // nothing was erased or burned.
    RunBurnFolderUnusable = -26,
    // The library could not make the track of the compilation (a source it
    // cannot use, a name it cannot write): nothing was erased or burned.
    RunBurnTrackFailed = -27,
    // An image file was to be burned to the Image Recorder: nothing was
    // opened or written.
    RunBurnImageToImageRecorder = -28,
};

BurnReport ReportForResult(int result, const BurnReportContext &context);

} // namespace jobs
