#pragma once

#include "app/WindowBusyPort.h"
#include "app/WindowProgressPort.h"
#include "app/WindowQuestionPort.h"
#include "app/WindowRecorderListPort.h"
#include "app/WindowRunPort.h"
#include "app/WindowSettingsPort.h"
#include "app/WindowSetupPort.h"
#include "app/WindowSourceFieldsPort.h"
#include "app/WindowSpeedListPort.h"
#include "cmdline/CommandLineWorker.h"
#include "controls/CDataExchange.h"
#include "controls/CThemeApi.h"
#include "jobs/RecordingJobs.h"
#include "jobs/RecordingState.h"
#include "jobs/label/BackgroundDvdCheck.h"
#include "jobs/ports/IJobWindow.h"
#include "jobs/ports/SourceFieldPorts.h"
#include "jobs/sound/QtSoundPlayer.h"
#include "jobs/tree/StorageVolumeNames.h"
#include "log/CLogPane.h"
#include "platform/AutoResetEvent.h"
#include "settings/CAudioDlg.h"
#include "settings/CFsFlagsDlg.h"
#include "settings/COtherSettingsDlg.h"
#include "ui_CBurnDlg.h"

#include <reclib_api.h>

#include <QDialog>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>

class CLanguageText;
class CPathHelper;
class QAction;
class RegistryStore;
class TerminalEcho;

// The main window: the program's single dialog (template 101 with menu 118).
// It owns the text source, the path helper and the three settings dialogs
// (which hold most settings between runs), runs the start-up sequence,
// locks itself while a job runs and offers the log and message-box services
// the recording jobs use (IJobWindow). The jobs reach its lists, displays,
// busy state, settings and source fields through the small port members
// below (m_portProgress, ...).
//
// The control members (m_btnBurn, m_edtLog, ...) come from the dialog
// template. The values its fields show and the jobs read (m_strSourceDir,
// m_nMedia, m_nSpeedIndex, m_bAbort, ...) belong to the jobs' shared record
// (RecordingJobs::State()); the window keeps their names as references.
//
// Threads: the window lives on the GUI thread. Operations marked "any
// thread" marshal to it; workers must touch controls only through them.
class CBurnDlg : public QDialog, public IJobWindow, public Ui::CBurnDlg
{
    Q_OBJECT

public:
    // Dialog results.
    static constexpr int ResultCancel = 2;  // closed by the user (Quit)
    static constexpr int ResultFailed = -1; // start-up could not load the recording library

    // Media sets handed to InitRecording.
    static constexpr int MediaSetDvd = 12;
    static constexpr int MediaSetCd = 1;

    // registry: the machine registry the window and its jobs read and
    // write; it outlives the window.
    explicit CBurnDlg(RegistryStore &registry, QWidget *parent = nullptr);
    ~CBurnDlg() override;

    // Runs the start-up sequence and then the window modally; returns the
    // result the window was ended with. A window ended during start-up does
    // not enter the modal loop.
    int DoModal();
    // The start-up sequence (settings, language file, recording set-up,
    // status, title, command-line run). Also callable by tests directly.
    void OnInitDialog();
    // Ends the window with this result (any thread). Program-initiated, so
    // it is honoured even while the window is busy.
    void EndDialog(int result);
    bool HasEnded() const { return m_bEnded.load(); }
    int EndResult() const { return m_nEndResult.load(); }

    // Moves the members into the controls or the control contents into the
    // members. Any thread.
    void UpdateData(Exchange direction);

    // Locks the window for a job / unlocks it. Any thread.
    void EnableBusyUi(AbortButton abort);
    void RestoreIdleUi();
    bool IsBusy() const { return m_bBusy.load() != 0; }

    // "Orvane Burn 1.2.0" in the title bar, "0 %" and "--:--" in the
    // progress fields: how the window looks between jobs. GUI thread.
    void ShowIdleProgress();

    // Window services for the jobs; every one may be called from any thread.
    // A line is one line of the log: a line break or other control
    // character in it (from a file name) is shown written out.
    void AppendLog(const QString &line) override;
    // A language text may hold line breaks a translator put there.
    void AppendLogText(int textId) override;
    // Several lines at once (separated by LF or CR LF), kept together in the
    // pane; the program's own multi-line entries, never a name.
    void AppendLogLines(const QString &text);
    QString GetText(int textId) const override;
    void SetStatusText(const QString &status) override;
    // The window's own message box: brings the window back to its normal
    // state first, then shows the box owned by the window (or, without a
    // display, answers its default button). Tests override it to answer.
    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override;

    // The log pane's text, lines separated by LF. Any thread.
    QString GetLogText() const;
    // Writes the log file of this kind (1 shutdown, 2 command-line run,
    // 3 saved by the user) to path, or to the automatic path on the desktop
    // when path is empty. Failures are silent. Any thread.
    void WriteLogFile(int kind, const QString &path = QString());

    // Recording set-up (opened at start-up, closed when the window closes).
    void InitRecording(int mediaSet);
    void DoneRecording();
    // The recording jobs the window's commands run.
    RecordingJobs &Jobs() { return m_jobs; }

    // An application message box: like ShowMessageBox, but without first
    // bringing a minimised window back. Any thread; tests override it.
    virtual int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type);

    // Command handlers.
    // Burn: the burn run to its end (also the burn that follows an erase),
    // the retry without reallocation, then the shutdown decisions.
    void OnBurn();
    // The Burn command with more than one copy in the Copies field, with
    // OnBurn's prelude and policy.
    void OnBurnCopies(int copies, const RecordingJob::Prelude &takeFields, const BurnPolicy &policy);
    // The Shutdown check box: when ticked, announces the log file's path and
    // keeps the disc in the recorder after the burn.
    void OnShutdownCheck();
    // The stand-by window, the log file of kind 1, power-off, then the
    // window closes like Quit. Any thread; does not return to normal work.
    void RunShutdown();
    void OnSaveLog();
    void OnClearLog();
    void OnControlChanged();
    void OnAbort();
    void OnSaveSettings();
    void OnCancel();

    void OnDirectory();
    // "Image file...": chooses an image file to burn as it is instead of the
    // folder; clicked while one is chosen, goes back to the folder.
    void OnImageFile();
    // Shows the image the burn takes (none: the folder) on the button and in
    // the log (CBurnDlgImage.cpp).
    void ShowImageChoice();
    void OnAbout();
    // Help and F1: the help window at its start page.
    void OnHelp();
    // The help window of asker (the window or one of its dialogs) at a page
    // of the help for the current language.
    void OpenHelpFor(QWidget &asker, const QString &page);
    void OnFsFlags();
    void OnOtherSettings();
    void OnAudio();
    void OnLanguage();

    // The language texts on every control, the menu and the icon buttons,
    // then the members shown again. GUI thread.
    void ApplyWindowTexts();

    // Source folder and volume label, as WindowSourceFieldsPort offers them
    // to the source and label events. Any thread.
    int LabelLimit() const;
    void SetLabelRoomText(const QString &text);
    // Measures the source folder, shows it on the capacity meter and decides
    // whether Burn is usable.
    void CheckSourceSize();
    void SetLabelFromFolder(const QString &path);
    void ShowLabelRoom();
    // Starts the background DVD-Video check of m_strSourceDir. GUI thread.
    void SourceFolderChosen();
    int BrowseForFolder(const QString &title, const QString &initialFolder, unsigned flags, QString &chosen);

    // Both source-field ports, as the field events take them.
    SourceFieldPorts SourceFields() { return m_portSourceFields.Ports(); }

    // A termination signal (SIGINT, SIGTERM, SIGHUP): a running job is
    // aborted as the Abort button does, and the window closes once it has
    // ended; without a job the window closes as Quit does. GUI thread.
    void OnTerminationSignal(int signalNumber);
    // A signal closed the window while a command-line run was under way
    // outside its job (the run's own status then counts as aborted).
    bool RunEndedBySignal() const { return m_bRunEndedBySignal; }
    // The line that said which signal stopped the job or the run; empty
    // when none did. It is the cause a run ended by a signal reports.
    QString SignalCause() const { return m_strSignalCause; }
    // The same line when it aborted the running job; empty otherwise. Any
    // thread (read on the GUI thread).
    QString JobAbortSignalLine() const;

    // Fills m_apszArgs and m_nArgs from m_arguments: the first 99 arguments,
    // each exactly as the program received it.
    void SplitCommandLine();
    // The command-line run; start-up starts it when there is a command line.
    CommandLineWorker &CommandLine() { return m_commandLine; }
    // The command-line run's terminal: the log pane's lines and the jobs'
    // progress go there too. None for a start without arguments or with -q.
    // GUI thread, before OnInitDialog.
    void SetTerminalEcho(std::shared_ptr<TerminalEcho> terminal);
    // Where a command-line run's notices go on standard error, also under
    // -q: a part of the run that failed beside a burn whose status stands
    // (the log file, the power-off, dropped arguments). GUI thread, before
    // OnInitDialog.
    void SetNoticeEcho(std::shared_ptr<TerminalEcho> terminal);
    // A log line that a command-line run also writes on standard error.
    void AppendNotice(const QString &line);
    // What the run knows about why it failed, as one line: the last error
    // box's text and the library's error log line; empty when it knows
    // nothing. Once the run's thread has ended.
    QString FailureCause() const;

signals:
    // Start-up found a command line to run (and the window was not ended);
    // the command-line run connects here.
    void commandLineRunRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // The capacity meter's band is measured against the window's width.
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

public:
    // Escape, the title bar and Quit end here: refused while busy.
    void reject() override;

public:
    // ---- The window's record -------------------------------------------
    std::unique_ptr<CAudioDlg> m_pAudioDlg;
    CThemeApi m_theme;
    std::unique_ptr<CLanguageText> m_pLang;
    std::unique_ptr<CPathHelper> m_pPath;
    std::atomic<int> m_bBusy{0};
    QString m_strAppDir;
    QString m_strMsg;
    // The program's arguments without its name, as the shell split them.
    // A command-line run starts when there is at least one.
    QStringList m_arguments;
    QString m_strText;
    static constexpr int MaxArgs = 99;
    std::array<QString, MaxArgs + 1> m_apszArgs;
    int m_nArgs = 0;
    std::unique_ptr<CFsFlagsDlg> m_pFsFlagsDlg;
    std::unique_ptr<COtherSettingsDlg> m_pOtherDlg;

    // The language file setting: a bare file name such as "english.lng".
    QString m_strLangFile;
    // Values bound to controls (besides those of the jobs' record below).
    QString m_strStatus;
    QIcon m_hIcon;

private:
    void BindData();
    void ConnectCommands();
    int LoadSettingsAndLanguage();
    void InitRecordingForMedia();
    void SetUpCapacityMeter();
    void SetMeterLimitsForMedia();
    void OnVolumeTextChanged();
    void FreeCommandLineTokens();
    // What Quit does once it may: the recording set-up ends, the tokens are
    // freed and the window ends with ResultCancel. Any thread.
    void CloseRecordingAndEnd();
    void StartCommandLineRun();
    // The settings file: in the program folder, or in the user's own
    // configuration folder when the program folder cannot be written.
    QString SettingsPath() const;
    // The settings file at start-up was unusable (too large, not a file):
    // the first save sets it aside rather than writing over it.
    bool m_bSettingsUnusable = false;
    // Closes the window after a signal as soon as that is safe (see the
    // source); checks again from the event loop until it is.
    void CloseAfterSignal();
    // Logs where an installed program keeps this user's state when it made
    // the folders, and every problem with them.
    void ReportStateFolders();
    // The terminal's share of the displays (CBurnDlgTerminal.cpp).
    void EchoStatus(const QString &status);
    void EchoBusy(bool busy);
    void NoteErrorBox(const QString &text, unsigned type);

    RegistryStore &m_registry;
    StorageVolumeNames m_volumeNames;
    bool m_bExchanging = false;
    CDataExchange m_ddx;
    CLogPane m_logPane;
    std::shared_ptr<TerminalEcho> m_terminal;
    std::shared_ptr<TerminalEcho> m_notices;
    // The text of the last error box; GUI thread.
    QString m_strLastError;
    std::atomic<bool> m_bEnded{false};
    std::atomic<int> m_nEndResult{0};
    bool m_bJobAbortedBySignal = false;
    bool m_bRunEndedBySignal = false;
    QString m_strSignalCause; // GUI thread
    // The result sound and the Audio dialog's Play buttons.
    QtSoundPlayer m_sound;
    // The DVD-Video check of a chosen folder; its worker uses no member.
    std::unique_ptr<BackgroundDvdCheck> m_dvdCheck;

public:
    // The window as the recording jobs see it, one port per concern.
    WindowQuestionPort m_portQuestions{*this};
    WindowProgressPort m_portProgress{*this, m_terminal, m_bBusy};
    WindowRecorderListPort m_portRecorders{*this};
    WindowSpeedListPort m_portSpeeds{*this};
    WindowBusyPort m_portBusy{*this};
    WindowSetupPort m_portSetup{*this};
    WindowSettingsPort m_portSettings{*this};
    WindowSourceFieldsPort m_portSourceFields{*this};
    WindowRunPort m_portRun{*this};

private:
    // Last: the jobs wait for their workers when the window goes.
    RecordingJobs m_jobs{JobPorts{*this, m_portQuestions, m_portProgress, m_portRecorders, m_portSpeeds,
                                  m_portBusy, m_portSetup, m_portSettings},
                         m_sound, m_registry};

public:
    // The jobs' record, under the names the window's fields, commands and
    // settings file use. GUI thread while no job runs (m_bAbort: any thread).
    QString &m_strSourceDir = m_jobs.State().m_strSourceDir;
    QString &m_strVolume = m_jobs.State().m_strVolume;
    QString &m_strDeviceName = m_jobs.State().m_strDeviceName;
    int &m_nMedia = m_jobs.State().m_nMedia;
    int &m_nSpeedIndex = m_jobs.State().m_nSpeedIndex;
    int &m_bReallocate = m_jobs.State().m_bReallocate;
    int &m_nEraseMode = m_jobs.State().m_nEraseMode;
    int &m_bShutdown = m_jobs.State().m_bShutdown;
    int &m_bVerify = m_jobs.State().m_bVerify;
    std::atomic<bool> &m_bAbort = m_jobs.State().m_bAbort;

private:
    // Stopped first when the window goes: its thread uses everything above.
    CommandLineWorker m_commandLine{
        RunPorts{*this, m_portBusy, m_portRecorders, m_portSourceFields, m_portRun, m_portRun}, m_jobs};
};
