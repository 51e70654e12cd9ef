#pragma once

#include <span>

// The process exit status of orvane-burn: what an unattended command-line
// run came to, so that scripts can tell a written disc from a failure.
//
//   0  the burn succeeded (also: a start without arguments, closed with Quit;
//      a run with a display that left the window to the person, -c or no -d)
//   1  start-up failed: the recording library could not be loaded
//   2  the command line could not be read: an unknown option, a stray
//      argument, -d, -i or -v without a value, --json with -q, -i with -d
//      (log texts 598, 600, 602, 1150, 1166, 1167); or an image file (-i)
//      is to be burned to the Image Recorder
//   3  nothing to burn without a person: the command line names no folder
//      (-d) or asks to prepare only (-c), or is empty, and no display is
//      available
//   4  the volume label was refused
//   5  no recorder is selected, or the selected recorder cannot be opened
//   6  the disc is a used rewritable one and overwriting was not allowed
//      (without -o nobody can answer the question when no display is
//      available); asked only when every other check has passed
//   7  a check before the disc is changed failed: the folder does not exist,
//      is not a folder or cannot be read (the image file does not exist, is
//      no regular file, cannot be read, is no disc image or is cut short), the compilation or its track could
//      not be made from it, it does not fit the disc, or the DVD-Video check
//      found an error and the burn was not confirmed (nothing was erased or
//      burned); --check: the check found an error
//   8  the burn failed (the recording library's error, or a disc that stayed
//      used after the erase before the burn)
//   9  the burn was aborted; before the disc was changed the disc is as it
//      was (also when, without a display, nobody could say
//      where the Image Recorder's image goes)
//  10  not every copy was burned (-n): a copy failed, or the run stopped
//      between copies; the reason line counts the copies burned
//
// With a display, a run that fails leaves the window open; the status still
// reports the run's failure when the window is closed later.
namespace runexit {

enum Status : int {
    Success = 0,
    StartupFailed = 1,
    ParseError = 2,
    NothingToBurn = 3,
    LabelRefused = 4,
    RecorderUnavailable = 5,
    OverwriteDeclined = 6,
    CompilationFailed = 7,
    BurnFailed = 8,
    BurnAborted = 9,
    NotEveryCopy = 10,
};

// Whether the run itself could open the selected recorder before the burn.
enum class RecorderOpened { Yes, No };

// One way a burn run can end: RunBurn's result (for -1 also whether the run
// had opened the recorder), the exit status it stands for, and the cause the
// reason line names when the run has no words of its own for it (0: it
// always has: its error box, the library's error log, its last log line).
struct FailureRow
{
    int result;
    enum class When { Always, RecorderOpened, RecorderNotOpened } when;
    Status status;
    int causeTextId;
};

// Every row, in the order a run meets them: the checks of the point of no
// return first, then the burn. A result without a row is a library result
// and stands for BurnFailed.
std::span<const FailureRow> FailureRows();

// The status for RunBurn's result (the result of the burn that followed an
// erase when there was one). RunBurn answers -1 both for a recorder that
// cannot be opened and for a declined overwrite; the run's own opening of
// the recorder tells them apart.
Status ForBurnResult(int result, RecorderOpened opened);

} // namespace runexit
