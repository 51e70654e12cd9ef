#pragma once

// Language texts of the recording jobs, by number.
namespace rec_text {
enum : int {
    ReallocationOffInfo = 640,
    OverwriteRewritable = 642,
    LibraryNotLoaded = 604,
    InitRefused = 606,
    InitFailed = 610,
    NoDriveList = 612,
    SetupStarts = 660,
    InitDone = 662,
    DrivesFound = 664,
    NoDrives = 666,
    RequiredFile = 672,
    SwitchToDvd = 674,
    SwitchToCd = 676,
    ReallocationOff = 678,
    ReallocationOn = 680,
    NoSourceFolder = 700,
    BurnStarts = 702,
    NoDiscInfo = 704,
    OverwriteQuestion = 714,
    NotOverwritten = 716,
    Ready = 766,
    Overwritten = 769,
    Recorder = 770,
    RecorderNotOpened = 778,
    ErasedFirst = 779,
    Burning = 780,
    MediaDvd = 781,
    MediaCd = 782,
    WriteSpeed = 783,
    BurnFailed = 786,
    UnknownResult = 792,   // %d: the result
    CompilationFailed = 793,
    Erasing = 794,
    EraseTimeFormat = 798, // %d: the estimated seconds
    EraseRunning = 799,
    EraseFinished = 800,
    EraseTimeout = 806,
    LibraryMissingBox = 807,
    AbortCaption = 824,
    AbortQuestion = 825,
    TotalTime = 826,       // %d %d %d: hours, minutes, seconds
    EraseFailed = 902,     // %d: the library's erase result
    StillNotBlank = 906,
    TrackFailed = 907,
    ImagePathTooLong = 909,
    DiscTooSmall = 910,    // %d %d: MB on the disc, MB the compilation needs
    SimulationWouldErase = 911,
    SimulationSucceeded = 912,
};
}

// Captions and fixed texts the jobs show.
namespace rec_caption {
inline constexpr const char *Error = "Error";
inline constexpr const char *Info = "Info";
inline constexpr const char *Information = "Information";
inline constexpr const char *JustInfo = "Just 4 Info";
inline constexpr const char *OverwriteRewritable = "Overwrite ReWriteable?!";
inline constexpr const char *EraseRewritable = "Erase ReWriteable";
inline constexpr const char *TimeoutError = "Timeout Error";
// Application message boxes carry the program's name.
inline constexpr const char *Application = "Orvane Burn";
}
