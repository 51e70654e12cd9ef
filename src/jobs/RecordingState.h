#pragma once

#include "jobs/desktop/DesktopHooks.h"
#include "jobs/erase/ProgressClock.h"
#include "jobs/tree/IsoTree.h"
#include "platform/AutoResetEvent.h"
#include "reclib_api.h"
#include "recorder/RecorderHandle.h"
#include "settings/MainWindowSettings.h"

#include <QString>

#include <atomic>
#include <memory>

// What the recording jobs share: the open recorder, the abort flag, the
// erase's event and estimate, the progress clock, the compilation tree, the
// library's records and the values the jobs read (the settings the window's
// fields show, the label, the switches). RecordingJobs owns the one record;
// the main window keeps the names it reads and writes itself (m_strSourceDir,
// m_nMedia, m_bAbort, ...) as references into it.
//
// Threads: the members bound to controls are written by the window's data
// exchange on the GUI thread while no job runs; a job (burn, erase, the
// command-line run) reads them on its own thread. The busy state keeps a
// second job from starting, so only the flags that the GUI thread writes
// while a job runs (abort) or that another thread writes while the GUI
// thread reads them are atomic.
struct RecordingState : MainWindowSettings
{
    // 1 when the Erase button started the erase: the erase worker reports in
    // message boxes and stops after erasing. 0 for an erase that is the first
    // step of a burn: the worker burns afterwards.
    std::atomic<int> m_bEraseInteractive{0};
    // Set by the erase worker when the library calls are over; the erase
    // clock waits for it.
    AutoResetEvent m_evtJobDone;
    // The erase that is a burn's first step hands its sleep lock on to the
    // burn, which lets it go once it holds its own (or ends without one):
    // the machine may not sleep between the two. The job's thread.
    std::unique_ptr<jobs::NoSleepWhileWriting> m_sleepUntilBurn;
    // The library's erase estimate in seconds, error values included.
    std::atomic<int> m_nEraseSecs{0};
    // The open recorder while a job runs: its one owner, which closes it on
    // every path. The burn run keeps it open from its look at the disc
    // through the erase to the end of the burn.
    RecorderHandle m_recorder;
    // The view of it that the library calls take (Get() is null while none
    // is open); nothing can store or close a handle through it.
    const RecorderHandle &m_hDevice = m_recorder;
    // The recorder the running erase works on (item data of the Devices list).
    const DeviceInfo *m_pCurDevice = nullptr;
    // Set when the library logged that the VIDEO_TS structure could not be
    // reallocated; cleared when a burn starts and by the Burn command.
    std::atomic<int> m_bReallocProblem{0};
    // Set when the user declined a dual-layer break inside a scene; cleared
    // when a burn starts.
    std::atomic<int> m_bLayerBreakDeclined{0};
    // --any-layer-break: a dual-layer break inside a scene is taken unasked.
    int m_bAnyLayerBreak = 0;
    // The library's error log as the last burn run logged it: the cause an
    // unattended run names when it fails. Written by the burn run's thread,
    // read once that run has ended.
    QString m_strLibraryErrors;

    // Values bound to controls, besides the settings the window keeps
    // (m_strSourceDir, m_nMedia, m_nSpeedIndex, m_bReallocate, m_strDeviceName).
    int m_nEraseMode = 1; // 0 full, 1 quick
    QString m_strVolume = QStringLiteral("UNDEFINED");
    int m_bShutdown = 0;
    int m_bVerify = 0;

    // The recorders of the current set-up (the library's list, owned by the
    // set-up until DoneRecording); the Devices list's item data points into it.
    DeviceInfoList *m_pDeviceInfos = nullptr;

    // The remaining and total time of the running burn (m_tStart,
    // m_nStartPercent, m_nLastPercent and m_nTotalSecs).
    jobs::ProgressClock m_progressClock;
    // The compilation tree, from its build to the end of the burn.
    IsoTree m_pIsoRoot;
    // The user confirmed Abort; answered to the library by its callbacks.
    std::atomic<bool> m_bAbort{false};

    // The texts the library settings record points to, and the two records
    // handed to the library (filled by InitRecording).
    char m_szLibText[4][128] = {};
    RecLibSettings m_libSettings = {};
    RecProgress m_libProgress = {};
};
